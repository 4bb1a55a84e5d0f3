// The security page templates in memory.
#include "res/resource.h"
#include "tests/pages/ProfileMemory.h"

namespace pagestest {

Layouts securityPageLayouts() { return {}; }

}  // namespace pagestest
