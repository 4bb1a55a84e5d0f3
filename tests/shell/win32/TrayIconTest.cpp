// The tray icon and its menu, as the notification area receives them.
#include <windows.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "shell/win32/TrayIcon.h"
#include "tests/shell/win32/FakeTray.h"

namespace {

using fake_tray::FakeTray;
using fake_tray::Request;

constexpr UINT kCallback = 0x8001;

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tray.isTheTray()) << "another tray window comes first";
        owner = CreateWindowA("STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(owner);
        icon.bind(owner, kCallback);
    }
    void TearDown() override { DestroyWindow(owner); }

    FakeTray tray;
    HWND owner = nullptr;
    CTrayIcon icon{GetModuleHandleA(nullptr)};
};

TEST_F(TrayIconTest, EachLinkStateShowsItsTipAndNoBalloon) {
    const char* tips[] = {"Card Unplugged", "Connected", "No Connection"};
    for (int state = 0; state < 3; ++state) {
        icon.showState(state);
        const std::vector<Request> requests = tray.takeRequests();
        ASSERT_EQ(requests.size(), 1u) << state;
        const Request& request = requests[0];
        EXPECT_EQ(request.command, static_cast<DWORD>(state == 0 ? NIM_ADD : NIM_MODIFY));
        EXPECT_EQ(request.owner, owner);
        EXPECT_EQ(request.id, 0u);
        EXPECT_EQ(request.flags, static_cast<UINT>(NIF_ICON | NIF_TIP | NIF_INFO | NIF_MESSAGE));
        EXPECT_EQ(request.callbackMessage, kCallback);
        EXPECT_EQ(request.tip, tips[state]);
        EXPECT_EQ(request.balloon, "");
        EXPECT_EQ(request.iconWidth, static_cast<UINT>(GetSystemMetrics(SM_CXSMICON)));
    }
    EXPECT_TRUE(icon.isShown());
}

TEST_F(TrayIconTest, ScanningShowsTheBalloonAndKeepsTheTip) {
    icon.showState(1);
    icon.showState(3);
    const std::vector<Request> requests = tray.requests();
    ASSERT_EQ(requests.size(), 2u);
    const Request& scanning = requests[1];
    EXPECT_EQ(scanning.command, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(scanning.flags & NIF_TIP, 0u);
    // The balloon travels only in the record's balloon-capable size.
    EXPECT_EQ(scanning.balloon, "Auto Configuration:  Scanning in progress...");
    EXPECT_EQ(scanning.balloonTitle, "");
    EXPECT_EQ(scanning.balloonTimeout, 5000u);
    EXPECT_EQ(tray.iconOf(owner).tip, "Connected");
}

TEST_F(TrayIconTest, OtherStatesAndStatesBeforeBindingChangeNothing) {
    icon.showState(4);
    icon.showState(-1);
    CTrayIcon unbound(GetModuleHandleA(nullptr));
    unbound.showState(1);
    EXPECT_TRUE(tray.requests().empty());
    EXPECT_FALSE(unbound.isShown());
}

TEST_F(TrayIconTest, AfterARefusedUpdateTheNextStateAddsTheIconAnew) {
    icon.showState(2);
    tray.refuseNext();
    icon.showState(1);
    EXPECT_FALSE(icon.isShown());
    icon.showState(1);
    const std::vector<Request> requests = tray.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[1].command, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_TRUE(requests[1].refused);
    EXPECT_EQ(requests[2].command, static_cast<DWORD>(NIM_ADD));
    EXPECT_TRUE(icon.isShown());
}

TEST_F(TrayIconTest, RemovingDeletesTheIconOnceAndTheNextStateAddsItAgain) {
    icon.showState(1);
    icon.remove();
    icon.remove();
    EXPECT_FALSE(icon.isShown());
    EXPECT_FALSE(tray.iconOf(owner).present);
    icon.showState(0);
    const std::vector<Request> requests = tray.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[1].command, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(requests[2].command, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(tray.iconOf(owner).tip, "Card Unplugged");
}

// The menu that is up, read while it is tracked.
struct MenuView {
    std::vector<std::string> items;
    std::vector<UINT> commands;
    UINT defaultItem = ~0u;
};

MenuView gMenuSeen;

void CALLBACK readMenuAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND menuWindow = FindWindowA("#32768", nullptr);
    if (!menuWindow || !IsWindowVisible(menuWindow)) return;
    KillTimer(nullptr, timer);
    const auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    for (int item = 0; item < GetMenuItemCount(menu); ++item) {
        char text[64] = {};
        GetMenuStringA(menu, item, text, sizeof text, MF_BYPOSITION);
        gMenuSeen.items.push_back(text);
        gMenuSeen.commands.push_back(GetMenuItemID(menu, item));
    }
    gMenuSeen.defaultItem = GetMenuDefaultItem(menu, TRUE, 0);
    EndMenu();
}

TEST_F(TrayIconTest, TheMenuRestoresTogglesTheRadioAndExitsWithRestoreAsDefault) {
    icon.setRadioItem(false);
    gMenuSeen = {};
    SetTimer(nullptr, 0, 50, readMenuAndClose);
    icon.openMenu();
    EXPECT_EQ(gMenuSeen.items, (std::vector<std::string>{"&Restore", "Turn Radio On", "E&xit"}));
    EXPECT_EQ(gMenuSeen.commands,
              (std::vector<UINT>{ID_TRAY_RESTORE, ID_RADIO_TOGGLE, ID_TRAY_EXIT}));
    EXPECT_EQ(gMenuSeen.defaultItem, 0u);

    icon.setRadioItem(true);
    gMenuSeen = {};
    SetTimer(nullptr, 0, 50, readMenuAndClose);
    icon.openMenu();
    ASSERT_EQ(gMenuSeen.items.size(), 3u);
    EXPECT_EQ(gMenuSeen.items[1], "Turn Radio Off");
}

}  // namespace
