// The texts that the profile editing suites read natively.
#pragma once

#include <string>

namespace pagestest {

// The texts of the profile editing resources' string table.
std::string profileText(int stringId);

}  // namespace pagestest
