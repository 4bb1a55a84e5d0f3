// The Windows back end for behaviour suites under Wine: real windows from this
// program's own resources, message boxes and modal windows answered by the script.
#pragma once

#include <memory>
#include <string>

#include "tests/support/BackEnd.h"

namespace fwtest {

std::unique_ptr<BackEnd> makeWin32BackEnd();

// A text of this program's string table; empty when it has none of that id.
std::string resourceText(int stringId);

}  // namespace fwtest
