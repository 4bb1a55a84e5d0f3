#include "pages/win32/Win32DeviceNotifications.h"

#include <cstddef>
#include <cstring>

namespace {

// The network adapters' device interface class.
constexpr GUID kNetworkAdapterInterface = {
    0xAD498944, 0x762F, 0x11D0, {0x8D, 0xCB, 0x00, 0xC0, 0x4F, 0xC3, 0x35, 0x8C}};

template <typename Function>
Function userFunction(const char* name) {
    const FARPROC address = GetProcAddress(GetModuleHandleA("user32.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

}  // namespace

Win32DeviceNotifications::~Win32DeviceNotifications() {
    while (!registrations_.empty()) remove(registrations_.begin()->first);
}

bool Win32DeviceNotifications::add(void* window) {
    using Register = HDEVNOTIFY(WINAPI*)(HANDLE, LPVOID, DWORD);
    const auto registerNotification = userFunction<Register>("RegisterDeviceNotificationA");
    if (!registerNotification) return true;  // the system has no device interfaces

    // The filter carries the name "Net", which runs on past the header's one-character
    // name field.
    struct {
        DEV_BROADCAST_DEVICEINTERFACE_A header;
        char nameRest[4];
    } filter{};
    filter.header.dbcc_size = sizeof(filter);
    filter.header.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.header.dbcc_classguid = kNetworkAdapterInterface;
    std::memcpy(
        reinterpret_cast<char*>(&filter) + offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name),
        "Net", sizeof("Net"));
    remove(window);
    const HWND target = static_cast<HWND>(window);
    const HDEVNOTIFY registration =
        registerNotification(target, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    if (!registration) return false;
    registrations_[target] = registration;
    return true;
}

void Win32DeviceNotifications::remove(void* window) {
    const auto it = registrations_.find(static_cast<HWND>(window));
    if (it == registrations_.end()) return;
    using Unregister = BOOL(WINAPI*)(HDEVNOTIFY);
    userFunction<Unregister>("UnregisterDeviceNotification")(it->second);
    registrations_.erase(it);
}
