// The Windows back end for behaviour suites under Wine: real windows from this
// program's own resources, message boxes and modal windows answered by the script.
#pragma once

#include <memory>

#include "tests/support/BackEnd.h"

namespace fwtest {

std::unique_ptr<BackEnd> makeWin32BackEnd();

}  // namespace fwtest
