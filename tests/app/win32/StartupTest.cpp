// Tovix.exe started, restarted and refused as a user would meet it, under Wine.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/ExitCode.h"
#include "tests/app/win32/StubAdapter.h"
#include "tests/support/win32/ProgramDriver.h"

namespace {

using namespace program_driver;

constexpr const char* kTitle = "VORNAX TX-LM70RDV Utility";
constexpr const char* kCaption = "Tovix";
constexpr UINT kPrivateMessage = 0x8000;
constexpr WPARAM kTrayExit = 32781;

bool mutexExists() {
    const HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, kTitle);
    if (mutex) CloseHandle(mutex);
    return mutex != nullptr;
}

bool mappingExists() {
    const HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, kTitle);
    if (mapping) CloseHandle(mapping);
    return mapping != nullptr;
}

// Tovix.exe in a folder of its own, beside a Tovix.dll.
class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CopyFileA((ownFolder() + "Tovix.exe").c_str(), program().c_str(), FALSE));
        useAdapter(kStubAdapter);
    }

    std::string program() const { return programFolder.file("Tovix.exe"); }
    void useAdapter(const char* library) {
        ASSERT_TRUE(CopyFileA((ownFolder() + library).c_str(),
                              programFolder.file("Tovix.dll").c_str(), FALSE));
    }
    bool start() { return driver.start(program(), programFolder.path()); }

    // The user ends the program with the tray menu's Exit.
    void exitProgram(HWND sheet) { PostMessageA(sheet, WM_COMMAND, kTrayExit, 0); }

    // The program refuses to start with `message` and ends once it is answered.
    void expectRefusal(const std::string& message, bool withIcon) {
        const std::optional<MessageBoxView> box = driver.waitForMessageBox();
        ASSERT_TRUE(box) << "no message box";
        EXPECT_EQ(box->text, message);
        EXPECT_EQ(box->caption, kCaption);
        EXPECT_EQ(box->hasIcon, withIcon);
        EXPECT_TRUE(windowsTitled(kTitle).empty()) << "a main window came up";
        pressButton(box->window, IDOK);
        EXPECT_EQ(driver.waitForExit(), static_cast<DWORD>(app::ExitStartupFailed));
    }

    ScratchFolder programFolder;
    ProgramDriver driver;
};

TEST_F(Startup, ShowsItsMainSheetWhichClosingOnlyHidesAndEndsThroughExit) {
    ASSERT_TRUE(start());
    const HWND sheet = driver.waitForWindow(kTitle);
    ASSERT_TRUE(sheet);

    const DWORD style = GetWindowLongA(sheet, GWL_STYLE);
    for (DWORD bit : std::initializer_list<DWORD>{WS_POPUP, WS_VISIBLE, WS_CAPTION, WS_SYSMENU,
                                                  WS_MINIMIZEBOX}) {
        EXPECT_EQ(style & bit, bit) << std::hex << bit;
    }
    EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CHILD), 0u);
    const HWND tabs = FindWindowExA(sheet, nullptr, WC_TABCONTROLA, nullptr);
    ASSERT_TRUE(tabs);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 7);
    EXPECT_TRUE(mutexExists());
    EXPECT_FALSE(mappingExists());

    // Closing leaves the program in the tray.
    PostMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(sheet); }));
    EXPECT_TRUE(driver.isRunning());

    exitProgram(sheet);
    EXPECT_EQ(driver.waitForExit(), static_cast<DWORD>(app::ExitNormal));
    EXPECT_FALSE(mutexExists());
}

TEST_F(Startup, RunsWithTheSimulatedCard) {
    ASSERT_TRUE(CopyFileA((ownFolder() + "Tovix.scn").c_str(),
                          programFolder.file("Tovix.scn").c_str(), FALSE));
    keepAutoLinkOff(programFolder);
    useAdapter("Tovix.dll");
    ASSERT_TRUE(start());
    const HWND sheet = driver.waitForWindow(kTitle);
    ASSERT_TRUE(sheet);
    EXPECT_FALSE(driver.waitForMessageBox(0));
    exitProgram(sheet);
    EXPECT_EQ(driver.waitForExit(), static_cast<DWORD>(app::ExitNormal));
}

TEST_F(Startup, ASecondStartBringsTheRunningCopyBackAndEnds) {
    ASSERT_TRUE(start());
    const HWND sheet = driver.waitForWindow(kTitle);
    ASSERT_TRUE(sheet);
    ShowWindow(sheet, SW_MINIMIZE);
    ASSERT_TRUE(waitUntil([&] { return IsIconic(sheet) != FALSE; }));

    ProgramDriver second;
    ASSERT_TRUE(second.start(program(), programFolder.path()));
    EXPECT_EQ(second.waitForExit(), static_cast<DWORD>(app::ExitAlreadyRunning));
    EXPECT_TRUE(waitUntil([&] { return !IsIconic(sheet); })) << "the first copy stayed minimised";
    EXPECT_EQ(windowsTitled(kTitle), std::vector<HWND>{sheet});
    EXPECT_TRUE(driver.isRunning());

    exitProgram(sheet);
    EXPECT_EQ(driver.waitForExit(), static_cast<DWORD>(app::ExitNormal));
}

// A window of this test that stands in for a running copy's main window.
class StandIn {
public:
    StandIn() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = record;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClass;
        RegisterClassA(&windowClass);
        window_ = CreateWindowA(kClass, kTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ShowWindow(window_, SW_MINIMIZE);
    }
    ~StandIn() {
        DestroyWindow(window_);
        UnregisterClassA(kClass, GetModuleHandleA(nullptr));
    }

