// The real Tovix.exe with the simulated card and its default world, under Wine: a profile
// made with the "Create New Profile" wizard for the open network, applied from the Profile
// Manager, connected, and still there after a restart.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/ExitCode.h"
#include "profiles/ProfileFile.h"
#include "res/resource.h"
#include "tests/support/win32/ProgramDriver.h"

namespace {

using namespace program_driver;

constexpr const char* kTitle = "VORNAX TX-LM70RDV Utility";
constexpr int kNetworkStatusTab = 0;
constexpr int kProfileManagerTab = 1;
// The Network Status page's status text and SSID.
constexpr int kStatusText = 1072;
constexpr int kStatusSsid = 1084;
// The default world's open network.
constexpr const char* kOpenNetwork = "VORNAX-Guest";

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

    ScratchFolder folder;
    ProgramDriver driver;
    HWND sheet = nullptr;
};

TEST_F(ProfileProgram, AProfileMadeWithTheWizardConnectsAndOutlivesARestart) {
    start();
    HWND manager = showTab(kProfileManagerTab);
    ASSERT_TRUE(manager);

    // The wizard, whose window is titled after its page.
    click(manager, IDC_PM_CREATE);
    HWND wizard = driver.waitForWindow("Network Info");
    ASSERT_TRUE(wizard);
    HWND network = currentPage(wizard);
    setText(network, IDC_NET_NAME, "Guest");
    setText(network, IDC_NET_SSID, kOpenNetwork);
    int pages = 1;
    while (pages < 6 && windowText(GetDlgItem(currentPage(wizard), IDC_SUMMARY_TEXT)).empty()) {
        SendMessageA(wizard, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
        ++pages;
    }
    const std::string summary = windowText(GetDlgItem(currentPage(wizard), IDC_SUMMARY_TEXT));
    EXPECT_NE(summary.find("Profile Name = Guest\r\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find(std::string("Network SSID = ") + kOpenNetwork + "\r\n"),
              std::string::npos);
    SendMessageA(wizard, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(wizard); }));

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
    EXPECT_TRUE(waitUntil([&] { return windowText(GetDlgItem(status, kStatusText)) == "Connected"; }))
        << windowText(GetDlgItem(status, kStatusText));
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

}  // namespace
