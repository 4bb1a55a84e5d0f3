// The Debug and Test pages' suite under Wine, on the program's own templates.
#include "tests/pages/DiagnosticsSuite.h"
#include "tests/support/win32/Win32BackEnd.h"

INSTANTIATE_TEST_SUITE_P(Win32, DiagnosticsSuite,
                         testing::Values(fwtest::BackEndParam{"Win32", fwtest::makeWin32BackEnd}),
                         fwtest::backEndName);
