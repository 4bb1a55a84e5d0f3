// The main window of the real Tovix.exe with the simulated card, under Wine: the tray as
// the shell sees it (this test is the notification area), the card unplugged and plugged
// in through its scenario file, the radio, Zero Configuration, and ending the program.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/ExitCode.h"
#include "profiles/ProfileFile.h"
#include "res/resource.h"
#include "tests/pages/ProgramPages.h"
#include "tests/shell/win32/FakeTray.h"
#include "tests/support/win32/ProgramDriver.h"
#include "tests/support/win32/ScreenPicture.h"

namespace {

using namespace program_driver;
using namespace program_pages;

constexpr UINT kTrayMessage = 0x8001;

const std::string kCard = R"(
card
    mac                 00:1D:6A:70:42:17
    region              0x10
    association-delay   300
network
    ssid        "OpenNet"
    bssid       00:1D:6A:10:00:01
    channel     1
    rssi        -50
)";

const std::vector<std::string> kReadmeTexts = {
    "VORNAX TX-LM70RDV Utility can not provide fully support because Windows XP Zero "
    "Configuration is enabled!",
    "You can disable Windows XP Zero Configuration to get fully support from VORNAX "
    "TX-LM70RDV Utility by doing the following:",
    "1. Double click at tray icon of Wireless Network Connection Status",
    "2. Click button <Properties>",
    "3. Click tab <Wireless Networks>",
    "4. Uncheck checkbox <Use Windows to configure my wireless network settings>",
    "5. Click button <OK>",
};

