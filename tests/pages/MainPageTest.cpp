// The Network Status page's rules, natively on the in-memory surface, over a card behind
// the recording fake of the library whose readings each test sets.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "adapter/ZelShared.h"
#include "framework/MemoryHost.h"
#include "framework/Sheet.h"
#include "system/ProgramCodes.h"
#include "tests/pages/MainPageBench.h"
#include "tests/support/DialogTemplates.h"
#include "tests/support/ZelRecorder.h"

namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using testing::Pair;

// What the card reports; each test changes what it needs.
struct FakeCard {
    bool present = true;
    bool associated = true;
    uint32_t networkMode = NetworkInfrastructure;
    std::string ssid = "HomeNet";
    scan::Bssid bssid{0x00, 0x14, 0xBF, 0x3C, 0x11, 0x02};
    uint32_t channel = 6;
    uint32_t wlanMode = Wireless80211g;
    uint32_t wepStatus = zel::TkipEnabled;
    int32_t rssi = -60;
    int rssiResult = 0;
    uint32_t linkSpeed = 540000;
    int speedResult = 0;
    MacAddress mac{0x00, 0x1D, 0x6A, 0x70, 0x42, 0x17};
    int macResult = 0;
    int dhcp9x = 0;
    int setSsidResult = 0;
};

Profile profile(const std::string& name, const std::string& ssid,
                uint32_t networkType = NetworkInfrastructure) {
    Profile p = blankProfile();
    setFieldText(p.name, name);
    setFieldText(p.ssid, ssid);
    p.networkType = networkType;
    p.useDefaultRadio = 1;
    return p;
}

class MainPageTest : public testing::Test {
protected:
    MainPageTest() {
        zel.on.ZelOpenAdapter = [this](ZelHandle* handle) {
            *handle = card.present ? &token_ : nullptr;
            return card.present ? 0 : 1;
        };
        zel.on.ZelGetConnectStatus = [this](ZelHandle) { return card.associated ? 1 : 0; };
        zel.on.ZelQueryNetworkMode = value(&FakeCard::networkMode);
        zel.on.ZelQueryChannel = value(&FakeCard::channel);
        zel.on.ZelQueryWlanMode = value(&FakeCard::wlanMode);
        zel.on.ZelQueryWepStatus = value(&FakeCard::wepStatus);
        zel.on.ZelQueryBssid = [this](ZelHandle, uint8_t* buffer, uint32_t size) {
            std::copy_n(card.bssid.begin(), std::min<size_t>(size, 6), buffer);
            return 0;
        };
        zel.on.ZelQuerySsid = [this](ZelHandle, char* buffer, uint32_t size) {
            std::strncpy(buffer, card.ssid.c_str(), size);
            return 0;
        };
        zel.on.ZelQueryRssi = [this](ZelHandle, int32_t* rssi) {
            *rssi = card.rssi;
            return card.rssiResult;
        };
        zel.on.ZelQueryLinkSpeed = [this](ZelHandle, uint32_t* speed) {
            *speed = card.linkSpeed;
            return card.speedResult;
        };
        zel.on.ZelGetMacAddress = [this](ZelHandle, uint8_t* buffer, uint32_t size) {
            std::copy_n(card.mac.begin(), std::min<size_t>(size, 6), buffer);
            return card.macResult;
        };
        zel.on.ZelQueryDhcp9x = [this](ZelHandle) { return card.dhcp9x; };
        zel.on.ZelSetSsid = [this](ZelHandle, const char*, uint32_t, uint32_t) {
            return card.setSsidResult;
        };
        fwtest::declareTemplates(windows, fwtest::builtTemplates());
        sheet.addPage(page);
    }

