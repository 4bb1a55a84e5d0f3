// The "Create New Profile" wizard: its buttons page by page, Finish creating a
// preferred profile, and a refused Finish keeping it open.
#include <gmock/gmock.h>

#include "pages/AdvSettgPage.h"
#include "pages/BasicSettgPage.h"
#include "res/resource.h"
#include "tests/pages/ProfileSuite.h"

namespace pagestest {
namespace {

bool enabled(const fw::Sheet& sheet, int button) {
    return sheet.ui().isEnabled(button) && sheet.ui().isVisible(button);
}

TEST_P(ProfileWizard, FinishCreatesAPreferredProfileFromThePages) {
    mainWindow.add("Home");
    CProfileSheet wizard(mainWindow, CProfileSheet::Purpose::Wizard);
    script().expectSheet("Create New Profile", [&](fw::Dialog&, fw::UserActions&) {
        CBasicSettgPage& network = *wizard.networkPage();
        EXPECT_FALSE(enabled(wizard, fw::Sheet::kNextButton));
        EXPECT_FALSE(enabled(wizard, fw::Sheet::kBackButton));
        user(network).type(IDC_NET_NAME, "Cafe");
        EXPECT_TRUE(enabled(wizard, fw::Sheet::kNextButton));
        EXPECT_FALSE(enabled(wizard, fw::Sheet::kBackButton));
        user(network).type(IDC_NET_SSID, "CafeNet");
        wizard.pressButton(fw::SheetButton::Next);
        wizard.pressButton(fw::SheetButton::Next);
        EXPECT_EQ(wizard.activeIndex(), 2);
        EXPECT_TRUE(enabled(wizard, fw::Sheet::kBackButton));
        EXPECT_TRUE(enabled(wizard, fw::Sheet::kNextButton));
        EXPECT_TRUE(wizard.protocolPage()->ui().isChecked(IDC_PROTO_KEEP));
        wizard.pressButton(fw::SheetButton::Next);
        EXPECT_TRUE(enabled(wizard, fw::Sheet::kBackButton));
        EXPECT_TRUE(enabled(wizard, fw::Sheet::kFinishButton));
        wizard.pressButton(fw::SheetButton::Finish);
    });
    EXPECT_EQ(host().runSheet(wizard, nullptr), fw::id::Ok);
    const std::unique_ptr<Profile> created = wizard.takeNewProfile();
    ASSERT_TRUE(created);
    EXPECT_EQ(fieldText(created->name), "Cafe");
    EXPECT_EQ(fieldText(created->ssid), "CafeNet");
    EXPECT_EQ(created->preferred, 1u);
    EXPECT_EQ(created->networkType, NetworkInfrastructure);
    EXPECT_EQ(created->wirelessMode, WirelessAuto);
    EXPECT_EQ(created->encryption, EncryptionOff);
    EXPECT_EQ(created->useDefaultRadio, 1u);
    EXPECT_EQ(created->fragThreshold, 2346u);
    EXPECT_EQ(created->rtsThreshold, 2347u);
    EXPECT_EQ(created->ipAuto, 0u);
    // The wizard hands the profile over; the list is the Profile Manager's business.
    EXPECT_EQ(mainWindow.list.size(), 1u);
    EXPECT_FALSE(wizard.takeNewProfile());
}

TEST_P(ProfileWizard, ANameAnotherProfileHasKeepsTheWizardOpenOnTheNetworkPage) {
    mainWindow.add("Home");
    CProfileSheet wizard(mainWindow, CProfileSheet::Purpose::Wizard);
    script().expectSheet("Create New Profile", [&](fw::Dialog& dialog, fw::UserActions&) {
        CBasicSettgPage& network = *wizard.networkPage();
        user(network).type(IDC_NET_NAME, "Home");
        for (int page = 0; page < 3; ++page) wizard.pressButton(fw::SheetButton::Next);
        wizard.pressButton(fw::SheetButton::Finish);
        EXPECT_TRUE(dialog.hasWindow());
        EXPECT_EQ(wizard.activeIndex(), 0);
        EXPECT_TRUE(enabled(wizard, fw::Sheet::kNextButton));
        EXPECT_FALSE(enabled(wizard, fw::Sheet::kFinishButton));
        user(network).type(IDC_NET_NAME, "2");
        for (int page = 0; page < 3; ++page) wizard.pressButton(fw::SheetButton::Next);
        wizard.pressButton(fw::SheetButton::Finish);
    });
    script().expectMessageBox("Profile name already exists! Please enter a new one!", fw::id::Ok);
    EXPECT_EQ(host().runSheet(wizard, nullptr), fw::id::Ok);
    const std::unique_ptr<Profile> created = wizard.takeNewProfile();
    ASSERT_TRUE(created);
    EXPECT_EQ(fieldText(created->name), "Home2");
}

TEST_P(ProfileWizard, AFinishRefusedOnTheLastPageStaysThere) {
    CProfileSheet wizard(mainWindow, CProfileSheet::Purpose::Wizard);
    script().expectSheet("Create New Profile", [&](fw::Dialog&, fw::UserActions&) {
        user(*wizard.networkPage()).type(IDC_NET_NAME, "Cafe");
        wizard.pressButton(fw::SheetButton::Next);
        wizard.pressButton(fw::SheetButton::Next);
        CAdvSettgPage& protocol = *wizard.protocolPage();
        user(protocol).click(IDC_PROTO_KEEP);
        protocol.ui().setText(IDC_PROTO_RTS, "3000");
        wizard.pressButton(fw::SheetButton::Next);
        wizard.pressButton(fw::SheetButton::Finish);
        EXPECT_EQ(wizard.activeIndex(), 3);
        EXPECT_TRUE(enabled(wizard, fw::Sheet::kBackButton));
        EXPECT_TRUE(enabled(wizard, fw::Sheet::kFinishButton));
        wizard.pressButton(fw::SheetButton::Cancel);
    });
    script().expectMessageBox("The maximum value of RTS/CTS threshold is 2347", fw::id::Ok);
    EXPECT_EQ(host().runSheet(wizard, nullptr), fw::id::Cancel);
    EXPECT_FALSE(wizard.takeNewProfile());
}

TEST_P(ProfileWizard, KeepingTheCardsSettingsStoresTheDefaultThresholds) {
    CProfileSheet wizard(mainWindow, CProfileSheet::Purpose::Wizard);
    script().expectSheet("Create New Profile", [&](fw::Dialog&, fw::UserActions&) {
        user(*wizard.networkPage()).type(IDC_NET_NAME, "Cafe");
        wizard.pressButton(fw::SheetButton::Next);
        wizard.pressButton(fw::SheetButton::Next);
        CAdvSettgPage& protocol = *wizard.protocolPage();
        user(protocol).click(IDC_PROTO_KEEP);
        protocol.ui().setText(IDC_PROTO_FRAG, "800");
        user(protocol).click(IDC_PROTO_KEEP);
        wizard.pressButton(fw::SheetButton::Next);
        wizard.pressButton(fw::SheetButton::Finish);
    });
    EXPECT_EQ(host().runSheet(wizard, nullptr), fw::id::Ok);
    const std::unique_ptr<Profile> created = wizard.takeNewProfile();
    ASSERT_TRUE(created);
    EXPECT_EQ(created->useDefaultRadio, 1u);
    EXPECT_EQ(created->fragThreshold, 2346u);
    EXPECT_EQ(created->rtsThreshold, 2347u);
    EXPECT_EQ(created->preamble, 0u);
}

TEST_P(ProfileWizard, CancelMakesNoProfile) {
    CProfileSheet wizard(mainWindow, CProfileSheet::Purpose::Wizard);
    script().expectSheet("Create New Profile", [&](fw::Dialog&, fw::UserActions& sheetUser) {
        user(*wizard.networkPage()).type(IDC_NET_NAME, "Cafe");
        sheetUser.click(fw::id::Cancel);
    });
    EXPECT_EQ(host().runSheet(wizard, nullptr), fw::id::Cancel);
    EXPECT_FALSE(wizard.takeNewProfile());
}

}  // namespace
}  // namespace pagestest
