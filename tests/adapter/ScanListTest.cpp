#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapter/ScanList.h"
#include "profiles/Profile.h"
#include "tests/adapter/ScanListBuilder.h"
#include "tests/support/ZelRecorder.h"

using scan::Layout;
using scantest::element;
using scantest::Network;
using testing::ElementsAre;

namespace {

std::vector<std::string> ssidsOf(const scan::ScanList& list) {
    std::vector<std::string> ssids;
    for (const scan::Entry entry : list) ssids.push_back(entry.ssid());
    return ssids;
}

Network named(const std::string& ssid) {
    Network n;
    n.ssid = ssid;
    return n;
}

}  // namespace

TEST(ScanListWalk, VisitsEveryRecordInBufferOrder) {
    const auto buffer =
        scantest::scanList({named("alpha"), named("beta"), named("gamma")}, Layout::ScanList);
    EXPECT_THAT(ssidsOf(scan::ScanList(buffer, Layout::ScanList)),
                ElementsAre("alpha", "beta", "gamma"));
}

TEST(ScanListWalk, StopsAtTheDeclaredNumberOfItems) {
    const auto buffer = scantest::scanList({named("alpha"), named("beta"), named("gamma")},
                                           Layout::ScanList, kScanListBufferSize, 2);
    EXPECT_THAT(ssidsOf(scan::ScanList(buffer, Layout::ScanList)), ElementsAre("alpha", "beta"));
}

TEST(ScanListWalk, AnEmptyListReadsNoRecord) {
    auto buffer = scantest::scanList({named("never")}, Layout::ScanList, kScanListBufferSize, 0);
    EXPECT_TRUE(ssidsOf(scan::ScanList(buffer, Layout::ScanList)).empty());
    EXPECT_FALSE(scan::ScanList(buffer, Layout::ScanList).at(0));
}

TEST(ScanListWalk, EndsAtARecordOfZeroLength) {
    Network broken = named("broken");
    broken.length = 0;
    const auto buffer =
        scantest::scanList({named("first"), broken, named("after")}, Layout::ScanList);
    EXPECT_THAT(ssidsOf(scan::ScanList(buffer, Layout::ScanList)), ElementsAre("first"));
}

TEST(ScanListWalk, EndsAtARecordShorterThanItsFixedFields) {
    Network shortRecord = named("short");
    shortRecord.length = 119;
    auto buffer = scantest::scanList({named("first"), shortRecord}, Layout::ScanList);
    EXPECT_THAT(ssidsOf(scan::ScanList(buffer, Layout::ScanList)), ElementsAre("first"));

    // A record of ZelQueryScanListLength needs its IELength field.
    Network full = named("full");
    full.length = 115;
    buffer = scantest::scanList({full}, Layout::ScanListLength);
    EXPECT_TRUE(ssidsOf(scan::ScanList(buffer, Layout::ScanListLength)).empty());
    full.length = 116;
    buffer = scantest::scanList({full}, Layout::ScanListLength);
    EXPECT_THAT(ssidsOf(scan::ScanList(buffer, Layout::ScanListLength)), ElementsAre("full"));
}

TEST(ScanListWalk, EndsAtARecordThatRunsPastTheData) {
    auto buffer = scantest::scanList({named("first"), named("second")}, Layout::ScanList, 0);
    // Cut the buffer inside the second record.
    const size_t secondEnd = buffer.size();
    EXPECT_THAT(ssidsOf(scan::ScanList(buffer.data(), secondEnd - 1, Layout::ScanList)),
                ElementsAre("first"));
    EXPECT_THAT(ssidsOf(scan::ScanList(buffer.data(), secondEnd, Layout::ScanList)),
                ElementsAre("first", "second"));
    // A huge count over tiny data reads nothing beyond it.
    buffer = scantest::scanList({named("only")}, Layout::ScanList, 0, 0xFFFFFFFFu);
    EXPECT_THAT(ssidsOf(scan::ScanList(buffer, Layout::ScanList)), ElementsAre("only"));
    EXPECT_TRUE(ssidsOf(scan::ScanList(buffer.data(), 3, Layout::ScanList)).empty());
}

