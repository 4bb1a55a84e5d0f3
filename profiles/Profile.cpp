#include "profiles/Profile.h"

#include <algorithm>
#include <cctype>
#include <cstring>

WepBlock wepBlockOf(const Profile& profile) {
    WepBlock block;
    block.txKeyIndex = profile.txKeyIndex;
    std::copy(std::begin(profile.wepKeys), std::end(profile.wepKeys), std::begin(block.wepKeys));
    return block;
}

void setWepBlock(Profile& profile, const WepBlock& block) {
    profile.txKeyIndex = block.txKeyIndex;
    std::copy(std::begin(block.wepKeys), std::end(block.wepKeys), std::begin(profile.wepKeys));
}

bool isInfrastructure(const Profile& profile) {
    return profile.networkType == NetworkInfrastructure;
}

bool isPreferred(const Profile& profile) { return profile.preferred != 0; }

bool isDefaultProfile(const Profile& profile) {
    return fieldText(profile.name) == kDefaultProfileName;
}

bool isAnySsid(const Profile& profile) { return fieldText(profile.ssid) == kAnySsid; }

bool joinsAnyNetwork(const Profile& profile) {
    const std::string ssid = fieldText(profile.ssid);
    return ssid == kAnySsid ||
           (ssid.size() == 3 && std::equal(ssid.begin(), ssid.end(), "any", [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == b;
            }));
}

Profile blankProfile() {
    Profile profile;
    std::memset(&profile, 0, sizeof profile);
    return profile;
}

Profile makeDefaultProfile() {
    Profile profile = blankProfile();
    setFieldText(profile.name, kDefaultProfileName);
    setFieldText(profile.ssid, kAnySsid);
    profile.networkType = NetworkInfrastructure;
    profile.wirelessMode = WirelessAuto;
    profile.channel = 0;
    profile.encryption = EncryptionOff;
    profile.securityType = SecurityOpenSystem;
    profile.ipAuto = 0;
    profile.useDefaultRadio = 1;
    profile.powerMode = 0;
    profile.preamble = 1;
    profile.dataRate = 255;
    profile.fragThreshold = 2346;
    profile.rtsThreshold = 2347;
    profile.preferred = 1;
    return profile;
}

namespace {

template <size_t N>
void terminate(char (&field)[N]) {
    field[N - 1] = '\0';
}

}  // namespace

void terminateTextFields(Profile& profile) {
    terminate(profile.name);
    terminate(profile.ssid);
    terminate(profile.psk);
    terminate(profile.loginName);
    terminate(profile.password);
    terminate(profile.domain);
    terminate(profile.certIssuerName);
    terminate(profile.anonymousName);
    profile.pskLength = std::min(profile.pskLength, kMaxPskLength);
}
