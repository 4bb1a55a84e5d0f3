#include <gtest/gtest.h>

#include "system/Settings.h"
#include "tests/system/MemorySettingsStore.h"
#include "tests/system/SettingsSuite.h"

namespace {

class MemoryEnv {
public:
    sys::SettingsStore& store() { return store_; }
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
        sys::ChannelRange channels;
    } regions[] = {
        {0x10, {1, 11}},  {0x20, {1, 11}},  {0x30, {1, 13}},
        {0x31, {10, 11}}, {0x32, {11, 13}}, {0x40, {1, 14}},
    };
    for (const auto& r : regions) {
        const sys::RegionChannels found = sys::regionChannels(r.region);
        EXPECT_EQ(found.regionCode, r.region) << std::hex << r.region;
        EXPECT_EQ(found.channels, r.channels) << std::hex << r.region;
    }
}

TEST(RegionChannels, AnUnknownRegionBecomesRegion10WithChannelsOneToEleven) {
    for (uint32_t region : {0x00u, 0x11u, 0x33u, 0x41u, 0xFFu, 0xFFFFFFFFu}) {
        const sys::RegionChannels found = sys::regionChannels(region);
        EXPECT_EQ(found.regionCode, 0x10u) << std::hex << region;
        EXPECT_EQ(found.channels, (sys::ChannelRange{1, 11})) << std::hex << region;
    }
}

TEST(RegionChannels, TheRangeWrittenForARegionReadsBackUnchanged) {
    MemorySettingsStore store;
    sys::Settings settings(store);
    for (uint32_t region : {0x30u, 0x31u, 0x32u, 0x40u}) {
        const sys::ChannelRange channels = sys::regionChannels(region).channels;
        settings.writeSetting(sys::Setting::FirstChan, channels.first);
        settings.writeSetting(sys::Setting::LastChan, channels.last);
        EXPECT_EQ(settings.channelRange(), channels) << std::hex << region;
    }
}

}  // namespace
