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
    // lacks.
    virtual std::set<int> missingControls(const fw::Dialog& dialog) = 0;
};

// What every suite checks at its end: no window went against the script (those are
// recorded, not thrown), nothing the script expected is still waiting, and every control
// that `dialog`, if it still has its window, asked for is in its template.
void expectCleanEnd(BackEnd& backEnd, const fw::Dialog* dialog = nullptr);

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

// The in-memory back end, with the dialog templates compiled into the test program
// (tovix_test_templates in CMake): windows laid out as the real templates are, and the
// ids that code asks for and a template lacks reported as missing.
std::unique_ptr<BackEnd> makeMemoryBackEnd();
// The same with the controls that the real program creates over a template, by template.
std::unique_ptr<BackEnd> makeMemoryBackEndAdding(
    const std::map<int, std::vector<fw::ControlSpec>>& madeAtRunTime);

}  // namespace fwtest
