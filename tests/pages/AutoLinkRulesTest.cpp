// The Auto Link dialog's rules: which access points it lists and in what order, the texts
// and values of their entries, the PIN checks, the card's address, the two structures it
// hands the library and the status line of each exchange step.
#include <gtest/gtest.h>

#include <cstring>

#include "adapter/ZelShared.h"
#include "pages/AutoLinkDlg.h"
#include "tests/adapter/ScanListBuilder.h"

namespace {

using scantest::element;
using scantest::Network;

// The Auto Link element with `tag` and `flags`, `extra` bytes of body beyond the nine.
std::vector<uint8_t> autoLinkElement(uint8_t tag, uint8_t flags, size_t extra = 0) {
    std::vector<uint8_t> body(zel::kAutoLinkOui, zel::kAutoLinkOui + 3);
    body.insert(body.end(), {0, 0, tag, flags});
    body.resize(body.size() + extra, 0);
    return element(221, body);
}

Network accessPoint(const std::string& ssid, int32_t rssi, std::vector<uint8_t> elements) {
    Network n;
    n.ssid = ssid;
    n.rssi = rssi;
    n.elements = std::move(elements);
    return n;
}

std::vector<AutoLinkAp> listed(const std::vector<Network>& networks,
                               const ProfileList& profiles = {}) {
    const auto buffer = scantest::scanList(networks, scan::Layout::ScanList);
    return autoLinkAps(buffer.data(), buffer.size(), profiles);
}

std::vector<std::string> texts(const std::vector<AutoLinkAp>& aps) {
    std::vector<std::string> out;
    for (const AutoLinkAp& ap : aps) out.push_back(autoLinkItemText(ap));
    return out;
}

TEST(AutoLinkList, StrongestFirstWithTheirPercentages) {
    struct Case {
        std::vector<int32_t> rssis;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {{-66, -61}, {"B (Rssi=87%)", "A (Rssi=75%)"}},
        {{-96, -120}, {"A (Rssi=0%)", "B (Rssi=0%)"}},
        {{-56, -10}, {"A (Rssi=100%)", "B (Rssi=100%)"}},
        {{-70, -60, -70}, {"B (Rssi=90%)", "A (Rssi=65%)", "C (Rssi=65%)"}},
    };
    for (const Case& c : cases) {
        std::vector<Network> networks;
        for (size_t i = 0; i < c.rssis.size(); ++i) {
            networks.push_back(accessPoint(std::string(1, static_cast<char>('A' + i)), c.rssis[i],
                                           autoLinkElement(static_cast<uint8_t>(i), 0x01)));
        }
        EXPECT_EQ(texts(listed(networks)), c.expected) << c.rssis[0];
    }
}

TEST(AutoLinkList, TheStateRuleAndTheProfilesOfConfiguredAccessPoints) {
    ProfileList profiles;
    Profile home = blankProfile();
    setFieldText(home.name, "Home");
    setFieldText(home.ssid, "Home");
    home.networkType = 1;
    profiles.append(std::make_unique<Profile>(home));
    struct Case {
        std::string ssid;
        uint8_t flags;
        std::optional<AutoLinkState> state;  // none: not listed
    };
    const Case cases[] = {
        {"Home", 0x01, AutoLinkState::NotConfigured},
        {"Home", 0x03, AutoLinkState::NotConfigured},
        {"Home", 0x02, std::nullopt},
        {"Home", 0x06, std::nullopt},
        {"Other", 0x02, AutoLinkState::Configured},
        {"Home", 0x04, AutoLinkState::ListedOnly},
        {"Other", 0x00, std::nullopt},
        {"Other", 0x08, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto aps = listed({accessPoint(c.ssid, -60, autoLinkElement(9, c.flags))}, profiles);
        EXPECT_EQ(aps.empty() ? std::nullopt : std::optional(aps[0].state), c.state)
            << c.ssid << " " << int{c.flags};
    }
}

TEST(AutoLinkList, RecordsThatDoNotCarryAWholeAutoLinkElementFirstAreSkipped) {
    auto shortElement = autoLinkElement(1, 0x01);
    shortElement.resize(shortElement.size() - 1);
    shortElement[1] = 6;
    auto lyingElement = autoLinkElement(1, 0x01);
    lyingElement[1] = 200;
    auto otherOui = autoLinkElement(1, 0x01);
    otherOui[2] = 0x50;
    auto nonZero = autoLinkElement(1, 0x01);
    nonZero[5] = 1;
    std::vector<uint8_t> second = element(0, {'X'});
    const auto al = autoLinkElement(1, 0x01);
    second.insert(second.end(), al.begin(), al.end());
    struct Case {
        const char* what;
        Network network;
    };
    std::vector<Case> cases = {
        {"short element", accessPoint("X", -60, shortElement)},
        {"element longer than the record", accessPoint("X", -60, lyingElement)},
        {"another OUI", accessPoint("X", -60, otherOui)},
        {"non-zero bytes 5 and 6", accessPoint("X", -60, nonZero)},
        {"not the first element", accessPoint("X", -60, second)},
        {"no element", accessPoint("X", -60, {})},
    };
    Network longSsid = accessPoint("X", -60, al);
    longSsid.ssidLength = 33;
    cases.push_back({"SSID over 32 bytes", longSsid});
    Network adHoc = accessPoint("X", -60, al);
    adHoc.infrastructureMode = 0;
    cases.push_back({"ad-hoc", adHoc});
    Network broken = accessPoint("X", -60, al);
    broken.length = 30000;
    cases.push_back({"record longer than the list", broken});
    for (const Case& c : cases) EXPECT_TRUE(listed({c.network}).empty()) << c.what;
    // A longer element is fine.
    EXPECT_EQ(listed({accessPoint("X", -60, autoLinkElement(1, 0x01, 4))}).size(), 1u);
}

TEST(AutoLinkList, EntriesCarryTagAndStateAndGiveBackTheirSsid) {
    AutoLinkAp ap;
    ap.ssid = "Lab (Rssi=1%) net";
    ap.strength = 35;
    ap.state = AutoLinkState::ListedOnly;
    ap.apTag = 0xAB;
    EXPECT_EQ(autoLinkItemText(ap), "Lab (Rssi=1%) net (Rssi=87%)");
    EXPECT_EQ(autoLinkItemValue(ap), 0x000200AB);
    EXPECT_EQ(autoLinkSsidOfItem(autoLinkItemText(ap)), ap.ssid);
}

TEST(AutoLinkPin, LengthAndConfirmation) {
    struct Case {
        std::string pin, confirmation;
        PinFault a, b;
    };
    const Case cases[] = {
        {std::string(7, 'p'), std::string(7, 'p'), PinFault::Length, PinFault::Length},
        {std::string(8, 'p'), std::string(8, 'p'), PinFault::None, PinFault::None},
        {std::string(31, 'p'), std::string(31, 'p'), PinFault::None, PinFault::None},
        {std::string(32, 'p'), std::string(32, 'p'), PinFault::Length, PinFault::Length},
        {"12345678", "12345679", PinFault::None, PinFault::Mismatch},
        {"12345678", "", PinFault::None, PinFault::Mismatch},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(checkPin(c.pin), c.a) << c.pin;
        EXPECT_EQ(checkPinAndConfirmation(c.pin, c.confirmation), c.b) << c.pin;
    }
}

TEST(AutoLinkExchange, TheCardsAddressInDottedOrder) {
    using Address = std::array<uint8_t, 4>;
    const std::pair<const char*, Address> cases[] = {
        {"10.77.0.5", {10, 77, 0, 5}}, {"192.168.1.254", {192, 168, 1, 254}},
        {"0.0.0.0", {0, 0, 0, 0}},     {"", {0, 0, 0, 0}},
        {"1.2.3", {0, 0, 0, 0}},       {"1.2.3.4.5", {0, 0, 0, 0}},
        {"1.2.3.256", {0, 0, 0, 0}},   {"a.b.c.d", {0, 0, 0, 0}},
    };
    for (const auto& [text, address] : cases) EXPECT_EQ(parseDottedAddress(text), address) << text;
}

TEST(AutoLinkExchange, TheSecurityInformationByteForByte) {
    const TSRA_BRISKSETUP_SEC_INFO info =
        makeSecurityInfo(0x37, "tiger-lily-42", {true, {10, 77, 0, 5}});
    std::vector<uint8_t> expected(168, 0);
    expected[0] = 168;
    expected[1] = 0x37;
    std::memcpy(&expected[2], "tiger-lily-42", 13);
    std::memcpy(&expected[34], zel::kAutoLinkConstantBlock, 128);
    expected[162] = 2;
    expected[164] = 10;
    expected[165] = 77;
    expected[167] = 5;
    const auto* bytes = reinterpret_cast<const uint8_t*>(&info);
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + sizeof info), expected);

