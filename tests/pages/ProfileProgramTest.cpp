// The real Tovix.exe with the simulated card and its default world, under Wine: profiles
// made with the "Create New Profile" wizard for the open network, for a WEP network (its
// key typed in the WEP key dialog) and for a WPA2-PSK network, applied from the Profile
// Manager and connected; a wrong key does not connect; a profile outlives a restart.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/ExitCode.h"
#include "profiles/ProfileFile.h"
#include "res/resource.h"
#include "tests/support/win32/ProgramDriver.h"
#include "tests/support/win32/ScreenPicture.h"

namespace {

using namespace program_driver;

constexpr const char* kTitle = "VORNAX TX-LM70RDV Utility";
constexpr int kNetworkStatusTab = 0;
constexpr int kProfileManagerTab = 1;
// The Network Status page's status text and SSID.
constexpr int kStatusText = 1072;
constexpr int kStatusSsid = 1084;
// The default world's open network, a WEP network with a 104-bit key in slot 1 and
// open authentication, and a WPA2-PSK network with AES.
constexpr const char* kOpenNetwork = "VORNAX-Guest";
constexpr const char* kWepNetwork = "Cafe Corner";
constexpr const char* kWepKey = "cafe+corner7!";
constexpr const char* kWpa2Network = "Studio";
constexpr const char* kWpa2Passphrase = "blue whale song";

// A list view of another process, read through a block of that process's memory.
class RemoteListView {
public:
    explicit RemoteListView(HWND list) : list_(list) {
        DWORD processId = 0;
        GetWindowThreadProcessId(list, &processId);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               processId);
        memory_ = static_cast<char*>(
            VirtualAllocEx(process_, nullptr, kBlock, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteListView() {
        VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        CloseHandle(process_);
    }
    RemoteListView(const RemoteListView&) = delete;
    RemoteListView& operator=(const RemoteListView&) = delete;

    int rows() const { return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0)); }
    std::vector<std::string> texts() const {
        std::vector<std::string> texts;
        for (int row = 0; row < rows(); ++row) texts.push_back(fetch(row).text);
        return texts;
    }
    // The row showing `text`, -1 when none does.
    int find(const std::string& text) const {
        for (int row = 0; row < rows(); ++row) {
            if (fetch(row).text == text) return row;
        }
        return -1;
    }
    int image(int row) const { return fetch(row).image; }
    // Selects and focuses `row`, as a click on it does.
    void select(int row) const {
        LVITEMA item = {};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = item.stateMask;
        WriteProcessMemory(process_, memory_, &item, sizeof item, nullptr);
        SendMessageA(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(memory_));
    }

private:
    static constexpr SIZE_T kBlock = 4096;
    struct Row {
        std::string text;
        int image;
    };

    Row fetch(int row) const {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = row;
        item.pszText = memory_ + sizeof item;
        item.cchTextMax = 256;
        WriteProcessMemory(process_, memory_, &item, sizeof item, nullptr);
        SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(memory_));
        ReadProcessMemory(process_, memory_, &item, sizeof item, nullptr);
        char text[256] = {};
        ReadProcessMemory(process_, memory_ + sizeof item, text, sizeof text - 1, nullptr);
        return {text, item.iImage};
    }

    HWND list_;
    HANDLE process_;
    char* memory_;
};

