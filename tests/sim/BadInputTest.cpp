// What callers may get wrong: handles that are not the open card's, null pointers, short
// buffers, overlong texts and values out of range. Each is refused with the operation's
// failure result, and nothing is written past a buffer or into an out-argument.
#include <gtest/gtest.h>

#include <algorithm>

#include "SimFixtures.h"

namespace {

const std::string kWorld = R"(
network
    ssid "Open"
    bssid 00:11:22:33:00:01
    channel 1
)";

class BadInput : public simtest::CardTest {
protected:
    void SetUp() override { start(kWorld); }
};

// A buffer with guard bytes after the part handed to the library.
struct Guarded {
    explicit Guarded(size_t size) : bytes(size + 16, 0xEE), size(size) {}
    uint8_t* data() { return bytes.data(); }
    char* text() { return reinterpret_cast<char*>(bytes.data()); }
    bool guardsIntact() const {
        return std::all_of(bytes.begin() + size, bytes.end(), [](uint8_t b) { return b == 0xEE; });
    }
    std::vector<uint8_t> bytes;
    size_t size;
};

TEST_F(BadInput, AHandleThatIsNotTheOpenCardsFailsEverything) {
    ZelHandle wrong = reinterpret_cast<ZelHandle>(reinterpret_cast<uintptr_t>(handle_) + 1);
    const ZelApi& a = api_;
    uint32_t value = 77;
    int32_t rssi = 77;
    char text[64] = "unchanged";
    uint8_t bytes[64] = {9};
    for (ZelHandle h : {wrong, static_cast<ZelHandle>(nullptr)}) {
        EXPECT_EQ(a.ZelSetGUIMonitorMode(h, 0), 1);
        EXPECT_EQ(a.ZelUnlockPages(h), 1);
        EXPECT_EQ(a.ZelGetMacAddress(h, bytes, 6), 1);
        EXPECT_EQ(a.ZelQueryDeviceDesc(h, text, sizeof text), 1);
        EXPECT_EQ(a.ZelQueryChipVersion(h, &value), 1);
        EXPECT_EQ(a.ZelQueryDriverDate(h, text, sizeof text), 1);
        EXPECT_EQ(a.ZelGetConnectStatus(h), 0);
        EXPECT_EQ(a.ZelQueryRssi(h, &rssi), 1);
        EXPECT_EQ(a.ZelQueryLinkSpeed(h, &value), 1);
        EXPECT_EQ(a.ZelQuerySsid(h, text, 32), 1);
        EXPECT_EQ(a.ZelSetSsid(h, "Open", 4, 0), 1);
        EXPECT_EQ(a.ZelQueryBssid(h, bytes, 6), 1);
        EXPECT_EQ(a.ZelQueryAuthMode(h, &value), 1);
        EXPECT_EQ(a.ZelSetAuthMode(h, 0), 1);
        EXPECT_EQ(a.ZelQueryWepKey(h, 1, bytes, sizeof bytes, &value), 1);
        EXPECT_EQ(a.ZelScan(h), 1);
        EXPECT_EQ(a.ZelQueryScanList(h, bytes, sizeof bytes), 1);
        EXPECT_EQ(a.ZelQueryScanListLength(h, bytes, sizeof bytes, &value), -1);
        EXPECT_EQ(a.ZelWPAPortDown(h), 1);
        EXPECT_EQ(a.ZelResetStatistics(h), 1);
        EXPECT_EQ(a.ZelQueryMacRegister(h, 0, &value), 1);
        EXPECT_EQ(a.ZelQueryRegistryPath(h, text, sizeof text), 1);
        EXPECT_EQ(a.ZelRadarDetected(h), 1);
        EXPECT_EQ(a.ZelQueryDhcp9x(h), 0);
    }
    EXPECT_EQ(value, 0u);  // only the failed scan list length reports 0 bytes written
    EXPECT_EQ(rssi, 77);
    EXPECT_STREQ(text, "unchanged");
    EXPECT_EQ(bytes[0], 9);
}

