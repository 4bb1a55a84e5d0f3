// The real Tovix.exe with the simulated card under Wine and Auto Link on: the "Auto Link"
// dialog comes up by itself while the card is not connected and an Auto Link access point
// is in range, and ends as the access point makes it end: set up with the PIN and joined
// under the SSID it reports, joined with its PIN after a wrong one, failed, or cut short
// by the card going away, or left by Exit before the card has joined. Pictures of the
// dialog, of a countdown and of the main window after Exit.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/pages/ProgramPages.h"
#include "tests/support/win32/ProgramDriver.h"
#include "tests/support/win32/RemoteListView.h"

namespace {

using namespace program_driver;
using namespace program_pages;

constexpr const char* kDialogTitle = "Auto Link";
constexpr const char* kPin = "tiger-lily-42";
constexpr const char* kAssociationFailed =
    "Association Failed!\r\nPlease make sure the PIN is correct";
// The exchange's countdowns (5 + 5 + 15 seconds at most) and the association timer fit.
constexpr DWORD kExchangePatience = 40000;

constexpr const char* kCard = R"(card
    mac 00:1D:6A:70:42:17
    exchange-step 50
    association-delay 300
)";

std::string unconfigured(const char* outcome) {
    return std::string(R"(network
    ssid "VORNAX-Link"
    bssid 00:1D:6A:AA:00:07
    channel 8
    auto-link unconfigured 7
    auto-link-ssid "VORNAX-Home"
    auto-link-outcome )") +
           outcome + "\n";
}

constexpr const char* kConfigured = R"(network
    ssid "VORNAX-Office"
    bssid 00:1D:6A:AA:00:09
    channel 1
    security wpa-psk
    passphrase "tiger-lily-42"
    auto-link configured 9
)";

class AutoLinkProgram : public TovixProgram {
protected:
    // Starts the program in `world` with Auto Link on and automatic connection off; the
    // Auto Link dialog.
    HWND start(const std::string& world) {
        for (const char* file : {"Tovix.exe", "Tovix.dll"}) {
            EXPECT_TRUE(CopyFileA((ownFolder() + file).c_str(), folder.file(file).c_str(), FALSE));
        }
        writeWorld(world);
        setting("Advanced", "Auto Configuration", "0");
        setting("Advanced", "AutoLink", "1");
        TovixProgram::start();
        return driver.waitForWindow(kDialogTitle);
    }
    void writeWorld(const std::string& world) {
        const std::string temporary = folder.file("Tovix.scn.new");
        HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, world.data(), static_cast<DWORD>(world.size()), &written, nullptr);
        CloseHandle(file);
        MoveFileExA(temporary.c_str(), folder.file("Tovix.scn").c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    static void enterPin(HWND dialog, const char* pin, const char* confirmation = "") {
        SendMessageA(GetDlgItem(dialog, IDC_AUTO_LINK_PIN), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(pin));
        SendMessageA(GetDlgItem(dialog, IDC_AUTO_LINK_CONFIRM), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(confirmation));
        pressButton(dialog, IDOK);
    }
    bool dialogGone() {
        return waitUntil([] { return windowsTitled(kDialogTitle).empty(); }, kExchangePatience);
    }
    // The Network Status page shows the card connected to `ssid`.
    bool connectedTo(const char* ssid) {
        if (!waitUntil([&] { return IsWindowVisible(sheet) != FALSE; })) return false;
        HWND status = showTab(kNetworkStatusTab);
        return waitUntil([&] {
            return windowText(GetDlgItem(status, kStatusText)) == "Connected" &&
                   windowText(GetDlgItem(status, kStatusSsid)) == ssid;
        });
    }
    std::vector<std::string> profileNames() {
        HWND manager = showTab(kProfileManagerTab);
        RemoteListView rows(GetDlgItem(manager, IDC_PM_LIST));
        std::vector<std::string> names;
        for (int row = 0; row < rows.rows(); ++row) names.push_back(rows.cell(row, 0));
        return names;
    }
};

TEST_F(AutoLinkProgram, ANewAccessPointTakesThePinAndIsJoinedUnderTheSsidItReports) {
    HWND dialog = start(std::string(kCard) + unconfigured("success"));
    ASSERT_TRUE(dialog);
    picture(dialog, "auto-link");
    enterPin(dialog, kPin, kPin);
    ASSERT_TRUE(waitUntil([] { return !windowsTitled(" 5 seconds remaining...").empty(); }));
    waitUntil([] { return false; }, 1200);
    picture(windowsTitled(" 4 seconds remaining...").at(0), "auto-link-countdown");
    ASSERT_TRUE(dialogGone());
    EXPECT_TRUE(connectedTo("VORNAX-Home"));
    const auto names = profileNames();
    EXPECT_EQ(names.at(0), "VORNAX-Home");
}

TEST_F(AutoLinkProgram, AWrongPinFailsOnceAndTheRightOneJoinsTheConfiguredAccessPoint) {
    HWND dialog = start(std::string(kCard) + kConfigured);
    ASSERT_TRUE(dialog);
    enterPin(dialog, "not-the-pin");
    const std::optional<MessageBoxView> box = driver.waitForMessageBox(kExchangePatience);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, kAssociationFailed);
    EXPECT_EQ(box->caption, kDialogTitle);
    pressButton(box->window, IDOK);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(box->window); }));
    EXPECT_FALSE(driver.waitForMessageBox(1500)) << "a second box";

    enterPin(dialog, kPin);
    ASSERT_TRUE(dialogGone());
    EXPECT_TRUE(connectedTo("VORNAX-Office"));
    EXPECT_EQ(profileNames().at(0), "VORNAX-Office");
}

