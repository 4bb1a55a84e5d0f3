// The profile editing suites on the in-memory back end, with the texts of their resource
// scripts.
#include "tests/pages/ProfileMemory.h"

#include <map>

#include "res/resource.h"
#include "tests/pages/AdminSuite.h"
#include "tests/pages/CredentialSuite.h"
#include "tests/pages/ProfileSuite.h"
#include "tests/pages/SecurityPageSuite.h"
#include "tests/pages/SiteSurveySuite.h"
#include "tests/pages/WepKeySuite.h"

namespace pagestest {

std::string profileText(int stringId) {
    static const std::map<int, std::string> kTexts = {
#include "ProfileTexts.inc"
    };
    const auto text = kTexts.find(stringId);
    return text == kTexts.end() ? std::string() : text->second;
}

INSTANTIATE_PROFILE_SUITES(Memory,
                           ProfileBackEnd{"Memory", fwtest::makeMemoryBackEnd, profileText});

}  // namespace pagestest
