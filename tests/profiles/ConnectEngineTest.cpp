#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "adapter/ScanList.h"
#include "profiles/ConnectEngine.h"
#include "tests/adapter/ScanListBuilder.h"
#include "tests/profiles/FakeConnectHost.h"
#include "tests/profiles/ProfileFixtures.h"

using testing::ElementsAre;
using testing::ElementsAreArray;
using testing::IsEmpty;

namespace {

class ConnectEngineTest : public testing::Test {
protected:
    // The calls from the first one of `operation` up to, but not including, the first
    // one of `until`.
    std::vector<std::string> callsBetween(const std::string& operation, const std::string& until) {
        const auto all = zel.calls();
        std::vector<std::string> part;
        bool inside = false;
        for (const auto& call : all) {
            if (call.rfind(operation + "(", 0) == 0) inside = true;
            if (call.rfind(until + "(", 0) == 0 && inside) break;
            if (inside) part.push_back(call);
        }
        return part;
    }

    // Serves `networks` as the card's scan list.
    void scanListHolds(const std::vector<scantest::Network>& networks) {
        scan = scantest::scanList(networks, ::scan::Layout::ScanList);
        zel.on.ZelQueryScanList = [this](ZelHandle, uint8_t* buffer, uint32_t size) {
            std::copy(scan.begin(), scan.begin() + size, buffer);
            return 0;
        };
    }

    ZelRecorder zel;
    FakeConnectHost host{zel};
    uint32_t now = 1000;
    ConnectEngine engine{zel.api(), host, [this] { return now; }};
    std::vector<uint8_t> scan;
};

Profile wpa2Home() {
    Profile p = infra("Home", "HomeNet");
    p.securityType = SecurityWpa2Psk;
    p.encryption = EncryptionAes;
    setFieldText(p.psk, "passphrase");
    p.pskLength = 10;
    p.useDefaultRadio = 0;
    p.powerMode = 1;
    p.preamble = 2;
    p.dataRate = 108;
    p.fragThreshold = 2000;
    p.rtsThreshold = 1000;
    return p;
}

Profile wepPeer() {
    Profile p = adHoc("Peer", "PeerNet");
    p.securityType = SecurityOpenSystem;
    p.encryption = EncryptionWep;
    p.txKeyIndex = 2;
    p.wepKeys[0].length = 5;
    p.wepKeys[1].length = 13;
    p.wepKeys[3].length = 40;  // longer than the key field
    for (uint8_t i = 0; i < 13; ++i) p.wepKeys[1].key[i] = static_cast<uint8_t>(0x10 + i);
    return p;
}

scantest::Network openNetwork(const std::string& ssid, int32_t rssi, uint32_t band) {
    scantest::Network n;
    n.ssid = ssid;
    n.rssi = rssi;
    n.band = band;
    return n;
}

}  // namespace

TEST_F(ConnectEngineTest, InfrastructureProfileCallSequence) {
    ZEL_SSID_SCAN request{};
    zel.on.ZelSsidScan = [&](ZelHandle, const ZEL_SSID_SCAN* r, uint32_t) {
        request = *r;
        return 5;  // ignored
    };
    Profile* home = host.list.append(std::make_unique<Profile>(wpa2Home()));
    EXPECT_EQ(engine.connectProfile(home), 0);
    EXPECT_THAT(zel.calls(),
                ElementsAre("ZelSsidScan(card, ptr, 1)", "ZelSetProfileInUse(card, \"Home\", 4)",
                            "ZelSetAuthMode(card, 7)", "ZelSetFswCCXNetworkEap(card, 0)",
                            "ZelSetWPAInformation(card, 1, 9, 3, \"passphrase\", \"HomeNet\")",
                            "ZelSetWepStatus(card, 6)", "ZelSetNetworkMode(card, 1)",
                            "ZelSetWlanMode(card, 255)", "ZelSetSsid(card, \"HomeNet\", 7, 0)",
                            "ZelSetPowerMode(card, 1)", "ZelSetPreamble(card, 2)",
                            "ZelSetDataRate(card, 108)", "ZelSetFragThreshold(card, 2000)",
                            "ZelSetRTSThreshold(card, 1000)"));
    const ZEL_SSID_SCAN expected = scan::makeSsidScan("HomeNet");
    EXPECT_EQ(std::memcmp(&request, &expected, sizeof request), 0);
    EXPECT_TRUE(host.refreshes.empty());
}

