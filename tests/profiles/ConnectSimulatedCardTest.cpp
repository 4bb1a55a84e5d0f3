// The connect engine and the scan list decoder against the simulated card: what the
// engine programs is what a card needs to join, and the decoder reads the card's lists.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapter/ScanList.h"
#include "adapter/ZelShared.h"
#include "profiles/ConnectEngine.h"
#include "sim/NativeCard.h"
#include "tests/profiles/ProfileFixtures.h"

namespace {

constexpr const char* kWorld = R"(
card
    present             yes
    radio               on
    association-delay   500

network
    ssid        "Guest"
    bssid       00:1D:6A:10:00:01
    channel     1
    band        g
    rssi        -70

network
    ssid        "Studio"
    bssid       00:1D:6A:20:00:05
    channel     11
    band        g
    rssi        -49
    security    wpa2-psk
    cipher      aes
    passphrase  "blue whale song"

network
    ssid        "Cafe"
    bssid       00:0F:B5:22:31:40
    channel     6
    band        b
    rssi        -67
    security    wep
    wep-auth    shared
    wep-key     2 0A1B2C3D4E transmit
)";

class SimulatedHost : public ConnectHost {
public:
    explicit SimulatedHost(const ZelApi& api) : api_(api) { api_.ZelOpenAdapter(&adapter_); }
    ~SimulatedHost() override { api_.ZelCloseAdapter(&adapter_); }
    ZelHandle adapter() const override { return adapter_; }
    bool radioOn() const override { return true; }
    ProfileList& profiles() override { return list; }
    std::mutex& profileLock() override { return lock; }
    LinkView refreshConnection(bool connected) override { return {connected, false, "", 1}; }

    ProfileList list;
    std::mutex lock;

private:
    const ZelApi& api_;
    ZelHandle adapter_ = nullptr;
};

class ConnectSimulatedCard : public testing::Test {
protected:
    bool associatedAfterDelay() {
        card.advance(1000);
        return card.api().ZelGetConnectStatus(host.adapter()) != 0;
    }
    std::string currentSsid() {
        char ssid[33] = {};
        card.api().ZelQuerySsid(host.adapter(), ssid, 32);
        return ssid;
    }

    sim::NativeCard card{kWorld};
    SimulatedHost host{card.api()};
    ConnectEngine engine{card.api(), host, [this] { return static_cast<uint32_t>(card.now()); }};
};

}  // namespace

TEST_F(ConnectSimulatedCard, JoinsAWpa2NetworkWithItsPassphrase) {
    ASSERT_NE(host.adapter(), nullptr);
    Profile studio = infra("Studio");
    studio.securityType = SecurityWpa2Psk;
    studio.encryption = EncryptionAes;
    setFieldText(studio.psk, "blue whale song");
    studio.pskLength = 15;
    EXPECT_EQ(engine.connectProfile(&studio), 0);
    EXPECT_TRUE(associatedAfterDelay());
    EXPECT_EQ(currentSsid(), "Studio");
}

TEST_F(ConnectSimulatedCard, AWrongPassphraseDoesNotJoinNotEvenTheNetworkTheCardIsOn) {
    Profile studio = infra("Studio");
    studio.securityType = SecurityWpa2Psk;
    studio.encryption = EncryptionAes;
    setFieldText(studio.psk, "blue whale song");
    ASSERT_EQ(engine.connectProfile(&studio), 0);
    ASSERT_TRUE(associatedAfterDelay());
    EXPECT_EQ(engine.connectProfile(&studio), zel::kSetSsidAlreadyAssociated);

    Profile wrong = studio;
    setFieldText(wrong.name, "Studio, mistyped");
    setFieldText(wrong.psk, "wrong");
    EXPECT_EQ(engine.connectProfile(&wrong), 0) << "the card joins again with the new keys";
    EXPECT_FALSE(associatedAfterDelay());
}

TEST_F(ConnectSimulatedCard, JoinsASharedKeyWepNetwork) {
    Profile cafe = infra("Cafe");
    cafe.securityType = SecuritySharedKey;
    cafe.encryption = EncryptionWep;
    cafe.txKeyIndex = 2;
    cafe.wepKeys[1].length = 5;
    const uint8_t key[5] = {0x0A, 0x1B, 0x2C, 0x3D, 0x4E};
    std::copy(key, key + 5, cafe.wepKeys[1].key);
    EXPECT_EQ(engine.connectProfile(&cafe), 0);
    EXPECT_TRUE(associatedAfterDelay());
    EXPECT_EQ(currentSsid(), "Cafe");
}

TEST_F(ConnectSimulatedCard, AnySsidJoinsTheOpenNetwork) {
    card.api().ZelScan(host.adapter());
    card.advance(100);
    Profile any = makeDefaultProfile();
    EXPECT_EQ(engine.connectProfile(&any), 0);
    EXPECT_TRUE(associatedAfterDelay());
    EXPECT_EQ(currentSsid(), "Guest");
}

TEST_F(ConnectSimulatedCard, TheDecoderReadsTheCardsLists) {
    card.api().ZelScan(host.adapter());
    card.advance(100);
    std::vector<uint8_t> buffer;
    ASSERT_TRUE(scan::queryScanList(card.api(), host.adapter(), buffer));
    std::vector<std::string> seen;
    for (const scan::Entry entry : scan::ScanList(buffer, scan::Layout::ScanList)) {
        seen.push_back(entry.ssid() + " " + std::to_string(entry.channel()) + " " +
                       std::to_string(entry.band()) + " " + std::to_string(entry.privacy()));
    }
    EXPECT_THAT(seen, testing::UnorderedElementsAre("Guest 1 0 0", "Studio 11 0 1", "Cafe 6 1 1"));
    const scan::Bssid studio = {0x00, 0x1D, 0x6A, 0x20, 0x00, 0x05};
    EXPECT_EQ(scan::detectSecurity(card.api(), host.adapter(), studio),
              (scan::Security{SecurityWpa2Psk, EncryptionAes}));
    const scan::Bssid cafe = {0x00, 0x0F, 0xB5, 0x22, 0x31, 0x40};
    EXPECT_EQ(scan::detectSecurity(card.api(), host.adapter(), cafe),
              (scan::Security{SecurityOpenSystem, EncryptionWep}));
}
