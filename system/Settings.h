// The settings file Tovix.ini: every key the program reads or writes, with its section,
// its default and the rule that turns whatever the file holds into a usable value.
#pragma once

#include <cstdint>

namespace sys {

// Where the settings are kept. The program's store is the private-profile (INI) file
// beside it; tests use an in-memory one.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The key's value read as an integer, `fallback` when the key is missing.
    virtual int readInt(const char* section, const char* key, int fallback) const = 0;
    // Stores `text` as the key's value; false when it could not be written.
    virtual bool writeText(const char* section, const char* key, const char* text) = 0;
};

enum class Setting {
    AutoConfiguration,
    AutoLink,
    BoostMode,
    FirstChan,
    LastChan,
    Trace,
    RefreshRatePS,
    RefreshRfCal,
    Statistics,
    DebugWin,
    TestPage,
    WepKeyFmt,
};
constexpr int kSettingCount = static_cast<int>(Setting::WepKeyFmt) + 1;

// How a stored value is read back.
enum class SettingRule {
    Switch,       // any non-zero value is 1
    ZeroOrOne,    // 0 or 1; anything else is the default
    NonNegative,  // a negative value is the default
    Channel,      // one end of the channel range; see channelRange()
};

struct SettingKey {
    Setting setting;
    const char* section;
    const char* name;
    int defaultValue;
    SettingRule rule;
};

constexpr int kLowestChannel = 1;
constexpr int kHighestChannel = 14;

// Every key of the settings file, in the order of `Setting`.
inline constexpr SettingKey kSettingKeys[kSettingCount] = {
    {Setting::AutoConfiguration, "Advanced", "Auto Configuration", 1, SettingRule::Switch},
    {Setting::AutoLink, "Advanced", "AutoLink", 1, SettingRule::Switch},
    {Setting::BoostMode, "Advanced", "BoostMode", 1, SettingRule::NonNegative},
    {Setting::FirstChan, "Advanced", "FirstChan", 1, SettingRule::Channel},
    {Setting::LastChan, "Advanced", "LastChan", 11, SettingRule::Channel},
    {Setting::Trace, "Debug", "Trace", 0, SettingRule::Switch},
    {Setting::RefreshRatePS, "Debug", "RefreshRatePS", 0, SettingRule::Switch},
    {Setting::RefreshRfCal, "Debug", "RefreshRfCal", 0, SettingRule::Switch},
    {Setting::Statistics, "Debug", "Statistics", 0, SettingRule::Switch},
    {Setting::DebugWin, "Debug", "DebugWin", 0, SettingRule::Switch},
    {Setting::TestPage, "Debug", "TestPage", 0, SettingRule::Switch},
    {Setting::WepKeyFmt, "Security", "WepKeyFmt", 0, SettingRule::ZeroOrOne},
};

constexpr const SettingKey& settingKey(Setting setting) {
    return kSettingKeys[static_cast<int>(setting)];
}

// The lowest and highest channel the card may use.
struct ChannelRange {
    int first;
    int last;
    bool operator==(const ChannelRange& other) const {
        return first == other.first && last == other.last;
    }
};

constexpr ChannelRange kDefaultChannelRange{settingKey(Setting::FirstChan).defaultValue,
                                            settingKey(Setting::LastChan).defaultValue};

// The card's region and the channel range that belongs to it. A region code the program
// does not know is taken as kDefaultRegionCode.
struct RegionChannels {
    uint32_t regionCode;
    ChannelRange channels;
};
constexpr uint32_t kDefaultRegionCode = 0x10;
RegionChannels regionChannels(uint32_t regionCode);

class Settings {
public:
    explicit Settings(SettingsStore& store) : store_(store) {}

    // The key's value after its rule; the default when the key is missing.
    int readSetting(Setting setting) const;
    // Writes `value` as decimal text; false when the file could not be written.
    bool writeSetting(Setting setting, int value);

    // FirstChan and LastChan read together: a range that leaves 1..14 or runs backwards
    // is the default range 1..11.
    ChannelRange channelRange() const;

private:
    int stored(const SettingKey& key) const;

    SettingsStore& store_;
};

}  // namespace sys