TEST_F(ConnectEngineTest, AdHocProfileWithWepKeys) {
    std::vector<std::vector<uint8_t>> keys;
    zel.on.ZelSetWepKey = [&](ZelHandle, uint32_t, const uint8_t* key, uint32_t length, uint32_t) {
        keys.emplace_back(key, key + length);
        return 0;
    };
    Profile* peer = host.list.append(std::make_unique<Profile>(wepPeer()));
    EXPECT_EQ(engine.connectProfile(peer), 0);
    EXPECT_THAT(zel.calls(),
                ElementsAre("ZelSsidScan(card, ptr, 0)", "ZelSetProfileInUse(card, \"Peer\", 4)",
                            "ZelSetAuthMode(card, 0)", "ZelSetFswCCXNetworkEap(card, 0)",
                            "ZelSetWPAInformation(card, 0, 0, 1, \"\", \"PeerNet\")",
                            "ZelSetWepStatus(card, 0)", "ZelSetWepKey(card, 1, ptr, 5, 0)",
                            "ZelSetWepKey(card, 2, ptr, 13, 1)", "ZelSetWepKey(card, 3, ptr, 0, 0)",
                            "ZelSetWepKey(card, 4, ptr, 0, 0)", "ZelSetWepKey(card, 2, ptr, 13, 1)",
                            "ZelSetNetworkMode(card, 0)", "ZelSetAdHocWlanMode(card, 1)",
                            "ZelSetChannel(card, 0)", "ZelSetSsid(card, \"PeerNet\", 7, 0)",
                            "ZelSetPowerMode(card, 0)"));
    ASSERT_EQ(keys.size(), 5u);
    EXPECT_EQ(keys[1], std::vector<uint8_t>(peer->wepKeys[1].key, peer->wepKeys[1].key + 13));
    EXPECT_EQ(keys[4], keys[1]);
}

TEST_F(ConnectEngineTest, AdHocRadioAndChannel) {
    Profile p = adHoc("Peer", "PeerNet");
    p.channel = 11;
    p.adHocWirelessMode = Wireless80211g;
    p.useDefaultRadio = 0;
    p.powerMode = 1;
    p.preamble = 3;
    p.dataRate = 22;
    p.fragThreshold = 256;
    p.rtsThreshold = 0;
    EXPECT_EQ(engine.connectProfile(&p), 0);
    EXPECT_THAT(callsBetween("ZelSetNetworkMode", "ZelNone"),
                ElementsAre("ZelSetNetworkMode(card, 0)", "ZelSetAdHocWlanMode(card, 0)",
                            "ZelSetChannel(card, 11)", "ZelSetSsid(card, \"PeerNet\", 7, 0)",
                            "ZelSetPowerMode(card, 0)", "ZelSetPowerMode(card, 1)",
                            "ZelSetPreamble(card, 3)", "ZelSetDataRate(card, 22)",
                            "ZelSetFragThreshold(card, 256)", "ZelSetRTSThreshold(card, 0)"));
}

TEST_F(ConnectEngineTest, AdHocAuthenticationIsMappedLikeInfrastructure) {
    const std::pair<uint32_t, std::string> cases[] = {
        {SecurityOpenSystem, "ZelSetAuthMode(card, 0)"},
        {SecuritySharedKey, "ZelSetAuthMode(card, 1)"},
        {SecurityAutoSwitch, "ZelSetAuthMode(card, 2)"},
    };
    for (const auto& [securityType, mode] : cases) {
        Profile p = adHoc("Peer");
        p.securityType = securityType;
        engine.connectProfile(&p);
        EXPECT_THAT(callsBetween("ZelSetAuthMode", "ZelSetWPAInformation"),
                    ElementsAre(mode, "ZelSetFswCCXNetworkEap(card, 0)"));
        zel.takeCalls();
    }
}