// Tovix.exe in a folder of its own with the simulated card and a scenario of the test's.
class Program : public TovixProgram {
protected:
    void SetUp() override {
        ASSERT_TRUE(tray.isTheTray()) << "another notification area comes first";
        ASSERT_TRUE(CopyFileA((ownFolder() + "Tovix.exe").c_str(), folder.file("Tovix.exe").c_str(),
                              FALSE));
        useLibrary("Tovix.dll");
        world(kCard);
    }
    void useLibrary(const char* library) {
        ASSERT_TRUE(
            CopyFileA((ownFolder() + library).c_str(), folder.file("Tovix.dll").c_str(), FALSE));
    }
    // The card's world, written in one step as the scenario's readers expect.
    void world(const std::string& scenario) {
        const std::string temporary = folder.file("Tovix.scn.new");
        const HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, scenario.data(), static_cast<DWORD>(scenario.size()), &written, nullptr);
        CloseHandle(file);
        ASSERT_TRUE(MoveFileExA(temporary.c_str(), folder.file("Tovix.scn").c_str(),
                                MOVEFILE_REPLACE_EXISTING));
    }
    void writeFile(const std::string& name, const std::string& bytes) {
        const HANDLE file = CreateFileA(folder.file(name).c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    std::string readFile(const std::string& name) const {
        const HANDLE file = CreateFileA(folder.file(name).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return {};
        std::string bytes(GetFileSize(file, nullptr), '\0');
        DWORD read = 0;
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
        CloseHandle(file);
        bytes.resize(read);
        return bytes;
    }
    // The program's next message box, answered with `button`; its text.
    std::string answerMessageBox(int button) {
        const std::optional<MessageBoxView> box = driver.waitForMessageBox();
        if (!box) return "(no message box)";
        EXPECT_EQ(box->caption, "Tovix");
        EXPECT_TRUE(box->hasIcon);
        pressButton(box->window, button);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(box->window); }));
        return box->text;
    }

    // The tray icon's tip, as the shell was given it.
    std::string tip() const { return tray.iconOf(sheet).tip; }
    bool waitForTip(const std::string& text) {
        return waitUntil([&] { return tip() == text; });
    }

    HWND tabs() const {
        return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    }
    int tabCount() const { return static_cast<int>(SendMessageA(tabs(), TCM_GETITEMCOUNT, 0, 0)); }
    int selectedTab() const { return static_cast<int>(SendMessageA(tabs(), TCM_GETCURSEL, 0, 0)); }
    HWND shownPage() const {
        return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }
    int shownPageIndex() const {
        return static_cast<int>(
            SendMessageA(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(shownPage()), 0));
    }
    // A window of the program in its main window's client coordinates.
    RECT placeOf(HWND window) const {
        RECT place;
        GetWindowRect(window, &place);
        MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&place), 2);
        return place;
    }
    // The bottom of the lowest tab, in the main window's client coordinates.
    int tabsBottom() const {
        DWORD processId = 0;
        GetWindowThreadProcessId(sheet, &processId);
        const HANDLE process =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, processId);
        void* memory = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
        int bottom = 0;
        for (int tab = 0; tab < tabCount(); ++tab) {
            RECT item = {};
            SendMessageA(tabs(), TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(memory));
            ReadProcessMemory(process, memory, &item, sizeof item, nullptr);
            MapWindowPoints(tabs(), sheet, reinterpret_cast<POINT*>(&item), 2);
            bottom = std::max<int>(bottom, item.bottom);
        }
        VirtualFreeEx(process, memory, 0, MEM_RELEASE);
        CloseHandle(process);
        return bottom;
    }
    void pressRight() { SendMessageA(tabs(), WM_KEYDOWN, VK_RIGHT, 0); }
    // The tabs the arrow keys cannot reach.
    std::set<int> greyedTabs() {
        std::set<int> greyed;
        for (int tab = 0; tab < tabCount(); ++tab) greyed.insert(tab);
        for (int step = 0; step < tabCount(); ++step) {
            greyed.erase(selectedTab());
            pressRight();
        }
        return greyed;
    }
    HWND radioBox() const { return GetDlgItem(sheet, IDC_RADIO_OFF); }
    bool radioBoxChecked() const {
        return SendMessageA(radioBox(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    // The texts of the current page's labels, top to bottom, and how many icons it shows.
    std::vector<std::string> pageTexts() const {
        std::vector<std::string> texts;
        for (HWND child = GetWindow(shownPage(), GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (className(child) == "Static" && !isIcon(child)) texts.push_back(windowText(child));
        }
        return texts;
    }
    int pageIcons() const {
        int icons = 0;
        for (HWND child = GetWindow(shownPage(), GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (isIcon(child) && SendMessageA(child, STM_GETICON, 0, 0)) ++icons;
        }
        return icons;
    }
    static bool isIcon(HWND control) {
        return className(control) == "Static" &&
               (GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
    }
    // The user presses `key` while holding `modifier` (none: 0).
    static void press(WORD key, WORD modifier = 0) {
        std::vector<INPUT> keys;
        for (WORD code : {modifier, key, key, modifier}) {
            if (code == 0) continue;
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = code;
            input.ki.dwFlags = keys.size() < (modifier ? 2u : 1u) ? 0 : KEYEVENTF_KEYUP;
            keys.push_back(input);
        }
        SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
    }
    void pressAltF2() { press(VK_F2, VK_MENU); }
    // The program's window in front, for keys the user types into it.
    void bringToFront() {
        SetForegroundWindow(sheet);
        ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == sheet; }));
    }
    // The control of the program that has the keyboard focus.
    HWND focus() const {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(sheet, nullptr), &info);
        return info.hwndFocus;
    }
    // Gives the focus to control `id` of the current page.
    void focusOn(int id) {
        SendMessageA(shownPage(), WM_NEXTDLGCTL,
                     reinterpret_cast<WPARAM>(GetDlgItem(shownPage(), id)), TRUE);
    }

    fake_tray::FakeTray tray;
};

const std::set<int> kRadioTabs = {2, 3, 4};

TEST_F(Program, TheTrayFollowsTheCardThroughUnplugAndPlugIn) {
    start();
    // Auto configuration joins the open network for "<Default>".
    EXPECT_TRUE(waitForTip("Connected")) << tip();
    EXPECT_TRUE(greyedTabs().empty());

    world(kCard + "card\n    present no\n");
    EXPECT_TRUE(waitForTip("Card Unplugged")) << tip();
    EXPECT_TRUE(waitUntil([&] { return shownPageIndex() == 0; }));
    EXPECT_EQ(greyedTabs(), kRadioTabs);

    world(kCard);
    EXPECT_TRUE(waitForTip("Connected")) << tip();
    EXPECT_TRUE(greyedTabs().empty());
    exitProgram();
}

TEST_F(Program, OnWindows98TheCardIsKnownByItsDeviceNodesHardwareKey) {
    WineVersionOverride windows98("Tovix.exe", "win98");
    start();
    EXPECT_TRUE(waitForTip("Connected")) << tip();
    world(kCard + "card\n    present no\n");
    EXPECT_TRUE(waitForTip("Card Unplugged")) << tip();
    world(kCard);
    EXPECT_TRUE(waitForTip("Connected")) << tip();
    exitProgram();
}

TEST_F(Program, BelowTheTabsAStripHoldsOkCancelAndTheRadioCheckBox) {
    start();
    RECT client;
    GetClientRect(sheet, &client);
    RECT tabStrip;
    GetWindowRect(tabs(), &tabStrip);
    MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&tabStrip), 2);
    EXPECT_GE(client.bottom - tabStrip.bottom, 40) << "the window grew by the strip";

    struct Control {
        int id;
        const char* text;
        int left;  // from the client's left edge, or from its right edge when negative
        int width;
        int height;
    };
    for (const Control& expected :
         {Control{IDOK, "&OK", -220, 90, 25}, Control{IDCANCEL, "&Cancel", -110, 90, 25},
          Control{IDC_RADIO_OFF, "Radio Off  ( Alt+F2 )", 20, 180, 15}}) {
        const HWND control = GetDlgItem(sheet, expected.id);
        ASSERT_TRUE(control) << expected.id;
        EXPECT_EQ(windowText(control), expected.text);
        RECT place;
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(place.left, expected.left < 0 ? client.right + expected.left : expected.left);
        EXPECT_EQ(place.top, client.bottom - 35) << expected.text;
        EXPECT_EQ(place.right - place.left, expected.width) << expected.text;
        EXPECT_EQ(place.bottom - place.top, expected.height) << expected.text;
    }
    EXPECT_EQ(LOWORD(SendMessageA(sheet, DM_GETDEFID, 0, 0)), IDCANCEL);
    EXPECT_EQ(GetWindowLongA(radioBox(), GWL_STYLE) & BS_TYPEMASK, BS_AUTOCHECKBOX);
    exitProgram();
}