    // Opens the card (when there is one) and shows the page.
    void show() {
        host.open();
        windows.createSheet(sheet, nullptr);
    }
    fw::MemorySurface& ui() { return windows.surfaceOf(page); }
    // One second passes and the page's timer fires.
    void tick(uint32_t ms = 1000) {
        platform.now += ms;
        ui().fireTimer(CMainPage::kTimer);
    }
    // The card changed and told the main window so.
    void report(uint32_t code) { host.reportEvent(page, code); }
    void giveInterface(uint32_t in, uint32_t out) {
        platform.ip.card = CardInterface{7, true, "192.168.1.20", "255.255.255.0", "192.168.1.1"};
        platform.ip.counters = OctetCounters{in, out};
    }
    std::string text(int id) { return ui().text(id); }
    std::vector<uint32_t>& transmitted() { return platform.transmit.values; }

    std::function<int32_t(ZelHandle, uint32_t*)> value(uint32_t FakeCard::*field) {
        return [this, field](ZelHandle, uint32_t* out) {
            *out = card.*field;
            return 0;
        };
    }

    FakeCard card;
    ZelRecorder zel;
    RecordingPlatform platform;
    CardHost host{zel.api(), [this] { return platform.now; }};
    fw::MemoryHost windows;
    fw::Sheet sheet{"VORNAX TX-LM70RDV Utility", fw::Sheet::Mode::Modeless};
    CMainPage page{host, platform};

private:
    int token_ = 0;
};

TEST_F(MainPageTest, ShowingThePageStartsItsTimerAndTicksAtOnce) {
    show();
    EXPECT_EQ(platform.controlsCreated, 1);
    EXPECT_TRUE(ui().isTimerRunning(CMainPage::kTimer));
    EXPECT_EQ(ui().timerPeriod(CMainPage::kTimer), 1000u);
    EXPECT_EQ(ui().pos(IDC_STATUS_SIGNAL), 36);  // -60 dBm, read at once
    EXPECT_EQ(ui().range(IDC_STATUS_SIGNAL), std::make_pair(0, 40));
    EXPECT_EQ(text(IDC_STATUS_LINK_SPEED), "54 Mbps");
    EXPECT_FALSE(ui().isVisible(IDC_STATUS_RENEW));
    EXPECT_FALSE(ui().isEnabled(IDC_STATUS_RENEW));
    EXPECT_FALSE(ui().isVisible(IDC_STATUS_PROPERTIES));
    EXPECT_EQ(text(IDC_STATUS_TX_TOP), "1 Kbps");
    EXPECT_EQ(text(IDC_STATUS_TX_MIDDLE), "500 bps");
    EXPECT_EQ(text(IDC_STATUS_RX_TOP), "1 Kbps");
    EXPECT_EQ(text(IDC_STATUS_RX_MIDDLE), "500 bps");

    page.onKillActive();
    EXPECT_FALSE(ui().isTimerRunning(CMainPage::kTimer));
}

TEST_F(MainPageTest, WithoutACardTheStatusReadsCardUnplugged) {
    card.present = false;
    host.addProfile(profile("Home", "HomeNet"));
    show();
    EXPECT_EQ(text(IDC_STATUS_TEXT), "Card Unplugged");
    EXPECT_EQ(ui().selection(IDC_STATUS_PROFILES), -1);
    EXPECT_EQ(ui().itemCount(IDC_STATUS_PROFILES), 1);
    EXPECT_EQ(ui().icon(IDC_STATUS_LINK_ICON), IDI_NO_LINK);
    EXPECT_EQ(ui().pos(IDC_STATUS_SIGNAL), 0);
    EXPECT_EQ(text(IDC_STATUS_SSID), "");
    EXPECT_EQ(text(IDC_STATUS_CHANNEL), "Channel Performance");
    // No card, nothing to apply.
    ui().pick(IDC_STATUS_PROFILES, 0);
    EXPECT_THAT(host.connects, IsEmpty());
}

