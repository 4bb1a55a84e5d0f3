// Statistics, link speed and registers: counters grow only while associated, the RSSI
// buckets follow the signal, and the baseband page select decides which register an
// index reaches.
#include <gtest/gtest.h>

#include "SimFixtures.h"

namespace {

const std::string kNear = R"(
network
    ssid "Near"
    bssid 00:11:22:33:00:01
    channel 6
    rssi -50
)";
const std::string kFar = R"(
network
    ssid "Far"
    bssid 00:11:22:33:00:02
    channel 1
    rssi -80
)";

class Counters : public simtest::CardTest {
protected:
    void SetUp() override { start(kNear + kFar); }

    void join(const std::string& name) {
        ASSERT_EQ(setSsid(name), 0);
        sim_->advance(500);
        ASSERT_TRUE(connected());
    }

    NDIS_802_11_STATISTICS statistics() {
        NDIS_802_11_STATISTICS s{};
        EXPECT_EQ(api_.ZelQueryStatistics(handle_, &s), 0);
        return s;
    }
    ZEL_BEACON_STATS beacons() {
        ZEL_BEACON_STATS b{};
        EXPECT_EQ(api_.ZelQueryBeaconStatistics(handle_, &b), 0);
        return b;
    }
    ZEL_RSSI_STATS buckets() {
        ZEL_RSSI_STATS r{};
        EXPECT_EQ(api_.ZelQueryRssiStat(handle_, &r), 0);
        return r;
    }
};

TEST_F(Counters, StandStillWhileNotAssociated) {
    sim_->advance(10000);
    const NDIS_802_11_STATISTICS s = statistics();
    EXPECT_EQ(s.Length, 104u);
    EXPECT_EQ(s.TransmittedFragmentCount, 0u);
    EXPECT_EQ(s.ReceivedFragmentCount, 0u);
    EXPECT_EQ(beacons().Received, 0u);
}

TEST_F(Counters, GrowWithTimeWhileAssociated) {
    join("Near");
    statistics();
    ASSERT_EQ(api_.ZelResetStatistics(handle_), 0);
    sim_->advance(10000);
    const NDIS_802_11_STATISTICS s = statistics();
    // A strong link: 40 + 4 frames a second out, 60 + 10 in, ten beacons, nothing lost.
    EXPECT_EQ(s.TransmittedFragmentCount, 400u);
    EXPECT_EQ(s.MulticastTransmittedFrameCount, 40u);
    EXPECT_EQ(s.ReceivedFragmentCount, 600u);
    EXPECT_EQ(s.MulticastReceivedFrameCount, 100u);
    EXPECT_EQ(s.RetryCount, 0u);
    EXPECT_EQ(s.FailedCount, 0u);
    EXPECT_EQ(s.FrameDuplicateCount, 5u);
    EXPECT_EQ(s.RTSSuccessCount, 0u);  // RTS is off at 2347
    EXPECT_EQ(beacons().Received, 100u);
    EXPECT_EQ(beacons().Lost, 0u);
    EXPECT_EQ(buckets().Bucket[3], 700u);  // every frame received at 100 %

    // After the link ends the counters stand still.
    ASSERT_EQ(setSsid("Nowhere"), 0);
    sim_->advance(10000);
    EXPECT_EQ(statistics().TransmittedFragmentCount, 400u);
    ASSERT_EQ(api_.ZelResetStatistics(handle_), 0);
    EXPECT_EQ(statistics().TransmittedFragmentCount, 0u);
    EXPECT_EQ(beacons().Received, 0u);
    EXPECT_EQ(buckets().Bucket[3], 0u);
}

TEST_F(Counters, AWeakLinkRetriesAndLosesBeacons) {
    ASSERT_EQ(api_.ZelSetRTSThreshold(handle_, 500), 0);
    join("Far");
    ASSERT_EQ(api_.ZelResetStatistics(handle_), 0);
    sim_->advance(10000);
    const NDIS_802_11_STATISTICS s = statistics();
    // Level 16 of 40: 24 short of a perfect signal.
    EXPECT_EQ(s.RetryCount, 120u);
    EXPECT_EQ(s.MultipleRetryCount, 30u);
    EXPECT_EQ(s.ACKFailureCount, 60u);
    EXPECT_EQ(s.FCSErrorCount, 24u);
    EXPECT_EQ(s.RTSSuccessCount, 100u);
    EXPECT_EQ(s.RTSFailureCount, 24u);
    EXPECT_EQ(beacons().Lost, 30u);
    EXPECT_EQ(beacons().Received, 70u);
    EXPECT_EQ(buckets().Bucket[2], 700u);  // 40 %
    EXPECT_EQ(buckets().Bucket[3], 0u);
}