TEST(ScanListFind, ByPosition) {
    const auto buffer = scantest::scanList({named("a"), named("b"), named("c")}, Layout::ScanList);
    const scan::ScanList list(buffer, Layout::ScanList);
    EXPECT_EQ(list.at(0)->ssid(), "a");
    EXPECT_EQ(list.at(2)->ssid(), "c");
    EXPECT_FALSE(list.at(3));
    EXPECT_FALSE(list.at(-1));
}

TEST(ScanListFind, ByBssidTakesTheFirstMatch) {
    Network a = named("a"), b = named("b"), c = named("c");
    a.bssid = {1, 2, 3, 4, 5, 6};
    b.bssid = {0, 0x1D, 0x6A, 0, 0, 9};
    c.bssid = b.bssid;
    const auto buffer = scantest::scanList({a, b, c}, Layout::ScanList);
    const scan::ScanList list(buffer, Layout::ScanList);
    EXPECT_EQ(list.find(b.bssid)->ssid(), "b");
    EXPECT_EQ(list.find(a.bssid)->ssid(), "a");
    EXPECT_FALSE(list.find({9, 9, 9, 9, 9, 9}));
}

TEST(ScanEntry, ReadsTheFieldsOfARecord) {
    Network n = named("Office");
    n.bssid = {0x00, 0x1d, 0x6a, 0xab, 0x0c, 0xff};
    n.privacy = 1;
    n.rssi = -71;
    n.frequencyKhz = 2462000;
    n.infrastructureMode = 0;
    n.band = scan::Band80211g;
    const auto buffer = scantest::scanList({n}, Layout::ScanList);
    const scan::Entry e = *scan::ScanList(buffer, Layout::ScanList).at(0);
    EXPECT_EQ(e.bssidText(), "00-1D-6A-AB-0C-FF");
    EXPECT_EQ(e.bssid(), n.bssid);
    EXPECT_EQ(e.ssid(), "Office");
    EXPECT_TRUE(e.privacy());
    EXPECT_EQ(e.rssi(), -71);
    EXPECT_EQ(e.frequencyKhz(), 2462000u);
    EXPECT_EQ(e.channel(), 11u);
    EXPECT_TRUE(e.isAdHoc());
    EXPECT_EQ(e.driverBand(), scan::Band80211g);
    EXPECT_EQ(e.band(), scan::Band80211b);
    EXPECT_EQ(e.signalPercent(), 62);
}

TEST(ScanEntry, EveryNonZeroInfrastructureModeIsInfrastructure) {
    Network n = named("ap");
    n.infrastructureMode = 2;
    const auto buffer = scantest::scanList({n}, Layout::ScanList);
    EXPECT_FALSE(scan::ScanList(buffer, Layout::ScanList).at(0)->isAdHoc());
}

TEST(ScanEntry, HiddenAndOverlongSsids) {
    Network hidden = named("");
    Network overlong = named(std::string(32, 'x'));
    overlong.ssidLength = 33;
    const auto buffer = scantest::scanList({hidden, overlong}, Layout::ScanList);
    const scan::ScanList list(buffer, Layout::ScanList);
    EXPECT_EQ(list.at(0)->ssid(), "");
    EXPECT_TRUE(list.at(0)->ssidFits());
    EXPECT_FALSE(list.at(1)->ssidFits());
    EXPECT_EQ(list.at(1)->ssid().size(), 32u);  // never more than the field
}

TEST(ScanEntry, RecordsOfTheFullListHaveNoDriverBand) {
    const auto buffer = scantest::scanList({named("x")}, Layout::ScanListLength);
    EXPECT_FALSE(scan::ScanList(buffer, Layout::ScanListLength).at(0)->driverBand());
}