TEST_F(BadInput, NullPointersAreRefused) {
    const ZelApi& a = api_;
    const ZelHandle h = handle_;
    EXPECT_EQ(a.ZelQueryNetworkMode(h, nullptr), 1);
    EXPECT_EQ(a.ZelQueryRssi(h, nullptr), 1);
    EXPECT_EQ(a.ZelQueryLinkSpeed(h, nullptr), 1);
    EXPECT_EQ(a.ZelQuerySsid(h, nullptr, 32), 1);
    EXPECT_EQ(a.ZelSetSsid(h, nullptr, 4, 0), 1);
    EXPECT_EQ(a.ZelQueryBssid(h, nullptr, 6), 1);
    EXPECT_EQ(a.ZelSetBssid(h, nullptr, 6), 1);
    EXPECT_EQ(a.ZelQueryWepKey(h, 1, nullptr, 32, nullptr), 1);
    EXPECT_EQ(a.ZelSetWepKey(h, 1, nullptr, 5, 1), 1);
    EXPECT_EQ(a.ZelQueryProfileInUse(h, nullptr, 40), 1);
    EXPECT_EQ(a.ZelSsidScan(h, nullptr, 1), 1);
    EXPECT_EQ(a.ZelBssidScan(h, nullptr, 6), 1);
    EXPECT_EQ(a.ZelSetWPAInformation(h, 1, 2, 2, nullptr, "Open"), 1);
    EXPECT_EQ(a.ZelSetWPAInformation(h, 1, 2, 2, "passphrase", nullptr), 1);
    EXPECT_EQ(a.ZelWPACreateIdentityLEAP(nullptr, "", "pw"), 1);
    EXPECT_EQ(a.ZelWPACreateIdentityPEAP("user", nullptr, "pw"), 1);
    EXPECT_EQ(a.ZelWPACreateIdentityTtls("user", "", "pw", nullptr), 1);
    EXPECT_EQ(a.ZelWPACreateIdentityTLS("user", nullptr), 1);
    EXPECT_EQ(a.ZelQueryStatistics(h, nullptr), 1);
    EXPECT_EQ(a.ZelQueryRssiStat(h, nullptr), 1);
    EXPECT_EQ(a.ZelQueryBeaconStatistics(h, nullptr), 1);
    EXPECT_EQ(a.ZelQueryBbRegister(h, 1, nullptr), 1);
    EXPECT_EQ(a.ZelQueryRegistryPath(h, nullptr, 400), 1);
    char text[100];
    EXPECT_EQ(a.ZelQueryRegistry(nullptr, "NetCfgInstanceId", text, sizeof text), 1);
    EXPECT_EQ(a.ZelQueryRegistry("SOFTWARE", nullptr, text, sizeof text), 1);
    EXPECT_EQ(a.ZelQueryRegistry("SOFTWARE", "x", nullptr, 100), 1);
    EXPECT_EQ(a.ZelSetRegistry(nullptr, "ControlFlags", 0), 1);
    EXPECT_EQ(a.ZelSetRegistry("SOFTWARE", nullptr, 0), 1);
    EXPECT_EQ(a.ZelQueryWZCStatusCheck(nullptr), 1);
}

TEST_F(BadInput, OverlongAndUnendedTextsAreRefused) {
    const ZelApi& a = api_;
    const std::string longSsid(33, 's');
    EXPECT_EQ(a.ZelSetSsid(handle_, longSsid.data(), 33, 0), 1);
    EXPECT_EQ(a.ZelSetSsid(handle_, "Open", 0, 0), 1);
    ZEL_SSID_SCAN request{};
    request.SsidLength = 33;
    EXPECT_EQ(a.ZelSsidScan(handle_, &request, 1), 1);
    request.SsidLength = 4;
    EXPECT_EQ(a.ZelSsidScan(handle_, &request, 3), 1);

    // Texts from the profile's fields must end inside them.
    const std::string unended(200, 'x');
    EXPECT_EQ(a.ZelSetWPAInformation(handle_, 1, 2, 2, unended.c_str(), "Open"), 1);
    EXPECT_EQ(a.ZelSetWPAInformation(handle_, 1, 2, 2, "", unended.c_str()), 1);
    EXPECT_EQ(a.ZelWPACreateIdentityPEAP(unended.c_str(), "", "pw"), 1);
    EXPECT_EQ(a.ZelWPACreateIdentityTtls("u", "", "pw", unended.c_str()), 1);
    EXPECT_EQ(a.ZelSetProfileInUse(handle_, unended.c_str(), 40), 1);
    EXPECT_EQ(a.ZelQueryRegistry(std::string(600, 'k').c_str(), "x", nullptr, 0), 1);
    EXPECT_EQ(a.ZelSetRegistry("SOFTWARE", std::string(300, 'n').c_str(), 0), 1);
}

