// Association only with the right security, for every kind of network: the card is
// programmed as the connect engine programs it, and joins, or is turned away with the
// reason in its notes.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <utility>

#include "SimFixtures.h"

namespace {

const std::string kWorld = R"(
network
    ssid "Open"
    bssid 00:11:22:33:00:01
    channel 1
network
    ssid "WepOpen"
    bssid 00:11:22:33:00:02
    channel 2
    security wep
    wep-key 1 "abcde"
network
    ssid "WepShared"
    bssid 00:11:22:33:00:03
    channel 3
    security wep
    wep-auth shared
    wep-key 1 0102030405
    wep-key 2 "12345" transmit
network
    ssid "Tkip"
    bssid 00:11:22:33:00:04
    channel 4
    security wpa-psk
    passphrase "passphrase one"
network
    ssid "Aes"
    bssid 00:11:22:33:00:05
    channel 5
    security wpa2-psk
    passphrase "passphrase two"
network
    ssid "Corp"
    bssid 00:11:22:33:00:06
    channel 6
    security wpa2-eap
    eap peap ttls leap tls
    user "alice" "Wonder1" "CORP"
    user "bob" "builder"
    certificate 00112233445566778899AABBCCDDEEFF00112233 "alice"
network
    ssid "CorpWpa"
    bssid 00:11:22:33:00:07
    channel 7
    security wpa-eap
    eap leap
    user "carol" "pw"
network
    ssid "Dynamic"
    bssid 00:11:22:33:00:08
    channel 8
    security 802.1x
    eap peap
    user "dave" "pw"
network
    ssid "Peer"
    bssid 02:11:22:33:00:09
    channel 9
    mode ad-hoc
network
    ssid "PeerWep"
    bssid 02:11:22:33:00:0A
    channel 10
    mode ad-hoc
    security wep
    wep-key 3 0A0B0C0D0E
network
    ssid "FiveG"
    bssid 00:11:22:33:00:0B
    channel 36
)";

const uint8_t kHash[20] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99,
                           0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF, 0x00, 0x11, 0x22, 0x33};

// The card's programming for one attempt, in the order of the connect engine.
struct Programming {
    uint32_t networkMode = 1;
    uint32_t wlanMode = 255;
    uint32_t authMode = 0;
    uint32_t ccx = 0;
    uint32_t wepStatus = 1;
    uint32_t securityType = 0;
    uint32_t encryption = 0;
    std::string psk;
    std::string pskSsid;  // empty: the SSID joined
    std::vector<std::pair<uint32_t, std::string>> keys;
    uint32_t transmitKey = 0;
    std::function<int32_t(const ZelApi&)> identity;
};

struct Case {
    const char* name;
    const char* ssid;
    Programming programming;
    const char* refusal;  // nullptr: the card associates
};

std::ostream& operator<<(std::ostream& out, const Case& c) { return out << c.name; }

Programming open(uint32_t authMode = 0) {
    Programming p;
    p.authMode = authMode;
    return p;
}

Programming wep(uint32_t authMode, std::vector<std::pair<uint32_t, std::string>> keys,
                uint32_t transmit, uint32_t networkMode = 1) {
    Programming p;
    p.networkMode = networkMode;
    p.authMode = authMode;
    p.wepStatus = 0;
    p.encryption = 1;
    p.keys = std::move(keys);
    p.transmitKey = transmit;
    return p;
}

Programming psk(uint32_t authMode, uint32_t wepStatus, uint32_t securityType,
                std::string passphrase) {
    Programming p;
    p.authMode = authMode;
    p.wepStatus = wepStatus;
    p.securityType = securityType;
    p.encryption = wepStatus == 4 ? 2 : 3;
    p.psk = std::move(passphrase);
    return p;
}

