// The link over time: the events of associating, leaving, losing and regaining a network,
// the radio and its switch, removal and arrival of the card, Zero Configuration, and the
// card's own ad-hoc network.
#include <gtest/gtest.h>

#include "ScanBytes.h"
#include "SimFixtures.h"

namespace {

using Codes = std::vector<uint32_t>;

const std::string kOpen = R"(
network
    ssid "Home"
    bssid 00:11:22:33:00:01
    channel 6
    rssi -50
)";
const std::string kSecondHome = R"(
network
    ssid "Home"
    bssid 00:11:22:33:00:02
    channel 11
    rssi -70
)";
const std::string kCafe = R"(
network
    ssid "Cafe"
    bssid 00:11:22:33:00:03
    channel 1
    rssi -60
)";

class Link : public simtest::CardTest {
protected:
    // Joins `name` with security off and takes the events up to the association.
    void join(const std::string& name) {
        ASSERT_EQ(api_.ZelSetAuthMode(handle_, 0), 0);
        ASSERT_EQ(api_.ZelSetWepStatus(handle_, 1), 0);
        ASSERT_EQ(setSsid(name), 0);
        sim_->advance(500);
        ASSERT_TRUE(connected());
        sim_->takeEventCodes();
    }

    std::vector<uint8_t> bssid() {
        uint8_t b[6] = {};
        EXPECT_EQ(api_.ZelQueryBssid(handle_, b, 6), 0);
        return std::vector<uint8_t>(b, b + 6);
    }

    uint32_t radio() { return query(api_.ZelQueryRadioControl); }
};

TEST_F(Link, AssociatesAfterTheDelayAndReportsTheLink) {
    start(kOpen + kCafe);
    ASSERT_EQ(setSsid("Home"), 0);
    EXPECT_FALSE(connected());
    EXPECT_EQ(ssid(), "");
    EXPECT_EQ(bssid(), std::vector<uint8_t>(6, 0));
    sim_->advance(499);
    EXPECT_TRUE(sim_->takeEventCodes().empty());
    sim_->advance(1);
    EXPECT_EQ(sim_->takeEvents(), (std::vector<sim::PostedEvent>{{window(), 1}}));
    EXPECT_TRUE(connected());
    EXPECT_EQ(ssid(), "Home");
    EXPECT_EQ(bssid(), (std::vector<uint8_t>{0x00, 0x11, 0x22, 0x33, 0x00, 0x01}));
    EXPECT_EQ(query(api_.ZelQueryChannel), 6u);
    EXPECT_EQ(query(api_.ZelQueryWlanMode), 0u);  // the link's band: 802.11g
    int32_t rssi = 0;
    ASSERT_EQ(api_.ZelQueryRssi(handle_, &rssi), 0);
    EXPECT_EQ(rssi, -50);
}

TEST_F(Link, TheSameSsidAgainAnswersFourAndChangesNothing) {
    start(kOpen);
    join("Home");
    EXPECT_EQ(setSsid("Home"), 4);
    sim_->advance(2000);
    EXPECT_TRUE(sim_->takeEventCodes().empty());
    EXPECT_TRUE(connected());
    // In ad-hoc mode the same SSID is another network.
    ASSERT_EQ(api_.ZelSetNetworkMode(handle_, 0), 0);
    EXPECT_EQ(setSsid("Home"), 0);
    EXPECT_EQ(sim_->takeEventCodes(), Codes{0});
}

TEST_F(Link, MovingToAnotherNetworkLeavesFirst) {
    start(kOpen + kCafe);
    join("Home");
    ASSERT_EQ(setSsid("Cafe"), 0);
    EXPECT_EQ(sim_->takeEventCodes(), Codes{0});
    EXPECT_FALSE(connected());
    sim_->advance(500);
    EXPECT_EQ(sim_->takeEventCodes(), Codes{1});
    EXPECT_EQ(ssid(), "Cafe");
}

TEST_F(Link, ANetworkThatGoesIsLostAndRegained) {
    start(kOpen + kCafe);
    join("Home");
    sim_->load(simtest::kCard + kCafe);
    EXPECT_EQ(sim_->takeEventCodes(), Codes{4});
    EXPECT_FALSE(connected());
    sim_->advance(1000);
    EXPECT_TRUE(sim_->takeEventCodes().empty());
    sim_->load(simtest::kCard + kOpen + kCafe);
    sim_->advance(100);
    EXPECT_EQ(sim_->takeEventCodes(), Codes{3});
    EXPECT_TRUE(connected());
}

