// A back end for behaviour suites that run the same test body twice: natively on the
// in-memory surface and under Wine on real windows.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "framework/Dialog.h"
#include "framework/Host.h"
#include "framework/MemorySurface.h"
#include "framework/Script.h"
#include "framework/UserActions.h"

namespace fwtest {

class BackEnd {
public:
    virtual ~BackEnd() = default;
    // The host that makes the windows of the dialogs under test.
    virtual fw::Host& host() = 0;
    // The script that answers message boxes and modal windows.
    virtual fw::Script& script() = 0;
    // The user's hands on the window of `dialog`, which must exist.
    virtual fw::UserActions& user(const fw::Dialog& dialog) = 0;
    // The control ids that code asked the window of `dialog` for and that its template
    // lacks (always none in memory, where controls come into being on first use).
    virtual std::set<int> missingControls(const fw::Dialog& dialog) = 0;
};
// A suite checks at its end that script().failures() and script().unmet() are empty:
// windows against the script are recorded there, not thrown.

// A named way to make a back end: the parameter of a suite that runs on several.
struct BackEndParam {
    std::string name;
    std::function<std::unique_ptr<BackEnd>()> make;
};

inline void PrintTo(const BackEndParam& param, std::ostream* out) { *out << param.name; }

// The parameter's name, for the test names.
inline std::string backEndName(const testing::TestParamInfo<BackEndParam>& info) {
    return info.param.name;
}

// The in-memory back end, with the layouts of the dialog templates the suite uses and
// the captions of those whose title matters.
std::unique_ptr<BackEnd> makeMemoryBackEnd(
    const std::map<int, std::vector<fw::ControlSpec>>& layouts,
    const std::map<int, std::string>& captions = {});

}  // namespace fwtest
