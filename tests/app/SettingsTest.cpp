#include <gtest/gtest.h>

#include "app/Settings.h"
#include "tests/app/MemorySettingsStore.h"
#include "tests/app/SettingsSuite.h"

namespace {

class MemoryEnv {
public:
    app::SettingsStore& store() { return store_; }
    void setText(const char* section, const char* key, const std::string& text) {
        store_.writeText(section, key, text.c_str());
    }
    std::string text(const char* section, const char* key) const {
        return store_.text(section, key);
    }
    void failWrites() { store_.failWrites(); }

private:
    MemorySettingsStore store_;
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, SettingsBehaviour, MemoryEnv);

namespace {

TEST(RegionChannels, EachKnownRegionHasItsOwnRange) {
    const struct {
        uint32_t region;
        app::ChannelRange channels;
    } regions[] = {
        {0x10, {1, 11}},  {0x20, {1, 11}},  {0x30, {1, 13}},
        {0x31, {10, 11}}, {0x32, {11, 13}}, {0x40, {1, 14}},
    };
    for (const auto& r : regions) {
        const app::RegionChannels found = app::regionChannels(r.region);
        EXPECT_EQ(found.regionCode, r.region) << std::hex << r.region;
        EXPECT_EQ(found.channels, r.channels) << std::hex << r.region;
    }
}

TEST(RegionChannels, AnUnknownRegionBecomesRegion10WithChannelsOneToEleven) {
    for (uint32_t region : {0x00u, 0x11u, 0x33u, 0x41u, 0xFFu, 0xFFFFFFFFu}) {
        const app::RegionChannels found = app::regionChannels(region);
        EXPECT_EQ(found.regionCode, 0x10u) << std::hex << region;
        EXPECT_EQ(found.channels, (app::ChannelRange{1, 11})) << std::hex << region;
    }
}

TEST(RegionChannels, TheRangeWrittenForARegionReadsBackUnchanged) {
    MemorySettingsStore store;
    app::Settings settings(store);
    for (uint32_t region : {0x30u, 0x31u, 0x32u, 0x40u}) {
        const app::ChannelRange channels = app::regionChannels(region).channels;
        settings.writeSetting(app::Setting::FirstChan, channels.first);
        settings.writeSetting(app::Setting::LastChan, channels.last);
        EXPECT_EQ(settings.channelRange(), channels) << std::hex << region;
    }
}

}  // namespace