TEST_F(Link, RoamsToAnotherAccessPointOfTheSameSsid) {
    start(kOpen + kSecondHome);
    join("Home");
    EXPECT_EQ(bssid()[5], 0x01);  // the stronger one
    sim_->load(simtest::kCard + kSecondHome);
    EXPECT_EQ(sim_->takeEventCodes(), Codes{3});
    EXPECT_EQ(bssid()[5], 0x02);
    EXPECT_EQ(query(api_.ZelQueryChannel), 11u);
}

TEST_F(Link, ASignalBelowTheThresholdLosesTheLink) {
    start(kSecondHome);  // -70 dBm
    join("Home");
    ASSERT_EQ(api_.ZelSetSignalThreshold(handle_, 69), 0);  // below -69 dBm is too weak
    sim_->advance(100);
    EXPECT_EQ(sim_->takeEventCodes(), Codes{4});
    int32_t rssi = 0;
    EXPECT_EQ(api_.ZelQueryRssi(handle_, &rssi), 1);
    ASSERT_EQ(api_.ZelSetSignalThreshold(handle_, 90), 0);
    sim_->advance(100);
    EXPECT_EQ(sim_->takeEventCodes(), Codes{3});
}

TEST_F(Link, DriftMovesTheSignalAndCanBreakTheLink) {
    start(R"(
network
    ssid "Edge"
    bssid 00:11:22:33:00:09
    channel 3
    rssi -85
    drift 10 4000
)");
    join("Edge");
    const auto rssiNow = [this] {
        int32_t rssi = 0;
        EXPECT_EQ(api_.ZelQueryRssi(handle_, &rssi), 0);
        return rssi;
    };
    // A triangle wave of 4 s that starts at the base value: +5 dBm after 0.5 s, the top
    // (+10) after 1 s, the bottom (-10, below -90 dBm) after 3 s.
    EXPECT_EQ(rssiNow(), -80);
    sim_->advance(500);
    EXPECT_EQ(rssiNow(), -75);
    sim_->advance(1000);
    EXPECT_EQ(rssiNow(), -85);
    EXPECT_TRUE(sim_->takeEventCodes().empty());
    sim_->advance(1000);
    EXPECT_EQ(sim_->takeEventCodes(), (Codes{4}));
    sim_->advance(1000);
    EXPECT_EQ(sim_->takeEventCodes(), (Codes{3}));
    EXPECT_EQ(rssiNow(), -85);
}

TEST_F(Link, TheRadioOffEndsTheLinkUntilItIsOnAgain) {
    start(kOpen);
    join("Home");
    EXPECT_EQ(radio(), 1u);
    ASSERT_EQ(api_.ZelSetRadioControl(handle_, 0), 0);
    EXPECT_EQ(sim_->takeEventCodes(), Codes{0});
    EXPECT_EQ(radio(), 0u);
    EXPECT_EQ(setSsid("Home"), 1);
    EXPECT_EQ(api_.ZelSetRadioControl(handle_, 2), 1);
    ASSERT_EQ(api_.ZelSetRadioControl(handle_, 1), 0);
    sim_->advance(100);
    EXPECT_EQ(sim_->takeEventCodes(), Codes{3});
}

TEST_F(Link, TheRadioSwitchPostsItsEvents) {
    start(kOpen);
    join("Home");
    sim_->load(simtest::kCard + "    radio off\n" + kOpen);
    EXPECT_EQ(sim_->takeEventCodes(), (Codes{0, 9}));
    EXPECT_EQ(radio(), 0u);
    EXPECT_EQ(setSsid("Home"), 1);
    // Back on, the card finds its network again at once.
    sim_->load(simtest::kCard + "    radio on\n" + kOpen);
    EXPECT_EQ(sim_->takeEventCodes(), (Codes{8, 3}));
    EXPECT_EQ(radio(), 1u);
    EXPECT_TRUE(connected());
    // A card without a switch reports 2.
    sim_->load(simtest::kCard + "    radio none\n" + kOpen);
    EXPECT_EQ(radio(), 2u);
    EXPECT_TRUE(sim_->takeEventCodes().empty());
}

