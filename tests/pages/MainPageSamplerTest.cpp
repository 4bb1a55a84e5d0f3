// The interface sampler: the IP helper functions read on a thread of their own, at the
// page's request, never more than once a period.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "pages/InterfaceSampler.h"

namespace {

using namespace std::chrono_literals;

const MacAddress kCard{0x00, 0x1D, 0x6A, 0x70, 0x42, 0x17};
const MacAddress kOther{0x00, 0x1D, 0x6A, 0x70, 0x42, 0x99};

// An IP helper that lists the card's interface, counts its readings and lets a test hold
// a reading up.
class CountingHelper final : public IpHelper {
public:
    std::optional<CardInterface> findInterface(const MacAddress& mac) override {
        std::lock_guard<std::mutex> hold(holding);
        ++lookups;
        if (mac != kCard) return std::nullopt;
        return CardInterface{4, true, "10.0.0.2", "255.0.0.0", "10.0.0.1"};
    }
    std::optional<OctetCounters> readCounters(uint32_t, const MacAddress&) override {
        const uint32_t n = ++reads;
        return OctetCounters{n * 100, n * 10};
    }

    std::atomic<int> lookups{0};
    std::atomic<uint32_t> reads{0};
    std::mutex holding;
};

// Asks for `mac` until a reading with a tick after `after` comes; nothing after a while.
std::optional<InterfaceReading> awaitReading(InterfaceSampler& sampler, const MacAddress& mac,
                                             uint32_t after = 0) {
    for (int attempt = 0; attempt < 2000; ++attempt) {
        const auto reading = sampler.latest(mac);
        if (reading && reading->tick > after) return reading;
        std::this_thread::sleep_for(5ms);
    }
    return std::nullopt;
}

TEST(MainPageSampler, TheFirstRequestFindsNothingAndBringsAReading) {
    CountingHelper helper;
    std::atomic<uint32_t> clock{1000};
    InterfaceSampler sampler(
        helper, [&] { return clock.load(); }, 1ms);
    {
        // The reading it asks for cannot have come yet.
        std::lock_guard<std::mutex> hold(helper.holding);
        EXPECT_EQ(sampler.latest(kCard), std::nullopt);
    }
    EXPECT_TRUE(awaitReading(sampler, kCard));
}

TEST(MainPageSampler, AReadingCarriesTheInterfaceTheCountersAndTheirTime) {
    CountingHelper helper;
    std::atomic<uint32_t> clock{1000};
    InterfaceSampler sampler(
        helper, [&] { return clock.load(); }, 1ms);
    const auto reading = awaitReading(sampler, kCard);
    ASSERT_TRUE(reading);
    EXPECT_EQ(reading->mac, kCard);
    ASSERT_TRUE(reading->interface);
    EXPECT_EQ(reading->interface->ipAddress, "10.0.0.2");
    ASSERT_TRUE(reading->counters);
    EXPECT_EQ(reading->counters->in, 100u);
    EXPECT_EQ(reading->counters->out, 10u);
    EXPECT_EQ(reading->tick, 1000u);

    // Later readings are later counters at a later time.
    clock = 2000;
    const auto next = awaitReading(sampler, kCard, 1000);
    ASSERT_TRUE(next);
    EXPECT_GT(next->counters->in, reading->counters->in);
    EXPECT_EQ(next->tick, 2000u);
}

TEST(MainPageSampler, AnAddressWithoutInterfaceIsReadAsSuch) {
    CountingHelper helper;
    InterfaceSampler sampler(
        helper, [] { return 5u; }, 1ms);
    const auto reading = awaitReading(sampler, kOther);
    ASSERT_TRUE(reading);
    EXPECT_EQ(reading->interface, std::nullopt);
    EXPECT_EQ(reading->counters, std::nullopt);
    EXPECT_EQ(helper.reads, 0u);
}

TEST(MainPageSampler, AReadingOfAnotherAddressIsNotHandedOut) {
    CountingHelper helper;
    InterfaceSampler sampler(
        helper, [] { return 5u; }, 1ms);
    ASSERT_TRUE(awaitReading(sampler, kCard));
    std::lock_guard<std::mutex> hold(helper.holding);
    EXPECT_EQ(sampler.latest(kOther), std::nullopt);
}

TEST(MainPageSampler, NothingIsReadUntilThePageAsks) {
    CountingHelper helper;
    InterfaceSampler sampler(
        helper, [] { return 5u; }, 1ms);
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(helper.lookups, 0);
}

TEST(MainPageSampler, ManyRequestsWithinAPeriodBringOneReading) {
    CountingHelper helper;
    InterfaceSampler sampler(
        helper, [] { return 5u; }, 1h);
    ASSERT_TRUE(awaitReading(sampler, kCard));
    for (int i = 0; i < 100; ++i) sampler.latest(kCard);
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(helper.lookups, 1);
    // Going away ends the period's wait.
}

}  // namespace
