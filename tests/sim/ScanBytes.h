// Reads scan list bytes by their published offsets, independently of the code that
// writes them: the list header, the records, their fields and information elements.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace simtest {

inline uint32_t le32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}
inline uint32_t le16(const uint8_t* p) { return uint32_t{p[0]} | uint32_t{p[1]} << 8; }

struct Element {
    uint8_t id;
    std::vector<uint8_t> body;
};

// One record of either layout.
struct Record {
    const uint8_t* p;
    bool ndis;  // ZelQueryScanListLength's layout

    uint32_t length() const { return le32(p); }
    std::vector<uint8_t> bssid() const { return {p + 4, p + 10}; }
    std::string ssid() const { return std::string(p + 16, p + 16 + le32(p + 12)); }
    uint32_t ssidLength() const { return le32(p + 12); }
    uint32_t privacy() const { return le32(p + 48); }
    int32_t rssi() const { return static_cast<int32_t>(le32(p + 52)); }
    uint32_t dsConfigKhz() const { return le32(p + 72); }
    uint32_t infrastructureMode() const { return le32(p + 92); }
    std::vector<uint8_t> rates() const {
        std::vector<uint8_t> r;
        for (size_t i = 96; i < 112 && p[i] != 0; ++i) r.push_back(p[i]);
        return r;
    }
    // Driver layout only.
    uint32_t band() const { return le32(p + 112); }
    uint32_t channel() const { return le32(p + 116); }
    // NDIS layout only.
    uint32_t ieLength() const { return le32(p + 112); }
    uint32_t beaconInterval() const { return le16(p + 124); }
    uint32_t capability() const { return le16(p + 126); }

    // The elements: from byte 120 to the record's end (driver layout), or the IELength - 12
    // bytes from byte 128 (NDIS layout).
    std::vector<Element> elements() const {
        const size_t start = ndis ? 128 : 120;
        const size_t end = ndis ? 116 + ieLength() : length();
        std::vector<Element> out;
        size_t at = start;
        while (at + 2 <= end && at + 2 + p[at + 1] <= end) {
            out.push_back({p[at], std::vector<uint8_t>(p + at + 2, p + at + 2 + p[at + 1])});
            at += 2 + p[at + 1];
        }
        return out;
    }
};

// The records of a list, walking Length by Length inside `size` bytes.
inline std::vector<Record> records(const uint8_t* buffer, size_t size, bool ndis) {
    std::vector<Record> out;
    if (size < 4) return out;
    size_t at = 4;
    for (uint32_t i = 0; i < le32(buffer); ++i) {
        if (at + 8 > size || le32(buffer + at) < 8 || at + le32(buffer + at) > size) break;
        out.push_back({buffer + at, ndis});
        at += le32(buffer + at);
    }
    return out;
}

}  // namespace simtest
