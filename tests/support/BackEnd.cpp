#include "tests/support/BackEnd.h"

#include <gmock/gmock.h>

namespace fwtest {

void expectCleanEnd(BackEnd& backEnd, const fw::Dialog* dialog) {
    EXPECT_THAT(backEnd.script().failures(), testing::IsEmpty());
    EXPECT_THAT(backEnd.script().unmet(), testing::IsEmpty());
    if (dialog && dialog->hasWindow()) {
        EXPECT_THAT(backEnd.missingControls(*dialog), testing::IsEmpty());
    }
}

}  // namespace fwtest
