#include "pages/SecuritySettgPage.h"

#include "framework/Controls.h"
#include "framework/Host.h"
#include "pages/CredentialDlgs.h"
#include "pages/WepKeyDlg.h"
#include "res/resource.h"

namespace {

constexpr size_t kKeyCount = 4;
constexpr uint32_t kMinPassphrase = 8;
constexpr uint32_t kMaxPassphrase = 63;
// The longest key a slot holds; a longer length is no key.
constexpr uint32_t kMaxKeyLength = 32;

// The groups with WEP keys, with a pre-shared key, and with an 802.1x protocol.
bool isWepGroup(uint32_t group) {
    return group == SecurityOpenSystem || group == SecuritySharedKey || group == SecurityAutoSwitch;
}
bool isPskGroup(uint32_t group) { return group == SecurityWpaPsk || group == SecurityWpa2Psk; }
bool is8021xGroup(uint32_t group) {
    return group >= SecurityGroupWpa && group <= SecurityGroup8021x;
}

// The authentication group of a stored securityType; the codes without a method are
// their own group.
uint32_t groupOf(uint32_t securityType) {
    switch (securityType) {
        case SecurityWpaLeap:
        case SecurityWpaTls:
        case SecurityWpaPeap:
        case SecurityWpaTtls:
            return SecurityGroupWpa;
        case SecurityWpa2Tls:
        case SecurityWpa2Peap:
        case SecurityWpa2Ttls:
        case SecurityWpa2Leap:
            return SecurityGroupWpa2;
        case SecurityCcxLeap:
        case SecurityCcxPeap:
            return SecurityGroupCcx;
        case Security8021xTls:
        case Security8021xPeap:
        case Security8021xTtls:
            return SecurityGroup8021x;
        default:
            return securityType;
    }
}

// The authentication entries; an ad-hoc network offers the first three.
constexpr size_t kAdHocAuthentications = 3;
const std::vector<CSecuritySettgPage::Entry>& authentications() {
    static const std::vector<CSecuritySettgPage::Entry> kEntries = {
        {IDS_OPEN_SYSTEM, SecurityOpenSystem}, {IDS_SHARED_KEY, SecuritySharedKey},
        {IDS_AUTO_SWITCH, SecurityAutoSwitch}, {IDS_8021X, SecurityGroup8021x},
        {IDS_WPA_PSK, SecurityWpaPsk},         {IDS_WPA2_PSK, SecurityWpa2Psk},
        {IDS_WPA, SecurityGroupWpa},           {IDS_WPA2, SecurityGroupWpa2},
        {IDS_CCX, SecurityGroupCcx},
    };
    return kEntries;
}

// The 802.1x protocols of a group, in list order.
std::vector<CSecuritySettgPage::Entry> protocolsOf(uint32_t group) {
    switch (group) {
        case SecurityGroupWpa:
            return {{IDS_EAP_TLS, SecurityWpaTls},
                    {IDS_PEAP, SecurityWpaPeap},
                    {IDS_LEAP, SecurityWpaLeap}};
        case SecurityGroupWpa2:
            return {{IDS_EAP_TLS, SecurityWpa2Tls},
                    {IDS_PEAP, SecurityWpa2Peap},
                    {IDS_LEAP, SecurityWpa2Leap}};
        case SecurityGroupCcx:
            return {{IDS_LEAP, SecurityCcxLeap}};
        case SecurityGroup8021x:
            return {{IDS_EAP_TLS, Security8021xTls}, {IDS_PEAP, Security8021xPeap}};
        default:
            return {};
    }
}

// The ciphers a group offers with the protocol chosen, and the one it starts with when
// the cipher selected before is not among them.
struct Ciphers {
    std::vector<CSecuritySettgPage::Entry> entries;
    uint32_t preferred;
};

Ciphers ciphersOf(uint32_t group, uint32_t protocol) {
    const CSecuritySettgPage::Entry off = {IDS_SECURITY_OFF, EncryptionOff};
    const CSecuritySettgPage::Entry wep = {IDS_WEP, EncryptionWep};
    const CSecuritySettgPage::Entry tkip = {IDS_TKIP, EncryptionTkip};
    const CSecuritySettgPage::Entry aes = {IDS_AES, EncryptionAes};
    switch (group) {
        case SecurityGroupCcx:
            return {{off, wep}, EncryptionWep};
        case SecuritySharedKey:
        case SecurityGroup8021x:
            return {{wep}, EncryptionWep};
        case SecurityWpaPsk:
        case SecurityWpa2Psk:
            return {{tkip, aes}, EncryptionTkip};
        case SecurityGroupWpa:
        case SecurityGroupWpa2: {
            // LEAP runs with one cipher: WPA with TKIP, WPA2 with AES.
            Ciphers ciphers;
            if (protocol != SecurityWpa2Leap) ciphers.entries.push_back(tkip);
            if (protocol != SecurityWpaLeap) ciphers.entries.push_back(aes);
            ciphers.preferred = ciphers.entries.front().code;
            return ciphers;
        }
        default:
            return {{off, wep}, EncryptionOff};
    }
}

// Key slot `n` (0..3) holds a key.
bool keySet(const WepBlock& block, size_t n) {
    const uint32_t length = block.wepKeys[n].length;
    return length != 0 && length <= kMaxKeyLength;
}

// Selects the entry of combo box `id` whose code is `code`; the selection stays as it is
// when none has it.
void selectIfOffered(fw::Surface& ui, int id, intptr_t code) {
    const int position = fw::findData(ui, id, code);
    if (position >= 0) ui.select(id, position);
}

}  // namespace