struct SecurityCase {
    uint32_t securityType;
    uint32_t encryption;
    uint32_t authMode;
    uint32_t ccx;
    const char* identity;  // the identity call, or null
};

const char* const kLeap = "ZelWPACreateIdentityLEAP(\"login\", \"domain\", \"password\")";
const char* const kTls = "ZelWPACreateIdentityTLS(\"login\", ptr)";
const char* const kPeap = "ZelWPACreateIdentityPEAP(\"login\", \"domain\", \"password\")";
const char* const kTtls = "ZelWPACreateIdentityTtls(\"login\", \"domain\", \"password\", \"anon\")";

const SecurityCase kSecurityCases[] = {
    {SecurityOpenSystem, EncryptionOff, 0, 0, nullptr},
    {SecuritySharedKey, EncryptionWep, 1, 0, nullptr},
    {SecurityWpaPsk, EncryptionTkip, 4, 0, nullptr},
    {SecurityWpaLeap, EncryptionTkip, 3, 0, kLeap},
    {SecurityWpaLeap, EncryptionAes, 6, 0, kLeap},
    {SecurityWpaLeap, EncryptionWep, 0, 0, kLeap},
    {SecurityAutoSwitch, EncryptionWep, 2, 0, nullptr},
    {SecurityWpaTls, EncryptionWep, 0, 0, kTls},
    {SecurityWpaTls, EncryptionTkip, 3, 0, kTls},
    {SecurityWpaPeap, EncryptionAes, 3, 0, kPeap},
    {SecurityWpaPeap, EncryptionWep, 0, 0, kPeap},
    {SecurityWpaTtls, EncryptionTkip, 3, 0, kTtls},
    {SecurityCcxLeap, EncryptionWep, 0, 1, kLeap},
    {SecurityWpa2Psk, EncryptionAes, 7, 0, nullptr},
    {SecurityWpa2Tls, EncryptionAes, 6, 0, kTls},
    {SecurityWpa2Tls, EncryptionWep, 0, 0, kTls},
    {SecurityWpa2Peap, EncryptionAes, 6, 0, kPeap},
    {SecurityWpa2Ttls, EncryptionTkip, 6, 0, kTtls},
    {SecurityCcxPeap, EncryptionOff, 0, 1, kPeap},
    {SecurityWpa2Leap, EncryptionTkip, 3, 0, kLeap},
    {SecurityWpa2Leap, EncryptionAes, 6, 0, kLeap},
    {Security8021xTls, EncryptionOff, 3, 0, kTls},
    {Security8021xTls, EncryptionWep, 0, 0, kTls},
    {Security8021xPeap, EncryptionTkip, 3, 0, kPeap},
    {Security8021xTtls, EncryptionAes, 3, 0, kTtls},
    {18, EncryptionAes, 0, 0, nullptr},
    {SecurityGroupWpa, EncryptionTkip, 0, 0, nullptr},
};

TEST_F(ConnectEngineTest, AuthenticationOfEverySecurityType) {
    for (const SecurityCase& c : kSecurityCases) {
        Profile p = infra("Corp");
        p.securityType = c.securityType;
        p.encryption = c.encryption;
        setFieldText(p.loginName, "login");
        setFieldText(p.domain, "domain");
        setFieldText(p.password, "password");
        setFieldText(p.anonymousName, "anon");
        engine.connectProfile(&p);
        std::vector<std::string> expected = {
            "ZelSetAuthMode(card, " + std::to_string(c.authMode) + ")",
            "ZelSetFswCCXNetworkEap(card, " + std::to_string(c.ccx) + ")"};
        if (c.identity != nullptr) expected.push_back(c.identity);
        EXPECT_THAT(callsBetween("ZelSetAuthMode", "ZelSetWPAInformation"),
                    ElementsAreArray(expected))
            << "securityType " << c.securityType << ", encryption " << c.encryption;
        zel.takeCalls();
    }
}

