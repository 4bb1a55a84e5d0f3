// The wizard's summary page: the eleven lines of what the other pages hold.
#include <gmock/gmock.h>

#include "pages/AdvSettgPage.h"
#include "pages/BasicSettgPage.h"
#include "pages/CompleteWiz.h"
#include "res/resource.h"
#include "tests/pages/ProfileSuite.h"

namespace pagestest {
namespace {

// The summary page's text, as the wizard shows it now.
std::string shownSummary(const CProfileSheet& wizard) {
    return wizard.page(wizard.pageCount() - 1).ui().text(IDC_SUMMARY_TEXT);
}

TEST_P(ProfileWizard, TheSummaryListsWhatThePagesHoldAndFollowsChanges) {
    mainWindow.channels = {1, 13};
    CProfileSheet wizard(mainWindow, CProfileSheet::Purpose::Wizard);
    script().expectSheet("Create New Profile", [&](fw::Dialog&, fw::UserActions&) {
        CBasicSettgPage& network = *wizard.networkPage();
        user(network).type(IDC_NET_NAME, "Cafe");
        user(network).type(IDC_NET_SSID, "CafeNet");
        for (int page = 0; page < 3; ++page) wizard.pressButton(fw::SheetButton::Next);
        EXPECT_EQ(shownSummary(wizard),
                  "Profile Name = Cafe\r\n"
                  "Network SSID = CafeNet\r\n"
                  "Network Type = Infrastructure\r\n"
                  "Channel = Auto Select\r\n"
                  "Security = Security Off\r\n"
                  "Authentication = Open System\r\n"
                  "Power Mode = Continuous Access\r\n"
                  "Radio Preamble = Auto\r\n"
                  "Transmit Data Rate = Auto\r\n"
                  "Fragmentation Threshold = 2346\r\n"
                  "RTS Threshold = 2347\r\n");
        EXPECT_EQ(wizard.page(3).ui().text(IDC_SUMMARY_NOTE), "");

        // Back to the network page for another SSID and an ad-hoc network on channel 13.
        for (int page = 0; page < 3; ++page) wizard.pressButton(fw::SheetButton::Back);
        network.ui().setText(IDC_NET_SSID, "Lounge");
        user(network).pick(IDC_NET_TYPE, 1);
        user(network).pick(IDC_NET_CHANNEL, 13);
        wizard.pressButton(fw::SheetButton::Next);
        wizard.pressButton(fw::SheetButton::Next);
        CAdvSettgPage& protocol = *wizard.protocolPage();
        user(protocol).click(IDC_PROTO_KEEP);
        user(protocol).pick(IDC_PROTO_PREAMBLE, 2);
        user(protocol).pick(IDC_PROTO_RATE, 4);
        protocol.ui().setText(IDC_PROTO_RTS, "1200");
        wizard.pressButton(fw::SheetButton::Next);
        EXPECT_EQ(shownSummary(wizard),
                  "Profile Name = Cafe\r\n"
                  "Network SSID = Lounge\r\n"
                  "Network Type = Ad-Hoc\r\n"
                  "Channel = CH 13 (2.472 GHz)\r\n"
                  "Security = Security Off\r\n"
                  "Authentication = Open System\r\n"
                  "Power Mode = Continuous Access\r\n"
                  "Radio Preamble = Long\r\n"
                  "Transmit Data Rate = 6 Mbps\r\n"
                  "Fragmentation Threshold = 2346\r\n"
                  "RTS Threshold = 1200\r\n");
        wizard.pressButton(fw::SheetButton::Finish);
    });
    EXPECT_EQ(host().runSheet(wizard, nullptr), fw::id::Ok);
    const std::unique_ptr<Profile> created = wizard.takeNewProfile();
    ASSERT_TRUE(created);
    EXPECT_EQ(fieldText(created->ssid), "Lounge");
    EXPECT_EQ(created->networkType, NetworkAdHoc);
    EXPECT_EQ(created->channel, 13u);
    EXPECT_EQ(created->preamble, 3u);
    EXPECT_EQ(created->dataRate, 12u);
    EXPECT_EQ(created->rtsThreshold, 1200u);
}

TEST_P(ProfileWizard, TheSummaryShowsTheThresholdsAlsoWhileTheCardsSettingsAreKept) {
    CProfileSheet wizard(mainWindow, CProfileSheet::Purpose::Wizard);
    script().expectSheet("Create New Profile", [&](fw::Dialog&, fw::UserActions&) {
        user(*wizard.networkPage()).type(IDC_NET_NAME, "Cafe");
        wizard.pressButton(fw::SheetButton::Next);
        wizard.pressButton(fw::SheetButton::Next);
        wizard.protocolPage()->ui().setText(IDC_PROTO_FRAG, "700");
        wizard.pressButton(fw::SheetButton::Next);
        EXPECT_THAT(shownSummary(wizard), testing::HasSubstr("Fragmentation Threshold = 700\r\n"));
        wizard.pressButton(fw::SheetButton::Cancel);
    });
    EXPECT_EQ(host().runSheet(wizard, nullptr), fw::id::Cancel);
}

}  // namespace
}  // namespace pagestest
