#include "tests/pages/CredentialSuite.h"

namespace pagestest {
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CredentialDialogs);
}  // namespace pagestest