TEST_F(ConnectEngineTest, TheTlsIdentityCarriesTheCertificateHash) {
    Profile p = infra("Corp");
    p.securityType = SecurityWpa2Tls;
    p.encryption = EncryptionAes;
    for (uint8_t i = 0; i < 20; ++i) p.certHash[i] = static_cast<uint8_t>(i * 7);
    std::vector<uint8_t> hash;
    zel.on.ZelWPACreateIdentityTLS = [&](const char*, const uint8_t* h) {
        hash.assign(h, h + 20);
        return 0;
    };
    engine.connectProfile(&p);
    EXPECT_EQ(hash, std::vector<uint8_t>(p.certHash, p.certHash + 20));
}

TEST_F(ConnectEngineTest, WepStatusOfEveryEncryption) {
    const std::pair<uint32_t, std::vector<std::string>> cases[] = {
        {EncryptionOff, {"ZelSetWepStatus(card, 1)"}},
        {EncryptionTkip, {"ZelSetWepStatus(card, 4)"}},
        {EncryptionAes, {"ZelSetWepStatus(card, 6)"}},
        {7, {}},
    };
    for (const auto& [encryption, expected] : cases) {
        Profile p = infra("Net");
        p.securityType = SecurityWpaPsk;
        p.encryption = encryption;
        engine.connectProfile(&p);
        auto part = callsBetween("ZelSetWPAInformation", "ZelSetNetworkMode");
        part.erase(part.begin());
        EXPECT_EQ(part, expected) << "encryption " << encryption;
        zel.takeCalls();
    }
}

TEST_F(ConnectEngineTest, WepKeysOnlyForOpenSharedAndAutoSwitch) {
    for (const uint32_t securityType : {SecurityOpenSystem, SecuritySharedKey, SecurityAutoSwitch,
                                        SecurityWpaPeap, SecurityCcxLeap}) {
        Profile p = infra("Net");
        p.securityType = securityType;
        p.encryption = EncryptionWep;
        p.txKeyIndex = 4;
        engine.connectProfile(&p);
        const auto keys = zel.callsTo("ZelSetWepKey");
        if (securityType == SecurityOpenSystem || securityType == SecuritySharedKey ||
            securityType == SecurityAutoSwitch) {
            EXPECT_THAT(
                keys,
                ElementsAre("ZelSetWepKey(card, 1, ptr, 0, 0)", "ZelSetWepKey(card, 2, ptr, 0, 0)",
                            "ZelSetWepKey(card, 3, ptr, 0, 0)", "ZelSetWepKey(card, 4, ptr, 0, 1)",
                            "ZelSetWepKey(card, 4, ptr, 0, 1)"));
        } else {
            EXPECT_THAT(keys, IsEmpty()) << "securityType " << securityType;
        }
        zel.takeCalls();
    }
}

TEST_F(ConnectEngineTest, NoTransmitKeyMeansNoExtraSlot) {
    for (const uint32_t txKeyIndex : {0u, 5u, 0xFFFFFFFFu}) {
        Profile p = infra("Net");
        p.encryption = EncryptionWep;
        p.txKeyIndex = txKeyIndex;
        engine.connectProfile(&p);
        EXPECT_THAT(
            zel.callsTo("ZelSetWepKey"),
            ElementsAre("ZelSetWepKey(card, 1, ptr, 0, 0)", "ZelSetWepKey(card, 2, ptr, 0, 0)",
                        "ZelSetWepKey(card, 3, ptr, 0, 0)", "ZelSetWepKey(card, 4, ptr, 0, 0)"));
        zel.takeCalls();
    }
}

TEST_F(ConnectEngineTest, TextsHandedToTheLibraryAreTerminated) {
    Profile p = infra("Net");
    std::memset(p.ssid, 's', sizeof p.ssid);
    std::memset(p.psk, 'p', sizeof p.psk);
    p.hiddenSsid = 1;
    engine.connectProfile(&p);
    const std::string ssid(32, 's');
    EXPECT_THAT(zel.callsTo("ZelSetWPAInformation"),
                ElementsAre("ZelSetWPAInformation(card, 1, 0, 0, \"" + std::string(127, 'p') +
                            "\", \"" + ssid + "\")"));
    EXPECT_THAT(zel.callsTo("ZelSetSsid"),
                ElementsAre("ZelSetSsid(card, \"" + ssid + "\", 32, 1)"));
}