TEST_F(MainPageTest, WithTheRadioOffThePageReadsNoRadioAndStandsStill) {
    show();
    host.radio = false;
    page.setRadioState(false);
    report(zel::EventRadioOff);  // not a code the page answers
    EXPECT_EQ(text(IDC_STATUS_TEXT), "Connected");
    report(zel::EventDisassociated);
    EXPECT_EQ(text(IDC_STATUS_TEXT), "No Radio");
    EXPECT_EQ(text(IDC_STATUS_BSSID), "");
    const size_t values = transmitted().size();
    tick();
    tick();
    EXPECT_EQ(transmitted().size(), values);

    host.radio = true;
    page.setRadioState(true);
    tick();
    EXPECT_EQ(transmitted().size(), values + 1);
}

TEST_F(MainPageTest, AConnectedCardShowsItsLink) {
    show();
    EXPECT_EQ(text(IDC_STATUS_TEXT), "Connected");
    EXPECT_EQ(text(IDC_STATUS_SSID), "HomeNet");
    EXPECT_EQ(text(IDC_STATUS_NETWORK_TYPE), "Infrastructure");
    EXPECT_EQ(text(IDC_STATUS_BSSID), "00 14 BF 3C 11 02");
    EXPECT_EQ(text(IDC_STATUS_SECURITY), "TKIP");
    EXPECT_EQ(text(IDC_STATUS_CHANNEL), "Channel 6 (2.437 GHz)");
    EXPECT_EQ(ui().icon(IDC_STATUS_LINK_ICON), IDI_LINK_OTHER);
    EXPECT_TRUE(ui().isEnabled(IDC_STATUS_PROPERTIES));
}

TEST_F(MainPageTest, TheLinkIconFollowsTheWirelessMode) {
    card.wlanMode = Wireless80211b;
    show();
    EXPECT_EQ(ui().icon(IDC_STATUS_LINK_ICON), IDI_LINK_80211B);
    card.channel = 36;  // 5 GHz: always 802.11a
    report(zel::EventReassociated);
    EXPECT_EQ(ui().icon(IDC_STATUS_LINK_ICON), IDI_LINK_80211A);
    EXPECT_EQ(text(IDC_STATUS_CHANNEL), "Channel 36 (5.180 GHz)");
    card.associated = false;
    card.bssid = {};
    report(zel::EventLinkLost);
    EXPECT_EQ(text(IDC_STATUS_TEXT), "No Connection");
    EXPECT_EQ(ui().icon(IDC_STATUS_LINK_ICON), IDI_NO_LINK);
}

TEST_F(MainPageTest, AnAdHocNetworkWithoutPeersIsWaiting) {
    card.associated = false;
    card.networkMode = NetworkAdHoc;
    card.ssid = "Peers";
    card.wepStatus = zel::WepDisabled;
    show();
    EXPECT_EQ(text(IDC_STATUS_TEXT), "Waiting for peer...");
    EXPECT_EQ(text(IDC_STATUS_NETWORK_TYPE), "Ad-Hoc");
    EXPECT_EQ(text(IDC_STATUS_SECURITY), "Security Off");
    // Not "Connected": the timer shows no rates.
    EXPECT_EQ(text(IDC_STATUS_TX_RATE), "Current Tx Rate:");
}

TEST_F(MainPageTest, AnAbsentKeyIsNamedAndAskedForAgainEachSecond) {
    card.wepStatus = zel::TkipKeyAbsent;
    show();
    EXPECT_EQ(text(IDC_STATUS_SECURITY), "TKIP - Key Absent");
    card.wepStatus = zel::TkipEnabled;
    tick();
    EXPECT_EQ(text(IDC_STATUS_SECURITY), "TKIP");
}

