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
    CProfileSheet::registerSecurityPage([this](CProfileSheet& sheet) {
        return std::make_unique<CSecuritySettgPage>(sheet, certificates);
    });
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

const std::vector<std::string> kEveryAuthentication = {"Open System", "Shared Key", "Auto Switch",
                                                       "802.1x",      "WPA-PSK",    "WPA2-PSK",
                                                       "WPA",         "WPA2",       "CCX"};
constexpr const char* kSelectTxKey = "Please select a Tx WEP Key!";
constexpr const char* kPassphraseLength = "The passphrase needs to be 8 to 31 ascii characters. ";
constexpr const char* kPassphraseMismatch = "The passphrases you enter do not match!";
constexpr int kRadios[] = {IDC_SEC_TX_KEY1, IDC_SEC_TX_KEY2, IDC_SEC_TX_KEY3, IDC_SEC_TX_KEY4};

Profile* withKey(Profile* profile, int slot) {
    profile->wepKeys[slot].length = 5;
    std::memcpy(profile->wepKeys[slot].key, "abcde", 5);
    return profile;
}

TEST_P(SecurityPage, AnAdHocNetworkOffersThreeEntriesAndFallsBackToOpenSystem) {
    Profile* home = mainWindow.add("Home");
    open(home);
    EXPECT_EQ(entries(IDC_SEC_AUTHENTICATION), kEveryAuthentication);
    choose(IDC_SEC_AUTHENTICATION, "WPA");
    CBasicSettgPage& network = *editor->networkPage();
    editor->activate(network);
    user(network).pick(IDC_NET_TYPE, 1);
    editor->activate(page());
    EXPECT_THAT(entries(IDC_SEC_AUTHENTICATION),
                ElementsAre("Open System", "Shared Key", "Auto Switch"));
    EXPECT_EQ(ui().selection(IDC_SEC_AUTHENTICATION), 0);
    EXPECT_THAT(entries(IDC_SEC_ENCRYPTION), ElementsAre("Security Off", "WEP"));
    EXPECT_EQ(selected(IDC_SEC_ENCRYPTION), "Security Off");
    EXPECT_FALSE(ui().isVisible(IDC_SEC_PROTOCOL));

    // A position the ad-hoc list has stays chosen; back in infrastructure, all nine.
    choose(IDC_SEC_AUTHENTICATION, "Auto Switch");
    editor->activate(network);
    user(network).pick(IDC_NET_TYPE, 0);
    editor->activate(page());
    EXPECT_EQ(entries(IDC_SEC_AUTHENTICATION), kEveryAuthentication);
    EXPECT_EQ(selected(IDC_SEC_AUTHENTICATION), "Auto Switch");

    Profile* cafe = mainWindow.add("Cafe", NetworkAdHoc);
    editor->load(cafe);
    editor->activate(page());
    EXPECT_EQ(entries(IDC_SEC_AUTHENTICATION).size(), 3u);
}

TEST_P(SecurityPage, SharedKeyOffersOnlyWepAndNeedsATransmitKey) {
    Profile* home = withKey(mainWindow.add("Home"), 1);
    open(home);
    choose(IDC_SEC_AUTHENTICATION, "Shared Key");
    EXPECT_THAT(entries(IDC_SEC_ENCRYPTION), ElementsAre("WEP"));
    EXPECT_TRUE(editor->shared().wep);
    EXPECT_EQ(ui().text(IDC_SEC_WEP_GROUP), "WEP Key Setting");
    EXPECT_TRUE(ui().isEnabled(IDC_SEC_WEP_KEYS));
    EXPECT_FALSE(ui().isEnabled(IDC_SEC_TX_KEY1));
    EXPECT_TRUE(ui().isEnabled(IDC_SEC_TX_KEY2));

    script().expectMessageBox(kSelectTxKey, fw::id::Ok);
    EXPECT_FALSE(editor->store(home));
    EXPECT_EQ(home->securityType, SecurityOpenSystem);
    EXPECT_EQ(script().shownBoxes().back().flags, fw::mb::Ok | fw::mb::IconExclamation);

    hands().click(IDC_SEC_TX_KEY2);
    ASSERT_TRUE(editor->store(home));
    EXPECT_EQ(home->securityType, SecuritySharedKey);
    EXPECT_EQ(home->encryption, EncryptionWep);
    EXPECT_EQ(home->txKeyIndex, 2u);
    EXPECT_EQ(home->wepKeys[1].length, 5u);
}

