// The Network Status page's suite under Wine, in the world of MainPageWin32World.h. One
// more test looks at what reaches the screen and keeps a picture of it.
#include <windows.h>
#include <gmock/gmock.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "adapter/ZelShared.h"
#include "controls/ThroughputChart.h"
#include "controls/win32/OffscreenPicture.h"
#include "framework/win32/Win32Host.h"
#include "tests/pages/MainPageWin32World.h"

namespace {

using mainpage_win32::ownFolder;
using mainpage_win32::Win32World;

std::unique_ptr<MainPageWorld> makeWorld(const std::string& scenario) {
    auto world = std::make_unique<Win32World>(scenario);
    if (!world->ready()) ADD_FAILURE() << "Tovix.dll did not load";
    return world;
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Win32, MainPageSuite,
                         testing::Values(MainPageWorldParam{"Win32", makeWorld}), worldName);

namespace {

// What the screen shows of `window`, whole, frame included.
struct ScreenCopy {
    explicit ScreenCopy(HWND window) {
        GetWindowRect(window, &area);
        const HDC screen = GetDC(nullptr);
        if (picture.make(screen, area.right - area.left, area.bottom - area.top)) {
            BitBlt(picture.dc(), 0, 0, area.right - area.left, area.bottom - area.top, screen,
                   area.left, area.top, SRCCOPY);
            GdiFlush();
        }
        ReleaseDC(nullptr, screen);
    }

    // The pixels of the line colour in `child`'s client area.
    int linePixels(HWND child) {
        RECT client;
        GetClientRect(child, &client);
        MapWindowPoints(child, nullptr, reinterpret_cast<POINT*>(&client), 2);
        int count = 0;
        for (int y = client.top; y < client.bottom; ++y) {
            for (int x = client.left; x < client.right; ++x) {
                count += picture.picture().pixel(x - area.left, y - area.top) ==
                         ctl::ThroughputChart::kLine;
            }
        }
        return count;
    }

    // Writes the copy as a 32-bit bitmap file.
    bool save(const std::string& path) {
        ctl::Picture& pixels = picture.picture();
        const DWORD bytes = static_cast<DWORD>(pixels.width() * pixels.height() * 4);
        BITMAPINFOHEADER info = {};
        info.biSize = sizeof info;
        info.biWidth = pixels.width();
        info.biHeight = -pixels.height();
        info.biPlanes = 1;
        info.biBitCount = 32;
        info.biCompression = BI_RGB;
        BITMAPFILEHEADER header = {};
        header.bfType = 0x4D42;  // "BM"
        header.bfOffBits = sizeof header + sizeof info;
        header.bfSize = header.bfOffBits + bytes;
        FILE* file = std::fopen(path.c_str(), "wb");
        if (!file) return false;
        std::fwrite(&header, sizeof header, 1, file);
        std::fwrite(&info, sizeof info, 1, file);
        for (int y = 0; y < pixels.height(); ++y) {
            for (int x = 0; x < pixels.width(); ++x) {
                const ctl::Colour colour = pixels.pixel(x, y);
                std::fwrite(&colour, sizeof colour, 1, file);
            }
        }
        return std::fclose(file) == 0;
    }