TEST_F(MainPageTest, TheSignalBarShowsTheAverageOfTheLastSamplesRoundedUp) {
    card.rssi = -50;
    show();  // the first sample
    EXPECT_EQ(ui().pos(IDC_STATUS_SIGNAL), 40);
    card.rssi = -60;
    tick();
    EXPECT_EQ(ui().pos(IDC_STATUS_SIGNAL), 40);  // 41, capped
    card.rssi = -70;
    tick();
    EXPECT_EQ(ui().pos(IDC_STATUS_SIGNAL), 36);
    // A failed reading leaves the bar alone.
    card.rssi = -90;
    card.rssiResult = 1;
    tick();
    EXPECT_EQ(ui().pos(IDC_STATUS_SIGNAL), 36);
    // Showing the page again starts the average over.
    card.rssiResult = 0;
    page.onKillActive();
    page.onSetActive();
    EXPECT_EQ(ui().pos(IDC_STATUS_SIGNAL), 6);
}

TEST_F(MainPageTest, WithTheSettingTheLinkSpeedIsTheReadingOfEachSecond) {
    host.everySecond = true;
    card.linkSpeed = 110000;
    show();
    EXPECT_EQ(text(IDC_STATUS_LINK_SPEED), "11 Mbps");
    card.linkSpeed = 55000;
    tick();
    EXPECT_EQ(text(IDC_STATUS_LINK_SPEED), "5.5 Mbps");
    // A failed reading leaves the text alone.
    card.speedResult = 1;
    card.linkSpeed = 10000;
    tick();
    EXPECT_EQ(text(IDC_STATUS_LINK_SPEED), "5.5 Mbps");
}

TEST_F(MainPageTest, OtherwiseTheLinkSpeedIsTheLargestOfTheLastFive) {
    card.linkSpeed = 110000;
    show();
    card.linkSpeed = 55000;
    for (int second = 1; second <= 4; ++second) {
        tick();
        EXPECT_EQ(text(IDC_STATUS_LINK_SPEED), "11 Mbps") << second;
    }
    tick();
    EXPECT_EQ(text(IDC_STATUS_LINK_SPEED), "5.5 Mbps");
}

TEST_F(MainPageTest, TheCardsInterfaceGivesTheIpConfiguration) {
    giveInterface(0, 0);
    show();
    EXPECT_EQ(text(IDC_STATUS_DHCP), "Enable");
    EXPECT_EQ(text(IDC_STATUS_IP_ADDRESS), "192.168.1.20");
    EXPECT_EQ(text(IDC_STATUS_SUBNET_MASK), "255.255.255.0");
    EXPECT_EQ(text(IDC_STATUS_GATEWAY), "192.168.1.1");
    ASSERT_FALSE(platform.ip.askedFor.empty());
    EXPECT_EQ(platform.ip.askedFor.back(), card.mac);

    platform.ip.card->dhcpEnabled = false;
    tick();
    EXPECT_EQ(text(IDC_STATUS_DHCP), "Disable");
    // On Windows 95, 98 and Me the library knows.
    host.windows9x = true;
    card.dhcp9x = 1;
    tick();
    EXPECT_EQ(text(IDC_STATUS_DHCP), "Enable");
}

TEST_F(MainPageTest, WithoutTheCardsInterfaceTheIpFieldsStayEmpty) {
    giveInterface(0, 0);
    show();
    platform.ip.card.reset();
    tick();
    for (int id :
         {IDC_STATUS_DHCP, IDC_STATUS_IP_ADDRESS, IDC_STATUS_SUBNET_MASK, IDC_STATUS_GATEWAY}) {
        EXPECT_EQ(text(id), "") << id;
    }
    // Without the card's address the system is not even asked.
    giveInterface(0, 0);
    card.macResult = 1;
    const size_t asked = platform.ip.askedFor.size();
    tick();
    EXPECT_EQ(platform.ip.askedFor.size(), asked);
    EXPECT_EQ(text(IDC_STATUS_IP_ADDRESS), "");
}