TEST_F(Link, RemovalAndArrival) {
    start(kOpen, simtest::kCard + "    hardware-id PCI\\VEN_1D6A&DEV_7001\n    devnode 0x1F\n");
    join("Home");
    ASSERT_EQ(api_.ZelSetFragThreshold(handle_, 1000), 0);
    sim_->load(simtest::kCard + "    present no\n" + kOpen);
    EXPECT_EQ(sim_->takeEventCodes(), Codes{2});
    const std::vector<sim::DeviceChange> removal = sim_->takeDeviceChanges();
    ASSERT_EQ(removal.size(), 1u);
    EXPECT_FALSE(removal[0].arrival);
    EXPECT_EQ(removal[0].hardwareId, "PCI\\VEN_1D6A&DEV_7001");
    EXPECT_EQ(removal[0].devnode, 0x1Fu);
    EXPECT_EQ(api_.ZelGetConnectStatus(handle_), 0);
    uint32_t value = 0;
    EXPECT_EQ(api_.ZelQueryRegionCode(handle_, &value), 1);
    ZelHandle again = nullptr;
    EXPECT_EQ(api_.ZelOpenAdapter(&again), 1);

    sim_->load(simtest::kCard + kOpen);
    EXPECT_TRUE(sim_->takeEventCodes().empty());
    const std::vector<sim::DeviceChange> arrival = sim_->takeDeviceChanges();
    ASSERT_EQ(arrival.size(), 1u);
    EXPECT_TRUE(arrival[0].arrival);
    // The old handle stays dead; a new one reaches a card with its power-on values.
    EXPECT_EQ(api_.ZelQueryRegionCode(handle_, &value), 1);
    ASSERT_EQ(api_.ZelOpenAdapter(&handle_), 0);
    EXPECT_EQ(query(api_.ZelQueryFragThreshold), 2346u);
    EXPECT_FALSE(connected());
}

