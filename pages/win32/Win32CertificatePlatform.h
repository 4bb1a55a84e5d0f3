// The personal certificate store ("MY") of the current user through the system's
// certificate store functions, and the width of a dialog's control. The functions are
// found in crypt32.dll when the store is first used: Windows 95, NT 4 and a Windows 98 without a
// newer crypt32 lack some of them, and there the store cannot be opened and lists nothing.
#pragma once

#include <windows.h>
#include <wincrypt.h>

#include "pages/Certificates.h"

class Win32CertificatePlatform final : public CertificatePlatform {
public:
    Win32CertificatePlatform() = default;
    ~Win32CertificatePlatform() override;
    Win32CertificatePlatform(const Win32CertificatePlatform&) = delete;
    Win32CertificatePlatform& operator=(const Win32CertificatePlatform&) = delete;

    std::vector<CertificateEntry> personalCertificates() override;
    std::optional<CertificateView> find(const std::string& name, const CertHash& hash) override;

    // The certificate store functions; all null when any one is missing.
    struct Crypt32 {
        HCERTSTORE(WINAPI* openSystemStore)(HCRYPTPROV_LEGACY, LPCSTR) = nullptr;
        BOOL(WINAPI* closeStore)(HCERTSTORE, DWORD) = nullptr;
        PCCERT_CONTEXT(WINAPI* enumCertificates)(HCERTSTORE, PCCERT_CONTEXT) = nullptr;
        PCCERT_CONTEXT(WINAPI* findCertificate)
        (HCERTSTORE, DWORD, DWORD, DWORD, const void*, PCCERT_CONTEXT) = nullptr;
        DWORD(WINAPI* getNameString)(PCCERT_CONTEXT, DWORD, DWORD, void*, LPSTR, DWORD) = nullptr;
        BOOL(WINAPI* getProperty)(PCCERT_CONTEXT, DWORD, void*, DWORD*) = nullptr;
        BOOL(WINAPI* freeCertificate)(PCCERT_CONTEXT) = nullptr;
    };

private:
    // The functions, crypt32.dll loaded the first time the store is used.
    const Crypt32& crypt32();

    bool loaded_ = false;
    HMODULE library_ = nullptr;
    Crypt32 crypt32_;
};