Programming eap(uint32_t authMode, uint32_t wepStatus, uint32_t securityType,
                std::function<int32_t(const ZelApi&)> identity, uint32_t ccx = 0) {
    Programming p;
    p.authMode = authMode;
    p.ccx = ccx;
    p.wepStatus = wepStatus;
    p.securityType = securityType;
    p.identity = std::move(identity);
    return p;
}

std::function<int32_t(const ZelApi&)> peap(const char* login, const char* domain,
                                           const char* password) {
    return [=](const ZelApi& api) { return api.ZelWPACreateIdentityPEAP(login, domain, password); };
}
std::function<int32_t(const ZelApi&)> leap(const char* login, const char* domain,
                                           const char* password) {
    return [=](const ZelApi& api) { return api.ZelWPACreateIdentityLEAP(login, domain, password); };
}
std::function<int32_t(const ZelApi&)> ttls(const char* login, const char* password) {
    return [=](const ZelApi& api) {
        return api.ZelWPACreateIdentityTtls(login, "", password, "anonymous");
    };
}
std::function<int32_t(const ZelApi&)> tls(const char* login, const uint8_t* hash) {
    return [=](const ZelApi& api) { return api.ZelWPACreateIdentityTLS(login, hash); };
}

Programming withWlanMode(Programming p, uint32_t mode) {
    p.wlanMode = mode;
    return p;
}
Programming withPskSsid(Programming p, std::string ssid) {
    p.pskSsid = std::move(ssid);
    return p;
}
Programming adHoc(Programming p) {
    p.networkMode = 0;
    return p;
}

const uint8_t kWrongHash[20] = {1};