TEST_F(MainPageTest, TheFirstTickPrimesTheRatesAndLaterOnesShowThem) {
    giveInterface(5000, 9000);
    show();
    EXPECT_EQ(text(IDC_STATUS_TX_RATE), "Current Tx Rate: 0 bps");
    EXPECT_THAT(transmitted(), ElementsAre(1u));  // a rate of 0 is added as 1
    platform.ip.counters = OctetCounters{5000 + 250, 9000 + 125000};
    tick();
    EXPECT_EQ(text(IDC_STATUS_TX_RATE), "Current Tx Rate: 1.0 Mbps");
    EXPECT_EQ(text(IDC_STATUS_RX_RATE), "Current Rx Rate: 2.0 Kbps");
    EXPECT_THAT(transmitted(), ElementsAre(1u, 1000000u));
    EXPECT_THAT(platform.receive.values, ElementsAre(1u, 2000u));
    EXPECT_THAT(platform.transmit.ranges, ElementsAre(Pair(1, 1200000)));
    EXPECT_EQ(text(IDC_STATUS_TX_TOP), "1.2 Mbps");
    EXPECT_EQ(text(IDC_STATUS_TX_MIDDLE), "600.0 Kbps");
    EXPECT_THAT(platform.receive.ranges, ElementsAre(Pair(1, 2400)));
    EXPECT_EQ(text(IDC_STATUS_RX_TOP), "2.4 Kbps");
    EXPECT_EQ(text(IDC_STATUS_RX_MIDDLE), "1.2 Kbps");
}

TEST_F(MainPageTest, TheScaleFollowsTheLargestRateWithAFloorOf200) {
    giveInterface(0, 0);
    show();
    platform.ip.counters = OctetCounters{1, 0};
    tick(80);  // 1 byte in 80 ms: 100 bit/s
    EXPECT_THAT(platform.receive.ranges, ElementsAre(Pair(1, 200)));
    EXPECT_EQ(text(IDC_STATUS_RX_TOP), "200 bps");
    EXPECT_EQ(text(IDC_STATUS_RX_MIDDLE), "100 bps");
    platform.ip.counters = OctetCounters{11, 0};
    tick(8);  // 10 bytes in 8 ms: 10,000 bit/s
    EXPECT_THAT(platform.receive.ranges, ElementsAre(Pair(1, 200), Pair(1, 12000)));
    EXPECT_EQ(text(IDC_STATUS_RX_TOP), "12.0 Kbps");
    EXPECT_EQ(text(IDC_STATUS_RX_MIDDLE), "6.0 Kbps");
    // A smaller rate leaves the largest of the last 60 where it was.
    platform.ip.counters = OctetCounters{12, 0};
    tick(1000);
    EXPECT_EQ(platform.receive.ranges.size(), 2u);
    // Nothing sent yet: the transmit scale keeps its start.
    EXPECT_THAT(platform.transmit.ranges, IsEmpty());
    EXPECT_EQ(text(IDC_STATUS_TX_TOP), "1 Kbps");
}

TEST_F(MainPageTest, TwoTicksInOneMillisecondAddNoRate) {
    giveInterface(0, 0);
    show();
    platform.ip.counters = OctetCounters{0, 1000};
    tick();
    const std::string shown = text(IDC_STATUS_TX_RATE);
    const size_t values = transmitted().size();
    platform.ip.counters = OctetCounters{0, 90000};
    tick(0);
    EXPECT_EQ(transmitted().size(), values);
    EXPECT_EQ(text(IDC_STATUS_TX_RATE), shown);
}

TEST_F(MainPageTest, LeavingTheLinkResetsTheRates) {
    giveInterface(0, 0);
    show();
    platform.ip.counters = OctetCounters{0, 1000};
    tick();
    card.associated = false;
    card.bssid = {};
    report(zel::EventDisassociated);
    tick();
    EXPECT_EQ(text(IDC_STATUS_TX_RATE), "Current Tx Rate:");
    EXPECT_EQ(transmitted().back(), 1u);
    EXPECT_EQ(ui().pos(IDC_STATUS_SIGNAL), 0);

    // Back on the link: the first sample only primes, whatever the counters did meanwhile.
    card.associated = true;
    card.bssid = {0x00, 0x14, 0xBF, 0x3C, 0x11, 0x02};
    platform.ip.counters = OctetCounters{0, 500000};
    report(zel::EventAssociated);
    EXPECT_EQ(text(IDC_STATUS_TX_RATE), "Current Tx Rate: 0 bps");
}

