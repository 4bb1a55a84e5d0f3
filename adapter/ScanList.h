// Decoding the card's scan list: the flat buffer of variable-length network records that
// ZelQueryScanList and ZelQueryScanListLength fill, and the scan request structure.
//
// The buffer starts with NDIS_802_11_BSSID_LIST_EX's item count; each record starts
// with NDIS_WLAN_BSSID_EX's 112 bytes. Every read stays inside the buffer, the record
// and the information element: a record too short for its fixed fields, or one that
// runs past the end of the data, ends the walk.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
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

// Where the fields stand inside a record. The walk and the fixed fields are read in
// place by inline code: decoding a full list costs a few instructions a field.
namespace wire {
constexpr size_t kLength = 0;
constexpr size_t kMacAddress = 4;
constexpr size_t kSsidLength = 12;
constexpr size_t kSsid = 16;
constexpr size_t kPrivacy = 48;
constexpr size_t kRssi = 52;
constexpr size_t kDsConfig = 72;
constexpr size_t kInfrastructureMode = 92;
constexpr size_t kSupportedRates = 96;
constexpr size_t kBand = 112;              // ZelQueryScanList
constexpr size_t kIeLength = 112;          // ZelQueryScanListLength
constexpr size_t kScanListElements = 120;  // ZelQueryScanList
constexpr size_t kFixedIeFields = 12;      // timestamp, beacon interval, capabilities
constexpr size_t kFullListElements = 128;  // ZelQueryScanListLength
constexpr size_t kFirstRecord = 4;         // after NumberOfItems

inline uint32_t readU32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

// The smallest record of each layout: every fixed field it is read for.
constexpr size_t minimumSize(Layout layout) {
    return layout == Layout::ScanList ? kScanListElements : kIeLength + 4;
}
}  // namespace wire

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
        Iterator(const uint8_t* position, const uint8_t* end) : position_(position), end_(end) {
            const size_t left = static_cast<size_t>(end_ - position_);
            if (left < 2 || left - 2 < position_[1]) position_ = end_;
        }
        Element operator*() const { return {position_[0], position_[1], position_ + 2}; }
        Iterator& operator++() {
            *this = Iterator(position_ + 2 + position_[1], end_);
            return *this;
        }
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

    Bssid bssid() const {
        Bssid bssid;
        std::memcpy(bssid.data(), record_ + wire::kMacAddress, bssid.size());
        return bssid;
    }
    // "%02X-%02X-%02X-%02X-%02X-%02X".
    std::string bssidText() const;
    // The driver's SSID length; readers skip a record whose length passes 32.
    uint32_t ssidLength() const { return u32(wire::kSsidLength); }
    bool ssidFits() const { return ssidLength() <= kMaxSsidLength; }
    // The SSID bytes (at most 32); empty for a hidden network.
    std::string ssid() const {
        const auto* bytes = reinterpret_cast<const char*>(record_ + wire::kSsid);
        return std::string(bytes, std::min(ssidLength(), kMaxSsidLength));
    }
    bool privacy() const { return u32(wire::kPrivacy) != 0; }
    int32_t rssi() const { return static_cast<int32_t>(u32(wire::kRssi)); }
    // Configuration.DSConfig: the centre frequency in kHz.
    uint32_t frequencyKhz() const { return u32(wire::kDsConfig); }
    uint32_t infrastructureMode() const { return u32(wire::kInfrastructureMode); }
    // Every non-zero InfrastructureMode counts as infrastructure.
    bool isAdHoc() const { return infrastructureMode() == 0; }
    std::array<uint8_t, 16> supportedRates() const {
        std::array<uint8_t, 16> rates;
        std::memcpy(rates.data(), record_ + wire::kSupportedRates, rates.size());
        return rates;
    }
    // The driver's Band field; records of ZelQueryScanListLength have none.
    std::optional<uint32_t> driverBand() const;

    Band band() const;
    uint32_t channel() const;
    int signalPercent() const;
    Elements elements() const;

private:
    uint32_t u32(size_t offset) const { return wire::readU32(record_ + offset); }

    const uint8_t* record_;
    size_t size_;  // the record's Length: at least the fixed part of its layout
    Layout layout_;
};

// The records of a buffer, in buffer order.
class ScanList {
public:
    // Keeps the record's checked length, so that each record is checked once.
    class Iterator {
    public:
        Iterator(const ScanList* list, size_t offset, size_t size, uint32_t position)
            : list_(list), offset_(offset), size_(size), position_(position) {}
        Entry operator*() const { return Entry(list_->buffer_ + offset_, size_, list_->layout_); }
        Iterator& operator++() {
            *this = list_->iteratorAt(offset_ + size_, position_ + 1);
            return *this;
        }
        bool operator!=(const Iterator& other) const { return position_ != other.position_; }

    private:
        const ScanList* list_;
        size_t offset_;
        size_t size_;
        uint32_t position_;
    };