    HWND window() const { return window_; }
    // The private messages it received: (wParam, lParam).
    std::vector<std::pair<WPARAM, LPARAM>> received;

private:
    static constexpr const char* kClass = "AppStartupStandIn";

    static LRESULT CALLBACK record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == kPrivateMessage) {
            auto* self = reinterpret_cast<StandIn*>(GetWindowLongPtrA(window, GWLP_USERDATA));
            if (self) self->received.emplace_back(wParam, lParam);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND window_;
};

TEST_F(Startup, TheRunningCopyIsRestoredAndAskedToShowItsCurrentPage) {
    StandIn running;
    ASSERT_TRUE(IsIconic(running.window()));
    const HANDLE mutex = CreateMutexA(nullptr, TRUE, kTitle);
    ASSERT_TRUE(mutex);

    ASSERT_TRUE(start());
    EXPECT_EQ(driver.waitForExit(), static_cast<DWORD>(app::ExitAlreadyRunning));
    waitUntil([&] { return !running.received.empty(); });
    EXPECT_EQ(running.received, (std::vector<std::pair<WPARAM, LPARAM>>{{1002, 0}}));
    EXPECT_FALSE(IsIconic(running.window()));
    CloseHandle(mutex);
}

TEST_F(Startup, OnWindows98TheRunningCopyIsFoundByItsFileMapping) {
    WineVersionOverride windows98("Tovix.exe", "win98");
    StandIn running;
    const HANDLE mapping =
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READONLY, 0, 32, kTitle);
    ASSERT_TRUE(mapping);

    ASSERT_TRUE(start());
    EXPECT_EQ(driver.waitForExit(), static_cast<DWORD>(app::ExitAlreadyRunning));
    waitUntil([&] { return !running.received.empty(); });
    EXPECT_EQ(running.received, (std::vector<std::pair<WPARAM, LPARAM>>{{1002, 0}}));
    CloseHandle(mapping);
}

TEST_F(Startup, AMissingAdapterLibraryIsReportedAndEndsTheProgram) {
    ASSERT_TRUE(DeleteFileA(programFolder.file("Tovix.dll").c_str()));
    ASSERT_TRUE(start());
    expectRefusal("Unable to load the adapter control library Tovix.dll.", true);
}

TEST_F(Startup, ALibraryWithoutAnOperationIsNamedAndEndsTheProgram) {
    useAdapter(kStubAdapterWithoutRadar);
    ASSERT_TRUE(start());
    expectRefusal(std::string("The adapter control library Tovix.dll has no operation ") +
                      kWithdrawnOperation + ".",
                  true);
}

TEST_F(Startup, TheLibraryIsFoundBesideTheProgramWhateverTheCurrentFolder) {
    ScratchFolder elsewhere;
    ASSERT_TRUE(driver.start(program(), elsewhere.path()));
    const HWND sheet = driver.waitForWindow(kTitle);
    ASSERT_TRUE(sheet);
    exitProgram(sheet);
    EXPECT_EQ(driver.waitForExit(), static_cast<DWORD>(app::ExitNormal));
}

TEST_F(Startup, ARadioHotkeyTakenElsewhereIsReportedAndTheProgramRuns) {
    ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_ALT, VK_F2));
    ASSERT_TRUE(start());
    const std::optional<MessageBoxView> box = driver.waitForMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "Cannot create hotkey for Radio On/Off!!");
    EXPECT_TRUE(box->hasIcon);
    pressButton(box->window, IDOK);

    const HWND sheet = driver.waitForWindow(kTitle);
    ASSERT_TRUE(sheet);
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(sheet) != FALSE; }));
    exitProgram(sheet);
    EXPECT_EQ(driver.waitForExit(), static_cast<DWORD>(app::ExitNormal));
    UnregisterHotKey(nullptr, 1);
}

// How the program meets each system Wine can pretend to be.
struct System {
    const char* wineVersion;
    bool supported;
    bool marksWithMapping;  // Windows 9x: a file mapping instead of a mutex
};

void PrintTo(const System& system, std::ostream* out) { *out << system.wineVersion; }

class StartupOnSystem : public Startup, public ::testing::WithParamInterface<System> {};

TEST_P(StartupOnSystem, RunsOnlyWhereSupportedAndMarksItsInstance) {
    WineVersionOverride version("Tovix.exe", GetParam().wineVersion);
    ASSERT_TRUE(start());
    if (!GetParam().supported) {
        expectRefusal("Not Supported!", true);
        return;
    }
    const HWND sheet = driver.waitForWindow(kTitle);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(mappingExists(), GetParam().marksWithMapping);
    EXPECT_EQ(mutexExists(), !GetParam().marksWithMapping);
    exitProgram(sheet);
    EXPECT_EQ(driver.waitForExit(), static_cast<DWORD>(app::ExitNormal));
    EXPECT_FALSE(mappingExists());
    EXPECT_FALSE(mutexExists());
}

INSTANTIATE_TEST_SUITE_P(
    Wine, StartupOnSystem,
    ::testing::Values(System{"winxp", true, false}, System{"win2003", true, false},  // NT 5.2
                      System{"win2k", true, false}, System{"nt40", true, false},
                      System{"win98", true, true}, System{"win95", true, true},
                      System{"vista", false, false}, System{"win7", false, false},
                      System{"win10", false, false}),
    [](const auto& info) { return std::string(info.param.wineVersion); });

}  // namespace