TEST_F(MainPageTest, TheMainWindowsCodesBringTheDisplayUpToDate) {
    show();
    card.associated = false;
    card.bssid = {};
    // Code 5 waits while a page is busy.
    host.busyFlag = true;
    report(zel::EventMediaCheck);
    EXPECT_EQ(text(IDC_STATUS_TEXT), "Connected");
    host.busyFlag = false;
    report(zel::EventMediaCheck);
    EXPECT_EQ(text(IDC_STATUS_TEXT), "No Connection");

    card.associated = true;
    card.bssid = {1, 2, 3, 4, 5, 6};
    report(sys::kCodeAutoConfigurationPassEnded);
    EXPECT_EQ(text(IDC_STATUS_BSSID), "01 02 03 04 05 06");
}

TEST_F(MainPageTest, AStatusTextAloneEmptiesEveryOtherField) {
    giveInterface(0, 0);
    show();
    const std::string text1003 = "Scanning for CorpNet";
    page.onMainWindowEvent(sys::kCodeStatusText, reinterpret_cast<intptr_t>(text1003.c_str()));
    EXPECT_EQ(text(IDC_STATUS_TEXT), "Scanning for CorpNet");
    for (int id : {IDC_STATUS_SSID, IDC_STATUS_NETWORK_TYPE, IDC_STATUS_BSSID, IDC_STATUS_SECURITY,
                   IDC_STATUS_LINK_SPEED, IDC_STATUS_DHCP, IDC_STATUS_IP_ADDRESS,
                   IDC_STATUS_SUBNET_MASK, IDC_STATUS_GATEWAY}) {
        EXPECT_EQ(text(id), "") << id;
    }
    EXPECT_EQ(text(IDC_STATUS_CHANNEL), "Channel Performance");
    page.onMainWindowEvent(sys::kCodeStatusText, 0);
    EXPECT_EQ(text(IDC_STATUS_TEXT), "");
}

TEST_F(MainPageTest, ANoteShowsAsStatusUnlessZeroConfigurationHasTheCard) {
    show();
    const std::string note = "Auto Link";
    page.onMainWindowEvent(sys::kCodeStatusNote, reinterpret_cast<intptr_t>(note.c_str()));
    EXPECT_EQ(text(IDC_STATUS_TEXT), "Auto Link");
    EXPECT_EQ(text(IDC_STATUS_SSID), "HomeNet");
    report(zel::EventReassociated);
    host.zeroConfig = true;
    page.onMainWindowEvent(sys::kCodeStatusNote, reinterpret_cast<intptr_t>(note.c_str()));
    EXPECT_EQ(text(IDC_STATUS_TEXT), "Connected");
}

TEST_F(MainPageTest, TheListHoldsTheProfilesInListOrder) {
    Profile* home = host.addProfile(profile("Home", "HomeNet"));
    Profile* office = host.addProfile(profile("Office", "CorpNet"));
    card.associated = false;
    card.bssid = {};
    show();
    ASSERT_EQ(ui().itemCount(IDC_STATUS_PROFILES), 2);
    EXPECT_EQ(ui().itemText(IDC_STATUS_PROFILES, 0), "Home");
    EXPECT_EQ(ui().itemData(IDC_STATUS_PROFILES, 0), reinterpret_cast<intptr_t>(home));
    EXPECT_EQ(ui().itemText(IDC_STATUS_PROFILES, 1), "Office");
    EXPECT_EQ(ui().itemData(IDC_STATUS_PROFILES, 1), reinterpret_cast<intptr_t>(office));
    EXPECT_TRUE(ui().isEnabled(IDC_STATUS_PROFILES));

    // Code 1001 fills it again; with Zero Configuration at the card it stays empty.
    host.zeroConfig = true;
    page.onMainWindowEvent(sys::kCodeAdapterOpened, 0);
    EXPECT_EQ(ui().itemCount(IDC_STATUS_PROFILES), 0);
    EXPECT_FALSE(ui().isEnabled(IDC_STATUS_PROFILES));
}

