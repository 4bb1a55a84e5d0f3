// Scans and the scan list: both record layouts decode by their published offsets, the
// information elements match each network's security, and scans see what is in range.
#include <gtest/gtest.h>

#include <algorithm>

#include "ScanBytes.h"
#include "SimFixtures.h"
#include "adapter/ZelShared.h"

namespace {

using simtest::Element;
using simtest::Record;

const std::string kWorld = R"(
network
    ssid "Open"
    bssid 00:11:22:33:44:01
    channel 1
    rssi -50
network
    ssid "Fast"
    bssid 00:11:22:33:44:02
    channel 36
    rssi -61
    security wpa2-psk
    passphrase "12345678"
network
    ssid "Corp"
    bssid 00:11:22:33:44:03
    channel 6
    rates 1* 2* 5.5 11 6 9 12 18 24 36 48 54
    rssi -70
    security wpa-eap
    eap peap
    user "u" "p"
network
    ssid "Secret"
    hidden
    bssid 00:11:22:33:44:04
    channel 11
    band b
    rssi -80
    security wep
    wep-key 1 0102030405
network
    ssid "Peer"
    bssid 02:11:22:33:44:05
    channel 3
    mode ad-hoc
    band b
network
    ssid "Link"
    bssid 00:11:22:33:44:06
    channel 8
    auto-link unconfigured 7
network
    ssid "Japan"
    bssid 00:11:22:33:44:07
    channel 14
    band b
network
    ssid "Faint"
    bssid 00:11:22:33:44:08
    channel 2
    rssi -105
)";

class ScanList : public simtest::CardTest {
protected:
    void SetUp() override {
        start(kWorld);
        ASSERT_EQ(api_.ZelScan(handle_), 0);
    }

    // The record whose BSSID ends in `last`.
    static Record find(const std::vector<Record>& list, uint8_t last) {
        for (const Record& r : list) {
            if (r.bssid()[5] == last) return r;
        }
        ADD_FAILURE() << "no record for ...:" << int(last);
        return list.front();
    }

    static std::vector<uint8_t> bytes(std::initializer_list<int> values) {
        return std::vector<uint8_t>(values.begin(), values.end());
    }

    std::vector<uint8_t> buffer_;
};

TEST_F(ScanList, DriverLayoutFields) {
    buffer_ = scanList(false);
    const std::vector<Record> list = simtest::records(buffer_.data(), buffer_.size(), false);
    // Channel 14 lies outside the ETSI region's 1 to 13 and -105 dBm is below the noise.
    ASSERT_EQ(simtest::le32(buffer_.data()), 6u);
    ASSERT_EQ(list.size(), 6u);
    for (const Record& r : list) EXPECT_EQ(r.length() % 4, 0u);

    const Record open = find(list, 0x01);
    EXPECT_EQ(open.bssid(), bytes({0x00, 0x11, 0x22, 0x33, 0x44, 0x01}));
    EXPECT_EQ(open.ssid(), "Open");
    EXPECT_EQ(open.privacy(), 0u);
    EXPECT_EQ(open.rssi(), -50);
    EXPECT_EQ(open.dsConfigKhz(), 2412000u);
    EXPECT_EQ(open.infrastructureMode(), 1u);
    EXPECT_EQ(open.rates(),
              bytes({0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24, 0x30, 0x48, 0x60, 0x6C}));
    EXPECT_EQ(open.band(), 0u);
    EXPECT_EQ(open.channel(), 1u);

    const Record fast = find(list, 0x02);
    EXPECT_EQ(fast.privacy(), 1u);
    EXPECT_EQ(fast.dsConfigKhz(), 5180000u);
    EXPECT_EQ(fast.band(), 2u);
    EXPECT_EQ(fast.channel(), 36u);

    const Record peer = find(list, 0x05);
    EXPECT_EQ(peer.infrastructureMode(), 0u);
    EXPECT_EQ(peer.band(), 1u);
    EXPECT_EQ(peer.dsConfigKhz(), 2422000u);

    const Record secret = find(list, 0x04);
    EXPECT_EQ(secret.ssidLength(), 0u);
    EXPECT_EQ(secret.privacy(), 1u);
    EXPECT_EQ(secret.dsConfigKhz(), 2462000u);
}