TEST_P(SecurityPage, OpenSystemWithSecurityOffStoresNoCipherAndLocksTheWepKeys) {
    Profile* home = withKey(mainWindow.add("Home"), 0);
    home->encryption = EncryptionWep;
    home->txKeyIndex = 1;
    open(home);
    EXPECT_TRUE(ui().isChecked(IDC_SEC_TX_KEY1));
    choose(IDC_SEC_ENCRYPTION, "Security Off");
    EXPECT_FALSE(editor->shared().wep);
    EXPECT_GT(changes, 0);
    for (int id : {IDC_SEC_WEP_KEYS, IDC_SEC_TX_KEY1, IDC_SEC_TX_KEY2}) {
        EXPECT_TRUE(ui().isVisible(id)) << id;
        EXPECT_FALSE(ui().isEnabled(id)) << id;
    }
    for (int id : {IDC_SEC_PASSPHRASE, IDC_SEC_CONFIRM, IDC_SEC_PROTOCOL, IDC_SEC_CREDENTIALS}) {
        EXPECT_FALSE(ui().isVisible(id)) << id;
    }
    ASSERT_TRUE(editor->store(home));
    EXPECT_EQ(home->encryption, EncryptionOff);
    EXPECT_EQ(home->securityType, SecurityOpenSystem);

    // With WEP the transmit key is needed: none is checked once the key is unset.
    home->txKeyIndex = 0;
    editor->load(home);
    choose(IDC_SEC_ENCRYPTION, "WEP");
    EXPECT_TRUE(ui().isEnabled(IDC_SEC_TX_KEY1));
    script().expectMessageBox(kSelectTxKey, fw::id::Ok);
    EXPECT_FALSE(editor->validate(home));
}

TEST_P(SecurityPage, WpaCiphersFollowTheProtocolChosen) {
    open(mainWindow.add("Office"));
    choose(IDC_SEC_AUTHENTICATION, "WPA");
    EXPECT_THAT(
        entries(IDC_SEC_PROTOCOL),
        ElementsAre("EAP/TLS (Use Certificate)", "Protected EAP (PEAP) ", "Light EAP (LEAP)"));
    EXPECT_EQ(ui().selection(IDC_SEC_PROTOCOL), 0);
    EXPECT_EQ(ui().text(IDC_SEC_CREDENTIALS), "Configure WPA Radius");
    EXPECT_EQ(ui().text(IDC_SEC_WEP_GROUP), "");
    EXPECT_FALSE(ui().isVisible(IDC_SEC_WEP_KEYS));
    EXPECT_FALSE(ui().isVisible(IDC_SEC_PASSPHRASE));
    EXPECT_THAT(entries(IDC_SEC_ENCRYPTION), ElementsAre("TKIP", "AES"));
    choose(IDC_SEC_ENCRYPTION, "AES");
    choose(IDC_SEC_PROTOCOL, "Light EAP (LEAP)");
    EXPECT_THAT(entries(IDC_SEC_ENCRYPTION), ElementsAre("TKIP"));
    choose(IDC_SEC_PROTOCOL, "Protected EAP (PEAP) ");
    EXPECT_THAT(entries(IDC_SEC_ENCRYPTION), ElementsAre("TKIP", "AES"));
    EXPECT_EQ(selected(IDC_SEC_ENCRYPTION), "TKIP");

    choose(IDC_SEC_AUTHENTICATION, "WPA2");
    choose(IDC_SEC_ENCRYPTION, "AES");
    choose(IDC_SEC_PROTOCOL, "Light EAP (LEAP)");
    EXPECT_THAT(entries(IDC_SEC_ENCRYPTION), ElementsAre("AES"));
    choose(IDC_SEC_PROTOCOL, "EAP/TLS (Use Certificate)");
    EXPECT_THAT(entries(IDC_SEC_ENCRYPTION), ElementsAre("TKIP", "AES"));
    EXPECT_EQ(selected(IDC_SEC_ENCRYPTION), "AES");

    choose(IDC_SEC_AUTHENTICATION, "802.1x");
    EXPECT_THAT(entries(IDC_SEC_PROTOCOL),
                ElementsAre("EAP/TLS (Use Certificate)", "Protected EAP (PEAP) "));
    EXPECT_THAT(entries(IDC_SEC_ENCRYPTION), ElementsAre("WEP"));
    EXPECT_TRUE(editor->shared().wep);
}

