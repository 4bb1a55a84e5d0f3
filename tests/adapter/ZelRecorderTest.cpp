#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

#include "tests/support/ZelRecorder.h"

using testing::ElementsAre;

TEST(AdapterRecorder, FormatsEveryKindOfArgument) {
    ZelRecorder zel;
    int card;
    zel.name(&card, "card");
    const ZelApi& api = zel.api();
    char buffer[8];
    const uint8_t key[5] = {};
    api.ZelSetChannel(&card, 11);
    api.ZelSetSsid(&card, "Home \"2\"\x01", 9, 0);
    api.ZelQuerySsid(&card, buffer, sizeof buffer);
    api.ZelSetWepKey(nullptr, 4, key, 5, 1);
    api.ZelWPACreateIdentityTtls("me", nullptr, "secret", "anon");
    api.ZelSetRfRegister(&card, 0xFFFFFFFFu, 7);
    EXPECT_THAT(
        zel.calls(),
        ElementsAre("ZelSetChannel(card, 11)", "ZelSetSsid(card, \"Home \\\"2\\\"\\x01\", 9, 0)",
                    "ZelQuerySsid(card, ptr, 8)", "ZelSetWepKey(null, 4, ptr, 5, 1)",
                    "ZelWPACreateIdentityTtls(\"me\", null, \"secret\", \"anon\")",
                    "ZelSetRfRegister(card, 4294967295, 7)"));
}

TEST(AdapterRecorder, HandlersReturnResultsAndFillOutArguments) {
    ZelRecorder zel;
    zel.on.ZelQueryChannel = [](ZelHandle, uint32_t* value) {
        *value = 36;
        return 0;
    };
    zel.on.ZelGetConnectStatus = [](ZelHandle) { return 1; };
    uint32_t channel = 0;
    EXPECT_EQ(zel.api().ZelQueryChannel(nullptr, &channel), 0);
    EXPECT_EQ(channel, 36u);
    EXPECT_EQ(zel.api().ZelGetConnectStatus(nullptr), 1);
    // Without a handler an operation succeeds and leaves its out-arguments alone.
    uint32_t mode = 99;
    EXPECT_EQ(zel.api().ZelQueryNetworkMode(nullptr, &mode), 0);
    EXPECT_EQ(mode, 99u);
}

TEST(AdapterRecorder, TakingAndFilteringCalls) {
    ZelRecorder zel;
    uint8_t buffer[4];
    uint32_t written;
    zel.api().ZelQueryScanList(nullptr, buffer, 4);
    zel.api().ZelQueryScanListLength(nullptr, buffer, 4, &written);
    zel.api().ZelScan(nullptr);
    zel.api().ZelQueryScanList(nullptr, buffer, 2);
    EXPECT_THAT(zel.callsTo("ZelQueryScanList"),
                ElementsAre("ZelQueryScanList(null, ptr, 4)", "ZelQueryScanList(null, ptr, 2)"));
    EXPECT_EQ(zel.takeCalls().size(), 4u);
    EXPECT_TRUE(zel.calls().empty());
}

TEST(AdapterRecorder, RecordsCallsFromSeveralThreads) {
    ZelRecorder zel;
    auto calls = [&] {
        for (uint32_t i = 0; i < 200; ++i) zel.api().ZelSetChannel(nullptr, i);
    };
    std::thread other(calls);
    calls();
    other.join();
    EXPECT_EQ(zel.callsTo("ZelSetChannel").size(), 400u);
}

TEST(AdapterRecorder, OnlyOneAtATime) {
    ZelRecorder zel;
    EXPECT_THROW(ZelRecorder second, std::logic_error);
    // The first stays in charge.
    zel.api().ZelScan(nullptr);
    EXPECT_THAT(zel.calls(), ElementsAre("ZelScan(null)"));
}
