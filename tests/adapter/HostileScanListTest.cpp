// Malformed scan lists, as a driver or a broken card could hand them over, grouped by
// what is wrong with them. Each buffer is exactly as long as its data, so that a read
// beyond it is seen by AddressSanitizer. Every row decodes the buffer the way every
// reader does and compares one summary of what came out.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "adapter/ScanList.h"
#include "tests/adapter/ScanListBuilder.h"
#include "tests/support/EscapedText.h"

using scan::Layout;
using scantest::element;
using scantest::Network;
using Bytes = std::vector<uint8_t>;

namespace {

Network net(const std::string& ssid) {
    Network n;
    n.ssid = ssid;
    return n;
}

Bytes list(const std::vector<Network>& networks, Layout layout = Layout::ScanList) {
    return scantest::scanList(networks, layout, 0);
}

// With a NumberOfItems of its own.
Bytes list(const std::vector<Network>& networks, Layout layout, uint32_t count) {
    return scantest::scanList(networks, layout, 0, count);
}

Bytes patched(Bytes bytes, size_t offset, uint32_t value) {
    scantest::putU32(bytes, offset, value);
    return bytes;
}

Bytes cut(Bytes bytes, size_t size) {
    bytes.resize(size);
    return bytes;
}

Bytes join(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes repeat(const Bytes& part, int times) {
    Bytes all;
    for (int i = 0; i < times; ++i) all = join(std::move(all), part);
    return all;
}

Network withLength(Network n, uint32_t length) {
    n.length = length;
    return n;
}

Network withSsidLength(Network n, uint32_t length) {
    n.ssidLength = length;
    return n;
}

Network withElements(Network n, Bytes elements, std::optional<uint32_t> ieLength = {}) {
    n.elements = std::move(elements);
    n.ieLength = ieLength;
    return n;
}

Network withFrequency(uint32_t khz) {
    Network n = net("f");
    n.frequencyKhz = khz;
    return n;
}

Network withRssi(int32_t rssi) {
    Network n = net("r");
    n.rssi = rssi;
    return n;
}

Network withRates(Bytes rates) {
    Network n = net("rates");
    n.rates = std::move(rates);
    return n;
}

Network withMode(uint32_t mode) {
    Network n = net("m");
    n.infrastructureMode = mode;
    return n;
}

// Each record as SSID ("!" when it is too long to be used) / channel / signal
// percentage / band, "~" when ad-hoc / number of elements; records separated by spaces.
std::string summary(const Bytes& bytes, Layout layout) {
    std::string out;
    for (const scan::Entry e : scan::ScanList(bytes.data(), bytes.size(), layout)) {
        int elements = 0;
        for (const scan::Element el : e.elements()) {
            static_cast<void>(el);
            ++elements;
        }
        if (!out.empty()) out += ' ';
        out += escaped(e.ssid()) + (e.ssidFits() ? "" : "!") + "/" + std::to_string(e.channel()) +
               "/" + std::to_string(e.signalPercent()) + "/" + "gba"[e.band()] +
               (e.isAdHoc() ? "~" : "") + "/" + std::to_string(elements);
    }
    return out;
}

struct Decoding {
    const char* name;
    Bytes bytes;
    Layout layout;
    std::string expected;
};

// Two good records, then the bytes of `tail` where a third would be.
Bytes twoThen(const Bytes& tail, uint32_t count = 3) {
    return join(list({net("a"), net("b")}, Layout::ScanList, count), tail);
}

std::vector<Decoding> decodings() {
    const Layout L = Layout::ScanList;
    const Layout F = Layout::ScanListLength;
    const Bytes one = list({net("a")});
    const std::string a = "a/6/100/b/0";
    std::string many;
    for (int i = 0; i < 204; ++i) many += std::string(many.empty() ? "" : " ") + "m/6/100/b/0";
    return {
        // The count and the bytes that hold it.
        {"Count_NoBytes", {}, L, ""},
        {"Count_ThreeBytes", {1, 0, 0}, L, ""},
        {"Count_OneButNoRecord", {1, 0, 0, 0}, L, ""},
        {"Count_ZeroOverRecords", list({net("a"), net("b")}, L, 0), L, ""},
        {"Count_BelowTheRecords", list({net("a"), net("b"), net("c")}, L, 1), L, a},
        {"Count_AllOnes", list({net("a")}, L, 0xFFFFFFFFu), L, a},
        {"Count_HighBit", list({net("a")}, L, 0x80000000u), L, a},
        {"Count_BeyondZeroPadding", join(list({net("a"), net("b")}, L, 5), Bytes(200, 0)), L,
         a + " b/6/100/b/0"},
        {"Count_BeyondGarbage", twoThen(Bytes(300, 0xFF)), L, a + " b/6/100/b/0"},
        {"Count_ManyFillingTheBuffer", list(std::vector<Network>(204, net("m"))), L, many},
        // Record lengths that do not fit the record or the data.
        {"Length_ZeroFirst", list({withLength(net("a"), 0), net("b")}), L, ""},
        {"Length_ZeroSecond", list({net("a"), withLength(net("b"), 0)}), L, a},
        {"Length_One", list({withLength(net("a"), 1)}), L, ""},
        {"Length_Four", list({withLength(net("a"), 4)}), L, ""},
        {"Length_BelowFixedFields", list({withLength(net("a"), 119)}), L, ""},
        {"Length_ExactlyFixedFields", list({withLength(withElements(net("a"), Bytes(9, 0)), 120)}),
         L, a},
        {"Length_FullListBelowIeLength", list({withLength(net("a"), 115)}, F), F, ""},
        {"Length_FullListWithIeLength", cut(list({withLength(net("a"), 116)}, F), 4 + 116), F, a},
        {"Length_OnePastTheData", patched(one, 4, static_cast<uint32_t>(one.size() - 3)), L, ""},
        {"Length_AllOnes", list({withLength(net("a"), 0xFFFFFFFFu)}), L, ""},
        {"Length_AllOnesSecond", list({net("a"), withLength(net("b"), 0xFFFFFFFFu)}), L, a},
        {"Length_HighBit", list({withLength(net("a"), 0x80000000u)}), L, ""},
        {"Length_IntoTheNextRecord", list({withLength(net("a"), 124), withElements(net("b"), {})}),
         L, "a/6/100/b/2"},
        {"Length_ShortOfItsElements",
         list({withLength(withElements(net("a"), Bytes(8, 0)), 120), net("b")}), L, a},
        // Data that ends inside a record.
        {"Cut_InsideTheCount", cut(one, 2), L, ""},
        {"Cut_InsideTheLength", cut(one, 6), L, ""},
        {"Cut_InsideTheFixedFields", cut(one, 64), L, ""},
        {"Cut_OneByteShort", cut(one, one.size() - 1), L, ""},
        {"Cut_InsideTheSecond", cut(list({net("a"), net("b")}), 4 + 120 + 100), L, a},
        {"Cut_FullListInsideIeLength", cut(list({net("a")}, F), 4 + 114), F, ""},
        // SSIDs: lengths, zero bytes, control characters, format directives.
        {"Ssid_Hidden", list({net("")}), L, "/6/100/b/0"},
        {"Ssid_ThirtyTwo", list({net(std::string(32, 'x'))}), L,
         std::string(32, 'x') + "/6/100/b/0"},
        {"Ssid_LengthThirtyThree", list({withSsidLength(net(std::string(32, 'x')), 33)}), L,
         std::string(32, 'x') + "!/6/100/b/0"},
        {"Ssid_LengthAllOnes", list({withSsidLength(net("y"), 0xFFFFFFFFu)}), L,
         "y" + escaped(std::string(31, '\0')) + "!/6/100/b/0"},
        {"Ssid_LengthHighBit", list({withSsidLength(net(""), 0x80000000u)}), L,
         escaped(std::string(32, '\0')) + "!/6/100/b/0"},
        {"Ssid_LengthBelowItsBytes", list({withSsidLength(net("abcdef"), 3)}), L, "abc/6/100/b/0"},
        {"Ssid_LengthBeyondItsBytes", list({withSsidLength(net("abc"), 5)}), L,
         "abc\\x00\\x00/6/100/b/0"},
        {"Ssid_ZeroByteInside", list({net(std::string("ab\0cd", 5))}), L, "ab\\x00cd/6/100/b/0"},
        {"Ssid_OnlyZeroBytes", list({net(std::string(8, '\0'))}), L,
         escaped(std::string(8, '\0')) + "/6/100/b/0"},
        {"Ssid_LineBreaksAndTabs", list({net("a\tb\r\nc")}), L, "a\\x09b\\x0D\\x0Ac/6/100/b/0"},
        {"Ssid_EscapeAndDelete", list({net("\x1B[2J\x7F")}), L, "\\x1B[2J\\x7F/6/100/b/0"},
        {"Ssid_HighBytes", list({net("\xFF\xFE\x80")}), L, "\\xFF\\xFE\\x80/6/100/b/0"},
        {"Ssid_FormatDirectives", list({net("%s%n%x%%")}), L, "%s%n%x%%/6/100/b/0"},
        {"Ssid_AnySsidText", list({net("<ANY SSID>")}), L, "<ANY SSID>/6/100/b/0"},
        // Values of the fixed fields at their extremes.
        {"Field_FrequencyZero", list({withFrequency(0)}), L, "f/0/100/b/0"},
        {"Field_FrequencyAllOnes", list({withFrequency(0xFFFFFFFFu)}), L, "f/0/100/a/0"},
        {"Field_FrequencyJustBelowChannelOne", list({withFrequency(2411999)}), L, "f/0/100/b/0"},
        {"Field_FrequencyPastChannelFourteen", list({withFrequency(2490000)}), L, "f/0/100/b/0"},
        {"Field_FrequencyBetweenSubBands", list({withFrequency(5500000)}), L, "f/0/100/a/0"},
        {"Field_FrequencyPastTheLastSubBand", list({withFrequency(5845000)}), L, "f/0/100/a/0"},
        {"Field_FrequencyAtFiveGigahertz", list({withFrequency(5000000)}), L, "f/0/100/b/0"},
        {"Field_RssiLowest", list({withRssi(INT32_MIN)}), L, "r/6/0/b/0"},
        {"Field_RssiHighest", list({withRssi(INT32_MAX)}), L, "r/6/100/b/0"},
        {"Field_RssiBelowTheScale", list({withRssi(-97)}), L, "r/6/0/b/0"},
        {"Field_RssiPositive", list({withRssi(127)}), L, "r/6/100/b/0"},
        {"Field_ModeAllOnesIsInfrastructure", list({withMode(0xFFFFFFFFu)}), L, "m/6/100/b/0"},
        {"Field_ModeZeroIsAdHoc", list({withMode(0)}), L, "m/6/100/b~/0"},
        {"Field_RatesAllOnes", list({withRates(Bytes(16, 0xFF))}), L, "rates/6/100/g/0"},
        {"Field_RatesOnlyBasicFlags", list({withRates(Bytes(16, 0x80))}), L, "rates/6/100/b/0"},
        {"Field_RatesUnterminated", list({withRates(Bytes(16, 0x02))}), L, "rates/6/100/b/0"},
        // Information elements that do not fit.
        {"Element_CutAfterItsId", list({withElements(net("e"), join(element(0, {'e'}), {48}))}), L,
         "e/6/100/b/1"},
        {"Element_LengthPastTheRecord", list({withElements(net("e"), {221, 200, 1, 2, 3})}), L,
         "e/6/100/b/0"},
        {"Element_LengthAllOnesAtTheEnd",
         list({withElements(net("e"), join(element(3, {6}), {48, 255}))}), L, "e/6/100/b/1"},
        {"Element_ManyEmpty", list({withElements(net("e"), Bytes(20, 0))}), L, "e/6/100/b/10"},
        {"Element_FillsTheRecord", list({withElements(net("e"), element(7, Bytes(255, 7)))}), L,
         "e/6/100/b/1"},
        {"Element_IeLengthZero", list({withElements(net("e"), element(0, {'e'}), 0)}, F), F,
         "e/6/100/b/0"},
        {"Element_IeLengthEleven", list({withElements(net("e"), element(0, {'e'}), 11)}, F), F,
         "e/6/100/b/0"},
        {"Element_IeLengthOnlyFixedFields",
         list({withElements(net("e"), element(0, {'e'}), 12)}, F), F, "e/6/100/b/0"},
        {"Element_IeLengthAllOnes",
         list({withElements(net("e"), repeat(element(1, {2}), 3), 0xFFFFFFFFu)}, F), F,
         "e/6/100/b/3"},
        {"Element_IeLengthInsideAnElement",
         list({withElements(net("e"), repeat(element(1, {2, 3}), 3), 12 + 6)}, F), F,
         "e/6/100/b/1"},
        {"Element_FullListRecordWithoutElementBytes",
         cut(list({withLength(withElements(net("e"), {}, 200), 120)}, F), 4 + 120), F,
         "e/6/100/b/0"},
    };
}

class HostileScanList : public testing::TestWithParam<Decoding> {};

TEST_P(HostileScanList, DecodesOnlyWhatLiesInsideTheData) {
    EXPECT_EQ(summary(GetParam().bytes, GetParam().layout), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Buffers, HostileScanList, testing::ValuesIn(decodings()),
                         [](const auto& info) { return std::string(info.param.name); });

const scan::Bssid kTarget = {0x00, 0x1D, 0x6A, 0x01, 0x02, 0x03};

Network target(Bytes elements, std::optional<uint32_t> ieLength = {}) {
    Network n = withElements(net("target"), std::move(elements), ieLength);
    n.bssid = kTarget;
    n.privacy = 1;
    return n;
}

Bytes rsn(uint8_t pairwise, uint8_t keyManagement, size_t size = 18) {
    Bytes body = {0x01, 0x00, 0x00,     0x0F, 0xAC, pairwise, 0x01, 0x00, 0x00,
                  0x0F, 0xAC, pairwise, 0x01, 0x00, 0x00,     0x0F, 0xAC, keyManagement};
    body.resize(size, 0);
    return element(48, body);
}

Bytes wpa(uint8_t pairwise, uint8_t keyManagement, size_t size = 22) {
    Bytes body = {0x00, 0x50,     0xF2, 0x01, 0x01, 0x00,         0x00, 0x50,
                  0xF2, pairwise, 0x01, 0x00, 0x00, 0x50,         0xF2, pairwise,
                  0x01, 0x00,     0x00, 0x50, 0xF2, keyManagement};
    body.resize(size, 0);
    return element(221, body);
}

Bytes vendorOpen(size_t size) {
    Bytes body = {0x00, 0x40, 0x96, 0x04};
    body.resize(size, 0);
    return element(221, body);
}

Bytes fullList(const std::vector<Network>& networks) {
    return list(networks, Layout::ScanListLength);
}

struct Detection {
    const char* name;
    Bytes bytes;
    scan::Security expected;
};

std::vector<Detection> detections() {
    const scan::Security openWep{SecurityOpenSystem, EncryptionWep};
    const scan::Security off{SecurityOpenSystem, EncryptionOff};
    const scan::Security wpa2Aes{SecurityWpa2Psk, EncryptionAes};
    Bytes wrongPairwiseOui = rsn(4, 2);
    wrongPairwiseOui[2 + 9] = 0x50;  // the pairwise suite's OUI
    Bytes wrongKeyOui = rsn(4, 2);
    wrongKeyOui[2 + 15] = 0x50;  // the key management suite's OUI
    Bytes wpaWrongType = wpa(2, 2);
    wpaWrongType[2 + 3] = 0x02;
    Bytes overlong = rsn(4, 2);
    overlong[1] = 200;
    Network first = target({});
    return {
        {"Security_NoBytes", {}, openWep},
        {"Security_NoRecord", fullList({}), openWep},
        {"Security_NoElements", fullList({target({})}), openWep},
        {"Security_RsnOfTwelveBytes", fullList({target(rsn(4, 2, 12))}), openWep},
        {"Security_RsnWithoutKeyManagement",
         fullList({target(rsn(4, 2, 13))}),
         {SecurityOpenSystem, EncryptionAes}},
        {"Security_RsnKeyManagementCutByOneByte",
         fullList({target(rsn(4, 2, 17))}),
         {SecurityOpenSystem, EncryptionAes}},
        {"Security_RsnWhole", fullList({target(rsn(4, 2))}), wpa2Aes},
        {"Security_RsnPairwiseOfAnotherOui",
         fullList({target(wrongPairwiseOui)}),
         {SecurityWpa2Psk, EncryptionOff}},
        {"Security_RsnKeyManagementOfAnotherOui",
         fullList({target(wrongKeyOui)}),
         {SecurityOpenSystem, EncryptionAes}},
        {"Security_RsnUnknownSuites", fullList({target(rsn(0xFF, 0xFF))}), off},
        {"Security_RsnOfAllBytes", fullList({target(rsn(4, 2, 255))}), wpa2Aes},
        {"Security_RsnRunningPastTheRecord", fullList({target(overlong)}), openWep},
        {"Security_RsnAfterAnElementPastTheRecord",
         fullList({target(join(Bytes{7, 250, 0}, rsn(4, 2)))}), openWep},
        {"Security_RsnBeyondIeLength",
         fullList({target(join(element(0, {'t'}), rsn(4, 2)), 12 + 3)}), openWep},
        {"Security_IeLengthBelowTheFixedFields", fullList({target(rsn(4, 2), 5)}), openWep},
        {"Security_WpaOfAnotherType", fullList({target(wpaWrongType)}), openWep},
        {"Security_WpaOfTwelveBytes", fullList({target(wpa(2, 2, 12))}), openWep},
        {"Security_WpaWithoutItsSuites", fullList({target(wpa(2, 2, 13))}), off},
        {"Security_WpaKeyManagementCut",
         fullList({target(wpa(2, 2, 21))}),
         {SecurityOpenSystem, EncryptionTkip}},
        {"Security_VendorOpenOfTwelveBytes", fullList({target(vendorOpen(12))}), openWep},
        {"Security_VendorOpenOfThirteenBytes", fullList({target(vendorOpen(13))}), off},
        {"Security_VendorOpenBeforeRsn", fullList({target(join(vendorOpen(13), rsn(4, 2)))}), off},
        {"Security_FirstOfTwoRecordsWithTheBssid", fullList({first, target(rsn(4, 2))}), openWep},
        {"Security_TargetBehindARecordOfZeroLength",
         fullList({withLength(net("x"), 0), target(rsn(4, 2))}), openWep},
        {"Security_TargetRecordWithoutElementBytes",
         cut(fullList({withLength(target(rsn(4, 2)), 120)}), 4 + 120), openWep},
        {"Security_TargetCutInsideItsRsn", cut(fullList({target(rsn(4, 2))}), 4 + 128 + 10),
         openWep},
    };
}

class HostileSecurityDetection : public testing::TestWithParam<Detection> {};

TEST_P(HostileSecurityDetection, FallsBackOnAnythingThatDoesNotFit) {
    const Bytes& bytes = GetParam().bytes;
    EXPECT_EQ(scan::detectSecurity(bytes.data(), bytes.size(), kTarget), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Buffers, HostileSecurityDetection, testing::ValuesIn(detections()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