TEST_F(Program, ClosingAndMinimisingLeaveOnlyTheTrayIconWhoseMenuRestoresAndExits) {
    start();
    ASSERT_TRUE(waitUntil([&] { return tray.iconOf(sheet).present; }));
    PostMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(sheet); }));
    PostMessageA(sheet, kTrayMessage, 0, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(sheet) != FALSE; }));

    PostMessageA(sheet, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(sheet); }));
    EXPECT_TRUE(driver.isRunning());
    EXPECT_TRUE(tray.iconOf(sheet).present);

    // The right button opens the menu; the menu's Restore brings the window back.
    PostMessageA(sheet, kTrayMessage, 0, WM_RBUTTONUP);
    HWND menu = nullptr;
    EXPECT_TRUE(waitUntil([&] {
        for (HWND window : driver.windows()) {
            if (className(window) == "#32768") menu = window;
        }
        return menu != nullptr;
    }));
    EXPECT_FALSE(IsWindowVisible(sheet));
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(sheet, WM_COMMAND, ID_TRAY_RESTORE, 0);
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(sheet) && !IsIconic(sheet); }));

    exitProgram();
    EXPECT_FALSE(tray.iconOf(sheet).present) << "the icon leaves with the program";
    EXPECT_NE(GetFileAttributesA(folder.file("Data.cfg").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Program, ASecondStartBringsTheWindowBackFromTheTray) {
    start();
    PostMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(sheet); }));
    ProgramDriver second;
    ASSERT_TRUE(second.start(folder.file("Tovix.exe"), folder.path()));
    EXPECT_EQ(second.waitForExit(), static_cast<DWORD>(app::ExitAlreadyRunning));
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(sheet) != FALSE; }));
    exitProgram();
}

