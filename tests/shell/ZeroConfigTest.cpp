// Taking the card from Zero Configuration: the card's flag in the service's registry.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "shell/ZeroConfig.h"
#include "sim/NativeCard.h"
#include "tests/support/ZelRecorder.h"

namespace {

const std::string kInterfaceKey =
    "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\{5A1D0B77-0000-4E7C-9C21-0C1D6A701111}";

std::string cardHeldByZeroConfig(bool held) {
    return std::string("card\n    instance-id {5A1D0B77-0000-4E7C-9C21-0C1D6A701111}\n") +
           "    zero-config " + (held ? "on" : "off") + "\n";
}

uint32_t zeroConfigStatus(const ZelApi& api) {
    uint32_t status = 7;
    EXPECT_EQ(api.ZelQueryWZCStatusCheck(&status), 0);
    return status;
}

TEST(ZeroConfigFlag, ClearingItTakesTheSimulatedCardFromTheServiceAndKeepsTheOtherBits) {
    sim::NativeCard card(cardHeldByZeroConfig(true));
    card.registry().writeNumber(kInterfaceKey, "ControlFlags", 0x8000 | 0x0405);
    ASSERT_EQ(zeroConfigStatus(card.api()), 1u);

    EXPECT_TRUE(shell::clearZeroConfigFlag(card.api()));
    EXPECT_EQ(zeroConfigStatus(card.api()), 0u);
    EXPECT_EQ(card.registry().readNumber(kInterfaceKey, "ControlFlags"), 0x0405u);
}

TEST(ZeroConfigFlag, ACardTheServiceDoesNotHoldKeepsItsFlags) {
    sim::NativeCard card(cardHeldByZeroConfig(false));
    card.registry().writeNumber(kInterfaceKey, "ControlFlags", 0x0405);
    EXPECT_TRUE(shell::clearZeroConfigFlag(card.api()));
    EXPECT_EQ(card.registry().readNumber(kInterfaceKey, "ControlFlags"), 0x0405u);
    EXPECT_EQ(zeroConfigStatus(card.api()), 0u);
}

TEST(ZeroConfigFlag, WithoutACardNothingIsTouched) {
    sim::NativeCard card(cardHeldByZeroConfig(true) + "    present no\n");
    card.registry().writeNumber(kInterfaceKey, "ControlFlags", 0x8000);
    EXPECT_FALSE(shell::clearZeroConfigFlag(card.api()));
    EXPECT_EQ(card.registry().readNumber(kInterfaceKey, "ControlFlags"), 0x8000u);
}

// The library behind a recorder: the card's driver key, instance id and flags as given.
class ZeroConfigSteps : public ::testing::Test {
protected:
    void SetUp() override {
        zel.name(&card, "card");
        zel.on.ZelOpenAdapter = [this](ZelHandle* handle) {
            *handle = cardPresent ? &card : nullptr;
            return cardPresent ? 0 : 1;
        };
        zel.on.ZelQueryRegistryPath = [this](ZelHandle, char* buffer, uint32_t size) {
            std::memcpy(buffer, driverKey.data(), std::min<size_t>(size, driverKey.size()));
            return pathResult;
        };
        zel.on.ZelQueryRegistry = [this](const char* key, const char* name, char* buffer,
                                         uint32_t size) {
            std::string text;
            if (std::string(name) == "NetCfgInstanceId") text = instanceId;
            if (std::string(name) == "ControlFlags" && key == interfaceKey()) text = controlFlags;
            if (text.empty()) return 1;
            std::memcpy(buffer, text.data(), std::min<size_t>(size, text.size()));
            return 0;
        };
    }

    std::string interfaceKey() const { return shell::kZeroConfigInterfacesKey + instanceId; }

    int card = 0;
    bool cardPresent = true;
    std::string driverKey = "DRIVER\\0007";
    int32_t pathResult = 0;
    std::string instanceId = "{ID}";
    std::string controlFlags = "32783";  // 0x800F
    ZelRecorder zel;
};

TEST_F(ZeroConfigSteps, TheCardIsOpenedForItsKeyAloneAndTheFlagWrittenBackWithoutBit15) {
    EXPECT_TRUE(shell::clearZeroConfigFlag(zel.api()));
    // The recorder shows each backslash of a text doubled.
    EXPECT_EQ(zel.calls(), (std::vector<std::string>{
                               "ZelOpenAdapter(ptr)",
                               "ZelQueryRegistryPath(card, ptr, 400)",
                               "ZelCloseAdapter(ptr)",
                               R"(ZelQueryRegistry("DRIVER\\0007", "NetCfgInstanceId", ptr, 100))",
                               R"(ZelQueryRegistry("SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\)"
                               R"(Interfaces\\{ID}", "ControlFlags", ptr, 16))",
                               R"(ZelSetRegistry("SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\)"
                               R"(Interfaces\\{ID}", "ControlFlags", 15))",
                           }));
}

TEST_F(ZeroConfigSteps, NoCardMeansNoFurtherCall) {
    cardPresent = false;
    EXPECT_FALSE(shell::clearZeroConfigFlag(zel.api()));
    EXPECT_EQ(zel.calls(), std::vector<std::string>{"ZelOpenAdapter(ptr)"});
}

TEST_F(ZeroConfigSteps, AFailedPathQueryStillClosesTheCardAndStops) {
    pathResult = 1;
    EXPECT_FALSE(shell::clearZeroConfigFlag(zel.api()));
    EXPECT_EQ(zel.callsTo("ZelCloseAdapter").size(), 1u);
    EXPECT_TRUE(zel.callsTo("ZelQueryRegistry").empty());
}

TEST_F(ZeroConfigSteps, FlagsThatCannotBeReadAreNeverWritten) {
    for (const char* unreadable : {"", "0x8000", "-1", "4294967296", "12ab"}) {
        controlFlags = unreadable;
        EXPECT_FALSE(shell::clearZeroConfigFlag(zel.api())) << unreadable;
    }
    instanceId.clear();
    EXPECT_FALSE(shell::clearZeroConfigFlag(zel.api()));
    EXPECT_TRUE(zel.callsTo("ZelSetRegistry").empty());
}

TEST_F(ZeroConfigSteps, TextsThatFillTheirBuffersAreCutInsideThem) {
    driverKey = std::string(500, 'K');
    instanceId = std::string(150, 'I');
    EXPECT_FALSE(shell::clearZeroConfigFlag(zel.api()));  // the cut id names no interface
    const std::vector<std::string> queries = zel.callsTo("ZelQueryRegistry");
    ASSERT_EQ(queries.size(), 2u);
    EXPECT_NE(queries[0].find("\"" + std::string(399, 'K') + "\""), std::string::npos);
    EXPECT_NE(queries[1].find(R"(Interfaces\\)" + std::string(99, 'I') + "\""), std::string::npos);
    EXPECT_TRUE(zel.callsTo("ZelSetRegistry").empty());
}

}  // namespace
