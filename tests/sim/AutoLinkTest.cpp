// The Auto Link exchange: joined openly, the access point takes the PIN through
// ZelSetBSSecurityInfo and ZelSetBSSetupRequest and the card posts the steps
// 0xF0000000 onward with the outcome the scenario sets; a configured access point joined
// with WPA-PSK and the PIN answers with 1008.
#include <gtest/gtest.h>

#include <algorithm>

#include "ScanBytes.h"
#include "SimFixtures.h"
#include "adapter/ZelShared.h"

namespace {

using Codes = std::vector<uint32_t>;

constexpr uint32_t kStep = 0xF0000000u;
const char kPin[] = "tiger-lily-42";

std::string accessPoint(const std::string& outcome) {
    return R"(
network
    ssid "Link"
    bssid 00:11:22:33:AA:07
    channel 8
    auto-link unconfigured 7
    auto-link-outcome )" +
           outcome + R"(
    auto-link-ssid "Linked"
)";
}

class AutoLink : public simtest::CardTest {
protected:
    // The open join of an access point that is not configured yet.
    void joinOpenly() {
        ASSERT_EQ(api_.ZelSetAuthMode(handle_, 0), 0);
        ASSERT_EQ(api_.ZelSetWepStatus(handle_, 1), 0);
        ASSERT_EQ(setSsid("Link"), 0);
        sim_->advance(500);
        ASSERT_EQ(sim_->takeEventCodes(), Codes{1});
    }

    static TSRA_BRISKSETUP_SEC_INFO securityInfo(uint8_t tag, const char* pin = kPin) {
        TSRA_BRISKSETUP_SEC_INFO info{};
        info.Length = sizeof info;
        info.ApTag = tag;
        std::memcpy(info.Pin, pin, std::strlen(pin));
        std::memcpy(info.ConstantBlock, zel::kAutoLinkConstantBlock, sizeof info.ConstantBlock);
        info.IpMode = 2;
        return info;
    }

    static TSRA_BRISKSETUP_SETUP_REQ request(uint8_t tag) {
        TSRA_BRISKSETUP_SETUP_REQ r{};
        r.Length = sizeof r;
        r.ApTag = tag;
        r.Field1 = 1;
        r.Field2 = 1;
        return r;
    }

    void runExchange(const TSRA_BRISKSETUP_SEC_INFO& info, const TSRA_BRISKSETUP_SETUP_REQ& req) {
        ASSERT_EQ(api_.ZelSetBSSecurityInfo(handle_, &info), 0);
        ASSERT_EQ(api_.ZelSetBSSetupRequest(handle_, &req), 0);
        EXPECT_TRUE(sim_->takeEventCodes().empty());
    }

    std::string setupSsid() {
        TSRA_BRISKSETUP_SSID_INFO info{};
        if (api_.ZelQueryBriskSetupAPInfo(handle_, &info) != 0) return "<failed>";
        return std::string(info.Ssid, info.Ssid + std::min<uint32_t>(info.SsidLength, 32));
    }
};

TEST_F(AutoLink, SuccessConfiguresTheAccessPointWithThePin) {
    start(accessPoint("success"));
    EXPECT_EQ(setupSsid(), "<failed>");
    joinOpenly();
    runExchange(securityInfo(7), request(7));
    // One step each 100 ms.
    sim_->advance(100);
    EXPECT_EQ(sim_->takeEventCodes(), Codes{kStep});
    sim_->advance(600);
    EXPECT_EQ(sim_->takeEventCodes(),
              (Codes{kStep + 1, kStep + 2, kStep + 3, kStep + 4, kStep + 5, kStep + 6}));
    // The access point comes back as "Linked" with WPA-PSK: the open link is gone.
    sim_->advance(100);
    EXPECT_EQ(sim_->takeEventCodes(), (Codes{0xF0000007u, 4}));
    EXPECT_FALSE(connected());
    EXPECT_EQ(setupSsid(), "Linked");

    ASSERT_EQ(api_.ZelScan(handle_), 0);
    const std::vector<uint8_t> buffer = scanList(false);
    const std::vector<simtest::Record> list = simtest::records(buffer.data(), buffer.size(), false);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].ssid(), "Linked");
    EXPECT_EQ(list[0].privacy(), 1u);
    EXPECT_EQ(list[0].p[120 + 7], 7);     // the same tag
    EXPECT_EQ(list[0].p[120 + 8], 0x02);  // now configured

    // Joined as the dialog's secured join does: WPA-PSK with TKIP and the PIN.
    ASSERT_EQ(api_.ZelSetAuthMode(handle_, 4), 0);
    ASSERT_EQ(api_.ZelSetWepStatus(handle_, 4), 0);
    char psk[128] = {};
    std::memcpy(psk, kPin, sizeof kPin);
    ASSERT_EQ(api_.ZelSetWPAInformation(handle_, 1, 2, 2, psk, "Linked"), 0);
    ASSERT_EQ(setSsid("Linked"), 0);
    sim_->advance(500);
    EXPECT_EQ(sim_->takeEventCodes(), (Codes{1, 1008}));
}

