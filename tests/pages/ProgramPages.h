// What the whole-program tests share: the main window's title and tabs, the Network
// Status page's texts, pictures of what the screen shows, and the fixture that runs
// Tovix.exe in a folder of its own.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "app/ExitCode.h"
#include "res/resource.h"
#include "tests/support/win32/ProgramDriver.h"
#include "tests/support/win32/ScreenPicture.h"

namespace program_pages {

constexpr const char* kTitle = "VORNAX TX-LM70RDV Utility";
constexpr int kNetworkStatusTab = 0;
constexpr int kProfileManagerTab = 1;
constexpr int kSiteSurveyTab = 2;
// The Network Status page's status text and SSID.
constexpr int kStatusText = 1072;
constexpr int kStatusSsid = 1084;

// Selects tab `tab` of the main window; its page.
inline HWND showTab(HWND sheet, int tab) {
    SendMessageA(sheet, PSM_SETCURSEL, tab, 0);
    return program_driver::currentPage(sheet);
}

// Saves what the screen shows of `window`'s top-level window in `folder` beside the test,
// for people to look at.
inline void picture(HWND window, const std::string& name,
                    const std::string& folder = "program-screens") {
    HWND top = GetAncestor(window, GA_ROOT);
    // The program paints in its own time: a moment for it before the picture.
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    program_driver::waitUntil([] { return false; }, 500);
    EXPECT_TRUE(fwtest::save(fwtest::grab(top), folder, name));
}

// Tovix.exe in a scratch folder of its own, put there by the test with its library and
// whatever world and files the test needs. A program still running at the end is ended
// as the user ends it, and must end normally.
class TovixProgram : public ::testing::Test {
protected:
    void TearDown() override {
        if (driver.isRunning()) exitProgram();
    }

    // Starts the program and waits for its main window.
    void start() {
        ASSERT_TRUE(driver.start(folder.file("Tovix.exe"), folder.path()));
        sheet = driver.waitForWindow(kTitle);
        ASSERT_TRUE(sheet);
    }
    // "Exit" from the tray menu.
    void exitProgram() {
        PostMessageA(sheet, WM_COMMAND, ID_TRAY_EXIT, 0);
        EXPECT_EQ(driver.waitForExit(), static_cast<DWORD>(app::ExitNormal));
    }
    HWND showTab(int tab) { return program_pages::showTab(sheet, tab); }
    // Writes `key` of `section` in the Tovix.ini beside the program.
    void setting(const char* section, const char* key, const char* value) {
        WritePrivateProfileStringA(section, key, value, folder.file("Tovix.ini").c_str());
    }

    program_driver::ScratchFolder folder;
    program_driver::ProgramDriver driver;
    HWND sheet = nullptr;
};

}  // namespace program_pages
