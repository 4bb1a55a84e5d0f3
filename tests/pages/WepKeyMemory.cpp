// The WEP key dialog templates in memory.
#include "res/resource.h"
#include "tests/pages/ProfileMemory.h"

namespace pagestest {

Layouts wepKeyLayouts() { return {}; }

}  // namespace pagestest
