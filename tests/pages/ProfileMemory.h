// The in-memory back end of the profile editing suites.
#pragma once

#include <memory>
#include <string>

#include "tests/support/BackEnd.h"

namespace pagestest {

// The texts of the profile editing resources' string table.
std::string profileText(int stringId);
// Windows in memory with the layouts of the profile editing templates.
std::unique_ptr<fwtest::BackEnd> makeProfileMemoryBackEnd();

}  // namespace pagestest
