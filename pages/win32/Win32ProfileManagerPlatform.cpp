#include "pages/win32/Win32ProfileManagerPlatform.h"

#include "framework/win32/Win32Host.h"

int Win32ProfileManagerPlatform::controlWidth(const fw::Page& page, int id) {
    RECT area = {};
    GetClientRect(GetDlgItem(fw::Win32Host::windowOf(page), id), &area);
    return area.right - area.left;
}

void Win32ProfileManagerPlatform::beginWait() {
    previousCursor_ = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
}

void Win32ProfileManagerPlatform::endWait() { SetCursor(previousCursor_); }

void Win32ProfileManagerPlatform::showNow(fw::Page& page, unsigned milliseconds) {
    UpdateWindow(fw::Win32Host::windowOf(page));
    if (milliseconds > 0) Sleep(milliseconds);
}