TEST_F(ScanList, DriverLayoutElementsStartAt120WithTheAutoLinkElementFirst) {
    buffer_ = scanList(false);
    const std::vector<Record> list = simtest::records(buffer_.data(), buffer_.size(), false);
    const Record link = find(list, 0x06);
    const uint8_t* first = link.p + 120;
    EXPECT_EQ(first[0], 221);
    EXPECT_GE(first[1], 7);
    EXPECT_EQ(bytes({first[2], first[3], first[4]}),
              bytes({zel::kAutoLinkOui[0], zel::kAutoLinkOui[1], zel::kAutoLinkOui[2]}));
    EXPECT_EQ(first[5], 0);
    EXPECT_EQ(first[6], 0);
    EXPECT_EQ(first[7], 7);     // the access point's tag
    EXPECT_EQ(first[8], 0x01);  // not configured

    const std::vector<Element> elements = find(list, 0x01).elements();
    ASSERT_GE(elements.size(), 3u);
    EXPECT_EQ(elements[0].id, 0);
    EXPECT_EQ(elements[0].body, bytes({'O', 'p', 'e', 'n'}));
    EXPECT_EQ(elements[1].id, 1);
    EXPECT_EQ(elements[1].body.size(), 8u);
}

TEST_F(ScanList, NdisLayoutCarriesIeLengthAndTheFixedBeaconFields) {
    buffer_.assign(kScanListBufferSize, 0);
    uint32_t written = 0;
    ASSERT_EQ(api_.ZelQueryScanListLength(handle_, buffer_.data(), kScanListBufferSize, &written),
              0);
    const std::vector<Record> list = simtest::records(buffer_.data(), written, true);
    ASSERT_EQ(list.size(), 6u);
    size_t total = 4;
    for (const Record& r : list) {
        total += r.length();
        EXPECT_GE(r.ieLength(), 12u);
        EXPECT_LE(116 + r.ieLength(), r.length());
        EXPECT_EQ(r.beaconInterval(), 100u);
    }
    EXPECT_EQ(written, total);

    EXPECT_EQ(find(list, 0x01).capability() & 0x0013, 0x0001u);  // access point, no privacy
    EXPECT_EQ(find(list, 0x04).capability() & 0x0013, 0x0011u);  // access point, privacy
    EXPECT_EQ(find(list, 0x05).capability() & 0x0013, 0x0002u);  // ad-hoc
    // The first element of the NDIS layout follows the 12 fixed bytes.
    EXPECT_EQ(find(list, 0x01).p[128], 0);
    EXPECT_EQ(find(list, 0x06).p[128], 221);
}

TEST_F(ScanList, SecurityElementsReadAtTheirFixedOffsets) {
    buffer_ = scanList(true);
    const std::vector<Record> list = simtest::records(buffer_.data(), buffer_.size(), true);
    const auto element = [](const Record& r, uint8_t id) {
        for (const Element& e : r.elements()) {
            if (e.id == id && (id != 221 || (e.body.size() > 3 && e.body[2] == 0xF2))) return e;
        }
        ADD_FAILURE() << "no element " << int(id);
        return Element{};
    };
    const Element rsn = element(find(list, 0x02), 48);
    ASSERT_GT(rsn.body.size(), 12u);
    EXPECT_EQ(bytes({rsn.body[8], rsn.body[9], rsn.body[10], rsn.body[11]}),
              bytes({0x00, 0x0F, 0xAC, 4}));  // CCMP
    EXPECT_EQ(bytes({rsn.body[14], rsn.body[15], rsn.body[16], rsn.body[17]}),
              bytes({0x00, 0x0F, 0xAC, 2}));  // PSK

    const Element wpa = element(find(list, 0x03), 221);
    ASSERT_GT(wpa.body.size(), 12u);
    EXPECT_EQ(bytes({wpa.body[0], wpa.body[1], wpa.body[2], wpa.body[3]}),
              bytes({0x00, 0x50, 0xF2, 1}));
    EXPECT_EQ(bytes({wpa.body[12], wpa.body[13], wpa.body[14], wpa.body[15]}),
              bytes({0x00, 0x50, 0xF2, 2}));  // TKIP
    EXPECT_EQ(bytes({wpa.body[18], wpa.body[19], wpa.body[20], wpa.body[21]}),
              bytes({0x00, 0x50, 0xF2, 1}));  // 802.1X

    // WEP and open networks carry neither element.
    for (uint8_t last : {0x01, 0x04}) {
        for (const Element& e : find(list, last).elements()) {
            EXPECT_NE(e.id, 48);
            EXPECT_NE(e.id, 221);
        }
    }
    // More than eight rates go on in the extended rates element.
    const std::vector<Element> corp = find(list, 0x03).elements();
    EXPECT_TRUE(std::any_of(corp.begin(), corp.end(),
                            [](const Element& e) { return e.id == 50 && e.body.size() == 4; }));
}

