// The scenario file: every key of the card and of a network, the defaults, and errors
// reported with their lines.
#include <gtest/gtest.h>

#include <algorithm>

#include "DefaultScenario.h"
#include "sim/Scenario.h"

namespace {

using sim::Band;
using sim::Network;
using sim::Scenario;
using sim::ScenarioError;
using sim::Security;

Scenario parse(const std::string& text) {
    std::vector<ScenarioError> errors;
    std::optional<Scenario> scenario = sim::parseScenario(text, errors);
    for (const ScenarioError& e : errors) ADD_FAILURE() << "line " << e.line << ": " << e.message;
    return scenario.value_or(Scenario{});
}

std::vector<ScenarioError> errorsOf(const std::string& text) {
    std::vector<ScenarioError> errors;
    EXPECT_FALSE(sim::parseScenario(text, errors).has_value());
    return errors;
}

// The line of the first error, and that its message mentions `words`.
int errorLine(const std::string& text, const std::string& words) {
    const std::vector<ScenarioError> errors = errorsOf(text);
    if (errors.empty()) return -1;
    EXPECT_NE(errors[0].message.find(words), std::string::npos) << errors[0].message;
    return errors[0].line;
}

const std::string kNetwork = "network\n ssid \"N\"\n bssid 00:11:22:33:44:55\n channel 6\n";

TEST(ScenarioCard, EveryKeyIsRead) {
    const Scenario s = parse(R"(# comment line
card
    present no
    mac 00-1D-6A-AB-CD-EF
    region 0x40
    chip-version 7
    firmware-version 5.2.1.3
    driver-version "1.2.3.4"
    driver-date "1-2-2003"
    description "Card \"X\" \\ \x41"
    radio none
    zero-config on
    dhcp off
    instance-id "{1234}"
    hardware-id USB\VID_1D6A&PID_7001
    devnode 0x2B
    association-delay 250
    exchange-step 50
    frag-threshold 1024
    channel-range 3 9
    register rf 0x1a 0x31
    register mac 0x0100 0xCAFEF00D
)");
    const sim::CardDescription& c = s.card;
    EXPECT_FALSE(c.present);
    EXPECT_EQ(c.mac, (sim::MacAddress{0x00, 0x1D, 0x6A, 0xAB, 0xCD, 0xEF}));
    EXPECT_EQ(c.region, 0x40u);
    EXPECT_EQ(c.chipVersion, 7u);
    EXPECT_EQ(c.firmwareVersion, 0x05020103u);
    EXPECT_EQ(c.driverVersion, "1.2.3.4");
    EXPECT_EQ(c.driverDate, "1-2-2003");
    EXPECT_EQ(c.description, "Card \"X\" \\ A");
    EXPECT_EQ(c.radio, sim::RadioSwitch::Absent);
    EXPECT_TRUE(c.zeroConfig);
    EXPECT_FALSE(c.dhcp);
    EXPECT_EQ(c.instanceId, "{1234}");
    EXPECT_EQ(c.hardwareId, "USB\\VID_1D6A&PID_7001");
    EXPECT_EQ(c.devnode, 0x2Bu);
    EXPECT_EQ(c.associationDelayMs, 250u);
    EXPECT_EQ(c.exchangeStepMs, 50u);
    EXPECT_EQ(c.settings[static_cast<int>(sim::Setting::FragThreshold)], 1024u);
    EXPECT_EQ(c.settings[static_cast<int>(sim::Setting::ChannelRange)], 0x0309u);
    EXPECT_FALSE(c.settings[static_cast<int>(sim::Setting::RtsThreshold)].has_value());
    ASSERT_EQ(c.registers.size(), 2u);
    EXPECT_EQ(c.registers[0].bank, sim::RegisterBank::Rf);
    EXPECT_EQ(c.registers[0].index, 0x1Au);
    EXPECT_EQ(c.registers[0].value, 0x31u);
    EXPECT_EQ(c.registers[1].value, 0xCAFEF00Du);
}

TEST(ScenarioCard, AnEmptyFileIsAPresentCardWithNothingInRange) {
    const Scenario s = parse("");
    EXPECT_TRUE(s.card.present);
    EXPECT_TRUE(s.networks.empty());
    EXPECT_FALSE(s.card.description.empty());
    EXPECT_FALSE(s.card.instanceId.empty());
}

TEST(ScenarioNetwork, DefaultsFollowTheChannelAndSecurity) {
    const Scenario s = parse(R"(
network
    ssid "A"
    bssid 00:11:22:33:44:01
    channel 36
network
    ssid "B"
    bssid 00:11:22:33:44:02
    channel 11
    band b
network
    ssid "G"
    bssid 00:11:22:33:44:03
    channel 1
    security wpa2-psk
    passphrase "12345678"
network
    ssid "W"
    bssid 00:11:22:33:44:04
    channel 2
    security wep
    wep-key 3 0102030405
    wep-key 2 "abcde"
)");
    ASSERT_EQ(s.networks.size(), 4u);
    EXPECT_EQ(s.networks[0].band, Band::A);
    EXPECT_EQ(s.networks[0].rates.size(), 8u);
    EXPECT_EQ(s.networks[1].band, Band::B);
    EXPECT_EQ(s.networks[1].rates, (std::vector<uint8_t>{0x82, 0x84, 0x8B, 0x96}));
    EXPECT_EQ(s.networks[2].band, Band::G);
    EXPECT_EQ(s.networks[2].rates.size(), 12u);
    EXPECT_EQ(s.networks[2].cipher, sim::Cipher::Aes);
    EXPECT_EQ(s.networks[2].security, Security::Wpa2Psk);
    // The lowest slot with a key sends when no key is marked.
    EXPECT_EQ(s.networks[3].wepTransmitKey, 2u);
    EXPECT_EQ(s.networks[3].wepKeys[1], (std::vector<uint8_t>{'a', 'b', 'c', 'd', 'e'}));
    EXPECT_EQ(s.networks[3].wepKeys[2], (std::vector<uint8_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(s.networks[0].line, 2);
    EXPECT_EQ(s.networks[3].line, 17);
}

TEST(ScenarioNetwork, EveryKeyIsRead) {
    const Scenario s = parse(R"(
network
    ssid "Corp \x01"
    hidden
    bssid 00:11:22:33:44:55
    channel 149
    rates 6* 12 54
    rssi -77
    drift 5 4000
    security wpa-eap
    cipher aes
    eap peap tls
    user "bob" "pw" "DOM"
    certificate 00112233445566778899AABBCCDDEEFF00112233 "bob"
network
    ssid "L"
    bssid 00:11:22:33:44:56
    channel 5
    auto-link unconfigured 9
    auto-link-outcome association-failure
    auto-link-ssid "Renamed"
network
    ssid "P"
    bssid 02:11:22:33:44:57
    channel 3
    mode ad-hoc
    security wep
    wep-auth either
    wep-key 4 000102030405060708090A0B0C transmit
)");
    ASSERT_EQ(s.networks.size(), 3u);
    const Network& corp = s.networks[0];
    EXPECT_EQ(corp.ssid, "Corp \x01");
    EXPECT_TRUE(corp.hidden);
    EXPECT_EQ(corp.band, Band::A);
    EXPECT_EQ(corp.rates, (std::vector<uint8_t>{0x8C, 0x18, 0x6C}));
    EXPECT_EQ(corp.rssi, -77);
    EXPECT_EQ(corp.drift, 5);
    EXPECT_EQ(corp.driftPeriodMs, 4000u);
    EXPECT_EQ(corp.security, Security::WpaEap);
    EXPECT_EQ(corp.cipher, sim::Cipher::Aes);
    EXPECT_EQ(corp.eapMethods, uint32_t{sim::EapPeap | sim::EapTls});
    ASSERT_EQ(corp.users.size(), 1u);
    EXPECT_EQ(corp.users[0].domain, "DOM");
    ASSERT_EQ(corp.certificates.size(), 1u);
    EXPECT_EQ(corp.certificates[0].hash[19], 0x33);
    EXPECT_EQ(corp.certificates[0].login, "bob");

    const Network& link = s.networks[1];
    EXPECT_EQ(link.autoLink, sim::AutoLinkState::Unconfigured);
    EXPECT_EQ(link.autoLinkTag, 9);
    EXPECT_EQ(link.autoLinkOutcome, sim::AutoLinkOutcome::AssociationFailure);
    EXPECT_EQ(link.autoLinkSsid, "Renamed");

    const Network& peer = s.networks[2];
    EXPECT_TRUE(peer.adHoc);
    EXPECT_EQ(peer.wepAuth, sim::WepAuth::Either);
    EXPECT_EQ(peer.wepTransmitKey, 4u);
    EXPECT_EQ(peer.wepKeys[3].size(), 13u);
}

TEST(ScenarioErrors, NameTheirLine) {
    EXPECT_EQ(errorLine("card\n  colour blue\n", "unknown card key"), 2);
    EXPECT_EQ(errorLine("\n\nssid \"x\"\n", "before the first card or network"), 3);
    EXPECT_EQ(errorLine("card\n description \"open\n", "no closing quote"), 2);
    EXPECT_EQ(errorLine("card\n region 0x55\n", "not a region code"), 2);
    EXPECT_EQ(errorLine("card\n frag-threshold 100\n", "does not take"), 2);
    EXPECT_EQ(errorLine("card\n mac 01:00:00:00:00:01\n", "group address"), 2);
    EXPECT_EQ(errorLine("card\n mac 00:00:00:00:01\n", "not an address"), 2);
    EXPECT_EQ(errorLine("card\n firmware-version 1.2.3\n", "four numbers"), 2);
    EXPECT_EQ(errorLine("card\n association-delay soon\n", "not a number"), 2);
    EXPECT_EQ(errorLine("card\n radio maybe\n", "not one of on, off, none"), 2);
    EXPECT_EQ(
        errorLine(kNetwork + " ssid \"123456789012345678901234567890123\"\n", "longer than 32"), 5);
    EXPECT_EQ(errorLine(kNetwork + " channel 15\n", "not a channel"), 5);
    EXPECT_EQ(errorLine(kNetwork + " rates 1 2 7\n", "not a rate"), 5);
    EXPECT_EQ(errorLine(kNetwork + " rssi 5\n", "outside -120 to 0"), 5);
}

TEST(ScenarioErrors, WholeNetworkChecksNameTheNetworkLine) {
    EXPECT_EQ(errorLine("card\nnetwork\n bssid 00:11:22:33:44:55\n channel 1\n", "no ssid"), 2);
    EXPECT_EQ(errorLine("network\n ssid \"x\"\n channel 1\n", "no bssid"), 1);
    EXPECT_EQ(errorLine("network\n ssid \"x\"\n bssid 00:11:22:33:44:55\n", "no channel"), 1);
    EXPECT_EQ(errorLine(kNetwork + " band a\n", "5 GHz"), 1);
    EXPECT_EQ(errorLine(kNetwork + " band b\n rates 1 2 54\n", "802.11b"), 1);
    EXPECT_EQ(errorLine(kNetwork + " rates 1 2 5.5 11 6\n", "802.11g"), 1);
    EXPECT_EQ(errorLine(kNetwork + " security wpa-psk\n", "needs a passphrase"), 1);
    EXPECT_EQ(errorLine(kNetwork + " security wep\n", "needs a wep-key"), 1);
    EXPECT_EQ(errorLine(kNetwork + " security wpa2-eap\n", "needs an eap line"), 1);
    EXPECT_EQ(errorLine(kNetwork + " security wpa2-eap\n eap peap\n", "need a user"), 1);
    EXPECT_EQ(
        errorLine(kNetwork + " security 802.1x\n eap tls\n user \"a\" \"b\"\n", "certificate"), 1);
    EXPECT_EQ(errorLine(kNetwork + " passphrase \"12345678\"\n", "passphrase goes with"), 1);
    EXPECT_EQ(errorLine(kNetwork + " mode ad-hoc\n security wpa-psk\n passphrase \"12345678\"\n",
                        "ad-hoc"),
              1);
    EXPECT_EQ(
        errorLine(
            kNetwork + " security wpa-psk\n passphrase \"12345678\"\n auto-link unconfigured 1\n",
            "unconfigured auto-link access point is open"),
        1);
    EXPECT_EQ(errorLine(kNetwork + " auto-link-outcome failure\n", "need an auto-link line"), 1);
    EXPECT_EQ(errorLine(kNetwork + kNetwork, "already the bssid"), 5);
}

TEST(ScenarioErrors, KeysAndPassphrasesAreChecked) {
    EXPECT_EQ(errorLine(kNetwork + " security wep\n wep-key 1 0102\n", "5, 13, 16 or 29"), 6);
    EXPECT_EQ(errorLine(kNetwork + " security wep\n wep-key 5 0102030405\n", "outside 1 to 4"), 6);
    EXPECT_EQ(errorLine(kNetwork + " security wep\n wep-key 1 01020304ZZ\n", "hexadecimal"), 6);
    EXPECT_EQ(errorLine(kNetwork + " security wpa-psk\n passphrase \"short\"\n", "8 to 63"), 6);
    EXPECT_TRUE(
        errorsOf(kNetwork + " security wpa-psk\n passphrase \"" + std::string(64, 'g') + "\"\n")
            .size() >= 1);
    // Sixty-four hexadecimal digits are a key, not a passphrase.
    EXPECT_EQ(parse(kNetwork + " security wpa-psk\n passphrase \"" + std::string(64, 'a') + "\"\n")
                  .networks.size(),
              1u);
}

TEST(ScenarioErrors, AllAreReportedAndNothingIsKept) {
    const std::vector<ScenarioError> errors =
        errorsOf("card\n bogus 1\n mac x\nnetwork\n ssid \"ok\"\n");
    ASSERT_EQ(errors.size(), 4u);
    EXPECT_EQ(errors[0].line, 2);
    EXPECT_EQ(errors[1].line, 3);
    EXPECT_EQ(errors[2].line, 4);  // no bssid
    EXPECT_EQ(errors[3].line, 4);  // no channel
}

TEST(ScenarioDefault, HoldsEveryKindOfNetwork) {
    const Scenario s = parse(simtest::kDefaultScenario);
    const auto has = [&s](auto predicate) {
        return std::any_of(s.networks.begin(), s.networks.end(), predicate);
    };
    EXPECT_TRUE(s.card.present);
    EXPECT_TRUE(has([](const Network& n) { return n.security == Security::Open && !n.adHoc; }));
    EXPECT_TRUE(has([](const Network& n) { return n.security == Security::Wep; }));
    EXPECT_TRUE(has([](const Network& n) { return n.security == Security::WpaPsk; }));
    EXPECT_TRUE(has([](const Network& n) { return n.security == Security::Wpa2Psk; }));
    EXPECT_TRUE(has([](const Network& n) { return n.security == Security::Wpa2Eap; }));
    EXPECT_TRUE(has([](const Network& n) { return n.adHoc; }));
    EXPECT_TRUE(has([](const Network& n) { return n.hidden; }));
    EXPECT_TRUE(has([](const Network& n) { return n.band == Band::A; }));
    EXPECT_TRUE(has([](const Network& n) { return n.band == Band::B; }));
    EXPECT_TRUE(has([](const Network& n) { return n.band == Band::G; }));
    EXPECT_EQ(std::count_if(
                  s.networks.begin(), s.networks.end(),
                  [](const Network& n) { return n.autoLink == sim::AutoLinkState::Unconfigured; }),
              1);
}

}  // namespace