    // Without DHCP the mode is 1; a PIN never runs into the constant block.
    const TSRA_BRISKSETUP_SEC_INFO fixed = makeSecurityInfo(1, std::string(40, 'x'), {});
    EXPECT_EQ(fixed.IpMode, 1);
    EXPECT_EQ(fixed.Pin[30], 'x');
    EXPECT_EQ(fixed.Pin[31], 0);
}

TEST(AutoLinkExchange, TheSetupRequestByteForByte) {
    const TSRA_BRISKSETUP_SETUP_REQ request = makeSetupRequest(0x37);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&request);
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + sizeof request),
              (std::vector<uint8_t>{8, 0x37, 1, 0, 1, 0, 0, 0}));
}

TEST(AutoLinkExchange, EachStepHasItsStatusLine) {
    const std::pair<uint32_t, const char*> cases[] = {
        {0xF0000000u, "Auto Link Start Request"},
        {0xF0000001u, "Auto Link Start Response"},
        {0xF0000002u, "Auto Link Challenge Request"},
        {0xF0000003u, "Auto Link Challenge Response"},
        {0xF0000004u, "Auto Link Status Request"},
        {0xF0000005u, "Auto Link Status Response"},
        {0xF0000006u, "Auto Link End Request"},
        {0xF0000007u, ""},
        {0xEFFFFFFFu, ""},
        {7u, ""},
    };
    for (const auto& [code, text] : cases) EXPECT_EQ(autoLinkStepText(code), text) << code;
}

}  // namespace
