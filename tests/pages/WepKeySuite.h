// The WEP key dialog suite's fixture.
#pragma once

#include "tests/pages/ProfileSuite.h"

namespace pagestest {

class WepKeyDialog : public ProfileEditing {};

}  // namespace pagestest
