// The Site Survey page: the list and its filters, the in-use mark, the notifications,
// Refresh in busy mode, Associate with a matching or a new profile, "Configure Network",
// the connect results, and scan lists with broken records.
#include "tests/pages/SiteSurveySuite.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cstring>

#include "adapter/ZelShared.h"
#include "res/resource.h"
#include "system/ProgramCodes.h"

namespace pagestest {
namespace {

using scantest::Network;
using testing::ElementsAre;
using testing::IsEmpty;

const std::vector<uint8_t> kRates80211g = {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12,
                                           0x18, 0x24, 0x30, 0x48, 0x60, 0x6C};

// A network on `mhz` with the last BSSID byte `tag`: an 802.11b access point unless
// changed afterwards.
Network network(const std::string& ssid, uint8_t tag, uint32_t mhz = 2437, int32_t rssi = -50) {
    Network n;
    n.bssid = {0x00, 0x14, 0xBF, 0x00, 0x00, tag};
    n.ssid = ssid;
    n.frequencyKhz = mhz * 1000;
    n.rssi = rssi;
    return n;
}

Network g(Network n) {
    n.rates = kRates80211g;
    n.band = scan::Band80211g;
    return n;
}

Network adHoc(Network n) {
    n.infrastructureMode = 0;
    return n;
}

// A WPA2 network with a pre-shared key and AES, as its RSN element says.
Network wpa2Psk(Network n) {
    n.privacy = 1;
    n.elements =
        scantest::element(48, {0x01, 0x00, 0x00, 0x0F, 0xAC, 0x04, 0x01, 0x00, 0x00, 0x0F,
                               0xAC, 0x04, 0x01, 0x00, 0x00, 0x0F, 0xAC, 0x02, 0x00, 0x00});
    return n;
}

Network wep(Network n) {
    n.privacy = 1;
    return n;
}

}  // namespace

// SiteSurveySuite ------------------------------------------------------------------------

SiteSurveySuite::SiteSurveySuite() {
    mainWindow.cardApi = &card.api();
    hear({});
    card.on.ZelQueryScanList = [this](ZelHandle, uint8_t* buffer, uint32_t size) {
        if (unreadable) return 1;
        std::memcpy(buffer, scanList.data(), std::min<size_t>(size, scanList.size()));
        return 0;
    };
    card.on.ZelQueryScanListLength = [this](ZelHandle, uint8_t* buffer, uint32_t size,
                                            uint32_t* written) {
        *written = static_cast<uint32_t>(std::min<size_t>(size, fullScanList.size()));
        std::memcpy(buffer, fullScanList.data(), *written);
        return 0;
    };
    card.on.ZelQueryNetworkMode = [](ZelHandle, uint32_t* mode) {
        *mode = 7;
        return 0;
    };
}

SiteSurveySuite::~SiteSurveySuite() {
    fwtest::expectCleanEnd(*backEnd_, page_.get());
    if (page_ && page_->hasWindow()) {
        EXPECT_NE(hands().cursorOver(IDC_SS_LIST), fw::Cursor::Wait);
    }
    if (mainSheet_.hasWindow()) mainSheet_.ui().endDialog(fw::id::Cancel);
    page_.reset();
}

void SiteSurveySuite::hear(const std::vector<Network>& networks) {
    scanList = scantest::scanList(networks, scan::Layout::ScanList);
    fullScanList = scantest::scanList(networks, scan::Layout::ScanListLength);
}

CSiteSurvey& SiteSurveySuite::open() {
    page_ = std::make_unique<CSiteSurvey>(mainWindow);
    mainSheet_.addPage(*page_);
    host().createSheet(mainSheet_, nullptr);
    return *page_;
}

std::vector<std::string> SiteSurveySuite::column(int column) {
    std::vector<std::string> texts;
    for (int row = 0; row < ui().rowCount(IDC_SS_LIST); ++row) {
        texts.push_back(ui().cell(IDC_SS_LIST, row, column));
    }
    return texts;
}

std::vector<int> SiteSurveySuite::images() {
    std::vector<int> shown;
    for (int row = 0; row < ui().rowCount(IDC_SS_LIST); ++row) {
        shown.push_back(ui().rowImage(IDC_SS_LIST, row));
    }
    return shown;
}

std::vector<intptr_t> SiteSurveySuite::positions() {
    std::vector<intptr_t> data;
    for (int row = 0; row < ui().rowCount(IDC_SS_LIST); ++row) {
        data.push_back(ui().rowData(IDC_SS_LIST, row));
    }
    return data;
}

// The suite ------------------------------------------------------------------------------

TEST_P(SiteSurveySuite, TheListShowsTheScanInItsOrderWithoutRecordsItCannotShow) {
    Network tooLong = network("", 9);
    tooLong.ssid = std::string(32, 'x');
    tooLong.ssidLength = 33;
    hear({network("Guest", 1, 2412, -76), wep(g(network("Cafe", 2, 2462, -40))),
          network("Lab-5G", 3, 5180, -57), network("Far", 4, 2400),
          adHoc(network("Peers", 5, 2484)), tooLong, network("", 6, 2437, -120),
          g(network("Home", 7, 5825))});
    open();
    EXPECT_THAT(column(0),
                ElementsAre("Guest", "Cafe", "Lab-5G", "Peers", "<00-14-BF-00-00-06>", "Home"));
    EXPECT_THAT(column(1),
                ElementsAre("00-14-BF-00-00-01", "00-14-BF-00-00-02", "00-14-BF-00-00-03",
                            "00-14-BF-00-00-05", "00-14-BF-00-00-06", "00-14-BF-00-00-07"));
    EXPECT_THAT(column(2),
                ElementsAre("Disable", "Enable", "Disable", "Disable", "Disable", "Disable"));
    EXPECT_THAT(column(3), ElementsAre("1", "11", "36", "14", "6", "165"));
    EXPECT_THAT(column(4), ElementsAre("50%", "100%", "97%", "100%", "0%", "100%"));
    EXPECT_THAT(column(5), ElementsAre("Infrastructure", "Infrastructure", "Infrastructure",
                                       "Ad-Hoc", "Infrastructure", "Infrastructure"));
    // 802.11b, 802.11g, 802.11a (by its frequency), ad-hoc; each row knows its record.
    EXPECT_THAT(images(), ElementsAre(2, 4, 4, 0, 2, 4));
    EXPECT_THAT(positions(), ElementsAre(0, 1, 2, 4, 6, 7));
    EXPECT_FALSE(ui().isEnabled(IDC_SS_ASSOCIATE));
    for (int id : {IDC_SS_FILTER, IDC_SS_TEST, IDC_SS_DISASSOCIATE}) {
        EXPECT_FALSE(ui().isVisible(id) || ui().isEnabled(id)) << id;
    }
    EXPECT_FALSE(ui().isEnabled(IDC_SS_80211A));
    for (int id : {IDC_SS_PEERS, IDC_SS_80211G, IDC_SS_80211B}) EXPECT_TRUE(ui().isChecked(id));
}

TEST_P(SiteSurveySuite, AHiddenNetworkCannotBeJoined) {
    hear({network("", 1), network("Guest", 2)});
    open();
    hands().clickRow(IDC_SS_LIST, 1);
    EXPECT_TRUE(ui().isEnabled(IDC_SS_ASSOCIATE));
    hands().clickRow(IDC_SS_LIST, 0);
    EXPECT_EQ(ui().selectedRow(IDC_SS_LIST), 0);
    EXPECT_FALSE(ui().isEnabled(IDC_SS_ASSOCIATE));
    hands().doubleClickRow(IDC_SS_LIST, 0);
    EXPECT_THAT(mainWindow.connects, IsEmpty());
    EXPECT_TRUE(mainWindow.list.empty());
}

TEST_P(SiteSurveySuite, TheFiltersHideNetworksByKindAndRowsStillJoinTheirOwnRecord) {
    hear({network("B", 1), g(network("G", 2)), network("A", 3, 5745), adHoc(network("P", 4))});
    open();
    struct Case {
        int box;
        std::vector<std::string> shown;
    };
    // Each box in turn cleared, then set again.
    const Case cases[] = {
        {IDC_SS_80211B, {"G", "P"}},
        {IDC_SS_80211G, {"B", "A", "P"}},
        {IDC_SS_PEERS, {"B", "G", "A"}},
    };
    for (const Case& c : cases) {
        hands().click(c.box);
        EXPECT_FALSE(ui().isChecked(c.box));
        EXPECT_EQ(column(0), c.shown) << c.box;
        hands().click(c.box);
        EXPECT_THAT(column(0), ElementsAre("B", "G", "A", "P")) << c.box;
    }
    hands().click(IDC_SS_80211B);
    hands().doubleClickRow(IDC_SS_LIST, 1);
    ASSERT_EQ(mainWindow.connects.size(), 1u);
    EXPECT_EQ(fieldText(mainWindow.connects[0].profile->ssid), "P");
}

TEST_P(SiteSurveySuite, TheInUseMarkNeedsTheLinkOnTheSameChannel) {
    hear({g(network("Home", 1, 2437)), adHoc(network("Peers", 2, 2412)), network("Home", 3, 2437)});
    mainWindow.linkView = {true, false, "Home", NetworkInfrastructure};
    mainWindow.cardState.currentBssid = {0x00, 0x14, 0xBF, 0x00, 0x00, 0x01};
    mainWindow.cardState.currentChannel = 6;
    CSiteSurvey& survey = open();
    EXPECT_THAT(images(), ElementsAre(5, 0, 2));

    mainWindow.cardState.currentChannel = 11;
    survey.onMainWindowEvent(zel::EventReassociated, 0);
    EXPECT_THAT(images(), ElementsAre(4, 0, 2));

    mainWindow.linkView = {false, true, "Peers", NetworkAdHoc};
    mainWindow.cardState.currentBssid = {0x00, 0x14, 0xBF, 0x00, 0x00, 0x02};
    mainWindow.cardState.currentChannel = 1;
    survey.onMainWindowEvent(zel::EventAssociated, 0);
    EXPECT_THAT(images(), ElementsAre(4, 0, 2));  // the card is not `connected`
    mainWindow.linkView.connected = true;
    survey.onMainWindowEvent(zel::EventAssociated, 0);
    EXPECT_THAT(images(), ElementsAre(4, 1, 2));
}

TEST_P(SiteSurveySuite, NotificationsFillTheListByTheirCode) {
    hear({network("Guest", 1)});
    CSiteSurvey& survey = open();
    struct Case {
        uint32_t code;
        bool ssidKnown;
        bool busy;
        bool fills;
    };
    const Case cases[] = {
        {zel::EventAssociated, false, false, true},
        {zel::EventReassociated, false, false, true},
        {sys::kCodeAdapterOpened, false, true, true},
        {zel::EventDisassociated, false, false, false},
        {zel::EventDisassociated, true, false, true},
        {zel::EventLinkLost, false, false, false},
        {zel::EventLinkLost, true, false, true},
        {zel::EventMediaCheck, false, false, true},
        {zel::EventMediaCheck, false, true, false},
        {zel::EventCardRemoval, true, false, false},
        {zel::EventRadioOn, true, false, false},
        {sys::kCodeShowCurrentPage, true, false, false},
    };
    for (const Case& c : cases) {
        // The SSID the page goes by is the one of its last fill.
        mainWindow.linkView.ssid = c.ssidKnown ? "Guest" : "";
        survey.onMainWindowEvent(zel::EventAssociated, 0);
        mainWindow.busyFlag = c.busy;
        const size_t before = reads();
        survey.onMainWindowEvent(c.code, 0);
        EXPECT_EQ(reads() - before, c.fills ? 1u : 0u) << c.code << " " << c.ssidKnown;
        mainWindow.busyFlag = false;
    }
}

TEST_P(SiteSurveySuite, RefreshScansWhileThePageIsBusyThenListsTheNewScan) {
    hear({network("Guest", 1)});
    open();
    std::vector<bool> enabledWhileScanning;
    card.on.ZelScan = [&](ZelHandle) {
        for (int id : {IDC_SS_LIST, IDC_SS_REFRESH, IDC_SS_PEERS, IDC_SS_80211G, IDC_SS_80211B}) {
            enabledWhileScanning.push_back(ui().isEnabled(id));
        }
        EXPECT_TRUE(mainWindow.busyFlag);
        hear({network("Guest", 1), g(network("Studio", 2))});
        return 0;
    };
    card.takeCalls();
    hands().click(IDC_SS_REFRESH);
    EXPECT_THAT(card.takeCalls(),
                ElementsAre("ZelQueryNetworkMode(ptr, ptr)", "ZelSetNetworkMode(ptr, 7)",
                            "ZelScan(ptr)", "ZelQueryScanList(ptr, ptr, 24576)"));
    EXPECT_THAT(enabledWhileScanning, ElementsAre(false, false, false, false, false));
    EXPECT_THAT(column(0), ElementsAre("Guest", "Studio"));
    EXPECT_THAT(mainWindow.busyChanges, ElementsAre(true, false));
    EXPECT_TRUE(ui().isEnabled(IDC_SS_REFRESH));
    EXPECT_FALSE(ui().isEnabled(IDC_SS_ASSOCIATE));
    EXPECT_EQ(ui().focus(), IDC_SS_REFRESH);

    // Without a card nothing happens, and the list stays as it was.
    mainWindow.cardOpen = false;
    hands().click(IDC_SS_REFRESH);
    EXPECT_THAT(card.takeCalls(), IsEmpty());
    EXPECT_THAT(column(0), ElementsAre("Guest", "Studio"));
}

TEST_P(SiteSurveySuite, AssociateNeedsTheListToKeepTheFocusOrToGiveItToAssociate) {
    hear({network("Guest", 1)});
    open();
    hands().clickRow(IDC_SS_LIST, 0);
    hands().focus(IDC_SS_REFRESH);
    EXPECT_FALSE(ui().isEnabled(IDC_SS_ASSOCIATE));
    hands().clickRow(IDC_SS_LIST, 0);
    hands().click(IDC_SS_ASSOCIATE);
    ASSERT_EQ(mainWindow.connects.size(), 1u);
    EXPECT_TRUE(mainWindow.connects[0].busy);
    // Busy mode ends with Associate disabled and the keyboard back in the list.
    EXPECT_FALSE(ui().isEnabled(IDC_SS_ASSOCIATE));
    EXPECT_EQ(ui().focus(), IDC_SS_LIST);

    // A list filled again has no row chosen: Associate waits for the next one.
    hands().clickRow(IDC_SS_LIST, 0);
    hands().focus(IDC_SS_ASSOCIATE);
    page().onMainWindowEvent(zel::EventAssociated, 0);
    EXPECT_FALSE(ui().isEnabled(IDC_SS_ASSOCIATE));
    EXPECT_EQ(ui().focus(), IDC_SS_LIST);
    EXPECT_EQ(ui().selectedRow(IDC_SS_LIST), -1);
}

TEST_P(SiteSurveySuite, JoiningANewOpenNetworkMakesAProfileWithAUniqueName) {
    hear({g(network("Guest", 1)), adHoc(network("Peers", 2, 2462)), network("Lab", 3, 5180)});
    mainWindow.add("Guest", NetworkInfrastructure, "Other");
    open();
    hands().doubleClickRow(IDC_SS_LIST, 0);
    ASSERT_EQ(mainWindow.connects.size(), 1u);
    const Profile& guest = *mainWindow.connects[0].profile;
    EXPECT_EQ(fieldText(guest.name), "Guest2");
    EXPECT_EQ(fieldText(guest.ssid), "Guest");
    EXPECT_EQ(guest.networkType, NetworkInfrastructure);
    EXPECT_EQ(guest.wirelessMode, Wireless80211g);
    EXPECT_EQ(guest.channel, 0u);
    EXPECT_EQ(guest.encryption, EncryptionOff);
    EXPECT_EQ(guest.preferred, 1u);
    EXPECT_EQ(guest.useDefaultRadio, 1u);
    EXPECT_EQ(guest.preamble, 1u);
    EXPECT_EQ(guest.dataRate, 255u);
    EXPECT_EQ(guest.fragThreshold, 2346u);
    EXPECT_EQ(guest.rtsThreshold, 2347u);
    // Accepted: the profile heads the list and is in use.
    EXPECT_THAT(mainWindow.names(), ElementsAre("Guest2", "Guest"));
    EXPECT_EQ(mainWindow.list.inUse(), mainWindow.list.at(0));
    EXPECT_THAT(mainWindow.busyChanges, ElementsAre(true, false));

    hands().doubleClickRow(IDC_SS_LIST, 1);
    const Profile& peers = *mainWindow.connects[1].profile;
    EXPECT_EQ(peers.networkType, NetworkAdHoc);
    EXPECT_EQ(peers.channel, 11u);
    EXPECT_EQ(peers.adHocWirelessMode, Wireless80211b);  // its own band
    hands().doubleClickRow(IDC_SS_LIST, 2);
    const Profile& lab = *mainWindow.connects[2].profile;
    EXPECT_EQ(lab.wirelessMode, Wireless80211a);
    EXPECT_EQ(lab.adHocWirelessMode, Wireless80211a);
}

TEST_P(SiteSurveySuite, JoiningTwiceReusesTheProfileMadeTheFirstTime) {
    // The driver calls the 802.11g network 802.11b; the profile carries the computed band.
    Network studio = g(network("Studio", 1));
    studio.band = scan::Band80211b;
    hear({studio});
    open();
    hands().doubleClickRow(IDC_SS_LIST, 0);
    hands().doubleClickRow(IDC_SS_LIST, 0);
    ASSERT_EQ(mainWindow.connects.size(), 2u);
    EXPECT_EQ(mainWindow.connects[0].profile, mainWindow.connects[1].profile);
    EXPECT_THAT(mainWindow.names(), ElementsAre("Studio"));
}

TEST_P(SiteSurveySuite, AnOpenNetworkTurnsTheSecurityOfItsProfileOff) {
    hear({network("Cafe", 1), adHoc(network("Cafe", 2))});
    Profile* other = mainWindow.add("Peer", NetworkAdHoc, "Cafe");
    Profile* cafe = mainWindow.add("Cafe");
    setFieldText(cafe->ssid, "Cafe");
    cafe->wirelessMode = Wireless80211b;
    cafe->encryption = EncryptionWep;
    cafe->securityType = SecuritySharedKey;
    cafe->preferred = 0;
    other->encryption = EncryptionWep;
    open();
    hands().doubleClickRow(IDC_SS_LIST, 0);
    ASSERT_EQ(mainWindow.connects.size(), 1u);
    EXPECT_EQ(mainWindow.connects[0].profile, cafe);
    EXPECT_EQ(cafe->encryption, EncryptionOff);
    EXPECT_EQ(cafe->securityType, SecurityOpenSystem);
    EXPECT_EQ(cafe->preferred, 1u);
    EXPECT_EQ(other->encryption, EncryptionWep);
    EXPECT_EQ(mainWindow.list.size(), 2u);
}

TEST_P(SiteSurveySuite, ASecuredNetworkIsConfiguredFirstAndCancelLeavesEverythingAsItWas) {
    hear({wpa2Psk(g(network("Studio", 1))), wep(network("Cafe", 2))});
    Profile* cafe = mainWindow.add("Cafe", NetworkInfrastructure, "Cafe");
    cafe->encryption = EncryptionWep;
    cafe->preferred = 0;
    open();
    const std::vector<std::string> shown = column(0);

    script().expectSheet("Configure Network", [&](fw::Dialog&, fw::UserActions& sheet) {
        // A list filled again meanwhile changes nothing of the network being joined.
        hear({network("Else", 9)});
        page().onMainWindowEvent(zel::EventAssociated, 0);
        sheet.click(fw::id::Cancel);
    });
    hands().doubleClickRow(IDC_SS_LIST, 0);
    EXPECT_THAT(mainWindow.connects, IsEmpty());
    EXPECT_THAT(mainWindow.names(), ElementsAre("Cafe"));
    hear({wpa2Psk(g(network("Studio", 1))), wep(network("Cafe", 2))});
    page().onMainWindowEvent(zel::EventAssociated, 0);
    EXPECT_EQ(column(0), shown);

    // An existing profile keeps what changed before the sheet.
    script().expectSheet("Configure Network",
                         [&](fw::Dialog&, fw::UserActions& sheet) { sheet.click(fw::id::Cancel); });
    hands().doubleClickRow(IDC_SS_LIST, 1);
    EXPECT_EQ(cafe->preferred, 1u);
    EXPECT_EQ(cafe->encryption, EncryptionWep);
    EXPECT_THAT(mainWindow.connects, IsEmpty());

    // OK joins with what the network's elements said.
    script().expectSheet("Configure Network", [&](fw::Dialog&, fw::UserActions& sheet) {
        hear({network("Else", 9)});
        page().onMainWindowEvent(zel::EventAssociated, 0);
        sheet.click(fw::id::Ok);
    });
    hear({wpa2Psk(g(network("Studio", 1)))});
    page().onMainWindowEvent(zel::EventAssociated, 0);
    hands().doubleClickRow(IDC_SS_LIST, 0);
    ASSERT_EQ(mainWindow.connects.size(), 1u);
    const Profile& studio = *mainWindow.connects[0].profile;
    EXPECT_EQ(fieldText(studio.ssid), "Studio");
    EXPECT_EQ(studio.securityType, SecurityWpa2Psk);
    EXPECT_EQ(mainWindow.list.at(0), &studio);
}

TEST_P(SiteSurveySuite, ARefusedConnectKeepsANewProfileOnlyWhenTheCardIsOnItsNetwork) {
    hear({network("Guest", 1), network("Lab", 2)});
    Profile* home = mainWindow.add("Home", NetworkInfrastructure, "HomeNet");
    open();
    struct Case {
        int result;
        LinkView after;
        std::vector<std::string> names;
        std::vector<const Profile*> marked;
    };
    const Case cases[] = {
        // Not linked: no profile in use, and the new profile goes.
        {kConnectNotDone, {}, {"Home"}, {nullptr}},
        // Already on that network: kept and in use.
        {zel::kSetSsidAlreadyAssociated,
         {true, false, "Guest", NetworkInfrastructure},
         {"Guest", "Home"},
         {}},
        // On another network: the card's profile stays in use; the new one goes.
        {kConnectNotDone, {true, false, "HomeNet", NetworkInfrastructure}, {"Guest", "Home"}, {}},
        // Any other result: nothing more, and nothing kept.
        {7, {true, false, "Lab", NetworkInfrastructure}, {"Guest", "Home"}, {}},
    };
    int caseNumber = 0;
    for (const Case& c : cases) {
        mainWindow.connectAnswer = [&](const Profile*) {
            mainWindow.linkView = c.after;
            return c.result;
        };
        mainWindow.marked.clear();
        const size_t before = reads();
        hands().doubleClickRow(IDC_SS_LIST, c.result == 7 ? 1 : 0);
        EXPECT_EQ(mainWindow.names(), c.names) << caseNumber;
        if (c.names.size() == 2 && c.result == zel::kSetSsidAlreadyAssociated) {
            EXPECT_THAT(mainWindow.marked, ElementsAre(mainWindow.list.at(0)));
        } else {
            EXPECT_EQ(mainWindow.marked, c.marked) << caseNumber;
        }
        EXPECT_EQ(reads() - before, c.result == 7 ? 0u : 1u) << caseNumber;
        ++caseNumber;
    }
    // An existing profile is not marked again.
    mainWindow.connectAnswer = [](const Profile*) { return kConnectNotDone; };
    mainWindow.marked.clear();
    hands().doubleClickRow(IDC_SS_LIST, 0);
    EXPECT_THAT(mainWindow.marked, IsEmpty());
    EXPECT_EQ(mainWindow.list.at(1), home);
}

TEST_P(SiteSurveySuite, BrokenScanListsShowWhatIsSoundAndNothingElse) {
    // A record whose elements run past the end of the list, after a sound one.
    Network runaway = network("Runaway", 2);
    runaway.length = 30000;
    hear({network("Sound", 1), runaway});
    CSiteSurvey& survey = open();
    EXPECT_THAT(column(0), ElementsAre("Sound"));

    // More records announced than there are.
    scanList =
        scantest::scanList({network("One", 1)}, scan::Layout::ScanList, kScanListBufferSize, 5);
    survey.onMainWindowEvent(zel::EventAssociated, 0);
    EXPECT_THAT(column(0), ElementsAre("One"));

    // No records, or none readable: an empty list on which nothing can be joined.
    for (bool failing : {false, true}) {
        hear({});
        if (failing) {
            hear({network("Unread", 1)});
            unreadable = true;
        }
        survey.onMainWindowEvent(zel::EventAssociated, 0);
        EXPECT_THAT(column(0), IsEmpty());
        survey.associate(0);
        EXPECT_THAT(mainWindow.connects, IsEmpty());
    }
}

}  // namespace pagestest
