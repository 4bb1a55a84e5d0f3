// The IP helper functions behind IpHelper: GetAdaptersInfo and GetIfEntry, found in
// iphlpapi.dll at run time, since Windows 95 and the first NT 4 releases have no such
// library; without it no interface is found.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <iphlpapi.h>

#include "pages/IpHelper.h"

class Win32IpHelper final : public IpHelper {
public:
    Win32IpHelper();
    ~Win32IpHelper() override;
    Win32IpHelper(const Win32IpHelper&) = delete;
    Win32IpHelper& operator=(const Win32IpHelper&) = delete;

    std::optional<CardInterface> findInterface(const MacAddress& mac) override;
    std::optional<OctetCounters> readCounters(uint32_t index, const MacAddress& mac) override;

private:
    HMODULE library_;
    DWORD(WINAPI* getAdaptersInfo_)(PIP_ADAPTER_INFO, PULONG) = nullptr;
    DWORD(WINAPI* getIfEntry_)(PMIB_IFROW) = nullptr;
};
