// What travels to and inside the main window besides the event message's codes
// (system/ProgramCodes.h): its other private messages, its timer, and the window messages
// it handles, with the values Windows gives them (the Windows layer checks them against
// <windows.h>).
#pragma once

#include <cstdint>

namespace shell {

// The tray icon's callback message; lParam is the mouse message.
constexpr unsigned kTrayMessage = 0x8001;
// What the window thread does when it gets to it: the worker's requests, which the worker
// does not wait for, and what start-up leaves for after the window is up. wParam is the
// Request, lParam its value.
constexpr unsigned kRequestMessage = 0x8002;
enum class Request : uintptr_t {
    ShowTrayState = 1,             // lParam: the TrayState
    ReportAutoLinkFailed = 2,      // "Auto Link Failed!"
    ReportUnreadableProfiles = 3,  // the profile file exists but could not be read
    ReportDamagedProfiles = 4,     // the profile file was read only in part
};

// The Zero Configuration check: its timer id and period.
constexpr int kZeroConfigTimer = 0x8000;
constexpr unsigned kZeroConfigPeriodMs = 2000;

// Window messages and their values.
namespace wm {
constexpr unsigned Size = 0x0005;             // WM_SIZE
constexpr unsigned Close = 0x0010;            // WM_CLOSE
constexpr unsigned EndSession = 0x0016;       // WM_ENDSESSION
constexpr unsigned Hotkey = 0x0312;           // WM_HOTKEY
constexpr unsigned LeftDoubleClick = 0x0203;  // WM_LBUTTONDBLCLK
constexpr unsigned RightButtonUp = 0x0205;    // WM_RBUTTONUP
constexpr uintptr_t SizeMinimized = 1;        // SIZE_MINIMIZED
constexpr unsigned ModAlt = 0x0001;           // MOD_ALT
constexpr unsigned KeyF2 = 0x71;              // VK_F2
}  // namespace wm

}  // namespace shell
