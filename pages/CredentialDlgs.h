// The 802.1x credential dialogs of the security page: LEAP, PEAP and EAP/TLS. Each
// edits the page's working credentials for the 802.1x protocol code it is opened with
// (which decides its title prefix and its message), and writes them back only on a
// successful OK.
#pragma once

#include <cstdint>

#include "framework/Dialog.h"
#include "pages/Certificates.h"
#include "pages/Credentials.h"
#include "pages/ProfileSheet.h"

class CLeapDlg : public fw::Dialog {
public:
    CLeapDlg(ProfileHost& mainWindow, Credentials& credentials, uint32_t protocol);
};

class CPeapDlg : public fw::Dialog {
public:
    CPeapDlg(ProfileHost& mainWindow, Credentials& credentials, uint32_t protocol);
};

class CTlsDlg : public fw::Dialog {
public:
    CTlsDlg(ProfileHost& mainWindow, Credentials& credentials, uint32_t protocol,
            CertificatePlatform& certificates);
};
