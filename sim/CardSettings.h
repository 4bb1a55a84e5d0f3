// The card's programmable values: one entry per query/set pair of the library, with the
// value the card powers up with and the values it accepts; and the radio facts (regions,
// channels, rates) that the card and its scenario file share.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace sim {

enum class Setting {
    NetworkMode,      // 0 ad-hoc, 1 infrastructure, 2 either
    WlanMode,         // 0 802.11g, 1 802.11b, 2 802.11a, 255 automatic
    AdHocWlanMode,    // 0 802.11g, 1 802.11b, 2 802.11a
    Channel,          // ad-hoc channel, 0 = the card chooses
    ChannelRange,     // first channel << 8 | last channel (2.4 GHz)
    AuthMode,         // NDIS authentication mode
    WepStatus,        // NDIS encryption status: 0 WEP, 1 off, 4 TKIP, 6 AES
    PowerMode,        // 0 continuous access, 1 max power save, 2 fast power save
    Preamble,         // 1 auto, 2 short, 3 long
    DataRate,         // 255 automatic, else a rate code (500 kbit/s units)
    FragThreshold,    // bytes
    RtsThreshold,     // bytes
    TxPower,          // 1 low .. 4 automatic
    TxAntenna,        // 0xFFFF diversity, 1 or 2
    RxAntenna,        // 0xFFFF diversity, 1 or 2
    BoostMode,        // 0 or 1
    SignalThreshold,  // the link is lost below -threshold dBm
    TxFailThreshold,  // percent of failed transmissions the card tolerates
};
constexpr int kSettingCount = static_cast<int>(Setting::TxFailThreshold) + 1;

using SettingValues = std::array<uint32_t, kSettingCount>;

// The scenario file's name of a setting, and the setting of a name.
const char* settingName(Setting setting);
std::optional<Setting> findSetting(std::string_view name);

// Whether the card takes `value` for `setting`; refused values leave the setting as it was.
bool acceptsSetting(Setting setting, uint32_t value);

// The values a freshly plugged card starts with in region `region`.
SettingValues powerOnSettings(uint32_t region);

// Regions: the codes the card knows and the 2.4 GHz channels each allows.
bool isRegionCode(uint32_t code);
uint32_t regionChannelRange(uint32_t region);  // first << 8 | last

// Channels: 1 to 14 on 2.4 GHz; 36 to 64, 100 to 140 and 149 to 165 in steps of 4 on 5 GHz.
bool isChannel(uint32_t channel);
bool isFiveGigahertz(uint32_t channel);
uint32_t channelFrequencyMHz(uint32_t channel);
// Channels 52 to 140, where a card must leave when radar is detected.
bool isRadarChannel(uint32_t channel);

// Rate codes in units of 500 kbit/s (2 = 1 Mbit/s ... 108 = 54 Mbit/s).
bool isRateCode(uint32_t code);
bool isOfdmRate(uint32_t code);  // 6 Mbit/s and up except 11

}  // namespace sim