TEST_P(SecurityPage, CcxPreselectsWepWithLeapAlone) {
    Profile* office = mainWindow.add("Office");
    office->securityType = SecurityWpaPsk;
    office->encryption = EncryptionTkip;
    open(office);
    choose(IDC_SEC_AUTHENTICATION, "CCX");
    EXPECT_THAT(entries(IDC_SEC_ENCRYPTION), ElementsAre("Security Off", "WEP"));
    EXPECT_EQ(selected(IDC_SEC_ENCRYPTION), "WEP");
    EXPECT_THAT(entries(IDC_SEC_PROTOCOL), ElementsAre("Light EAP (LEAP)"));
    EXPECT_EQ(ui().text(IDC_SEC_CREDENTIALS), "CCX Configuration");
    EXPECT_TRUE(ui().isEnabled(IDC_SEC_CREDENTIALS));
    EXPECT_FALSE(ui().isVisible(IDC_SEC_TX_KEY1));

    script().expectDialog(IDD_LEAP, [](fw::Dialog&, fw::UserActions& leap) {
        leap.type(IDC_CRED_LOGIN, "carol");
        leap.type(IDC_CRED_PASSWORD, "ccx-secret");
        leap.click(fw::id::Ok);
    });
    hands().click(IDC_SEC_CREDENTIALS);
    ASSERT_TRUE(editor->store(office));
    EXPECT_EQ(office->securityType, SecurityCcxLeap);
    EXPECT_EQ(office->encryption, EncryptionWep);
    EXPECT_EQ(fieldText(office->loginName), "carol");
    EXPECT_EQ(fieldText(office->password), "ccx-secret");
}

TEST_P(SecurityPage, APassphraseHas8To63CharactersTypedTwice) {
    Profile* home = mainWindow.add("Home");
    open(home);
    choose(IDC_SEC_AUTHENTICATION, "WPA-PSK");
    EXPECT_THAT(entries(IDC_SEC_ENCRYPTION), ElementsAre("TKIP", "AES"));
    EXPECT_TRUE(ui().isEnabled(IDC_SEC_PASSPHRASE));
    EXPECT_FALSE(ui().isEnabled(IDC_SEC_CONFIRM));
    struct Case {
        size_t length;
        bool accepted;
    };
    for (const Case c : {Case{7, false}, Case{8, true}, Case{63, true}, Case{64, false}}) {
        SCOPED_TRACE(c.length);
        const std::string passphrase(c.length, 'p');
        hands().type(IDC_SEC_PASSPHRASE, passphrase);
        EXPECT_TRUE(ui().isEnabled(IDC_SEC_CONFIRM));
        hands().type(IDC_SEC_CONFIRM, passphrase);
        if (!c.accepted) script().expectMessageBox(kPassphraseLength, fw::id::Ok);
        EXPECT_EQ(editor->store(home), c.accepted);
        EXPECT_EQ(ui().text(IDC_SEC_PASSPHRASE), c.accepted ? passphrase : "");
        EXPECT_EQ(ui().text(IDC_SEC_CONFIRM), c.accepted ? passphrase : "");
        if (c.accepted) {
            EXPECT_EQ(fieldText(home->psk), passphrase);
            EXPECT_EQ(home->pskLength, c.length);
            EXPECT_EQ(home->securityType, SecurityWpaPsk);
        }
    }

    hands().type(IDC_SEC_PASSPHRASE, "correct horse");
    hands().type(IDC_SEC_CONFIRM, "correct house");
    script().expectMessageBox(kPassphraseMismatch, fw::id::Ok);
    EXPECT_FALSE(editor->validate(nullptr));
    EXPECT_EQ(ui().text(IDC_SEC_PASSPHRASE), "");
    EXPECT_EQ(ui().text(IDC_SEC_CONFIRM), "");
    EXPECT_FALSE(ui().isEnabled(IDC_SEC_CONFIRM));
    EXPECT_EQ(std::string(home->psk), std::string(63, 'p'));
}

