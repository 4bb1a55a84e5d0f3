#include "tests/shell/win32/FakeTray.h"

#include <shellapi.h>

#include <cstring>
#include <iterator>
#include <utility>

namespace fake_tray {
namespace {

constexpr const char* kTrayClass = "Shell_TrayWnd";

// What Wine's Shell_NotifyIcon hands the tray window in WM_COPYDATA (dwData: the command),
// whatever the caller's record size: the NOTIFYICONDATAW fields in a fixed layout, then
// the icon's size and bits (dlls/shell32/systray.c, struct notify_data).
struct NotifyData {
    LONG owner;
    UINT id;
    UINT flags;
    UINT callbackMessage;
    WCHAR tip[128];
    DWORD state;
    DWORD stateMask;
    WCHAR balloon[256];
    UINT balloonTimeout;
    WCHAR balloonTitle[64];
    DWORD balloonFlags;
    GUID guid;
    UINT iconWidth;
    UINT iconHeight;
    UINT iconPlanes;
    UINT iconBitsPerPixel;
};

std::string narrow(const WCHAR* text, size_t capacity) {
    size_t length = 0;
    while (length < capacity && text[length] != 0) ++length;
    if (length == 0) return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0,
                                         nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), result.data(), size, nullptr,
                        nullptr);
    return result;
}

}  // namespace

FakeTray::FakeTray() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kTrayClass;
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, kTrayClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // The shell's requests go to the first tray window in the z-order: this one.
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

FakeTray::~FakeTray() {
    DestroyWindow(window_);
    UnregisterClassA(kTrayClass, GetModuleHandleA(nullptr));
}

bool FakeTray::isTheTray() const {
    return FindWindowExA(nullptr, nullptr, kTrayClass, nullptr) == window_;
}

std::vector<Request> FakeTray::takeRequests() { return std::exchange(requests_, {}); }

FakeTray::Icon FakeTray::iconOf(HWND owner) const {
    Icon icon;
    for (const Request& request : requests_) {
        if (request.owner != owner || request.refused) continue;
        if (request.command == NIM_DELETE) {
            icon = Icon{};
            continue;
        }
        icon.present = true;
        if (request.flags & NIF_TIP) icon.tip = request.tip;
        if (request.flags & NIF_INFO) icon.balloon = request.balloon;
    }
    return icon;
}

bool FakeTray::take(const COPYDATASTRUCT& data) {
    if (data.cbData < sizeof(NotifyData)) return false;
    NotifyData fields;
    std::memcpy(&fields, data.lpData, sizeof fields);
    Request request;
    request.command = static_cast<DWORD>(data.dwData);
    request.owner = reinterpret_cast<HWND>(static_cast<LONG_PTR>(fields.owner));
    request.id = fields.id;
    request.flags = fields.flags;
    request.callbackMessage = fields.callbackMessage;
    request.tip = narrow(fields.tip, std::size(fields.tip));
    request.balloon = narrow(fields.balloon, std::size(fields.balloon));
    request.balloonTitle = narrow(fields.balloonTitle, std::size(fields.balloonTitle));
    request.balloonTimeout = fields.balloonTimeout;
    request.iconWidth = (fields.flags & NIF_ICON) ? fields.iconWidth : 0;
    request.refused = std::exchange(refuseNext_, false);
    requests_.push_back(request);
    return !request.refused;
}

LRESULT CALLBACK FakeTray::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* tray = reinterpret_cast<FakeTray*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_COPYDATA && tray) {
        return tray->take(*reinterpret_cast<const COPYDATASTRUCT*>(lParam)) ? TRUE : FALSE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace fake_tray