// Tovix.exe in a folder of its own with the simulated card and its default world.
class ProfileProgram : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* file : {"Tovix.exe", "Tovix.dll", "Tovix.scn"}) {
            ASSERT_TRUE(CopyFileA((ownFolder() + file).c_str(), folder.file(file).c_str(), FALSE))
                << file;
        }
    }
    void TearDown() override {
        if (driver.isRunning()) exitProgram();
    }

    void start() {
        ASSERT_TRUE(driver.start(folder.file("Tovix.exe"), folder.path()));
        sheet = driver.waitForWindow(kTitle);
        ASSERT_TRUE(sheet);
    }
    void exitProgram() {
        PostMessageA(sheet, WM_COMMAND, ID_TRAY_EXIT, 0);
        EXPECT_EQ(driver.waitForExit(), static_cast<DWORD>(app::ExitNormal));
    }

    static HWND currentPage(HWND sheet) {
        return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }
    HWND showTab(int tab) {
        SendMessageA(sheet, PSM_SETCURSEL, tab, 0);
        return currentPage(sheet);
    }
    // The user clicks a button of a page; the program may go on to show a modal window.
    static void click(HWND page, int button) {
        PostMessageA(page, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, button)));
    }
    static void setText(HWND page, int control, const char* text) {
        SendMessageA(GetDlgItem(page, control), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }

    // The user picks entry `position` of a drop-down list of a page.
    static void pick(HWND page, int combo, int position) {
        HWND list = GetDlgItem(page, combo);
        SendMessageA(list, CB_SETCURSEL, position, 0);
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    }
    // The user types `text` into an edit of the program: the edit takes the focus, then
    // gets the characters one by one.
    static void type(HWND edit, const std::string& text) {
        const DWORD program = GetWindowThreadProcessId(edit, nullptr);
        AttachThreadInput(GetCurrentThreadId(), program, TRUE);
        SetFocus(edit);
        for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
        AttachThreadInput(GetCurrentThreadId(), program, FALSE);
    }

    // Presses the wizard's Next. False when the wizard stays on its page: the program's
    // message is a failure of the test, and is answered.
    bool next(HWND wizard) {
        HWND before = currentPage(wizard);
        PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
        if (waitUntil([&] { return currentPage(wizard) != before; }, 3000)) return true;
        if (const auto box = driver.waitForMessageBox(1000)) {
            ADD_FAILURE() << "the wizard says: " << box->text;
            pressButton(box->window, IDOK);
        }
        return false;
    }

    // Makes a profile with the "Create New Profile" wizard from the Profile Manager page:
    // its name and SSID on the first page, then `security` on the security page, then
    // Next to the summary and Finish. Returns the summary's text.
    std::string createProfile(HWND manager, const char* name, const char* ssid,
                              const std::function<void(HWND securityPage)>& security) {
        click(manager, IDC_PM_CREATE);
        HWND wizard = driver.waitForWindow("Network Info");
        if (!wizard) return "no wizard";
        HWND network = currentPage(wizard);
        setText(network, IDC_NET_NAME, name);
        setText(network, IDC_NET_SSID, ssid);
        if (!next(wizard)) return "stayed on the network page";
        security(currentPage(wizard));
        while (windowText(GetDlgItem(currentPage(wizard), IDC_SUMMARY_TEXT)).empty()) {
            if (!next(wizard)) return "stayed on " + windowText(wizard);
        }
        const std::string summary = windowText(GetDlgItem(currentPage(wizard), IDC_SUMMARY_TEXT));
        PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(wizard); }));
        return summary;
    }

    // Applies the listed profile `name` from the Profile Manager page; true once the
    // Network Status page shows it connected to `ssid`.
    bool applyAndConnect(HWND manager, const char* name, const char* ssid, DWORD patience) {
        RemoteListView list(GetDlgItem(manager, IDC_PM_LIST));
        const int row = list.find(name);
        EXPECT_GE(row, 0) << name;
        if (row < 0) return false;
        list.select(row);
        // Applied, the profile is the one in use, first of its kind.
        click(manager, IDC_PM_APPLY);
        EXPECT_TRUE(waitUntil([&] {
            const int applied = list.find(name);
            return applied >= 0 && list.image(applied) == 1;
        })) << name
            << " is not marked in use";
        HWND status = showTab(kNetworkStatusTab);
        const bool connected = waitUntil(
            [&] {
                return windowText(GetDlgItem(status, kStatusText)) == "Connected" &&
                       windowText(GetDlgItem(status, kStatusSsid)) == ssid;
            },
            patience);
        if (!connected) {
            std::printf("status after applying %s: \"%s\", SSID \"%s\"\n", name,
                        windowText(GetDlgItem(status, kStatusText)).c_str(),
                        windowText(GetDlgItem(status, kStatusSsid)).c_str());
            if (const auto box = driver.waitForMessageBox(100)) {
                ADD_FAILURE() << "the program says: " << box->text;
                pressButton(box->window, IDOK);
            }
        }
        showTab(kProfileManagerTab);
        return connected;
    }

    // Saves what the screen shows of `window`'s top-level window in the folder
    // "program-screens" beside the test, for people to look at.
    static void picture(HWND window, const std::string& name) {
        HWND top = GetAncestor(window, GA_ROOT);
        // The program paints in its own time: a moment for it before the picture.
        RedrawWindow(top, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        waitUntil([] { return false; }, 500);
        EXPECT_TRUE(fwtest::save(fwtest::capture(top), "program-screens", name));
    }

    // The WEP key typed in the WEP key dialog: ASCII, 104 bits, key 1 as the transmit key.
    void typeWepKey(HWND securityPage, const char* key) {
        pick(securityPage, IDC_SEC_ENCRYPTION, 1);  // "WEP"
        ASSERT_EQ(windowText(GetDlgItem(securityPage, IDC_SEC_ENCRYPTION)), "WEP");
        click(securityPage, IDC_SEC_WEP_KEYS);
        HWND keys = driver.waitForWindow("Configure WEP Key");
        ASSERT_TRUE(keys);
        pick(keys, IDC_WEP_FORMAT, 0);  // "ASCII Characters"
        pick(keys, IDC_WEP_SIZE, 1);    // 104 bits
        type(GetDlgItem(keys, IDC_WEP_KEY1), key);
        EXPECT_EQ(windowText(GetDlgItem(keys, IDC_WEP_KEY1)), key);
        EXPECT_EQ(SendDlgItemMessageA(keys, IDC_WEP_TX_KEY1, BM_GETCHECK, 0, 0), BST_CHECKED);
        picture(keys, "wep-keys");
        pressButton(keys, IDOK);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(keys); }));
        // Back on the page, key 1 can be chosen and is the transmit key.
        EXPECT_EQ(windowText(GetDlgItem(securityPage, IDC_SEC_TX_KEY1)),
                  "Select Key 1 as Transmit Key");
        EXPECT_EQ(SendDlgItemMessageA(securityPage, IDC_SEC_TX_KEY1, BM_GETCHECK, 0, 0),
                  BST_CHECKED);
        picture(securityPage, "security-wep");
    }

    ScratchFolder folder;
    ProgramDriver driver;
    HWND sheet = nullptr;
};