TEST(ScanEntry, ElementsStayInsideTheRecord) {
    Network n = named("x");
    n.elements = element(0, {'x'});
    const auto e1 = element(221, {0x00, 0x1D, 0x6A, 0, 0, 7, 1});
    n.elements.insert(n.elements.end(), e1.begin(), e1.end());
    n.elements.push_back(48);  // an element cut after its id
    auto buffer = scantest::scanList({n}, Layout::ScanList);
    std::vector<std::pair<int, int>> seen;
    for (const scan::Element el : scan::ScanList(buffer, Layout::ScanList).at(0)->elements()) {
        seen.emplace_back(el.id, el.length);
    }
    EXPECT_THAT(seen, ElementsAre(std::pair(0, 1), std::pair(221, 7)));

    // An element whose length runs past the record is not visited.
    n.elements = {221, 200, 1, 2, 3};
    buffer = scantest::scanList({n}, Layout::ScanList);
    const auto elements = scan::ScanList(buffer, Layout::ScanList).at(0)->elements();
    EXPECT_FALSE(elements.begin() != elements.end());
}

TEST(ScanBand, FrequencyAbove5GHzIs80211a) {
    const std::array<uint8_t, 16> bOnly = {0x82, 0x84, 0x8B, 0x96};
    EXPECT_EQ(scan::classifyBand(5000001, bOnly), scan::Band80211a);
    EXPECT_EQ(scan::classifyBand(5000000, bOnly), scan::Band80211b);
}

TEST(ScanBand, RatesDecideBetweenBAndG) {
    using Rates = std::array<uint8_t, 16>;
    EXPECT_EQ(scan::classifyBand(2412000, Rates{0x02, 0x04, 0x0B, 0x16}), scan::Band80211b);
    EXPECT_EQ(scan::classifyBand(2412000, Rates{0x02, 0x04, 0x0B, 0x16, 0x0C}), scan::Band80211b);
    EXPECT_EQ(scan::classifyBand(2412000, Rates{0x02, 0x04, 0x0B, 0x16, 0x12}), scan::Band80211g);
    EXPECT_EQ(scan::classifyBand(2412000, Rates{0x02, 0x04, 0x0B, 0x16, 0x18}), scan::Band80211g);
    // 19 counts as 18 once the lowest bit is cleared; 23 as 22 is not above 11 Mbit/s.
    EXPECT_EQ(scan::classifyBand(2412000, Rates{0x13}), scan::Band80211g);
    EXPECT_EQ(scan::classifyBand(2412000, Rates{0x17}), scan::Band80211b);
    // Basic-rate flags change nothing.
    EXPECT_EQ(scan::classifyBand(2412000, Rates{0x82, 0x84, 0x8B, 0x96}), scan::Band80211b);
    EXPECT_EQ(scan::classifyBand(2412000, Rates{0x82, 0x84, 0x8B, 0x96, 0x92}), scan::Band80211g);
    EXPECT_EQ(scan::classifyBand(2412000, Rates{0x82, 0x84, 0x8B, 0x96, 0x8C}), scan::Band80211b);
}

TEST(ScanBand, AZeroRateOrTheFourteenthEndsTheExamination) {
    using Rates = std::array<uint8_t, 16>;
    EXPECT_EQ(scan::classifyBand(2412000, Rates{0x02, 0x00, 0x6C}), scan::Band80211b);
    EXPECT_EQ(scan::classifyBand(2412000, Rates{0x80, 0x6C}), scan::Band80211b);
    Rates late{};
    late.fill(0x02);
    late[13] = 0x6C;
    EXPECT_EQ(scan::classifyBand(2412000, late), scan::Band80211g);
    late[13] = 0x02;
    late[14] = 0x6C;
    late[15] = 0x6C;
    EXPECT_EQ(scan::classifyBand(2412000, late), scan::Band80211b);
}

TEST(ScanChannel, TwoPointFourGigahertz) {
    EXPECT_EQ(scan::channelFromFrequency(2412000), 1u);
    EXPECT_EQ(scan::channelFromFrequency(2417999), 2u);  // kHz are truncated to MHz
    EXPECT_EQ(scan::channelFromFrequency(2437000), 6u);
    EXPECT_EQ(scan::channelFromFrequency(2472000), 13u);
    EXPECT_EQ(scan::channelFromFrequency(2484000), 14u);
    EXPECT_EQ(scan::channelFromFrequency(2400000), 0u);
    EXPECT_EQ(scan::channelFromFrequency(2411999), 0u);
    EXPECT_EQ(scan::channelFromFrequency(0), 0u);
    EXPECT_EQ(scan::channelFromFrequency(2485000), 0u);
    EXPECT_EQ(scan::channelFromFrequency(5179999), 0u);
}