TEST_F(Program, TheRadioGoesOffAndOnFromTheCheckBoxTheMenuAndAltF2) {
    start();
    ASSERT_TRUE(waitForTip("Connected"));
    const std::vector<std::function<void()>> toggles = {
        [&] { SendMessageA(radioBox(), BM_CLICK, 0, 0); },
        [&] { PostMessageA(sheet, WM_COMMAND, ID_RADIO_TOGGLE, 0); },
        [&] { pressAltF2(); },
    };
    for (size_t way = 0; way < toggles.size(); ++way) {
        pressRight();
        pressRight();  // Site Survey
        toggles[way]();
        EXPECT_TRUE(waitUntil([&] { return radioBoxChecked(); })) << way;
        EXPECT_TRUE(waitForTip("No Connection")) << way;
        EXPECT_EQ(shownPageIndex(), 0) << "Network Status is selected";
        EXPECT_EQ(greyedTabs(), kRadioTabs);

        toggles[way]();
        EXPECT_TRUE(waitUntil([&] { return !radioBoxChecked(); })) << way;
        EXPECT_TRUE(greyedTabs().empty());
        EXPECT_TRUE(waitForTip("Connected")) << "the card finds its network again";
    }
    exitProgram();
}

TEST_F(Program, ZeroConfigurationTakesTheCardToTheReducedPagesWithTheReadmeAndGivesItBack) {
    start();
    ASSERT_EQ(tabCount(), 7);
    world(kCard + "card\n    zero-config on\n");
    EXPECT_TRUE(waitUntil([&] { return tabCount() == 4; }));
    EXPECT_FALSE(IsWindowEnabled(radioBox()));
    for (int step = 0; step < 3; ++step) pressRight();
    ASSERT_EQ(shownPageIndex(), 3);
    EXPECT_EQ(pageTexts(), kReadmeTexts);
    EXPECT_EQ(pageIcons(), 1);

    pressAltF2();  // while Zero Configuration holds the card: nothing

    world(kCard);
    EXPECT_TRUE(waitUntil([&] { return tabCount() == 7; }));
    EXPECT_TRUE(IsWindowEnabled(radioBox()));
    EXPECT_TRUE(greyedTabs().empty());
    // The keys are handled in order: had the first Alt+F2 turned the radio off, this one
    // would turn it on again.
    pressAltF2();
    EXPECT_TRUE(waitUntil([&] { return radioBoxChecked(); }));
    exitProgram();
}

TEST_F(Program, TheSettingsFileAddsTheDebugAndTestPagesWhichReachTheCard) {
    // The one network is open, on a channel where radar may appear.
    world(kCard.substr(0, kCard.find("network")) +
          "network\n    ssid \"Harbour\"\n    bssid 00:1D:6A:10:00:02\n"
          "    channel 100\n    rssi -40\n");
    setting("Debug", "DebugWin", "1");
    setting("Debug", "TestPage", "1");
    start();
    std::vector<std::string> captions;
    for (int tab = 0; tab < tabCount(); ++tab) {
        SendMessageA(sheet, PSM_SETCURSEL, tab, 0);
        captions.push_back(windowText(shownPage()));
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"Network Status", "Profile Manager",
                                                  "Site Survey", "Statistics", "Advanced", "Admin",
                                                  "Debug", "Test", "About"}));

    // A register written through the Debug page reads back from the card; the card's RF
    // chip (type 3) has the calibration table of types 1 and 3.
    SendMessageA(sheet, PSM_SETCURSEL, 6, 0);
    const HWND debug = shownPage();
    EXPECT_EQ(windowText(GetDlgItem(debug, IDC_DEBUG_HW_VERSION)), "3.0");
    EXPECT_EQ(windowText(GetDlgItem(debug, IDC_DEBUG_CAL_NAME1)), "1AH");
    EXPECT_EQ(windowText(GetDlgItem(debug, IDC_DEBUG_CAL_VALUE1)).substr(0, 2), "0x");
    SetDlgItemTextA(debug, IDC_DEBUG_BB_INDEX, "85");
    SetDlgItemTextA(debug, IDC_DEBUG_BB_VALUE, "5A");
    SendMessageA(debug, WM_COMMAND, MAKEWPARAM(IDC_DEBUG_BB_WRITE, BN_CLICKED), 0);
    SetDlgItemTextA(debug, IDC_DEBUG_BB_VALUE, "");
    SetDlgItemTextA(debug, IDC_DEBUG_BB_INDEX, "5");
    SendMessageA(debug, WM_COMMAND, MAKEWPARAM(IDC_DEBUG_BB_READ, BN_CLICKED), 0);
    EXPECT_NE(windowText(GetDlgItem(debug, IDC_DEBUG_BB_VALUE)), "5A") << "page 0 is not page 128";
    SetDlgItemTextA(debug, IDC_DEBUG_BB_INDEX, "85");
    SendMessageA(debug, WM_COMMAND, MAKEWPARAM(IDC_DEBUG_BB_READ, BN_CLICKED), 0);
    EXPECT_EQ(windowText(GetDlgItem(debug, IDC_DEBUG_BB_VALUE)), "5A");
    fwtest::save(fwtest::capture(sheet), "program-screens", "debug-page");

    // A threshold set on the Test page is what the card holds when the page asks again.
    SendMessageA(sheet, PSM_SETCURSEL, 7, 0);
    const HWND test = shownPage();
    SetDlgItemTextA(test, IDC_TEST_SIGNAL, "120");
    SendMessageA(test, WM_COMMAND, MAKEWPARAM(IDC_TEST_SIGNAL_SET, BN_CLICKED), 0);
    SetDlgItemTextA(test, IDC_TEST_SIGNAL, "");
    SendMessageA(test, WM_COMMAND, MAKEWPARAM(IDC_TEST_SIGNAL_GET, BN_CLICKED), 0);
    EXPECT_EQ(windowText(GetDlgItem(test, IDC_TEST_SIGNAL)), "120");
    fwtest::save(fwtest::capture(sheet), "program-screens", "test-page");

    // Radar on the network's channel ends the link, and the channel stays closed.
    EXPECT_TRUE(waitForTip("Connected")) << tip();
    SendMessageA(test, WM_COMMAND, MAKEWPARAM(IDC_TEST_RADAR, BN_CLICKED), 0);
    EXPECT_TRUE(waitUntil([&] { return tip() != "Connected"; })) << tip();
    EXPECT_FALSE(waitUntil([&] { return tip() == "Connected"; }, 7000)) << "joined again";
    exitProgram();
}