TEST_F(ConnectEngineTest, ARefusedSsidRefreshesTheConnectionState) {
    zel.on.ZelSetSsid = [](ZelHandle, const char*, uint32_t, uint32_t) { return 7; };
    Profile p = wpa2Home();
    EXPECT_EQ(engine.connectProfile(&p), 7);
    EXPECT_THAT(callsBetween("ZelSetSsid", "ZelNone"),
                ElementsAre("ZelSetSsid(card, \"HomeNet\", 7, 0)", "ZelGetConnectStatus(card)"));
    EXPECT_THAT(host.refreshes, ElementsAre(false));
}

TEST_F(ConnectEngineTest, ARefusedSsidStillTunesTheRadioWhenTheCardIsLinked) {
    zel.on.ZelSetSsid = [](ZelHandle, const char*, uint32_t, uint32_t) { return 4; };
    zel.on.ZelGetConnectStatus = [](ZelHandle) { return 1; };
    host.linkAfterRefresh.connected = true;
    Profile p = wpa2Home();
    EXPECT_EQ(engine.connectProfile(&p), 4);
    EXPECT_EQ(zel.callsTo("ZelSetRTSThreshold").size(), 1u);
    EXPECT_THAT(host.refreshes, ElementsAre(true));

    host.linkAfterRefresh = LinkView{};
    host.linkAfterRefresh.adHocActive = true;
    zel.takeCalls();
    p = adHoc("Peer");
    EXPECT_EQ(engine.connectProfile(&p), 4);
    EXPECT_THAT(callsBetween("ZelGetConnectStatus", "ZelNone"),
                ElementsAre("ZelGetConnectStatus(card)", "ZelSetPowerMode(card, 0)"));
}

TEST_F(ConnectEngineTest, RefusesWithoutCardRadioOrProfile) {
    Profile p = wpa2Home();
    host.cardOpen = false;
    EXPECT_EQ(engine.connectProfile(&p), 1);
    host.cardOpen = true;
    host.radio = false;
    EXPECT_EQ(engine.connectProfile(&p), 1);
    host.radio = true;
    EXPECT_EQ(engine.connectProfile(nullptr), 1);
    EXPECT_THAT(zel.calls(), IsEmpty());
}

TEST_F(ConnectEngineTest, MarksTheProfileInUseAndMovesIt) {
    host.list = listOf({infra("I1"), infra("I2"), adHoc("A1"), adHoc("A2")});
    Profile* a2 = host.list.at(3);
    a2->preferred = 0;
    engine.connectProfile(a2);
    EXPECT_THAT(namesOf(host.list), ElementsAre("I1", "I2", "A2", "A1"));
    EXPECT_EQ(host.list.inUse(), a2);
    EXPECT_EQ(a2->preferred, 1u);
    engine.connectProfile(host.list.at(1));
    EXPECT_THAT(namesOf(host.list), ElementsAre("I2", "I1", "A2", "A1"));
}

TEST_F(ConnectEngineTest, AConnectedCopyFindsItsOriginalByIdentity) {
    host.list = listOf({infra("I1"), infra("I2")});
    Profile* i2 = host.list.at(1);
    Profile copy = *i2;
    setFieldText(copy.ssid, "edited meanwhile");
    EXPECT_EQ(engine.connectCopy(copy, i2), 0);
    EXPECT_THAT(namesOf(host.list), ElementsAre("I2", "I1"));
    EXPECT_EQ(host.list.inUse(), i2);
    EXPECT_THAT(zel.callsTo("ZelSetSsid"),
                ElementsAre("ZelSetSsid(card, \"edited meanwhile\", 16, 0)"));

    // The original was removed meanwhile: the copy is applied, the list stays as it is.
    auto removed = host.list.remove(i2);
    EXPECT_EQ(engine.connectCopy(copy, i2), 0);
    EXPECT_THAT(namesOf(host.list), ElementsAre("I1"));
    EXPECT_EQ(host.list.inUse(), nullptr);
}

