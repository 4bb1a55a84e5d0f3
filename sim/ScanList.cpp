#include "sim/ScanList.h"

#include <algorithm>
#include <cstring>

#include "adapter/ZelShared.h"

namespace sim {
namespace {

enum ElementId : uint8_t {
    kSsidElement = 0,
    kRatesElement = 1,
    kDsElement = 3,
    kIbssElement = 6,
    kRsnElement = 48,
    kExtendedRatesElement = 50,
    kVendorElement = 221,
};

constexpr uint8_t kWpaOui[3] = {0x00, 0x50, 0xF2};
constexpr uint8_t kRsnOui[3] = {0x00, 0x0F, 0xAC};
constexpr uint8_t kSuiteTkip = 2, kSuiteCcmp = 4;
constexpr uint8_t kAkm8021x = 1, kAkmPsk = 2;

constexpr size_t kDriverHeader = 120;
constexpr size_t kNdisHeader = 128;
constexpr size_t kFixedBeaconFields = 12;

void put16(uint8_t* at, uint32_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}
void put32(uint8_t* at, uint32_t value) {
    put16(at, value);
    put16(at + 2, value >> 16);
}

class Elements {
public:
    void add(uint8_t id, const std::vector<uint8_t>& body) {
        bytes_.push_back(id);
        bytes_.push_back(static_cast<uint8_t>(body.size()));
        bytes_.insert(bytes_.end(), body.begin(), body.end());
    }
    std::vector<uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
};

void addSuite(std::vector<uint8_t>& body, const uint8_t (&oui)[3], uint8_t type) {
    body.insert(body.end(), oui, oui + 3);
    body.push_back(type);
}

// Version, group suite, one pairwise suite, one key management suite: the shape every
// reader of the list expects (pairwise at body byte 8, key management at 14 in RSN).
std::vector<uint8_t> securityBody(const uint8_t (&oui)[3], uint8_t cipher, uint8_t akm) {
    std::vector<uint8_t> body = {1, 0};
    addSuite(body, oui, cipher);
    body.insert(body.end(), {1, 0});
    addSuite(body, oui, cipher);
    body.insert(body.end(), {1, 0});
    addSuite(body, oui, akm);
    return body;
}

uint16_t capability(const Network& n) {
    uint16_t bits = n.adHoc ? 0x0002 : 0x0001;
    if (n.security != Security::Open) bits |= 0x0010;
    if (n.band != Band::A) bits |= 0x0020;  // short preamble
    if (n.band == Band::G) bits |= 0x0400;  // short slot time
    return bits;
}

// NDIS_802_11_NETWORK_TYPE: DS, OFDM5, OFDM24.
uint32_t networkTypeInUse(Band band) {
    switch (band) {
        case Band::B:
            return 1;
        case Band::A:
            return 2;
        case Band::G:
            return 3;
    }
    return 1;
}

size_t align4(size_t n) { return (n + 3) & ~size_t{3}; }

// The first 112 bytes, common to both layouts.
void writeBssidHeader(const HeardNetwork& heard, size_t length, uint8_t* r) {
    const Network& n = heard.network;
    const std::string& ssid = n.hidden && !heard.ssidRevealed ? std::string() : n.ssid;
    put32(r + 0, static_cast<uint32_t>(length));
    std::memcpy(r + 4, n.bssid.data(), 6);
    put32(r + 12, static_cast<uint32_t>(ssid.size()));
    std::memcpy(r + 16, ssid.data(), ssid.size());
    put32(r + 48, n.security != Security::Open);
    put32(r + 52, static_cast<uint32_t>(heard.rssi));
    put32(r + 56, networkTypeInUse(n.band));
    put32(r + 60, 32);   // Configuration.Length
    put32(r + 64, 100);  // BeaconPeriod (TU)
    put32(r + 72, channelFrequencyMHz(n.channel) * 1000);
    put32(r + 76, 16);  // FHConfig.Length
    put32(r + 92, n.adHoc ? 0 : 1);
    std::copy_n(n.rates.begin(), std::min<size_t>(n.rates.size(), 16), r + 96);
}

}  // namespace

std::vector<uint8_t> informationElements(const HeardNetwork& heard) {
    const Network& n = heard.network;
    Elements elements;
    if (n.autoLink != AutoLinkState::None) {
        std::vector<uint8_t> body(zel::kAutoLinkOui, zel::kAutoLinkOui + 3);
        body.insert(body.end(), {0, 0, n.autoLinkTag, static_cast<uint8_t>(n.autoLink)});
        elements.add(kVendorElement, body);
    }
    const bool showSsid = !n.hidden || heard.ssidRevealed;
    elements.add(kSsidElement, showSsid ? std::vector<uint8_t>(n.ssid.begin(), n.ssid.end())
                                        : std::vector<uint8_t>());
    const size_t basicCount = std::min<size_t>(n.rates.size(), 8);
    elements.add(kRatesElement,
                 std::vector<uint8_t>(n.rates.begin(), n.rates.begin() + basicCount));
    if (!isFiveGigahertz(n.channel)) elements.add(kDsElement, {static_cast<uint8_t>(n.channel)});
    if (n.adHoc) elements.add(kIbssElement, {0, 0});
    if (n.rates.size() > basicCount) {
        elements.add(kExtendedRatesElement,
                     std::vector<uint8_t>(n.rates.begin() + basicCount, n.rates.end()));
    }
    const uint8_t cipher = n.cipher == Cipher::Aes ? kSuiteCcmp : kSuiteTkip;
    switch (n.security) {
        case Security::Wpa2Psk:
        case Security::Wpa2Eap: {
            std::vector<uint8_t> body = securityBody(
                kRsnOui, cipher, n.security == Security::Wpa2Psk ? kAkmPsk : kAkm8021x);
            body.insert(body.end(), {0, 0});  // RSN capabilities
            elements.add(kRsnElement, body);
            break;
        }
        case Security::WpaPsk:
        case Security::WpaEap: {
            std::vector<uint8_t> body(kWpaOui, kWpaOui + 3);
            body.push_back(1);  // WPA element type
            const std::vector<uint8_t> rest =
                securityBody(kWpaOui, cipher, n.security == Security::WpaPsk ? kAkmPsk : kAkm8021x);
            body.insert(body.end(), rest.begin(), rest.end());
            elements.add(kVendorElement, body);
            break;
        }
        case Security::Open:
        case Security::Wep:
        case Security::Dot1x:
            break;
    }
    return elements.take();
}

size_t writeScanList(const std::vector<HeardNetwork>& networks, ScanLayout layout, uint8_t* buffer,
                     size_t size) {
    if (size < 4) return 0;
    std::memset(buffer, 0, size);
    size_t used = 4;
    uint32_t count = 0;
    for (const HeardNetwork& heard : networks) {
        const std::vector<uint8_t> elements = informationElements(heard);
        const size_t header = layout == ScanLayout::Driver ? kDriverHeader : kNdisHeader;
        const size_t length = align4(header + elements.size());
        if (length > size - used) continue;
        uint8_t* r = buffer + used;
        writeBssidHeader(heard, length, r);
        const Network& n = heard.network;
        if (layout == ScanLayout::Driver) {
            put32(r + 112, static_cast<uint32_t>(n.band));
            put32(r + 116, n.channel);
        } else {
            put32(r + 112, static_cast<uint32_t>(kFixedBeaconFields + elements.size()));
            put32(r + 116, static_cast<uint32_t>(heard.timestampUs));
            put32(r + 120, static_cast<uint32_t>(heard.timestampUs >> 32));
            put16(r + 124, 100);
            put16(r + 126, capability(n));
        }
        std::copy(elements.begin(), elements.end(), r + header);
        used += length;
        ++count;
    }
    put32(buffer, count);
    return used;
}

}  // namespace sim