// With the diagnostic pages the tabs take two rows: each page still stands below them,
// inside the strip and above the window's own buttons.
TEST_F(Program, WithTheDiagnosticPagesEveryPageFitsBelowTheTabs) {
    struct Case {
        const char* testPage;
        int tabs;
    };
    for (const Case& c : {Case{"0", 8}, Case{"1", 9}}) {
        setting("Debug", "DebugWin", "1");
        setting("Debug", "TestPage", c.testPage);
        start();
        ASSERT_EQ(tabCount(), c.tabs);
        RECT client;
        GetClientRect(sheet, &client);
        const RECT strip = placeOf(tabs());
        const RECT buttons = placeOf(GetDlgItem(sheet, IDOK));
        for (int tab = 0; tab < c.tabs; ++tab) {
            PropSheet_SetCurSel(sheet, nullptr, tab);
            const RECT page = placeOf(shownPage());
            EXPECT_GE(page.top, tabsBottom()) << c.tabs << " tabs, page " << tab;
            EXPECT_LE(page.bottom, strip.bottom) << c.tabs << " tabs, page " << tab;
            EXPECT_LE(page.bottom, buttons.top) << c.tabs << " tabs, page " << tab;
            EXPECT_LE(page.right, std::min(strip.right, client.right)) << tab;
        }
        PropSheet_SetCurSel(sheet, nullptr, 0);
        EXPECT_TRUE(fwtest::save(fwtest::capture(sheet), "program-screens",
                                 std::to_string(c.tabs) + "-tabs"));
        exitProgram();
    }
}