TEST_F(ConnectEngineTest, MarkingInUseDirectly) {
    host.list = listOf({infra("I1"), infra("I2")});
    engine.markInUse(host.list.at(1));
    engine.markInUse(nullptr);
    EXPECT_THAT(zel.calls(), ElementsAre("ZelSetProfileInUse(card, \"I2\", 2)",
                                         "ZelSetProfileInUse(card, \" \", 1)"));
    EXPECT_THAT(namesOf(host.list), ElementsAre("I2", "I1"));
    EXPECT_EQ(host.list.inUse(), nullptr);
    // Without a card the list is still put in order.
    host.cardOpen = false;
    zel.takeCalls();
    engine.markInUse(host.list.at(1));
    EXPECT_THAT(zel.calls(), IsEmpty());
    EXPECT_THAT(namesOf(host.list), ElementsAre("I1", "I2"));
}

TEST_F(ConnectEngineTest, AnySsidJoinsTheStrongestOpenNetwork) {
    scantest::Network secured = openNetwork("Secret", -30, scan::Band80211g);
    secured.privacy = 1;
    scantest::Network peer = openNetwork("Peer", -35, scan::Band80211g);
    peer.infrastructureMode = 0;
    scantest::Network overlong = openNetwork("Overlong", -35, scan::Band80211g);
    overlong.ssidLength = 33;
    scanListHolds({openNetwork("Weak", -80, scan::Band80211g), secured, peer, overlong,
                   openNetwork("Best", -40, scan::Band80211g)});
    Profile* any = host.list.append(std::make_unique<Profile>(makeDefaultProfile()));
    EXPECT_EQ(engine.connectProfile(any), 0);
    EXPECT_THAT(zel.calls(),
                ElementsAre("ZelSetProfileInUse(card, \"<Default>\", 9)", "ZelSetAuthMode(card, 0)",
                            "ZelSetFswCCXNetworkEap(card, 0)",
                            "ZelSetWPAInformation(card, 1, 0, 0, \"\", \"<ANY SSID>\")",
                            "ZelSetWepStatus(card, 1)", "ZelQueryScanList(card, ptr, 24576)",
                            "ZelSetAuthMode(card, 0)", "ZelSetWepStatus(card, 1)",
                            "ZelSetNetworkMode(card, 1)", "ZelSetSsid(card, \"Best\", 4, 0)"));
    EXPECT_EQ(host.list.inUse(), any);
}

TEST_F(ConnectEngineTest, AnySsidOrdering) {
    Profile any = makeDefaultProfile();
    const auto joined = [&] {
        zel.takeCalls();
        engine.connectProfile(&any);
        return zel.callsTo("ZelSetSsid");
    };
    // Equal signals keep their scan order.
    scanListHolds({openNetwork("First", -60, scan::Band80211b),
                   openNetwork("Second", -60, scan::Band80211b)});
    EXPECT_THAT(joined(), ElementsAre("ZelSetSsid(card, \"First\", 5, 0)"));
    // A g network directly behind stronger b networks goes first.
    scanListHolds({openNetwork("B1", -40, scan::Band80211b),
                   openNetwork("G", -70, scan::Band80211g),
                   openNetwork("B2", -50, scan::Band80211b)});
    EXPECT_THAT(joined(), ElementsAre("ZelSetSsid(card, \"G\", 1, 0)"));
    // Only when directly behind: an a network in between keeps the order.
    scanListHolds({openNetwork("B1", -40, scan::Band80211b),
                   openNetwork("A", -50, scan::Band80211a),
                   openNetwork("G", -70, scan::Band80211g)});
    EXPECT_THAT(joined(), ElementsAre("ZelSetSsid(card, \"B1\", 2, 0)"));
    // A hidden network is passed over for the next one.
    scanListHolds(
        {openNetwork("", -30, scan::Band80211g), openNetwork("Next", -60, scan::Band80211g)});
    EXPECT_THAT(joined(), ElementsAre("ZelSetSsid(card, \"Next\", 4, 0)"));
}

