// The tab strip with disabled tabs on a real property sheet.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "res/resource.h"
#include "shell/win32/ThemedTab.h"

namespace {

constexpr int kPages = 7;

// A modeless property sheet of seven empty pages whose tab strip is a CThemedTab; a page
// listed in `stubborn` refuses to be left.
class TabSheet {
public:
    TabSheet() {
        current_ = this;
        std::vector<HPROPSHEETPAGE> pages;
        for (int index = 0; index < kPages; ++index) {
            titles_.push_back("Page " + std::to_string(index));
            PROPSHEETPAGEA page{};
            page.dwSize = sizeof page;
            page.dwFlags = PSP_USETITLE;
            page.hInstance = GetModuleHandleA(nullptr);
            page.pszTemplate = MAKEINTRESOURCEA(IDD_NETWORK_STATUS);
            page.pszTitle = titles_.back().c_str();
            page.pfnDlgProc = pageProc;
            page.lParam = index;
            pages.push_back(CreatePropertySheetPageA(&page));
        }
        PROPSHEETHEADERA header{};
        header.dwSize = sizeof header;
        header.dwFlags = PSH_MODELESS | PSH_NOAPPLYNOW;
        header.hInstance = GetModuleHandleA(nullptr);
        header.pszCaption = "Tabs";
        header.nPages = kPages;
        header.phpage = pages.data();
        sheet = reinterpret_cast<HWND>(PropertySheetA(&header));
        sheetProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(drawingSheetProc)));
        tabs.attach(sheet);
        ShowWindow(sheet, SW_SHOW);
    }
    ~TabSheet() {
        DestroyWindow(sheet);
        current_ = nullptr;
    }

    int shownPage() const {
        return PropSheet_HwndToIndex(sheet, PropSheet_GetCurrentPageHwnd(sheet));
    }
    int selectedTab() const { return TabCtrl_GetCurSel(tabs.window()); }
    void disable(std::initializer_list<int> indexes) {
        for (int index : indexes) tabs.enableTab(index, false);
    }
    void press(WPARAM key) { SendMessageA(tabs.window(), WM_KEYDOWN, key, 0); }
    void click(int index) {
        RECT rect;
        TabCtrl_GetItemRect(tabs.window(), index, &rect);
        const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        SendMessageA(tabs.window(), WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageA(tabs.window(), WM_LBUTTONUP, 0, point);
    }

    HWND sheet = nullptr;
    CThemedTab tabs;
    std::set<int> stubborn;

private:
    static INT_PTR CALLBACK pageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(page, GWLP_USERDATA,
                              reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
            return TRUE;
        }
        if (message == WM_NOTIFY &&
            reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(PSN_KILLACTIVE)) {
            const int index = static_cast<int>(GetWindowLongPtrA(page, GWLP_USERDATA));
            SetWindowLongPtrA(page, DWLP_MSGRESULT, current_->stubborn.count(index) ? TRUE : FALSE);
            return TRUE;
        }
        return FALSE;
    }
    // The sheet hands the strip's drawing to the CThemedTab, as the main window does.
    static LRESULT CALLBACK drawingSheetProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
        if (message == WM_DRAWITEM &&
            reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem == current_->tabs.window()) {
            current_->tabs.drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        return CallWindowProcA(current_->sheetProc_, window, message, wParam, lParam);
    }

    static TabSheet* current_;
    std::vector<std::string> titles_;
    WNDPROC sheetProc_ = nullptr;
};

TabSheet* TabSheet::current_ = nullptr;

TEST(ThemedTab, TakesOverTheSheetsStripAndDrawsItsTabsItself) {
    TabSheet sheet;
    ASSERT_TRUE(sheet.tabs.window());
    EXPECT_EQ(sheet.tabs.window(), PropSheet_GetTabControl(sheet.sheet));
    EXPECT_TRUE(GetWindowLongA(sheet.tabs.window(), GWL_STYLE) & TCS_OWNERDRAWFIXED);
}

TEST(ThemedTab, EnablingReportsTabsOutsideTheStripAndKeepsTrackOfDisabledOnes) {
    TabSheet sheet;
    EXPECT_FALSE(sheet.tabs.enableTab(kPages, false));
    EXPECT_TRUE(sheet.tabs.enableTab(3, true)) << "already enabled";
    EXPECT_TRUE(sheet.tabs.enableTab(3, false));
    EXPECT_FALSE(sheet.tabs.isTabEnabled(3));
    EXPECT_FALSE(sheet.tabs.isTabEnabled(kPages));
    EXPECT_TRUE(sheet.tabs.enableTab(3, true));
    EXPECT_TRUE(sheet.tabs.isTabEnabled(3));
    sheet.disable({1, 2});
    sheet.tabs.enableAll();
    for (int tab = 0; tab < kPages; ++tab) EXPECT_TRUE(sheet.tabs.isTabEnabled(tab)) << tab;
}