TEST_F(AutoLinkProgram, AFailedExchangeClosesAfterItsCountdownWithNoProfile) {
    HWND dialog = start(std::string(kCard) + unconfigured("failure"));
    ASSERT_TRUE(dialog);
    // Not asked again while the program runs, so that the test may end it.
    SendMessageA(GetDlgItem(dialog, IDC_AUTO_LINK_DONT_ASK), BM_SETCHECK, BST_CHECKED, 0);
    enterPin(dialog, kPin, kPin);
    ASSERT_TRUE(waitUntil([] { return !windowsTitled(" 3 seconds remaining...").empty(); },
                          kExchangePatience));
    ASSERT_TRUE(dialogGone());
    for (const std::string& name : profileNames()) EXPECT_NE(name, "VORNAX-Home");
}

TEST_F(AutoLinkProgram, ExitWhileTheCardJoinsLeavesTheAccessPoint) {
    const std::string slowCard = R"(card
    mac 00:1D:6A:70:42:17
    association-delay 2500
)";
    HWND dialog = start(slowCard + kConfigured);
    ASSERT_TRUE(dialog);
    SendMessageA(GetDlgItem(dialog, IDC_AUTO_LINK_DONT_ASK), BM_SETCHECK, BST_CHECKED, 0);
    enterPin(dialog, kPin);
    pressButton(dialog, IDCANCEL);
    ASSERT_TRUE(dialogGone());
    // Longer than the card would take to join.
    waitUntil([] { return false; }, 4000);
    PostMessageA(sheet, WM_COMMAND, ID_TRAY_RESTORE, 0);
    ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(sheet) != FALSE; }));
    HWND status = showTab(kNetworkStatusTab);
    picture(status, "auto-link-exit");
    EXPECT_NE(windowText(GetDlgItem(status, kStatusText)), "Connected");
}

TEST_F(AutoLinkProgram, PullingTheCardClosesTheDialogAndTheProgramStillEnds) {
    ASSERT_TRUE(start(std::string(kCard) + unconfigured("success")));
    writeWorld(std::string(kCard) + "    present no\n" + unconfigured("success"));
    EXPECT_TRUE(dialogGone());
    // The worker is gone with the card: the program ends at once.
    exitProgram();
}

}  // namespace
