// The IP helper functions behind the Network Status page, under Wine against the
// interfaces the system really has. With TOVIX_CARD_INTERFACE set (see
// MainPageInterface.sh, which makes such an interface in a network namespace of its own)
// it names the card's interface as "MAC IP MASK GATEWAY", and the test checks that the
// page's lookup finds exactly that and that its counters follow the traffic.
#include <windows.h>
#include <gtest/gtest.h>
// After windows.h, which it needs.
#include <iphlpapi.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "pages/win32/Win32IpHelper.h"

namespace {

struct Listed {
    MacAddress mac;
    DWORD index;
    std::string ip;
};

// Every adapter of the system's list with a 6-byte address.
std::vector<Listed> systemAdapters() {
    ULONG size = 0;
    GetAdaptersInfo(nullptr, &size);
    std::vector<ULONGLONG> buffer(size / sizeof(ULONGLONG) + 1);
    auto* adapters = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
    std::vector<Listed> listed;
    if (size == 0 || GetAdaptersInfo(adapters, &size) != ERROR_SUCCESS) return listed;
    for (const IP_ADAPTER_INFO* adapter = adapters; adapter; adapter = adapter->Next) {
        if (adapter->AddressLength != 6) continue;
        Listed entry{};
        std::copy(adapter->Address, adapter->Address + 6, entry.mac.begin());
        entry.index = adapter->Index;
        entry.ip = adapter->IpAddressList.IpAddress.String;
        listed.push_back(entry);
    }
    return listed;
}

MacAddress parseMac(const std::string& text) {
    MacAddress mac{};
    unsigned bytes[6] = {};
    std::sscanf(text.c_str(), "%x:%x:%x:%x:%x:%x", &bytes[0], &bytes[1], &bytes[2], &bytes[3],
                &bytes[4], &bytes[5]);
    for (int i = 0; i < 6; ++i) mac[i] = static_cast<uint8_t>(bytes[i]);
    return mac;
}

TEST(MainPageInterface, AnAddressNoAdapterHasFindsNothing) {
    Win32IpHelper helper;
    EXPECT_EQ(helper.findInterface({0x02, 0x00, 0x5E, 0x10, 0x00, 0x01}), std::nullopt);
    EXPECT_EQ(helper.readCounters(0x7FFFFFF0u, {0x02, 0x00, 0x5E, 0x10, 0x00, 0x01}), std::nullopt);
}

TEST(MainPageInterface, EveryListedAdapterIsFoundByItsAddress) {
    Win32IpHelper helper;
    for (const Listed& adapter : systemAdapters()) {
        const auto found = helper.findInterface(adapter.mac);
        ASSERT_TRUE(found);
        // The first adapter with the address: another one may share it.
        if (found->index != adapter.index) continue;
        EXPECT_EQ(found->ipAddress, adapter.ip);
        // The counters belong to the interface only when its address is the one asked for.
        MacAddress other = adapter.mac;
        other[5] ^= 0xFF;
        EXPECT_EQ(helper.readCounters(found->index, other), std::nullopt);
    }
}

TEST(MainPageInterface, TheCardsInterfaceShowsItsConfigurationAndTraffic) {
    const char* named = std::getenv("TOVIX_CARD_INTERFACE");
    if (!named) GTEST_SKIP() << "no card interface (MainPageInterface.sh makes one)";
    std::istringstream fields(named);
    std::string mac, ip, mask, gateway;
    fields >> mac >> ip >> mask >> gateway;

    Win32IpHelper helper;
    const auto found = helper.findInterface(parseMac(mac));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->ipAddress, ip);
    EXPECT_EQ(found->subnetMask, mask);
    EXPECT_EQ(found->gateway, gateway);

    // The other end of the link keeps talking to the interface: both counters grow.
    const auto before = helper.readCounters(found->index, parseMac(mac));
    ASSERT_TRUE(before);
    Sleep(1500);
    const auto after = helper.readCounters(found->index, parseMac(mac));
    ASSERT_TRUE(after);
    EXPECT_GT(after->in - before->in, 0u);
    EXPECT_GT(after->out - before->out, 0u);
}

}  // namespace
