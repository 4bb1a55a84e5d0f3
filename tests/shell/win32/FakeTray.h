// A stand-in for the shell's notification area: a window of the class the shell's own
// tray has, which takes the notification-icon requests that Shell_NotifyIcon sends it,
// from this process or from another, and records what it was given.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace fake_tray {

// One Shell_NotifyIcon request as the tray received it.
struct Request {
    DWORD command = 0;  // NIM_ADD, NIM_MODIFY, NIM_DELETE
    HWND owner = nullptr;
    UINT id = 0;
    UINT flags = 0;
    UINT callbackMessage = 0;
    std::string tip;
    std::string balloon;
    std::string balloonTitle;
    UINT balloonTimeout = 0;
    UINT iconWidth = 0;    // 0 without an icon
    bool refused = false;  // the tray said no: nothing changed
};

class FakeTray {
public:
    FakeTray();
    ~FakeTray();
    FakeTray(const FakeTray&) = delete;
    FakeTray& operator=(const FakeTray&) = delete;

    // True when Shell_NotifyIcon finds this window rather than another tray.
    bool isTheTray() const;
    HWND window() const { return window_; }

    std::vector<Request> requests() const { return requests_; }
    std::vector<Request> takeRequests();
    // The next request is recorded and refused.
    void refuseNext() { refuseNext_ = true; }

    // What the icon of `owner` shows now, after every request so far: whether it is
    // there, and its tip and balloon.
    struct Icon {
        bool present = false;
        std::string tip;
        std::string balloon;
    };
    Icon iconOf(HWND owner) const;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool take(const COPYDATASTRUCT& data);

    HWND window_ = nullptr;
    std::vector<Request> requests_;
    bool refuseNext_ = false;
};

}  // namespace fake_tray