TEST_F(BadInput, ValuesOutOfRangeAreRefused) {
    const ZelApi& a = api_;
    EXPECT_EQ(a.ZelSetWPAInformation(handle_, 3, 2, 2, "", "Open"), 1);
    EXPECT_EQ(a.ZelSetWPAInformation(handle_, 1, 18, 2, "", "Open"), 1);
    EXPECT_EQ(a.ZelSetWPAInformation(handle_, 1, 2, 4, "", "Open"), 1);
    EXPECT_EQ(a.ZelSetFswCCXNetworkEap(handle_, 2), 1);
    EXPECT_EQ(a.ZelSetWepStatus(handle_, 2), 1);  // "key absent" is a state, not a setting
    const uint8_t key[40] = {};
    EXPECT_EQ(a.ZelSetWepKey(handle_, 0, key, 5, 1), 1);
    EXPECT_EQ(a.ZelSetWepKey(handle_, 5, key, 5, 1), 1);
    EXPECT_EQ(a.ZelSetWepKey(handle_, 1, key, 6, 1), 1);
    EXPECT_EQ(a.ZelSetWepKey(handle_, 1, key, 33, 1), 1);
    EXPECT_EQ(a.ZelSetBssid(handle_, key, 5), 1);
    EXPECT_EQ(a.ZelBssidScan(handle_, key, 7), 1);
    uint32_t length = 0;
    EXPECT_EQ(a.ZelQueryWepKey(handle_, 5, nullptr, 0, &length), 1);
}

TEST_F(BadInput, ShortBuffersAreNeverOverrun) {
    const ZelApi& a = api_;
    ASSERT_EQ(setSsid("Open"), 0);
    sim_->advance(500);

    // The SSID fills what there is and is terminated only when there is room.
    Guarded ssid(3);
    ASSERT_EQ(a.ZelQuerySsid(handle_, ssid.text(), 3), 0);
    EXPECT_EQ(std::string(ssid.text(), 3), "Ope");
    EXPECT_TRUE(ssid.guardsIntact());

    Guarded bssid(5);
    EXPECT_EQ(a.ZelQueryBssid(handle_, bssid.data(), 5), 1);
    EXPECT_TRUE(bssid.guardsIntact());

    Guarded path(20);
    EXPECT_EQ(a.ZelQueryRegistryPath(handle_, path.text(), 20), 1);
    EXPECT_EQ(path.text()[0], '\0');
    EXPECT_TRUE(path.guardsIntact());

    Guarded version(1);
    EXPECT_EQ(a.ZelQueryDriverVersion(handle_, version.text(), 1), 1);
    EXPECT_TRUE(version.guardsIntact());

    // A WEP key larger than the buffer: its length is told, its bytes are not written.
    const uint8_t key[13] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    ASSERT_EQ(a.ZelSetWepKey(handle_, 2, key, 13, 0), 0);
    Guarded small(5);
    uint32_t length = 0;
    EXPECT_EQ(a.ZelQueryWepKey(handle_, 2, small.data(), 5, &length), 1);
    EXPECT_EQ(length, 13u);
    EXPECT_TRUE(small.guardsIntact());
    Guarded whole(13);
    ASSERT_EQ(a.ZelQueryWepKey(handle_, 2, whole.data(), 13, &length), 0);
    EXPECT_EQ(std::vector<uint8_t>(whole.bytes.begin(), whole.bytes.begin() + 13),
              std::vector<uint8_t>(key, key + 13));
    EXPECT_TRUE(whole.guardsIntact());

    // A registry value that is missing leaves an empty text.
    char value[16] = "stale";
    EXPECT_EQ(a.ZelQueryRegistry("SOFTWARE\\Nothing", "Here", value, sizeof value), 1);
    EXPECT_STREQ(value, "");
}

}  // namespace