TEST_F(ConnectEngineTest, AnySsidConsidersTheFirstTwentyOpenNetworks) {
    std::vector<scantest::Network> networks;
    for (int i = 0; i < 20; ++i)
        networks.push_back(openNetwork("N" + std::to_string(i), -80 + i, scan::Band80211g));
    networks.push_back(openNetwork("Late", -20, scan::Band80211g));
    scanListHolds(networks);
    Profile any = makeDefaultProfile();
    engine.connectProfile(&any);
    EXPECT_THAT(zel.callsTo("ZelSetSsid"), ElementsAre("ZelSetSsid(card, \"N19\", 3, 0)"));
}

TEST_F(ConnectEngineTest, AnySsidRefusals) {
    Profile any = makeDefaultProfile();
    // Only encrypted networks: nothing more after reading the list.
    scantest::Network secured = openNetwork("Secret", -30, scan::Band80211g);
    secured.privacy = 1;
    scanListHolds({secured});
    EXPECT_EQ(engine.connectProfile(&any), 1);
    EXPECT_EQ(zel.takeCalls().back(), "ZelQueryScanList(card, ptr, 24576)");
    // Only hidden networks: the card is prepared, no SSID is handed over.
    scanListHolds({openNetwork("", -30, scan::Band80211g)});
    EXPECT_EQ(engine.connectProfile(&any), 1);
    EXPECT_EQ(zel.takeCalls().back(), "ZelSetNetworkMode(card, 1)");
    // The list cannot be read.
    zel.on.ZelQueryScanList = [](ZelHandle, uint8_t*, uint32_t) { return 1; };
    EXPECT_EQ(engine.connectProfile(&any), 1);
    EXPECT_EQ(zel.takeCalls().back(), "ZelQueryScanList(card, ptr, 24576)");
    // The card refuses the SSID, even as already associated.
    scanListHolds({openNetwork("Open", -30, scan::Band80211g)});
    zel.on.ZelSetSsid = [](ZelHandle, const char*, uint32_t, uint32_t) { return 4; };
    EXPECT_EQ(engine.connectProfile(&any), 1);
    EXPECT_TRUE(host.refreshes.empty());
    EXPECT_THAT(zel.callsTo("ZelGetConnectStatus"), IsEmpty());
}

TEST_F(ConnectEngineTest, AnySsidGivesUpAfterEightSeconds) {
    Profile any = makeDefaultProfile();
    uint32_t scanTakes = 0;
    scanListHolds({openNetwork("Open", -30, scan::Band80211g)});
    const auto serve = zel.on.ZelQueryScanList;
    zel.on.ZelQueryScanList = [&](ZelHandle h, uint8_t* buffer, uint32_t size) {
        now += scanTakes;
        return serve(h, buffer, size);
    };
    scanTakes = 8001;
    EXPECT_EQ(engine.connectProfile(&any), 1);
    EXPECT_THAT(zel.takeCalls().back(), "ZelSetNetworkMode(card, 1)");
    scanTakes = 8000;
    EXPECT_EQ(engine.connectProfile(&any), 0);
    EXPECT_THAT(zel.takeCalls().back(), "ZelSetSsid(card, \"Open\", 4, 0)");
    // The tick count wraps around.
    now = 0xFFFFFF00u;
    scanTakes = 0x200;
    EXPECT_EQ(engine.connectProfile(&any), 0);
}

TEST(ConnectResult, SuccessRule) {
    const Profile home = infra("Home", "HomeNet");
    LinkView link;
    link.connected = true;
    link.ssid = "HomeNet";
    link.networkMode = NetworkInfrastructure;
    EXPECT_TRUE(connectSucceeded(0, home, LinkView{}));
    EXPECT_TRUE(connectSucceeded(4, home, link));
    EXPECT_FALSE(connectSucceeded(1, home, link));
    EXPECT_FALSE(connectSucceeded(4, home, LinkView{}));
    LinkView other = link;
    other.ssid = "Other";
    EXPECT_FALSE(connectSucceeded(4, home, other));
    other = link;
    other.networkMode = NetworkAdHoc;
    EXPECT_FALSE(connectSucceeded(4, home, other));
    LinkView peer;
    peer.adHocActive = true;
    peer.ssid = "PeerNet";
    peer.networkMode = NetworkAdHoc;
    EXPECT_TRUE(connectSucceeded(4, adHoc("Peer", "PeerNet"), peer));
}
