#include "tests/support/win32/Win32User.h"

#include <commctrl.h>
#include <dbt.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "tests/support/win32/ProgramDriver.h"

namespace fwtest {

HWND Win32User::item(int id) const {
    HWND control = GetDlgItem(dialog_, id);
    if (!control) {
        ADD_FAILURE() << "the window has no control " << id;
    } else if (!IsWindowEnabled(control) || !(GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE)) {
        ADD_FAILURE() << "control " << id << " is disabled or hidden";
        return nullptr;
    }
    return control;
}

void Win32User::click(int id) {
    if (HWND button = item(id)) SendMessageA(button, BM_CLICK, 0, 0);
}

void Win32User::type(int id, const std::string& text) {
    HWND edit = item(id);
    if (!edit) return;
    SetFocus(edit);
    const int end = GetWindowTextLengthA(edit);
    SendMessageA(edit, EM_SETSEL, end, end);
    for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void Win32User::pick(int id, int index) {
    // Choosing in an open drop-down list ends in the control's selection change
    // notification; the selection is made, and the notification sent, as the control does.
    HWND control = item(id);
    if (!control) return;
    char name[16] = {};
    GetClassNameA(control, name, sizeof name);
    const bool listBox = lstrcmpiA(name, "ListBox") == 0;
    SetFocus(control);
    SendMessageA(control, listBox ? LB_SETCURSEL : CB_SETCURSEL, index, 0);
    SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, listBox ? LBN_SELCHANGE : CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(control));
}

void Win32User::focus(int id) {
    if (HWND control = item(id)) SetFocus(control);
}

POINT Win32User::rowPoint(HWND list, int row, bool checkBox) const {
    RECT area = {};
    area.left = checkBox ? LVIR_ICON : LVIR_LABEL;
    SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&area));
    // The check box (the state image) stands just left of the row's icon.
    const LONG x = checkBox ? area.left - 8 : (area.left + area.right) / 2;
    return {x, (area.top + area.bottom) / 2};
}

void Win32User::clickRow(int id, int row) {
    HWND list = item(id);
    if (!list) return;
    const POINT at = rowPoint(list, row, false);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

void Win32User::clickCheckBox(int id, int row) {
    HWND list = item(id);
    if (!list) return;
    const POINT at = rowPoint(list, row, true);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

void Win32User::doubleClickRow(int id, int row) {
    HWND list = item(id);
    if (!list) return;
    const POINT at = rowPoint(list, row, false);
    const LPARAM where = MAKELPARAM(at.x, at.y);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, where);
    SendMessageA(list, WM_LBUTTONUP, 0, where);
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
    SendMessageA(list, WM_LBUTTONUP, 0, where);
}

void Win32User::rightClickRow(int id, int row) {
    HWND list = item(id);
    if (!list) return;
    const POINT at = rowPoint(list, row, false);
    const LPARAM where = MAKELPARAM(at.x, at.y);
    // The list view follows the mouse until the button is released: the release waits
    // in the queue.
    PostMessageA(list, WM_RBUTTONUP, 0, where);
    SendMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, where);
}

void Win32User::pressKey(int id, int key) {
    if (HWND list = item(id)) program_driver::pressKey(list, key);
}

intptr_t Win32User::deviceChange(int event, const std::string& interfaceName) {
    if (interfaceName.empty()) return SendMessageA(dialog_, WM_DEVICECHANGE, event, 0);
    const size_t nameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name);
    std::vector<char> storage(nameOffset + interfaceName.size() + 1);
    auto* broadcast = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_A*>(storage.data());
    broadcast->dbcc_size = static_cast<DWORD>(storage.size());
    broadcast->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    std::memcpy(storage.data() + nameOffset, interfaceName.c_str(), interfaceName.size() + 1);
    return SendMessageA(dialog_, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(broadcast));
}

void Win32User::fireTimer(int timerId) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 5000) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            const bool fired = message.message == WM_TIMER && message.hwnd == dialog_ &&
                               message.wParam == static_cast<WPARAM>(timerId);
            TranslateMessage(&message);
            DispatchMessageA(&message);
            if (fired) return;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    ADD_FAILURE() << "timer " << timerId << " did not fire";
}

fw::Cursor Win32User::cursorOver(int id) {
    // What the system does as the mouse moves over the control's client area.
    HWND control = item(id);
    SendMessageA(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    const HCURSOR shown = GetCursor();
    if (shown == LoadCursor(nullptr, IDC_WAIT)) return fw::Cursor::Wait;
    if (shown == LoadCursor(nullptr, IDC_IBEAM)) return fw::Cursor::IBeam;
    if (shown == LoadCursor(nullptr, IDC_ARROW)) return fw::Cursor::Arrow;
    return fw::Cursor::Other;
}

bool Win32User::inFront() const { return GetForegroundWindow() == GetAncestor(dialog_, GA_ROOT); }

bool Win32User::centredOverOwner() const {
    HWND root = GetAncestor(dialog_, GA_ROOT);
    RECT own = {}, over = {};
    HWND owner = GetWindow(root, GW_OWNER);
    if (!owner || !GetWindowRect(owner, &over) || !GetWindowRect(root, &own)) return false;
    return std::abs((own.left + own.right) - (over.left + over.right)) <= 2 &&
           std::abs((own.top + own.bottom) - (over.top + over.bottom)) <= 2;
}

}  // namespace fwtest