const fw::MessageEntry<CSecuritySettgPage> CSecuritySettgPage::kMap[] = {
    fw::onCommand(fw::code::ComboSelChange, IDC_SEC_AUTHENTICATION,
                  &CSecuritySettgPage::onAuthentication),
    fw::onCommand(fw::code::ComboSetFocus, IDC_SEC_AUTHENTICATION,
                  &CSecuritySettgPage::onAuthenticationFocus),
    fw::onCommand(fw::code::ComboSelChange, IDC_SEC_ENCRYPTION, &CSecuritySettgPage::onEncryption),
    fw::onCommand(fw::code::ComboSelChange, IDC_SEC_PROTOCOL, &CSecuritySettgPage::onProtocol),
    fw::onCommand(fw::code::EditChange, IDC_SEC_PASSPHRASE,
                  &CSecuritySettgPage::onPassphraseChange),
    fw::onCommand(fw::code::EditSetFocus, IDC_SEC_PASSPHRASE,
                  &CSecuritySettgPage::onPassphraseFocus),
    fw::onCommandRange(fw::code::Clicked, IDC_SEC_TX_KEY1, IDC_SEC_TX_KEY4,
                       &CSecuritySettgPage::onTransmitKey),
    fw::onClick(IDC_SEC_WEP_KEYS, &CSecuritySettgPage::onWepKeys),
    fw::onClick(IDC_SEC_CREDENTIALS, &CSecuritySettgPage::onCredentials),
};

CSecuritySettgPage::CSecuritySettgPage(CProfileSheet& sheet, CertificatePlatform& certificates)
    : CProfilePage(sheet, sheet.isWizard() ? IDD_SECURITY_WIZARD : IDD_SECURITY, IDS_SECURITY,
                   IDS_SECURITY_HEADER),
      certificates_(certificates) {}

bool CSecuritySettgPage::onMessage(const fw::Message& m) { return fw::dispatch(*this, kMap, m); }