TEST_P(SecurityPage, ANewCipherOrFocusOnThePassphraseEmptiesTheEdits) {
    Profile* home = mainWindow.add("Home");
    home->securityType = SecurityWpa2Psk;
    home->encryption = EncryptionAes;
    setFieldText(home->psk, "stored passphrase");
    open(home);
    EXPECT_EQ(selected(IDC_SEC_AUTHENTICATION), "WPA2-PSK");
    EXPECT_EQ(selected(IDC_SEC_ENCRYPTION), "AES");
    EXPECT_EQ(ui().text(IDC_SEC_PASSPHRASE), "stored passphrase");
    EXPECT_EQ(ui().text(IDC_SEC_CONFIRM), "stored passphrase");
    EXPECT_TRUE(ui().isEnabled(IDC_SEC_CONFIRM));

    choose(IDC_SEC_ENCRYPTION, "TKIP");
    EXPECT_EQ(ui().text(IDC_SEC_PASSPHRASE), "");
    EXPECT_EQ(ui().text(IDC_SEC_CONFIRM), "");
    EXPECT_FALSE(ui().isEnabled(IDC_SEC_CONFIRM));
    script().expectMessageBox(kPassphraseLength, fw::id::Ok);
    EXPECT_FALSE(editor->store(home));

    hands().type(IDC_SEC_PASSPHRASE, "typed again");
    hands().type(IDC_SEC_CONFIRM, "typed again");
    hands().focus(IDC_SEC_PASSPHRASE);
    EXPECT_EQ(ui().text(IDC_SEC_PASSPHRASE), "");
    EXPECT_EQ(ui().text(IDC_SEC_CONFIRM), "");
    EXPECT_FALSE(ui().isEnabled(IDC_SEC_CONFIRM));
}

TEST_P(SecurityPage, ANewAuthenticationErasesTheCredentialsButNotThePassphraseTyped) {
    Profile* home = mainWindow.add("Home");
    home->securityType = SecurityWpaPsk;
    home->encryption = EncryptionTkip;
    open(home);
    hands().type(IDC_SEC_PASSPHRASE, "kept across");
    hands().type(IDC_SEC_CONFIRM, "kept across");
    choose(IDC_SEC_AUTHENTICATION, "WPA2-PSK");
    EXPECT_EQ(ui().text(IDC_SEC_PASSPHRASE), "kept across");
    EXPECT_EQ(ui().text(IDC_SEC_CONFIRM), "kept across");
    ASSERT_TRUE(editor->store(home));
    EXPECT_EQ(home->securityType, SecurityWpa2Psk);
    EXPECT_EQ(fieldText(home->psk), "kept across");

    Profile* office = mainWindow.add("Office");
    office->securityType = SecurityWpaPeap;
    office->encryption = EncryptionTkip;
    setFieldText(office->loginName, "alice");
    setFieldText(office->password, "secret");
    setFieldText(office->domain, "corp");
    setFieldText(office->certIssuerName, "Corp CA");
    setFieldText(office->anonymousName, "anonymous");
    office->certHash[0] = 0xAB;
    editor->load(office);
    EXPECT_EQ(selected(IDC_SEC_PROTOCOL), "Protected EAP (PEAP) ");
    choose(IDC_SEC_AUTHENTICATION, "WPA2");
    EXPECT_EQ(selected(IDC_SEC_PROTOCOL), "EAP/TLS (Use Certificate)");
    script().expectMessageBox("Illegal login name or certificate for WPA authentication!",
                              fw::id::Ok);
    EXPECT_FALSE(editor->validate(office));
    choose(IDC_SEC_PROTOCOL, "Protected EAP (PEAP) ");
    script().expectDialog(IDD_PEAP, [](fw::Dialog&, fw::UserActions& peap) {
        peap.type(IDC_CRED_LOGIN, "bob");
        peap.type(IDC_CRED_PASSWORD, "pw");
        peap.click(fw::id::Ok);
    });
    hands().click(IDC_SEC_CREDENTIALS);
    ASSERT_TRUE(editor->store(office));
    EXPECT_EQ(office->securityType, SecurityWpa2Peap);
    EXPECT_EQ(fieldText(office->loginName), "bob");
    for (const char* erased : {office->domain, office->certIssuerName, office->anonymousName}) {
        EXPECT_STREQ(erased, "");
    }
    EXPECT_EQ(office->certHash[0], 0);
}