TEST_F(MainPageTest, TheProfileInUseIsSelectedWhenItMatchesTheLink) {
    host.addProfile(profile("Office", "CorpNet"));
    Profile* home = host.addProfile(profile("Home", "HomeNet"));
    host.profiles().markInUse(home);  // now first
    show();
    EXPECT_EQ(ui().selection(IDC_STATUS_PROFILES), 0);
    EXPECT_THAT(host.marked, IsEmpty());
}

TEST_F(MainPageTest, OtherwiseTheFirstMatchingProfileIsSelectedAndMarkedInUse) {
    Profile* office = host.addProfile(profile("Office", "CorpNet"));
    host.addProfile(profile("Adhoc Home", "HomeNet", NetworkAdHoc));  // another network type
    Profile* home = host.addProfile(profile("Home", "HomeNet"));
    host.profiles().markInUse(office);
    show();
    EXPECT_EQ(ui().selection(IDC_STATUS_PROFILES), 2);
    EXPECT_THAT(host.marked, ElementsAre(home));
    EXPECT_EQ(host.profiles().inUse(), home);
    EXPECT_THAT(zel.callsTo("ZelSetProfileInUse"), ElementsAre(testing::HasSubstr("\"Home\"")));
}

TEST_F(MainPageTest, AProfileForAnyNetworkMatchesEveryLink) {
    host.addProfile(profile("Office", "CorpNet"));
    Profile* any = host.addProfile(profile("Anything", "ANY"));
    show();
    EXPECT_EQ(ui().selection(IDC_STATUS_PROFILES), 1);
    EXPECT_THAT(host.marked, ElementsAre(any));
    // The "<ANY SSID>" profile in use matches any link as it is.
    host.marked.clear();
    Profile* strongest = host.addProfile(profile("<Default>", std::string(kAnySsid)));
    host.profiles().markInUse(strongest);
    page.onMainWindowEvent(sys::kCodeAdapterOpened, 0);
    EXPECT_EQ(ui().itemText(IDC_STATUS_PROFILES, ui().selection(IDC_STATUS_PROFILES)), "<Default>");
    EXPECT_THAT(host.marked, IsEmpty());
}

TEST_F(MainPageTest, TheStrongestNetworksProfileMatchesOnlyWhenItIsInUse) {
    host.addProfile(profile("<Default>", std::string(kAnySsid)));
    Profile* home = host.addProfile(profile("Home", "HomeNet"));
    show();
    EXPECT_EQ(ui().selection(IDC_STATUS_PROFILES), 1);
    EXPECT_THAT(host.marked, ElementsAre(home));
}

