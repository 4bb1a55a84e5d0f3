// Whether a network lets the card in: network type, wireless mode, authentication,
// cipher and keys, passphrase or 802.1X credentials, as the card was programmed.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/Scenario.h"

namespace sim {

// The 802.1X identity of the last ZelWPACreateIdentity... call.
struct Identity {
    EapMethod method = EapPeap;
    std::string login;
    std::string domain;
    std::string password;
    std::string anonymous;
    CertificateHash certificateHash{};
};

// What the library was told about the network to join.
struct Programming {
    uint32_t networkMode = 1;
    uint32_t wlanMode = 255;
    uint32_t adHocWlanMode = 0;
    uint32_t authMode = 0;
    uint32_t wepStatus = 1;
    bool ccx = false;  // ZelSetFswCCXNetworkEap: 802.1X whatever the authentication mode says
    std::array<std::vector<uint8_t>, 4> wepKeys;
    uint32_t transmitKey = 0;  // 1 to 4, 0 = none
    // ZelSetWPAInformation.
    uint32_t wpaSecurityType = 0;
    std::string psk;
    std::string pskSsid;
    std::optional<Identity> identity;
};

// Whether two programmings present a network with the same credentials: authentication,
// cipher, WEP keys and transmit key, passphrase and 802.1X identity.
bool sameCredentials(const Programming& a, const Programming& b);

enum class Refusal {
    None,
    NetworkType,     // infrastructure against ad-hoc
    WirelessMode,    // band not allowed by the wireless mode
    Privacy,         // encryption on against off
    Authentication,  // authentication mode or 802.1X use does not fit
    Cipher,          // WEP, TKIP or AES does not fit
    WepKey,
    Passphrase,
    EapMethod,   // the server does not run the identity's method
    Credential,  // login, password, domain or certificate refused
};

// Why `network` turns the card away, or Refusal::None when it lets the card in.
Refusal admission(const Network& network, const Programming& card);

const char* describe(Refusal refusal);

}  // namespace sim