TEST_F(AutoLink, TheSetUpAccessPointOutlivesAReload) {
    start(accessPoint("success"));
    joinOpenly();
    runExchange(securityInfo(7), request(7));
    sim_->advance(800);
    sim_->load(simtest::kCard + accessPoint("success"));
    ASSERT_EQ(api_.ZelScan(handle_), 0);
    const std::vector<uint8_t> buffer = scanList(false);
    EXPECT_EQ(simtest::records(buffer.data(), buffer.size(), false).at(0).ssid(), "Linked");
}

TEST_F(AutoLink, FailureStopsAfterTheChallenge) {
    start(accessPoint("failure"));
    joinOpenly();
    runExchange(securityInfo(7), request(7));
    sim_->advance(1000);
    EXPECT_EQ(sim_->takeEventCodes(), (Codes{kStep, kStep + 1, kStep + 2, kStep + 3, 0xF0000008u}));
    EXPECT_TRUE(connected());  // still on the open access point
    EXPECT_EQ(setupSsid(), "<failed>");
}

TEST_F(AutoLink, AssociationFailureEndsTheSequence) {
    start(accessPoint("association-failure"));
    joinOpenly();
    runExchange(securityInfo(7), request(7));
    sim_->advance(1000);
    EXPECT_EQ(sim_->takeEventCodes(), (Codes{kStep, kStep + 1, kStep + 2, kStep + 3, kStep + 4,
                                             kStep + 5, kStep + 6, 0xF0000009u}));
    EXPECT_EQ(setupSsid(), "<failed>");
}

TEST_F(AutoLink, AWrongTagOrBlockFailsAtOnce) {
    start(accessPoint("success"));
    joinOpenly();
    runExchange(securityInfo(8), request(8));
    sim_->advance(1000);
    EXPECT_EQ(sim_->takeEventCodes(), (Codes{kStep, 0xF0000008u}));

    TSRA_BRISKSETUP_SEC_INFO damaged = securityInfo(7);
    damaged.ConstantBlock[100] ^= 1;
    runExchange(damaged, request(7));
    sim_->advance(1000);
    EXPECT_EQ(sim_->takeEventCodes(), (Codes{kStep, 0xF0000008u}));
}

TEST_F(AutoLink, LeavingTheAccessPointEndsTheExchange) {
    start(accessPoint("success"));
    joinOpenly();
    runExchange(securityInfo(7), request(7));
    sim_->advance(250);
    EXPECT_EQ(sim_->takeEventCodes(), (Codes{kStep, kStep + 1}));
    ASSERT_EQ(setSsid("Elsewhere"), 0);
    EXPECT_EQ(sim_->takeEventCodes(), (Codes{0, 0xF0000009u}));
    sim_->advance(2000);
    EXPECT_EQ(sim_->takeEventCodes(), Codes{5});
}

TEST_F(AutoLink, MalformedStructuresAreRefused) {
    start(accessPoint("success"));
    joinOpenly();
    TSRA_BRISKSETUP_SEC_INFO info = securityInfo(7);
    info.Length = 167;
    EXPECT_EQ(api_.ZelSetBSSecurityInfo(handle_, &info), 1);
    EXPECT_EQ(api_.ZelSetBSSecurityInfo(handle_, nullptr), 1);
    const TSRA_BRISKSETUP_SEC_INFO shortPin = securityInfo(7, "1234567");
    EXPECT_EQ(api_.ZelSetBSSecurityInfo(handle_, &shortPin), 1);
    TSRA_BRISKSETUP_SEC_INFO unended = securityInfo(7);
    std::memset(unended.Pin, 'x', sizeof unended.Pin);
    EXPECT_EQ(api_.ZelSetBSSecurityInfo(handle_, &unended), 1);
    TSRA_BRISKSETUP_SEC_INFO badMode = securityInfo(7);
    badMode.IpMode = 3;
    EXPECT_EQ(api_.ZelSetBSSecurityInfo(handle_, &badMode), 1);

    TSRA_BRISKSETUP_SETUP_REQ req = request(7);
    req.Field2 = 2;
    EXPECT_EQ(api_.ZelSetBSSetupRequest(handle_, &req), 1);
    req = request(7);
    req.Length = 9;
    EXPECT_EQ(api_.ZelSetBSSetupRequest(handle_, &req), 1);
    EXPECT_EQ(api_.ZelSetBSSetupRequest(handle_, nullptr), 1);
    EXPECT_EQ(api_.ZelQueryBriskSetupAPInfo(handle_, nullptr), 1);
    sim_->advance(1000);
    EXPECT_TRUE(sim_->takeEventCodes().empty());
}

}  // namespace
