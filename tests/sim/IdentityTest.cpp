// Opening the card and reading who it is: handles, MAC address, region, versions and the
// texts the library hands out, with the buffers callers pass.
#include <gtest/gtest.h>

#include "SimFixtures.h"

namespace {

using simtest::CardTest;

class Identity : public CardTest {
protected:
    void SetUp() override { start(""); }
};

TEST_F(Identity, MacAddressRegionAndVersions) {
    uint8_t mac[8] = {0, 0, 0, 0, 0, 0, 0xAA, 0xAA};
    ASSERT_EQ(api_.ZelGetMacAddress(handle_, mac, 6), 0);
    EXPECT_EQ(std::vector<uint8_t>(mac, mac + 8),
              (std::vector<uint8_t>{0x00, 0x1D, 0x6A, 0x01, 0x02, 0x03, 0xAA, 0xAA}));
    EXPECT_EQ(query(api_.ZelQueryRegionCode), 0x30u);
    EXPECT_EQ(query(api_.ZelQueryChipVersion), 5u);
    EXPECT_EQ(query(api_.ZelQueryFirmwareVersion), 0x05020103u);
}

TEST_F(Identity, TextsEndInsideTheirBuffers) {
    char text[200];
    ASSERT_EQ(api_.ZelQueryDeviceDesc(handle_, text, sizeof text), 0);
    EXPECT_STREQ(text, "Test card");
    ASSERT_EQ(api_.ZelQueryDriverVersion(handle_, text, 100), 0);
    EXPECT_STREQ(text, "7.0.1.2");
    ASSERT_EQ(api_.ZelQueryDriverDate(handle_, text, 100), 0);
    EXPECT_STREQ(text, "9-14-2004");

    // "Test card" and its end need 10 bytes: 9 fail and leave an empty text, the rest untouched.
    char tight[12];
    std::memset(tight, 'x', sizeof tight);
    EXPECT_EQ(api_.ZelQueryDeviceDesc(handle_, tight, 9), 1);
    EXPECT_EQ(tight[0], '\0');
    EXPECT_EQ(tight[9], 'x');
    EXPECT_EQ(api_.ZelQueryDeviceDesc(handle_, tight, 10), 0);
    EXPECT_STREQ(tight, "Test card");
    EXPECT_EQ(api_.ZelQueryDeviceDesc(handle_, nullptr, 100), 1);
    EXPECT_EQ(api_.ZelQueryDriverVersion(handle_, text, 0), 1);
}

TEST_F(Identity, BadBuffersAndHandlesFail) {
    uint8_t mac[6];
    EXPECT_EQ(api_.ZelGetMacAddress(handle_, mac, 5), 1);
    EXPECT_EQ(api_.ZelGetMacAddress(handle_, nullptr, 6), 1);
    EXPECT_EQ(api_.ZelQueryRegionCode(handle_, nullptr), 1);
    uint32_t value = 7;
    EXPECT_EQ(api_.ZelQueryRegionCode(nullptr, &value), 1);
    EXPECT_EQ(api_.ZelQueryRegionCode(reinterpret_cast<ZelHandle>(0x42), &value), 1);
    EXPECT_EQ(value, 7u);
    EXPECT_EQ(api_.ZelGetConnectStatus(nullptr), 0);
    EXPECT_EQ(api_.ZelOpenAdapter(nullptr), 1);
    EXPECT_EQ(api_.ZelCloseAdapter(nullptr), 1);
}

TEST_F(Identity, ClosingClearsTheHandleAndEndsIt) {
    ZelHandle kept = handle_;
    ASSERT_EQ(api_.ZelCloseAdapter(&handle_), 0);
    EXPECT_EQ(handle_, nullptr);
    uint32_t value = 0;
    EXPECT_EQ(api_.ZelQueryRegionCode(kept, &value), 1);
    EXPECT_FALSE(sim_->library().adapterOpen());
    // Opening again gives a working handle.
    ASSERT_EQ(api_.ZelOpenAdapter(&handle_), 0);
    EXPECT_EQ(query(api_.ZelQueryRegionCode), 0x30u);
    EXPECT_TRUE(sim_->library().adapterOpen());
}

TEST(IdentityAbsent, NoCardNoHandle) {
    sim::NativeCard card(simtest::kCard + "    present no\n");
    ZelHandle handle = reinterpret_cast<ZelHandle>(0x99);
    EXPECT_EQ(card.api().ZelOpenAdapter(&handle), 1);
    EXPECT_EQ(handle, nullptr);
    uint32_t status = 5;
    EXPECT_EQ(card.api().ZelQueryWZCStatusCheck(&status), 1);
}

TEST_F(Identity, RegionSetsTheChannelRange) {
    EXPECT_EQ(query(api_.ZelQueryChannelRange), 0x010Du);  // ETSI: 1 to 13
    ASSERT_EQ(api_.ZelSetRegionCode(handle_, 0x32), 0);
    EXPECT_EQ(query(api_.ZelQueryRegionCode), 0x32u);
    EXPECT_EQ(query(api_.ZelQueryChannelRange), 0x0B0Du);  // France: 11 to 13
    EXPECT_EQ(api_.ZelSetRegionCode(handle_, 0x11), 1);
    EXPECT_EQ(query(api_.ZelQueryRegionCode), 0x32u);
}

TEST_F(Identity, QuerySetPairsKeepWhatTheCardTakes) {
    struct Pair {
        int32_t(ZEL_CALL* query)(ZelHandle, uint32_t*);
        int32_t(ZEL_CALL* set)(ZelHandle, uint32_t);
        uint32_t good;
        uint32_t bad;
    };
    const Pair pairs[] = {
        {api_.ZelQueryNetworkMode, api_.ZelSetNetworkMode, 0, 3},
        {api_.ZelQueryAdHocWlanMode, api_.ZelSetAdHocWlanMode, 2, 255},
        {api_.ZelQueryChannelRange, api_.ZelSetChannelRange, 0x0309, 0x0903},
        {api_.ZelQueryAuthMode, api_.ZelSetAuthMode, 7, 8},
        {api_.ZelQueryPowerMode, api_.ZelSetPowerMode, 1, 3},
        {api_.ZelQueryPreamble, api_.ZelSetPreamble, 3, 0},
        {api_.ZelQueryDataRate, api_.ZelSetDataRate, 108, 107},
        {api_.ZelQueryFragThreshold, api_.ZelSetFragThreshold, 256, 255},
        {api_.ZelQueryRTSThreshold, api_.ZelSetRTSThreshold, 2347, 2348},
        {api_.ZelQueryTxPower, api_.ZelSetTxPower, 1, 5},
        {api_.ZelQueryTxAntenna, api_.ZelSetTxAntenna, 2, 3},
        {api_.ZelQueryRxAntenna, api_.ZelSetRxAntenna, 0xFFFF, 0},
        {api_.ZelQueryBoostMode, api_.ZelSetBoostMode, 0, 2},
        {api_.ZelQuerySignalThreshold, api_.ZelSetSignalThreshold, 200, 9},
        {api_.ZelQueryTxFailThreshold, api_.ZelSetTxFailThreshold, 100, 101},
        {api_.ZelQueryWlanMode, api_.ZelSetWlanMode, 1, 3},
        {api_.ZelQueryChannel, api_.ZelSetChannel, 165, 15},
    };
    for (const Pair& p : pairs) {
        SCOPED_TRACE(p.good);
        EXPECT_EQ(p.set(handle_, p.good), 0);
        EXPECT_EQ(query(p.query), p.good);
        EXPECT_EQ(p.set(handle_, p.bad), 1);
        EXPECT_EQ(query(p.query), p.good);
    }
}

TEST_F(Identity, ProfileInUseIsKeptWithItsLength) {
    ASSERT_EQ(api_.ZelSetProfileInUse(handle_, "Home-and-more", 4), 0);
    char name[40];
    ASSERT_EQ(api_.ZelQueryProfileInUse(handle_, name, sizeof name), 0);
    EXPECT_STREQ(name, "Home");
    EXPECT_EQ(api_.ZelSetProfileInUse(handle_, std::string(40, 'n').c_str(), 40), 1);
    EXPECT_EQ(api_.ZelSetProfileInUse(handle_, nullptr, 1), 1);
}

}  // namespace
