// The connection state block: how a refresh reads the card, the frequency and wireless
// mode of a channel, what an all-zero BSSID and an Ad-Hoc network mean, the tray state
// it shows, the WEP status asked again while a key is absent; and adding the profile
// that Auto Link set up.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "adapter/ZelShared.h"
#include "profiles/ConnectionMonitor.h"
#include "profiles/Worker.h"
#include "tests/profiles/FakeConnectHost.h"
#include "tests/profiles/ProfileFixtures.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

class RecordedTray : public TrayDisplay {
public:
    void showTrayState(TrayState state) override { states.push_back(static_cast<int>(state)); }
    std::vector<int> states;
};

// What the card answers to the queries of a refresh.
struct Card {
    uint32_t networkMode = NetworkInfrastructure;
    uint32_t authMode = zel::AuthWpa2Psk;
    uint32_t wepStatus = zel::AesEnabled;
    scan::Bssid bssid = {0x00, 0x1D, 0x6A, 0xA0, 0xB1, 0xC2};
    uint32_t channel = 6;
    uint32_t wlanMode = Wireless80211g;
    std::string ssid = "HomeNet";
};

class Monitor : public testing::Test {
protected:
    Monitor() {
        zel.name(&handle, "card");
        zel.on.ZelQueryNetworkMode = answer(&Card::networkMode);
        zel.on.ZelQueryAuthMode = answer(&Card::authMode);
        zel.on.ZelQueryWepStatus = answer(&Card::wepStatus);
        zel.on.ZelQueryChannel = answer(&Card::channel);
        zel.on.ZelQueryWlanMode = answer(&Card::wlanMode);
        zel.on.ZelQueryBssid = [this](ZelHandle, uint8_t* buffer, uint32_t size) {
            std::memcpy(buffer, card.bssid.data(), std::min<size_t>(size, card.bssid.size()));
            return 0;
        };
        zel.on.ZelQuerySsid = [this](ZelHandle, char* buffer, uint32_t size) {
            std::memcpy(buffer, card.ssid.data(), std::min<size_t>(size, card.ssid.size()));
            return 0;
        };
    }

    std::function<int32_t(ZelHandle, uint32_t*)> answer(uint32_t Card::*field) {
        return [this, field](ZelHandle, uint32_t* value) {
            *value = card.*field;
            return 0;
        };
    }

    ZelHandle adapter() { return &handle; }

    int handle = 0;
    ZelRecorder zel;
    Card card;
    RecordedTray tray;
    std::mutex lock;
    ConnectionMonitor monitor{zel.api(), lock, tray};
};

}  // namespace

TEST_F(Monitor, ARefreshReadsTheCardInOrder) {
    const LinkView link = monitor.refresh(adapter(), true);
    EXPECT_THAT(zel.calls(),
                ElementsAre("ZelQueryNetworkMode(card, ptr)", "ZelQueryAuthMode(card, ptr)",
                            "ZelQueryWepStatus(card, ptr)", "ZelQueryBssid(card, ptr, 6)",
                            "ZelQueryChannel(card, ptr)", "ZelQueryWlanMode(card, ptr)",
                            "ZelQuerySsid(card, ptr, 32)"));
    const ConnectionState state = monitor.state();
    EXPECT_TRUE(state.connected);
    EXPECT_FALSE(state.adHocActive);
    EXPECT_EQ(state.currentSsid, "HomeNet");
    EXPECT_EQ(state.currentBssid, card.bssid);
    EXPECT_EQ(state.currentNetworkMode, 1u);
    EXPECT_EQ(state.currentAuthMode, zel::AuthWpa2Psk);
    EXPECT_EQ(state.currentWepStatus, zel::AesEnabled);
    EXPECT_EQ(state.currentChannel, 6u);
    EXPECT_EQ(state.currentFrequency, 2437u);
    EXPECT_EQ(state.currentWirelessMode, Wireless80211g);
    EXPECT_TRUE(link.connected);
    EXPECT_EQ(link.ssid, "HomeNet");
    EXPECT_EQ(link.networkMode, 1u);
    EXPECT_THAT(tray.states, ElementsAre(1));

    monitor.refresh(adapter(), false);
    EXPECT_FALSE(monitor.state().connected);
    EXPECT_EQ(monitor.state().currentSsid, "HomeNet");
    EXPECT_THAT(tray.states, ElementsAre(1, 2));
}

TEST_F(Monitor, FrequencyAndWirelessModeOfTheChannel) {
    struct Case {
        uint32_t channel;
        uint32_t frequency;
        uint32_t wirelessMode;
    };
    card.wlanMode = Wireless80211b;
    for (const Case c : {Case{1, 2412, Wireless80211b}, Case{13, 2472, Wireless80211b},
                         Case{14, 2484, Wireless80211b}, Case{36, 5180, Wireless80211a},
                         Case{165, 5825, Wireless80211a}}) {
        card.channel = c.channel;
        zel.takeCalls();
        monitor.refresh(adapter(), true);
        const ConnectionState state = monitor.state();
        EXPECT_EQ(state.currentFrequency, c.frequency) << "channel " << c.channel;
        EXPECT_EQ(state.currentWirelessMode, c.wirelessMode) << "channel " << c.channel;
        // Only a 2.4 GHz channel asks the card for its wireless mode.
        EXPECT_EQ(zel.callsTo("ZelQueryWlanMode").size(), c.channel <= 14 ? 1u : 0u);
    }
}

