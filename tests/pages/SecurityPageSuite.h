// The security page suite's fixture.
#pragma once

#include "tests/pages/ProfileSuite.h"

namespace pagestest {

class SecurityPage : public ProfileEditing {};

}  // namespace pagestest
