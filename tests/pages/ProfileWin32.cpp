// The profile editing suites on real windows under Wine, from the program's own dialog
// templates and string table.
#include "tests/pages/AdminSuite.h"
#include "tests/pages/CredentialSuite.h"
#include "tests/pages/ProfileSuite.h"
#include "tests/pages/SecurityPageSuite.h"
#include "tests/pages/SiteSurveySuite.h"
#include "tests/pages/WepKeySuite.h"
#include "tests/support/win32/Win32BackEnd.h"

namespace pagestest {

INSTANTIATE_PROFILE_SUITES(Win32,
                           ProfileBackEnd{"Win32", fwtest::makeWin32BackEnd, fwtest::resourceText});

}  // namespace pagestest