TEST_F(ProfileProgram, AProfileMadeWithTheWizardConnectsAndOutlivesARestart) {
    start();
    HWND manager = showTab(kProfileManagerTab);
    ASSERT_TRUE(manager);

    const std::string summary = createProfile(manager, "Guest", kOpenNetwork, [](HWND) {});
    EXPECT_NE(summary.find("Profile Name = Guest\r\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find(std::string("Network SSID = ") + kOpenNetwork + "\r\n"),
              std::string::npos);

    // Listed before any ad-hoc profile, selected; applied, it is the profile in use.
    RemoteListView list(GetDlgItem(manager, IDC_PM_LIST));
    const int created = list.find("Guest");
    ASSERT_GE(created, 0) << "rows: " << list.texts().size();
    click(manager, IDC_PM_APPLY);
    EXPECT_TRUE(waitUntil([&] {
        const int row = list.find("Guest");
        return row >= 0 && list.image(row) == 1;
    })) << "the in-use mark";

    HWND status = showTab(kNetworkStatusTab);
    EXPECT_TRUE(waitUntil([&] {
        return windowText(GetDlgItem(status, kStatusText)) == "Connected";
    })) << windowText(GetDlgItem(status, kStatusText));
    EXPECT_EQ(windowText(GetDlgItem(status, kStatusSsid)), kOpenNetwork);
    exitProgram();

    // The profile file holds it, and the restarted program lists it.
    ProfileList saved;
    ASSERT_EQ(ProfileStore(folder.file("Data.cfg")).loadAtStartup(saved), LoadStatus::Loaded);
    const Profile* guest = saved.findByName("Guest");
    ASSERT_TRUE(guest);
    EXPECT_EQ(fieldText(guest->ssid), kOpenNetwork);
    EXPECT_EQ(guest->preferred, 1u);

    start();
    manager = showTab(kProfileManagerTab);
    RemoteListView restarted(GetDlgItem(manager, IDC_PM_LIST));
    EXPECT_GE(restarted.find("Guest"), 0);
    exitProgram();
}

TEST_F(ProfileProgram, WepAndWpa2PskProfilesMadeWithTheSecurityPageConnect) {
    start();
    HWND manager = showTab(kProfileManagerTab);
    ASSERT_TRUE(manager);

    const std::string wep = createProfile(manager, "Cafe", kWepNetwork,
                                          [&](HWND security) { typeWepKey(security, kWepKey); });
    EXPECT_NE(wep.find("Security = WEP\r\nAuthentication = Open System\r\n"), std::string::npos)
        << wep;
    EXPECT_TRUE(applyAndConnect(manager, "Cafe", kWepNetwork, kPatience));

    const std::string wpa2 = createProfile(manager, "Studio", kWpa2Network, [&](HWND security) {
        pick(security, IDC_SEC_AUTHENTICATION, 7);  // "WPA2", on the way
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(security, IDC_SEC_CREDENTIALS)));
        picture(security, "security-8021x");
        pick(security, IDC_SEC_AUTHENTICATION, 5);  // "WPA2-PSK"
        ASSERT_EQ(windowText(GetDlgItem(security, IDC_SEC_AUTHENTICATION)), "WPA2-PSK");
        pick(security, IDC_SEC_ENCRYPTION, 1);  // "AES"
        ASSERT_EQ(windowText(GetDlgItem(security, IDC_SEC_ENCRYPTION)), "AES");
        setText(security, IDC_SEC_PASSPHRASE, kWpa2Passphrase);
        setText(security, IDC_SEC_CONFIRM, kWpa2Passphrase);
        picture(security, "security-psk");
    });
    EXPECT_NE(wpa2.find("Security = AES\r\nAuthentication = WPA2-PSK\r\n"), std::string::npos)
        << wpa2;
    EXPECT_TRUE(applyAndConnect(manager, "Studio", kWpa2Network, kPatience));
    exitProgram();

    // The file keeps what the pages stored.
    ProfileList saved;
    ASSERT_EQ(ProfileStore(folder.file("Data.cfg")).loadAtStartup(saved), LoadStatus::Loaded);
    const Profile* cafe = saved.findByName("Cafe");
    ASSERT_TRUE(cafe);
    EXPECT_EQ(cafe->encryption, EncryptionWep);
    EXPECT_EQ(cafe->securityType, SecurityOpenSystem);
    EXPECT_EQ(cafe->txKeyIndex, 1u);
    EXPECT_EQ(cafe->wepKeys[0].length, 13u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(cafe->wepKeys[0].key), 13), kWepKey);
    const Profile* studio = saved.findByName("Studio");
    ASSERT_TRUE(studio);
    EXPECT_EQ(studio->securityType, SecurityWpa2Psk);
    EXPECT_EQ(studio->encryption, EncryptionAes);
    EXPECT_EQ(fieldText(studio->psk), kWpa2Passphrase);
    EXPECT_EQ(studio->pskLength, std::string(kWpa2Passphrase).size());
}

TEST_F(ProfileProgram, AWrongWepKeyDoesNotConnect) {
    start();
    HWND manager = showTab(kProfileManagerTab);
    ASSERT_TRUE(manager);
    createProfile(manager, "Cafe", kWepNetwork,
                  [&](HWND security) { typeWepKey(security, "cafe+corner8!"); });
    // Longer than the connect engine gives an association; the card never joins.
    EXPECT_FALSE(applyAndConnect(manager, "Cafe", kWepNetwork, 10000));
    exitProgram();
}

}  // namespace
