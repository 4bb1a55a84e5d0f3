// The in-memory back end of the profile editing suites.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/BackEnd.h"

namespace pagestest {

// The texts of the profile editing resources' string table.
std::string profileText(int stringId);
// The layouts of templates in memory: control kinds in template order, by template.
using Layouts = std::map<int, std::vector<fw::ControlSpec>>;
// The security page's templates, the WEP key dialog's, and those of the credential and
// certificate dialogs.
Layouts securityPageLayouts();
Layouts wepKeyLayouts();
Layouts credentialLayouts();
// The captions of the templates whose dialogs show them in their titles.
std::map<int, std::string> credentialCaptions();

// Windows in memory with the layouts of the profile editing and security templates.
std::unique_ptr<fwtest::BackEnd> makeProfileMemoryBackEnd();

}  // namespace pagestest
