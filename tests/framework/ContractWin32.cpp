// The contract suite on real windows, with this program's own dialog templates.
#include <windows.h>
// after <windows.h>
#include <commctrl.h>

#include "tests/framework/ContractSuite.h"
#include "tests/support/win32/Win32BackEnd.h"

namespace fwtest {

INSTANTIATE_TEST_SUITE_P(Win32, Contract, testing::Values(BackEndParam{"Win32", makeWin32BackEnd}),
                         backEndName);

}  // namespace fwtest

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
