// Client certificates for EAP/TLS: the personal certificate store ("MY") as the
// certificate dialogs see it. The program's platform reads the system store; tests
// supply their own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pages/Credentials.h"

// One certificate of the store as the Select Certificate list shows it.
struct CertificateEntry {
    std::string issuer;       // simple display name of the issuer
    std::string subject;      // simple display name of the subject
    std::string validBefore;  // end of validity, "Mar 5, 2007"
    // The SHA-1 hash; none when it could not be read or is longer than 20 bytes.
    std::optional<CertHash> hash;
};

// The fields the View Certificate dialog lists, as text.
struct CertificateView {
    std::string version;  // "V3"
    std::string serialNumber;
    std::string signatureAlgorithm;
    std::string issuer;
    std::string notBefore;
    std::string notAfter;
    std::string subject;
    std::string publicKey;
    std::string publicKeyAlgorithm;
};

class CertificatePlatform {
public:
    virtual ~CertificatePlatform() = default;

    // Every certificate of the personal store in store order; empty when the store
    // cannot be opened.
    virtual std::vector<CertificateEntry> personalCertificates() = 0;
    // The first certificate of the personal store with this SHA-1 hash whose issuer name,
    // as a profile stores it (certificateName), is exactly `name`; none when the store
    // cannot be opened or none matches.
    virtual std::optional<CertificateView> find(const std::string& name, const CertHash& hash) = 0;
};

// A certificate date as the dialogs show it: "Mar 5, 2007" (month 1..12; empty for
// another month).
std::string certificateDate(int year, int month, int day);
// An issuer name as a profile stores it: cut to the 39 characters of its field.
std::string certificateName(const std::string& issuer);
// Bytes as the View Certificate dialog shows them: "%02X " for each, in order.
std::string certificateBytes(const uint8_t* bytes, size_t count);
