#include "adapter/ScanList.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace scan {

using namespace wire;

// --- Entry

std::string Entry::bssidText() const {
    const Bssid b = bssid();
    char text[18];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", b[0], b[1], b[2], b[3], b[4],
                  b[5]);
    return text;
}

std::optional<uint32_t> Entry::driverBand() const {
    if (layout_ != Layout::ScanList) return std::nullopt;
    return u32(kBand);
}

// --- ScanList

ScanList::ScanList(const uint8_t* buffer, size_t size, Layout layout)
    : buffer_(buffer), size_(size), layout_(layout), count_(size >= 4 ? readU32(buffer) : 0) {}

std::optional<Entry> ScanList::at(int position) const {
    if (position < 0) return std::nullopt;
    int current = 0;
    for (const Entry entry : *this) {
        if (current++ == position) return entry;
    }
    return std::nullopt;
}

std::optional<Entry> ScanList::find(const Bssid& bssid) const {
    for (const Entry entry : *this) {
        if (entry.bssid() == bssid) return entry;
    }
    return std::nullopt;
}

// --- Security detection

namespace {

constexpr uint8_t kWpaOui[3] = {0x00, 0x50, 0xF2};
constexpr uint8_t kRsnOui[3] = {0x00, 0x0F, 0xAC};
constexpr uint8_t kWpaElementStart[4] = {0x00, 0x50, 0xF2, 0x01};
constexpr uint8_t kOpenVendorStart[4] = {0x00, 0x40, 0x96, 0x04};
constexpr uint8_t kVendorSpecific = 221;
constexpr uint8_t kRsn = 48;

// Where the first pairwise and key-management suites stand in an element's body.
struct SuitePlaces {
    const uint8_t* oui;
    size_t pairwise;
    size_t keyManagement;
    uint32_t dot1xType;  // securityType of 802.1X key management
    uint32_t pskType;    // securityType of pre-shared key management
};
constexpr SuitePlaces kWpaPlaces = {kWpaOui, 12, 18, SecurityGroupWpa, SecurityWpaPsk};
constexpr SuitePlaces kRsnPlaces = {kRsnOui, 8, 14, SecurityGroupWpa2, SecurityWpa2Psk};

bool startsWith(const Element& element, const uint8_t (&prefix)[4]) {
    return element.length >= 4 && std::memcmp(element.body, prefix, 4) == 0;
}

// The type byte of the suite at `offset`, or 0 when the suite lies beyond the element
// or carries another OUI (both read as "any other suite").
uint8_t suiteType(const Element& element, size_t offset, const uint8_t* oui) {
    if (offset + 4 > element.length || std::memcmp(element.body + offset, oui, 3) != 0) return 0;
    return element.body[offset + 3];
}

Security readSuites(const Element& element, const SuitePlaces& places) {
    Security security{SecurityOpenSystem, EncryptionOff};
    switch (suiteType(element, places.pairwise, places.oui)) {
        case 1:
        case 5:
            security.encryption = EncryptionWep;
            break;
        case 2:
            security.encryption = EncryptionTkip;
            break;
        case 4:
            security.encryption = EncryptionAes;
            break;
        default:
            break;
    }
    switch (suiteType(element, places.keyManagement, places.oui)) {
        case 1:
            security.securityType = places.dot1xType;
            break;
        case 2:
            security.securityType = places.pskType;
            break;
        default:
            break;
    }
    return security;
}

}  // namespace

Security detectSecurity(const uint8_t* buffer, size_t size, const Bssid& bssid) {
    const Security openWithWep{SecurityOpenSystem, EncryptionWep};
    const auto entry = ScanList(buffer, size, Layout::ScanListLength).find(bssid);
    if (!entry) return openWithWep;
    for (const Element element : entry->elements()) {
        if (element.length <= 12) continue;
        if (element.id == kVendorSpecific && startsWith(element, kOpenVendorStart)) {
            return {SecurityOpenSystem, EncryptionOff};
        }
        if (element.id == kVendorSpecific && startsWith(element, kWpaElementStart)) {
            return readSuites(element, kWpaPlaces);
        }
        if (element.id == kRsn) return readSuites(element, kRsnPlaces);
    }
    return openWithWep;
}

Security detectSecurity(const ZelApi& api, ZelHandle adapter, const Bssid& bssid) {
    std::vector<uint8_t> buffer(kScanListBufferSize, 0);
    uint32_t written = 0;
    const int32_t result =
        api.ZelQueryScanListLength(adapter, buffer.data(), kScanListBufferSize, &written);
    if (result < 0 || written == 0) return {SecurityOpenSystem, EncryptionWep};
    return detectSecurity(buffer.data(), std::min<size_t>(written, buffer.size()), bssid);
}

bool queryScanList(const ZelApi& api, ZelHandle adapter, std::vector<uint8_t>& buffer) {
    buffer.assign(kScanListBufferSize, 0);
    return api.ZelQueryScanList(adapter, buffer.data(), kScanListBufferSize) == 0;
}

ZEL_SSID_SCAN makeSsidScan(std::string_view ssid) {
    ZEL_SSID_SCAN request;
    std::memset(&request, 0, sizeof request);
    const size_t length = std::min<size_t>(ssid.size(), sizeof request.Ssid);
    request.SsidLength = static_cast<uint32_t>(length);
    std::memcpy(request.Ssid, ssid.data(), length);
    for (uint8_t channel = 1; channel <= sizeof request.Channels; ++channel) {
        request.Channels[channel - 1] = channel;
    }
    return request;
}

}  // namespace scan
