// The 802.1x credentials of a profile as the security page and its credential dialogs
// edit them: the texts of the profile's 40-byte credential fields and the EAP/TLS
// client certificate's hash.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "profiles/Profile.h"

using CertHash = std::array<uint8_t, kCertHashSize>;

struct Credentials {
    std::string loginName;
    std::string password;
    std::string domain;
    std::string certName;  // the certificate's issuer as listed (certIssuerName)
    std::string anonymousName;
    CertHash certHash{};
};

inline Credentials credentialsOf(const Profile& profile) {
    Credentials credentials;
    credentials.loginName = fieldText(profile.loginName);
    credentials.password = fieldText(profile.password);
    credentials.domain = fieldText(profile.domain);
    credentials.certName = fieldText(profile.certIssuerName);
    credentials.anonymousName = fieldText(profile.anonymousName);
    for (size_t i = 0; i < kCertHashSize; ++i) credentials.certHash[i] = profile.certHash[i];
    return credentials;
}

// Writes the credentials into the profile's fields, each cut to fit its field.
inline void setCredentials(Profile& profile, const Credentials& credentials) {
    setFieldText(profile.loginName, credentials.loginName);
    setFieldText(profile.password, credentials.password);
    setFieldText(profile.domain, credentials.domain);
    setFieldText(profile.certIssuerName, credentials.certName);
    setFieldText(profile.anonymousName, credentials.anonymousName);
    for (size_t i = 0; i < kCertHashSize; ++i) profile.certHash[i] = credentials.certHash[i];
}
