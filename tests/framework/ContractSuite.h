// The framework's contract suite: one body, run natively on the in-memory back end and
// under Wine on real windows, so that both back ends are shown to behave the same,
// down to the notifications that code changes and user actions raise.
#pragma once

#include <gtest/gtest.h>

#include "tests/support/BackEnd.h"

namespace fwtest {

class Contract : public testing::TestWithParam<BackEndParam> {};

}  // namespace fwtest
