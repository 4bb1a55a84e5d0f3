// The profile record: one saved wireless configuration, a flat 792-byte structure that
// the profile file stores byte for byte. Its layout is part of the file format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "adapter/ZelTypes.h"

#if !defined(__BYTE_ORDER__) || __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "The profile record is stored in little-endian byte order"
#endif

// Values of Profile::networkType.
enum NetworkType : uint32_t {
    NetworkAdHoc = 0,
    NetworkInfrastructure = 1,
};

// Values of Profile::wirelessMode and Profile::adHocWirelessMode; 0 to 2 are also the
// driver's band codes of a scan record.
enum WirelessMode : uint32_t {
    Wireless80211g = 0,
    Wireless80211b = 1,
    Wireless80211a = 2,
    WirelessAuto = 255,
};

// One WEP key slot: the key length in bytes (0 unset, 5 for 40 bits, 13 for 104 bits)
// and the key bytes, zero-filled.
struct WepKey {
    uint32_t length;
    uint8_t key[32];
};
static_assert(sizeof(WepKey) == 36, "WEP key slot size");

constexpr size_t kNameSize = 40;
constexpr size_t kSsidSize = 33;
constexpr size_t kPskSize = 128;
constexpr size_t kCredentialSize = 40;
constexpr size_t kCertHashSize = 20;

// All integers are unsigned 32-bit, all texts zero-terminated and zero-padded.
struct Profile {
    char name[kNameSize];  // unique in the list; names the profile to the library
    char ssid[kSsidSize];  // "<ANY SSID>": join the strongest open network
    uint8_t hiddenSsid;    // passed unchanged as the last argument of ZelSetSsid
    uint8_t adHocWirelessMode;
    uint8_t reserved1[5];
    uint32_t networkType;
    uint32_t wirelessMode;  // infrastructure wireless mode
    uint32_t channel;       // ad-hoc channel; 0 lets the card choose
    uint32_t encryption;
    uint32_t securityType;
    uint32_t txKeyIndex;  // WEP transmit key 1 to 4; 0 = none
    WepKey wepKeys[4];
    uint32_t ipAuto;  // the four IP fields are carried only, never applied
    uint32_t ipAddress;
    uint32_t subnetMask;
    uint32_t gateway;
    uint32_t useDefaultRadio;  // non-zero: leave power, preamble, rate, thresholds to the card
    uint32_t powerMode;        // 0 Continuous Access, 1 Max Power Save
    uint32_t preamble;         // 1 Auto, 2 Short, 3 Long
    uint32_t dataRate;         // 255 automatic, else units of 500 kbit/s
    uint32_t fragThreshold;
    uint32_t rtsThreshold;
    uint32_t preferred;  // 1: on the auto configuration prefer list
    char psk[kPskSize];
    uint32_t reserved2;
    uint32_t pskLength;
    uint32_t reserved3;
    char loginName[kCredentialSize];
    char password[kCredentialSize];
    char domain[kCredentialSize];
    char certIssuerName[kCredentialSize];
    uint8_t reserved4[120];
    uint8_t certHash[kCertHashSize];  // SHA-1 thumbprint of the EAP/TLS client certificate
    uint8_t reserved5[20];
    char anonymousName[kCredentialSize];  // TTLS outer identity
};

static_assert(sizeof(Profile) == 792, "profile record size");
static_assert(offsetof(Profile, name) == 0);
static_assert(offsetof(Profile, ssid) == 40);
static_assert(offsetof(Profile, hiddenSsid) == 73);
static_assert(offsetof(Profile, adHocWirelessMode) == 74);
static_assert(offsetof(Profile, reserved1) == 75);
static_assert(offsetof(Profile, networkType) == 80);
static_assert(offsetof(Profile, wirelessMode) == 84);
static_assert(offsetof(Profile, channel) == 88);
static_assert(offsetof(Profile, encryption) == 92);
static_assert(offsetof(Profile, securityType) == 96);
static_assert(offsetof(Profile, txKeyIndex) == 100);
static_assert(offsetof(Profile, wepKeys) == 104);
static_assert(offsetof(Profile, ipAuto) == 248);
static_assert(offsetof(Profile, ipAddress) == 252);
static_assert(offsetof(Profile, subnetMask) == 256);
static_assert(offsetof(Profile, gateway) == 260);
static_assert(offsetof(Profile, useDefaultRadio) == 264);
static_assert(offsetof(Profile, powerMode) == 268);
static_assert(offsetof(Profile, preamble) == 272);
static_assert(offsetof(Profile, dataRate) == 276);
static_assert(offsetof(Profile, fragThreshold) == 280);
static_assert(offsetof(Profile, rtsThreshold) == 284);
static_assert(offsetof(Profile, preferred) == 288);
static_assert(offsetof(Profile, psk) == 292);
static_assert(offsetof(Profile, reserved2) == 420);
static_assert(offsetof(Profile, pskLength) == 424);
static_assert(offsetof(Profile, reserved3) == 428);
static_assert(offsetof(Profile, loginName) == 432);
static_assert(offsetof(Profile, password) == 472);
static_assert(offsetof(Profile, domain) == 512);
static_assert(offsetof(Profile, certIssuerName) == 552);
static_assert(offsetof(Profile, reserved4) == 592);
static_assert(offsetof(Profile, certHash) == 712);
static_assert(offsetof(Profile, reserved5) == 732);
static_assert(offsetof(Profile, anonymousName) == 752);

// The transmit key index and the four key slots, copied as one unit between the
// profile, the security page and the WEP key dialog (the 148 bytes from txKeyIndex).
struct WepBlock {
    uint32_t txKeyIndex;
    WepKey wepKeys[4];
};
static_assert(sizeof(WepBlock) == 148, "WEP block size");

WepBlock wepBlockOf(const Profile& profile);
void setWepBlock(Profile& profile, const WepBlock& block);

// Names and SSID with a meaning of their own.
constexpr std::string_view kDefaultProfileName = "<Default>";
constexpr std::string_view kSiteSurveyProfileName = "<Site Survey>";
constexpr std::string_view kAnySsid = "<ANY SSID>";

// The longest passphrase: psk keeps a terminating zero.
constexpr uint32_t kMaxPskLength = kPskSize - 1;

// The text of a fixed-width field: its bytes up to the first zero or the field's end.
template <size_t N>
std::string fieldText(const char (&field)[N]) {
    size_t length = 0;
    while (length < N && field[length] != '\0') ++length;
    return std::string(field, length);
}

// Stores text into a fixed-width field: cut to N - 1 bytes, the rest zero-filled.
template <size_t N>
void setFieldText(char (&field)[N], std::string_view text) {
    const size_t length = text.size() < N ? text.size() : N - 1;
    for (size_t i = 0; i < N; ++i) field[i] = i < length ? text[i] : '\0';
}

bool isInfrastructure(const Profile& profile);
// On the auto configuration prefer list: any value of `preferred` but 0, as the Profile
// Manager's check box shows it.
bool isPreferred(const Profile& profile);
bool isDefaultProfile(const Profile& profile);
bool isAnySsid(const Profile& profile);
// The profile takes whatever network the card finds: its SSID is "<ANY SSID>", or the word
// "any" in any case.
bool joinsAnyNetwork(const Profile& profile);

// A record with every byte zero.
Profile blankProfile();
// The "<Default>" profile with its creation values.
Profile makeDefaultProfile();

// Forces every text field to end within its field and bounds the passphrase length,
// so a record from a file or a page can be handed to the library safely.
void terminateTextFields(Profile& profile);