TEST_P(SecurityPage, AStoredTtlsProfileShowsItsGroupAndStoresAnOfferedProtocol) {
    Profile* campus = mainWindow.add("Campus");
    campus->securityType = SecurityWpa2Ttls;
    campus->encryption = EncryptionAes;
    setFieldText(campus->loginName, "dave");
    setFieldText(campus->certIssuerName, "Campus CA");
    setFieldText(campus->anonymousName, "outer");
    open(campus);
    EXPECT_EQ(selected(IDC_SEC_AUTHENTICATION), "WPA2");
    EXPECT_EQ(selected(IDC_SEC_ENCRYPTION), "AES");
    EXPECT_EQ(selected(IDC_SEC_PROTOCOL), "EAP/TLS (Use Certificate)");
    ASSERT_TRUE(editor->store(campus));
    EXPECT_EQ(campus->securityType, SecurityWpa2Tls);
    EXPECT_EQ(fieldText(campus->anonymousName), "outer");

    campus->securityType = Security8021xTtls;
    campus->encryption = EncryptionWep;
    editor->load(campus);
    EXPECT_EQ(selected(IDC_SEC_AUTHENTICATION), "802.1x");
    ASSERT_TRUE(editor->store(campus));
    EXPECT_EQ(campus->securityType, Security8021xTls);
}

TEST_P(SecurityPage, ValidationAsksForTheCredentialsOfTheProtocol) {
    struct Case {
        uint32_t securityType;
        uint32_t encryption;
        bool certificate;  // else a password is what the protocol needs
        const char* message;
    };
    const char* tls = "Illegal login name or certificate for WPA authentication!";
    const char* password = "Illegal login name or password for WPA authentication!";
    const Case cases[] = {
        {SecurityWpaTls, EncryptionTkip, true, tls},
        {SecurityWpa2Tls, EncryptionAes, true, tls},
        {Security8021xTls, EncryptionWep, true, tls},
        {SecurityWpaPeap, EncryptionTkip, false, password},
        {SecurityWpa2Peap, EncryptionAes, false, password},
        {Security8021xPeap, EncryptionWep, false, password},
        {SecurityCcxLeap, EncryptionWep, false,
         "Illegal login name or password for CCX authentication!"},
        {SecurityWpaLeap, EncryptionTkip, false, password},
        {SecurityWpa2Leap, EncryptionAes, false, password},
    };
    Profile spare = makeDefaultProfile();
    setFieldText(spare.name, "Spare");
    open(&spare);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.securityType);
        Profile profile = spare;
        profile.securityType = c.securityType;
        profile.encryption = c.encryption;
        setFieldText(profile.loginName, "erin");
        editor->load(&profile);
        script().expectMessageBox(c.message, fw::id::Ok);
        EXPECT_FALSE(editor->validate(nullptr));

        // The other protocols' credential does not count.
        setFieldText(c.certificate ? profile.password : profile.certIssuerName, "other");
        editor->load(&profile);
        script().expectMessageBox(c.message, fw::id::Ok);
        EXPECT_FALSE(editor->validate(nullptr));

        setFieldText(c.certificate ? profile.certIssuerName : profile.password, "given");
        setFieldText(profile.loginName, "");
        editor->load(&profile);
        script().expectMessageBox(c.message, fw::id::Ok);
        EXPECT_FALSE(editor->validate(nullptr));

        setFieldText(profile.loginName, "erin");
        editor->load(&profile);
        EXPECT_TRUE(editor->validate(nullptr));
        ASSERT_TRUE(editor->store(&profile));
        EXPECT_EQ(profile.securityType, c.securityType);
        EXPECT_EQ(profile.encryption, c.encryption);
    }
}

TEST_P(SecurityPage, StoringWritesTheSecurityFieldsOnlyAndNothingWithoutAWindow) {
    Profile* home = withKey(withKey(mainWindow.add("Home"), 0), 3);
    home->securityType = SecuritySharedKey;
    home->encryption = EncryptionWep;
    home->txKeyIndex = 4;
    setFieldText(home->psk, "left in the record");
    home->pskLength = 18;
    setFieldText(home->loginName, "frank");
    setFieldText(home->anonymousName, "outer");
    home->certHash[19] = 0x5A;
    home->reserved2 = 0x11111111;
    home->reserved4[7] = 0x22;
    home->reserved5[3] = 0x33;

    // The page never shown: the record stays as it is.
    auto other = openEditor(home);
    const Profile before = *home;
    ASSERT_TRUE(other->securityPage()->Validate(home));
    ASSERT_TRUE(other->securityPage()->StoreToProfile(*home));
    EXPECT_EQ(std::memcmp(home, &before, sizeof before), 0);
    other.reset();

    // Shared Key keeps the passphrase it does not show.
    open(home);
    hands().click(IDC_SEC_TX_KEY1);
    ASSERT_TRUE(editor->store(home));
    Profile expected = before;
    expected.txKeyIndex = 1;
    EXPECT_EQ(std::memcmp(home, &expected, sizeof expected), 0);
}