TEST(ScanChannel, FiveGigahertzSubBands) {
    EXPECT_EQ(scan::channelFromFrequency(5180000), 36u);
    EXPECT_EQ(scan::channelFromFrequency(5240000), 48u);
    EXPECT_EQ(scan::channelFromFrequency(5259999), 48u);
    EXPECT_EQ(scan::channelFromFrequency(5260000), 52u);
    EXPECT_EQ(scan::channelFromFrequency(5320000), 64u);
    // Between and beyond the sub-bands there is no channel.
    EXPECT_EQ(scan::channelFromFrequency(5339999), 64u);
    EXPECT_EQ(scan::channelFromFrequency(5340000), 0u);
    EXPECT_EQ(scan::channelFromFrequency(5500000), 0u);
    EXPECT_EQ(scan::channelFromFrequency(5744999), 0u);
    EXPECT_EQ(scan::channelFromFrequency(5844999), 165u);
    EXPECT_EQ(scan::channelFromFrequency(5845000), 0u);
    EXPECT_EQ(scan::channelFromFrequency(0xFFFFFFFFu), 0u);
    EXPECT_EQ(scan::channelFromFrequency(5745000), 149u);
    EXPECT_EQ(scan::channelFromFrequency(5825000), 165u);
}

TEST(ScanSignal, PercentageOfTheCappedSum) {
    EXPECT_EQ(scan::signalPercent(-50), 100);
    EXPECT_EQ(scan::signalPercent(-56), 100);
    EXPECT_EQ(scan::signalPercent(-57), 97);
    EXPECT_EQ(scan::signalPercent(-76), 50);
    EXPECT_EQ(scan::signalPercent(-95), 2);
    EXPECT_EQ(scan::signalPercent(-96), 0);
    EXPECT_EQ(scan::signalPercent(-97), 0);
    EXPECT_EQ(scan::signalPercent(INT32_MIN), 0);
    EXPECT_EQ(scan::signalPercent(INT32_MAX), 100);
    EXPECT_EQ(scan::signalLevel(-61), 35);
    EXPECT_EQ(scan::signalLevel(-20), 40);
    EXPECT_EQ(scan::signalLevel(-100), 0);
}