bool CSecuritySettgPage::initPage() {
    ui().limitText(IDC_SEC_PASSPHRASE, static_cast<int>(kMaxPskLength));
    ui().limitText(IDC_SEC_CONFIRM, static_cast<int>(kMaxPskLength));
    fill(IDC_SEC_AUTHENTICATION, authentications());
    fill(IDC_SEC_ENCRYPTION, ciphersOf(SecurityOpenSystem, 0).entries);
    for (size_t n = 0; n < kKeyCount; ++n) {
        ui().setText(IDC_SEC_TX_KEY1 + static_cast<int>(n),
                     text(IDS_KEY1_NOT_SET + static_cast<int>(n)));
    }
    ui().select(IDC_SEC_AUTHENTICATION, 0);
    const bool securityOnly = profileSheet().purpose() == CProfileSheet::Purpose::SecurityOnly;
    fw::selectByData(ui(), IDC_SEC_ENCRYPTION, securityOnly ? EncryptionWep : EncryptionOff);
    fillEncryption();
    if (loaded_) showWorkingCopy();
    // "Configure Network" opens on the WEP keys, when the profile shown has them. The
    // sheet gives its page's first control the focus once the page is up: the focus
    // moves on from there.
    focusWepKeys_ = securityOnly;
    return true;
}

void CSecuritySettgPage::onSetActive() {
    setWizardButtons(fw::wiz::Back | fw::wiz::Next);
    applyRememberedDisable();
    fillAuthentication();
}

// The lists --------------------------------------------------------------------------------

void CSecuritySettgPage::fill(int id, const std::vector<Entry>& entries) {
    bool same = ui().itemCount(id) == static_cast<int>(entries.size());
    for (size_t index = 0; same && index < entries.size(); ++index) {
        same = ui().itemData(id, static_cast<int>(index)) ==
               static_cast<intptr_t>(entries[index].code);
    }
    if (same) return;
    ui().clearItems(id);
    for (const Entry& entry : entries) ui().addItem(id, text(entry.textId), entry.code);
}

void CSecuritySettgPage::fillAuthentication() {
    const int position = ui().selection(IDC_SEC_AUTHENTICATION);
    std::vector<Entry> entries = authentications();
    if (profileSheet().shared().adHoc) entries.resize(kAdHocAuthentications);
    fill(IDC_SEC_AUTHENTICATION, entries);
    if (position < 0 || position >= static_cast<int>(entries.size())) {
        ui().select(IDC_SEC_AUTHENTICATION, 0);
        fillEncryption();
    } else {
        ui().select(IDC_SEC_AUTHENTICATION, position);
    }
}

void CSecuritySettgPage::fillEncryption() {
    if (ui().selection(IDC_SEC_AUTHENTICATION) < 0) return;
    const intptr_t previous = fw::selectedData(ui(), IDC_SEC_ENCRYPTION, -1);
    const Ciphers ciphers = ciphersOf(selectedGroup(), protocol_);
    fill(IDC_SEC_ENCRYPTION, ciphers.entries);
    fw::selectByData(ui(), IDC_SEC_ENCRYPTION, ciphers.preferred);
    selectIfOffered(ui(), IDC_SEC_ENCRYPTION, previous);
    showGroupControls();
    applyWepRule();
}

void CSecuritySettgPage::showGroupControls() {
    const uint32_t group = selectedGroup();
    const bool wep = isWepGroup(group);
    ui().setText(IDC_SEC_WEP_GROUP, wep ? text(IDS_WEP_KEY_SETTING) : std::string());
    for (int id :
         {IDC_SEC_WEP_KEYS, IDC_SEC_TX_KEY1, IDC_SEC_TX_KEY2, IDC_SEC_TX_KEY3, IDC_SEC_TX_KEY4}) {
        ui().show(id, wep);
    }

    const bool psk = isPskGroup(group);
    for (int id :
         {IDC_SEC_PASSPHRASE_LABEL, IDC_SEC_CONFIRM_LABEL, IDC_SEC_PASSPHRASE, IDC_SEC_CONFIRM}) {
        ui().show(id, psk);
        ui().enable(id, psk && enabled_);
    }
    if (psk) ui().enable(IDC_SEC_CONFIRM, enabled_ && !ui().text(IDC_SEC_PASSPHRASE).empty());

    const bool dot1x = is8021xGroup(group);
    for (int id : {IDC_SEC_PROTOCOL_LABEL, IDC_SEC_PROTOCOL, IDC_SEC_CREDENTIALS}) {
        ui().show(id, dot1x);
        ui().enable(id, dot1x && enabled_);
    }
    if (!dot1x) return;
    ui().setText(IDC_SEC_CREDENTIALS, text(group == SecurityGroupCcx ? IDS_CCX_CONFIGURATION
                                                                     : IDS_CONFIGURE_WPA_RADIUS));
    const int position = ui().selection(IDC_SEC_PROTOCOL);
    fill(IDC_SEC_PROTOCOL, protocolsOf(group));
    ui().select(IDC_SEC_PROTOCOL,
                position >= 0 && position < ui().itemCount(IDC_SEC_PROTOCOL) ? position : 0);
}

