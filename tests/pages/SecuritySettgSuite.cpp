// The security page: the authentication and encryption lists by group, the WEP transmit
// key, the passphrase, the 802.1x protocol with its credentials, and what the page
// stores, checks and enables.
#include <gmock/gmock.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "pages/BasicSettgPage.h"
#include "res/resource.h"
#include "tests/pages/SecurityPageSuite.h"

namespace pagestest {

// SecurityPage ------------------------------------------------------------------------------

SecurityPage::SecurityPage() {
    mainWindow.securityPage = [this](CProfileSheet& sheet) {
        return std::make_unique<CSecuritySettgPage>(sheet, certificates);
    };
}

SecurityPage::~SecurityPage() {
    if (editor) {
        EXPECT_THAT(backEnd_->missingControls(page()), testing::IsEmpty());
    }
}

CSecuritySettgPage& SecurityPage::open(Profile* profile) {
    editor = openEditor(profile);
    editor->setChangeListener([this] { ++changes; });
    editor->activate(page());
    return page();
}

CSecuritySettgPage& SecurityPage::page() const {
    return static_cast<CSecuritySettgPage&>(*editor->securityPage());
}

void SecurityPage::choose(int id, const std::string& entry) {
    const std::vector<std::string> texts = entries(id);
    const auto found = std::find(texts.begin(), texts.end(), entry);
    ASSERT_NE(found, texts.end()) << entry;
    hands().pick(id, static_cast<int>(found - texts.begin()));
}

namespace {

using testing::ElementsAre;
using testing::IsEmpty;

constexpr const char* kSelectTxKey = "Please select a Tx WEP Key!";
constexpr const char* kPassphraseLength = "The passphrase needs to be 8 to 31 ascii characters. ";
constexpr const char* kTlsCredentials = "Illegal login name or certificate for WPA authentication!";
constexpr const char* kWpaCredentials = "Illegal login name or password for WPA authentication!";
constexpr int kRadios[] = {IDC_SEC_TX_KEY1, IDC_SEC_TX_KEY2, IDC_SEC_TX_KEY3, IDC_SEC_TX_KEY4};

Profile* secured(Profile* profile, uint32_t securityType, uint32_t encryption) {
    profile->securityType = securityType;
    profile->encryption = encryption;
    return profile;
}

Profile* withKey(Profile* profile, int slot) {
    profile->wepKeys[slot].length = 5;
    std::memcpy(profile->wepKeys[slot].key, "abcde", 5);
    return profile;
}

TEST_P(SecurityPage, TheListsFollowTheNetworkTypeTheAuthenticationAndTheProtocol) {
    open(secured(mainWindow.add("Home"), SecurityWpaPsk, EncryptionTkip));
    EXPECT_EQ(entries(IDC_SEC_AUTHENTICATION).size(), 9u);
    choose(IDC_SEC_AUTHENTICATION, "CCX");
    EXPECT_THAT(entries(IDC_SEC_ENCRYPTION), ElementsAre("Security Off", "WEP"));
    EXPECT_EQ(selected(IDC_SEC_ENCRYPTION), "WEP");
    EXPECT_THAT(entries(IDC_SEC_PROTOCOL), ElementsAre("Light EAP (LEAP)"));
    EXPECT_EQ(ui().text(IDC_SEC_CREDENTIALS), "CCX Configuration");
    EXPECT_EQ(ui().text(IDC_SEC_WEP_GROUP), "");
    EXPECT_FALSE(ui().isVisible(IDC_SEC_WEP_KEYS));
    // Also from a cipher that CCX offers too.
    choose(IDC_SEC_AUTHENTICATION, "Open System");
    choose(IDC_SEC_ENCRYPTION, "Security Off");
    choose(IDC_SEC_AUTHENTICATION, "CCX");
    EXPECT_EQ(selected(IDC_SEC_ENCRYPTION), "WEP");

    choose(IDC_SEC_AUTHENTICATION, "WPA");
    EXPECT_THAT(
        entries(IDC_SEC_PROTOCOL),
        ElementsAre("EAP/TLS (Use Certificate)", "Protected EAP (PEAP) ", "Light EAP (LEAP)"));
    EXPECT_EQ(ui().text(IDC_SEC_CREDENTIALS), "Configure WPA Radius");
    EXPECT_THAT(entries(IDC_SEC_ENCRYPTION), ElementsAre("TKIP", "AES"));
    choose(IDC_SEC_PROTOCOL, "Light EAP (LEAP)");
    EXPECT_THAT(entries(IDC_SEC_ENCRYPTION), ElementsAre("TKIP"));
    choose(IDC_SEC_AUTHENTICATION, "WPA2");
    choose(IDC_SEC_PROTOCOL, "Light EAP (LEAP)");
    EXPECT_THAT(entries(IDC_SEC_ENCRYPTION), ElementsAre("AES"));
    choose(IDC_SEC_PROTOCOL, "Protected EAP (PEAP) ");
    EXPECT_THAT(entries(IDC_SEC_ENCRYPTION), ElementsAre("TKIP", "AES"));
    EXPECT_EQ(selected(IDC_SEC_ENCRYPTION), "AES");
    choose(IDC_SEC_AUTHENTICATION, "802.1x");
    EXPECT_THAT(entries(IDC_SEC_PROTOCOL),
                ElementsAre("EAP/TLS (Use Certificate)", "Protected EAP (PEAP) "));
    EXPECT_THAT(entries(IDC_SEC_ENCRYPTION), ElementsAre("WEP"));

    // Ad-hoc: three entries, and a position beyond them falls back to "Open System".
    choose(IDC_SEC_AUTHENTICATION, "WPA");
    CBasicSettgPage& network = *editor->networkPage();
    editor->activate(network);
    user(network).pick(IDC_NET_TYPE, 1);
    editor->activate(page());
    EXPECT_THAT(entries(IDC_SEC_AUTHENTICATION),
                ElementsAre("Open System", "Shared Key", "Auto Switch"));
    EXPECT_EQ(ui().selection(IDC_SEC_AUTHENTICATION), 0);
    EXPECT_THAT(entries(IDC_SEC_ENCRYPTION), ElementsAre("Security Off", "WEP"));
    EXPECT_FALSE(ui().isVisible(IDC_SEC_PROTOCOL));
}

TEST_P(SecurityPage, WepNeedsATransmitKeyWhoseButtonsFollowTheKeys) {
    Profile* home = withKey(withKey(mainWindow.add("Home"), 0), 2);
    home->txKeyIndex = 3;
    open(home);
    // Security Off: stored as 0, the WEP controls disabled, no transmit key needed.
    for (int id : {IDC_SEC_WEP_KEYS, IDC_SEC_TX_KEY1}) EXPECT_FALSE(ui().isEnabled(id)) << id;
    EXPECT_FALSE(ui().isVisible(IDC_SEC_PASSPHRASE));
    ASSERT_TRUE(editor->store(home));
    EXPECT_EQ(home->encryption, EncryptionOff);

    choose(IDC_SEC_AUTHENTICATION, "Shared Key");
    EXPECT_THAT(entries(IDC_SEC_ENCRYPTION), ElementsAre("WEP"));
    EXPECT_TRUE(editor->shared().wep);
    EXPECT_EQ(ui().text(IDC_SEC_WEP_GROUP), "WEP Key Setting");
    EXPECT_TRUE(ui().isEnabled(IDC_SEC_WEP_KEYS));
    std::vector<std::string> texts;
    for (int id : kRadios) texts.push_back(ui().text(id));
    EXPECT_THAT(texts, ElementsAre("Select Key 1 as Transmit Key", "Key 2 is not set",
                                   "Select Key 3 as Transmit key", "Key 4 is not set"));
    EXPECT_TRUE(ui().isChecked(IDC_SEC_TX_KEY3));
    EXPECT_FALSE(ui().isEnabled(IDC_SEC_TX_KEY2));

    // The key chosen here is the one the WEP key dialog starts from; Cancel changes nothing.
    hands().click(IDC_SEC_TX_KEY1);
    changes = 0;
    script().expectDialog(IDD_WEP_KEYS, [](fw::Dialog& wep, fw::UserActions& hands) {
        EXPECT_TRUE(wep.ui().isChecked(IDC_WEP_TX_KEY1));
        hands.type(IDC_WEP_KEY2, "fghij");
        hands.click(fw::id::Cancel);
    });
    hands().click(IDC_SEC_WEP_KEYS);
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(ui().isEnabled(IDC_SEC_TX_KEY2));

    script().expectDialog(IDD_WEP_KEYS, [](fw::Dialog&, fw::UserActions& hands) {
        hands.type(IDC_WEP_KEY2, "fghij");
        hands.click(IDC_WEP_TX_KEY2);
        hands.click(fw::id::Ok);
    });
    hands().click(IDC_SEC_WEP_KEYS);
    EXPECT_GT(changes, 0);
    EXPECT_EQ(ui().text(IDC_SEC_TX_KEY2), "Select Key 2 as Transmit Key");
    EXPECT_TRUE(ui().isChecked(IDC_SEC_TX_KEY2));
    ASSERT_TRUE(editor->store(home));
    EXPECT_EQ(home->securityType, SecuritySharedKey);
    EXPECT_EQ(home->txKeyIndex, 2u);
    EXPECT_EQ(home->wepKeys[1].length, 5u);

    home->txKeyIndex = 0;
    editor->load(home);
    script().expectMessageBox(kSelectTxKey, fw::id::Ok);
    EXPECT_FALSE(editor->store(home));
    EXPECT_EQ(script().shownBoxes().back().flags, fw::mb::Ok | fw::mb::IconExclamation);
}

TEST_P(SecurityPage, APassphraseHas8To63CharactersTypedTwiceAndIsTypedAgainAfterAChange) {
    Profile* home = secured(mainWindow.add("Home"), SecurityWpaPsk, EncryptionTkip);
    open(home);
    EXPECT_FALSE(ui().isEnabled(IDC_SEC_CONFIRM));
    for (size_t length : {7, 8, 63, 64}) {
        SCOPED_TRACE(length);
        const bool accepted = length == 8 || length == 63;
        const std::string passphrase(length, 'p');
        hands().type(IDC_SEC_PASSPHRASE, passphrase);
        hands().type(IDC_SEC_CONFIRM, passphrase);
        if (!accepted) script().expectMessageBox(kPassphraseLength, fw::id::Ok);
        EXPECT_EQ(editor->store(home), accepted);
        EXPECT_EQ(ui().text(IDC_SEC_CONFIRM), accepted ? passphrase : "");
        if (accepted) {
            EXPECT_EQ(fieldText(home->psk), passphrase);
            EXPECT_EQ(home->pskLength, length);
        }
    }
    hands().type(IDC_SEC_PASSPHRASE, "correct horse");
    hands().type(IDC_SEC_CONFIRM, "correct house");
    script().expectMessageBox("The passphrases you enter do not match!", fw::id::Ok);
    EXPECT_FALSE(editor->validate(nullptr));
    EXPECT_EQ(ui().text(IDC_SEC_PASSPHRASE), "");
    EXPECT_EQ(ui().text(IDC_SEC_CONFIRM), "");

    // Another cipher, or the focus coming back to the passphrase, empties both edits.
    hands().type(IDC_SEC_PASSPHRASE, "typed once");
    hands().type(IDC_SEC_CONFIRM, "typed once");
    choose(IDC_SEC_ENCRYPTION, "AES");
    EXPECT_EQ(ui().text(IDC_SEC_PASSPHRASE) + ui().text(IDC_SEC_CONFIRM), "");
    hands().type(IDC_SEC_PASSPHRASE, "typed twice");
    hands().type(IDC_SEC_CONFIRM, "typed twice");
    hands().focus(IDC_SEC_PASSPHRASE);
    EXPECT_EQ(ui().text(IDC_SEC_PASSPHRASE) + ui().text(IDC_SEC_CONFIRM), "");
    EXPECT_FALSE(ui().isEnabled(IDC_SEC_CONFIRM));

    // The edits take what the field holds; a longer text put there is cut to it.
    hands().type(IDC_SEC_PASSPHRASE, std::string(200, 'a'));
    EXPECT_EQ(ui().text(IDC_SEC_PASSPHRASE).size(), kMaxPskLength);
    ui().setText(IDC_SEC_PASSPHRASE, std::string(300, 'b'));
    ASSERT_TRUE(page().StoreToProfile(*home));
    EXPECT_EQ(fieldText(home->psk), std::string(kMaxPskLength, 'b'));
    EXPECT_EQ(home->pskLength, kMaxPskLength);
    EXPECT_EQ(home->reserved2, 0u);
}

TEST_P(SecurityPage, ANewAuthenticationErasesTheCredentialsButNotThePassphraseTyped) {
    Profile* home = secured(mainWindow.add("Home"), SecurityWpaPsk, EncryptionTkip);
    setFieldText(home->loginName, "alice");
    setFieldText(home->anonymousName, "outer");
    home->certHash[0] = 0xAB;
    open(home);
    hands().type(IDC_SEC_PASSPHRASE, "kept across");
    hands().type(IDC_SEC_CONFIRM, "kept across");
    choose(IDC_SEC_AUTHENTICATION, "WPA2-PSK");
    ASSERT_TRUE(editor->store(home));
    EXPECT_EQ(home->securityType, SecurityWpa2Psk);
    EXPECT_EQ(fieldText(home->psk), "kept across");
    EXPECT_STREQ(home->loginName, "");
    EXPECT_STREQ(home->anonymousName, "");
    EXPECT_EQ(home->certHash[0], 0);
}

TEST_P(SecurityPage, TheCredentialsButtonOpensTheDialogOfTheProtocol) {
    Profile* office = mainWindow.add("Office");
    open(office);
    choose(IDC_SEC_AUTHENTICATION, "802.1x");
    script().expectDialog(IDD_TLS,
                          [](fw::Dialog&, fw::UserActions& tls) { tls.click(fw::id::Cancel); });
    changes = 0;
    hands().click(IDC_SEC_CREDENTIALS);
    EXPECT_EQ(changes, 0);

    choose(IDC_SEC_AUTHENTICATION, "CCX");
    script().expectDialog(IDD_LEAP, [](fw::Dialog& leap, fw::UserActions& hands) {
        EXPECT_EQ(leap.ui().title(), "CCX LEAP Radius Configuration");
        hands.type(IDC_CRED_LOGIN, "carol");
        hands.type(IDC_CRED_PASSWORD, "secret");
        hands.click(fw::id::Ok);
    });
    hands().click(IDC_SEC_CREDENTIALS);
    EXPECT_GT(changes, 0);
    ASSERT_TRUE(editor->store(office));
    EXPECT_EQ(office->securityType, SecurityCcxLeap);
    EXPECT_EQ(fieldText(office->loginName), "carol");

    // Cancel keeps what the working copy has.
    editor->load(secured(office, SecurityWpa2Peap, EncryptionAes));
    script().expectDialog(IDD_PEAP, [](fw::Dialog&, fw::UserActions& peap) {
        peap.type(IDC_CRED_LOGIN, "mallory");
        peap.click(fw::id::Cancel);
    });
    hands().click(IDC_SEC_CREDENTIALS);
    ASSERT_TRUE(editor->store(office));
    EXPECT_EQ(fieldText(office->loginName), "carol");
}

TEST_P(SecurityPage, ValidationAsksForTheCredentialsOfTheProtocol) {
    struct Case {
        uint32_t securityType;
        uint32_t encryption;
        bool certificate;  // else the password is needed
        const char* message;
    };
    const Case cases[] = {
        {SecurityWpaTls, EncryptionTkip, true, kTlsCredentials},
        {SecurityWpa2Tls, EncryptionAes, true, kTlsCredentials},
        {Security8021xTls, EncryptionWep, true, kTlsCredentials},
        {SecurityWpaPeap, EncryptionTkip, false, kWpaCredentials},
        {Security8021xPeap, EncryptionWep, false, kWpaCredentials},
        {SecurityCcxLeap, EncryptionWep, false,
         "Illegal login name or password for CCX authentication!"},
        {SecurityWpaLeap, EncryptionTkip, false, kWpaCredentials},
        {SecurityWpa2Leap, EncryptionAes, false, kWpaCredentials},
    };
    Profile* spare = mainWindow.add("Spare");
    open(spare);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.securityType);
        Profile profile = *secured(spare, c.securityType, c.encryption);
        setFieldText(profile.loginName, "erin");
        // The other protocols' credential does not count.
        setFieldText(c.certificate ? profile.password : profile.certIssuerName, "other");
        editor->load(&profile);
        script().expectMessageBox(c.message, fw::id::Ok);
        EXPECT_FALSE(editor->validate(nullptr));
        setFieldText(c.certificate ? profile.certIssuerName : profile.password, "given");
        editor->load(&profile);
        EXPECT_TRUE(editor->validate(nullptr));
        setFieldText(profile.loginName, "");
        editor->load(&profile);
        script().expectMessageBox(c.message, fw::id::Ok);
        EXPECT_FALSE(editor->validate(nullptr));
    }

