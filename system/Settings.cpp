#include "system/Settings.h"

#include <string>

namespace sys {

static_assert(
    [] {
        for (int i = 0; i < kSettingCount; ++i) {
            if (kSettingKeys[i].setting != static_cast<Setting>(i)) return false;
        }
        return true;
    }(),
    "kSettingKeys follows the order of Setting");

RegionChannels regionChannels(uint32_t regionCode) {
    static constexpr RegionChannels kRegions[] = {
        {0x10, {1, 11}},  {0x20, {1, 11}},  {0x30, {1, 13}},
        {0x31, {10, 11}}, {0x32, {11, 13}}, {0x40, {1, 14}},
    };
    for (const RegionChannels& region : kRegions) {
        if (region.regionCode == regionCode) return region;
    }
    return {kDefaultRegionCode, kDefaultChannelRange};
}

int Settings::stored(const SettingKey& key) const {
    return store_.readInt(key.section, key.name, key.defaultValue);
}

int Settings::readSetting(Setting setting) const {
    const SettingKey& key = settingKey(setting);
    const int value = stored(key);
    switch (key.rule) {
        case SettingRule::Switch:
            return value != 0 ? 1 : 0;
        case SettingRule::ZeroOrOne:
            return value == 0 || value == 1 ? value : key.defaultValue;
        case SettingRule::NonNegative:
            return value >= 0 ? value : key.defaultValue;
        case SettingRule::Channel: {
            const ChannelRange range = channelRange();
            return setting == Setting::FirstChan ? range.first : range.last;
        }
    }
    return key.defaultValue;
}

bool Settings::writeSetting(Setting setting, int value) {
    const SettingKey& key = settingKey(setting);
    return store_.writeText(key.section, key.name, std::to_string(value).c_str());
}

ChannelRange Settings::channelRange() const {
    const ChannelRange range{stored(settingKey(Setting::FirstChan)),
                             stored(settingKey(Setting::LastChan))};
    const bool valid =
        range.first >= kLowestChannel && range.last <= kHighestChannel && range.first <= range.last;
    return valid ? range : kDefaultChannelRange;
}

}  // namespace sys
