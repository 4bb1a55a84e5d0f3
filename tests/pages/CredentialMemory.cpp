// The credential and certificate dialogs templates in memory.
#include "res/resource.h"
#include "tests/pages/ProfileMemory.h"

namespace pagestest {

Layouts credentialLayouts() { return {}; }

}  // namespace pagestest
