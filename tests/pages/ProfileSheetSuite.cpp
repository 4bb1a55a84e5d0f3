// The profile sheet: its pages per purpose, and load, store and enable over pages that
// have a window and pages that do not have one yet.
#include <gmock/gmock.h>

#include <cstring>

#include "pages/AdvSettgPage.h"
#include "pages/BasicSettgPage.h"
#include "res/resource.h"
#include "tests/pages/ProfileSuite.h"

namespace pagestest {
namespace {

using testing::ElementsAre;

std::vector<std::string> pageTitles(const fw::Sheet& sheet) {
    std::vector<std::string> titles;
    for (int index = 0; index < sheet.pageCount(); ++index)
        titles.push_back(sheet.page(index).title());
    return titles;
}

TEST_P(ProfileSheetSuite, EachPurposeHasItsPagesInOrder) {
    CProfileSheet editor(mainWindow, CProfileSheet::Purpose::Editor);
    EXPECT_EQ(editor.caption(), "");
    EXPECT_EQ(editor.mode(), fw::Sheet::Mode::Modeless);
    EXPECT_THAT(pageTitles(editor), ElementsAre("Network Info", "", "Protocol"));
    EXPECT_EQ(editor.page(0).templateId(), IDD_NETWORK_INFO);
    EXPECT_EQ(editor.page(1).templateId(), StubSecurityPage::kEditorTemplate);
    EXPECT_EQ(editor.page(2).templateId(), IDD_PROTOCOL);
    EXPECT_EQ(editor.page(0).headerTitle(), "");

    CProfileSheet wizard(mainWindow, CProfileSheet::Purpose::Wizard);
    EXPECT_EQ(wizard.caption(), "Create New Profile");
    EXPECT_EQ(wizard.mode(), fw::Sheet::Mode::Wizard);
    EXPECT_THAT(pageTitles(wizard), ElementsAre("Network Info", "", "Protocol", "Complete."));
    EXPECT_EQ(wizard.page(0).templateId(), IDD_NETWORK_INFO_WIZARD);
    EXPECT_EQ(wizard.page(1).templateId(), StubSecurityPage::kWizardTemplate);
    EXPECT_EQ(wizard.page(2).templateId(), IDD_PROTOCOL_WIZARD);
    EXPECT_EQ(wizard.page(3).templateId(), IDD_SUMMARY);
    EXPECT_EQ(wizard.page(0).headerTitle(), "Please enter the network information:");
    EXPECT_EQ(wizard.page(2).headerTitle(), "Please enter the wireless settings:");
    EXPECT_EQ(wizard.page(3).headerTitle(), "");
    EXPECT_EQ(wizard.watermark(), IDB_WIZARD_WATERMARK);
    EXPECT_EQ(wizard.header(), IDB_WIZARD_HEADER);

    CProfileSheet security(mainWindow, CProfileSheet::Purpose::SecurityOnly);
    EXPECT_EQ(security.caption(), "Configure Network");
    EXPECT_EQ(security.mode(), fw::Sheet::Mode::Modal);
    ASSERT_EQ(security.pageCount(), 1);
    EXPECT_EQ(&security.page(0), security.securityPage());
    EXPECT_EQ(security.networkPage(), nullptr);
    EXPECT_EQ(security.protocolPage(), nullptr);

    // Without a security page the sheet runs with the others.
    mainWindow.securityPage = nullptr;
    CProfileSheet bare(mainWindow, CProfileSheet::Purpose::Editor);
    EXPECT_THAT(pageTitles(bare), ElementsAre("Network Info", "Protocol"));
}

TEST_P(ProfileSheetSuite, StoringWhenOnlyTheNetworkPageWasShownLeavesTheOtherFields) {
    Profile* home = mainWindow.add("Home");
    home->encryption = EncryptionWep;
    home->securityType = SecuritySharedKey;
    home->txKeyIndex = 2;
    home->wepKeys[1].length = 5;
    setFieldText(home->psk, "passphrase");
    home->useDefaultRadio = 0;
    home->powerMode = 1;
    home->dataRate = 22;
    home->fragThreshold = 1000;
    home->rtsThreshold = 500;
    home->ipAuto = 1;
    const Profile before = *home;

    auto sheet = openEditor(home);
    ASSERT_FALSE(sheet->securityPage()->hasWindow());
    ASSERT_FALSE(sheet->protocolPage()->hasWindow());
    sheet->networkPage()->ui().setText(IDC_NET_SSID, "Elsewhere");
    ASSERT_TRUE(sheet->store(home));

    Profile expected = before;
    setFieldText(expected.ssid, "Elsewhere");
    EXPECT_EQ(fieldText(home->ssid), "Elsewhere");
    EXPECT_EQ(std::memcmp(home, &expected, sizeof expected), 0);
}

TEST_P(ProfileSheetSuite, StoringKeepsThePreferenceTheListHasNow) {
    Profile* home = mainWindow.add("Home");
    auto sheet = openEditor(home);
    {
        std::lock_guard<std::mutex> lock(mainWindow.lock);
        home->preferred = 0;
    }
    ASSERT_TRUE(sheet->store(home));
    EXPECT_EQ(home->preferred, 0u);
    EXPECT_FALSE(sheet->store(nullptr));
}

TEST_P(ProfileSheetSuite, EveryPageStoresOnceShownAndTheFirstRefusalStopsTheStore) {
    Profile* home = mainWindow.add("Home");
    auto sheet = openEditor(home);
    auto& security = static_cast<StubSecurityPage&>(*sheet->securityPage());
    sheet->activate(security);
    user(security).pick(IDC_SEC_ENCRYPTION, 1);
    sheet->activate(*sheet->protocolPage());
    user(*sheet->protocolPage()).click(IDC_PROTO_KEEP);
    ASSERT_TRUE(sheet->store(home));
    EXPECT_EQ(home->encryption, EncryptionWep);
    EXPECT_EQ(home->useDefaultRadio, 0u);

    security.refuse = true;
    sheet->activate(security);
    user(security).pick(IDC_SEC_ENCRYPTION, 0);
    sheet->networkPage()->ui().setText(IDC_NET_SSID, "Elsewhere");
    EXPECT_FALSE(sheet->store(home));
    EXPECT_EQ(home->encryption, EncryptionWep);
    EXPECT_EQ(fieldText(home->ssid), "Net");
}

TEST_P(ProfileSheetSuite, ADisableBeforeAPageIsShownWaitsForItsFirstActivation) {
    Profile* home = mainWindow.add("Home");
    home->useDefaultRadio = 0;
    auto sheet = openEditor(home);
    CBasicSettgPage& network = *sheet->networkPage();
    sheet->enable(false);
    for (int id : {IDC_NET_NAME, IDC_NET_SSID, IDC_NET_TYPE, IDC_NET_INFRA_MODE}) {
        EXPECT_FALSE(network.ui().isEnabled(id)) << id;
    }
    CAdvSettgPage& protocol = *sheet->protocolPage();
    sheet->activate(protocol);
    for (int id :
         {IDC_PROTO_KEEP, IDC_PROTO_POWER_SAVE, IDC_PROTO_RATE, IDC_PROTO_FRAG, IDC_PROTO_RESET}) {
        EXPECT_FALSE(protocol.ui().isEnabled(id)) << id;
    }
    // Shown again, the page stays as it is.
    sheet->activate(network);
    sheet->activate(protocol);
    EXPECT_FALSE(protocol.ui().isEnabled(IDC_PROTO_KEEP));

    sheet->enable(true);
    EXPECT_TRUE(network.ui().isEnabled(IDC_NET_NAME));
    EXPECT_TRUE(network.ui().isEnabled(IDC_NET_INFRA_MODE));
    EXPECT_TRUE(protocol.ui().isEnabled(IDC_PROTO_KEEP));
    EXPECT_TRUE(protocol.ui().isEnabled(IDC_PROTO_FRAG));

    // A disable taken back before the page is shown leaves it enabled.
    auto other = openEditor(home);
    other->enable(false);
    other->enable(true);
    auto& security = static_cast<StubSecurityPage&>(*other->securityPage());
    other->activate(security);
    EXPECT_TRUE(security.enabled);
    other->enable(false);
    EXPECT_FALSE(security.enabled);
}

TEST_P(ProfileSheetSuite, UserChangesTellTheEditorsListener) {
    Profile* home = mainWindow.add("Home");
    auto sheet = openEditor(home);
    int changes = 0;
    sheet->setChangeListener([&] { ++changes; });
    CBasicSettgPage& network = *sheet->networkPage();
    user(network).type(IDC_NET_SSID, "x");
    EXPECT_GT(changes, 0);
    changes = 0;
    user(network).pick(IDC_NET_TYPE, 1);
    EXPECT_GT(changes, 0);
    changes = 0;
    sheet->activate(*sheet->protocolPage());
    user(*sheet->protocolPage()).click(IDC_PROTO_KEEP);
    EXPECT_GT(changes, 0);

    // Outside the editor nobody listens.
    CProfileSheet wizard(mainWindow, CProfileSheet::Purpose::Wizard);
    wizard.setChangeListener([&] { ADD_FAILURE() << "the wizard told of a change"; });
    wizard.notifyChanged();
}

TEST_P(ProfileSheetSuite, TheSecurityOnlySheetStoresOnOkOnlyWhenItsPageAgrees) {
    CProfileSheet sheet(mainWindow, CProfileSheet::Purpose::SecurityOnly);
    auto& security = static_cast<StubSecurityPage&>(*sheet.securityPage());

    // Nothing loaded: OK does nothing.
    script().expectSheet("Configure Network", [&](fw::Dialog& dialog, fw::UserActions& sheetUser) {
        sheetUser.click(fw::id::Ok);
        EXPECT_TRUE(dialog.hasWindow());
        sheetUser.click(fw::id::Cancel);
    });
    EXPECT_EQ(host().runSheet(sheet, nullptr), fw::id::Cancel);

    Profile prepared = makeDefaultProfile();
    sheet.load(&prepared);
    script().expectSheet("Configure Network", [&](fw::Dialog& dialog, fw::UserActions& sheetUser) {
        user(security).pick(IDC_SEC_ENCRYPTION, 1);
        security.refuse = true;
        sheetUser.click(fw::id::Ok);
        EXPECT_TRUE(dialog.hasWindow());
        EXPECT_EQ(prepared.encryption, EncryptionOff);
        security.refuse = false;
        sheetUser.click(fw::id::Ok);
    });
    EXPECT_EQ(host().runSheet(sheet, nullptr), fw::id::Ok);
    EXPECT_EQ(prepared.encryption, EncryptionWep);
}

TEST_P(ProfileSheetSuite, TheTemplatesCarryEveryControlThePagesUse) {
    Profile* cafe = mainWindow.add("Cafe", NetworkAdHoc);
    auto editor = openEditor(cafe);
    editor->activate(*editor->protocolPage());
    editor->enable(false);
    editor->enable(true);
    EXPECT_THAT(backEnd_->missingControls(*editor->networkPage()), testing::IsEmpty());
    EXPECT_THAT(backEnd_->missingControls(*editor->protocolPage()), testing::IsEmpty());

    CProfileSheet wizard(mainWindow, CProfileSheet::Purpose::Wizard);
    script().expectSheet("Create New Profile", [&](fw::Dialog&, fw::UserActions&) {
        user(*wizard.networkPage()).pick(IDC_NET_TYPE, 1);
        user(*wizard.networkPage()).type(IDC_NET_NAME, "Lounge");
        for (int page = 0; page < 3; ++page) wizard.pressButton(fw::SheetButton::Next);
        wizard.enable(false);
        wizard.enable(true);
        for (int page : {0, 2, 3}) {
            EXPECT_THAT(backEnd_->missingControls(wizard.page(page)), testing::IsEmpty()) << page;
        }
        wizard.pressButton(fw::SheetButton::Cancel);
    });
    EXPECT_EQ(host().runSheet(wizard, nullptr), fw::id::Cancel);
}

}  // namespace
}  // namespace pagestest
