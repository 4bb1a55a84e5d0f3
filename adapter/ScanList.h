// Decoding the card's scan list: the flat buffer of variable-length network records that
// ZelQueryScanList and ZelQueryScanListLength fill, and the scan request structure.
//
// The buffer starts with NDIS_802_11_BSSID_LIST_EX's item count; each record starts
// with NDIS_WLAN_BSSID_EX's 112 bytes. Every read stays inside the buffer, the record
// and the information element: a record too short for its fixed fields, or one that
// runs past the end of the data, ends the walk.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "adapter/ZelApi.h"

namespace scan {

using Bssid = std::array<uint8_t, 6>;

// The driver's band codes, also produced by band classification.
enum Band : uint32_t {
    Band80211g = 0,
    Band80211b = 1,
    Band80211a = 2,
};

// Which call filled the buffer; the records differ after their first 112 bytes.
enum class Layout {
    ScanList,        // ZelQueryScanList: Band and Channel, then the elements at 120
    ScanListLength,  // ZelQueryScanListLength: IELength, 12 fixed bytes, elements at 128
};

// The longest SSID a record may carry.
constexpr uint32_t kMaxSsidLength = 32;

// One information element: id, and the body of `length` bytes inside the record.
struct Element {
    uint8_t id;
    uint8_t length;
    const uint8_t* body;
};

// The information elements of a record, in order; an element that would run past the
// record's element bytes ends them.
class Elements {
public:
    class Iterator {
    public:
        Iterator(const uint8_t* position, const uint8_t* end);
        Element operator*() const;
        Iterator& operator++();
        bool operator!=(const Iterator& other) const { return position_ != other.position_; }

    private:
        const uint8_t* position_;
        const uint8_t* end_;
    };

    Elements(const uint8_t* begin, const uint8_t* end) : begin_(begin), end_(end) {}
    Iterator begin() const { return Iterator(begin_, end_); }
    Iterator end() const { return Iterator(end_, end_); }

private:
    const uint8_t* begin_;
    const uint8_t* end_;
};

// One network record (a scan entry), read in place.
class Entry {
public:
    Entry(const uint8_t* record, size_t size, Layout layout)
        : record_(record), size_(size), layout_(layout) {}

    Bssid bssid() const;
    // "%02X-%02X-%02X-%02X-%02X-%02X".
    std::string bssidText() const;
    // The driver's SSID length; readers skip a record whose length passes 32.
    uint32_t ssidLength() const;
    bool ssidFits() const { return ssidLength() <= kMaxSsidLength; }
    // The SSID bytes (at most 32); empty for a hidden network.
    std::string ssid() const;
    bool privacy() const;
    int32_t rssi() const;
    // Configuration.DSConfig: the centre frequency in kHz.
    uint32_t frequencyKhz() const;
    uint32_t infrastructureMode() const;
    // Every non-zero InfrastructureMode counts as infrastructure.
    bool isAdHoc() const { return infrastructureMode() == 0; }
    std::array<uint8_t, 16> supportedRates() const;
    // The driver's Band field; records of ZelQueryScanListLength have none.
    std::optional<uint32_t> driverBand() const;

    Band band() const;
    uint32_t channel() const;
    int signalPercent() const;
    Elements elements() const;

private:
    uint32_t u32(size_t offset) const;

    const uint8_t* record_;
    size_t size_;  // the record's Length: at least the fixed part of its layout
    Layout layout_;
};

// The records of a buffer, in buffer order.
class ScanList {
public:
    class Iterator {
    public:
        Iterator(const ScanList* list, size_t offset, uint32_t position);
        Entry operator*() const;
        Iterator& operator++();
        bool operator!=(const Iterator& other) const { return position_ != other.position_; }

    private:
        const ScanList* list_;
        size_t offset_;
        uint32_t position_;
    };

    // `size`: the bytes of `buffer` that hold data.
    ScanList(const uint8_t* buffer, size_t size, Layout layout);
    ScanList(const std::vector<uint8_t>& buffer, Layout layout)
        : ScanList(buffer.data(), buffer.size(), layout) {}

    Iterator begin() const;
    Iterator end() const;

    // The record at `position` in buffer order, if there is one.
    std::optional<Entry> at(int position) const;
    // The first record with this BSSID.
    std::optional<Entry> find(const Bssid& bssid) const;

private:
    // The record's length when a whole record of this layout starts at `offset`, else 0.
    size_t recordSizeAt(size_t offset) const;
    // An iterator on the record at `offset`, or end() when there is none to visit.
    Iterator iteratorAt(size_t offset, uint32_t position) const;

    const uint8_t* buffer_;
    size_t size_;
    Layout layout_;
    uint32_t count_;
};

// Band classification: above 5,000,000 kHz 802.11a; otherwise 802.11g when one of the
// first 14 rates (basic-rate flag and lowest bit ignored) is 9 Mbit/s or passes 11 Mbit/s,
// else 802.11b.
Band classifyBand(uint32_t frequencyKhz, const std::array<uint8_t, 16>& rates);
// The channel of a centre frequency in kHz: 1 to 14, or on 5 GHz 36 to 48, 52 to 64 and
// 149 to 165; 0 when it is none of these.
uint32_t channelFromFrequency(uint32_t frequencyKhz);
// RSSI + 96 dBm, limited to 0..40: the signal level of level bars and Auto Link.
int signalLevel(int32_t rssi);
// The signal level as a percentage of 40.
int signalPercent(int32_t rssi);

// Security of a network: its SecurityType and Encryption (adapter/ZelTypes.h).
struct Security {
    uint32_t securityType;
    uint32_t encryption;
    bool operator==(const Security& other) const {
        return securityType == other.securityType && encryption == other.encryption;
    }
};

// Security detection from the elements of the first record with `bssid` in a buffer of
// ZelQueryScanListLength; open system with WEP when nothing decides.
Security detectSecurity(const uint8_t* buffer, size_t size, const Bssid& bssid);
// The same over a list freshly read with ZelQueryScanListLength.
Security detectSecurity(const ZelApi& api, ZelHandle adapter, const Bssid& bssid);

// Reads the card's last scan with ZelQueryScanList into `buffer`, zero-filled and sized
// kScanListBufferSize first; false when the library failed.
bool queryScanList(const ZelApi& api, ZelHandle adapter, std::vector<uint8_t>& buffer);

// A scan request for one SSID on channels 1 to 14. An SSID longer than 32 bytes is cut.
ZEL_SSID_SCAN makeSsidScan(std::string_view ssid);

}  // namespace scan
