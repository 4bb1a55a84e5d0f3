// The credential and certificate dialogs suite's fixture.
#pragma once

#include "tests/pages/ProfileSuite.h"

namespace pagestest {

class CredentialDialogs : public ProfileEditing {};

}  // namespace pagestest