TEST_F(MainPageTest, ChoosingAProfileAppliesItWhileThePageIsBusy) {
    card.associated = false;
    card.bssid = {};
    host.addProfile(profile("Home", "HomeNet"));
    Profile* office = host.addProfile(profile("Office", "CorpNet"));
    show();
    host.onConnect = [this] {
        // What the page shows while the card works, and whether its timer is still.
        const size_t values = transmitted().size();
        ui().fireTimer(CMainPage::kTimer);
        return text(IDC_STATUS_TEXT) + (ui().isEnabled(IDC_STATUS_PROFILES) ? " enabled" : "") +
               (transmitted().size() == values ? " paused" : "") +
               (ui().cursorOver(IDC_STATUS_PROFILES) == fw::Cursor::Wait ? " waiting" : "");
    };
    ui().pick(IDC_STATUS_PROFILES, 1);
    ASSERT_EQ(host.connects.size(), 1u);
    EXPECT_EQ(host.connects[0].profile, office);
    EXPECT_TRUE(host.connects[0].busy);
    EXPECT_EQ(host.connects[0].seen, "Scanning for CorpNet paused waiting");
    EXPECT_EQ(ui().cursorOver(IDC_STATUS_PROFILES), fw::Cursor::Arrow);
    EXPECT_FALSE(host.busyFlag);
    EXPECT_TRUE(ui().isEnabled(IDC_STATUS_PROFILES));
    EXPECT_TRUE(ui().isEnabled(IDC_STATUS_TEXT));
    EXPECT_THAT(zel.callsTo("ZelSetSsid"), ElementsAre(testing::HasSubstr("\"CorpNet\"")));
    // Accepted: the list is filled again, in its new order.
    EXPECT_EQ(ui().itemText(IDC_STATUS_PROFILES, 0), "Office");
    // The page runs again.
    const size_t values = transmitted().size();
    tick();
    EXPECT_EQ(transmitted().size(), values + 1);
}

TEST_F(MainPageTest, TheDefaultProfileScansForTheStrongestNetwork) {
    host.addProfile(profile("<Default>", std::string(kAnySsid)));
    card.associated = false;
    card.bssid = {};
    show();
    host.onConnect = [this] { return text(IDC_STATUS_TEXT); };
    ui().pick(IDC_STATUS_PROFILES, 0);
    ASSERT_EQ(host.connects.size(), 1u);
    EXPECT_EQ(host.connects[0].seen, "Scan for AP with strongest RSSI");
}

TEST_F(MainPageTest, ARefusedProfileLeavesTheListAsItWas) {
    card.associated = false;
    card.bssid = {};
    card.setSsidResult = 1;
    host.addProfile(profile("Home", "HomeNet"));
    host.addProfile(profile("Office", "CorpNet"));
    show();
    ui().pick(IDC_STATUS_PROFILES, 1);
    ASSERT_EQ(host.connects.size(), 1u);
    // The engine put "Office" first, but the list is not filled again.
    EXPECT_EQ(fieldText(host.profiles().at(0)->name), "Office");
    EXPECT_EQ(ui().itemText(IDC_STATUS_PROFILES, 0), "Home");
}

TEST_F(MainPageTest, AnEntryWhoseProfileLeftTheListIsNotApplied) {
    card.associated = false;
    card.bssid = {};
    host.addProfile(profile("Home", "HomeNet"));
    Profile* office = host.addProfile(profile("Office", "CorpNet"));
    show();
    {
        std::lock_guard<std::mutex> lock(host.profileLock());
        host.profiles().remove(office);
    }
    ui().pick(IDC_STATUS_PROFILES, 1);
    EXPECT_THAT(host.connects, IsEmpty());
    EXPECT_FALSE(host.busyFlag);
}

TEST_F(MainPageTest, WhileTheRadioIsOffApplyingLeavesThePagePaused) {
    card.associated = false;
    card.bssid = {};
    host.addProfile(profile("Home", "HomeNet"));
    show();
    host.radio = false;
    page.setRadioState(false);
    ui().pick(IDC_STATUS_PROFILES, 0);
    ASSERT_EQ(host.connects.size(), 1u);
    const size_t values = transmitted().size();
    tick();
    EXPECT_EQ(transmitted().size(), values);
}

TEST_F(MainPageTest, NothingTouchesControlsBeforeThePageWasShown) {
    host.open();
    page.onMainWindowEvent(zel::EventAssociated, 0);
    page.setRadioState(true);
    EXPECT_FALSE(page.hasWindow());
    EXPECT_EQ(platform.controlsCreated, 0);
}

}  // namespace
