// The personal certificate store ("MY") of the current user through the system's
// certificate store functions, and the width of a dialog's control.
#pragma once

#include "pages/Certificates.h"

class Win32CertificatePlatform final : public CertificatePlatform {
public:
    std::vector<CertificateEntry> personalCertificates() override;
    std::optional<CertificateView> find(const std::string& name, const CertHash& hash) override;
    int controlWidth(const fw::Dialog& dialog, int id) override;
};
