#include "shell/win32/Win32Shell.h"

#include <commctrl.h>
#include <prsht.h>

#include <cctype>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "adapter/ZelShared.h"
#include "res/resource.h"
#include "shell/MainWindowCodes.h"

namespace {

// The window messages the portable code names, as Windows has them.
static_assert(shell::wm::Size == WM_SIZE && shell::wm::Close == WM_CLOSE &&
              shell::wm::EndSession == WM_ENDSESSION && shell::wm::Hotkey == WM_HOTKEY &&
              shell::wm::LeftDoubleClick == WM_LBUTTONDBLCLK &&
              shell::wm::RightButtonUp == WM_RBUTTONUP &&
              shell::wm::SizeMinimized == SIZE_MINIMIZED && shell::wm::ModAlt == MOD_ALT &&
              shell::wm::KeyF2 == VK_F2 && shell::kTrayMessage >= WM_APP);

// The worker's text for a page goes through the window's thread: the page's window is
// that thread's to find.
constexpr UINT kPageDeliveryMessage = WM_APP + 3;
struct PageDelivery {
    fw::Page* page;
    uint32_t code;
    const char* text;
};
// A message number nobody sends: looking for it handles only what other threads send.
constexpr UINT kNoMessage = WM_APP + 0x3FFF;

// The strip below the tabs and its controls, relative to the grown client rectangle.
constexpr int kStripHeight = 40;
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 25;
constexpr int kOkFromRight = 220;
constexpr int kCancelFromRight = 110;
constexpr int kControlsFromBottom = 35;
constexpr int kCheckBoxFromLeft = 20;
constexpr int kCheckBoxWidth = 180;
constexpr int kCheckBoxHeight = 15;
// The property sheet's own buttons, which the strip replaces.
constexpr int kSheetButtons[] = {IDOK, IDCANCEL, IDHELP, 0x3021 /* Apply */};

HWND createControl(HWND parent, const char* windowClass, const std::string& text, DWORD style,
                   int id, int x, int y, int width, int height) {
    const HWND control = CreateWindowExA(
        0, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, width,
        height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    SendMessageA(control, WM_SETFONT, SendMessageA(parent, WM_GETFONT, 0, 0), FALSE);
    return control;
}

// Whether a visible, enabled button or label inside `window` has the mnemonic `key`.
bool hasMnemonic(HWND window, WPARAM key) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED)) != WS_VISIBLE) continue;
        if (SendMessageA(child, WM_GETDLGCODE, 0, 0) & (DLGC_BUTTON | DLGC_STATIC)) {
            char text[128] = {};
            GetWindowTextA(child, text, sizeof text);
            for (const char* mark = std::strchr(text, '&'); mark && mark[1];
                 mark = std::strchr(mark + 2, '&')) {
                if (mark[1] != '&' && std::toupper(static_cast<unsigned char>(mark[1])) ==
                                          std::toupper(static_cast<int>(key & 0xFF))) {
                    return true;
                }
            }
        }
        if (hasMnemonic(child, key)) return true;
    }
    return false;
}

}  // namespace

Win32Shell::Win32Shell(HINSTANCE module, const ZelApi& api, sys::Settings& settings,
                       sys::OsKind osKind, std::string profilePath)
    : module_(module),
      windowThread_(GetCurrentThreadId()),
      host_(module),
      tray_(module),
      sheet_(std::make_unique<CMainSheet>(api, settings, osKind, std::move(profilePath), *this)) {}

Win32Shell::~Win32Shell() {
    if (smallIcon_) DestroyIcon(smallIcon_);
}

bool Win32Shell::create() {
    host_.createSheet(*sheet_, nullptr);
    return window() != nullptr;
}

HWND Win32Shell::window() const { return fw::Win32Host::windowOf(*sheet_); }

// ---- The window -----------------------------------------------------------------------

