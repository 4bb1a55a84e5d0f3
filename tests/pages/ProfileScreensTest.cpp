// Pictures of the "Create New Profile" wizard's pages, of the security page in its WEP,
// pre-shared key and 802.1x forms with the WEP key dialog, and of the Profile Manager as
// the screen shows them, saved as bitmaps in the folder "profile-screens" beside the test
// for people to look at, and checked for the wizard's header titles and images.
#include <windows.h>
#include <commctrl.h>
#include <gmock/gmock.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/Sheet.h"
#include "framework/win32/Win32Host.h"
#include "pages/AdvSettgPage.h"
#include "pages/BasicSettgPage.h"
#include "pages/ProfileManager.h"
#include "pages/SecuritySettgPage.h"
#include "pages/win32/Win32CertificatePlatform.h"
#include "res/resource.h"
#include "tests/pages/ProfileSuite.h"
#include "tests/support/win32/Layout.h"
#include "tests/support/win32/ScreenPicture.h"
#include "tests/support/win32/Win32BackEnd.h"
#include "tests/support/win32/Win32User.h"

namespace {

using fwtest::capture;
using fwtest::Picture;

HINSTANCE program() { return GetModuleHandleA(nullptr); }

// Saves the picture in the folder "profile-screens" beside the test.
void save(const Picture& picture, const std::string& name) {
    EXPECT_TRUE(fwtest::save(picture, "profile-screens", name)) << name;
}

// Colours of the wizard's images (res/draw_profile_art.py): the blue of the waves in
// both, and the dark blue that only the watermark's background has.
constexpr COLORREF kArtBlue = RGB(0x1F, 0x5F, 0xB4);
constexpr COLORREF kWatermarkDarkBlue = RGB(0x13, 0x3C, 0x76);

// The wizard being pictured, and its pictures. The wizard is modal: the pictures are
// taken from a timer in its message loop.
CProfileSheet* gWizard = nullptr;
std::vector<Picture> gWizardPages;
std::vector<std::string> gWizardTitles;

void CALLBACK pictureWizard(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    CProfileSheet& wizard = *gWizard;
    fwtest::Win32User network(fw::Win32Host::windowOf(*wizard.networkPage()));
    network.type(IDC_NET_NAME, "Lounge");
    network.type(IDC_NET_SSID, "LoungeNet");
    network.pick(IDC_NET_TYPE, 1);
    network.pick(IDC_NET_CHANNEL, 6);
    for (int page = 0; page < wizard.pageCount(); ++page) {
        gWizardPages.push_back(capture(fw::Win32Host::windowOf(wizard)));
        char title[128] = {};
        GetWindowTextA(fw::Win32Host::windowOf(wizard), title, sizeof title);
        gWizardTitles.push_back(title);
        wizard.pressButton(fw::SheetButton::Next);
    }
    wizard.pressButton(fw::SheetButton::Cancel);
}

TEST(ProfileScreens, TheWizardsPagesWithTheirHeaderTitles) {
    fw::Win32Host host(program());
    pagestest::FakeMainWindow mainWindow(fwtest::resourceText);
    mainWindow.channels = {1, 13};
    CProfileSheet wizard(mainWindow, CProfileSheet::Purpose::Wizard);
    gWizard = &wizard;
    SetTimer(nullptr, 0, 50, pictureWizard);
    host.runSheet(wizard, nullptr);
    gWizard = nullptr;
    ASSERT_EQ(gWizardPages.size(), 3u);
    save(gWizardPages[0], "wizard-1-network");
    save(gWizardPages[1], "wizard-2-protocol");
    save(gWizardPages[2], "wizard-3-summary");
    // The title bar reads the wizard's title on every page; the pages' own titles are in
    // the header.
    EXPECT_THAT(gWizardTitles, testing::Each(std::string("Create New Profile")));
    // Wizard 97: the header title in black letters at the top left, on the pages that
    // have one.
    const int top = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFIXEDFRAME);
    const auto titled = [top](const Picture& page) {
        return page.shows(RGB(0, 0, 0), 16, top + 6, page.width / 2, top + 28);
    };
    EXPECT_TRUE(titled(gWizardPages[0]));
    EXPECT_TRUE(titled(gWizardPages[1]));
    // The pages with a header title show the header image at the top right; the summary
    // is an exterior page with the watermark down its left side.
    const auto headed = [top](const Picture& page) {
        return page.shows(kArtBlue, page.width / 2, top, page.width, top + 60);
    };
    const auto besideWatermark = [top](const Picture& page) {
        return page.shows(kWatermarkDarkBlue, 0, top, page.width / 4, page.height);
    };
    EXPECT_TRUE(headed(gWizardPages[0]));
    EXPECT_TRUE(headed(gWizardPages[1]));
    EXPECT_FALSE(headed(gWizardPages[2]));
    EXPECT_FALSE(besideWatermark(gWizardPages[0]));
    EXPECT_TRUE(besideWatermark(gWizardPages[2]));
}