const Case kCases[] = {
    {"OpenSystem", "Open", open(), nullptr},
    {"OpenAutoSwitch", "Open", open(2), nullptr},
    {"OpenWithWepOn", "Open", wep(0, {{1, "abcde"}}, 1), "encryption on/off"},
    {"OpenWithSharedKey", "Open", open(1), "authentication mode"},
    {"WepOpenAuth", "WepOpen", wep(0, {{1, "abcde"}}, 1), nullptr},
    {"WepWrongKey", "WepOpen", wep(0, {{1, "abcdf"}}, 1), "wrong WEP key"},
    {"WepKeyInWrongSlot", "WepOpen", wep(0, {{2, "abcde"}}, 2), "wrong WEP key"},
    {"WepWithSecurityOff", "WepOpen", open(), "encryption on/off"},
    {"WepShared", "WepShared", wep(1, {{1, "\x01\x02\x03\x04\x05"}, {2, "12345"}}, 1), nullptr},
    {"WepSharedByAutoSwitch", "WepShared", wep(2, {{1, "\x01\x02\x03\x04\x05"}, {2, "12345"}}, 1),
     nullptr},
    {"WepSharedWithOpenAuth", "WepShared", wep(0, {{1, "\x01\x02\x03\x04\x05"}, {2, "12345"}}, 1),
     "authentication mode"},
    {"WepSharedLackingTheNetworksKey", "WepShared", wep(1, {{1, "\x01\x02\x03\x04\x05"}}, 1),
     "wrong WEP key"},
    {"WpaPsk", "Tkip", psk(4, 4, 2, "passphrase one"), nullptr},
    {"WpaPskWrongPassphrase", "Tkip", psk(4, 4, 2, "passphrase two"), "wrong passphrase"},
    {"WpaPskWithAes", "Tkip", psk(4, 6, 2, "passphrase one"), "cipher"},
    {"Wpa2Psk", "Aes", psk(7, 6, 9, "passphrase two"), nullptr},
    {"Wpa2PskAsWpaPsk", "Aes", psk(4, 6, 2, "passphrase two"), "authentication mode"},
    {"Wpa2PskKeyForAnotherSsid", "Aes", withPskSsid(psk(7, 6, 9, "passphrase two"), "Tkip"),
     "wrong passphrase"},
    {"Wpa2Peap", "Corp", eap(6, 6, 11, peap("alice", "CORP", "Wonder1")), nullptr},
    {"Wpa2PeapLoginAnyCase", "Corp", eap(6, 6, 11, peap("ALICE", "corp", "Wonder1")), nullptr},
    {"Wpa2PeapWrongPassword", "Corp", eap(6, 6, 11, peap("alice", "CORP", "wonder1")),
     "credentials"},
    {"Wpa2PeapWrongDomain", "Corp", eap(6, 6, 11, peap("alice", "HOME", "Wonder1")), "credentials"},
    {"Wpa2PeapAnyDomainForBob", "Corp", eap(6, 6, 11, peap("bob", "WHATEVER", "builder")), nullptr},
    {"Wpa2Ttls", "Corp", eap(6, 6, 12, ttls("bob", "builder")), nullptr},
    {"Wpa2Leap", "Corp", eap(6, 6, 14, leap("alice", "CORP", "Wonder1")), nullptr},
    {"Wpa2Tls", "Corp", eap(6, 6, 10, tls("alice", kHash)), nullptr},
    {"Wpa2TlsWrongCertificate", "Corp", eap(6, 6, 10, tls("alice", kWrongHash)), "credentials"},
    {"Wpa2TlsCertificateOfAnotherLogin", "Corp", eap(6, 6, 10, tls("bob", kHash)), "credentials"},
    {"Wpa2WithoutIdentity", "Corp", eap(6, 6, 11, nullptr), "credentials"},
    {"CcxPeapOnWpa2", "Corp", eap(0, 6, 13, peap("alice", "CORP", "Wonder1"), 1), nullptr},
    {"Wpa2EnterpriseWithOpenAuth", "Corp", eap(0, 6, 11, peap("alice", "CORP", "Wonder1")),
     "authentication mode"},
    {"WpaLeap", "CorpWpa", eap(3, 4, 3, leap("carol", "", "pw")), nullptr},
    {"WpaWithAMethodTheServerLacks", "CorpWpa", eap(3, 4, 6, peap("carol", "", "pw")), "method"},
    {"Dot1xPeapDynamicWep", "Dynamic", eap(0, 0, 16, peap("dave", "", "pw")), nullptr},
    {"Dot1xAsStaticWep", "Dynamic", wep(0, {{1, "abcde"}}, 1), "authentication mode"},
    {"AdHocOpen", "Peer", adHoc(open()), nullptr},
    {"AdHocNetworkAsInfrastructure", "Peer", open(), "network type"},
    {"AdHocWep", "PeerWep", wep(0, {{3, "\x0A\x0B\x0C\x0D\x0E"}}, 3, 0), nullptr},
    {"AdHocWepWrongKey", "PeerWep", wep(0, {{3, "\x0A\x0B\x0C\x0D\x0F"}}, 3, 0), "wrong WEP key"},
    {"FiveGigahertzIn80211a", "FiveG", withWlanMode(open(), 2), nullptr},
    {"FiveGigahertzIn80211b", "FiveG", withWlanMode(open(), 1), "wireless mode"},
    {"TwoGigahertzIn80211a", "Open", withWlanMode(open(), 2), "wireless mode"},
};

