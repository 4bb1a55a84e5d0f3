// The certificate dialogs: "Select Certificate" lists the certificates of the personal
// store and hands back the one chosen as its issuer name and hash; "View Certificate"
// shows the main fields of one certificate.
#pragma once

#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "pages/Certificates.h"
#include "pages/ProfileSheet.h"

class CSelectCertDlg : public fw::Dialog {
public:
    // `name` and `hash` are the caller's certificate: Select with a row selected replaces
    // them with the row's (a certificate without a hash leaves a zero hash).
    CSelectCertDlg(ProfileHost& mainWindow, CertificatePlatform& certificates, std::string& name,
                   CertHash& hash);

    bool onInit() override;
    void onOk() override;

protected:
    bool onMessage(const fw::Message& m) override;

private:
    void onRowChanged(const fw::Message&);
    void onView(const fw::Message&);
    // The certificate of the selected row; null when no row is selected.
    const CertificateEntry* selected() const;

    static const fw::MessageEntry<CSelectCertDlg> kMap[];
    ProfileHost& mainWindow_;
    CertificatePlatform& certificates_;
    std::string& name_;
    CertHash& hash_;
    std::vector<CertificateEntry> listed_;  // each row's certificate, by the row's data
};

class CViewCertDlg : public fw::Dialog {
public:
    CViewCertDlg(ProfileHost& mainWindow, CertificateView certificate);

    bool onInit() override;

private:
    ProfileHost& mainWindow_;
    CertificateView certificate_;
};

// Looks up the certificate of the personal store with this stored name and hash and
// shows it over `owner`; nothing when there is none.
void viewCertificate(fw::Dialog& owner, ProfileHost& mainWindow, CertificatePlatform& certificates,
                     const std::string& name, const CertHash& hash);
