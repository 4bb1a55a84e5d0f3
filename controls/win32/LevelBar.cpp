#include "controls/win32/LevelBar.h"

#include <commctrl.h>

namespace {

const char kBarProperty[] = "ctl.levelbar";
// The level bar that a window of kLevelBarClass owns.
const char kOwnedBarProperty[] = "ctl.levelbar.owned";

WNDPROC gProgressProc = nullptr;

LRESULT CALLBACK levelBarClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY)
        delete static_cast<CLevelBar*>(RemovePropA(window, kOwnedBarProperty));
    const LRESULT result = CallWindowProcA(gProgressProc, window, message, wParam, lParam);
    if (message == WM_CREATE && result != -1) {
        auto* bar = new CLevelBar;
        if (bar->subclass(window)) {
            SetPropA(window, kOwnedBarProperty, bar);
        } else {
            delete bar;
        }
    }
    return result;
}

}  // namespace

bool registerLevelBarClass() {
    WNDCLASSA progress = {};
    if (!GetClassInfoA(nullptr, PROGRESS_CLASSA, &progress)) return false;
    gProgressProc = progress.lpfnWndProc;
    progress.lpfnWndProc = levelBarClassProc;
    progress.hInstance = GetModuleHandleA(nullptr);
    progress.style |= CS_GLOBALCLASS;
    progress.lpszClassName = kLevelBarClass;
    return RegisterClassA(&progress) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

CLevelBar::CLevelBar() { colours_.background = ctl::fromColorRef(GetSysColor(COLOR_BTNFACE)); }

CLevelBar::~CLevelBar() { detach(); }

bool CLevelBar::subclassDlgItem(UINT id, HWND dialog) {
    return subclass(GetDlgItem(dialog, static_cast<int>(id)));
}

bool CLevelBar::subclass(HWND bar) {
    if (!bar || window_ || GetPropA(bar, kBarProperty)) return false;
    window_ = bar;
    SetPropA(bar, kBarProperty, this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(windowProc)));
    redraw();
    return true;
}

void CLevelBar::detach() {
    if (!window_) return;
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    RemovePropA(window_, kBarProperty);
    window_ = nullptr;
    original_ = nullptr;
}

void CLevelBar::redraw() {
    if (window_) InvalidateRect(window_, nullptr, FALSE);
}

void CLevelBar::setStartColour(COLORREF colour) {
    colours_.start = ctl::fromColorRef(colour);
    redraw();
}

void CLevelBar::setEndColour(COLORREF colour) {
    colours_.end = ctl::fromColorRef(colour);
    redraw();
}

void CLevelBar::setBackgroundColour(COLORREF colour) {
    colours_.background = ctl::fromColorRef(colour);
    redraw();
}

void CLevelBar::setTextColour(COLORREF colour) {
    colours_.text = ctl::fromColorRef(colour);
    redraw();
}

void CLevelBar::paint() {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window_, &paint);
    RECT client;
    GetClientRect(window_, &client);
    if (picture_.make(dc, client.right, client.bottom)) {
        PBRANGE range = {};
        SendMessageA(window_, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
        ctl::LevelBarState state;
        state.lower = range.iLow;
        state.upper = range.iHigh;
        state.position = static_cast<int>(SendMessageA(window_, PBM_GETPOS, 0, 0));
        state.vertical = (GetWindowLongA(window_, GWL_STYLE) & PBS_VERTICAL) != 0;
        const auto font = reinterpret_cast<HFONT>(SendMessageA(window_, WM_GETFONT, 0, 0));
        ctl::GdiTextPainter text(picture_, font);
        ctl::drawLevelBar(picture_.picture(), colours_, state, text);
        picture_.copyTo(dc, client);
    }
    EndPaint(window_, &paint);
}

LRESULT CALLBACK CLevelBar::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* bar = static_cast<CLevelBar*>(GetPropA(window, kBarProperty));
    if (!bar) return DefWindowProcA(window, message, wParam, lParam);
    const WNDPROC original = bar->original_;
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            bar->paint();
            return 0;
        case WM_NCDESTROY:
            bar->detach();
            break;
    }
    return CallWindowProcA(original, window, message, wParam, lParam);
}