TEST_F(Monitor, AnAllZeroBssidMeansNoConnectionWhateverTheCardSaid) {
    monitor.setRegion(7, 1, 13);
    card.bssid = {};
    const LinkView link = monitor.refresh(adapter(), true);
    EXPECT_FALSE(link.connected);
    EXPECT_TRUE(link.ssid.empty());
    const ConnectionState state = monitor.state();
    EXPECT_FALSE(state.connected);
    EXPECT_EQ(state.currentChannel, 0u);
    EXPECT_EQ(state.currentFrequency, 0u);
    EXPECT_EQ(state.currentAuthMode, 0u);
    EXPECT_EQ(state.regionCode, 7u);
    EXPECT_THAT(tray.states, ElementsAre(2));
}

TEST_F(Monitor, AnAdHocNetworkIsActiveWithAnSsid) {
    card.networkMode = NetworkAdHoc;
    EXPECT_TRUE(monitor.refresh(adapter(), false).adHocActive);
    EXPECT_THAT(tray.states, ElementsAre(2));  // no peer yet: "No Connection"

    card.ssid = "";
    EXPECT_FALSE(monitor.refresh(adapter(), false).adHocActive);

    card.ssid = "HomeNet";
    card.networkMode = NetworkInfrastructure;
    EXPECT_FALSE(monitor.refresh(adapter(), false).adHocActive);
}

TEST_F(Monitor, WithoutACardTheBlockIsClearedButKeepsTheRegion) {
    monitor.refresh(adapter(), true);
    monitor.setRegion(1, 1, 11);
    zel.takeCalls();
    const LinkView link = monitor.refresh(nullptr, true);
    EXPECT_FALSE(link.connected);
    EXPECT_THAT(zel.calls(), IsEmpty());
    const ConnectionState state = monitor.state();
    EXPECT_TRUE(state.currentSsid.empty());
    EXPECT_EQ(state.currentChannel, 0u);
    EXPECT_EQ(state.regionCode, 1u);
    EXPECT_EQ(state.firstChannel, 1u);
    EXPECT_EQ(state.lastChannel, 11u);
    EXPECT_THAT(tray.states, ElementsAre(1, 0));
}

TEST_F(Monitor, TheSsidEndsInsideItsBuffer) {
    // A library that fills the whole buffer without a terminating zero.
    zel.on.ZelQuerySsid = [](ZelHandle, char* buffer, uint32_t size) {
        std::memset(buffer, 'S', size);
        return 0;
    };
    EXPECT_EQ(monitor.refresh(adapter(), true).ssid, std::string(32, 'S'));
}

TEST_F(Monitor, TheWepStatusIsAskedAgainWhileAKeyIsAbsent) {
    struct Case {
        uint32_t absent;
        uint32_t withKey;
    };
    for (const Case c :
         {Case{zel::WepKeyAbsent, zel::WepEnabled}, Case{zel::TkipKeyAbsent, zel::TkipEnabled},
          Case{zel::AesKeyAbsent, zel::AesEnabled}}) {
        card.wepStatus = c.absent;
        monitor.refresh(adapter(), true);
        zel.takeCalls();
        // Still absent: asked at every read.
        EXPECT_EQ(monitor.currentWepStatus(adapter()), c.absent);
        EXPECT_EQ(monitor.currentWepStatus(adapter()), c.absent);
        EXPECT_EQ(zel.callsTo("ZelQueryWepStatus").size(), 2u);
        // The key came: the answer is kept, and no longer asked for.
        card.wepStatus = c.withKey;
        EXPECT_EQ(monitor.currentWepStatus(adapter()), c.withKey);
        EXPECT_EQ(monitor.currentWepStatus(adapter()), c.withKey);
        EXPECT_EQ(monitor.state().currentWepStatus, c.withKey);
        EXPECT_EQ(zel.callsTo("ZelQueryWepStatus").size(), 3u);
    }

    // Without a card, or when the card does not answer, the block's word stands.
    card.wepStatus = zel::WepKeyAbsent;
    monitor.refresh(adapter(), true);
    zel.takeCalls();
    EXPECT_EQ(monitor.currentWepStatus(nullptr), zel::WepKeyAbsent);
    EXPECT_THAT(zel.calls(), IsEmpty());
    zel.on.ZelQueryWepStatus = [](ZelHandle, uint32_t* value) {
        *value = 99;
        return 1;
    };
    EXPECT_EQ(monitor.currentWepStatus(adapter()), zel::WepKeyAbsent);
}

TEST(AutoLinkProfile, ReplacesTheSameNetworkAndGoesFirst) {
    ZelRecorder zel;
    FakeConnectHost host(zel);
    ConnectEngine engine(zel.api(), host, [] { return 0u; });
    host.list = listOf({infra("Home"), infra("Old", "LinkNet"), adHoc("Peer", "LinkNet"),
                        infra("Older", "LinkNet")});
    host.list.markInUse(host.list.at(1));

    Profile setup = infra("LinkNet");
    setup.securityType = SecurityWpaPsk;
    std::memset(setup.anonymousName, 'a', sizeof setup.anonymousName);
    Profile* added = addAutoLinkProfile(host, engine, setup, false);
    EXPECT_THAT(namesOf(host.list), ElementsAre("LinkNet", "Home", "Peer"));
    EXPECT_EQ(host.list.at(0), added);
    EXPECT_EQ(added->securityType, SecurityWpaPsk);
    EXPECT_EQ(fieldText(added->anonymousName).size(), kCredentialSize - 1);
    // The profile in use was one of those replaced; the new one is not marked.
    EXPECT_EQ(host.list.inUse(), nullptr);
    EXPECT_THAT(zel.calls(), IsEmpty());

    Profile* marked = addAutoLinkProfile(host, engine, infra("Linked", "LinkNet"), true);
    EXPECT_THAT(namesOf(host.list), ElementsAre("Linked", "Home", "Peer"));
    EXPECT_EQ(host.list.inUse(), marked);
    EXPECT_THAT(zel.calls(), ElementsAre("ZelSetProfileInUse(card, \"Linked\", 6)"));
}
