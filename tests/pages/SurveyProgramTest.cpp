// The real Tovix.exe with the simulated card under Wine, in the default world and two
// networks more that the card cannot hear: the Site Survey page lists what the card
// hears with its security, channel, signal and type; a double-click joins the open
// network with a new profile; the WPA2-PSK network asks for its passphrase in
// "Configure Network" and then connects.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "app/ExitCode.h"
#include "res/resource.h"
#include "tests/pages/ProgramPages.h"
#include "tests/support/win32/ProgramDriver.h"
#include "tests/support/win32/RemoteListView.h"

namespace {

using namespace program_driver;
using namespace program_pages;

constexpr int kInUseProfileImage = 1;

// Beside the default world: a network too weak to be heard, and one on a channel outside
// the card's region (1 to 11).
constexpr const char* kUnheard = R"(
network
    ssid        "Too-Far"
    bssid       00:1D:6A:60:00:01
    channel     6
    rssi        -105

network
    ssid        "Channel-13"
    bssid       00:1D:6A:60:00:0D
    channel     13
    rssi        -50
)";

struct Listed {
    const char* ssid;
    const char* bssid;
    const char* security;
    const char* channel;
    int lowestSignal;  // percent; networks that drift vary up to 100
    const char* type;
    int image;
};

// The default world as the card hears it, in scan order.
const Listed kDefaultWorld[] = {
    {"VORNAX-Guest", "00-1D-6A-10-00-01", "Disable", "1", 100, "Infrastructure", 4},
    {"Cafe Corner", "00-0F-B5-22-31-40", "Enable", "6", 72, "Infrastructure", 4},
    {"Workshop", "00-40-96-A1-B2-C3", "Enable", "11", 62, "Infrastructure", 2},
    {"HomeNet", "00-14-BF-3C-11-02", "Enable", "6", 87, "Infrastructure", 4},
    {"Studio", "00-1D-6A-20-00-05", "Enable", "11", 100, "Infrastructure", 4},
    {"CorpNet", "00-0B-86-40-7E-11", "Enable", "1", 87, "Infrastructure", 4},
    {"<00-1D-6A-30-00-09>", "00-1D-6A-30-00-09", "Enable", "9", 75, "Infrastructure", 4},
    {"Lab-5G", "00-1D-6A-50-00-24", "Enable", "36", 100, "Infrastructure", 4},
    {"Lab-5G-Open", "00-1D-6A-50-01-49", "Disable", "149", 82, "Infrastructure", 4},
    {"PrinterRoom", "00-40-05-5B-0B-0B", "Disable", "4", 45, "Infrastructure", 2},
    {"Laptop-Peer", "02-1B-77-6E-00-01", "Disable", "3", 65, "Ad-Hoc", 0},
    {"VORNAX-Link", "00-1D-6A-AA-00-07", "Disable", "8", 90, "Infrastructure", 4},
};

class SurveyProgram : public TovixProgram {
protected:
    void SetUp() override {
        for (const char* file : {"Tovix.exe", "Tovix.dll"}) {
            ASSERT_TRUE(CopyFileA((ownFolder() + file).c_str(), folder.file(file).c_str(), FALSE))
                << file;
        }
        std::ifstream defaults(ownFolder() + "Tovix.scn", std::ios::binary);
        const std::string world((std::istreambuf_iterator<char>(defaults)),
                                std::istreambuf_iterator<char>());
        ASSERT_FALSE(world.empty());
        std::ofstream(folder.file("Tovix.scn"), std::ios::binary) << world << kUnheard;
        // The card joins only what the test asks for.
        setting("Advanced", "Auto Configuration", "0");
        setting("Advanced", "AutoLink", "0");

        ASSERT_NO_FATAL_FAILURE(start());
        survey = showTab(kSiteSurveyTab);
        ASSERT_TRUE(survey);
        list = GetDlgItem(survey, IDC_SS_LIST);
        ASSERT_TRUE(waitUntil([&] { return RemoteListView(list).rows() > 0; }));
    }
    // The row of `ssid` shows the in-use mark, and the Network Status page the link.
    bool connectedTo(const char* ssid) {
        const bool marked = waitUntil([&] {
            RemoteListView rows(list);
            const int row = rows.find(ssid);
            return row >= 0 && rows.image(row) % 2 == 1;
        });
        HWND status = showTab(kNetworkStatusTab);
        const bool shown = waitUntil([&] {
            return windowText(GetDlgItem(status, kStatusText)) == "Connected" &&
                   windowText(GetDlgItem(status, kStatusSsid)) == ssid;
        });
        return marked && shown;
    }
    // The Profile Manager lists a profile named `name`, marked in use.
    bool profileInUse(const char* name) {
        HWND manager = showTab(kProfileManagerTab);
        RemoteListView profiles(GetDlgItem(manager, IDC_PM_LIST));
        const int row = profiles.find(name);
        return row >= 0 && profiles.image(row) == kInUseProfileImage;
    }