TEST_P(SecurityPage, ADisabledPageLeavesNothingToChange) {
    Profile* home = withKey(mainWindow.add("Home"), 0);
    home->encryption = EncryptionWep;
    home->txKeyIndex = 1;
    editor = openEditor(home);
    editor->enable(false);
    editor->activate(page());
    for (int id : {IDC_SEC_AUTHENTICATION, IDC_SEC_ENCRYPTION, IDC_SEC_WEP_KEYS, IDC_SEC_TX_KEY1}) {
        EXPECT_FALSE(ui().isEnabled(id)) << id;
    }
    EXPECT_TRUE(ui().isChecked(IDC_SEC_TX_KEY1));
    editor->enable(true);
    for (int id : {IDC_SEC_AUTHENTICATION, IDC_SEC_ENCRYPTION, IDC_SEC_WEP_KEYS, IDC_SEC_TX_KEY1}) {
        EXPECT_TRUE(ui().isEnabled(id)) << id;
    }
    EXPECT_FALSE(ui().isEnabled(IDC_SEC_TX_KEY2));

    // With the window there, at once; the passphrase and the 802.1x protocol too.
    choose(IDC_SEC_AUTHENTICATION, "WPA-PSK");
    hands().type(IDC_SEC_PASSPHRASE, "passphrase");
    editor->enable(false);
    for (int id :
         {IDC_SEC_AUTHENTICATION, IDC_SEC_ENCRYPTION, IDC_SEC_PASSPHRASE, IDC_SEC_CONFIRM}) {
        EXPECT_FALSE(ui().isEnabled(id)) << id;
    }
    editor->enable(true);
    EXPECT_TRUE(ui().isEnabled(IDC_SEC_PASSPHRASE));
    EXPECT_TRUE(ui().isEnabled(IDC_SEC_CONFIRM));
    choose(IDC_SEC_AUTHENTICATION, "WPA");
    editor->enable(false);
    EXPECT_FALSE(ui().isEnabled(IDC_SEC_PROTOCOL));
    EXPECT_FALSE(ui().isEnabled(IDC_SEC_CREDENTIALS));
    editor->enable(true);
    EXPECT_TRUE(ui().isEnabled(IDC_SEC_CREDENTIALS));
}

