// Builds scan list buffers in the byte layouts of ZelQueryScanList and
// ZelQueryScanListLength, for tests of everything that reads them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "adapter/ScanList.h"

namespace scantest {

struct Network {
    scan::Bssid bssid{};
    std::string ssid;
    std::optional<uint32_t> ssidLength;  // default: the SSID's size
    uint32_t privacy = 0;
    int32_t rssi = -50;
    uint32_t frequencyKhz = 2437000;
    uint32_t infrastructureMode = 1;
    std::vector<uint8_t> rates = {0x82, 0x84, 0x8B, 0x96};
    uint32_t band = scan::Band80211b;  // driver's Band (ZelQueryScanList only)
    std::vector<uint8_t> elements;     // raw element bytes
    std::optional<uint32_t> length;    // default: the record's real size
    std::optional<uint32_t> ieLength;  // default: 12 + the elements' size
};

// An information element: id, length, body.
inline std::vector<uint8_t> element(uint8_t id, const std::vector<uint8_t>& body) {
    std::vector<uint8_t> bytes = {id, static_cast<uint8_t>(body.size())};
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}

inline void putU32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
    if (bytes.size() < offset + 4) bytes.resize(offset + 4);
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

inline std::vector<uint8_t> record(const Network& n, scan::Layout layout) {
    const bool brief = layout == scan::Layout::ScanList;
    const size_t elementsAt = brief ? 120 : 128;
    std::vector<uint8_t> bytes(elementsAt, 0);
    std::memcpy(&bytes[4], n.bssid.data(), 6);
    putU32(bytes, 12, n.ssidLength.value_or(static_cast<uint32_t>(n.ssid.size())));
    std::memcpy(&bytes[16], n.ssid.data(), std::min<size_t>(n.ssid.size(), 32));
    putU32(bytes, 48, n.privacy);
    putU32(bytes, 52, static_cast<uint32_t>(n.rssi));
    putU32(bytes, 72, n.frequencyKhz);
    putU32(bytes, 92, n.infrastructureMode);
    std::memcpy(&bytes[96], n.rates.data(), std::min<size_t>(n.rates.size(), 16));
    if (brief) {
        putU32(bytes, 112, n.band);
        putU32(bytes, 116, scan::channelFromFrequency(n.frequencyKhz));
    } else {
        putU32(bytes, 112, n.ieLength.value_or(static_cast<uint32_t>(12 + n.elements.size())));
    }
    bytes.insert(bytes.end(), n.elements.begin(), n.elements.end());
    putU32(bytes, 0, n.length.value_or(static_cast<uint32_t>(bytes.size())));
    return bytes;
}

// A whole buffer: NumberOfItems (default: the number of networks), then the records,
// zero-filled to `size` when that is larger.
inline std::vector<uint8_t> scanList(const std::vector<Network>& networks, scan::Layout layout,
                                     size_t size = kScanListBufferSize,
                                     std::optional<uint32_t> count = std::nullopt) {
    std::vector<uint8_t> bytes;
    putU32(bytes, 0, count.value_or(static_cast<uint32_t>(networks.size())));
    for (const Network& n : networks) {
        const auto r = record(n, layout);
        bytes.insert(bytes.end(), r.begin(), r.end());
    }
    if (bytes.size() < size) bytes.resize(size, 0);
    return bytes;
}

}  // namespace scantest
