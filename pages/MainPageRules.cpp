#include "pages/MainPageRules.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "adapter/ZelShared.h"
#include "res/resource.h"

namespace status {
namespace {

template <typename... Args>
std::string format(const char* pattern, Args... args) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

// Bits per second over `elapsed` ms from a byte count, at most what 32 bits hold.
uint32_t bitsPerSecond(uint32_t bytes, uint32_t elapsed) {
    const uint64_t rate = uint64_t{bytes} * 8000 / elapsed;
    return static_cast<uint32_t>(std::min<uint64_t>(rate, std::numeric_limits<uint32_t>::max()));
}

}  // namespace

std::string linkSpeedText(uint32_t speed) {
    return format(speed % 2000 == 0 ? "%u Mbps" : "%u.5 Mbps", speed / 10000);
}

std::string rateText(uint32_t bitsPerSecond) {
    if (bitsPerSecond < 1000) return format("%u bps", bitsPerSecond);
    if (bitsPerSecond < 1000000) return format("%.1f Kbps", bitsPerSecond * 0.001);
    return format("%.1f Mbps", bitsPerSecond * 0.000001);
}

std::string middleScaleText(uint32_t top) {
    const uint32_t even = top & ~1u;
    if (even > 1999999) return format("%.1f Mbps", top * 0.0000005);
    if (even >= 2000) return format("%.1f Kbps", top * 0.0005);
    return format("%u bps", top / 2);
}

int graphScale(uint32_t largest) {
    const uint64_t scale = uint64_t{largest} * 6 / 5;
    return static_cast<int>(std::clamp<uint64_t>(scale, 200, std::numeric_limits<int>::max()));
}

std::string securityText(uint32_t wepStatus) {
    switch (wepStatus) {
        case zel::WepEnabled:
            return "WEP";
        case zel::WepKeyAbsent:
            return "WEP - Key Absent";
        case zel::TkipEnabled:
            return "TKIP";
        case zel::TkipKeyAbsent:
            return "TKIP - Key Absent";
        case zel::AesEnabled:
            return "AES";
        case zel::AesKeyAbsent:
            return "AES - Key Absent";
        default:
            return "Security Off";
    }
}

std::string bssidText(const scan::Bssid& bssid) {
    return format("%02X %02X %02X %02X %02X %02X", bssid[0], bssid[1], bssid[2], bssid[3], bssid[4],
                  bssid[5]);
}

std::string networkTypeText(uint32_t networkMode) {
    switch (networkMode) {
        case 0:
            return "Ad-Hoc";
        case 1:
            return "Infrastructure";
        default:
            return "Unknown";
    }
}

std::string channelCaption(uint32_t channel, uint32_t frequencyMhz) {
    return format("Channel %u (%.3f GHz)", channel, frequencyMhz * 0.001);
}

int linkIcon(uint32_t wirelessMode) {
    switch (wirelessMode) {
        case 1:
            return IDI_LINK_80211B;
        case 2:
            return IDI_LINK_80211A;
        default:
            return IDI_LINK_OTHER;
    }
}

void LinkSpeedSamples::clear() {
    slots_.fill(0);
    next_ = 0;
}

uint32_t LinkSpeedSamples::add(uint32_t speed) {
    slots_[next_] = speed;
    next_ = (next_ + 1) % kSlots;
    return *std::max_element(slots_.begin(), slots_.end());
}

std::optional<Rates> RateMeter::sample(uint32_t now, uint32_t outOctets, uint32_t inOctets) {
    Rates rates;
    if (primed_) {
        if (now == previousTick_) return std::nullopt;
        const uint32_t elapsed = now - previousTick_;
        rates.transmit = bitsPerSecond(outOctets - previousOut_, elapsed);
        rates.receive = bitsPerSecond(inOctets - previousIn_, elapsed);
    }
    primed_ = true;
    previousTick_ = now;
    previousOut_ = outOctets;
    previousIn_ = inOctets;
    history_[next_] = rates;
    next_ = (next_ + 1) % kHistory;
    count_ = std::min(count_ + 1, kHistory);
    return rates;
}

Rates RateMeter::largest() const {
    Rates largest;
    for (int i = 0; i < count_; ++i) {
        largest.transmit = std::max(largest.transmit, history_[i].transmit);
        largest.receive = std::max(largest.receive, history_[i].receive);
    }
    return largest;
}

}  // namespace status
