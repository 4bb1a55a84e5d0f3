#include "pages/win32/Win32IpHelper.h"

#include <algorithm>
#include <vector>

#include "pages/win32/LibraryFunction.h"

namespace {

bool sameAddress(const BYTE* address, UINT length, const MacAddress& mac) {
    return length == mac.size() && std::equal(mac.begin(), mac.end(), address);
}

// A text of the adapter list, which the system ends within its field.
template <size_t N>
std::string field(const char (&text)[N]) {
    return std::string(text, std::find(text, text + N, '\0'));
}

}  // namespace

Win32IpHelper::Win32IpHelper()
    : library_(LoadLibraryA("iphlpapi.dll")),
      getAdaptersInfo_(libraryFunction<decltype(getAdaptersInfo_)>(library_, "GetAdaptersInfo")),
      getIfEntry_(libraryFunction<decltype(getIfEntry_)>(library_, "GetIfEntry")) {}

Win32IpHelper::~Win32IpHelper() {
    if (library_) FreeLibrary(library_);
}

std::optional<CardInterface> Win32IpHelper::findInterface(const MacAddress& mac) {
    if (!getAdaptersInfo_) return std::nullopt;
    // The first call only asks for the size the list needs.
    ULONG size = 0;
    if (getAdaptersInfo_(nullptr, &size) != ERROR_BUFFER_OVERFLOW || size == 0) {
        return std::nullopt;
    }
    std::vector<ULONGLONG> buffer((size + sizeof(ULONGLONG) - 1) / sizeof(ULONGLONG), 0);
    auto* adapters = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
    if (getAdaptersInfo_(adapters, &size) != ERROR_SUCCESS) return std::nullopt;
    for (const IP_ADAPTER_INFO* adapter = adapters; adapter; adapter = adapter->Next) {
        if (!sameAddress(adapter->Address, adapter->AddressLength, mac)) continue;
        CardInterface found;
        found.index = adapter->Index;
        found.dhcpEnabled = adapter->DhcpEnabled != 0;
        found.ipAddress = field(adapter->IpAddressList.IpAddress.String);
        found.subnetMask = field(adapter->IpAddressList.IpMask.String);
        found.gateway = field(adapter->GatewayList.IpAddress.String);
        return found;
    }
    return std::nullopt;
}

std::optional<OctetCounters> Win32IpHelper::readCounters(uint32_t index, const MacAddress& mac) {
    if (!getIfEntry_) return std::nullopt;
    MIB_IFROW row = {};
    row.dwIndex = index;
    if (getIfEntry_(&row) != NO_ERROR) return std::nullopt;
    if (row.dwType != MIB_IF_TYPE_ETHERNET || !sameAddress(row.bPhysAddr, row.dwPhysAddrLen, mac)) {
        return std::nullopt;
    }
    return OctetCounters{row.dwInOctets, row.dwOutOctets};
}
