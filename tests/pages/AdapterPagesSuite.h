// The behaviour suites of the Advanced and About pages: one body, run natively on the
// in-memory back end and under Wine on the program's own templates and string table,
// against the simulated card's model behind a recording library, in a main window of
// the test's own.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Sheet.h"
#include "pages/AboutPage.h"
#include "pages/AdvancedPage.h"
#include "pages/ReadmePage.h"
#include "sim/NativeCard.h"
#include "tests/pages/FileVersionsDouble.h"
#include "tests/support/BackEnd.h"
#include "tests/support/ZelRecorder.h"
#include "tests/system/MemorySettingsStore.h"

namespace adaptertest {

struct AdapterPagesParam {
    std::string name;
    std::function<std::unique_ptr<fwtest::BackEnd>()> make;
    std::function<std::string(int stringId)> text;
};

inline void PrintTo(const AdapterPagesParam& param, std::ostream* out) { *out << param.name; }

inline std::string suiteName(const testing::TestParamInfo<AdapterPagesParam>& info) {
    return info.param.name;
}

// The main window as both pages see it; the test sets its state.
class FakeMainWindow final : public AdvancedHost {
public:
    FakeMainWindow(const ZelApi& api, std::function<std::string(int)> texts)
        : api_(api), texts_(std::move(texts)) {}

    const ZelApi& api() const override { return api_; }
    ZelHandle adapter() const override { return handle; }
    ConnectionState connection() const override { return link; }
    sys::Settings& settings() override { return settingsFile; }
    std::string text(int stringId) const override { return texts_(stringId); }
    bool autoLinkEnabled() const override { return autoLink; }
    void setAutoConfiguration(bool on) override { autoConfiguration = on; }
    void setAutoLink(bool on) override { autoLink = on; }

    ZelHandle handle = nullptr;
    ConnectionState link;
    MemorySettingsStore settingsStore;
    sys::Settings settingsFile{settingsStore};
    bool autoConfiguration = true;
    bool autoLink = true;

private:
    const ZelApi& api_;
    std::function<std::string(int)> texts_;
};

// What both suites start from: the card of a scenario behind the recorder, opened; a
// main window over it; a sheet with the page under test and the Readme page to leave it
// for.
class AdapterPages : public testing::TestWithParam<AdapterPagesParam> {
protected:
    // The windows go first, then the card closes.
    void TearDown() override;

    // The card in the world of `scenario`, opened when it is plugged in; nothing is
    // shown yet, and no call is recorded.
    void start(const std::string& scenario);
    // The sheet with `page` first, shown.
    void show(CZelPage& page);
    // Leaves the page for the Readme page, and comes back.
    void leaveAndComeBack();
    fw::UserActions& user(const fw::Dialog& dialog) { return backEnd_->user(dialog); }
    // The calls recorded since the last call, but for the queries.
    std::vector<std::string> takeSets();

    ZelRecorder recorder;
    std::unique_ptr<sim::NativeCard> card;
    std::unique_ptr<FakeMainWindow> mainWindow;

private:
    std::unique_ptr<fwtest::BackEnd> backEnd_;
    CReadmePage readme_;
    std::unique_ptr<fw::Sheet> sheet_;
    CZelPage* shown_ = nullptr;
};

// The card of the suites' world, with the settings of `lines` (scenario lines).
inline std::string cardWith(const std::string& lines) {
    return "card\n    mac 00:1D:6A:70:42:17\n" + lines +
           "network\n    ssid \"Open\"\n    bssid 00:14:BF:3C:11:02\n    channel 6\n";
}

class AdvancedPage : public AdapterPages {
protected:
    CAdvancedPage& open();
    fw::Surface& ui() { return page_->ui(); }
    fw::UserActions& hands() { return user(*page_); }
    intptr_t selectedCode(int id) { return ui().itemData(id, ui().selection(id)); }
    // Chooses the entry of combo `id` whose code is `code`, as the user does.
    void choose(int id, intptr_t code);

    std::unique_ptr<CAdvancedPage> page_;
};

class AboutPage : public AdapterPages {
protected:
    CAboutPage& open();
    fw::Surface& ui() { return page_->ui(); }

    FakeFileVersions files;
    std::unique_ptr<CAboutPage> page_;
};

#define INSTANTIATE_ADAPTER_PAGE_SUITES(prefix, ...)                                         \
    INSTANTIATE_TEST_SUITE_P(prefix, AdvancedPage, testing::Values(__VA_ARGS__), suiteName); \
    INSTANTIATE_TEST_SUITE_P(prefix, AboutPage, testing::Values(__VA_ARGS__), suiteName)

}  // namespace adaptertest
