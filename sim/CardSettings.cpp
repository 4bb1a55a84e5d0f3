#include "sim/CardSettings.h"

#include <algorithm>
#include <iterator>

namespace sim {
namespace {

constexpr uint32_t kDiversity = 0xFFFF;

struct SettingInfo {
    const char* name;
    uint32_t powerOn;
};

// In the order of `Setting`. The channel range's power-on value comes from the region.
constexpr SettingInfo kSettings[kSettingCount] = {
    {"network-mode", 1}, {"wlan-mode", 255},         {"adhoc-wlan-mode", 0},
    {"channel", 0},      {"channel-range", 0},       {"auth-mode", 0},
    {"wep-status", 1},   {"power-mode", 0},          {"preamble", 1},
    {"data-rate", 255},  {"frag-threshold", 2346},   {"rts-threshold", 2347},
    {"tx-power", 4},     {"tx-antenna", kDiversity}, {"rx-antenna", kDiversity},
    {"boost-mode", 1},   {"signal-threshold", 90},   {"tx-fail-threshold", 30},
};

struct Region {
    uint32_t code;
    uint32_t first;
    uint32_t last;
};
constexpr Region kRegions[] = {
    {0x10, 1, 11}, {0x20, 1, 11}, {0x30, 1, 13}, {0x31, 10, 11}, {0x32, 11, 13}, {0x40, 1, 14},
};

constexpr uint32_t kRateCodes[] = {2, 4, 11, 12, 18, 22, 24, 36, 48, 72, 96, 108};

bool oneOf(uint32_t value, std::initializer_list<uint32_t> values) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

}  // namespace

const char* settingName(Setting setting) { return kSettings[static_cast<int>(setting)].name; }

std::optional<Setting> findSetting(std::string_view name) {
    for (int i = 0; i < kSettingCount; ++i) {
        if (name == kSettings[i].name) return static_cast<Setting>(i);
    }
    return std::nullopt;
}

bool acceptsSetting(Setting setting, uint32_t value) {
    switch (setting) {
        case Setting::NetworkMode:
            return value <= 2;
        case Setting::WlanMode:
            return value <= 2 || value == 255;
        case Setting::AdHocWlanMode:
            return value <= 2;
        case Setting::Channel:
            return value == 0 || isChannel(value);
        case Setting::ChannelRange: {
            const uint32_t first = value >> 8, last = value & 0xFF;
            return first >= 1 && first <= last && last <= 14;
        }
        case Setting::AuthMode:
            return value <= 7;
        case Setting::WepStatus:
            return oneOf(value, {0, 1, 4, 6});
        case Setting::PowerMode:
            return value <= 2;
        case Setting::Preamble:
            return value >= 1 && value <= 3;
        case Setting::DataRate:
            return value == 255 || isRateCode(value);
        case Setting::FragThreshold:
            return value >= 256 && value <= 2346;
        case Setting::RtsThreshold:
            return value <= 2347;
        case Setting::TxPower:
            return value >= 1 && value <= 4;
        case Setting::TxAntenna:
        case Setting::RxAntenna:
            return oneOf(value, {kDiversity, 1, 2});
        case Setting::BoostMode:
            return value <= 1;
        case Setting::SignalThreshold:
            return value >= 10 && value <= 200;
        case Setting::TxFailThreshold:
            return value <= 100;
    }
    return false;
}

SettingValues powerOnSettings(uint32_t region) {
    SettingValues values{};
    for (int i = 0; i < kSettingCount; ++i) values[i] = kSettings[i].powerOn;
    values[static_cast<int>(Setting::ChannelRange)] = regionChannelRange(region);
    return values;
}

bool isRegionCode(uint32_t code) {
    return std::any_of(std::begin(kRegions), std::end(kRegions),
                       [code](const Region& r) { return r.code == code; });
}

uint32_t regionChannelRange(uint32_t region) {
    for (const Region& r : kRegions) {
        if (r.code == region) return r.first << 8 | r.last;
    }
    return 1 << 8 | 11;
}

bool isFiveGigahertz(uint32_t channel) { return channel > 14; }

bool isChannel(uint32_t channel) {
    if (channel >= 1 && channel <= 14) return true;
    if (channel % 4 == 0)
        return (channel >= 36 && channel <= 64) || (channel >= 100 && channel <= 140);
    return channel % 4 == 1 && channel >= 149 && channel <= 165;
}

uint32_t channelFrequencyMHz(uint32_t channel) {
    if (channel == 14) return 2484;
    return isFiveGigahertz(channel) ? 5000 + 5 * channel : 2407 + 5 * channel;
}

bool isRadarChannel(uint32_t channel) { return channel >= 52 && channel <= 140; }

bool isRateCode(uint32_t code) {
    return std::find(std::begin(kRateCodes), std::end(kRateCodes), code) != std::end(kRateCodes);
}

bool isOfdmRate(uint32_t code) { return isRateCode(code) && code >= 12 && code != 22; }

}  // namespace sim