    // A stored TTLS method shows its group and stores the protocol the list shows: on a
    // new page its first.
    Profile* campus = secured(mainWindow.add("Campus"), SecurityWpa2Ttls, EncryptionAes);
    setFieldText(campus->loginName, "dave");
    setFieldText(campus->certIssuerName, "Campus CA");
    open(campus);
    EXPECT_EQ(selected(IDC_SEC_AUTHENTICATION), "WPA2");
    ASSERT_TRUE(editor->store(campus));
    EXPECT_EQ(campus->securityType, SecurityWpa2Tls);
}

TEST_P(SecurityPage, StoringWritesTheSecurityFieldsOnlyAndNothingWithoutAWindow) {
    Profile* home = secured(withKey(mainWindow.add("Home"), 3), SecuritySharedKey, EncryptionWep);
    home->txKeyIndex = 4;
    setFieldText(home->psk, "passphrase");
    home->pskLength = 10;
    setFieldText(home->loginName, "frank");
    home->certHash[19] = 0x5A;
    home->reserved2 = 0x11111111;
    home->reserved4[7] = 0x22;
    const Profile before = *home;

    auto unshown = openEditor(home);
    ASSERT_TRUE(unshown->securityPage()->Validate(home));
    ASSERT_TRUE(unshown->securityPage()->StoreToProfile(*home));
    EXPECT_EQ(std::memcmp(home, &before, sizeof before), 0);
    unshown.reset();

    open(home);
    choose(IDC_SEC_AUTHENTICATION, "Auto Switch");
    ASSERT_TRUE(editor->store(home));
    Profile expected = before;
    expected.securityType = SecurityAutoSwitch;
    EXPECT_EQ(std::memcmp(home, &expected, sizeof expected), 0);
}

