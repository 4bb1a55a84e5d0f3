// The contract suite on real windows, with this program's own dialog templates.
#include <windows.h>

#include "tests/framework/ContractSuite.h"
#include "tests/support/win32/Win32BackEnd.h"

namespace fwtest {

INSTANTIATE_TEST_SUITE_P(Win32, Contract, testing::Values(BackEndParam{"Win32", makeWin32BackEnd}),
                         backEndName);

}  // namespace fwtest
