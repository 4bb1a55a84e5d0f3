// The Statistics pages' behaviour suite: one body, run natively on the in-memory back end
// and under Wine on the program's own templates, over a driver whose counters the test
// sets (the recording library) or over the simulated card on a clock the test advances.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/Sheet.h"
#include "pages/StatisticsTables.h"
#include "pages/ZelPage.h"
#include "res/resource.h"
#include "tests/support/BackEnd.h"

// The windows a suite runs with.
class StatisticsWorld {
public:
    virtual ~StatisticsWorld() = default;
    virtual fwtest::BackEnd& windows() = 0;
    // Lets `ms` milliseconds pass for the windows: the page's timer fires each second
    // while it runs.
    virtual void pass(fw::Page& page, unsigned ms) = 0;
    // The headings of the columns of list view `id`, and their widths where the back end
    // knows them.
    virtual std::vector<std::string> headings(const fw::Page& page, int id) = 0;
    virtual std::optional<std::vector<int>> columnWidths(const fw::Page& page, int id) = 0;
};

struct StatisticsWorldParam {
    std::string name;
    std::function<std::unique_ptr<StatisticsWorld>()> make;
};

inline void PrintTo(const StatisticsWorldParam& param, std::ostream* out) { *out << param.name; }

inline std::string statisticsWorldName(const testing::TestParamInfo<StatisticsWorldParam>& info) {
    return info.param.name;
}

class StatisticsSuite : public testing::TestWithParam<StatisticsWorldParam> {
protected:
    void SetUp() override;
    void TearDown() override;

    // The page of type `Page` over `api`, in a sheet with a second page to leave it for,
    // shown.
    template <class Page>
    Page& show(const ZelApi& api) {
        host.library = &api;
        auto made = std::make_unique<Page>(host);
        Page& shown = *made;
        page = std::move(made);
        showPage();
        return shown;
    }
    void showPage();
    // The other page is shown, and then this one again.
    void leavePage();
    void returnToPage();
    // One tick of the page's timer.
    void tick();
    // The four cells of every row of list view `id`.
    std::vector<std::array<std::string, 4>> table(int id) const;

    // The main window as the pages see it.
    class Host final : public StatisticsHost {
    public:
        const ZelApi& api() const override { return *library; }
        ZelHandle adapter() const override { return handle; }
        ConnectionState connection() const override { return link; }
        const ZelApi* library = nullptr;
        ZelHandle handle = nullptr;
        ConnectionState link;
    };

    std::unique_ptr<StatisticsWorld> world;
    Host host;
    std::unique_ptr<CZelPage> page;
    fw::Page other{IDD_ABOUT, "About"};
    std::unique_ptr<fw::Sheet> sheet;
};
