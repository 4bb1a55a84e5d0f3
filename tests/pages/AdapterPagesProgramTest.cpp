// The real Tovix.exe with the simulated card under Wine: the Advanced page shows what a
// card with other settings than the power-on ones holds, its changes reach the card (read
// back after leaving the page), the main window's OK sends what waits, its auto-connect
// switch changes what the worker does from its next cycle on; the About page shows the
// versions of the built files. Pictures of both pages in "program-screens".
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "TovixVersion.h"
#include "app/ExitCode.h"
#include "res/resource.h"
#include "tests/pages/ProgramPages.h"
#include "tests/support/win32/ProgramDriver.h"

namespace {

using namespace program_driver;
using namespace program_pages;

constexpr int kAdvancedTab = 4;
constexpr int kAboutTab = 6;
// The worker's cycle, and how long the card takes to associate in this world.
constexpr DWORD kCycleMs = 5000;
constexpr DWORD kAssociationMs = 300;

const char kScenario[] = R"(
card
    mac                 00:1D:6A:70:42:17
    region              0x30
    firmware-version    5.2.1.3
    driver-version      "5.10.0.1"
    driver-date         "7-3-2005"
    description         "VORNAX TX-LM70RDV CardBus Adapter"
    association-delay   300
    power-mode          1
    preamble            2
    tx-power            2
    rx-antenna          2
    frag-threshold      1500
    rts-threshold       700

network
    ssid        "Corner-Open"
    bssid       00:1D:6A:10:00:01
    channel     6
    rssi        -50
)";

class AdapterPagesProgram : public TovixProgram {
protected:
    void SetUp() override {
        for (const char* file : {"Tovix.exe", "Tovix.dll"}) {
            ASSERT_TRUE(CopyFileA((ownFolder() + file).c_str(), folder.file(file).c_str(), FALSE))
                << file;
        }
        FILE* scenario = std::fopen(folder.file("Tovix.scn").c_str(), "wb");
        ASSERT_TRUE(scenario);
        std::fputs(kScenario, scenario);
        std::fclose(scenario);
        // The worker stays quiet until a test switches it on.
        setting("Advanced", "Auto Configuration", "0");
        setting("Advanced", "AutoLink", "0");
    }

    int storedSetting(const char* key) {
        return static_cast<int>(
            GetPrivateProfileIntA("Advanced", key, -1, folder.file("Tovix.ini").c_str()));
    }

    // Starts the program; the card is open once the radio pages may be shown.
    void start() {
        ASSERT_NO_FATAL_FAILURE(TovixProgram::start());
        ASSERT_TRUE(waitUntil([&] {
            return showTab(kAdvancedTab) != nullptr &&
                   text(kAdvancedTab, IDC_ADV_DESCRIPTION) != "";
        }));
    }
    std::string text(int tab, int control) { return windowText(GetDlgItem(showTab(tab), control)); }
    static std::string shown(HWND page, int control) {
        return windowText(GetDlgItem(page, control));
    }
};

TEST_F(AdapterPagesProgram, TheAdvancedPageShowsTheCardAndItsChangesReachIt) {
    start();
    HWND page = showTab(kAdvancedTab);
    EXPECT_EQ(shown(page, IDC_ADV_DESCRIPTION), "VORNAX TX-LM70RDV CardBus Adapter");
    EXPECT_EQ(shown(page, IDC_ADV_POWER_SAVE), "Max Power Save");
    EXPECT_EQ(shown(page, IDC_ADV_PREAMBLE), "Short");
    EXPECT_EQ(shown(page, IDC_ADV_TX_POWER), "Medium");
    EXPECT_EQ(shown(page, IDC_ADV_RX_ANTENNA), "Diversity Off");
    EXPECT_EQ(shown(page, IDC_ADV_TX_ANTENNA), "Diversity On");
    EXPECT_EQ(shown(page, IDC_ADV_RATE), "Auto");
    EXPECT_EQ(shown(page, IDC_ADV_FRAG), "1500");
    EXPECT_EQ(shown(page, IDC_ADV_RTS), "700");
    EXPECT_EQ(SendDlgItemMessageA(page, IDC_ADV_AUTO_CONNECT, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    picture(page, "advanced");

    pickEntry(page, IDC_ADV_POWER_SAVE, 0);  // "Continuous Access"
    pickEntry(page, IDC_ADV_TX_POWER, 0);    // "Auto"
    pickEntry(page, IDC_ADV_RATE, 7);        // "12 Mbps"
    setText(page, IDC_ADV_FRAG, "100");
    setText(page, IDC_ADV_RTS, "5000");
    pressButton(page, IDC_ADV_APPLY);
    EXPECT_TRUE(waitUntil([&] { return shown(page, IDC_ADV_FRAG) == "256"; }));
    EXPECT_EQ(shown(page, IDC_ADV_RTS), "2347");

    // Read back from the card.
    showTab(kNetworkStatusTab);
    page = showTab(kAdvancedTab);
    EXPECT_EQ(shown(page, IDC_ADV_POWER_SAVE), "Continuous Access");
    EXPECT_EQ(shown(page, IDC_ADV_TX_POWER), "Auto");
    EXPECT_EQ(shown(page, IDC_ADV_RATE), "12 Mbps");
    EXPECT_EQ(shown(page, IDC_ADV_FRAG), "256");
    EXPECT_EQ(shown(page, IDC_ADV_RTS), "2347");

    // Left without Apply, a change is dropped; the main window's OK sends it.
    pickEntry(page, IDC_ADV_TX_POWER, 3);  // "Low"
    showTab(kNetworkStatusTab);
    EXPECT_EQ(text(kAdvancedTab, IDC_ADV_TX_POWER), "Auto");
    page = showTab(kAdvancedTab);
    pickEntry(page, IDC_ADV_TX_POWER, 3);
    pressButton(sheet, IDOK);
    EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(sheet); }));
    PostMessageA(sheet, WM_COMMAND, ID_TRAY_RESTORE, 0);
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(sheet) != FALSE; }));
    EXPECT_EQ(text(kAdvancedTab, IDC_ADV_TX_POWER), "Low");
}