TEST_P(SecurityPage, TheTransmitKeyButtonsFollowTheWepKeysDialog) {
    Profile* home = withKey(withKey(mainWindow.add("Home"), 0), 2);
    home->encryption = EncryptionWep;
    home->txKeyIndex = 3;
    open(home);
    const std::vector<std::string> texts = {ui().text(kRadios[0]), ui().text(kRadios[1]),
                                            ui().text(kRadios[2]), ui().text(kRadios[3])};
    EXPECT_THAT(texts, ElementsAre("Select Key 1 as Transmit Key", "Key 2 is not set",
                                   "Select Key 3 as Transmit key", "Key 4 is not set"));
    EXPECT_TRUE(ui().isChecked(IDC_SEC_TX_KEY3));
    EXPECT_FALSE(ui().isEnabled(IDC_SEC_TX_KEY2));

    // Cancel changes nothing.
    changes = 0;
    script().expectDialog(IDD_WEP_KEYS, [](fw::Dialog&, fw::UserActions& wep) {
        wep.type(IDC_WEP_KEY2, "fghij");
        wep.click(fw::id::Cancel);
    });
    hands().click(IDC_SEC_WEP_KEYS);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(ui().text(IDC_SEC_TX_KEY2), "Key 2 is not set");

    // OK: the new key can be the transmit key, and the one chosen in the dialog is.
    script().expectDialog(IDD_WEP_KEYS, [](fw::Dialog&, fw::UserActions& wep) {
        wep.type(IDC_WEP_KEY2, "fghij");
        wep.click(IDC_WEP_TX_KEY2);
        wep.click(fw::id::Ok);
    });
    hands().click(IDC_SEC_WEP_KEYS);
    EXPECT_GT(changes, 0);
    EXPECT_EQ(ui().text(IDC_SEC_TX_KEY2), "Select Key 2 as Transmit Key");
    EXPECT_TRUE(ui().isEnabled(IDC_SEC_TX_KEY2));
    EXPECT_TRUE(ui().isChecked(IDC_SEC_TX_KEY2));
    EXPECT_FALSE(ui().isChecked(IDC_SEC_TX_KEY3));
    ASSERT_TRUE(editor->store(home));
    EXPECT_EQ(home->txKeyIndex, 2u);
    EXPECT_EQ(home->wepKeys[1].length, 5u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(home->wepKeys[1].key), 5), "fghij");

    // The key chosen on the page is the one the dialog starts from.
    hands().click(IDC_SEC_TX_KEY1);
    script().expectDialog(IDD_WEP_KEYS, [](fw::Dialog& wep, fw::UserActions& hands) {
        EXPECT_TRUE(wep.ui().isChecked(IDC_WEP_TX_KEY1));
        hands.click(fw::id::Cancel);
    });
    hands().click(IDC_SEC_WEP_KEYS);
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

    choose(IDC_SEC_AUTHENTICATION, "WPA");
    choose(IDC_SEC_PROTOCOL, "Light EAP (LEAP)");
    script().expectDialog(IDD_LEAP, [](fw::Dialog& leap, fw::UserActions& hands) {
        EXPECT_EQ(leap.ui().title(), "WPA LEAP Radius Configuration");
        hands.type(IDC_CRED_LOGIN, "grace");
        hands.type(IDC_CRED_PASSWORD, "leap");
        hands.click(fw::id::Ok);
    });
    hands().click(IDC_SEC_CREDENTIALS);
    EXPECT_GT(changes, 0);
    ASSERT_TRUE(editor->store(office));
    EXPECT_EQ(office->securityType, SecurityWpaLeap);
    EXPECT_EQ(office->encryption, EncryptionTkip);
    EXPECT_EQ(fieldText(office->loginName), "grace");

    // Cancel keeps what the working copy has.
    choose(IDC_SEC_PROTOCOL, "Protected EAP (PEAP) ");
    script().expectDialog(IDD_PEAP, [](fw::Dialog&, fw::UserActions& peap) {
        peap.type(IDC_CRED_LOGIN, "mallory");
        peap.click(fw::id::Cancel);
    });
    hands().click(IDC_SEC_CREDENTIALS);
    ASSERT_TRUE(editor->store(office));
    EXPECT_EQ(fieldText(office->loginName), "grace");
    EXPECT_EQ(office->securityType, SecurityWpaPeap);
}

