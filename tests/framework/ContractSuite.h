// The framework's contract suite: one body, run natively on the in-memory back end and
// under Wine on real windows, so that both back ends are shown to behave the same,
// down to the notifications that code changes and user actions raise.
#pragma once

#include <gtest/gtest.h>

#include "tests/support/BackEnd.h"

namespace fwtest {

class Contract : public testing::TestWithParam<BackEndParam> {};

inline void PrintTo(const BackEndParam& param, std::ostream* out) { *out << param.name; }

// The parameter's name, for the test names.
inline std::string backEndName(const testing::TestParamInfo<BackEndParam>& info) {
    return info.param.name;
}

}  // namespace fwtest