    HWND survey = nullptr;
    HWND list = nullptr;
};

TEST_F(SurveyProgram, TheSurveyListsWhatTheCardHearsAndADoubleClickJoinsTheOpenNetwork) {
    RemoteListView rows(list);
    ASSERT_EQ(rows.rows(), static_cast<int>(std::size(kDefaultWorld))) << rows.texts().size();
    for (int row = 0; row < rows.rows(); ++row) {
        const Listed& expected = kDefaultWorld[row];
        EXPECT_EQ(rows.cell(row, 0), expected.ssid) << row;
        EXPECT_EQ(rows.cell(row, 1), expected.bssid) << expected.ssid;
        EXPECT_EQ(rows.cell(row, 2), expected.security) << expected.ssid;
        EXPECT_EQ(rows.cell(row, 3), expected.channel) << expected.ssid;
        const int signal = std::stoi(rows.cell(row, 4));
        EXPECT_TRUE(signal >= expected.lowestSignal && signal <= 100)
            << expected.ssid << " " << rows.cell(row, 4);
        EXPECT_EQ(rows.cell(row, 5), expected.type) << expected.ssid;
        EXPECT_EQ(rows.image(row), expected.image) << expected.ssid;
    }
    EXPECT_EQ(rows.find("Too-Far"), -1);
    EXPECT_EQ(rows.find("Channel-13"), -1);
    picture(survey, "site-survey");

    rows.doubleClick(rows.find("VORNAX-Guest"));
    EXPECT_TRUE(connectedTo("VORNAX-Guest"));
    EXPECT_TRUE(profileInUse("VORNAX-Guest"));
    survey = showTab(kSiteSurveyTab);
    EXPECT_EQ(RemoteListView(list).image(0), 5);
    picture(survey, "site-survey-joined");

    // The 802.11b peer is joined on its own band.
    RemoteListView(list).doubleClick(RemoteListView(list).find("Laptop-Peer"));
    EXPECT_TRUE(waitUntil([&] {
        RemoteListView now(list);
        const int row = now.find("Laptop-Peer");
        return row >= 0 && now.image(row) == 1;
    })) << "the peer's in-use mark";
    EXPECT_TRUE(profileInUse("Laptop-Peer"));
}

TEST_F(SurveyProgram, JoiningTheWpa2PskNetworkAsksForItsPassphraseFirst) {
    RemoteListView rows(list);
    rows.doubleClick(rows.find("Studio"));
    HWND configure = driver.waitForWindow("Configure Network");
    ASSERT_TRUE(configure);
    HWND security = reinterpret_cast<HWND>(SendMessageA(configure, PSM_GETCURRENTPAGEHWND, 0, 0));
    EXPECT_EQ(windowText(GetDlgItem(security, IDC_SEC_AUTHENTICATION)), "WPA2-PSK");
    EXPECT_EQ(windowText(GetDlgItem(security, IDC_SEC_ENCRYPTION)), "AES");
    for (int edit : {IDC_SEC_PASSPHRASE, IDC_SEC_CONFIRM}) {
        SendMessageA(GetDlgItem(security, edit), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>("blue whale song"));
    }
    picture(configure, "configure-network");
    pressButton(configure, IDOK);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(configure); }));
    EXPECT_TRUE(connectedTo("Studio"));
    EXPECT_TRUE(profileInUse("Studio"));
}

}  // namespace