void CSecuritySettgPage::applyWepRule() {
    const uint32_t encryption = selectedEncryption();
    profileSheet().shared().wep = encryption == EncryptionWep;
    const uint32_t group = selectedGroup();
    if (!isWepGroup(group)) return;
    const bool keys = encryption == EncryptionWep || group == SecuritySharedKey;
    ui().enable(IDC_SEC_WEP_KEYS, keys && enabled_);
    for (size_t n = 0; n < kKeyCount; ++n) {
        const int radio = IDC_SEC_TX_KEY1 + static_cast<int>(n);
        const bool set = keySet(wep_, n);
        if (keys) {
            ui().setText(radio,
                         text((set ? IDS_SELECT_KEY1 : IDS_KEY1_NOT_SET) + static_cast<int>(n)));
            ui().setCheck(radio, wep_.txKeyIndex == n + 1);
        }
        ui().enable(radio, keys && set && enabled_);
    }
}

// Showing and reading --------------------------------------------------------------------

void CSecuritySettgPage::showWorkingCopy() {
    if (!hasWindow()) return;
    fillAuthentication();
    fw::selectByData(ui(), IDC_SEC_AUTHENTICATION, group_);
    fillEncryption();
    if (!isWepGroup(selectedGroup())) selectIfOffered(ui(), IDC_SEC_PROTOCOL, protocol_);
    fw::selectByData(ui(), IDC_SEC_ENCRYPTION, encryption_);
    applyWepRule();
    ui().setText(IDC_SEC_PASSPHRASE, passphrase_);
    ui().setText(IDC_SEC_CONFIRM, passphrase_);
}

uint32_t CSecuritySettgPage::selectedGroup() const {
    return static_cast<uint32_t>(
        fw::selectedData(ui(), IDC_SEC_AUTHENTICATION, SecurityOpenSystem));
}

uint32_t CSecuritySettgPage::selectedEncryption() const {
    return static_cast<uint32_t>(fw::selectedData(ui(), IDC_SEC_ENCRYPTION, EncryptionOff));
}

uint32_t CSecuritySettgPage::checkedKey() const {
    for (size_t n = 0; n < kKeyCount; ++n) {
        if (ui().isChecked(IDC_SEC_TX_KEY1 + static_cast<int>(n)))
            return static_cast<uint32_t>(n + 1);
    }
    return 0;
}

// The user's changes ------------------------------------------------------------------------

void CSecuritySettgPage::onAuthentication(const fw::Message&) {
    const uint32_t group = selectedGroup();
    if (!isWepGroup(group)) {
        // Another kind of authentication: its first protocol, and no credentials of the
        // one before. The passphrase typed stays in its edits.
        fill(IDC_SEC_PROTOCOL, protocolsOf(group));
        ui().select(IDC_SEC_PROTOCOL, 0);
        protocol_ = static_cast<uint32_t>(fw::selectedData(ui(), IDC_SEC_PROTOCOL, protocol_));
        passphrase_.clear();
        credentials_ = Credentials{};
    }
    fillEncryption();
    // CCX is chosen for its WEP: it starts there whatever cipher was chosen before.
    if (group == SecurityGroupCcx) {
        fw::selectByData(ui(), IDC_SEC_ENCRYPTION, EncryptionWep);
        applyWepRule();
    }
    changed();
}

