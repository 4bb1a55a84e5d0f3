// Scenarios and helpers shared by the simulated card's tests.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "adapter/ZelApi.h"
#include "sim/NativeCard.h"

namespace simtest {

// A card with a known identity and a short association delay.
inline const std::string kCard = R"(
card
    mac                 00:1D:6A:01:02:03
    region              0x30
    chip-version        5
    firmware-version    5.2.1.3
    driver-version      "7.0.1.2"
    driver-date         "9-14-2004"
    description         "Test card"
    association-delay   500
    exchange-step       100
)";

// A card that opens on `networks` and keeps the handle.
class CardTest : public ::testing::Test {
protected:
    void start(const std::string& networks, const std::string& card = kCard) {
        sim_.reset();
        sim_ = std::make_unique<sim::NativeCard>(card + networks);
        api_ = sim_->api();
        ASSERT_EQ(api_.ZelOpenAdapter(&handle_), 0);
        ASSERT_NE(handle_, nullptr);
        ASSERT_EQ(api_.ZelInitialize(window()), 0);
    }

    static ZelWindow window() { return reinterpret_cast<ZelWindow>(0x1234); }

    uint32_t query(int32_t(ZEL_CALL* operation)(ZelHandle, uint32_t*)) {
        uint32_t value = 0xDEADBEEF;
        EXPECT_EQ(operation(handle_, &value), 0);
        return value;
    }

    int32_t setSsid(const std::string& ssid) {
        return api_.ZelSetSsid(handle_, ssid.data(), static_cast<uint32_t>(ssid.size()), 0);
    }

    std::string ssid() {
        char buffer[33] = {};
        EXPECT_EQ(api_.ZelQuerySsid(handle_, buffer, 32), 0);
        return buffer;
    }

    bool connected() { return api_.ZelGetConnectStatus(handle_) != 0; }

    std::vector<uint8_t> scanList(bool ndis) {
        std::vector<uint8_t> buffer(kScanListBufferSize);
        if (ndis) {
            uint32_t written = 0;
            EXPECT_GE(
                api_.ZelQueryScanListLength(handle_, buffer.data(), kScanListBufferSize, &written),
                0);
            EXPECT_GE(written, 4u);
        } else {
            EXPECT_EQ(api_.ZelQueryScanList(handle_, buffer.data(), kScanListBufferSize), 0);
        }
        return buffer;
    }

    std::unique_ptr<sim::NativeCard> sim_;
    ZelApi api_;
    ZelHandle handle_ = nullptr;
};

}  // namespace simtest
