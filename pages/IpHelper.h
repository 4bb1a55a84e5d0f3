// The card's network interface as the system's IP helper functions list it: its IP
// configuration and its byte counters, found by the card's MAC address.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

using MacAddress = std::array<uint8_t, 6>;

// The adapter entry whose 6-byte hardware address is the card's.
struct CardInterface {
    uint32_t index = 0;  // the interface index, for its counters
    bool dhcpEnabled = false;
    std::string ipAddress;  // the first address entry, as the system writes it
    std::string subnetMask;
    std::string gateway;  // the first gateway entry
};

// The interface's byte counters; they wrap at 2^32.
struct OctetCounters {
    uint32_t in = 0;
    uint32_t out = 0;
};

class IpHelper {
public:
    virtual ~IpHelper() = default;
    // The first adapter whose address is `mac`; nothing when there is none or the
    // system's list cannot be read.
    virtual std::optional<CardInterface> findInterface(const MacAddress& mac) = 0;
    // The counters of interface `index`, when it is an Ethernet interface with the
    // address `mac`.
    virtual std::optional<OctetCounters> readCounters(uint32_t index, const MacAddress& mac) = 0;
};