// The security page in its forms, and the WEP key dialog over it; taken from timers in
// the wizard's and the dialog's message loops.
std::vector<std::pair<std::string, Picture>> gSecurityPictures;
std::vector<std::string> gSecurityLayoutFaults;

// Pictures the security page in its form `name`, and checks the form's layout.
void pictureForm(HWND sheet, HWND page, const std::string& name) {
    gSecurityPictures.emplace_back(name, capture(sheet));
    for (const std::string& fault : fwtest::layoutFaults(page)) {
        gSecurityLayoutFaults.push_back(name + ": " + fault);
    }
}

void CALLBACK pictureWepKeys(HWND, UINT, UINT_PTR timer, DWORD) {
    // Once the dialog is on the screen, with everything it has to draw drawn.
    HWND dialog = FindWindowA(nullptr, "Configure WEP Key");
    if (!dialog || !IsWindowVisible(dialog)) return;
    KillTimer(nullptr, timer);
    fwtest::Win32User keys(dialog);
    keys.pick(IDC_WEP_SIZE, 1);
    keys.type(IDC_WEP_KEY1, "cafe+corner7!");
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) {
        DispatchMessageA(&message);
    }
    gSecurityPictures.emplace_back("wep-keys", capture(dialog));
    keys.click(IDCANCEL);
}

void CALLBACK pictureSecurity(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    CProfileSheet& wizard = *gWizard;
    HWND sheet = fw::Win32Host::windowOf(wizard);
    fwtest::Win32User network(fw::Win32Host::windowOf(*wizard.networkPage()));
    network.type(IDC_NET_NAME, "Cafe");
    network.type(IDC_NET_SSID, "Cafe Corner");
    wizard.pressButton(fw::SheetButton::Next);
    const HWND page = fw::Win32Host::windowOf(*wizard.securityPage());
    fwtest::Win32User security(page);
    pictureForm(sheet, page, "security-open");
    security.pick(IDC_SEC_ENCRYPTION, 1);  // WEP
    pictureForm(sheet, page, "security-wep");
    SetTimer(nullptr, 0, 50, pictureWepKeys);
    security.click(IDC_SEC_WEP_KEYS);
    security.pick(IDC_SEC_AUTHENTICATION, 5);  // WPA2-PSK
    security.type(IDC_SEC_PASSPHRASE, "blue whale song");
    pictureForm(sheet, page, "security-psk");
    security.pick(IDC_SEC_AUTHENTICATION, 7);  // WPA2
    pictureForm(sheet, page, "security-8021x");
    wizard.pressButton(fw::SheetButton::Cancel);
}

