// The Advanced page: what the card holds, what reaches it and when.
#include <gmock/gmock.h>

#include "res/resource.h"
#include "system/ProgramCodes.h"
#include "tests/pages/AdapterPagesSuite.h"

namespace adaptertest {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

// A card whose every radio setting differs from its power-on value.
const std::string kTunedCard = cardWith(R"(
    description     "VORNAX TX-LM70RDV 802.11a/b/g PC Card"
    power-mode      1
    preamble        3
    tx-power        2
    tx-antenna      2
    rx-antenna      2
    data-rate       22
    frag-threshold  1024
    rts-threshold   500
)");

constexpr int kCombos[] = {IDC_ADV_POWER_SAVE, IDC_ADV_PREAMBLE, IDC_ADV_TX_ANTENNA,
                           IDC_ADV_RX_ANTENNA, IDC_ADV_TX_POWER, IDC_ADV_RATE};

int32_t failed(ZelHandle, uint32_t*) { return 1; }

TEST_P(AdvancedPage, ShowsWhatTheCardHoldsAndSendsNothingUnchanged) {
    start(kTunedCard);
    open();
    EXPECT_EQ(ui().text(IDC_ADV_DESCRIPTION), "VORNAX TX-LM70RDV 802.11a/b/g PC Card");
    EXPECT_EQ(selectedCode(IDC_ADV_POWER_SAVE), 1);
    EXPECT_EQ(selectedCode(IDC_ADV_PREAMBLE), 3);
    EXPECT_EQ(selectedCode(IDC_ADV_TX_POWER), 2);
    EXPECT_EQ(selectedCode(IDC_ADV_TX_ANTENNA), 2);
    EXPECT_EQ(selectedCode(IDC_ADV_RX_ANTENNA), 2);
    EXPECT_EQ(selectedCode(IDC_ADV_RATE), 22);
    EXPECT_EQ(ui().text(IDC_ADV_FRAG), "1024");
    EXPECT_EQ(ui().text(IDC_ADV_RTS), "500");
    EXPECT_TRUE(ui().isEnabled(IDC_ADV_FRAG));
    EXPECT_TRUE(ui().isEnabled(IDC_ADV_POWER_SAVE));
    EXPECT_FALSE(ui().isEnabled(IDC_ADV_TX_ANTENNA));
    EXPECT_TRUE(ui().isChecked(IDC_ADV_AUTO_CONNECT));
    EXPECT_TRUE(ui().isChecked(IDC_ADV_AUTO_LINK));
    hands().click(IDC_ADV_APPLY);
    EXPECT_THAT(takeSets(), IsEmpty());
}

TEST_P(AdvancedPage, ValuesNoEntryOffersShowTheFirstEntryAndGoBackOnlyWhenChanged) {
    start(cardWith("    power-mode 2\n    tx-antenna 1\n    data-rate 108\n    wlan-mode 1\n"));
    open();
    EXPECT_EQ(ui().selection(IDC_ADV_POWER_SAVE), 0);
    EXPECT_EQ(ui().selection(IDC_ADV_TX_ANTENNA), 0);
    EXPECT_EQ(ui().selection(IDC_ADV_RATE), 0);
    hands().click(IDC_ADV_APPLY);
    EXPECT_THAT(takeSets(), IsEmpty());
    choose(IDC_ADV_POWER_SAVE, 1);
    hands().click(IDC_ADV_APPLY);
    EXPECT_THAT(takeSets(), ElementsAre("ZelSetPowerMode(card, 1)"));
}

TEST_P(AdvancedPage, TheRateListFollowsTheWirelessModeWhenShown) {
    struct Case {
        std::string card;
        bool connected;
        uint32_t linkMode;
        std::vector<std::string> rates;
    };
    const std::vector<std::string> every = {"Auto",    "1 Mbps",  "2 Mbps",  "5.5 Mbps", "6 Mbps",
                                            "9 Mbps",  "11 Mbps", "12 Mbps", "18 Mbps",  "24 Mbps",
                                            "36 Mbps", "48 Mbps", "54 Mbps"};
    const std::vector<std::string> b = {"Auto", "1 Mbps", "2 Mbps", "5.5 Mbps", "11 Mbps"};
    const std::vector<std::string> a = {"Auto",    "6 Mbps",  "9 Mbps",  "12 Mbps", "18 Mbps",
                                        "24 Mbps", "36 Mbps", "48 Mbps", "54 Mbps"};
    const Case cases[] = {
        {"    wlan-mode 1\n", false, 0, b},     {"    wlan-mode 2\n", false, 0, a},
        {"    wlan-mode 0\n", false, 0, every}, {"", false, 0, every},
        {"    wlan-mode 2\n", true, 1, b},      {"    wlan-mode 1\n", true, 255, every},
    };
    start(cardWith(""));
    open();
    for (const Case& c : cases) {
        card->load(cardWith(c.card));
        // A setting's power-on value comes back with the card plugged in again.
        card->load(cardWith("    present no\n" + c.card));
        card->load(cardWith(c.card));
        ZelHandle handle = nullptr;
        recorder.api().ZelOpenAdapter(&handle);
        recorder.name(handle, "card");
        mainWindow->handle = handle;
        mainWindow->link.connected = c.connected;
        mainWindow->link.currentWirelessMode = c.linkMode;
        leaveAndComeBack();
        std::vector<std::string> shown;
        for (int i = 0; i < ui().itemCount(IDC_ADV_RATE); ++i) {
            shown.push_back(ui().itemText(IDC_ADV_RATE, i));
        }
        EXPECT_EQ(shown, c.rates) << c.card << " connected " << c.connected;
        EXPECT_EQ(selectedCode(IDC_ADV_RATE), 255);
    }
}

TEST_P(AdvancedPage, ChangingOnlyTheRateSendsThePreambleAndTheRate) {
    start(cardWith(""));
    open();
    choose(IDC_ADV_RATE, 22);
    hands().click(IDC_ADV_APPLY);
    EXPECT_THAT(takeSets(), ElementsAre("ZelSetPreamble(card, 1)", "ZelSetDataRate(card, 22)"));
    uint32_t rate = 0;
    card->api().ZelQueryDataRate(mainWindow->handle, &rate);
    EXPECT_EQ(rate, 22u);
}

TEST_P(AdvancedPage, ThresholdsAreClampedWhenSentAndTextThatIsNoNumberIsRefused) {
    struct Case {
        int id;
        std::string text;
        int32_t sent;  // -1: nothing is sent, the value held stays
    };
    const Case cases[] = {
        {IDC_ADV_FRAG, "100", 256},
        {IDC_ADV_FRAG, "3000", 2346},
        {IDC_ADV_FRAG, "1500", 1500},
        {IDC_ADV_FRAG, "-40", 256},
        {IDC_ADV_FRAG, "99999999999", 2346},
        {IDC_ADV_RTS, "5000", 2347},
        {IDC_ADV_RTS, "-1", 0},
        {IDC_ADV_RTS, "0", 0},
        {IDC_ADV_RTS, "", -1},
        {IDC_ADV_RTS, "12ab", -1},
        {IDC_ADV_FRAG, "", -1},
        {IDC_ADV_FRAG, "0x400", -1},
    };
    start(kTunedCard);
    open();
    for (const Case& c : cases) {
        const std::string before = ui().text(c.id);
        // What a paste puts there: the edits take digits only from the keyboard.
        ui().setText(c.id, c.text);
        hands().click(IDC_ADV_APPLY);
        const char* operation = c.id == IDC_ADV_FRAG ? "ZelSetFragThreshold" : "ZelSetRTSThreshold";
        if (c.sent < 0) {
            EXPECT_THAT(takeSets(), IsEmpty()) << c.text;
            EXPECT_EQ(ui().text(c.id), before) << c.text;
            continue;
        }
        EXPECT_THAT(takeSets(),
                    ElementsAre(std::string(operation) + "(card, " + std::to_string(c.sent) + ")"))
            << c.text;
        EXPECT_EQ(ui().text(c.id), std::to_string(c.sent)) << c.text;
    }
    uint32_t frag = 0;
    uint32_t rts = 0;
    card->api().ZelQueryFragThreshold(mainWindow->handle, &frag);
    card->api().ZelQueryRTSThreshold(mainWindow->handle, &rts);
    EXPECT_EQ(frag, 2346u);
    EXPECT_EQ(rts, 0u);
}

TEST_P(AdvancedPage, TheWaitCursorShowsWhileTheCardTakesTheChanges) {
    start(cardWith(""));
    open();
    std::vector<bool> waiting;
    recorder.on.ZelSetTxPower = [&](ZelHandle handle, uint32_t value) {
        waiting.push_back(hands().cursorOver(IDC_ADV_APPLY) == fw::Cursor::Wait);
        return card->api().ZelSetTxPower(handle, value);
    };
    choose(IDC_ADV_TX_POWER, 1);
    hands().click(IDC_ADV_APPLY);
    EXPECT_THAT(waiting, ElementsAre(true));
    EXPECT_NE(hands().cursorOver(IDC_ADV_APPLY), fw::Cursor::Wait);
}

TEST_P(AdvancedPage, TypedThresholdsReachTheCard) {
    start(cardWith(""));
    open();
    ui().setText(IDC_ADV_RTS, "");
    hands().type(IDC_ADV_RTS, "1200");
    ui().setText(IDC_ADV_FRAG, "");
    hands().type(IDC_ADV_FRAG, "800");
    hands().click(IDC_ADV_APPLY);
    EXPECT_THAT(takeSets(),
                ElementsAre("ZelSetFragThreshold(card, 800)", "ZelSetRTSThreshold(card, 1200)"));
}

TEST_P(AdvancedPage, LeavingThePageDropsTheChanges) {
    start(kTunedCard);
    open();
    choose(IDC_ADV_POWER_SAVE, 0);
    choose(IDC_ADV_TX_POWER, 4);
    ui().setText(IDC_ADV_FRAG, "512");
    leaveAndComeBack();
    EXPECT_EQ(selectedCode(IDC_ADV_POWER_SAVE), 1);
    EXPECT_EQ(selectedCode(IDC_ADV_TX_POWER), 2);
    EXPECT_EQ(ui().text(IDC_ADV_FRAG), "1024");
    hands().click(IDC_ADV_APPLY);
    EXPECT_THAT(takeSets(), IsEmpty());
}

TEST_P(AdvancedPage, TheMainWindowsOkSendsWhatWaitsAndItsCancelDropsIt) {
    start(kTunedCard);
    CAdvancedPage& page = open();
    page.applyPending();
    EXPECT_THAT(takeSets(), IsEmpty());
    choose(IDC_ADV_TX_POWER, 1);
    choose(IDC_ADV_RX_ANTENNA, 0xFFFF);
    page.applyPending();
    EXPECT_THAT(takeSets(), ElementsAre("ZelSetTxPower(card, 1)", "ZelSetRxAntenna(card, 65535)"));
    page.applyPending();
    EXPECT_THAT(takeSets(), IsEmpty());
    // Its Cancel drops them.
    choose(IDC_ADV_PREAMBLE, 2);
    page.onReset();
    page.applyPending();
    EXPECT_THAT(takeSets(), IsEmpty());
}

TEST_P(AdvancedPage, DefaultSendsEverySettingInTheCardsOrder) {
    start(kTunedCard);
    open();
    hands().click(IDC_ADV_DEFAULT);
    EXPECT_THAT(takeSets(),
                ElementsAre("ZelSetPowerMode(card, 0)", "ZelSetPreamble(card, 1)",
                            "ZelSetFragThreshold(card, 2346)", "ZelSetRTSThreshold(card, 2347)",
                            "ZelSetTxPower(card, 4)", "ZelSetTxAntenna(card, 2)",
                            "ZelSetRxAntenna(card, 65535)", "ZelSetDataRate(card, 255)"));
    leaveAndComeBack();
    EXPECT_EQ(selectedCode(IDC_ADV_POWER_SAVE), 0);
    EXPECT_EQ(selectedCode(IDC_ADV_TX_POWER), 4);
    EXPECT_EQ(selectedCode(IDC_ADV_RX_ANTENNA), 0xFFFF);
    EXPECT_EQ(ui().text(IDC_ADV_FRAG), "2346");
    EXPECT_EQ(ui().text(IDC_ADV_RTS), "2347");
}

TEST_P(AdvancedPage, WithoutACardTheFieldsAreEmptyAndNothingIsSent) {
    start(cardWith("    present no\n    description \"Card\"\n"));
    mainWindow->autoLink = false;
    open();
    EXPECT_EQ(ui().text(IDC_ADV_DESCRIPTION), "");
    for (int id : kCombos) EXPECT_EQ(ui().selection(id), -1) << id;
    EXPECT_EQ(ui().text(IDC_ADV_FRAG), "0");
    EXPECT_EQ(ui().text(IDC_ADV_RTS), "0");
    // The program's switches show all the same.
    EXPECT_TRUE(ui().isChecked(IDC_ADV_AUTO_CONNECT));
    EXPECT_FALSE(ui().isChecked(IDC_ADV_AUTO_LINK));
    ui().setText(IDC_ADV_RTS, "100");
    hands().click(IDC_ADV_APPLY);
    EXPECT_THAT(recorder.takeCalls(), IsEmpty());
}

TEST_P(AdvancedPage, TheCardJustOpenedIsShown) {
    start(cardWith("    present no\n    description \"Card\"\n    tx-power 1\n"));
    CAdvancedPage& page = open();
    card->load(cardWith("    description \"Card\"\n    tx-power 1\n"));
    ZelHandle handle = nullptr;
    recorder.api().ZelOpenAdapter(&handle);
    mainWindow->handle = handle;
    page.onMainWindowEvent(sys::kCodeAdapterOpened, 0);
    EXPECT_EQ(ui().text(IDC_ADV_DESCRIPTION), "Card");
    EXPECT_EQ(selectedCode(IDC_ADV_TX_POWER), 1);
    EXPECT_EQ(ui().text(IDC_ADV_RTS), "2347");
}

TEST_P(AdvancedPage, PowerSaveIsOffLimitsDuringAnAdHocConnection) {
    struct Case {
        bool connected;
        bool adHocActive;
        uint32_t networkMode;
        bool enabled;
    };
    const Case cases[] = {
        {false, false, 0, true},
        {true, false, 1, true},
        {true, false, 0, false},
        {false, true, 0, false},
    };
    start(cardWith(""));
    open();
    for (const Case& c : cases) {
        mainWindow->link.connected = c.connected;
        mainWindow->link.adHocActive = c.adHocActive;
        mainWindow->link.currentNetworkMode = c.networkMode;
        leaveAndComeBack();
        EXPECT_EQ(ui().isEnabled(IDC_ADV_POWER_SAVE), c.enabled)
            << c.connected << c.adHocActive << c.networkMode;
    }
}

TEST_P(AdvancedPage, QueriesThatFailLeaveTheFirstEntriesAndTheDefaultThresholds) {
    start(kTunedCard);
    for (auto query : {&ZelHandlers::ZelQueryPowerMode, &ZelHandlers::ZelQueryPreamble,
                       &ZelHandlers::ZelQueryTxPower, &ZelHandlers::ZelQueryTxAntenna,
                       &ZelHandlers::ZelQueryRxAntenna, &ZelHandlers::ZelQueryDataRate,
                       &ZelHandlers::ZelQueryFragThreshold, &ZelHandlers::ZelQueryRTSThreshold}) {
        recorder.on.*query = failed;
    }
    recorder.on.ZelQueryDeviceDesc = [](ZelHandle, char*, uint32_t) { return 1; };
    open();
    EXPECT_EQ(ui().text(IDC_ADV_DESCRIPTION), "");
    for (int id : kCombos) EXPECT_EQ(ui().selection(id), 0) << id;
    EXPECT_EQ(ui().text(IDC_ADV_FRAG), "2346");
    EXPECT_EQ(ui().text(IDC_ADV_RTS), "2347");
    EXPECT_TRUE(ui().isEnabled(IDC_ADV_FRAG));

    // Without the WEP status the fragmentation threshold is neither read nor offered.
    recorder.on.ZelQueryFragThreshold = card->api().ZelQueryFragThreshold;
    recorder.on.ZelQueryWepStatus = failed;
    leaveAndComeBack();
    EXPECT_FALSE(ui().isEnabled(IDC_ADV_FRAG));
    EXPECT_FALSE(ui().isEnabled(IDC_ADV_FRAG_SPIN));
    EXPECT_EQ(ui().text(IDC_ADV_FRAG), "2346");
    EXPECT_THAT(recorder.callsTo("ZelQueryFragThreshold"), IsEmpty());
}

TEST_P(AdvancedPage, TheSwitchesWriteTheSettingsFileAndTellTheMainWindow) {
    start(cardWith(""));
    mainWindow->settingsFile.writeSetting(sys::Setting::AutoConfiguration, 0);
    mainWindow->autoLink = false;
    open();
    EXPECT_FALSE(ui().isChecked(IDC_ADV_AUTO_CONNECT));
    EXPECT_FALSE(ui().isChecked(IDC_ADV_AUTO_LINK));
    const MemorySettingsStore& file = mainWindow->settingsStore;
    hands().click(IDC_ADV_AUTO_CONNECT);
    EXPECT_EQ(file.text("Advanced", "Auto Configuration"), "1");
    EXPECT_TRUE(mainWindow->autoConfiguration);
    hands().click(IDC_ADV_AUTO_LINK);
    EXPECT_EQ(file.text("Advanced", "AutoLink"), "1");
    EXPECT_TRUE(mainWindow->autoLink);
    hands().click(IDC_ADV_AUTO_CONNECT);
    hands().click(IDC_ADV_AUTO_LINK);
    EXPECT_EQ(file.text("Advanced", "Auto Configuration"), "0");
    EXPECT_EQ(file.text("Advanced", "AutoLink"), "0");
    EXPECT_FALSE(mainWindow->autoConfiguration);
    EXPECT_FALSE(mainWindow->autoLink);
    // Nothing of it is the card's.
    EXPECT_THAT(takeSets(), IsEmpty());
}

}  // namespace
}  // namespace adaptertest