TEST_F(AdapterPagesProgram, TheAutoConnectSwitchReachesTheWorkerWithinOneCycle) {
    start();
    // Switched off, the worker lets a whole cycle pass without connecting.
    HWND status = showTab(kNetworkStatusTab);
    waitUntil([] { return false; }, kCycleMs + kAssociationMs + 1000);
    EXPECT_EQ(shown(status, kStatusText), "No Connection");

    HWND page = showTab(kAdvancedTab);
    PostMessageA(GetDlgItem(page, IDC_ADV_AUTO_CONNECT), BM_CLICK, 0, 0);
    EXPECT_TRUE(waitUntil([&] { return storedSetting("Auto Configuration") == 1; }));
    EXPECT_EQ(SendDlgItemMessageA(page, IDC_ADV_AUTO_CONNECT, BM_GETCHECK, 0, 0), BST_CHECKED);
    // "<Default>" joins the open network on the worker's next cycle.
    status = showTab(kNetworkStatusTab);
    EXPECT_TRUE(waitUntil([&] { return shown(status, kStatusText) == "Connected"; },
                          kCycleMs + kAssociationMs + 2000))
        << shown(status, kStatusText);

    page = showTab(kAdvancedTab);
    PostMessageA(GetDlgItem(page, IDC_ADV_AUTO_CONNECT), BM_CLICK, 0, 0);
    EXPECT_TRUE(waitUntil([&] { return storedSetting("Auto Configuration") == 0; }));
}

// The last write of a file as the About page shows it: "month-day-year".
std::string dateOf(const std::string& path) {
    WIN32_FIND_DATAA entry = {};
    const HANDLE found = FindFirstFileA(path.c_str(), &entry);
    if (found == INVALID_HANDLE_VALUE) return "no file";
    FindClose(found);
    FILETIME local = {};
    SYSTEMTIME date = {};
    FileTimeToLocalFileTime(&entry.ftLastWriteTime, &local);
    FileTimeToSystemTime(&local, &date);
    return std::to_string(date.wMonth) + "-" + std::to_string(date.wDay) + "-" +
           std::to_string(date.wYear);
}

TEST_F(AdapterPagesProgram, TheAboutPageShowsTheBuiltFilesAndTheCard) {
    start();
    HWND page = showTab(kAboutTab);
    const std::string version =
        std::string(TOVIX_VERSION_TEXT) + " (" + dateOf(folder.file("Tovix.exe")) + ")";
    EXPECT_EQ(shown(page, IDC_ABOUT_PROGRAM), version);
    EXPECT_EQ(shown(page, IDC_ABOUT_LIBRARY), version);
    EXPECT_EQ(shown(page, IDC_ABOUT_FIRMWARE), "5.2.1.3");
    EXPECT_EQ(shown(page, IDC_ABOUT_DRIVER), "5.10.0.1 (7-3-2005)");
    EXPECT_EQ(shown(page, IDC_ABOUT_MAC), "00 1D 6A 70 42 17");
    EXPECT_EQ(shown(page, IDC_ABOUT_REGION), "ETSI (Europe)");
    picture(page, "about");
}

}  // namespace
