// What the whole-program tests of the pages share: the main window's title and tabs, the
// Network Status page's texts, and pictures of what the screen shows.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

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

// Saves what the screen shows of `window`'s top-level window in the folder
// "program-screens" beside the test, for people to look at.
inline void picture(HWND window, const std::string& name) {
    HWND top = GetAncestor(window, GA_ROOT);
    // The program paints in its own time: a moment for it before the picture.
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    program_driver::waitUntil([] { return false; }, 500);
    EXPECT_TRUE(fwtest::save(fwtest::capture(top), "program-screens", name));
}

}  // namespace program_pages