TEST_F(Link, ZeroConfigurationHoldsTheCardUntilItsFlagIsCleared) {
    start(kOpen, simtest::kCard + "    zero-config on\n    instance-id \"{ABC}\"\n");
    uint32_t status = 7;
    ASSERT_EQ(api_.ZelQueryWZCStatusCheck(&status), 0);
    EXPECT_EQ(status, 1u);

    // The program finds the card's interface through the driver's registry key.
    char path[400] = {};
    ASSERT_EQ(api_.ZelQueryRegistryPath(handle_, path, sizeof path), 0);
    char instance[100] = {};
    ASSERT_EQ(api_.ZelQueryRegistry(path, "NetCfgInstanceId", instance, sizeof instance), 0);
    EXPECT_STREQ(instance, "{ABC}");
    const std::string key =
        std::string("SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\") + instance;
    const std::optional<uint32_t> flags = sim_->registry().readNumber(key, "ControlFlags");
    ASSERT_TRUE(flags.has_value());
    EXPECT_EQ(*flags & 0x8000, 0x8000u);

    ASSERT_EQ(api_.ZelSetRegistry(key.c_str(), "ControlFlags", *flags & ~0x8000u), 0);
    ASSERT_EQ(api_.ZelQueryWZCStatusCheck(&status), 0);
    EXPECT_EQ(status, 0u);
    // Reloading an unchanged scenario leaves it so; turning it on again there takes the card.
    sim_->load(simtest::kCard + "    zero-config on\n    instance-id \"{ABC}\"\n" + kOpen);
    ASSERT_EQ(api_.ZelQueryWZCStatusCheck(&status), 0);
    EXPECT_EQ(status, 0u);
    sim_->load(simtest::kCard + "    instance-id \"{ABC}\"\n" + kOpen);
    sim_->load(simtest::kCard + "    zero-config on\n    instance-id \"{ABC}\"\n" + kOpen);
    ASSERT_EQ(api_.ZelQueryWZCStatusCheck(&status), 0);
    EXPECT_EQ(status, 1u);
    EXPECT_EQ(api_.ZelQueryWZCStatusCheck(nullptr), 1);
}

TEST_F(Link, MonitorModeLeavesTheConnectionToTheSystem) {
    start(kOpen);
    ASSERT_EQ(api_.ZelSetGUIMonitorMode(handle_, 1), 0);
    EXPECT_EQ(setSsid("Home"), 1);
    ASSERT_EQ(api_.ZelSetGUIMonitorMode(handle_, 0), 0);
    EXPECT_EQ(setSsid("Home"), 0);
    EXPECT_EQ(api_.ZelSetGUIMonitorMode(handle_, 2), 1);
}

TEST_F(Link, AnAdHocSsidNobodyHasStartsTheCardsOwnNetwork) {
    start(kCafe);
    ASSERT_EQ(api_.ZelSetNetworkMode(handle_, 0), 0);
    ASSERT_EQ(api_.ZelSetChannel(handle_, 0), 0);
    ASSERT_EQ(setSsid("Party"), 0);
    sim_->advance(500);
    EXPECT_EQ(sim_->takeEventCodes(), Codes{5});
    EXPECT_FALSE(connected());
    EXPECT_EQ(ssid(), "Party");
    EXPECT_EQ(query(api_.ZelQueryNetworkMode), 0u);
    EXPECT_EQ(query(api_.ZelQueryChannel),
              1u);  // the card's choice: the first channel of its range
    const std::vector<uint8_t> own = bssid();
    EXPECT_EQ(own[0] & 0x03, 0x02);  // locally administered, individual
    EXPECT_NE(own, std::vector<uint8_t>(6, 0));

    // A peer with that network comes into range: the card joins it.
    sim_->load(simtest::kCard + kCafe +
               "network\n ssid \"Party\"\n bssid 02:00:00:00:00:07\n channel 1\n mode ad-hoc\n");
    sim_->advance(100);
    EXPECT_EQ(sim_->takeEventCodes(), Codes{1});
    EXPECT_TRUE(connected());
}

TEST_F(Link, WepStatusTellsWhenItsKeyIsAbsent) {
    start(
        "network\n ssid \"T\"\n bssid 00:11:22:33:00:0C\n channel 2\n security wpa-psk\n "
        "passphrase \"12345678\"\n");
    ASSERT_EQ(api_.ZelSetWepStatus(handle_, 4), 0);
    EXPECT_EQ(query(api_.ZelQueryWepStatus), 5u);
    ASSERT_EQ(api_.ZelSetAuthMode(handle_, 4), 0);
    char psk[128] = "12345678";
    ASSERT_EQ(api_.ZelSetWPAInformation(handle_, 1, 2, 2, psk, "T"), 0);
    ASSERT_EQ(setSsid("T"), 0);
    sim_->advance(500);
    EXPECT_EQ(query(api_.ZelQueryWepStatus), 4u);
    ASSERT_EQ(api_.ZelSetWepStatus(handle_, 0), 0);
    ASSERT_EQ(api_.ZelWPAPortDown(handle_), 0);  // a WPA link ends with its port
    EXPECT_EQ(sim_->takeEventCodes(), (Codes{1, 0}));
    EXPECT_EQ(query(api_.ZelQueryWepStatus), 2u);
    const uint8_t key[5] = {1, 2, 3, 4, 5};
    ASSERT_EQ(api_.ZelSetWepKey(handle_, 1, key, 5, 1), 0);
    EXPECT_EQ(query(api_.ZelQueryWepStatus), 0u);
}

TEST_F(Link, APreferredBssidChoosesTheAccessPoint) {
    start(kOpen + kSecondHome);
    const uint8_t weaker[6] = {0x00, 0x11, 0x22, 0x33, 0x00, 0x02};
    ASSERT_EQ(api_.ZelSetBssid(handle_, weaker, 6), 0);
    join("Home");
    EXPECT_EQ(bssid()[5], 0x02);
    const uint8_t any[6] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    ASSERT_EQ(api_.ZelSetBssid(handle_, any, 6), 0);
    const uint8_t group[6] = {0x01, 0, 0, 0, 0, 1};
    EXPECT_EQ(api_.ZelSetBssid(handle_, group, 6), 1);
}

TEST_F(Link, RadarClosesTheChannelForHalfAnHour) {
    start("network\n ssid \"Dfs\"\n bssid 00:11:22:33:00:34\n channel 52\n");
    join("Dfs");
    ASSERT_EQ(api_.ZelRadarDetected(handle_), 0);
    EXPECT_EQ(sim_->takeEventCodes(), Codes{4});
    ASSERT_EQ(api_.ZelScan(handle_), 0);
    EXPECT_EQ(simtest::le32(scanList(false).data()), 0u);
    sim_->advance(30 * 60 * 1000);
    EXPECT_EQ(sim_->takeEventCodes(), Codes{3});
    // Radar on a channel without that rule changes nothing.
    start(kOpen);
    join("Home");
    ASSERT_EQ(api_.ZelRadarDetected(handle_), 0);
    EXPECT_TRUE(connected());
}

}  // namespace
