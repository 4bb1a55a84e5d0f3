// Device notifications on Windows: RegisterDeviceNotificationA for the network adapters'
// interface class, looked up at run time (Windows 98 and 2000 brought it).
#pragma once

#include <windows.h>
#include <dbt.h>

#include <map>

#include "pages/DeviceNotifications.h"

class Win32DeviceNotifications final : public DeviceNotifications {
public:
    ~Win32DeviceNotifications() override;
    bool add(void* window) override;
    void remove(void* window) override;

private:
    std::map<HWND, HDEVNOTIFY> registrations_;
};