TEST_P(SecurityPage, ConfigureNetworkOpensOnTheWepKeys) {
    CProfileSheet sheet(mainWindow, CProfileSheet::Purpose::SecurityOnly);
    auto& security = static_cast<CSecuritySettgPage&>(*sheet.securityPage());
    EXPECT_EQ(security.templateId(), IDD_SECURITY);
    script().expectSheet("Configure Network", [&](fw::Dialog&, fw::UserActions& sheetUser) {
        EXPECT_EQ(selectedText(security, IDC_SEC_AUTHENTICATION), "Open System");
        EXPECT_EQ(selectedText(security, IDC_SEC_ENCRYPTION), "WEP");
        EXPECT_EQ(security.ui().focus(), IDC_SEC_WEP_KEYS);
        EXPECT_TRUE(sheet.shared().wep);
        sheetUser.click(fw::id::Cancel);
    });
    EXPECT_EQ(host().runSheet(sheet, nullptr), fw::id::Cancel);

    // A profile loaded shows itself, and the focus goes where it can.
    Profile prepared = makeDefaultProfile();
    prepared.securityType = SecurityGroupWpa2;
    prepared.encryption = EncryptionAes;
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

TEST_P(SecurityPage, ThePassphraseEditsHoldWhatTheFieldHolds) {
    Profile* home = mainWindow.add("Home");
    open(home);
    choose(IDC_SEC_AUTHENTICATION, "WPA-PSK");
    hands().type(IDC_SEC_PASSPHRASE, std::string(200, 'a'));
    hands().type(IDC_SEC_CONFIRM, std::string(200, 'a'));
    EXPECT_EQ(ui().text(IDC_SEC_PASSPHRASE).size(), kMaxPskLength);
    EXPECT_EQ(ui().text(IDC_SEC_CONFIRM).size(), kMaxPskLength);

    // Text put there past the limit is cut to the field.
    ui().setText(IDC_SEC_PASSPHRASE, std::string(300, 'b'));
    ASSERT_TRUE(page().StoreToProfile(*home));
    EXPECT_EQ(fieldText(home->psk), std::string(kMaxPskLength, 'b'));
    EXPECT_EQ(home->psk[kMaxPskLength], '\0');
    EXPECT_EQ(home->pskLength, kMaxPskLength);
    EXPECT_EQ(home->reserved2, 0u);
}

TEST_P(SecurityPage, GarbageFromAProfileFileShowsTheFirstEntriesAndStaysInItsFields) {
    Profile* odd = mainWindow.add("Odd");
    odd->encryption = 77;
    odd->securityType = 999;
    odd->txKeyIndex = 9;
    for (WepKey& key : odd->wepKeys) key.length = 0xFFFFFFFF;
    odd->wepKeys[2].length = 33;
    std::memset(odd->psk, 'z', sizeof odd->psk);
    odd->pskLength = 5000;
    std::memset(odd->loginName, 'l', sizeof odd->loginName);
    const Profile before = *odd;
    open(odd);
    EXPECT_EQ(selected(IDC_SEC_AUTHENTICATION), "Open System");
    EXPECT_EQ(selected(IDC_SEC_ENCRYPTION), "Security Off");
    choose(IDC_SEC_ENCRYPTION, "WEP");
    for (size_t n = 0; n < 4; ++n) {
        EXPECT_FALSE(ui().isChecked(kRadios[n])) << n;
        EXPECT_FALSE(ui().isEnabled(kRadios[n])) << n;
        EXPECT_EQ(ui().text(kRadios[n]), "Key " + std::to_string(n + 1) + " is not set");
    }
    choose(IDC_SEC_ENCRYPTION, "Security Off");
    ASSERT_TRUE(editor->store(odd));
    EXPECT_EQ(odd->encryption, EncryptionOff);
    EXPECT_EQ(odd->securityType, SecurityOpenSystem);
    EXPECT_EQ(odd->txKeyIndex, 0u);
    EXPECT_EQ(odd->wepKeys[2].length, 33u);
    EXPECT_EQ(odd->pskLength, fieldText(odd->psk).size());
    EXPECT_LE(odd->pskLength, kMaxPskLength);
    EXPECT_EQ(odd->loginName[kCredentialSize - 1], '\0');
    // Beyond the security fields the record is as it was.
    EXPECT_EQ(std::memcmp(odd, &before, offsetof(Profile, encryption)), 0);
    EXPECT_EQ(std::memcmp(&odd->ipAuto, &before.ipAuto,
                          offsetof(Profile, psk) - offsetof(Profile, ipAuto)),
              0);
    EXPECT_EQ(std::memcmp(odd->reserved4, before.reserved4, sizeof odd->reserved4), 0);
}

TEST_P(SecurityPage, TheWizardsTemplateCarriesTheSameControls) {
    CProfileSheet wizard(mainWindow, CProfileSheet::Purpose::Wizard);
    auto& security = static_cast<CSecuritySettgPage&>(*wizard.securityPage());
    EXPECT_EQ(security.templateId(), IDD_SECURITY_WIZARD);
    EXPECT_EQ(security.title(), "Security");
    EXPECT_EQ(security.headerTitle(), "Please enter the security settings:");
    script().expectSheet("Create New Profile", [&](fw::Dialog&, fw::UserActions&) {
        user(*wizard.networkPage()).type(IDC_NET_NAME, "Lounge");
        wizard.pressButton(fw::SheetButton::Next);
        ASSERT_TRUE(security.hasWindow());
        for (const char* authentication : {"Shared Key", "WPA-PSK", "WPA2", "CCX"}) {
            const auto texts = ProfileEditing::entries(security, IDC_SEC_AUTHENTICATION);
            user(security).pick(IDC_SEC_AUTHENTICATION,
                                static_cast<int>(std::find(texts.begin(), texts.end(),
                                                           std::string(authentication)) -
                                                 texts.begin()));
        }
        wizard.enable(false);
        wizard.enable(true);
        EXPECT_THAT(backEnd_->missingControls(security), IsEmpty());
        wizard.pressButton(fw::SheetButton::Cancel);
    });
    EXPECT_EQ(host().runSheet(wizard, nullptr), fw::id::Cancel);
}

}  // namespace
}  // namespace pagestest