void CSecuritySettgPage::onEncryption(const fw::Message&) {
    if (isPskGroup(selectedGroup())) {
        // A new cipher wants its passphrase typed again.
        ui().setText(IDC_SEC_PASSPHRASE, "");
        ui().setText(IDC_SEC_CONFIRM, "");
    } else {
        applyWepRule();
    }
    changed();
}

void CSecuritySettgPage::onProtocol(const fw::Message&) {
    if (ui().selection(IDC_SEC_PROTOCOL) < 0) return;
    protocol_ = static_cast<uint32_t>(fw::selectedData(ui(), IDC_SEC_PROTOCOL, protocol_));
    fillEncryption();
    changed();
}

void CSecuritySettgPage::onPassphraseChange(const fw::Message&) {
    if (ui().text(IDC_SEC_PASSPHRASE).empty()) {
        ui().enable(IDC_SEC_CONFIRM, false);
        ui().setText(IDC_SEC_CONFIRM, "");
    } else {
        // Only where the passphrase itself can be typed.
        ui().enable(IDC_SEC_CONFIRM, ui().isEnabled(IDC_SEC_PASSPHRASE));
    }
    changed();
}

void CSecuritySettgPage::onAuthenticationFocus(const fw::Message&) {
    if (!focusWepKeys_) return;
    focusWepKeys_ = false;
    if (ui().isEnabled(IDC_SEC_WEP_KEYS) && ui().isVisible(IDC_SEC_WEP_KEYS)) {
        ui().setFocus(IDC_SEC_WEP_KEYS);
    }
}

void CSecuritySettgPage::onPassphraseFocus(const fw::Message&) {
    ui().setText(IDC_SEC_PASSPHRASE, "");
}

void CSecuritySettgPage::onTransmitKey(const fw::Message& m) {
    // The WEP key dialog starts from the key chosen here.
    wep_.txKeyIndex = static_cast<uint32_t>(m.id - IDC_SEC_TX_KEY1 + 1);
    changed();
}

void CSecuritySettgPage::onWepKeys(const fw::Message&) {
    CWepKeyDlg dialog(profileSheet().mainWindow(), wep_);
    if (host().runModal(dialog, this) != fw::id::Ok) return;
    applyWepRule();
    changed();
}

void CSecuritySettgPage::onCredentials(const fw::Message&) {
    protocol_ = static_cast<uint32_t>(fw::selectedData(ui(), IDC_SEC_PROTOCOL, protocol_));
    ProfileHost& mainWindow = profileSheet().mainWindow();
    int result = fw::id::Cancel;
    switch (protocol_) {
        case SecurityWpaLeap:
        case SecurityCcxLeap:
        case SecurityWpa2Leap: {
            CLeapDlg dialog(mainWindow, credentials_, protocol_);
            result = host().runModal(dialog, this);
            break;
        }
        case SecurityWpaTls:
        case SecurityWpa2Tls:
        case Security8021xTls: {
            CTlsDlg dialog(mainWindow, credentials_, protocol_, certificates_);
            result = host().runModal(dialog, this);
            break;
        }
        case SecurityWpaPeap:
        case SecurityWpa2Peap:
        case Security8021xPeap: {
            CPeapDlg dialog(mainWindow, credentials_, protocol_);
            result = host().runModal(dialog, this);
            break;
        }
        default:
            return;
    }
    if (result == fw::id::Ok) changed();
}

// The sheet's operations ---------------------------------------------------------------------

