// The profile editing suites on real windows under Wine, from the program's own dialog
// templates and string table.
#include <windows.h>

#include "tests/pages/AdminSuite.h"
#include "tests/pages/CredentialSuite.h"
#include "tests/pages/ProfileSuite.h"
#include "tests/pages/SecurityPageSuite.h"
#include "tests/pages/WepKeySuite.h"
#include "tests/support/win32/Win32BackEnd.h"

namespace pagestest {
namespace {

std::string loadText(int stringId) {
    char buffer[512];
    const int length = LoadStringA(GetModuleHandleA(nullptr), stringId, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? length : 0);
}

}  // namespace

INSTANTIATE_PROFILE_SUITES(Win32, ProfileBackEnd{"Win32", fwtest::makeWin32BackEnd, loadText});

}  // namespace pagestest