TEST(ThemedTab, DisablingTheSelectedTabShowsTheNextEnabledPageToItsRight) {
    TabSheet sheet;
    ASSERT_TRUE(sheet.tabs.selectTab(2));
    ASSERT_EQ(sheet.shownPage(), 2);
    sheet.disable({3});
    EXPECT_TRUE(sheet.tabs.enableTab(2, false));
    EXPECT_EQ(sheet.selectedTab(), 4);
    EXPECT_EQ(sheet.shownPage(), 4);
}

TEST(ThemedTab, AClickOnAGreyedTabChangesNothingAndOnAnotherTabShowsItsPage) {
    TabSheet sheet;
    sheet.disable({2, 3, 4});
    sheet.click(3);
    EXPECT_EQ(sheet.selectedTab(), 0);
    EXPECT_EQ(sheet.shownPage(), 0);
    sheet.click(5);
    EXPECT_EQ(sheet.selectedTab(), 5);
    EXPECT_EQ(sheet.shownPage(), 5);
}

TEST(ThemedTab, TheArrowKeysPassOverGreyedTabsAndWrapAround) {
    TabSheet sheet;
    sheet.disable({2, 3, 4});
    ASSERT_TRUE(sheet.tabs.selectTab(1));
    sheet.press(VK_RIGHT);
    EXPECT_EQ(sheet.selectedTab(), 5);
    EXPECT_EQ(sheet.shownPage(), 5);
    sheet.press(VK_LEFT);
    EXPECT_EQ(sheet.shownPage(), 1);
    sheet.press(VK_UP);
    sheet.press(VK_UP);
    EXPECT_EQ(sheet.shownPage(), kPages - 1) << "Up on the first tab goes to the last";
    sheet.press(VK_DOWN);
    EXPECT_EQ(sheet.shownPage(), 0) << "Down on the last tab goes to the first";
}

TEST(ThemedTab, APageThatRefusesToBeLeftKeepsTheSheetOnIt) {
    TabSheet sheet;
    ASSERT_TRUE(sheet.tabs.selectTab(1));
    sheet.stubborn.insert(1);
    sheet.press(VK_RIGHT);
    EXPECT_FALSE(sheet.tabs.selectTab(4));
    EXPECT_EQ(sheet.selectedTab(), 1);
    EXPECT_EQ(sheet.shownPage(), 1);
}

TEST(ThemedTab, DirectSelectionsOfGreyedTabsAreRedirectedOrRefused) {
    TabSheet sheet;
    sheet.disable({2, 3, 4});
    ASSERT_TRUE(sheet.tabs.selectTab(1));
    EXPECT_EQ(TabCtrl_SetCurSel(sheet.tabs.window(), 4), -1) << "a far jump";
    EXPECT_EQ(sheet.selectedTab(), 1);
    TabCtrl_SetCurSel(sheet.tabs.window(), 2);
    EXPECT_EQ(sheet.selectedTab(), 5) << "a step of one goes on past the greyed tabs";
}

// The colours found in a drawing of tab `index`.
std::set<COLORREF> coloursOfTab(TabSheet& sheet, int index) {
    RECT rect;
    TabCtrl_GetItemRect(sheet.tabs.window(), index, &rect);
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, rect.right, rect.bottom);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_TAB;
    item.itemID = index;
    item.hwndItem = sheet.tabs.window();
    item.hDC = dc;
    item.rcItem = rect;
    sheet.tabs.drawItem(item);
    std::set<COLORREF> colours;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) colours.insert(GetPixel(dc, x, y));
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return colours;
}

TEST(ThemedTab, AGreyedTabIsDrawnEmbossedInClassicColours) {
    TabSheet sheet;
    sheet.disable({3});
    const std::set<COLORREF> greyed = coloursOfTab(sheet, 3);
    EXPECT_TRUE(greyed.count(GetSysColor(COLOR_GRAYTEXT)));
    EXPECT_TRUE(greyed.count(GetSysColor(COLOR_BTNHIGHLIGHT)));
    EXPECT_FALSE(greyed.count(GetSysColor(COLOR_BTNTEXT)));
    const std::set<COLORREF> enabled = coloursOfTab(sheet, 2);
    EXPECT_TRUE(enabled.count(GetSysColor(COLOR_BTNTEXT)));
    EXPECT_FALSE(enabled.count(GetSysColor(COLOR_GRAYTEXT)));
}

}  // namespace