TEST_F(ScanList, DirectedScansRevealAHiddenSsidAndKeepToTheirChannels) {
    ZEL_SSID_SCAN request{};
    request.SsidLength = 6;
    std::memcpy(request.Ssid, "Secret", 6);
    for (uint8_t c = 1; c <= 14; ++c) request.Channels[c - 1] = c;
    ASSERT_EQ(api_.ZelSsidScan(handle_, &request, 1), 0);
    buffer_ = scanList(false);
    const std::vector<Record> list = simtest::records(buffer_.data(), buffer_.size(), false);
    EXPECT_EQ(find(list, 0x04).ssid(), "Secret");
    // Channels 1 to 14 leave out the 5 GHz network.
    EXPECT_EQ(list.size(), 5u);
    EXPECT_TRUE(
        std::none_of(list.begin(), list.end(), [](const Record& r) { return r.channel() == 36; }));

    const uint8_t bssid[6] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x02};
    ASSERT_EQ(api_.ZelBssidScan(handle_, bssid, 6), 0);
    buffer_ = scanList(false);
    const std::vector<Record> one = simtest::records(buffer_.data(), buffer_.size(), false);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].ssid(), "Fast");

    // A plain scan hides the SSID again.
    ASSERT_EQ(api_.ZelScan(handle_), 0);
    buffer_ = scanList(false);
    EXPECT_EQ(find(simtest::records(buffer_.data(), buffer_.size(), false), 0x04).ssidLength(), 0u);
}

TEST_F(ScanList, ShortBuffersHoldWholeRecordsOnly) {
    std::vector<uint8_t> small(300, 0xEE);
    ASSERT_EQ(api_.ZelQueryScanList(handle_, small.data(), 200), 0);
    const std::vector<Record> list = simtest::records(small.data(), 200, false);
    EXPECT_EQ(simtest::le32(small.data()), list.size());
    ASSERT_GE(list.size(), 1u);
    // Nothing is written past the size given.
    EXPECT_TRUE(std::all_of(small.begin() + 200, small.end(), [](uint8_t b) { return b == 0xEE; }));

    uint32_t written = 99;
    EXPECT_EQ(api_.ZelQueryScanList(handle_, small.data(), 3), 1);
    EXPECT_LT(api_.ZelQueryScanListLength(handle_, small.data(), 3, &written), 0);
    EXPECT_EQ(written, 0u);
    EXPECT_LT(api_.ZelQueryScanListLength(handle_, small.data(), 300, nullptr), 0);
    EXPECT_EQ(api_.ZelQueryScanList(handle_, nullptr, kScanListBufferSize), 1);
}

TEST_F(ScanList, TheRadioOffHearsNothing) {
    ASSERT_EQ(api_.ZelSetRadioControl(handle_, 0), 0);
    EXPECT_EQ(api_.ZelScan(handle_), 1);
    buffer_ = scanList(false);
    EXPECT_EQ(simtest::le32(buffer_.data()), 0u);
}

TEST_F(ScanList, TheListIsTheLastScanUntilTheNextOne) {
    // The network moves away after the scan: the list keeps it until the card scans again.
    sim_->load(simtest::kCard);
    buffer_ = scanList(false);
    EXPECT_EQ(simtest::le32(buffer_.data()), 6u);
    ASSERT_EQ(api_.ZelScan(handle_), 0);
    buffer_ = scanList(false);
    EXPECT_EQ(simtest::le32(buffer_.data()), 0u);
}

}  // namespace
