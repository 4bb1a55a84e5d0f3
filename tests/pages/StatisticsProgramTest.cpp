// The real Tovix.exe with the simulated card and its default world, under Wine, connected
// to the open network by auto configuration: the standard Statistics page counts the
// frames and beacons second by second and its level bar follows the signal when the
// network fades; with "Statistics" set in the settings file the detailed page counts the
// received frames by signal and "&Reset" starts its counters again.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "app/ExitCode.h"
#include "res/resource.h"
#include "tests/pages/ProgramPages.h"
#include "tests/support/win32/ProgramDriver.h"
#include "tests/support/win32/RemoteListView.h"
#include "tests/support/win32/ScreenPicture.h"

namespace {

using namespace program_driver;
using namespace program_pages;

constexpr int kStatisticsTab = 3;
// The default world's open network, which "<Default>" joins, and its signal there.
constexpr const char* kOpenNetwork = "VORNAX-Guest";
constexpr const char* kOpenNetworkSignal = "rssi        -52";

unsigned long number(const std::string& text) { return std::strtoul(text.c_str(), nullptr, 10); }

class StatisticsProgram : public TovixProgram {
protected:
    void SetUp() override { ASSERT_EQ(copyProgram(folder), std::nullopt); }

    // Starts the program and waits until auto configuration has connected it; then shows
    // the Statistics page.
    HWND startConnected() {
        if (!driver.start(folder.file("Tovix.exe"), folder.path())) return nullptr;
        sheet = driver.waitForWindow(kTitle);
        if (!sheet) return nullptr;
        SendMessageA(sheet, PSM_SETCURSEL, kNetworkStatusTab, 0);
        HWND status = currentPage();
        const bool connected = waitUntil([&] {
            return windowText(GetDlgItem(status, IDC_STATUS_TEXT)) == "Connected" &&
                   windowText(GetDlgItem(status, IDC_STATUS_SSID)) == kOpenNetwork;
        });
        EXPECT_TRUE(connected) << windowText(GetDlgItem(status, IDC_STATUS_TEXT));
        SendMessageA(sheet, PSM_SETCURSEL, kStatisticsTab, 0);
        return connected ? currentPage() : nullptr;
    }
    HWND currentPage() const {
        return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }

    // Lets the program run for `ms` milliseconds.
    static void wait(DWORD ms) {
        waitUntil([] { return false; }, ms);
    }

    // The card's world changes as a person would change it: the scenario file is replaced
    // in one step.
    void replaceInScenario(const std::string& from, const std::string& to) {
        std::ifstream in(folder.file("Tovix.scn"), std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        in.close();
        const size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
        {
            std::ofstream out(folder.file("Tovix.new"), std::ios::binary);
            out << text;
        }
        ASSERT_TRUE(MoveFileExA(folder.file("Tovix.new").c_str(), folder.file("Tovix.scn").c_str(),
                                MOVEFILE_REPLACE_EXISTING));
    }

    // Whether the screen shows the red end of the level bar's gradient within `bar`: the
    // bar paints itself.
    bool showsRedEnd(HWND bar) const {
        const fwtest::Picture screen = fwtest::capture(sheet);
        RECT area;
        GetWindowRect(bar, &area);
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                const COLORREF colour = screen.at(x - screen.origin.x, y - screen.origin.y);
                if (GetRValue(colour) >= 240 && GetGValue(colour) <= 15 && GetBValue(colour) == 0) {
                    return true;
                }
            }
        }
        return false;
    }

