// The 802.1x credential dialogs of the security page: LEAP, PEAP and EAP/TLS. Each
// edits the page's working credentials for the 802.1x protocol code it is opened with
// (which decides its title prefix and its message), and writes them back only on a
// successful OK.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "pages/Certificates.h"
#include "pages/Credentials.h"
#include "pages/ProfileSheet.h"

// What the three dialogs share. The dialog edits a copy of the working credentials;
// OK with every required text given writes its fields back, else it tells the user
// `messageId` and stays open.
class CCredentialDlg : public fw::Dialog {
public:
    // Copies the working credentials, limits the edits, puts the prefix before the
    // template's caption and shows the copy.
    bool onInit() override;
    void onOk() override;

protected:
    // An edit and the credential text it shows.
    struct Field {
        int id;
        std::string Credentials::*text;
    };

    CCredentialDlg(int templateId, ProfileHost& mainWindow, Credentials& credentials,
                   std::string titlePrefix, int messageId, std::vector<Field> fields,
                   std::vector<std::string Credentials::*> required);

    ProfileHost& mainWindow() const { return mainWindow_; }
    // The dialog's own copy of the credentials.
    Credentials& edited() { return edited_; }
    const Credentials& edited() const { return edited_; }
    // The copy into the edits, and back.
    void showFields();
    void readFields();
    // Writes the dialog's fields into the working credentials.
    virtual void writeBack(Credentials& working) const;

private:
    ProfileHost& mainWindow_;
    Credentials& working_;
    Credentials edited_;
    std::string titlePrefix_;
    int messageId_;
    std::vector<Field> fields_;
    std::vector<std::string Credentials::*> required_;
};

// LEAP: login name, password and domain; "CCX " for CCX LEAP, else "WPA ".
class CLeapDlg : public CCredentialDlg {
public:
    CLeapDlg(ProfileHost& mainWindow, Credentials& credentials, uint32_t protocol);
};

// PEAP: the inner protocol (shown only), login name, password and domain; "WPA2 " for
// WPA2 PEAP, else "WPA ".
class CPeapDlg : public CCredentialDlg {
public:
    CPeapDlg(ProfileHost& mainWindow, Credentials& credentials, uint32_t protocol);
    bool onInit() override;
};

// EAP/TLS: login name and a client certificate of the personal store, chosen with
// Browse and shown with View; "WPA2 " for WPA2 EAP/TLS, else "WPA ".
class CTlsDlg : public CCredentialDlg {
public:
    CTlsDlg(ProfileHost& mainWindow, Credentials& credentials, uint32_t protocol,
            CertificatePlatform& certificates);
    bool onInit() override;

protected:
    bool onMessage(const fw::Message& m) override;
    // The certificate's hash goes back with its name.
    void writeBack(Credentials& working) const override;

private:
    void onBrowse(const fw::Message&);
    void onView(const fw::Message&);
    // View only while there is a certificate.
    void enableView();

    static const fw::MessageEntry<CTlsDlg> kMap[];
    CertificatePlatform& certificates_;
};