namespace {

const scan::Bssid kTarget = {0x00, 0x1D, 0x6A, 0x01, 0x02, 0x03};

// WPA element body: OUI+type, version, group suite, one pairwise suite, one AKM suite.
std::vector<uint8_t> wpaBody(uint8_t pairwise, uint8_t keyManagement) {
    return {0x00, 0x50, 0xF2, 0x01, 0x01,     0x00, 0x00, 0x50, 0xF2, pairwise, 0x01,
            0x00, 0x00, 0x50, 0xF2, pairwise, 0x01, 0x00, 0x00, 0x50, 0xF2,     keyManagement};
}

// RSN element body: version, group suite, one pairwise suite, one AKM suite.
std::vector<uint8_t> rsnBody(uint8_t pairwise, uint8_t keyManagement) {
    return {0x01, 0x00, 0x00,     0x0F, 0xAC, pairwise, 0x01, 0x00, 0x00,
            0x0F, 0xAC, pairwise, 0x01, 0x00, 0x00,     0x0F, 0xAC, keyManagement};
}

scan::Security detect(const std::vector<uint8_t>& elements, std::optional<uint32_t> ieLength = {}) {
    Network other = named("other");
    other.elements = element(48, rsnBody(4, 2));
    Network n = named("target");
    n.bssid = kTarget;
    n.privacy = 1;
    n.elements = elements;
    n.ieLength = ieLength;
    const auto buffer = scantest::scanList({other, n}, Layout::ScanListLength);
    return scan::detectSecurity(buffer.data(), buffer.size(), kTarget);
}

std::vector<uint8_t> join(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

constexpr scan::Security kOpenWithWep{SecurityOpenSystem, EncryptionWep};

}  // namespace

TEST(ScanSecurity, RsnAndWpaElements) {
    EXPECT_EQ(detect(element(48, rsnBody(4, 2))), (scan::Security{SecurityWpa2Psk, EncryptionAes}));
    EXPECT_EQ(detect(element(48, rsnBody(2, 1))),
              (scan::Security{SecurityGroupWpa2, EncryptionTkip}));
    EXPECT_EQ(detect(element(221, wpaBody(2, 1))),
              (scan::Security{SecurityGroupWpa, EncryptionTkip}));
    EXPECT_EQ(detect(element(221, wpaBody(4, 2))), (scan::Security{SecurityWpaPsk, EncryptionAes}));
    EXPECT_EQ(detect(element(221, wpaBody(1, 2))), (scan::Security{SecurityWpaPsk, EncryptionWep}));
    EXPECT_EQ(detect(element(48, rsnBody(5, 2))), (scan::Security{SecurityWpa2Psk, EncryptionWep}));
    // Unknown suites.
    EXPECT_EQ(detect(element(48, rsnBody(3, 5))),
              (scan::Security{SecurityOpenSystem, EncryptionOff}));
    EXPECT_EQ(detect(element(221, wpaBody(6, 0))),
              (scan::Security{SecurityOpenSystem, EncryptionOff}));
}

TEST(ScanSecurity, SuitesOfAnotherOuiAreOtherSuites) {
    auto body = rsnBody(4, 2);
    body[10] = 0x50;  // the pairwise suite's OUI
    EXPECT_EQ(detect(element(48, body)), (scan::Security{SecurityWpa2Psk, EncryptionOff}));
}

TEST(ScanSecurity, TheFirstDecidingElementWins) {
    const auto vendorOpen = element(221, {0x00, 0x40, 0x96, 0x04, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(detect(join(vendorOpen, element(48, rsnBody(4, 2)))),
              (scan::Security{SecurityOpenSystem, EncryptionOff}));
    EXPECT_EQ(detect(join(element(48, rsnBody(4, 2)), element(221, wpaBody(2, 1)))),
              (scan::Security{SecurityWpa2Psk, EncryptionAes}));
    // Other elements are passed over.
    const auto ssid = element(0, {'t', 'a', 'r', 'g', 'e', 't'});
    const auto vendorOther = element(221, {0x00, 0x1D, 0x6A, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(detect(join(join(ssid, vendorOther), element(221, wpaBody(2, 2)))),
              (scan::Security{SecurityWpaPsk, EncryptionTkip}));
}

TEST(ScanSecurity, ElementsOfTwelveBytesOrLessArePassedOver) {
    auto shortRsn = rsnBody(4, 2);
    shortRsn.resize(12);
    EXPECT_EQ(detect(element(48, shortRsn)), kOpenWithWep);
    EXPECT_EQ(detect(join(element(48, shortRsn), element(221, wpaBody(2, 2)))),
              (scan::Security{SecurityWpaPsk, EncryptionTkip}));
}

TEST(ScanSecurity, SuitesBeyondTheirElementAreOtherSuites) {
    // 13 bytes: long enough to count, too short for either suite of a WPA element.
    auto wpa = wpaBody(2, 2);
    wpa.resize(13);
    EXPECT_EQ(detect(element(221, wpa)), (scan::Security{SecurityOpenSystem, EncryptionOff}));
    // The pairwise suite fits, the key management suite does not.
    auto rsn = rsnBody(4, 2);
    rsn.resize(17);
    EXPECT_EQ(detect(element(48, rsn)), (scan::Security{SecurityOpenSystem, EncryptionAes}));
}

TEST(ScanSecurity, NothingDecidesOpenSystemWithWep) {
    EXPECT_EQ(detect({}), kOpenWithWep);
    EXPECT_EQ(detect(element(0, {'t'})), kOpenWithWep);
    // IELength of 12 or less leaves no element bytes, even when some follow.
    EXPECT_EQ(detect(element(48, rsnBody(4, 2)), 12), kOpenWithWep);
    EXPECT_EQ(detect(element(48, rsnBody(4, 2)), 3), kOpenWithWep);
    // IELength cuts the elements short: the RSN element no longer fits.
    EXPECT_EQ(detect(element(48, rsnBody(4, 2)), 12 + 10), kOpenWithWep);
    // IELength beyond the record: only the record's bytes are read.
    EXPECT_EQ(detect(element(48, rsnBody(4, 2)), 5000),
              (scan::Security{SecurityWpa2Psk, EncryptionAes}));
    // An unknown BSSID.
    const auto buffer = scantest::scanList({named("x")}, Layout::ScanListLength);
    EXPECT_EQ(scan::detectSecurity(buffer.data(), buffer.size(), kTarget), kOpenWithWep);
}

TEST(ScanSecurity, ReadsTheListWithScanListLength) {
    ZelRecorder zel;
    int card;
    zel.name(&card, "card");
    Network n = named("target");
    n.bssid = kTarget;
    n.elements = element(48, rsnBody(2, 2));
    const auto list = scantest::scanList({n}, Layout::ScanListLength, 0);
    int32_t result = 0;
    uint32_t written = static_cast<uint32_t>(list.size());
    zel.on.ZelQueryScanListLength = [&](ZelHandle, uint8_t* buffer, uint32_t size, uint32_t* out) {
        std::copy(list.begin(), list.end(), buffer);
        std::fill(buffer + list.size(), buffer + size, 0xEE);  // garbage past what was written
        *out = written;
        return result;
    };
    EXPECT_EQ(scan::detectSecurity(zel.api(), &card, kTarget),
              (scan::Security{SecurityWpa2Psk, EncryptionTkip}));
    EXPECT_THAT(zel.takeCalls(), ElementsAre("ZelQueryScanListLength(card, ptr, 24576, ptr)"));

    result = 1;  // a positive result is still a success
    EXPECT_EQ(scan::detectSecurity(zel.api(), &card, kTarget),
              (scan::Security{SecurityWpa2Psk, EncryptionTkip}));
    result = -1;
    EXPECT_EQ(scan::detectSecurity(zel.api(), &card, kTarget), kOpenWithWep);
    result = 0;
    written = 0;
    EXPECT_EQ(scan::detectSecurity(zel.api(), &card, kTarget), kOpenWithWep);
    // The walk is bounded by the bytes written: the record no longer fits.
    written = static_cast<uint32_t>(list.size() - 1);
    EXPECT_EQ(scan::detectSecurity(zel.api(), &card, kTarget), kOpenWithWep);
}

TEST(ScanQuery, ReadsIntoAZeroedBufferOfTheFullSize) {
    ZelRecorder zel;
    std::vector<uint8_t> buffer(10, 0xAB);
    zel.on.ZelQueryScanList = [](ZelHandle, uint8_t* bytes, uint32_t size) {
        EXPECT_EQ(size, kScanListBufferSize);
        EXPECT_EQ(bytes[size - 1], 0);
        bytes[0] = 1;
        return 0;
    };
    EXPECT_TRUE(scan::queryScanList(zel.api(), nullptr, buffer));
    EXPECT_EQ(buffer.size(), kScanListBufferSize);
    EXPECT_EQ(buffer[0], 1);
    zel.on.ZelQueryScanList = [](ZelHandle, uint8_t*, uint32_t) { return 5; };
    EXPECT_FALSE(scan::queryScanList(zel.api(), nullptr, buffer));
    EXPECT_THAT(zel.calls(), ElementsAre("ZelQueryScanList(null, ptr, 24576)",
                                         "ZelQueryScanList(null, ptr, 24576)"));
}

TEST(ScanRequest, SsidAndAllChannels) {
    const ZEL_SSID_SCAN request = scan::makeSsidScan("Home");
    EXPECT_EQ(request.SsidLength, 4u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(request.Ssid), 4), "Home");
    EXPECT_EQ(request.Ssid[4], 0);
    for (int i = 0; i < 14; ++i) EXPECT_EQ(request.Channels[i], i + 1);
    EXPECT_EQ(request.Padding[0], 0);
    EXPECT_EQ(request.Padding[1], 0);

    const ZEL_SSID_SCAN longest = scan::makeSsidScan(std::string(40, 'n'));
    EXPECT_EQ(longest.SsidLength, 32u);
    EXPECT_EQ(longest.Ssid[31], 'n');
}
