// The Advanced and About page suites on real windows under Wine, from the program's own
// dialog templates and string table.
#include "tests/pages/AdapterPagesSuite.h"
#include "tests/support/win32/Win32BackEnd.h"

namespace adaptertest {
INSTANTIATE_ADAPTER_PAGE_SUITES(Win32, AdapterPagesParam{"Win32", fwtest::makeWin32BackEnd,
                                                         fwtest::resourceText});

}  // namespace adaptertest
