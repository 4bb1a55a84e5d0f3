// What only real windows show: the resources profile editing draws on, and edits that
// take digits only.
#include <windows.h>
#include <gmock/gmock.h>

#include <string>
#include <tuple>
#include <vector>

#include "framework/win32/Win32Host.h"
#include "pages/AdvSettgPage.h"
#include "res/resource.h"
#include "tests/pages/ProfileSuite.h"
#include "tests/support/win32/Win32User.h"

namespace {

HINSTANCE program() { return GetModuleHandleA(nullptr); }

TEST(ProfileWindows, TheListImagesAndTheWizardsBitmapsAreThere) {
    for (int icon : {IDI_PROFILE, IDI_PROFILE_IN_USE}) {
        HICON loaded = static_cast<HICON>(
            LoadImageA(program(), MAKEINTRESOURCEA(icon), IMAGE_ICON, 16, 16, 0));
        EXPECT_TRUE(loaded) << icon;
        if (loaded) DestroyIcon(loaded);
    }
    for (const auto& [bitmap, width, height] :
         {std::tuple{IDB_WIZARD_WATERMARK, 164, 314}, std::tuple{IDB_WIZARD_HEADER, 49, 49}}) {
        HBITMAP loaded = static_cast<HBITMAP>(
            LoadImageA(program(), MAKEINTRESOURCEA(bitmap), IMAGE_BITMAP, 0, 0, 0));
        ASSERT_TRUE(loaded) << bitmap;
        BITMAP info = {};
        GetObjectA(loaded, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, width);
        EXPECT_EQ(info.bmHeight, height);
        DeleteObject(loaded);
    }
}

TEST(ProfileWindows, TheThresholdsTakeDigitsOnly) {
    fw::Win32Host host(program());
    pagestest::FakeMainWindow mainWindow([](int) { return std::string(); });
    CProfileSheet editor(mainWindow, CProfileSheet::Purpose::Editor);
    host.createSheet(editor, nullptr);
    CAdvSettgPage& protocol = *editor.protocolPage();
    editor.activate(protocol);
    fwtest::Win32User user(fw::Win32Host::windowOf(protocol));
    user.click(IDC_PROTO_KEEP);
    protocol.ui().setText(IDC_PROTO_FRAG, "");
    user.type(IDC_PROTO_FRAG, "1x5-0 0");
    EXPECT_EQ(protocol.ui().text(IDC_PROTO_FRAG), "1500");
}

}  // namespace