TEST_P(SecurityPage, ADisableWaitsForTheWindowAndLeavesNothingToChange) {
    Profile* home = withKey(mainWindow.add("Home"), 0);
    home->encryption = EncryptionWep;
    editor = openEditor(home);
    editor->enable(false);
    editor->activate(page());
    for (int id : {IDC_SEC_AUTHENTICATION, IDC_SEC_ENCRYPTION, IDC_SEC_WEP_KEYS, IDC_SEC_TX_KEY1}) {
        EXPECT_FALSE(ui().isEnabled(id)) << id;
    }
    editor->enable(true);
    for (int id : {IDC_SEC_AUTHENTICATION, IDC_SEC_ENCRYPTION, IDC_SEC_WEP_KEYS, IDC_SEC_TX_KEY1}) {
        EXPECT_TRUE(ui().isEnabled(id)) << id;
    }
    EXPECT_FALSE(ui().isEnabled(IDC_SEC_TX_KEY2));

    choose(IDC_SEC_AUTHENTICATION, "WPA-PSK");
    hands().type(IDC_SEC_PASSPHRASE, "passphrase");
    editor->enable(false);
    EXPECT_FALSE(ui().isEnabled(IDC_SEC_PASSPHRASE));
    EXPECT_FALSE(ui().isEnabled(IDC_SEC_CONFIRM));
    editor->enable(true);
    EXPECT_TRUE(ui().isEnabled(IDC_SEC_CONFIRM));
    choose(IDC_SEC_AUTHENTICATION, "WPA");
    editor->enable(false);
    EXPECT_FALSE(ui().isEnabled(IDC_SEC_PROTOCOL));
    EXPECT_FALSE(ui().isEnabled(IDC_SEC_CREDENTIALS));
}

