#include "pages/CredentialDlgs.h"

#include <utility>

#include "framework/Host.h"
#include "pages/CertificateDlgs.h"
#include "res/resource.h"
#include "system/MessageCaption.h"

namespace {

// The credential texts fill 40-byte fields.
constexpr int kMaxCredentialLength = static_cast<int>(kCredentialSize - 1);

// The title prefix of WPA2 for its own code, else of WPA.
std::string wpaPrefix(uint32_t protocol, uint32_t wpa2) {
    return protocol == wpa2 ? "WPA2 " : "WPA ";
}

}  // namespace

// CCredentialDlg ---------------------------------------------------------------------------

CCredentialDlg::CCredentialDlg(int templateId, ProfileHost& mainWindow, Credentials& credentials,
                               std::string titlePrefix, int messageId, std::vector<Field> fields,
                               std::vector<std::string Credentials::*> required)
    : Dialog(templateId),
      mainWindow_(mainWindow),
      working_(credentials),
      titlePrefix_(std::move(titlePrefix)),
      messageId_(messageId),
      fields_(std::move(fields)),
      required_(std::move(required)) {}

bool CCredentialDlg::onInit() {
    edited_ = working_;
    for (const Field& field : fields_) ui().limitText(field.id, kMaxCredentialLength);
    ui().setTitle(titlePrefix_ + ui().title());
    showFields();
    return true;
}

void CCredentialDlg::showFields() {
    for (const Field& field : fields_) ui().setText(field.id, edited_.*field.text);
}

void CCredentialDlg::readFields() {
    for (const Field& field : fields_) edited_.*field.text = ui().text(field.id);
}

void CCredentialDlg::onOk() {
    readFields();
    for (std::string Credentials::*text : required_) {
        if ((edited_.*text).empty()) {
            ui().messageBox(mainWindow_.text(messageId_), sys::kMessageCaption,
                            fw::mb::Ok | fw::mb::IconExclamation);
            return;
        }
    }
    writeBack(working_);
    endDialog(fw::id::Ok);
}

void CCredentialDlg::writeBack(Credentials& working) const {
    for (const Field& field : fields_) working.*field.text = edited_.*field.text;
}

// CLeapDlg ---------------------------------------------------------------------------------

CLeapDlg::CLeapDlg(ProfileHost& mainWindow, Credentials& credentials, uint32_t protocol)
    : CCredentialDlg(IDD_LEAP, mainWindow, credentials,
                     protocol == SecurityCcxLeap ? "CCX " : "WPA ",
                     protocol == SecurityCcxLeap ? IDS_CCX_CREDENTIALS : IDS_WPA_LEAP_CREDENTIALS,
                     {{IDC_CRED_LOGIN, &Credentials::loginName},
                      {IDC_CRED_PASSWORD, &Credentials::password},
                      {IDC_CRED_DOMAIN, &Credentials::domain}},
                     {&Credentials::loginName, &Credentials::password}) {}

// CPeapDlg ---------------------------------------------------------------------------------

CPeapDlg::CPeapDlg(ProfileHost& mainWindow, Credentials& credentials, uint32_t protocol)
    : CCredentialDlg(IDD_PEAP, mainWindow, credentials, wpaPrefix(protocol, SecurityWpa2Peap),
                     IDS_WPA_PEAP_CREDENTIALS,
                     {{IDC_CRED_LOGIN, &Credentials::loginName},
                      {IDC_CRED_PASSWORD, &Credentials::password},
                      {IDC_CRED_DOMAIN, &Credentials::domain}},
                     {&Credentials::loginName, &Credentials::password}) {}

bool CPeapDlg::onInit() {
    // The one inner protocol there is; shown, never stored.
    ui().addItem(IDC_CRED_INNER_PROTOCOL, mainWindow().text(IDS_EAP_MSCHAPV2), 0);
    ui().select(IDC_CRED_INNER_PROTOCOL, 0);
    return CCredentialDlg::onInit();
}

// CTlsDlg ----------------------------------------------------------------------------------

const fw::MessageEntry<CTlsDlg> CTlsDlg::kMap[] = {
    fw::onClick(IDC_CRED_BROWSE, &CTlsDlg::onBrowse),
    fw::onClick(IDC_CRED_VIEW, &CTlsDlg::onView),
};

CTlsDlg::CTlsDlg(ProfileHost& mainWindow, Credentials& credentials, uint32_t protocol,
                 CertificatePlatform& certificates)
    : CCredentialDlg(IDD_TLS, mainWindow, credentials, wpaPrefix(protocol, SecurityWpa2Tls),
                     IDS_WPA_TLS_CREDENTIALS,
                     {{IDC_CRED_LOGIN, &Credentials::loginName},
                      {IDC_CRED_CERTIFICATE, &Credentials::certName}},
                     {&Credentials::loginName, &Credentials::certName}),
      certificates_(certificates) {}

bool CTlsDlg::onMessage(const fw::Message& m) { return fw::dispatch(*this, kMap, m); }

bool CTlsDlg::onInit() {
    const bool focusGiven = CCredentialDlg::onInit();
    enableView();
    return focusGiven;
}

void CTlsDlg::enableView() { ui().enable(IDC_CRED_VIEW, !edited().certName.empty()); }

void CTlsDlg::onBrowse(const fw::Message&) {
    readFields();
    CSelectCertDlg select(mainWindow(), certificates_, edited().certName, edited().certHash);
    if (host().runModal(select, this) == fw::id::Ok) {
        showFields();
        enableView();
    }
}

void CTlsDlg::onView(const fw::Message&) {
    viewCertificate(*this, mainWindow(), certificates_, edited().certName, edited().certHash);
}

void CTlsDlg::writeBack(Credentials& working) const {
    CCredentialDlg::writeBack(working);
    working.certHash = edited().certHash;
}
