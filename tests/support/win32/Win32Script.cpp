#include "tests/support/win32/Win32Script.h"

#include <prsht.h>

#include <string>
#include <utility>

#include "framework/Sheet.h"
#include "framework/win32/Win32Host.h"
#include "framework/win32/Win32Surface.h"
#include "tests/support/win32/Win32User.h"

namespace fwtest {
namespace {

Win32Script* gActive = nullptr;

// The controls of a message box: its text and its icon.
constexpr int kBoxText = 0xFFFF;
constexpr int kBoxIcon = 0x0440;

bool isShown(HWND box, int id) {
    HWND button = GetDlgItem(box, id);
    return button && (GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE);
}

// The MB_ flags that the box's visible buttons and icon stand for.
unsigned boxFlags(HWND box) {
    unsigned flags = MB_OK;
    if (isShown(box, IDYES) && isShown(box, IDNO)) {
        flags = isShown(box, IDCANCEL) ? MB_YESNOCANCEL : MB_YESNO;
    } else if (isShown(box, IDOK) && isShown(box, IDCANCEL)) {
        flags = MB_OKCANCEL;
    }
    const HICON icon =
        reinterpret_cast<HICON>(SendDlgItemMessageA(box, kBoxIcon, STM_GETICON, 0, 0));
    struct Known {
        LPCSTR icon;
        unsigned flag;
    };
    static const Known kIcons[] = {{IDI_HAND, MB_ICONHAND},
                                   {IDI_QUESTION, MB_ICONQUESTION},
                                   {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                                   {IDI_ASTERISK, MB_ICONASTERISK}};
    for (const Known& known : kIcons) {
        if (icon && icon == LoadIconA(nullptr, known.icon)) flags |= known.flag;
    }
    return flags;
}

bool isMenu(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return lstrcmpA(name, "#32768") == 0;
}

void pressKey(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

std::string windowText(HWND window) {
    std::string text(GetWindowTextLengthA(window) + 1, '\0');
    text.resize(GetWindowTextA(window, &text[0], static_cast<int>(text.size())));
    return text;
}

std::string className(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// What the test program made from its own module: the windows of the framework's
// dialogs and sheets (a test's modeless ones are its own; the script answers modal ones)
// and any helper window of a test. Windows that are never activated (hidden ones such as
// the tray's, tooltips, the input method's) never come here.
bool isTestsOwn(HWND window) {
    const auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    return !module || module == GetModuleHandleA(nullptr);
}

}  // namespace

Win32Script::Win32Script(fw::Script& script)
    : script_(script), hook_(SetWindowsHookExA(WH_CBT, hook, nullptr, GetCurrentThreadId())) {
    gActive = this;
}

Win32Script::~Win32Script() {
    UnhookWindowsHookEx(hook_);
    gActive = nullptr;
}

LRESULT CALLBACK Win32Script::hook(int code, WPARAM wParam, LPARAM lParam) {
    if (gActive) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_ACTIVATE) gActive->activated(window);
        if (code == HCBT_CREATEWND && isMenu(window)) {
            // The menu's own loop runs the timer once the menu is up.
            gActive->menu_ = window;
            SetTimer(nullptr, 0, 0, runMenu);
        }
        if (code == HCBT_DESTROYWND) gActive->seen_.erase(window);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void Win32Script::activated(HWND window) {
    // A window comes back to the front after each box it owned: answer it once. A
    // sheet is known as ours only once it is initialised: look at the window from its
    // modal loop.
    if (!window || !seen_.insert(window).second) return;
    pending_.push_back(window);
    SetTimer(nullptr, 0, 0, runPending);
}

void Win32Script::answerMessageBox(HWND box) {
    fw::ShownBox shown;
    shown.text = windowText(GetDlgItem(box, kBoxText));
    shown.caption = windowText(box);
    shown.flags = boxFlags(box);
    const int answer = script_.answerMessageBox(shown).value_or(IDCANCEL);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
}

void CALLBACK Win32Script::runMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (gActive && gActive->menu_ && IsWindow(gActive->menu_)) {
        gActive->answerMenu(std::exchange(gActive->menu_, nullptr));
    }
}

// The resource of a real menu is not known here: any expected menu matches, and the
// command must be one of its items. The user walks down to it and presses Enter.
void Win32Script::answerMenu(HWND window) {
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
    const int command = script_.answerMenu(0).value_or(0);
    int steps = 0;
    bool found = false;
    for (int item = 0; menu && item < GetMenuItemCount(menu) && !found; ++item) {
        const UINT id = GetMenuItemID(menu, item);
        if (id == 0) continue;  // a separator is passed over
        ++steps;
        found = command != 0 && id == static_cast<UINT>(command);
    }
    if (!found) {
        if (command) script_.fail("menu has no command " + std::to_string(command));
        pressKey(window, VK_ESCAPE);
        return;
    }
    for (int step = 0; step < steps; ++step) pressKey(window, VK_DOWN);
    pressKey(window, VK_RETURN);
}

void CALLBACK Win32Script::runPending(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (!gActive || gActive->pending_.empty()) return;
    const HWND window = gActive->pending_.front();
    // A modal dialog is shown once its loop first finds the queue empty: the user acts
    // on it only then.
    const fw::Dialog* dialog = fw::Win32Host::dialogOf(window);
    const auto* surface = dialog ? dynamic_cast<const fw::Win32Surface*>(&dialog->ui()) : nullptr;
    if (surface && surface->role() == fw::Win32Surface::Role::ModalDialog &&
        !IsWindowVisible(window)) {
        SetTimer(nullptr, 0, 10, runPending);
        return;
    }
    gActive->pending_.pop_front();
    if (IsWindow(window)) gActive->answer(window);
}

void Win32Script::answer(HWND window) {
    fw::Dialog* dialog = fw::Win32Host::dialogOf(window);
    if (!dialog) {
        if (GetDlgItem(window, kBoxText)) {
            answerMessageBox(window);
        } else if (!isTestsOwn(window)) {
            // A window nobody expected, a system dialog say, would wait for a user until
            // the test timed out: it fails the test at once and is closed.
            script_.fail("unexpected window: class \"" + className(window) + "\", title \"" +
                         windowText(window) + "\"");
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
        return;
    }
    const auto role = dynamic_cast<const fw::Win32Surface&>(dialog->ui()).role();
    std::optional<fw::DialogAction> action;
    if (role == fw::Win32Surface::Role::ModalDialog) {
        action = script_.answerDialog(dialog->templateId());
    } else if (role == fw::Win32Surface::Role::ModalSheet) {
        action = script_.answerSheet(static_cast<const fw::Sheet&>(*dialog).caption());
    } else {
        return;  // the test's own modeless windows
    }
    if (action) {
        Win32User user(window);
        (*action)(*dialog, user);
        // A dialog the user leaves open would hold the test for ever.
        const auto* surface = dynamic_cast<const fw::Win32Surface*>(&dialog->ui());
        if (role == fw::Win32Surface::Role::ModalDialog && surface && !surface->ended()) {
            script_.fail("dialog " + std::to_string(dialog->templateId()) + " did not end");
            EndDialog(window, IDCANCEL);
        }
    } else if (role == fw::Win32Surface::Role::ModalSheet) {
        SendMessageA(window, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    } else {
        EndDialog(window, IDCANCEL);
    }
}

}  // namespace fwtest
