// The Debug and Test pages' behaviour suite: one body, run natively on the in-memory
// back end and under Wine on the program's own templates, over the recording library
// with a small register file behind it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/support/BackEnd.h"

class DiagnosticsSuite : public testing::TestWithParam<fwtest::BackEndParam> {
protected:
    void SetUp() override { windows = GetParam().make(); }
    std::unique_ptr<fwtest::BackEnd> windows;
};
