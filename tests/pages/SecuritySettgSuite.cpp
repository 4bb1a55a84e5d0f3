#include "tests/pages/SecurityPageSuite.h"

namespace pagestest {
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(SecurityPage);
}  // namespace pagestest
