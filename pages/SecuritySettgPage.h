// The security page of the profile sheet ("Security"): how the profile authenticates and
// encrypts. The authentication list gives the group (Open System, Shared Key, Auto Switch,
// the pre-shared keys, WPA, WPA2, CCX, 802.1x), the encryption list the cipher; below them
// stand, by group, the WEP transmit key with the WEP key dialog, the passphrase, or the
// 802.1x protocol with its credential dialog.
//
// The page edits a working copy of the profile's security fields; the WEP key dialog and
// the credential dialogs change that copy in place, and only StoreToProfile writes it
// into a record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pages/Certificates.h"
#include "pages/Credentials.h"
#include "pages/ProfileSheet.h"

class CSecuritySettgPage : public CProfilePage {
public:
    // An entry of the page's lists: its text's string id and its code.
    struct Entry {
        int textId;
        uint32_t code;
    };

    CSecuritySettgPage(CProfileSheet& sheet, CertificatePlatform& certificates);

    void LoadFromProfile(const Profile& profile) override;
    bool Validate(const Profile* record) override;
    bool StoreToProfile(Profile& profile) override;

    bool initPage() override;
    void onSetActive() override;

protected:
    bool onMessage(const fw::Message& m) override;
    void enableControls(bool enable) override;

private:
    void onAuthentication(const fw::Message&);
    void onAuthenticationFocus(const fw::Message&);
    void onEncryption(const fw::Message&);
    void onProtocol(const fw::Message&);
    void onPassphraseChange(const fw::Message&);
    void onPassphraseFocus(const fw::Message&);
    void onTransmitKey(const fw::Message& m);
    void onWepKeys(const fw::Message&);
    void onCredentials(const fw::Message&);

    // Fills combo box `id` with `entries` unless it holds exactly those already.
    void fill(int id, const std::vector<Entry>& entries);
    // The authentication list for the sheet's network type, keeping the position selected
    // while it exists; otherwise "Open System" with its ciphers.
    void fillAuthentication();
    // The ciphers of the selected group, keeping the one selected when they offer it,
    // and the controls of the group.
    void fillEncryption();
    // Shows the WEP, passphrase or 802.1x controls of the selected group.
    void showGroupControls();
    // The WEP rule: the sheet's WEP flag, "Configure WEP Keys", and the transmit key
    // buttons with their texts after the working WEP block.
    void applyWepRule();
    // Shows the working copy in the window.
    void showWorkingCopy();
    // The passphrase edits must hold the same text of 8 to 63 characters; on failure the
    // user is told and both are emptied.
    bool checkPassphrase();

    uint32_t selectedGroup() const;
    uint32_t selectedEncryption() const;
    // The transmit key checked, 1..4; 0 when none is.
    uint32_t checkedKey() const;

    static const fw::MessageEntry<CSecuritySettgPage> kMap[];

    CertificatePlatform& certificates_;
    // The working copy.
    uint32_t encryption_ = EncryptionOff;
    uint32_t group_ = SecurityOpenSystem;
    uint32_t protocol_ = 0;
    WepBlock wep_{};
    std::string passphrase_;
    Credentials credentials_;
    // A profile was loaded, so the window shows it when it is created.
    bool loaded_ = false;
    // The page's controls are enabled (EnablePage).
    bool enabled_ = true;
    // The first focus the page gets goes on to "Configure WEP Keys".
    bool focusWepKeys_ = false;
};
