#include "pages/RadioValues.h"

#include <cstdio>
#include <limits>

#include "profiles/Profile.h"

const std::vector<uint32_t>& ratesOfMode(uint32_t wirelessMode) {
    static const std::vector<uint32_t> k80211b = {2, 4, 11, 22};
    static const std::vector<uint32_t> k80211a = {12, 18, 24, 36, 48, 72, 96, 108};
    static const std::vector<uint32_t> kEvery = {2, 4, 11, 12, 18, 22, 24, 36, 48, 72, 96, 108};
    switch (wirelessMode) {
        case Wireless80211b:
            return k80211b;
        case Wireless80211a:
            return k80211a;
        default:
            return kEvery;
    }
}

std::string rateText(uint32_t code) {
    char text[32];
    std::snprintf(text, sizeof text, code % 2 == 0 ? "%u Mbps" : "%u.5 Mbps", code / 2);
    return text;
}

std::optional<int32_t> thresholdNumber(const std::string& text) {
    const bool negative = !text.empty() && text[0] == '-';
    const std::string digits = negative ? text.substr(1) : text;
    if (digits.empty()) return std::nullopt;
    constexpr int64_t kLargest = std::numeric_limits<int32_t>::max();
    int64_t value = 0;
    for (char digit : digits) {
        if (digit < '0' || digit > '9') return std::nullopt;
        // Past the largest 32-bit number the rest of the digits only need checking.
        if (value <= kLargest) value = value * 10 + (digit - '0');
    }
    if (negative)
        return value > kLargest ? std::numeric_limits<int32_t>::min()
                                : static_cast<int32_t>(-value);
    return value > kLargest ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(value);
}
