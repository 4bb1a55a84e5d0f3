// The Network Status page's rules that need no window: the texts it shows, the link
// speed over the last five readings, and the throughput computed from the interface's
// byte counters with the graph scale that follows the largest recent rate.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "adapter/ScanList.h"

namespace status {

// "11 Mbps", "5.5 Mbps": a link speed in units of 100 bit/s.
std::string linkSpeedText(uint32_t speed);
// A rate in bit/s in the band that suits it: "%d bps", "%.1f Kbps" or "%.1f Mbps".
std::string rateText(uint32_t bitsPerSecond);
// The middle scale label of a graph whose top is `top` bit/s: half of it, in the band
// that suits `top` with its lowest bit cleared.
std::string middleScaleText(uint32_t top);
// The graph scale for a largest rate of `largest` bit/s: 1.2 times it, at least 200.
int graphScale(uint32_t largest);

// "WEP", "TKIP - Key Absent", "Security Off", ...: the card's encryption status.
std::string securityText(uint32_t wepStatus);
// The six bytes in hexadecimal, separated by blanks.
std::string bssidText(const scan::Bssid& bssid);
// "Ad-Hoc", "Infrastructure" or "Unknown".
std::string networkTypeText(uint32_t networkMode);
// "Channel 6 (2.437 GHz)".
std::string channelCaption(uint32_t channel, uint32_t frequencyMhz);
// The link icon resource of a wireless mode (1: 802.11b, 2: 802.11a).
int linkIcon(uint32_t wirelessMode);

// The link speed shown: the largest of the last five readings.
class LinkSpeedSamples {
public:
    static constexpr int kSlots = 5;

    void clear();
    // Takes one reading and returns the largest of the last five.
    uint32_t add(uint32_t speed);

private:
    std::array<uint32_t, kSlots> slots_{};
    int next_ = 0;
};

struct Rates {
    uint32_t transmit = 0;  // bit/s
    uint32_t receive = 0;
};

// The throughput from the interface's byte counters, sampled on a millisecond tick count.
// Counters and tick count may wrap: differences are taken modulo 2^32.
class RateMeter {
public:
    static constexpr int kHistory = 60;

    // The next sample only primes the meter (the link was down).
    void forget() { primed_ = false; }
    // The rates since the previous sample (0 for a sample that primes the meter), kept
    // in the history; nothing, and nothing kept, for a second sample in the same
    // millisecond.
    std::optional<Rates> sample(uint32_t now, uint32_t outOctets, uint32_t inOctets);
    // The largest rates of the last kHistory samples.
    Rates largest() const;

private:
    bool primed_ = false;
    uint32_t previousTick_ = 0;
    uint32_t previousOut_ = 0;
    uint32_t previousIn_ = 0;
    std::array<Rates, kHistory> history_{};
    int next_ = 0;
    int count_ = 0;
};

}  // namespace status
