#include "sim/Admission.h"

#include <algorithm>
#include <cctype>
#include <tuple>

#include "adapter/ZelShared.h"

namespace sim {
namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The profile security types that authenticate with 802.1X: the WPA, WPA2, CCX and
// 802.1x methods (everything but open, shared, WPA-PSK, auto switch and WPA2-PSK).
bool usesDot1x(uint32_t securityType) {
    return securityType == 3 || (securityType >= 5 && securityType <= 8) ||
           (securityType >= 10 && securityType <= 17);
}

bool allowsBand(uint32_t wirelessMode, Band band) {
    switch (wirelessMode) {
        case 255:
            return true;
        case 2:
            return band == Band::A;
        case 1:
            return band == Band::B || band == Band::G;  // 802.11g also serves 802.11b
        case 0:
            return band == Band::G;
        default:
            return false;
    }
}

bool openAuthentication(uint32_t authMode) {
    return authMode == zel::AuthOpen || authMode == zel::AuthAutoSwitch;
}

bool allowsWepAuth(WepAuth wanted, uint32_t authMode) {
    if (authMode == zel::AuthAutoSwitch) return true;
    switch (wanted) {
        case WepAuth::Open:
            return authMode == zel::AuthOpen;
        case WepAuth::Shared:
            return authMode == zel::AuthShared;
        case WepAuth::Either:
            return authMode == zel::AuthOpen || authMode == zel::AuthShared;
    }
    return false;
}

// The card sends with its transmit key and must read what the network sends with its own.
bool keysFit(const Network& n, const Programming& card) {
    const uint32_t mine = card.transmitKey;
    if (mine < 1 || mine > 4 || card.wepKeys[mine - 1].empty()) return false;
    return card.wepKeys[mine - 1] == n.wepKeys[mine - 1] &&
           card.wepKeys[n.wepTransmitKey - 1] == n.wepKeys[n.wepTransmitKey - 1];
}

Refusal checkIdentity(const Network& n, const Programming& card) {
    if (!card.identity) return Refusal::Credential;
    const Identity& id = *card.identity;
    if (!(n.eapMethods & id.method)) return Refusal::EapMethod;
    if (id.method == EapTls) {
        const bool known =
            std::any_of(n.certificates.begin(), n.certificates.end(), [&id](const Certificate& c) {
                return c.hash == id.certificateHash &&
                       (c.login.empty() || sameIgnoringCase(c.login, id.login));
            });
        return known ? Refusal::None : Refusal::Credential;
    }
    const bool known = std::any_of(n.users.begin(), n.users.end(), [&id](const Credential& user) {
        return sameIgnoringCase(user.login, id.login) && user.password == id.password &&
               (user.domain.empty() || sameIgnoringCase(user.domain, id.domain));
    });
    return known ? Refusal::None : Refusal::Credential;
}

uint32_t cipherStatus(Cipher cipher) {
    return cipher == Cipher::Aes ? zel::AesEnabled : zel::TkipEnabled;
}

}  // namespace

bool sameCredentials(const Programming& a, const Programming& b) {
    const auto identity = [](const std::optional<Identity>& i) {
        return i ? std::make_tuple(true, i->method, i->login, i->domain, i->password, i->anonymous,
                                   i->certificateHash)
                 : std::make_tuple(false, EapMethod{}, std::string(), std::string(), std::string(),
                                   std::string(), CertificateHash{});
    };
    return a.authMode == b.authMode && a.wepStatus == b.wepStatus && a.ccx == b.ccx &&
           a.wepKeys == b.wepKeys && a.transmitKey == b.transmitKey &&
           a.wpaSecurityType == b.wpaSecurityType && a.psk == b.psk && a.pskSsid == b.pskSsid &&
           identity(a.identity) == identity(b.identity);
}

Refusal admission(const Network& n, const Programming& card) {
    if (card.networkMode != 2 && (card.networkMode == 0) != n.adHoc) return Refusal::NetworkType;
    if (!allowsBand(n.adHoc ? card.adHocWlanMode : card.wlanMode, n.band))
        return Refusal::WirelessMode;
    if ((n.security == Security::Open) != (card.wepStatus == zel::WepDisabled))
        return Refusal::Privacy;
    switch (n.security) {
        case Security::Open:
            return openAuthentication(card.authMode) ? Refusal::None : Refusal::Authentication;
        case Security::Wep:
            if (card.wepStatus != zel::WepEnabled) return Refusal::Cipher;
            if (!allowsWepAuth(n.wepAuth, card.authMode)) return Refusal::Authentication;
            return keysFit(n, card) ? Refusal::None : Refusal::WepKey;
        case Security::Dot1x:
            if (card.wepStatus != zel::WepEnabled) return Refusal::Cipher;
            if (!openAuthentication(card.authMode) ||
                !(card.ccx || usesDot1x(card.wpaSecurityType))) {
                return Refusal::Authentication;
            }
            return checkIdentity(n, card);
        case Security::WpaPsk:
        case Security::Wpa2Psk: {
            if (card.wepStatus != cipherStatus(n.cipher)) return Refusal::Cipher;
            const uint32_t wanted =
                n.security == Security::WpaPsk ? zel::AuthWpaPsk : zel::AuthWpa2Psk;
            if (card.authMode != wanted) return Refusal::Authentication;
            // The key is derived from the passphrase and the SSID together.
            return card.psk == n.passphrase && card.pskSsid == n.ssid ? Refusal::None
                                                                      : Refusal::Passphrase;
        }
        case Security::WpaEap:
        case Security::Wpa2Eap: {
            if (card.wepStatus != cipherStatus(n.cipher)) return Refusal::Cipher;
            const uint32_t wanted = n.security == Security::WpaEap ? zel::AuthWpa : zel::AuthWpa2;
            if (card.authMode != wanted && !(card.authMode == zel::AuthOpen && card.ccx)) {
                return Refusal::Authentication;
            }
            return checkIdentity(n, card);
        }
    }
    return Refusal::Authentication;
}

const char* describe(Refusal refusal) {
    switch (refusal) {
        case Refusal::None:
            return "admitted";
        case Refusal::NetworkType:
            return "network type does not match";
        case Refusal::WirelessMode:
            return "wireless mode excludes the band";
        case Refusal::Privacy:
            return "encryption on/off does not match";
        case Refusal::Authentication:
            return "authentication mode does not match";
        case Refusal::Cipher:
            return "cipher does not match";
        case Refusal::WepKey:
            return "wrong WEP key";
        case Refusal::Passphrase:
            return "wrong passphrase";
        case Refusal::EapMethod:
            return "802.1X method not accepted";
        case Refusal::Credential:
            return "802.1X credentials refused";
    }
    return "refused";
}

}  // namespace sim