TEST(ProfileScreens, TheSecurityPageInItsFormsAndTheWepKeyDialog) {
    fw::Win32Host host(program());
    pagestest::FakeMainWindow mainWindow(fwtest::resourceText);
    Win32CertificatePlatform certificates;
    mainWindow.securityPage = [&certificates](CProfileSheet& sheet) {
        return std::make_unique<CSecuritySettgPage>(sheet, certificates);
    };
    CProfileSheet wizard(mainWindow, CProfileSheet::Purpose::Wizard);
    gWizard = &wizard;
    SetTimer(nullptr, 0, 50, pictureSecurity);
    host.runSheet(wizard, nullptr);
    gWizard = nullptr;
    ASSERT_EQ(gSecurityPictures.size(), 5u);
    for (const auto& [name, picture] : gSecurityPictures) save(picture, name);
    // Each form looks different, and the dialog is a window of its own size.
    EXPECT_NE(gSecurityPictures[1].second.pixels, gSecurityPictures[3].second.pixels);
    EXPECT_NE(gSecurityPictures[3].second.pixels, gSecurityPictures[4].second.pixels);
    EXPECT_LT(gSecurityPictures[2].second.width, gSecurityPictures[1].second.width);
    // Each form fits the page, with nothing clipped or overlapping.
    EXPECT_THAT(gSecurityLayoutFaults, testing::IsEmpty());
}

// Where a list-view row's image stands on the screen.
RECT rowImage(HWND list, int row) {
    RECT area = {};
    area.left = LVIR_ICON;
    SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&area));
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

TEST(ProfileScreens, TheProfileManagerMarksTheProfileInUse) {
    fw::Win32Host host(program());
    pagestest::FakeMainWindow mainWindow(fwtest::resourceText);
    mainWindow.list.append(std::make_unique<Profile>(makeDefaultProfile()));
    Profile* home = mainWindow.add("Home", NetworkInfrastructure, "HomeNet");
    mainWindow.add("Office", NetworkInfrastructure, "OfficeNet");
    mainWindow.add("Lounge", NetworkAdHoc, "LoungeNet")->preferred = 0;
    mainWindow.connectTo(home);
    Win32CertificatePlatform certificates;
    mainWindow.securityPage = [&certificates](CProfileSheet& sheet) {
        return std::make_unique<CSecuritySettgPage>(sheet, certificates);
    };
    CProfileManager manager(mainWindow);
    fw::Sheet mainSheet("VORNAX TX-LM70RDV Utility", fw::Sheet::Mode::Modeless);
    mainSheet.addPage(manager);
    host.createSheet(mainSheet, nullptr);
    HWND window = fw::Win32Host::windowOf(mainSheet);
    ASSERT_TRUE(window);
    save(capture(window), "manager");

    // The editor's tab strip lies whole inside the "Profile Setting" box.
    RECT box = {}, tabs = {};
    GetWindowRect(GetDlgItem(fw::Win32Host::windowOf(manager), IDC_PM_SETTING), &box);
    GetWindowRect(PropSheet_GetTabControl(fw::Win32Host::windowOf(manager.editor())), &tabs);
    EXPECT_TRUE(tabs.left > box.left && tabs.top > box.top && tabs.right < box.right &&
                tabs.bottom < box.bottom)
        << "box " << box.left << "," << box.top << "," << box.right << "," << box.bottom << " tabs "
        << tabs.left << "," << tabs.top << "," << tabs.right << "," << tabs.bottom;

    // The profile in use (first) shows its own image; the others share theirs.
    manager.ui().setRowState(IDC_PM_LIST, 3, fw::row::Selected, fw::row::Selected);
    HWND list = GetDlgItem(fw::Win32Host::windowOf(manager), IDC_PM_LIST);
    const Picture rows = capture(window);
    EXPECT_NE(rows.part(rowImage(list, 0)), rows.part(rowImage(list, 1)));
    EXPECT_EQ(rows.part(rowImage(list, 1)), rows.part(rowImage(list, 2)));

    manager.editor().activate(*manager.editor().protocolPage());
    save(capture(window), "manager-protocol");
    manager.editor().activate(*manager.editor().securityPage());
    save(capture(window), "manager-security");
    mainSheet.ui().endDialog(fw::id::Cancel);
}

}  // namespace
