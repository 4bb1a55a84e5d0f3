#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapter/ZelShared.h"
#include "pages/MainPageRules.h"
#include "pages/SignalLevel.h"
#include "res/resource.h"

namespace status {
namespace {

using testing::Optional;

TEST(MainPageTexts, LinkSpeedsReadInWholeOrHalfMegabits) {
    EXPECT_EQ(linkSpeedText(110000), "11 Mbps");
    EXPECT_EQ(linkSpeedText(55000), "5.5 Mbps");
    EXPECT_EQ(linkSpeedText(60000), "6 Mbps");  // a multiple of 2000
    EXPECT_EQ(linkSpeedText(540000), "54 Mbps");
    EXPECT_EQ(linkSpeedText(10000), "1 Mbps");
    EXPECT_EQ(linkSpeedText(0), "0 Mbps");
}

TEST(MainPageTexts, RatesTakeTheBandThatSuitsThem) {
    EXPECT_EQ(rateText(0), "0 bps");
    EXPECT_EQ(rateText(999), "999 bps");
    EXPECT_EQ(rateText(1000), "1.0 Kbps");
    EXPECT_EQ(rateText(999999), "1000.0 Kbps");
    EXPECT_EQ(rateText(1000000), "1.0 Mbps");
    EXPECT_EQ(rateText(54300000), "54.3 Mbps");
    EXPECT_EQ(rateText(4294967295u), "4295.0 Mbps");
}

TEST(MainPageTexts, TheGraphScaleIsAFifthAboveTheLargestRateAndAtLeast200) {
    EXPECT_EQ(graphScale(1), 200);
    EXPECT_EQ(graphScale(100), 200);
    EXPECT_EQ(graphScale(167), 200);
    EXPECT_EQ(graphScale(170), 204);
    EXPECT_EQ(graphScale(10000), 12000);
    EXPECT_EQ(graphScale(10001), 12001);  // 12001.2, truncated
    // More than 32 bits hold: the scale stops at the largest int.
    EXPECT_EQ(graphScale(4000000000u), 2147483647);
}

TEST(MainPageTexts, ScaleLabelsShowTheTopAndHalfOfIt) {
    EXPECT_EQ(rateText(200), "200 bps");
    EXPECT_EQ(middleScaleText(200), "100 bps");
    EXPECT_EQ(rateText(12000), "12.0 Kbps");
    EXPECT_EQ(middleScaleText(12000), "6.0 Kbps");
    EXPECT_EQ(middleScaleText(1999), "999 bps");
    EXPECT_EQ(middleScaleText(2001), "1.0 Kbps");  // decided on 2000
    EXPECT_EQ(middleScaleText(2000000), "1.0 Mbps");
    EXPECT_EQ(middleScaleText(2000001), "1.0 Mbps");
    EXPECT_EQ(middleScaleText(1999999), "1000.0 Kbps");
}

TEST(MainPageTexts, SecurityFollowsTheEncryptionStatus) {
    EXPECT_EQ(securityText(zel::WepEnabled), "WEP");
    EXPECT_EQ(securityText(zel::WepKeyAbsent), "WEP - Key Absent");
    EXPECT_EQ(securityText(zel::TkipEnabled), "TKIP");
    EXPECT_EQ(securityText(zel::TkipKeyAbsent), "TKIP - Key Absent");
    EXPECT_EQ(securityText(zel::AesEnabled), "AES");
    EXPECT_EQ(securityText(zel::AesKeyAbsent), "AES - Key Absent");
    EXPECT_EQ(securityText(zel::WepDisabled), "Security Off");
    EXPECT_EQ(securityText(3), "Security Off");
    EXPECT_EQ(securityText(99), "Security Off");
}

TEST(MainPageTexts, LinkFields) {
    EXPECT_EQ(bssidText({0x00, 0x1D, 0x6A, 0x0a, 0xff, 0x07}), "00 1D 6A 0A FF 07");
    EXPECT_EQ(networkTypeText(0), "Ad-Hoc");
    EXPECT_EQ(networkTypeText(1), "Infrastructure");
    EXPECT_EQ(networkTypeText(2), "Unknown");
    EXPECT_EQ(channelCaption(6, 2437), "Channel 6 (2.437 GHz)");
    EXPECT_EQ(channelCaption(36, 5180), "Channel 36 (5.180 GHz)");
    EXPECT_EQ(linkIcon(1), IDI_LINK_80211B);
    EXPECT_EQ(linkIcon(2), IDI_LINK_80211A);
    EXPECT_EQ(linkIcon(0), IDI_LINK_OTHER);
    EXPECT_EQ(linkIcon(255), IDI_LINK_OTHER);
}

TEST(SignalSamples, AverageTheLastTenRoundedUpAndCapped) {
    SignalSamples samples;
    EXPECT_EQ(samples.add(-50), 40);  // 46, capped
    EXPECT_EQ(samples.add(-60), 40);  // (46 + 36) / 2 = 41, capped
    EXPECT_EQ(samples.add(-70), 36);  // 108 / 3 = 36
    EXPECT_EQ(samples.add(-95), 28);  // 109 / 4 = 27.25, rounded up
}

TEST(SignalSamples, OnlyTheLastTenCount) {
    SignalSamples samples;
    for (int i = 0; i < 10; ++i) samples.add(-56);  // 40 each
    for (int i = 0; i < 9; ++i) samples.add(-76);   // 20 each
    EXPECT_EQ(samples.add(-76), 20);
}

TEST(SignalSamples, ClearingStartsOver) {
    SignalSamples samples;
    samples.add(-50);
    samples.clear();
    EXPECT_EQ(samples.add(-86), 10);
}

TEST(SignalSamples, ASignalBelowMinus96ShowsNothing) {
    SignalSamples samples;
    EXPECT_EQ(samples.add(-100), 0);
    EXPECT_EQ(samples.add(-2147483647 - 1), 0);
}

TEST(LinkSpeedSamples, TheLargestOfTheLastFive) {
    LinkSpeedSamples samples;
    EXPECT_EQ(samples.add(110000), 110000u);
    EXPECT_EQ(samples.add(55000), 110000u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(samples.add(20000), 110000u);
    EXPECT_EQ(samples.add(20000), 55000u);  // the 11 Mbit/s reading has left the ring
    EXPECT_EQ(samples.add(20000), 20000u);
    samples.clear();
    EXPECT_EQ(samples.add(10000), 10000u);
}

TEST(RateMeter, TheFirstSampleOnlyPrimes) {
    RateMeter meter;
    EXPECT_THAT(meter.sample(5000, 123456, 654321),
                Optional(testing::AllOf(testing::Field(&Rates::transmit, 0u),
                                        testing::Field(&Rates::receive, 0u))));
    const auto rates = meter.sample(6000, 123456 + 1000, 654321 + 250);
    ASSERT_TRUE(rates);
    EXPECT_EQ(rates->transmit, 8000u);
    EXPECT_EQ(rates->receive, 2000u);
}

TEST(RateMeter, RatesAreBitsPerSecondOverTheTimeThatPassed) {
    RateMeter meter;
    meter.sample(1000, 0, 0);
    const auto rates = meter.sample(1500, 125000, 1);
    ASSERT_TRUE(rates);
    EXPECT_EQ(rates->transmit, 2000000u);
    EXPECT_EQ(rates->receive, 16u);
}

TEST(RateMeter, TwoTicksInOneMillisecondAddNoRate) {
    RateMeter meter;
    meter.sample(1000, 0, 0);
    meter.sample(2000, 1000, 1000);
    EXPECT_EQ(meter.sample(2000, 999999, 999999), std::nullopt);
    EXPECT_EQ(meter.largest().transmit, 8000u);
    // The sample that was refused is no previous sample either.
    const auto rates = meter.sample(3000, 2000, 1000);
    ASSERT_TRUE(rates);
    EXPECT_EQ(rates->transmit, 8000u);
    EXPECT_EQ(rates->receive, 0u);
}

TEST(RateMeter, CountersThatWrapGiveTheRightRate) {
    RateMeter meter;
    meter.sample(1000, 0xFFFFFF00u, 0xFFFFFFFFu);
    const auto rates = meter.sample(2000, 0x100, 0x9);
    ASSERT_TRUE(rates);
    EXPECT_EQ(rates->transmit, 0x200u * 8);
    EXPECT_EQ(rates->receive, 10u * 8);
}

TEST(RateMeter, ATickCountThatWrapsGivesTheRightTime) {
    RateMeter meter;
    meter.sample(0xFFFFFE0Cu, 0, 0);  // 500 ms before the wrap
    const auto rates = meter.sample(500, 1000, 0);
    ASSERT_TRUE(rates);
    EXPECT_EQ(rates->transmit, 8000u);
}

TEST(RateMeter, AHugeDifferenceDoesNotOverflow) {
    RateMeter meter;
    meter.sample(0, 0, 0);
    const auto rates = meter.sample(1, 4000000000u, 1000000);
    ASSERT_TRUE(rates);
    EXPECT_EQ(rates->transmit, 4294967295u);
    EXPECT_EQ(rates->receive, 4294967295u);
}

TEST(RateMeter, ForgettingMakesTheNextSamplePrimeAgain) {
    RateMeter meter;
    meter.sample(1000, 0, 0);
    meter.forget();
    const auto rates = meter.sample(2000, 50000, 50000);
    ASSERT_TRUE(rates);
    EXPECT_EQ(rates->transmit, 0u);
    EXPECT_EQ(meter.sample(3000, 50125, 50000)->transmit, 1000u);
}

TEST(RateMeter, TheLargestRatesComeFromTheLastSixtySamples) {
    RateMeter meter;
    uint32_t out = 0;
    uint32_t tick = 0;
    meter.sample(tick, out, 0);
    meter.sample(tick += 1000, out += 10000, 0);  // 80,000 bit/s
    EXPECT_EQ(meter.largest().transmit, 80000u);
    for (int i = 0; i < 59; ++i) meter.sample(tick += 1000, out += 100, 0);  // 800 bit/s
    EXPECT_EQ(meter.largest().transmit, 80000u);
    meter.sample(tick += 1000, out += 100, 0);  // the 62nd sample pushes it out
    EXPECT_EQ(meter.largest().transmit, 800u);
    EXPECT_EQ(meter.largest().receive, 0u);
}

}  // namespace
}  // namespace status
