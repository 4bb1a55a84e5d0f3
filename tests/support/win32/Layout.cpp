#include "tests/support/win32/Layout.h"

#include <commctrl.h>

namespace fwtest {
namespace {

std::string classOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string textOf(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

DWORD styleOf(HWND window) { return static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)); }

bool isGroupBox(HWND control) {
    return classOf(control) == "Button" && (styleOf(control) & BS_TYPEMASK) == BS_GROUPBOX;
}

HWND buddyOf(HWND control) {
    if (classOf(control) != UPDOWN_CLASSA) return nullptr;
    return reinterpret_cast<HWND>(SendMessageA(control, UDM_GETBUDDY, 0, 0));
}

bool isCheckOrRadio(HWND control) {
    if (classOf(control) != "Button") return false;
    switch (styleOf(control) & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return true;
        default:
            return false;
    }
}

bool isTextLabel(HWND control) {
    if (classOf(control) != "Static") return false;
    const DWORD type = styleOf(control) & SS_TYPEMASK;
    return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_LEFTNOWORDWRAP ||
           type == SS_SIMPLE;
}

// The control's rectangle in its dialog's client coordinates.
RECT placeOf(HWND control, HWND dialog) {
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// The size the control's text takes in its font: one line, or wrapped at `wrapWidth`.
SIZE textSize(HWND control, const std::string& text, int wrapWidth) {
    const HDC dc = GetDC(control);
    const HGDIOBJ before =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT area = {0, 0, wrapWidth > 0 ? wrapWidth : 10000, 0};
    DrawTextA(dc, text.c_str(), -1, &area,
              DT_CALCRECT | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, before);
    ReleaseDC(control, dc);
    return {area.right - area.left, area.bottom - area.top};
}

}  // namespace

std::vector<std::string> layoutFaults(HWND dialog) {
    std::vector<std::string> faults;
    RECT client;
    GetClientRect(dialog, &client);
    std::vector<HWND> shown;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (styleOf(child) & WS_VISIBLE) shown.push_back(child);
    }
    const auto name = [](HWND control) {
        const std::string text = textOf(control);
        return classOf(control) + " " + std::to_string(GetDlgCtrlID(control)) +
               (text.empty() ? "" : " \"" + text + "\"");
    };
    for (HWND control : shown) {
        const RECT place = placeOf(control, dialog);
        if (place.left < client.left || place.top < client.top || place.right > client.right ||
            place.bottom > client.bottom) {
            faults.push_back(name(control) + " reaches out of the dialog");
        }
        RECT inside;
        GetClientRect(control, &inside);
        const std::string text = textOf(control);
        if (text.empty()) continue;
        if (isTextLabel(control)) {
            const bool wraps = (styleOf(control) & SS_TYPEMASK) != SS_LEFTNOWORDWRAP &&
                               (styleOf(control) & SS_TYPEMASK) != SS_SIMPLE;
            const SIZE needed = textSize(control, text, wraps ? inside.right : 0);
            if (needed.cx > inside.right || needed.cy > inside.bottom) {
                faults.push_back(name(control) + " needs " + std::to_string(needed.cx) + " x " +
                                 std::to_string(needed.cy) + " pixels, has " +
                                 std::to_string(inside.right) + " x " +
                                 std::to_string(inside.bottom));
            }
        } else if (classOf(control) == "Button") {
            // Beside a box or a circle, inside a button's edges, after a group box's corner.
            const int margin = isCheckOrRadio(control) ? GetSystemMetrics(SM_CXMENUCHECK) + 4
                               : isGroupBox(control)   ? 16
                                                       : 6;
            // A multi-line button wraps its text within its width, and must be tall enough.
            if (styleOf(control) & BS_MULTILINE) {
                const SIZE needed = textSize(control, text, inside.right - margin);
                if (needed.cy > inside.bottom) {
                    faults.push_back(name(control) + " needs " + std::to_string(needed.cy) +
                                     " pixels of height, has " + std::to_string(inside.bottom));
                }
                continue;
            }
            const SIZE needed = textSize(control, text, 0);
            if (needed.cx + margin > inside.right) {
                faults.push_back(name(control) + " needs " + std::to_string(needed.cx + margin) +
                                 " pixels, has " + std::to_string(inside.right));
            }
        }
    }
    for (size_t a = 0; a < shown.size(); ++a) {
        for (size_t b = a + 1; b < shown.size(); ++b) {
            if (isGroupBox(shown[a]) || isGroupBox(shown[b])) continue;
            // A spin button stands on the edge of the edit it belongs to.
            if (buddyOf(shown[a]) == shown[b] || buddyOf(shown[b]) == shown[a]) continue;
            const RECT first = placeOf(shown[a], dialog);
            const RECT second = placeOf(shown[b], dialog);
            RECT common;
            if (IntersectRect(&common, &first, &second)) {
                faults.push_back(name(shown[a]) + " overlaps " + name(shown[b]));
            }
        }
    }
    return faults;
}

}  // namespace fwtest
