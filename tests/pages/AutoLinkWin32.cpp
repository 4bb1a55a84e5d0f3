// The Auto Link dialog's suite on real windows under Wine, from the program's own dialog
// templates and string table.
#include "tests/pages/AutoLinkSuite.h"
#include "tests/support/win32/Win32BackEnd.h"

namespace autolinktest {
namespace {

INSTANTIATE_TEST_SUITE_P(Win32, AutoLinkDialog,
                         testing::Values(AutoLinkParam{"Win32", fwtest::makeWin32BackEnd,
                                                       fwtest::resourceText}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace autolinktest