void Win32Shell::completeWindow() {
    const HWND sheet = window();
    fw::Win32Host::setFilter(*sheet_, this);

    // A main window: it minimises, and asks for no context help.
    SetWindowLongA(sheet, GWL_STYLE, GetWindowLongA(sheet, GWL_STYLE) | WS_MINIMIZEBOX);
    SetWindowLongA(sheet, GWL_EXSTYLE, GetWindowLongA(sheet, GWL_EXSTYLE) & ~WS_EX_CONTEXTHELP);
    SetWindowPos(sheet, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    fitTabsToPages();
    addButtonStrip();

    // The small icon comes from the current folder, when it is there.
    smallIcon_ =
        static_cast<HICON>(LoadImageA(nullptr, "Mirel.ico", IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
    if (smallIcon_)
        SendMessageA(sheet, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));

    tray_.bind(sheet, shell::kTrayMessage);
}

void Win32Shell::fitTabsToPages() {
    const HWND sheet = window();
    const HWND tabs = PropSheet_GetTabControl(sheet);
    const HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    if (!tabs || !page) return;
    RECT strip;
    GetWindowRect(tabs, &strip);
    MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&strip), 2);
    RECT display = strip;
    TabCtrl_AdjustRect(tabs, FALSE, &display);
    RECT shown;
    GetWindowRect(page, &shown);
    MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&shown), 2);
    // The rows the tabs took beyond the one the sheet was sized for.
    const int rows = display.top - shown.top;
    if (rows <= 0) return;
    SetWindowPos(tabs, nullptr, 0, 0, strip.right - strip.left, strip.bottom - strip.top + rows,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(page, nullptr, shown.left, shown.top + rows, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Shell::addButtonStrip() {
    const HWND sheet = window();
    for (int id : kSheetButtons) {
        if (const HWND button = GetDlgItem(sheet, id)) DestroyWindow(button);
    }
    // The sheet's window ends a margin below its tabs; the strip goes below that.
    RECT tabs;
    GetWindowRect(PropSheet_GetTabControl(sheet), &tabs);
    MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&tabs), 2);
    RECT client;
    GetClientRect(sheet, &client);
    const int grow = tabs.bottom + tabs.left + kStripHeight - client.bottom;
    RECT frame;
    GetWindowRect(sheet, &frame);
    SetWindowPos(sheet, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + grow,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    GetClientRect(sheet, &client);
    const int top = client.bottom - kControlsFromBottom;
    createControl(sheet, "BUTTON", text(IDS_OK), BS_PUSHBUTTON, IDOK, client.right - kOkFromRight,
                  top, kButtonWidth, kButtonHeight);
    createControl(sheet, "BUTTON", text(IDS_CANCEL), BS_DEFPUSHBUTTON, IDCANCEL,
                  client.right - kCancelFromRight, top, kButtonWidth, kButtonHeight);
    createControl(sheet, "BUTTON", text(IDS_RADIO_OFF_HOTKEY), BS_AUTOCHECKBOX, IDC_RADIO_OFF,
                  client.left + kCheckBoxFromLeft, top, kCheckBoxWidth, kCheckBoxHeight);
    SendMessageA(sheet, DM_SETDEFID, IDCANCEL, 0);
}

void Win32Shell::attachTabs() { tabs_.attach(window()); }

void Win32Shell::restore() {
    ShowWindow(window(), SW_RESTORE);
    SetForegroundWindow(window());
}

bool Win32Shell::modalDialogUp() const {
    // A modal dialog or message box of the program disables the window it belongs to.
    return window() && !IsWindowEnabled(window());
}

std::string Win32Shell::text(int stringId) const {
    char buffer[512];
    const int length = LoadStringA(module_, static_cast<UINT>(stringId), buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? length : 0);
}

// ---- Threads ----------------------------------------------------------------------------

void Win32Shell::post(unsigned message, uintptr_t wParam, intptr_t lParam) {
    if (const HWND sheet = window()) PostMessageA(sheet, message, wParam, lParam);
}

void Win32Shell::sendToPage(fw::Page& page, uint32_t code, const char* text) {
    PageDelivery delivery{&page, code, text};
    if (const HWND sheet = window()) {
        SendMessageA(sheet, kPageDeliveryMessage, 0, reinterpret_cast<LPARAM>(&delivery));
    }
}

void Win32Shell::handleSentMessages() {
    MSG message;
    PeekMessageA(&message, nullptr, kNoMessage, kNoMessage, PM_NOREMOVE);
}

// ---- Registrations ------------------------------------------------------------------

void Win32Shell::unregisterHotkey() { UnregisterHotKey(window(), ID_RADIO_TOGGLE); }

// ---- Keyboard ---------------------------------------------------------------------------

bool Win32Shell::handleDialogMessage(MSG& message) {
    const HWND sheet = window();
    if (!sheet || (message.hwnd != sheet && !IsChild(sheet, message.hwnd))) return false;
    // Ctrl+Tab and Ctrl+Page Up/Down go from tab to tab past the greyed ones.
    if (message.message == WM_KEYDOWN && (GetKeyState(VK_CONTROL) & 0x8000) &&
        (message.wParam == VK_TAB || message.wParam == VK_PRIOR || message.wParam == VK_NEXT)) {
        const bool back = message.wParam == VK_PRIOR ||
                          (message.wParam == VK_TAB && (GetKeyState(VK_SHIFT) & 0x8000));
        const int count = TabCtrl_GetItemCount(tabs_.window());
        const int current = TabCtrl_GetCurSel(tabs_.window());
        tabs_.selectTab(back ? (current <= 0 ? count - 1 : current - 1)
                             : (current >= count - 1 ? 0 : current + 1));
        return true;
    }
    // The page in front wins its own mnemonics over the window's OK and Cancel, whichever
    // control has the focus: the page looks for them among its controls alone.
    const bool mnemonic =
        message.message == WM_SYSCHAR ||
        (message.message == WM_CHAR && !(SendMessageA(message.hwnd, WM_GETDLGCODE, message.wParam,
                                                      reinterpret_cast<LPARAM>(&message)) &
                                         (DLGC_WANTCHARS | DLGC_WANTMESSAGE)));
    const HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    if (mnemonic && page && hasMnemonic(page, message.wParam)) {
        MSG toPage = message;
        toPage.hwnd = page;
        return IsDialogMessageA(page, &toPage) != FALSE;
    }
    return PropSheet_IsDialogMessage(sheet, &message) != FALSE;
}

// ---- In front of the sheet's message map ----------------------------------------------

bool Win32Shell::filter(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.hwndItem != tabs_.window()) break;
            tabs_.drawItem(item);
            result = TRUE;
            return true;
        }
        case kPageDeliveryMessage: {
            const auto& delivery = *reinterpret_cast<const PageDelivery*>(lParam);
            if (const HWND page = fw::Win32Host::windowOf(*delivery.page)) {
                SendMessageA(page, zel::kEventMessage, delivery.code,
                             reinterpret_cast<LPARAM>(delivery.text));
            }
            result = 0;
            return true;
        }
        case WM_DESTROY:
            // The message loop looks at the window only when a message is posted: when
            // the window goes while it handles a message sent from elsewhere (another
            // program's Exit), nothing else may come to wake the loop.
            PostMessageA(nullptr, WM_NULL, 0, 0);
            break;
    }
    return false;
}
