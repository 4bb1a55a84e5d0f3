// The protocol page: keeping the card's settings, power save, preamble, the rate list
// of the wireless mode, and the thresholds.
#include <gmock/gmock.h>

#include "pages/AdvSettgPage.h"
#include "pages/BasicSettgPage.h"
#include "res/resource.h"
#include "tests/pages/ProfileSuite.h"

namespace pagestest {
namespace {

using testing::ElementsAre;

// A profile with radio settings of its own.
Profile* ownRadio(FakeMainWindow& mainWindow, const std::string& name,
                  uint32_t networkType = NetworkInfrastructure) {
    Profile* profile = mainWindow.add(name, networkType);
    profile->useDefaultRadio = 0;
    profile->powerMode = 1;
    profile->preamble = 3;
    profile->dataRate = 22;
    profile->fragThreshold = 1000;
    profile->rtsThreshold = 500;
    return profile;
}

CAdvSettgPage& showProtocol(CProfileSheet& sheet) {
    sheet.activate(*sheet.protocolPage());
    return *sheet.protocolPage();
}

// The controls that "Do not change settings" switches off.
const int kRadioControls[] = {IDC_PROTO_POWER_SAVE, IDC_PROTO_PREAMBLE, IDC_PROTO_RATE,
                              IDC_PROTO_FRAG,       IDC_PROTO_RTS,      IDC_PROTO_FRAG_SPIN,
                              IDC_PROTO_RTS_SPIN,   IDC_PROTO_RESET,    IDC_PROTO_FRAG_LABEL};

TEST_P(ProtocolPage, AProfileLoadedBeforeThePageWasShownAppearsWhenItIs) {
    Profile* home = ownRadio(mainWindow, "Home");
    auto sheet = openEditor(home);
    ASSERT_FALSE(sheet->protocolPage()->hasWindow());
    CAdvSettgPage& page = showProtocol(*sheet);
    EXPECT_FALSE(page.ui().isChecked(IDC_PROTO_KEEP));
    EXPECT_EQ(selectedText(page, IDC_PROTO_POWER_SAVE), "Max Power Save");
    EXPECT_EQ(selectedText(page, IDC_PROTO_PREAMBLE), "Long");
    EXPECT_EQ(selectedText(page, IDC_PROTO_RATE), "11 Mbps");
    EXPECT_EQ(page.ui().text(IDC_PROTO_FRAG), "1000");
    EXPECT_EQ(page.ui().text(IDC_PROTO_RTS), "500");
    EXPECT_EQ(page.ui().range(IDC_PROTO_FRAG_SPIN), std::make_pair(256, 2346));
    EXPECT_EQ(page.ui().range(IDC_PROTO_RTS_SPIN), std::make_pair(0, 2347));
    for (int id : kRadioControls) EXPECT_TRUE(page.ui().isEnabled(id)) << id;

    // The spin buttons set their edits' numbers.
    page.ui().setPos(IDC_PROTO_FRAG_SPIN, 1500);
    EXPECT_EQ(page.ui().text(IDC_PROTO_FRAG), "1500");
    ASSERT_TRUE(sheet->store(home));
    EXPECT_EQ(home->fragThreshold, 1500u);
    EXPECT_EQ(home->rtsThreshold, 500u);
    EXPECT_EQ(home->dataRate, 22u);
    EXPECT_EQ(home->preamble, 3u);
    EXPECT_EQ(home->powerMode, 1u);
    EXPECT_EQ(home->useDefaultRadio, 0u);
}

TEST_P(ProtocolPage, TheRateListFollowsTheWirelessModeAndFallsBackToAuto) {
    Profile* home = ownRadio(mainWindow, "Home");
    home->dataRate = 108;
    auto sheet = openEditor(home);
    CAdvSettgPage& page = showProtocol(*sheet);
    EXPECT_THAT(entries(page, IDC_PROTO_RATE),
                ElementsAre("Auto", "1 Mbps", "2 Mbps", "5.5 Mbps", "6 Mbps", "9 Mbps", "11 Mbps",
                            "12 Mbps", "18 Mbps", "24 Mbps", "36 Mbps", "48 Mbps", "54 Mbps"));
    EXPECT_EQ(selectedText(page, IDC_PROTO_RATE), "54 Mbps");

    CBasicSettgPage& network = *sheet->networkPage();
    sheet->activate(network);
    user(network).pick(IDC_NET_INFRA_MODE, 1);  // 802.11b
    showProtocol(*sheet);
    EXPECT_THAT(entries(page, IDC_PROTO_RATE),
                ElementsAre("Auto", "1 Mbps", "2 Mbps", "5.5 Mbps", "11 Mbps"));
    EXPECT_EQ(selectedText(page, IDC_PROTO_RATE), "Auto");

    // A rate that both lists offer stays.
    user(page).pick(IDC_PROTO_RATE, 3);
    sheet->activate(network);
    user(network).pick(IDC_NET_INFRA_MODE, 0);  // Auto
    showProtocol(*sheet);
    EXPECT_EQ(page.ui().itemCount(IDC_PROTO_RATE), 13);
    EXPECT_EQ(selectedText(page, IDC_PROTO_RATE), "5.5 Mbps");
    ASSERT_TRUE(sheet->store(home));
    EXPECT_EQ(home->dataRate, 11u);
}

TEST_P(ProtocolPage, AnAdHocNetworkKeepsTheRadioAwake) {
    Profile* cafe = ownRadio(mainWindow, "Cafe", NetworkAdHoc);
    auto sheet = openEditor(cafe);
    CAdvSettgPage& page = showProtocol(*sheet);
    EXPECT_EQ(selectedText(page, IDC_PROTO_POWER_SAVE), "Continuous Access");
    EXPECT_FALSE(page.ui().isEnabled(IDC_PROTO_POWER_SAVE));
    EXPECT_TRUE(page.ui().isEnabled(IDC_PROTO_PREAMBLE));
    ASSERT_TRUE(sheet->store(cafe));
    EXPECT_EQ(cafe->powerMode, 0u);

    // An infrastructure network may sleep.
    sheet->activate(*sheet->networkPage());
    user(*sheet->networkPage()).pick(IDC_NET_TYPE, 0);
    showProtocol(*sheet);
    EXPECT_TRUE(page.ui().isEnabled(IDC_PROTO_POWER_SAVE));
    user(page).pick(IDC_PROTO_POWER_SAVE, 1);
    ASSERT_TRUE(sheet->store(cafe));
    EXPECT_EQ(cafe->powerMode, 1u);
}

TEST_P(ProtocolPage, ThresholdsOutsideTheirRangesAreRefusedTheRtsMessageFirst) {
    Profile* home = ownRadio(mainWindow, "Home");
    auto sheet = openEditor(home);
    CAdvSettgPage& page = showProtocol(*sheet);
    const auto accepted = [&](const char* frag, const char* rts) {
        page.ui().setText(IDC_PROTO_FRAG, frag);
        page.ui().setText(IDC_PROTO_RTS, rts);
        return sheet->validate(home);
    };
    const std::string fragMinimum = "The minimum value of fragmentation threshold is 256";
    const std::string fragMaximum = "The maximum value of fragmentation threshold is 2346";
    const std::string rtsMaximum = "The maximum value of RTS/CTS threshold is 2347";

    EXPECT_TRUE(accepted("256", "0"));
    EXPECT_TRUE(accepted("2346", "2347"));
    EXPECT_TRUE(takeMessages().empty());

    script().expectMessageBox(fragMinimum, fw::id::Ok);
    EXPECT_FALSE(accepted("255", "2347"));
    script().expectMessageBox(fragMaximum, fw::id::Ok);
    EXPECT_FALSE(accepted("2347", "0"));
    script().expectMessageBox(rtsMaximum, fw::id::Ok);
    EXPECT_FALSE(accepted("2346", "2348"));
    // Both wrong: one message, the RTS/CTS threshold's.
    script().expectMessageBox(rtsMaximum, fw::id::Ok);
    EXPECT_FALSE(accepted("0", "9999"));
    EXPECT_THAT(takeMessages(), ElementsAre(fragMinimum, fragMaximum, rtsMaximum, rtsMaximum));
    EXPECT_EQ(script().shownBoxes().back().flags, fw::mb::Ok | fw::mb::IconExclamation);

    // A number that does not fit in 32 bits, a pasted text and an empty field are out of
    // range; none of them reads as 0.
    script().expectMessageBox(rtsMaximum, fw::id::Ok);
    EXPECT_FALSE(accepted("256", "4294967296"));
    script().expectMessageBox(fragMaximum, fw::id::Ok);
    EXPECT_FALSE(accepted("2a0", "0"));
    script().expectMessageBox(rtsMaximum, fw::id::Ok);
    EXPECT_FALSE(accepted("256", ""));
    script().expectMessageBox(rtsMaximum, fw::id::Ok);
    EXPECT_FALSE(sheet->store(home));
    EXPECT_EQ(home->rtsThreshold, 500u);
}

TEST_P(ProtocolPage, KeepingTheCardsSettingsChecksAndStoresNothingElse) {
    Profile* home = ownRadio(mainWindow, "Home");
    home->useDefaultRadio = 1;
    auto sheet = openEditor(home);
    CAdvSettgPage& page = showProtocol(*sheet);
    EXPECT_TRUE(page.ui().isChecked(IDC_PROTO_KEEP));
    for (int id : kRadioControls) EXPECT_FALSE(page.ui().isEnabled(id)) << id;
    page.ui().setText(IDC_PROTO_FRAG, "1");
    EXPECT_TRUE(sheet->validate(home));
    ASSERT_TRUE(sheet->store(home));
    EXPECT_EQ(home->useDefaultRadio, 1u);
    EXPECT_EQ(home->fragThreshold, 1000u);
    EXPECT_EQ(home->powerMode, 1u);
    EXPECT_EQ(home->dataRate, 22u);

    // Clearing the box brings the settings back, and their checks.
    user(page).click(IDC_PROTO_KEEP);
    for (int id : kRadioControls) EXPECT_TRUE(page.ui().isEnabled(id)) << id;
    script().expectMessageBox("The minimum value of fragmentation threshold is 256", fw::id::Ok);
    EXPECT_FALSE(sheet->store(home));
    page.ui().setText(IDC_PROTO_FRAG, "800");
    ASSERT_TRUE(sheet->store(home));
    EXPECT_EQ(home->useDefaultRadio, 0u);
    EXPECT_EQ(home->fragThreshold, 800u);
}

TEST_P(ProtocolPage, ResetShowsTheCardsDefaults) {
    Profile* home = ownRadio(mainWindow, "Home");
    auto sheet = openEditor(home);
    CAdvSettgPage& page = showProtocol(*sheet);
    user(page).click(IDC_PROTO_RESET);
    EXPECT_EQ(selectedText(page, IDC_PROTO_POWER_SAVE), "Continuous Access");
    EXPECT_EQ(selectedText(page, IDC_PROTO_PREAMBLE), "Auto");
    EXPECT_EQ(selectedText(page, IDC_PROTO_RATE), "Auto");
    EXPECT_EQ(page.ui().text(IDC_PROTO_FRAG), "2346");
    EXPECT_EQ(page.ui().text(IDC_PROTO_RTS), "2347");
    ASSERT_TRUE(sheet->store(home));
    EXPECT_EQ(home->powerMode, 0u);
    EXPECT_EQ(home->preamble, 1u);
    EXPECT_EQ(home->dataRate, 255u);
    EXPECT_EQ(home->fragThreshold, 2346u);
    EXPECT_EQ(home->rtsThreshold, 2347u);
}

TEST_P(ProtocolPage, CodesNoEntryOffersShowTheFirstEntryAndStoreItsCode) {
    Profile* home = ownRadio(mainWindow, "Home");
    home->powerMode = 9;
    home->preamble = 0;
    home->dataRate = 7;
    auto sheet = openEditor(home);
    CAdvSettgPage& page = showProtocol(*sheet);
    EXPECT_EQ(selectedText(page, IDC_PROTO_POWER_SAVE), "Continuous Access");
    EXPECT_EQ(selectedText(page, IDC_PROTO_PREAMBLE), "Auto");
    EXPECT_EQ(selectedText(page, IDC_PROTO_RATE), "Auto");

    // Nor does another profile's value linger when one is loaded into the shown page.
    Profile* office = ownRadio(mainWindow, "Office");
    sheet->load(office);
    EXPECT_EQ(selectedText(page, IDC_PROTO_PREAMBLE), "Long");
    sheet->load(home);
    EXPECT_EQ(selectedText(page, IDC_PROTO_PREAMBLE), "Auto");
    ASSERT_TRUE(sheet->store(home));
    EXPECT_EQ(home->powerMode, 0u);
    EXPECT_EQ(home->preamble, 1u);
    EXPECT_EQ(home->dataRate, 255u);
}

}  // namespace
}  // namespace pagestest
