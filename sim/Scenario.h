// The world of the simulated card as the scenario file describes it: the card itself and
// the networks in its range. The format is documented in SCENARIO.md.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/CardSettings.h"

namespace sim {

using MacAddress = std::array<uint8_t, 6>;
using CertificateHash = std::array<uint8_t, 20>;

// The driver's band codes, as the scan list carries them.
enum class Band : uint32_t { G = 0, B = 1, A = 2 };

enum class Security {
    Open,
    Wep,    // static keys
    Dot1x,  // 802.1X with keys from the authentication server (dynamic WEP)
    WpaPsk,
    Wpa2Psk,
    WpaEap,   // WPA with 802.1X
    Wpa2Eap,  // WPA2 with 802.1X
};

enum class Cipher { Tkip, Aes };
enum class WepAuth { Open, Shared, Either };
enum class RadioSwitch { On, Off, Absent };
enum class RegisterBank { Rf, Baseband, Mac };

// 802.1X methods, combined as a bit set.
enum EapMethod : uint32_t { EapLeap = 1, EapPeap = 2, EapTtls = 4, EapTls = 8 };

// The Auto Link element's state flags: bit 0 not configured, bit 1 configured, bit 2
// listed as configured with nothing to do.
enum class AutoLinkState : uint8_t { None = 0, Unconfigured = 1, Configured = 2, Listed = 4 };
enum class AutoLinkOutcome { Success, Failure, AssociationFailure };

// A login that the authentication server accepts; an empty domain accepts any domain.
struct Credential {
    std::string login;
    std::string password;
    std::string domain;
};

// A client certificate that the server accepts; an empty login accepts any login.
struct Certificate {
    CertificateHash hash{};
    std::string login;
};

struct Network {
    int line = 0;  // where the scenario file describes it
    std::string ssid;
    bool hidden = false;
    MacAddress bssid{};
    uint32_t channel = 0;
    Band band = Band::G;
    std::vector<uint8_t> rates;  // rate codes, bit 7 = basic rate
    int32_t rssi = -60;          // dBm
    int32_t drift = 0;           // dBm either side of rssi
    uint32_t driftPeriodMs = 20000;
    bool adHoc = false;

    Security security = Security::Open;
    WepAuth wepAuth = WepAuth::Open;
    std::array<std::vector<uint8_t>, 4> wepKeys;  // slots 1 to 4
    uint32_t wepTransmitKey = 0;                  // slot the network sends with
    Cipher cipher = Cipher::Tkip;
    std::string passphrase;
    uint32_t eapMethods = 0;
    std::vector<Credential> users;
    std::vector<Certificate> certificates;

    AutoLinkState autoLink = AutoLinkState::None;
    uint8_t autoLinkTag = 0;
    AutoLinkOutcome autoLinkOutcome = AutoLinkOutcome::Success;
    std::string autoLinkSsid;  // the SSID the access point reports after a setup
};

struct RegisterValue {
    RegisterBank bank;
    uint32_t index;
    uint32_t value;
};

struct CardDescription {
    bool present = true;
    MacAddress mac{};
    uint32_t region = 0x10;
    uint32_t chipVersion = 0;
    uint32_t firmwareVersion = 0;  // four bytes, most significant first
    std::string driverVersion;
    std::string driverDate;
    std::string description;
    RadioSwitch radio = RadioSwitch::On;
    bool zeroConfig = false;
    bool dhcp = true;
    std::string instanceId;
    std::string hardwareId;
    uint32_t devnode = 0;
    uint32_t associationDelayMs = 1500;
    uint32_t exchangeStepMs = 300;
    // Power-on values that differ from the card's own.
    std::array<std::optional<uint32_t>, kSettingCount> settings{};
    std::vector<RegisterValue> registers;
};

struct Scenario {
    CardDescription card;
    std::vector<Network> networks;
};

struct ScenarioError {
    int line;
    std::string message;
};

// Reads a scenario file's text. Returns nothing when the text has errors; `errors` then
// lists every one found, with its line.
std::optional<Scenario> parseScenario(std::string_view text, std::vector<ScenarioError>& errors);

}  // namespace sim
