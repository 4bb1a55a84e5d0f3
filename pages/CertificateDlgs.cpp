#include "pages/CertificateDlgs.h"

#include <cstdio>
#include <utility>

#include "framework/Host.h"
#include "res/resource.h"

std::string certificateDate(int year, int month, int day) {
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (month < 1 || month > 12) return {};
    char text[32];
    std::snprintf(text, sizeof text, "%s %d, %d", kMonths[month - 1], day, year);
    return text;
}

std::string certificateName(const std::string& issuer) {
    return issuer.substr(0, kCredentialSize - 1);
}

std::string certificateBytes(const uint8_t* bytes, size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02X ", bytes[i]);
        text += digits;
    }
    return text;
}

void viewCertificate(fw::Dialog& owner, ProfileHost& mainWindow, CertificatePlatform& certificates,
                     const std::string& name, const CertHash& hash) {
    if (name.empty()) return;
    auto certificate = certificates.find(name, hash);
    if (!certificate) return;
    CViewCertDlg view(mainWindow, std::move(*certificate));
    owner.host().runModal(view, &owner);
}

// CSelectCertDlg ---------------------------------------------------------------------------

const fw::MessageEntry<CSelectCertDlg> CSelectCertDlg::kMap[] = {
    fw::onNotify(fw::code::ItemChanged, IDC_CERT_LIST, &CSelectCertDlg::onRowChanged),
    fw::onClick(IDC_CERT_VIEW, &CSelectCertDlg::onView),
};

CSelectCertDlg::CSelectCertDlg(ProfileHost& mainWindow, CertificatePlatform& certificates,
                               std::string& name, CertHash& hash)
    : Dialog(IDD_SELECT_CERT),
      mainWindow_(mainWindow),
      certificates_(certificates),
      name_(name),
      hash_(hash) {}

bool CSelectCertDlg::onMessage(const fw::Message& m) { return fw::dispatch(*this, kMap, m); }

bool CSelectCertDlg::onInit() {
    ui().setListStyle(IDC_CERT_LIST, fw::lvs::GridLines | fw::lvs::FullRowSelect);
    const int width = ui().clientWidth(IDC_CERT_LIST);
    ui().addColumn(IDC_CERT_LIST, mainWindow_.text(IDS_CERT_ISSUER), width / 3 - 1);
    ui().addColumn(IDC_CERT_LIST, mainWindow_.text(IDS_CERT_SUBJECT), width / 3);
    ui().addColumn(IDC_CERT_LIST, mainWindow_.text(IDS_CERT_VALID_BEFORE), width / 3);
    ui().deleteAllRows(IDC_CERT_LIST);
    listed_ = certificates_.personalCertificates();
    for (size_t index = 0; index < listed_.size(); ++index) {
        const CertificateEntry& entry = listed_[index];
        const int row = ui().insertRow(IDC_CERT_LIST, static_cast<int>(index), entry.issuer, 0,
                                       static_cast<intptr_t>(index));
        ui().setCell(IDC_CERT_LIST, row, 1, entry.subject);
        ui().setCell(IDC_CERT_LIST, row, 2, entry.validBefore);
    }
    ui().enable(IDC_CERT_VIEW, false);
    return true;
}

const CertificateEntry* CSelectCertDlg::selected() const {
    const int row = ui().selectedRow(IDC_CERT_LIST);
    if (row < 0) return nullptr;
    return &listed_.at(static_cast<size_t>(ui().rowData(IDC_CERT_LIST, row)));
}

void CSelectCertDlg::onRowChanged(const fw::Message&) {
    ui().enable(IDC_CERT_VIEW, selected() != nullptr);
}

void CSelectCertDlg::onView(const fw::Message&) {
    const CertificateEntry* entry = selected();
    if (entry && entry->hash) {
        viewCertificate(*this, mainWindow_, certificates_, certificateName(entry->issuer),
                        *entry->hash);
    }
}

void CSelectCertDlg::onOk() {
    if (const CertificateEntry* entry = selected()) {
        name_ = certificateName(entry->issuer);
        // A certificate whose hash could not be read leaves no hash of another behind.
        hash_ = entry->hash.value_or(CertHash{});
    }
    endDialog(fw::id::Ok);
}

// CViewCertDlg -----------------------------------------------------------------------------

CViewCertDlg::CViewCertDlg(ProfileHost& mainWindow, CertificateView certificate)
    : Dialog(IDD_VIEW_CERT), mainWindow_(mainWindow), certificate_(std::move(certificate)) {}

bool CViewCertDlg::onInit() {
    ui().setListStyle(IDC_CERT_FIELDS, fw::lvs::GridLines | fw::lvs::LabelTip);
    const int width = ui().clientWidth(IDC_CERT_FIELDS);
    ui().addColumn(IDC_CERT_FIELDS, "", width / 4 - 1);
    ui().addColumn(IDC_CERT_FIELDS, "", width * 3 / 4);
    const std::pair<int, const std::string*> rows[] = {
        {IDS_CERT_VERSION, &certificate_.version},
        {IDS_CERT_SERIAL, &certificate_.serialNumber},
        {IDS_CERT_SIGNATURE_ALGORITHM, &certificate_.signatureAlgorithm},
        {IDS_CERT_ISSUER, &certificate_.issuer},
        {IDS_CERT_NOT_BEFORE, &certificate_.notBefore},
        {IDS_CERT_NOT_AFTER, &certificate_.notAfter},
        {IDS_CERT_SUBJECT, &certificate_.subject},
        {IDS_CERT_PUBLIC_KEY, &certificate_.publicKey},
        {IDS_CERT_KEY_ALGORITHM, &certificate_.publicKeyAlgorithm},
    };
    int row = 0;
    for (const auto& [field, value] : rows) {
        ui().insertRow(IDC_CERT_FIELDS, row, mainWindow_.text(field), 0, 0);
        ui().setCell(IDC_CERT_FIELDS, row, 1, *value);
        ++row;
    }
    return true;
}