void CSecuritySettgPage::LoadFromProfile(const Profile& profile) {
    encryption_ = profile.encryption;
    group_ = groupOf(profile.securityType);
    if (is8021xGroup(group_)) protocol_ = profile.securityType;
    wep_ = wepBlockOf(profile);
    passphrase_ = fieldText(profile.psk);
    credentials_ = credentialsOf(profile);
    loaded_ = true;
    showWorkingCopy();
}

bool CSecuritySettgPage::checkPassphrase() {
    const std::string passphrase = ui().text(IDC_SEC_PASSPHRASE);
    int message = 0;
    if (passphrase.size() < kMinPassphrase || passphrase.size() > kMaxPassphrase) {
        message = IDS_PASSPHRASE_LENGTH;
    } else if (passphrase != ui().text(IDC_SEC_CONFIRM)) {
        message = IDS_PASSPHRASE_MISMATCH;
    }
    if (message == 0) return true;
    warn(message);
    ui().setText(IDC_SEC_PASSPHRASE, "");
    ui().setText(IDC_SEC_CONFIRM, "");
    return false;
}

bool CSecuritySettgPage::Validate(const Profile*) {
    if (!hasWindow()) return true;
    const uint32_t group = selectedGroup();
    const bool transmitKeyNeeded =
        group == SecuritySharedKey || (selectedEncryption() == EncryptionWep && isWepGroup(group));
    if (transmitKeyNeeded && checkedKey() == 0) {
        warn(IDS_SELECT_TX_KEY);
        return false;
    }
    if (isPskGroup(group)) return checkPassphrase();
    if (!is8021xGroup(group)) return true;

    const bool login = !credentials_.loginName.empty();
    const bool password = !credentials_.password.empty();
    const bool certificate = !credentials_.certName.empty();
    int message = 0;
    switch (fw::selectedData(ui(), IDC_SEC_PROTOCOL, protocol_)) {
        case SecurityWpaTls:
        case SecurityWpa2Tls:
        case Security8021xTls:
            message = login && certificate ? 0 : IDS_WPA_TLS_CREDENTIALS;
            break;
        case SecurityWpaPeap:
        case SecurityWpa2Peap:
        case Security8021xPeap:
            message = login && password ? 0 : IDS_WPA_PEAP_CREDENTIALS;
            break;
        case SecurityCcxLeap:
            message = login && password ? 0 : IDS_CCX_CREDENTIALS;
            break;
        case SecurityWpaLeap:
        case SecurityWpa2Leap:
            message = login && password ? 0 : IDS_WPA_LEAP_CREDENTIALS;
            break;
        default:
            break;
    }
    if (message == 0) return true;
    warn(message);
    return false;
}

bool CSecuritySettgPage::StoreToProfile(Profile& profile) {
    if (!hasWindow()) return true;
    profile.encryption =
        static_cast<uint32_t>(fw::selectedData(ui(), IDC_SEC_ENCRYPTION, profile.encryption));
    uint32_t securityType =
        static_cast<uint32_t>(fw::selectedData(ui(), IDC_SEC_AUTHENTICATION, profile.securityType));
    if (is8021xGroup(securityType)) {
        securityType =
            static_cast<uint32_t>(fw::selectedData(ui(), IDC_SEC_PROTOCOL, securityType));
    }
    profile.securityType = securityType;
    WepBlock block = wep_;
    block.txKeyIndex = checkedKey();
    setWepBlock(profile, block);
    const std::string passphrase = ui().text(IDC_SEC_PASSPHRASE);
    setFieldText(profile.psk, passphrase);
    profile.pskLength = static_cast<uint32_t>(fieldText(profile.psk).size());
    setCredentials(profile, credentials_);
    return true;
}

void CSecuritySettgPage::enableControls(bool enable) {
    enabled_ = enable;
    ui().enable(IDC_SEC_AUTHENTICATION, enable);
    ui().enable(IDC_SEC_ENCRYPTION, enable);
    // The controls of the group shown follow their own rules again, or are all
    // disabled; a disabled page keeps no way to change the credentials.
    showGroupControls();
    applyWepRule();
}