    // `size`: the bytes of `buffer` that hold data.
    ScanList(const uint8_t* buffer, size_t size, Layout layout);
    ScanList(const std::vector<uint8_t>& buffer, Layout layout)
        : ScanList(buffer.data(), buffer.size(), layout) {}

    Iterator begin() const { return iteratorAt(wire::kFirstRecord, 0); }
    Iterator end() const { return Iterator(this, 0, 0, count_); }

    // The record at `position` in buffer order, if there is one.
    std::optional<Entry> at(int position) const;
    // The first record with this BSSID.
    std::optional<Entry> find(const Bssid& bssid) const;

private:
    // The record's length when a whole record of this layout starts at `offset`, else 0.
    size_t recordSizeAt(size_t offset) const {
        if (offset > size_ || size_ - offset < 4) return 0;
        const uint32_t length = wire::readU32(buffer_ + offset + wire::kLength);
        if (length < wire::minimumSize(layout_) || length > size_ - offset) return 0;
        return length;
    }
    // An iterator on the record at `offset`, or end() when there is none to visit.
    Iterator iteratorAt(size_t offset, uint32_t position) const {
        const size_t size = position < count_ ? recordSizeAt(offset) : 0;
        return size == 0 ? end() : Iterator(this, offset, size, position);
    }

    const uint8_t* buffer_;
    size_t size_;
    Layout layout_;
    uint32_t count_;
};

// Band classification: above 5,000,000 kHz 802.11a; otherwise 802.11g when one of the
// first 14 rates (basic-rate flag and lowest bit ignored) is 9 Mbit/s or passes 11 Mbit/s,
// else 802.11b. Inline, as the channel is, since every reader of a list asks each record.
inline Band classifyBand(uint32_t frequencyKhz, const std::array<uint8_t, 16>& rates) {
    if (frequencyKhz > 5000000) return Band80211a;
    for (size_t i = 0; i < 14; ++i) {
        const uint8_t rate = rates[i] & 0x7F;
        if (rate == 0) break;
        const uint8_t even = rate & 0x7E;
        if (even == 18 || even > 22) return Band80211g;
    }
    return Band80211b;
}

// First channel, first frequency (MHz) and channel count of the three 5 GHz sub-bands;
// channels step by 4 every 20 MHz.
struct SubBand {
    uint32_t firstChannel;
    uint32_t firstMhz;
    uint32_t channels;
};
inline constexpr SubBand kSubBands[] = {{36, 5180, 4}, {52, 5260, 4}, {149, 5745, 5}};

// The channel of a centre frequency in kHz: 1 to 14, or on 5 GHz 36 to 48, 52 to 64 and
// 149 to 165; 0 when it is none of these.
inline uint32_t channelFromFrequency(uint32_t frequencyKhz) {
    const uint32_t mhz = frequencyKhz / 1000;
    if (mhz < kSubBands[0].firstMhz) {
        if (mhz == 2484) return 14;
        const uint32_t channel = (mhz - 2412) / 5 + 1;  // wraps below 2412 MHz
        return channel >= 1 && channel <= 14 ? channel : 0;
    }
    const SubBand* band = std::begin(kSubBands);
    for (const SubBand& candidate : kSubBands) {
        if (mhz >= candidate.firstMhz) band = &candidate;
    }
    // Beyond the last channel of its sub-band a frequency is none of the card's.
    const uint32_t step = (mhz - band->firstMhz) / 20;
    return step < band->channels ? band->firstChannel + 4 * step : 0;
}
// RSSI + 96 dBm, limited to 0..40: the signal level of level bars and Auto Link.
inline int signalLevel(int32_t rssi) {
    const int64_t sum = static_cast<int64_t>(rssi) + 96;
    return static_cast<int>(std::clamp<int64_t>(sum, 0, 40));
}
// The signal level as a percentage of 40.
inline int signalPercent(int32_t rssi) { return signalLevel(rssi) * 100 / 40; }

inline Band Entry::band() const { return classifyBand(frequencyKhz(), supportedRates()); }
inline Elements Entry::elements() const {
    const uint8_t* end = record_ + size_;
    if (layout_ == Layout::ScanList) return Elements(record_ + wire::kScanListElements, end);
    if (size_ < wire::kFullListElements) return Elements(end, end);
    // IELength counts the fixed fields too; a smaller value means no elements.
    const uint32_t ieLength = u32(wire::kIeLength);
    const size_t declared = ieLength > wire::kFixedIeFields ? ieLength - wire::kFixedIeFields : 0;
    const size_t available = std::min(declared, size_ - wire::kFullListElements);
    return Elements(record_ + wire::kFullListElements,
                    record_ + wire::kFullListElements + available);
}
inline uint32_t Entry::channel() const { return channelFromFrequency(frequencyKhz()); }
inline int Entry::signalPercent() const { return scan::signalPercent(rssi()); }

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