    // Saves what the screen shows of the main window in "program-screens" beside the test.
    void picture(const std::string& name) {
        RedrawWindow(sheet, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        wait(500);
        EXPECT_TRUE(fwtest::save(fwtest::capture(sheet), "program-screens", name));
    }
};

TEST_F(StatisticsProgram, TheStandardPageCountsEverySecondAndFollowsTheSignal) {
    HWND page = startConnected();
    ASSERT_TRUE(page);
    RemoteListView transmit(GetDlgItem(page, IDC_STATS_TRANSMIT));
    RemoteListView receive(GetDlgItem(page, IDC_STATS_RECEIVE));
    ASSERT_EQ(transmit.rows(), 5);
    ASSERT_EQ(receive.rows(), 3);
    EXPECT_EQ(transmit.cell(1, 0), "Unicast Packet");
    EXPECT_EQ(transmit.cell(3, 2), "ACK Error");
    EXPECT_EQ(receive.cell(1, 2), "Received Beacons");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDC_STATS_RESET)));

    const HWND signal = GetDlgItem(page, IDC_STATS_SIGNAL);
    // A strong signal: the level bar stands at its top.
    EXPECT_TRUE(waitUntil([&] { return SendMessageA(signal, PBM_GETPOS, 0, 0) == 40; }, 3000));
    const unsigned long sent = number(transmit.cell(1, 1));
    const unsigned long beacons = number(receive.cell(1, 3));
    wait(2500);
    EXPECT_GT(number(transmit.cell(1, 1)), sent);
    EXPECT_GT(number(receive.cell(1, 3)), beacons);
    // The total is the unicast and multicast frames.
    const unsigned long total = number(receive.cell(0, 1));
    EXPECT_GE(total, number(receive.cell(1, 1)));
    EXPECT_TRUE(showsRedEnd(signal));
    picture("statistics-standard");

    // The network fades to -76 dBm, level 20 of 40: the bar comes down over the ten seconds
    // it averages.
    replaceInScenario(kOpenNetworkSignal, "rssi        -76");
    EXPECT_TRUE(waitUntil([&] { return SendMessageA(signal, PBM_GETPOS, 0, 0) < 40; }, 5000));
    EXPECT_TRUE(waitUntil(
        [&] {
            const LRESULT level = SendMessageA(signal, PBM_GETPOS, 0, 0);
            return level >= 16 && level <= 24;
        },
        15000))
        << SendMessageA(signal, PBM_GETPOS, 0, 0);
    // The weaker link retries.
    EXPECT_GT(number(transmit.cell(3, 1)), 0ul);
    picture("statistics-standard-weak");
}

TEST_F(StatisticsProgram, TheDetailedPageCountsBySignalAndResets) {
    ASSERT_TRUE(
        WritePrivateProfileStringA("Debug", "Statistics", "1", folder.file("Tovix.ini").c_str()));
    HWND page = startConnected();
    ASSERT_TRUE(page);
    RemoteListView transmit(GetDlgItem(page, IDC_STATS_TRANSMIT));
    RemoteListView receive(GetDlgItem(page, IDC_STATS_RECEIVE));
    RemoteListView rssi(GetDlgItem(page, IDC_STATS_RSSI));
    ASSERT_EQ(receive.rows(), 4);
    ASSERT_EQ(rssi.rows(), 2);
    EXPECT_EQ(receive.cell(1, 2), "FCS Per Sec");
    EXPECT_EQ(rssi.cell(1, 2), "60 & Up");
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, IDC_STATS_RESET)));

    // Every frame comes in at a strong signal.
    const unsigned long strong = number(rssi.cell(1, 3));
    wait(2500);
    EXPECT_GT(number(rssi.cell(1, 3)), strong);
    EXPECT_EQ(rssi.cell(0, 1), "0");
    picture("statistics-detailed");

    // Some seconds of traffic, then "&Reset": the counters start again from what the card
    // counted since.
    ASSERT_TRUE(waitUntil([&] { return number(transmit.cell(1, 1)) >= 200; }));
    const unsigned long before = number(transmit.cell(1, 1));
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_STATS_RESET, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_STATS_RESET)));
    EXPECT_TRUE(waitUntil([&] { return number(transmit.cell(1, 1)) < before; }, 3000));
    EXPECT_LT(number(transmit.cell(1, 1)), 100ul);
    EXPECT_LT(number(rssi.cell(1, 3)), 150ul);
    // And they go on counting.
    const unsigned long since = number(transmit.cell(1, 1));
    wait(2500);
    EXPECT_GT(number(transmit.cell(1, 1)), since);
    picture("statistics-detailed-reset");
}

}  // namespace
