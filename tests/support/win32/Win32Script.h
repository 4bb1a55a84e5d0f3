// Answers the message boxes and modal dialogs that code under test opens on this
// thread, from a script, the way Wine's own user32 tests do: a WH_CBT hook sees each
// window as it is activated, reads a message box's text, caption, buttons and icon, and
// posts the scripted answer; a modal dialog or sheet gets the scripted user's actions
// once its modal loop runs; a pop-up menu gets the scripted command chosen with the
// keyboard. Windows that the script did not expect, and any window of another module
// (a system dialog that code opened behind the host's back), are recorded as failures and
// closed at once, so a test never hangs on them.
#pragma once

#include <windows.h>

#include <deque>
#include <set>

#include "framework/Script.h"

namespace fwtest {

class Win32Script {
public:
    explicit Win32Script(fw::Script& script);
    ~Win32Script();
    Win32Script(const Win32Script&) = delete;
    Win32Script& operator=(const Win32Script&) = delete;

private:
    static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK runPending(HWND, UINT, UINT_PTR timer, DWORD);
    static void CALLBACK runMenu(HWND, UINT, UINT_PTR timer, DWORD);
    void activated(HWND window);
    void answer(HWND window);
    void answerMessageBox(HWND box);
    void answerMenu(HWND menu);

    fw::Script& script_;
    HHOOK hook_;
    std::set<HWND> seen_;
    std::deque<HWND> pending_;
    HWND menu_ = nullptr;  // the pop-up menu that is up
};

}  // namespace fwtest