// The stand-in Zero Configuration service, installed for one test and removed after it.
class ZeroConfigService {
public:
    ZeroConfigService() {
        DeleteFileA(log().c_str());
        manager_ = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        const std::string program = ownFolder() + "shell_fake_wzcsvc.exe";
        service_ =
            CreateServiceA(manager_, "WZCSVC", "Wireless Zero Configuration", SERVICE_ALL_ACCESS,
                           SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE,
                           program.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr);
        if (service_) StartServiceA(service_, 0, nullptr);
    }
    ~ZeroConfigService() {
        SERVICE_STATUS status{};
        ControlService(service_, SERVICE_CONTROL_STOP, &status);
        waitUntil([&] { return state() == SERVICE_STOPPED; });
        DeleteService(service_);
        CloseServiceHandle(service_);
        CloseServiceHandle(manager_);
    }
    bool installed() const { return service_ != nullptr; }
    DWORD state() const {
        SERVICE_STATUS status{};
        return QueryServiceStatus(service_, &status) ? status.dwCurrentState : 0;
    }
    // The service's starts and stops, one a line.
    std::string history() const {
        const HANDLE file =
            CreateFileA(log().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return {};
        char text[256] = {};
        DWORD read = 0;
        ReadFile(file, text, sizeof text - 1, &read, nullptr);
        CloseHandle(file);
        return text;
    }

private:
    static std::string log() { return ownFolder() + "shell_fake_wzcsvc.log"; }
    SC_HANDLE manager_ = nullptr;
    SC_HANDLE service_ = nullptr;
};

DWORD controlFlags(const std::string& instanceId) {
    const std::string key = "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\" + instanceId;
    HKEY handle = nullptr;
    DWORD flags = 0;
    DWORD size = sizeof flags;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE, &handle) ==
        ERROR_SUCCESS) {
        RegQueryValueExA(handle, "ControlFlags", nullptr, nullptr, reinterpret_cast<BYTE*>(&flags),
                         &size);
        RegCloseKey(handle);
    }
    return flags;
}

TEST_F(Program, AtStartTheCardIsTakenFromZeroConfigurationWhoseServiceRunsOnAfterwards) {
    ZeroConfigService service;
    ASSERT_TRUE(service.installed());
    ASSERT_TRUE(waitUntil([&] { return service.state() == SERVICE_RUNNING; }));
    const std::string instance = "{5A1D0B77-0000-4E7C-9C21-0C1D6A702222}";
    world(kCard + "card\n    zero-config on\n    instance-id " + instance + "\n");

    start();
    EXPECT_EQ(controlFlags(instance) & 0x8000, 0u) << "the card's flag is cleared";
    EXPECT_EQ(service.state(), static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_EQ(service.history(), "start\nstop\nstart\n");
    EXPECT_EQ(tabCount(), 7) << "the program has the card";
    exitProgram();
}

// ---- Faults -------------------------------------------------------------------------------

TEST_F(Program, ALibraryThatFailsEveryCallLeavesTheProgramRunningWithoutACard) {
    useLibrary("app_stub_adapter.dll");
    start();
    EXPECT_TRUE(waitForTip("Card Unplugged"));
    EXPECT_EQ(greyedTabs(), kRadioTabs);
    SendMessageA(radioBox(), BM_CLICK, 0, 0);
    PostMessageA(sheet, kTrayMessage, 0, WM_LBUTTONDBLCLK);
    exitProgram();
}

TEST_F(Program, TheCardPulledWhileConnectingOrHiddenLosesNoProfile) {
    // Profiles of the user's, one of them for the network in range.
    ProfileList list;
    for (const char* name : {"OpenNet", "Office", "Cafe"}) {
        auto profile = std::make_unique<Profile>(makeDefaultProfile());
        setFieldText(profile->name, name);
        setFieldText(profile->ssid, name);
        list.append(std::move(profile));
    }
    ASSERT_TRUE(ProfileStore(folder.file("Data.cfg")).saveProfiles(folder.file("Data.cfg"), list));
    world(kCard + "card\n    association-delay 5000\n");

    start();
    // Auto configuration is at work: the card is pulled while it waits for the network.
    ASSERT_TRUE(waitUntil([&] {
        return tray.iconOf(sheet).balloon == "Auto Configuration:  Scanning in progress...";
    }));
    world(kCard + "card\n    present no\n");
    EXPECT_TRUE(waitForTip("Card Unplugged"));

    // Plugged in again while the window is in the tray, and pulled again.
    PostMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(sheet); }));
    world(kCard);
    EXPECT_TRUE(waitForTip("Connected"));
    world(kCard + "card\n    present no\n");
    EXPECT_TRUE(waitForTip("Card Unplugged"));
    exitProgram();

    ProfileList saved;
    ASSERT_EQ(ProfileStore(folder.file("Data.cfg")).loadProfiles(folder.file("Data.cfg"), saved),
              LoadStatus::Loaded);
    std::set<std::string> names;
    for (const auto& profile : saved) names.insert(fieldText(profile->name));
    EXPECT_EQ(names, (std::set<std::string>{"OpenNet", "Office", "Cafe", "<Default>"}));
}

