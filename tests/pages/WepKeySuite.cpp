#include "tests/pages/WepKeySuite.h"

namespace pagestest {
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(WepKeyDialog);
}  // namespace pagestest