TEST_F(Counters, LinkSpeedFollowsSignalRateAndMode) {
    uint32_t speed = 0;
    EXPECT_EQ(api_.ZelQueryLinkSpeed(handle_, &speed), 1);
    join("Near");
    EXPECT_EQ(query(api_.ZelQueryLinkSpeed), 540000u);  // 54 Mbit/s
    ASSERT_EQ(api_.ZelSetDataRate(handle_, 22), 0);
    EXPECT_EQ(query(api_.ZelQueryLinkSpeed), 110000u);  // fixed at 11 Mbit/s
    ASSERT_EQ(api_.ZelSetDataRate(handle_, 255), 0);
    ASSERT_EQ(api_.ZelSetWlanMode(handle_, 1), 0);
    EXPECT_EQ(query(api_.ZelQueryLinkSpeed), 110000u);  // 802.11b rates only
    ASSERT_EQ(api_.ZelSetWlanMode(handle_, 255), 0);
    join("Far");
    EXPECT_EQ(query(api_.ZelQueryLinkSpeed), 120000u);  // level 16: 12 Mbit/s
}

class Registers : public simtest::CardTest {
protected:
    void SetUp() override {
        start("", simtest::kCard + "    register rf 0x1b 0x44\n    register bb 0x85 0x66\n");
    }

    uint32_t read(int32_t(ZEL_CALL* operation)(ZelHandle, uint32_t, uint32_t*), uint32_t index) {
        uint32_t value = 0xDEADBEEF;
        EXPECT_EQ(operation(handle_, index, &value), 0);
        return value;
    }
};

TEST_F(Registers, RfRegistersHoldBytes) {
    EXPECT_EQ(read(api_.ZelQueryRfRegister, 0x00), 3u);  // RF chip type
    EXPECT_EQ(read(api_.ZelQueryRfRegister, 0x1B), 0x44u);
    ASSERT_EQ(api_.ZelSetRfRegister(handle_, 0x1A, 0x22), 0);
    EXPECT_EQ(read(api_.ZelQueryRfRegister, 0x1A), 0x22u);
    EXPECT_EQ(api_.ZelSetRfRegister(handle_, 0x100, 1), 1);
    EXPECT_EQ(api_.ZelSetRfRegister(handle_, 0x1A, 0x100), 1);
    uint32_t value = 0;
    EXPECT_EQ(api_.ZelQueryRfRegister(handle_, 0x100, &value), 1);
    EXPECT_EQ(api_.ZelQueryRfRegister(handle_, 0x1A, nullptr), 1);
}

TEST_F(Registers, BasebandIndexesReachTheSelectedPage) {
    // Page 0 is selected at power-on; its register 5 is not the scenario's 0x85.
    EXPECT_EQ(read(api_.ZelQueryBbRegister, 0x00), 0u);
    EXPECT_EQ(read(api_.ZelQueryBbRegister, 0x05), 0u);
    EXPECT_EQ(read(api_.ZelQueryBbRegister, 0x85), 0u);
    ASSERT_EQ(api_.ZelSetBbRegister(handle_, 0x00, 0x80), 0);
    EXPECT_EQ(read(api_.ZelQueryBbRegister, 0x00), 0x80u);
    EXPECT_EQ(read(api_.ZelQueryBbRegister, 0x85), 0x66u);
    EXPECT_EQ(read(api_.ZelQueryBbRegister, 0x05), 0x66u);  // the low seven bits address
    ASSERT_EQ(api_.ZelSetBbRegister(handle_, 0x90, 0x12), 0);
    ASSERT_EQ(api_.ZelSetBbRegister(handle_, 0x00, 0x00), 0);
    EXPECT_EQ(read(api_.ZelQueryBbRegister, 0x10), 0u);
    ASSERT_EQ(api_.ZelSetBbRegister(handle_, 0x10, 0x34), 0);
    EXPECT_EQ(read(api_.ZelQueryBbRegister, 0x10), 0x34u);
    ASSERT_EQ(api_.ZelSetBbRegister(handle_, 0x00, 0x80), 0);
    EXPECT_EQ(read(api_.ZelQueryBbRegister, 0x90), 0x12u);
    // Only 0 and 0x80 select a page.
    EXPECT_EQ(api_.ZelSetBbRegister(handle_, 0x00, 0x40), 1);
    EXPECT_EQ(read(api_.ZelQueryBbRegister, 0x00), 0x80u);
}

TEST_F(Registers, MacRegistersHoldThirtyTwoBits) {
    EXPECT_EQ(read(api_.ZelQueryMacRegister, 0x0010),
              0x016A1D00u);  // the MAC address, low bytes first
    EXPECT_EQ(read(api_.ZelQueryMacRegister, 0x0014), 0x0302u);
    EXPECT_EQ(read(api_.ZelQueryMacRegister, 0x0200), 0u);
    ASSERT_EQ(api_.ZelSetMacRegister(handle_, 0xFFFF, 0xCAFEF00D), 0);
    EXPECT_EQ(read(api_.ZelQueryMacRegister, 0xFFFF), 0xCAFEF00Du);
    EXPECT_EQ(api_.ZelSetMacRegister(handle_, 0x10000, 1), 1);
}

TEST_F(Registers, ComeBackToPowerOnValuesWithTheCard) {
    ASSERT_EQ(api_.ZelSetRfRegister(handle_, 0x1B, 0x01), 0);
    sim_->load(simtest::kCard + "    present no\n");
    sim_->load(simtest::kCard + "    register rf 0x1b 0x44\n");
    ASSERT_EQ(api_.ZelOpenAdapter(&handle_), 0);
    EXPECT_EQ(read(api_.ZelQueryRfRegister, 0x1B), 0x44u);
}

}  // namespace