// Ctrl+Tab away from the Profile Manager with the focus in its list: the page shown holds
// the focus, and Tab walks only its controls and the main window's own.
TEST_F(Program, CtrlTabFromTheProfileManagerTakesTheFocusToTheShownPage) {
    start();
    PropSheet_SetCurSel(sheet, nullptr, kProfileManagerTab);
    bringToFront();
    focusOn(IDC_PM_LIST);
    ASSERT_EQ(focus(), GetDlgItem(shownPage(), IDC_PM_LIST));
    press(VK_TAB, VK_CONTROL);
    ASSERT_TRUE(waitUntil([&] { return shownPageIndex() == kSiteSurveyTab; }));
    const auto reachable = [&](HWND control) {
        return control && IsWindowVisible(control) &&
               (IsChild(shownPage(), control) || GetParent(control) == sheet);
    };
    EXPECT_TRUE(waitUntil([&] { return focus() && IsChild(shownPage(), focus()); }))
        << "the focus is on " << className(focus()) << " " << GetDlgCtrlID(focus());
    for (int step = 0; step < 12; ++step) {
        press(VK_TAB);
        waitUntil([] { return false; }, 50);
        EXPECT_TRUE(reachable(focus()))
            << "Tab " << step << " reached " << className(focus()) << " " << GetDlgCtrlID(focus());
    }
    exitProgram();
}

// The Profile Manager's "&Create..." and the main window's "&Cancel" share their mnemonic:
// the page in front wins it, wherever the focus is; Esc still cancels.
TEST_F(Program, AltCOnTheProfileManagerCreatesAProfileAndEscStillCancels) {
    start();
    PropSheet_SetCurSel(sheet, nullptr, 1);
    ASSERT_EQ(shownPageIndex(), 1);
    bringToFront();
    for (int id : {IDC_PM_LIST, IDC_PM_APPLY, IDOK}) {
        if (id == IDOK) {
            SendMessageA(sheet, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(sheet, IDOK)),
                         TRUE);
        } else {
            focusOn(id);
        }
        press('C', VK_MENU);
        HWND wizard = nullptr;
        EXPECT_TRUE(waitUntil([&] {
            for (HWND window : driver.windows()) {
                if (window != sheet && className(window) == "#32770") wizard = window;
            }
            return wizard != nullptr;
        })) << "no wizard with the focus on "
            << id;
        EXPECT_TRUE(IsWindowVisible(sheet)) << id;
        if (!wizard) continue;
        PostMessageA(wizard, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(wizard); }));
        bringToFront();
    }
    focusOn(IDC_PM_LIST);
    press(VK_ESCAPE);
    EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(sheet); })) << "Esc hides the window";
    exitProgram();
}

TEST_F(Program, AProfileFileReadInPartIsKeptBesideTheProgramAndTheUserIsToldOnce) {
    // Bytes of no profile file: the first length runs past the end.
    std::string garbage(5000, '\0');
    uint32_t seed = 12345;
    for (char& byte : garbage) {
        seed = seed * 1103515245u + 12345u;
        byte = static_cast<char>(seed >> 16);
    }
    writeFile("Data.cfg", garbage);
    start();
    const std::string text = answerMessageBox(IDOK);
    EXPECT_NE(text.find("could not be read whole"), std::string::npos) << text;
    std::string upper = text;
    CharUpperA(upper.data());
    EXPECT_NE(upper.find("DATA.CFG.BAD"), std::string::npos) << text;
    EXPECT_FALSE(driver.waitForMessageBox(1000)) << "told once";
    exitProgram();

    EXPECT_EQ(readFile("Data.cfg.bad"), garbage);
    ProfileList saved;
    ASSERT_EQ(ProfileStore(folder.file("Data.cfg")).loadProfiles(folder.file("Data.cfg"), saved),
              LoadStatus::Loaded);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(fieldText(saved.at(0)->name), "<Default>");
}