    RECT area{};
    ctl::OffscreenPicture picture;
};

class MainPageOnScreen : public MainPageSuite {};

TEST_P(MainPageOnScreen, BothGraphsDrawWhileTheCardIsConnected) {
    start(kCard + kNetworks);
    Profile* home = host->addProfile(homeProfile());
    ASSERT_EQ(host->connectProfile(home), 0);
    world->pass(*page, 1000);
    host->reportEvent(*page, zel::EventAssociated);
    // The card's interface, sending and receiving at rates that change every second.
    platform->ip.card = CardInterface{3, true, "192.168.1.20", "255.255.255.0", "192.168.1.1"};
    platform->ip.counters = OctetCounters{1000, 1000};
    show();
    for (int second = 0; second < 10; ++second) {
        platform->ip.growth = {static_cast<uint32_t>(9000 + 7000 * (second % 5)),
                               static_cast<uint32_t>(2000 + 1500 * ((second * 3) % 7))};
        world->pass(*page, 1000);
    }
    const HWND pageWindow = fw::Win32Host::windowOf(*page);
    const HWND sheetWindow = GetAncestor(pageWindow, GA_ROOT);
    ASSERT_NE(sheetWindow, nullptr);
    SetForegroundWindow(sheetWindow);
    world->pass(*page, 300);

    ScreenCopy screen(sheetWindow);
    const HWND transmit = GetDlgItem(pageWindow, IDC_STATUS_TX_GRAPH);
    const HWND receive = GetDlgItem(pageWindow, IDC_STATUS_RX_GRAPH);
    ASSERT_NE(transmit, nullptr);
    ASSERT_NE(receive, nullptr);
    EXPECT_GT(screen.linePixels(transmit), 20);
    EXPECT_GT(screen.linePixels(receive), 20);
    EXPECT_THAT(page->ui().text(IDC_STATUS_TX_RATE), testing::EndsWith("Kbps"));
    EXPECT_EQ(page->ui().text(IDC_STATUS_IP_ADDRESS), "192.168.1.20");
    EXPECT_TRUE(screen.save(ownFolder() + "MainPageConnected.bmp"));
}

// Run through MainPageInterface.sh, the system has an interface with the card's address.
TEST_P(MainPageOnScreen, TheCardsInterfaceGivesTheIpFieldsAndTheRates) {
    const char* named = std::getenv("TOVIX_CARD_INTERFACE");
    if (!named) GTEST_SKIP() << "no card interface (MainPageInterface.sh makes one)";
    std::istringstream fields(named);
    std::string mac, ip, mask, gateway;
    fields >> mac >> ip >> mask >> gateway;

    start(kCard + kNetworks);
    platform->systemInterfaces = true;
    Profile* home = host->addProfile(homeProfile());
    ASSERT_EQ(host->connectProfile(home), 0);
    world->pass(*page, 1000);
    host->reportEvent(*page, zel::EventAssociated);
    show();
    world->pass(*page, 4000);
    EXPECT_EQ(page->ui().text(IDC_STATUS_IP_ADDRESS), ip);
    EXPECT_EQ(page->ui().text(IDC_STATUS_SUBNET_MASK), mask);
    EXPECT_EQ(page->ui().text(IDC_STATUS_GATEWAY), gateway);
    EXPECT_EQ(page->ui().text(IDC_STATUS_DHCP), "Enable");  // what Wine says of every adapter
    // The other end pings the card: both directions carry traffic.
    EXPECT_THAT(page->ui().text(IDC_STATUS_TX_RATE), testing::EndsWith("Kbps"));
    EXPECT_THAT(page->ui().text(IDC_STATUS_RX_RATE), testing::EndsWith("Kbps"));
    const HWND sheetWindow = GetAncestor(fw::Win32Host::windowOf(*page), GA_ROOT);
    SetForegroundWindow(sheetWindow);
    world->pass(*page, 300);
    EXPECT_TRUE(ScreenCopy(sheetWindow).save(ownFolder() + "MainPageCardInterface.bmp"));
}

// The longest status texts wrap within the status field: none is cut short.
TEST_P(MainPageOnScreen, TheStatusFieldHoldsTheLongestScanningTexts) {
    start(kCard + kNetworks);
    show();
    const HWND field = GetDlgItem(fw::Win32Host::windowOf(*page), IDC_STATUS_TEXT);
    ASSERT_NE(field, nullptr);
    RECT client;
    GetClientRect(field, &client);
    const HDC dc = GetDC(field);
    const HGDIOBJ before =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(field, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, before);
    ReleaseDC(field, dc);
    for (const char* text :
         {"Scan for AP with strongest RSSI", "Scanning for Guest Network - Second Floor (5)",
          "Scanning for CorporateWirelessGuestAccess5GHz"}) {
        SetWindowTextA(field, text);
        const auto lines = SendMessageA(field, EM_GETLINECOUNT, 0, 0);
        EXPECT_LE(lines * metrics.tmHeight, client.bottom) << text << ": " << lines << " lines";
    }
}

INSTANTIATE_TEST_SUITE_P(Win32, MainPageOnScreen,
                         testing::Values(MainPageWorldParam{"Win32", makeWorld}), worldName);

}  // namespace