TEST_P(SecurityPage, ConfigureNetworkOpensOnTheWepKeys) {
    CProfileSheet sheet(mainWindow, CProfileSheet::Purpose::SecurityOnly);
    auto& security = static_cast<CSecuritySettgPage&>(*sheet.securityPage());
    script().expectSheet("Configure Network", [&](fw::Dialog&, fw::UserActions& sheetUser) {
        EXPECT_EQ(selectedText(security, IDC_SEC_ENCRYPTION), "WEP");
        EXPECT_EQ(security.ui().focus(), IDC_SEC_WEP_KEYS);
        sheetUser.click(fw::id::Cancel);
    });
    EXPECT_EQ(host().runSheet(sheet, nullptr), fw::id::Cancel);

    // A profile loaded shows itself: a network's WPA2 with 802.1X group code.
    Profile prepared = *secured(mainWindow.add("Prepared"), SecurityGroupWpa2, EncryptionAes);
    CProfileSheet configure(mainWindow, CProfileSheet::Purpose::SecurityOnly);
    configure.load(&prepared);
    auto& page = static_cast<CSecuritySettgPage&>(*configure.securityPage());
    script().expectSheet("Configure Network", [&](fw::Dialog&, fw::UserActions& sheetUser) {
        EXPECT_EQ(selectedText(page, IDC_SEC_AUTHENTICATION), "WPA2");
        EXPECT_EQ(selectedText(page, IDC_SEC_PROTOCOL), "EAP/TLS (Use Certificate)");
        EXPECT_NE(page.ui().focus(), IDC_SEC_WEP_KEYS);
        sheetUser.click(fw::id::Cancel);
    });
    EXPECT_EQ(host().runSheet(configure, nullptr), fw::id::Cancel);
}

