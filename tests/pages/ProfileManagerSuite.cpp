// The Profile Manager page: the list and its marks, the button rule, create, delete,
// save, move, apply, the prefer list and the link events.
#include <gmock/gmock.h>

#include "adapter/ZelShared.h"
#include "pages/AdvSettgPage.h"
#include "pages/BasicSettgPage.h"
#include "pages/ProfileManager.h"
#include "res/resource.h"
#include "tests/pages/ProfileSuite.h"

namespace pagestest {
namespace {

using testing::ElementsAre;

constexpr int kButtons[] = {IDC_PM_DELETE, IDC_PM_APPLY, IDC_PM_MOVE_UP, IDC_PM_MOVE_DOWN};

TEST_P(ProfileManagerSuite, AnEmptyListLeavesOnlyCreate) {
    CProfileManager& manager = open();
    EXPECT_TRUE(rows().empty());
    for (int id : kButtons) EXPECT_FALSE(ui().isEnabled(id)) << id;
    EXPECT_FALSE(ui().isEnabled(IDC_PM_SAVE));
    EXPECT_TRUE(ui().isEnabled(IDC_PM_CREATE));
    CBasicSettgPage& network = *manager.editor().networkPage();
    EXPECT_FALSE(network.ui().isEnabled(IDC_NET_NAME));
    EXPECT_FALSE(network.ui().isEnabled(IDC_NET_TYPE));
    EXPECT_EQ(ui().tip(IDC_PM_LIST), "Add/Remove Profile from Auto Configuration Prefer List.");
}

TEST_P(ProfileManagerSuite, TheListShowsEveryProfileInOrderWithItsBoxAndTheProfileInUse) {
    mainWindow.list.append(std::make_unique<Profile>(makeDefaultProfile()));
    Profile* home = mainWindow.add("Home", NetworkInfrastructure, "HomeNet");
    Profile* cafe = mainWindow.add("Cafe", NetworkAdHoc);
    mainWindow.connectTo(home);
    cafe->preferred = 0;
    CProfileManager& manager = open();
    // Marked in use, Home moved to the front.
    EXPECT_THAT(rows(), ElementsAre("Home", "<Default>", "Cafe"));
    EXPECT_THAT(checks(), ElementsAre(true, true, false));
    EXPECT_THAT(images(), ElementsAre(1, 0, 0));
    EXPECT_EQ(selectedRow(), 0);
    EXPECT_EQ(manager.editor().editedProfile(), home);
    EXPECT_EQ(manager.editor().networkPage()->ui().text(IDC_NET_NAME), "Home");
    EXPECT_FALSE(ui().isEnabled(IDC_PM_SAVE));
    // The profile in use cannot be deleted.
    EXPECT_FALSE(ui().isEnabled(IDC_PM_DELETE));
    EXPECT_TRUE(ui().isEnabled(IDC_PM_APPLY));
    EXPECT_EQ(ui().rowData(IDC_PM_LIST, 2), reinterpret_cast<intptr_t>(mainWindow.list.at(2)));
}

TEST_P(ProfileManagerSuite, TheRowInUseIsSelectedWhenTheCardIsOnItsNetwork) {
    mainWindow.add("Home", NetworkInfrastructure, "HomeNet");
    Profile* office = mainWindow.add("Office", NetworkInfrastructure, "OfficeNet");
    mainWindow.connectTo(office);
    mainWindow.list.move(0, 1);
    mainWindow.linkView.ssid = "ElseNet";
    CProfileManager& manager = open();
    EXPECT_THAT(rows(), ElementsAre("Home", "Office"));
    EXPECT_EQ(selectedRow(), 0);
    // Once a row is selected the mark follows the profile in use.
    EXPECT_THAT(images(), ElementsAre(0, 1));

    mainWindow.linkView.ssid = "OfficeNet";
    manager.onMainWindowEvent(zel::EventAssociated, 0);
    EXPECT_EQ(selectedRow(), 1);

    // A profile for any network matches whatever network the card joined.
    pickRow(0);
    setFieldText(office->ssid, "ANY");
    mainWindow.linkView.ssid = "ElseNet";
    manager.onMainWindowEvent(zel::EventReassociated, 0);
    EXPECT_EQ(selectedRow(), 1);
    EXPECT_THAT(images(), ElementsAre(0, 1));
}

TEST_P(ProfileManagerSuite, TheDefaultProfileStaysAndItsPagesAreShownDisabled) {
    mainWindow.list.append(std::make_unique<Profile>(makeDefaultProfile()));
    mainWindow.add("Home");
    CProfileManager& manager = open();
    EXPECT_EQ(selectedRow(), 0);
    EXPECT_FALSE(ui().isEnabled(IDC_PM_DELETE));
    EXPECT_FALSE(ui().isEnabled(IDC_PM_MOVE_UP));
    EXPECT_TRUE(ui().isEnabled(IDC_PM_MOVE_DOWN));
    EXPECT_TRUE(ui().isEnabled(IDC_PM_APPLY));
    CBasicSettgPage& network = *manager.editor().networkPage();
    EXPECT_FALSE(network.ui().isEnabled(IDC_NET_NAME));
    EXPECT_FALSE(network.ui().isEnabled(IDC_NET_SSID));

    hands().click(IDC_PM_MOVE_DOWN);
    EXPECT_THAT(rows(), ElementsAre("Home", "<Default>"));
    EXPECT_THAT(mainWindow.names(), ElementsAre("Home", "<Default>"));
    EXPECT_EQ(selectedRow(), 1);

    hands().click(IDC_PM_APPLY);
    ASSERT_EQ(mainWindow.connects.size(), 1u);
    EXPECT_EQ(fieldText(mainWindow.connects[0].profile->name), "<Default>");

    // Another profile's pages are enabled again.
    pickRow(1);
    EXPECT_TRUE(network.ui().isEnabled(IDC_NET_NAME));
    EXPECT_TRUE(ui().isEnabled(IDC_PM_DELETE));
}

TEST_P(ProfileManagerSuite, ProfilesMoveWithinTheirNetworkType) {
    mainWindow.add("I1");
    mainWindow.add("I2");
    mainWindow.add("A1", NetworkAdHoc);
    mainWindow.list.at(1)->preferred = 0;
    open();
    pickRow(1);
    EXPECT_TRUE(ui().isEnabled(IDC_PM_MOVE_UP));
    EXPECT_FALSE(ui().isEnabled(IDC_PM_MOVE_DOWN));
    pickRow(2);
    EXPECT_FALSE(ui().isEnabled(IDC_PM_MOVE_UP));
    EXPECT_FALSE(ui().isEnabled(IDC_PM_MOVE_DOWN));
    pickRow(0);
    EXPECT_FALSE(ui().isEnabled(IDC_PM_MOVE_UP));
    EXPECT_TRUE(ui().isEnabled(IDC_PM_MOVE_DOWN));

    pickRow(1);
    hands().click(IDC_PM_MOVE_UP);
    EXPECT_THAT(rows(), ElementsAre("I2", "I1", "A1"));
    EXPECT_THAT(checks(), ElementsAre(false, true, true));
    EXPECT_THAT(mainWindow.names(), ElementsAre("I2", "I1", "A1"));
    EXPECT_EQ(selectedRow(), 0);
    EXPECT_FALSE(ui().isEnabled(IDC_PM_MOVE_UP));
    hands().click(IDC_PM_MOVE_DOWN);
    EXPECT_THAT(mainWindow.names(), ElementsAre("I1", "I2", "A1"));
    EXPECT_EQ(selectedRow(), 1);
}

TEST_P(ProfileManagerSuite, ACreatedInfrastructureProfileLandsBeforeTheAdHocOnes) {
    mainWindow.add("I1");
    mainWindow.add("I2");
    mainWindow.add("A1", NetworkAdHoc);
    CProfileManager& manager = open();
    script().expectSheet("Create New Profile", [&](fw::Dialog& dialog, fw::UserActions&) {
        auto& wizard = static_cast<CProfileSheet&>(dialog);
        user(*wizard.networkPage()).type(IDC_NET_NAME, "I3");
        for (int page = 0; page < 3; ++page) wizard.pressButton(fw::SheetButton::Next);
        wizard.pressButton(fw::SheetButton::Finish);
    });
    hands().click(IDC_PM_CREATE);
    EXPECT_THAT(rows(), ElementsAre("I1", "I2", "I3", "A1"));
    EXPECT_THAT(mainWindow.names(), ElementsAre("I1", "I2", "I3", "A1"));
    EXPECT_THAT(checks(), ElementsAre(true, true, true, true));
    EXPECT_EQ(selectedRow(), 2);
    EXPECT_EQ(mainWindow.list.at(2)->preferred, 1u);
    EXPECT_EQ(manager.editor().editedProfile(), mainWindow.list.at(2));
    EXPECT_EQ(manager.editor().activeIndex(), 0);

    // A cancelled wizard adds nothing.
    script().expectSheet("Create New Profile", [&](fw::Dialog&, fw::UserActions& sheetUser) {
        sheetUser.click(fw::id::Cancel);
    });
    hands().click(IDC_PM_CREATE);
    EXPECT_EQ(mainWindow.list.size(), 4u);
}

TEST_P(ProfileManagerSuite, OnlyTheCheckBoxTurnsTheProfileOnOrOffThePreferList) {
    Profile* home = mainWindow.add("Home");
    mainWindow.add("Office");
    open();
    hands().clickRow(IDC_PM_LIST, 0);
    hands().clickRow(IDC_PM_LIST, 1);
    EXPECT_EQ(home->preferred, 1u);
    hands().clickCheckBox(IDC_PM_LIST, 0);
    EXPECT_EQ(home->preferred, 0u);
    EXPECT_FALSE(ui().isRowChecked(IDC_PM_LIST, 0));
    EXPECT_EQ(selectedRow(), 1);
    hands().clickCheckBox(IDC_PM_LIST, 0);
    EXPECT_EQ(home->preferred, 1u);
    EXPECT_TRUE(ui().isRowChecked(IDC_PM_LIST, 0));
}

// The keyboard's way to the box: Space on the selected row, with what the user typed
// into the editor left as it is.
TEST_P(ProfileManagerSuite, SpaceTurnsTheSelectedProfileOnAndOffThePreferList) {
    mainWindow.add("Home");
    Profile* office = mainWindow.add("Office");
    office->preferred = 0;
    CProfileManager& manager = open();
    pickRow(1);
    user(*manager.editor().networkPage()).type(IDC_NET_SSID, "Lab");
    const std::vector<bool> afterEachPress[] = {{true, true}, {true, false}};
    for (const std::vector<bool>& boxes : afterEachPress) {
        hands().pressKey(IDC_PM_LIST, fw::vk::Space);
        EXPECT_EQ(checks(), boxes);
    }
    EXPECT_EQ(manager.editor().networkPage()->ui().text(IDC_NET_SSID), "NetLab");
}

TEST_P(ProfileManagerSuite, TheContextMenuSetsThePreferListAndApplies) {
    mainWindow.add("Home");
    mainWindow.add("Office");
    open();
    const auto choose = [&](int row, int command) {
        script().expectMenu(IDR_PROFILE_MENU, command);
        hands().rightClickRow(IDC_PM_LIST, row);
    };
    choose(1, ID_PM_UNPREFER);
    EXPECT_THAT(checks(), ElementsAre(true, false));
    choose(1, ID_PM_PREFER_NONE);
    EXPECT_THAT(checks(), ElementsAre(false, false));
    EXPECT_EQ(mainWindow.list.at(0)->preferred, 0u);
    choose(0, ID_PM_PREFER);
    EXPECT_THAT(checks(), ElementsAre(true, false));
    choose(0, ID_PM_PREFER_ALL);
    EXPECT_THAT(checks(), ElementsAre(true, true));
    EXPECT_EQ(mainWindow.list.at(1)->preferred, 1u);
    choose(1, ID_PM_SWITCH);
    ASSERT_EQ(mainWindow.connects.size(), 1u);
    EXPECT_EQ(fieldText(mainWindow.connects[0].profile->name), "Office");
    choose(0, 0);
    EXPECT_EQ(mainWindow.connects.size(), 1u);
}

TEST_P(ProfileManagerSuite, DeletingSelectsTheRowInItsPlaceOrTheNewLastRow) {
    mainWindow.add("I1");
    mainWindow.add("I2");
    mainWindow.add("I3");
    CProfileManager& manager = open();
    pickRow(2);
    hands().click(IDC_PM_DELETE);
    EXPECT_THAT(rows(), ElementsAre("I1", "I2"));
    EXPECT_THAT(mainWindow.names(), ElementsAre("I1", "I2"));
    EXPECT_EQ(selectedRow(), 1);
    EXPECT_EQ(manager.editor().editedProfile(), mainWindow.list.at(1));
    pickRow(0);
    hands().click(IDC_PM_DELETE);
    EXPECT_THAT(rows(), ElementsAre("I2"));
    EXPECT_EQ(selectedRow(), 0);
    hands().click(IDC_PM_DELETE);
    EXPECT_TRUE(rows().empty());
    EXPECT_TRUE(mainWindow.list.empty());
    EXPECT_EQ(manager.editor().editedProfile(), nullptr);
    for (int id : kButtons) EXPECT_FALSE(ui().isEnabled(id)) << id;
}

TEST_P(ProfileManagerSuite, SaveStoresTheEditAndListsTheProfileInItsPlace) {
    mainWindow.add("I1");
    mainWindow.add("I2");
    mainWindow.add("A1", NetworkAdHoc);
    CProfileManager& manager = open();
    CBasicSettgPage& network = *manager.editor().networkPage();
    EXPECT_FALSE(ui().isEnabled(IDC_PM_SAVE));
    // Looking at the protocol page changes nothing; showing the network page does what a
    // change of its texts does.
    manager.editor().activate(*manager.editor().protocolPage());
    EXPECT_FALSE(ui().isEnabled(IDC_PM_SAVE));
    manager.editor().activate(network);
    EXPECT_TRUE(ui().isEnabled(IDC_PM_SAVE));
    user(network).type(IDC_NET_NAME, "X");
    EXPECT_TRUE(ui().isEnabled(IDC_PM_SAVE));
    user(network).pick(IDC_NET_TYPE, 1);
    hands().click(IDC_PM_SAVE);
    EXPECT_THAT(rows(), ElementsAre("I2", "I1X", "A1"));
    EXPECT_THAT(mainWindow.names(), ElementsAre("I2", "I1X", "A1"));
    EXPECT_EQ(mainWindow.list.at(1)->networkType, NetworkAdHoc);
    EXPECT_EQ(selectedRow(), 1);
    EXPECT_FALSE(ui().isEnabled(IDC_PM_SAVE));
    EXPECT_FALSE(ui().isEnabled(IDC_PM_MOVE_UP));
    EXPECT_EQ(hands().cursorOver(IDC_PM_LIST), fw::Cursor::Arrow);

    // A refused save keeps the record and tells the main window to stay open.
    network.ui().setText(IDC_NET_NAME, "I2");
    script().expectMessageBox("Profile name already exists! Please enter a new one!", fw::id::Ok);
    EXPECT_FALSE(manager.save());
    EXPECT_EQ(fieldText(mainWindow.list.at(1)->name), "I1X");
    EXPECT_FALSE(ui().isEnabled(IDC_PM_SAVE));
    EXPECT_EQ(hands().cursorOver(IDC_PM_LIST), fw::Cursor::Arrow);
    network.ui().setText(IDC_NET_NAME, "I1");
    EXPECT_TRUE(manager.save());
    EXPECT_THAT(mainWindow.names(), ElementsAre("I2", "I1", "A1"));
}

TEST_P(ProfileManagerSuite, ApplyStoresThenConnectsWhileBusy) {
    mainWindow.add("Home", NetworkInfrastructure, "HomeNet");
    mainWindow.add("Office", NetworkInfrastructure, "OfficeNet");
    CProfileManager& manager = open();
    pickRow(1);
    manager.editor().networkPage()->ui().setText(IDC_NET_SSID, "Lab");
    hands().click(IDC_PM_APPLY);
    ASSERT_EQ(mainWindow.connects.size(), 1u);
    EXPECT_EQ(fieldText(mainWindow.connects[0].profile->ssid), "Lab");
    EXPECT_TRUE(mainWindow.connects[0].busy);
    EXPECT_THAT(mainWindow.busyChanges, ElementsAre(true, false));
    EXPECT_EQ(hands().cursorOver(IDC_PM_LIST), fw::Cursor::Arrow);
    // Connected: the profile went to the front, with the mark.
    EXPECT_THAT(rows(), ElementsAre("Office", "Home"));
    EXPECT_THAT(images(), ElementsAre(1, 0));
    EXPECT_EQ(selectedRow(), 0);
    EXPECT_TRUE(ui().isEnabled(IDC_PM_CREATE));
    EXPECT_TRUE(ui().isEnabled(IDC_PM_APPLY));
    EXPECT_FALSE(ui().isEnabled(IDC_PM_DELETE));
    EXPECT_FALSE(ui().isEnabled(IDC_PM_SAVE));

    // A double click applies too; a refused edit does not.
    hands().doubleClickRow(IDC_PM_LIST, 1);
    EXPECT_EQ(mainWindow.connects.size(), 2u);
    EXPECT_THAT(rows(), ElementsAre("Home", "Office"));
    manager.editor().networkPage()->ui().setText(IDC_NET_NAME, "");
    script().expectMessageBox("You have entered an illegal profile name.", fw::id::Ok);
    hands().click(IDC_PM_APPLY);
    EXPECT_EQ(mainWindow.connects.size(), 2u);

    // Without a card nothing happens.
    mainWindow.cardOpen = false;
    hands().click(IDC_PM_APPLY);
    EXPECT_EQ(mainWindow.connects.size(), 2u);
    EXPECT_THAT(backEnd_->missingControls(manager), testing::IsEmpty());
}

TEST_P(ProfileManagerSuite, LinkEventsMoveTheInUseMark) {
    Profile* home = mainWindow.add("Home", NetworkInfrastructure, "HomeNet");
    mainWindow.add("Office", NetworkInfrastructure, "OfficeNet");
    CProfileManager& manager = open();
    EXPECT_THAT(images(), ElementsAre(0, 0));
    pickRow(1);

    mainWindow.connectTo(home);
    manager.onMainWindowEvent(zel::EventAssociated, 0);
    EXPECT_THAT(images(), ElementsAre(1, 0));
    EXPECT_EQ(selectedRow(), 0);

    // Busy, or a profile in use: a media check leaves the mark.
    mainWindow.busyFlag = true;
    mainWindow.linkView = {};
    manager.onMainWindowEvent(zel::EventMediaCheck, 0);
    EXPECT_THAT(images(), ElementsAre(1, 0));
    mainWindow.busyFlag = false;
    manager.onMainWindowEvent(zel::EventCardRemoval, 0);
    EXPECT_THAT(images(), ElementsAre(1, 0));
    manager.onMainWindowEvent(zel::EventMediaCheck, 0);
    EXPECT_THAT(images(), ElementsAre(0, 0));
}

}  // namespace
}  // namespace pagestest
