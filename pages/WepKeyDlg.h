// The "Configure WEP Key" dialog: the four WEP keys and the transmit key of the security
// page's WEP block. Stored keys are never shown: a key that exists reads as a row of
// asterisks until the user types over it. The key format (ASCII or hexadecimal) is kept
// in the settings file; the block is written only when OK succeeds.
#pragma once

#include "framework/Dialog.h"
#include "pages/ProfileSheet.h"

class CWepKeyDlg : public fw::Dialog {
public:
    // Edits `block` in place; it must outlive the dialog.
    CWepKeyDlg(ProfileHost& mainWindow, WepBlock& block);

    bool onInit() override;
    void onOk() override;

protected:
    bool onMessage(const fw::Message& m) override;

private:
    static const fw::MessageEntry<CWepKeyDlg> kMap[];

    ProfileHost& mainWindow_;
    WepBlock& block_;
};
