// The Statistics pages' suite under Wine, on the program's own templates, with the widths
// the list views really have.
#include <windows.h>
#include <commctrl.h>

#include "framework/win32/Win32Host.h"
#include "tests/pages/StatisticsSuite.h"
#include "tests/support/win32/ProgramDriver.h"
#include "tests/support/win32/Win32BackEnd.h"

namespace {

class Win32World final : public StatisticsWorld {
public:
    fwtest::BackEnd& windows() override { return *windows_; }
    void pass(fw::Page&, unsigned ms) override {
        program_driver::waitUntil([] { return false; }, ms);
    }
    std::vector<std::string> headings(const fw::Page& page, int id) override {
        std::vector<std::string> headings;
        const HWND list = GetDlgItem(fw::Win32Host::windowOf(page), id);
        for (int column = 0;; ++column) {
            char text[64] = {};
            LVCOLUMNA info = {};
            info.mask = LVCF_TEXT;
            info.pszText = text;
            info.cchTextMax = sizeof text;
            if (!SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info))) {
                return headings;
            }
            headings.push_back(text);
        }
    }
    std::optional<std::vector<int>> columnWidths(const fw::Page& page, int id) override {
        const HWND list = GetDlgItem(fw::Win32Host::windowOf(page), id);
        std::vector<int> widths;
        for (size_t column = 0; column < headings(page, id).size(); ++column) {
            widths.push_back(static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0)));
        }
        return widths;
    }

private:
    std::unique_ptr<fwtest::BackEnd> windows_ = fwtest::makeWin32BackEnd();
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Win32, StatisticsSuite,
                         testing::Values(StatisticsWorldParam{
                             "Win32", [] { return std::make_unique<Win32World>(); }}),
                         statisticsWorldName);
