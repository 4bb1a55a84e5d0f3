// The program's window and worker threads call the library while its own watch lets
// time pass and reloads the scenario: every call must see a whole card (run it under
// ThreadSanitizer to see the locking).
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

#include "SimFixtures.h"

namespace {

const std::string kWorld = R"(
network
    ssid "One"
    bssid 00:11:22:33:00:01
    channel 1
network
    ssid "Two"
    bssid 00:11:22:33:00:02
    channel 6
)";

TEST(Concurrency, CallersWatchAndReloadsShareTheCard) {
    sim::NativeCard card(simtest::kCard + kWorld);
    const ZelApi api = card.api();
    ZelHandle handle = nullptr;
    ASSERT_EQ(api.ZelOpenAdapter(&handle), 0);
    ASSERT_EQ(api.ZelInitialize(reinterpret_cast<ZelWindow>(1)), 0);
    std::atomic<bool> stop{false};
    std::atomic<int> unexpected{0};

    std::thread worker([&] {
        for (int i = 0; !stop; ++i) {
            const int32_t result = api.ZelSetSsid(handle, i % 2 ? "One" : "Two", 3, 0);
            if (result != 0 && result != 4) ++unexpected;
            std::vector<uint8_t> list(kScanListBufferSize);
            if (api.ZelScan(handle) != 0 ||
                api.ZelQueryScanList(handle, list.data(), kScanListBufferSize) != 0) {
                ++unexpected;
            }
        }
    });
    std::thread window([&] {
        while (!stop) {
            char ssid[33] = {};
            NDIS_802_11_STATISTICS stats{};
            api.ZelGetConnectStatus(handle);
            if (api.ZelQuerySsid(handle, ssid, 32) != 0 ||
                api.ZelQueryStatistics(handle, &stats) != 0)
                ++unexpected;
            const std::string name(ssid);
            if (!name.empty() && name != "One" && name != "Two") ++unexpected;
        }
    });
    for (int round = 0; round < 200; ++round) {
        card.advance(97);
        if (round % 50 == 49) card.load(simtest::kCard + kWorld);
    }
    stop = true;
    worker.join();
    window.join();

    EXPECT_EQ(unexpected, 0);
    const std::set<uint32_t> allowed = {0, 1, 3, 4, 5};
    for (uint32_t code : card.takeEventCodes()) EXPECT_TRUE(allowed.count(code)) << code;
}

}  // namespace