TEST_P(SecurityPage, GarbageFromAProfileFileShowsTheFirstEntriesAndStaysInItsFields) {
    Profile* odd = secured(mainWindow.add("Odd"), 999, 77);
    odd->txKeyIndex = 9;
    for (WepKey& key : odd->wepKeys) key.length = 0xFFFFFFFF;
    std::memset(odd->psk, 'z', sizeof odd->psk);
    odd->pskLength = 5000;
    std::memset(odd->loginName, 'l', sizeof odd->loginName);
    const Profile before = *odd;
    open(odd);
    EXPECT_EQ(selected(IDC_SEC_AUTHENTICATION), "Open System");
    EXPECT_EQ(selected(IDC_SEC_ENCRYPTION), "Security Off");
    choose(IDC_SEC_ENCRYPTION, "WEP");
    for (int id : kRadios) {
        EXPECT_FALSE(ui().isChecked(id) || ui().isEnabled(id)) << id;
    }
    choose(IDC_SEC_ENCRYPTION, "Security Off");
    ASSERT_TRUE(editor->store(odd));
    EXPECT_EQ(odd->securityType, SecurityOpenSystem);
    EXPECT_EQ(odd->encryption, EncryptionOff);
    EXPECT_EQ(odd->txKeyIndex, 0u);
    EXPECT_EQ(odd->pskLength, kMaxPskLength);
    EXPECT_EQ(odd->psk[kMaxPskLength], '\0');
    EXPECT_EQ(odd->loginName[kCredentialSize - 1], '\0');
    // Beyond the security fields the record is as it was.
    EXPECT_EQ(std::memcmp(odd, &before, offsetof(Profile, encryption)), 0);
    EXPECT_EQ(std::memcmp(&odd->ipAuto, &before.ipAuto,
                          offsetof(Profile, psk) - offsetof(Profile, ipAuto)),
              0);
}

TEST_P(SecurityPage, TheWizardsTemplateCarriesTheSameControls) {
    CProfileSheet wizard(mainWindow, CProfileSheet::Purpose::Wizard);
    auto& security = static_cast<CSecuritySettgPage&>(*wizard.securityPage());
    EXPECT_EQ(security.templateId(), IDD_SECURITY_WIZARD);
    EXPECT_EQ(security.headerTitle(), "Please enter the security settings:");
    script().expectSheet("Create New Profile", [&](fw::Dialog&, fw::UserActions&) {
        user(*wizard.networkPage()).type(IDC_NET_NAME, "Lounge");
        wizard.pressButton(fw::SheetButton::Next);
        for (int authentication : {1, 4, 7})
            user(security).pick(IDC_SEC_AUTHENTICATION, authentication);
        wizard.enable(false);
        wizard.enable(true);
        EXPECT_THAT(backEnd_->missingControls(security), IsEmpty());
        wizard.pressButton(fw::SheetButton::Cancel);
    });
    EXPECT_EQ(host().runSheet(wizard, nullptr), fw::id::Cancel);
}

}  // namespace
}  // namespace pagestest