TEST_F(Program, AProfileFileOf300MegabytesStartsTheProgramAndIsKept) {
    // Sparse, all zeros.
    const HANDLE file = CreateFileA(folder.file("Data.cfg").c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    constexpr LONG kSize = 300L << 20;
    SetFilePointer(file, kSize, nullptr, FILE_BEGIN);
    ASSERT_TRUE(SetEndOfFile(file));
    CloseHandle(file);

    start();
    const std::string text = answerMessageBox(IDOK);
    EXPECT_NE(text.find("could not be read whole"), std::string::npos) << text;
    EXPECT_TRUE(IsWindowVisible(sheet));
    exitProgram();
    WIN32_FILE_ATTRIBUTE_DATA kept{};
    ASSERT_TRUE(
        GetFileAttributesExA(folder.file("Data.cfg.bad").c_str(), GetFileExInfoStandard, &kept));
    EXPECT_EQ(kept.nFileSizeLow, static_cast<DWORD>(kSize));
    EXPECT_EQ(readFile("Data.cfg").size(), 796u) << "<Default> alone";
}

TEST_F(Program, AFailedSaveAtExitIsToldAndTriedAgainOnRetry) {
    ProfileList list;
    auto before = std::make_unique<Profile>(makeDefaultProfile());
    setFieldText(before->name, "Before");
    list.append(std::move(before));
    ASSERT_TRUE(ProfileStore(folder.file("Data.cfg")).saveProfiles(folder.file("Data.cfg"), list));
    // A temporary name left from before, and, once the program has read the file,
    // another program holding it.
    ASSERT_TRUE(CreateDirectoryA(folder.file("Data.cfg.tmp").c_str(), nullptr));
    start();
    const HANDLE held = CreateFileA(folder.file("Data.cfg").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    PostMessageA(sheet, WM_COMMAND, ID_TRAY_EXIT, 0);
    const std::optional<MessageBoxView> box = driver.waitForMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Tovix");
    EXPECT_NE(box->text.find("could not be saved"), std::string::npos) << box->text;
    EXPECT_NE(GetDlgItem(box->window, IDRETRY), nullptr);
    EXPECT_NE(GetDlgItem(box->window, IDCANCEL), nullptr);
    EXPECT_TRUE(driver.isRunning());
    CloseHandle(held);
    pressButton(box->window, IDRETRY);
    EXPECT_EQ(driver.waitForExit(), static_cast<DWORD>(app::ExitNormal));

    ProfileList saved;
    ASSERT_EQ(ProfileStore(folder.file("Data.cfg")).loadProfiles(folder.file("Data.cfg"), saved),
              LoadStatus::Loaded);
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(fieldText(saved.at(1)->name), "<Default>") << "the new file is in place";
    RemoveDirectoryA(folder.file("Data.cfg.tmp").c_str());
}

TEST_F(Program, AutoConfigurationGoesOnPastAPreferredProfileThatNeverConnects) {
    // First on the prefer list: the passphrase is wrong, the card takes the SSID anyway.
    ProfileList list;
    auto broken = std::make_unique<Profile>(makeDefaultProfile());
    setFieldText(broken->name, "Broken");
    setFieldText(broken->ssid, "Studio");
    broken->securityType = SecurityWpa2Psk;
    broken->encryption = EncryptionAes;
    setFieldText(broken->psk, "not the passphrase");
    broken->pskLength = 18;
    list.append(std::move(broken));
    auto working = std::make_unique<Profile>(makeDefaultProfile());
    setFieldText(working->name, "Working");
    setFieldText(working->ssid, "OpenNet");
    list.append(std::move(working));
    ASSERT_TRUE(ProfileStore(folder.file("Data.cfg")).saveProfiles(folder.file("Data.cfg"), list));
    world(kCard + R"(
network
    ssid        "Studio"
    bssid       00:1D:6A:10:00:05
    channel     11
    rssi        -45
    security    wpa2-psk
    cipher      aes
    passphrase  "blue whale song"
)");

    start();
    // The first cycle tries "Broken", the second goes on to "Working".
    EXPECT_TRUE(waitForTip("Connected")) << tip();
    exitProgram();
    ProfileList saved;
    ASSERT_EQ(ProfileStore(folder.file("Data.cfg")).loadProfiles(folder.file("Data.cfg"), saved),
              LoadStatus::Loaded);
    ASSERT_FALSE(saved.empty());
    EXPECT_EQ(fieldText(saved.at(0)->name), "Working") << "the profile in use comes first";
}

}  // namespace