// The card, programmed as the connect engine programs it.
class ProgrammedCard : public simtest::CardTest {
protected:
    // Programs the card as the connect engine would for `p` on the network `ssid`.
    void program(const Programming& p, const std::string& ssid) {
        ASSERT_EQ(api_.ZelSetAuthMode(handle_, p.authMode), 0);
        ASSERT_EQ(api_.ZelSetFswCCXNetworkEap(handle_, p.ccx), 0);
        if (p.identity) {
            ASSERT_EQ(p.identity(api_), 0);
        }
        char pskField[128] = {};
        std::memcpy(pskField, p.psk.data(), p.psk.size());
        const std::string pskSsid = p.pskSsid.empty() ? ssid : p.pskSsid;
        ASSERT_EQ(api_.ZelSetWPAInformation(handle_, p.networkMode, p.securityType, p.encryption,
                                            pskField, pskSsid.c_str()),
                  0);
        ASSERT_EQ(api_.ZelSetWepStatus(handle_, p.wepStatus), 0);
        for (const auto& [slot, key] : p.keys) {
            ASSERT_EQ(api_.ZelSetWepKey(handle_, slot, reinterpret_cast<const uint8_t*>(key.data()),
                                        static_cast<uint32_t>(key.size()), slot == p.transmitKey),
                      0);
        }
        ASSERT_EQ(api_.ZelSetNetworkMode(handle_, p.networkMode), 0);
        ASSERT_EQ(api_.ZelSetWlanMode(handle_, p.wlanMode), 0);
        ASSERT_EQ(api_.ZelSetAdHocWlanMode(handle_, 0), 0);
    }
};

class Admission : public ProgrammedCard, public ::testing::WithParamInterface<Case> {};

const Case& caseNamed(const std::string& name) {
    return *std::find_if(std::begin(kCases), std::end(kCases),
                         [&](const Case& c) { return c.name == name; });
}

TEST_P(Admission, JoinsOnlyWithTheRightSecurity) {
    start(kWorld);
    const Case& c = GetParam();
    program(c.programming, c.ssid);
    sim_->takeNotes();

    ASSERT_EQ(setSsid(c.ssid), 0);
    sim_->advance(499);
    EXPECT_TRUE(sim_->takeEventCodes().empty());
    EXPECT_FALSE(connected());
    sim_->advance(1);
    const std::vector<std::string> notes = sim_->takeNotes();
    if (c.refusal) {
        EXPECT_FALSE(connected());
        EXPECT_EQ(ssid(), "");
        EXPECT_EQ(sim_->takeEventCodes(), std::vector<uint32_t>{5});
        ASSERT_EQ(notes.size(), 1u);
        EXPECT_NE(notes[0].find(c.refusal), std::string::npos) << notes[0];
    } else {
        EXPECT_TRUE(connected());
        EXPECT_EQ(ssid(), c.ssid);
        EXPECT_EQ(sim_->takeEventCodes(), std::vector<uint32_t>{1});
        EXPECT_TRUE(notes.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(EverySecurity, Admission, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return info.param.name;
                         });

// On the network it is on, the card joins again when it is handed the SSID with other
// credentials, and keeps the link only when they are the ones it joined with.
TEST_F(ProgrammedCard, OtherCredentialsForTheNetworkItIsOnMakeItJoinAgain) {
    start(kWorld);
    for (const auto& [rightName, wrongName] :
         {std::pair{"WepOpenAuth", "WepWrongKey"}, std::pair{"WpaPsk", "WpaPskWrongPassphrase"},
          std::pair{"Wpa2Peap", "Wpa2PeapWrongPassword"},
          std::pair{"Wpa2Psk", "Wpa2PskAsWpaPsk"}}) {
        SCOPED_TRACE(wrongName);
        const Case& right = caseNamed(rightName);
        const Case& wrong = caseNamed(wrongName);
        program(right.programming, right.ssid);
        ASSERT_EQ(setSsid(right.ssid), 0);
        sim_->advance(500);
        ASSERT_TRUE(connected());
        program(right.programming, right.ssid);
        EXPECT_EQ(setSsid(right.ssid), 4) << "the same credentials keep the link";
        sim_->takeEventCodes();

        program(wrong.programming, wrong.ssid);
        EXPECT_EQ(setSsid(wrong.ssid), 0);
        EXPECT_EQ(sim_->takeEventCodes(), std::vector<uint32_t>{0});
        sim_->advance(500);
        EXPECT_FALSE(connected());
        EXPECT_EQ(sim_->takeEventCodes(), std::vector<uint32_t>{5});
        sim_->takeNotes();
    }
}

}  // namespace
