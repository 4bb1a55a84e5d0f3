#include "profiles/ConnectEngine.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "adapter/ScanList.h"
#include "adapter/ZelShared.h"

namespace {

// At most this many open networks are considered by the open-network join.
constexpr size_t kMaxJoinCandidates = 20;

bool isCcx(uint32_t securityType) {
    return securityType == SecurityCcxLeap || securityType == SecurityCcxPeap;
}

// The authentication mode for a security type; open for anything unknown.
uint32_t authModeFor(const Profile& profile) {
    const uint32_t encryption = profile.encryption;
    switch (profile.securityType) {
        case SecuritySharedKey:
            return zel::AuthShared;
        case SecurityWpaPsk:
            return zel::AuthWpaPsk;
        case SecurityAutoSwitch:
            return zel::AuthAutoSwitch;
        case SecurityWpa2Psk:
            return zel::AuthWpa2Psk;
        case SecurityWpaLeap:
        case SecurityWpa2Leap:
            if (encryption == EncryptionTkip) return zel::AuthWpa;
            if (encryption == EncryptionAes) return zel::AuthWpa2;
            return zel::AuthOpen;
        case SecurityWpaTls:
        case Security8021xTls:
        case SecurityWpaPeap:
        case Security8021xPeap:
        case SecurityWpaTtls:
        case Security8021xTtls:
            return encryption == EncryptionWep ? zel::AuthOpen : zel::AuthWpa;
        case SecurityWpa2Tls:
        case SecurityWpa2Peap:
        case SecurityWpa2Ttls:
            return encryption == EncryptionWep ? zel::AuthOpen : zel::AuthWpa2;
        default:
            return zel::AuthOpen;
    }
}

// Hands the 802.1x credentials of the profile's method to the library.
void createIdentity(const ZelApi& api, const Profile& p) {
    switch (p.securityType) {
        case SecurityWpaLeap:
        case SecurityWpa2Leap:
        case SecurityCcxLeap:
            api.ZelWPACreateIdentityLEAP(p.loginName, p.domain, p.password);
            break;
        case SecurityWpaTls:
        case Security8021xTls:
        case SecurityWpa2Tls:
            api.ZelWPACreateIdentityTLS(p.loginName, p.certHash);
            break;
        case SecurityWpaPeap:
        case Security8021xPeap:
        case SecurityWpa2Peap:
        case SecurityCcxPeap:
            api.ZelWPACreateIdentityPEAP(p.loginName, p.domain, p.password);
            break;
        case SecurityWpaTtls:
        case Security8021xTtls:
        case SecurityWpa2Ttls:
            api.ZelWPACreateIdentityTtls(p.loginName, p.domain, p.password, p.anonymousName);
            break;
        default:
            break;
    }
}

// Security types whose WEP keys are programmed.
bool usesWepKeys(uint32_t securityType) {
    return securityType == SecurityOpenSystem || securityType == SecuritySharedKey ||
           securityType == SecurityAutoSwitch;
}

// Moves each 802.11g network that stands directly behind 802.11b networks ahead of
// that whole run, in one pass.
void preferG(std::vector<scan::Entry>& networks) {
    for (size_t i = 1; i < networks.size(); ++i) {
        if (networks[i].driverBand() != scan::Band80211g ||
            networks[i - 1].driverBand() != scan::Band80211b) {
            continue;
        }
        size_t runStart = i - 1;
        while (runStart > 0 && networks[runStart - 1].driverBand() == scan::Band80211b) --runStart;
        std::rotate(networks.begin() + static_cast<std::ptrdiff_t>(runStart),
                    networks.begin() + static_cast<std::ptrdiff_t>(i),
                    networks.begin() + static_cast<std::ptrdiff_t>(i + 1));
    }
}

}  // namespace

bool connectSucceeded(int result, const Profile& profile, const LinkView& link) {
    if (result == kConnectAccepted) return true;
    return result == zel::kSetSsidAlreadyAssociated && (link.connected || link.adHocActive) &&
           link.ssid == fieldText(profile.ssid) && link.networkMode == profile.networkType;
}

ConnectEngine::ConnectEngine(const ZelApi& api, ConnectHost& host, TickCount tickCount)
    : api_(api), host_(host), tickCount_(std::move(tickCount)) {}

int ConnectEngine::connectProfile(const Profile* profile) {
    std::lock_guard<std::mutex> connecting(connecting_);
    if (profile == nullptr) return kConnectNotDone;
    return connect(copyOf(*profile), profile);
}

int ConnectEngine::connectCopy(const Profile& copy, const Profile* original) {
    std::lock_guard<std::mutex> connecting(connecting_);
    return connect(copy, original);
}

void ConnectEngine::markInUse(const Profile* profile) {
    std::lock_guard<std::mutex> connecting(connecting_);
    const ZelHandle adapter = host_.adapter();
    if (profile == nullptr) {
        tellProfileInUse(adapter, " ");
        std::lock_guard<std::mutex> lock(host_.profileLock());
        host_.profiles().markInUse(nullptr);
        return;
    }
    markInUse(adapter, copyOf(*profile), profile);
}

Profile ConnectEngine::copyOf(const Profile& profile) {
    Profile copy;
    {
        std::lock_guard<std::mutex> lock(host_.profileLock());
        copy = profile;
    }
    terminateTextFields(copy);
    return copy;
}

int ConnectEngine::connect(Profile profile, const Profile* original) {
    const ZelHandle adapter = host_.adapter();
    if (adapter == nullptr || !host_.radioOn()) return kConnectNotDone;
    terminateTextFields(profile);
    const bool anySsid = isAnySsid(profile);
    if (!anySsid) {
        const ZEL_SSID_SCAN request = scan::makeSsidScan(fieldText(profile.ssid));
        api_.ZelSsidScan(adapter, &request, profile.networkType);
    }
    markInUse(adapter, profile, original);
    applySecurity(adapter, profile);
    if (anySsid) return joinAnySsid();

    api_.ZelSetNetworkMode(adapter, profile.networkType);
    if (isInfrastructure(profile)) {
        api_.ZelSetWlanMode(adapter, profile.wirelessMode);
    } else {
        api_.ZelSetAdHocWlanMode(adapter, profile.adHocWirelessMode);
        api_.ZelSetChannel(adapter, profile.channel);
    }
    const auto ssidLength = static_cast<uint32_t>(std::strlen(profile.ssid));
    const int result = api_.ZelSetSsid(adapter, profile.ssid, ssidLength, profile.hiddenSsid);
    if (result == kConnectAccepted) {
        applyRadio(adapter, profile);
    } else {
        const LinkView link = host_.refreshConnection(api_.ZelGetConnectStatus(adapter) != 0);
        if (link.connected || link.adHocActive) applyRadio(adapter, profile);
    }
    return result;
}

void ConnectEngine::markInUse(ZelHandle adapter, const Profile& profile, const Profile* original) {
    tellProfileInUse(adapter, profile.name);
    std::lock_guard<std::mutex> lock(host_.profileLock());
    host_.profiles().markInUse(original);
}

void ConnectEngine::tellProfileInUse(ZelHandle adapter, const char* name) {
    if (adapter == nullptr) return;
    api_.ZelSetProfileInUse(adapter, name, static_cast<uint32_t>(std::strlen(name)));
}

void ConnectEngine::applySecurity(ZelHandle adapter, const Profile& profile) {
    applyAuthentication(adapter, profile);
    api_.ZelSetWPAInformation(adapter, profile.networkType, profile.securityType,
                              profile.encryption, profile.psk, profile.ssid);
    switch (profile.encryption) {
        case EncryptionOff:
            api_.ZelSetWepStatus(adapter, zel::WepDisabled);
            break;
        case EncryptionWep:
            api_.ZelSetWepStatus(adapter, zel::WepEnabled);
            if (usesWepKeys(profile.securityType)) programWepKeys(api_, adapter, profile);
            break;
        case EncryptionTkip:
            api_.ZelSetWepStatus(adapter, zel::TkipEnabled);
            break;
        case EncryptionAes:
            api_.ZelSetWepStatus(adapter, zel::AesEnabled);
            break;
        default:
            break;
    }
}

void ConnectEngine::applyAuthentication(ZelHandle adapter, const Profile& profile) {
    // Ad-Hoc profiles take their mode from the same table: their security type is no
    // mode itself (Auto Switch, 4, would mean WPA-PSK to the card).
    api_.ZelSetAuthMode(adapter, authModeFor(profile));
    const bool infrastructure = isInfrastructure(profile);
    api_.ZelSetFswCCXNetworkEap(adapter, infrastructure && isCcx(profile.securityType) ? 1 : 0);
    if (infrastructure) createIdentity(api_, profile);
}

void programWepKeys(const ZelApi& api, ZelHandle adapter, const Profile& profile) {
    const auto program = [&](uint32_t slot, uint32_t transmit) {
        const WepKey& key = profile.wepKeys[slot - 1];
        // A length that does not fit the key field is taken as an unset key.
        const uint32_t length = key.length <= sizeof key.key ? key.length : 0;
        api.ZelSetWepKey(adapter, slot, key.key, length, transmit);
    };
    for (uint32_t slot = 1; slot <= 4; ++slot) program(slot, slot == profile.txKeyIndex ? 1 : 0);
    if (profile.txKeyIndex >= 1 && profile.txKeyIndex <= 4) program(profile.txKeyIndex, 1);
}

void ConnectEngine::applyRadio(ZelHandle adapter, const Profile& profile) {
    if (!isInfrastructure(profile)) api_.ZelSetPowerMode(adapter, 0);
    if (profile.useDefaultRadio != 0) return;
    api_.ZelSetPowerMode(adapter, profile.powerMode);
    api_.ZelSetPreamble(adapter, profile.preamble);
    api_.ZelSetDataRate(adapter, profile.dataRate);
    api_.ZelSetFragThreshold(adapter, profile.fragThreshold);
    api_.ZelSetRTSThreshold(adapter, profile.rtsThreshold);
}

int ConnectEngine::joinAnySsid() {
    const uint32_t start = tickCount_();
    const ZelHandle adapter = host_.adapter();
    if (adapter == nullptr || !host_.radioOn()) return kConnectNotDone;
    std::vector<uint8_t> buffer;
    if (!scan::queryScanList(api_, adapter, buffer)) return kConnectNotDone;

    std::vector<scan::Entry> open;
    for (const scan::Entry entry : scan::ScanList(buffer, scan::Layout::ScanList)) {
        if (open.size() == kMaxJoinCandidates) break;
        if (!entry.isAdHoc() && !entry.privacy() && entry.ssidFits()) open.push_back(entry);
    }
    std::stable_sort(open.begin(), open.end(), [](const scan::Entry& a, const scan::Entry& b) {
        return a.rssi() > b.rssi();
    });
    preferG(open);
    if (open.empty()) return kConnectNotDone;

    api_.ZelSetAuthMode(adapter, zel::AuthOpen);
    api_.ZelSetWepStatus(adapter, zel::WepDisabled);
    api_.ZelSetNetworkMode(adapter, NetworkInfrastructure);
    for (const scan::Entry& network : open) {
        if (static_cast<uint32_t>(tickCount_() - start) > kJoinAnySsidLimitMs) {
            return kConnectNotDone;
        }
        const std::string ssid = network.ssid();
        if (ssid.empty()) continue;
        // The library gets a terminated copy of the record's SSID bytes.
        return api_.ZelSetSsid(adapter, ssid.c_str(), static_cast<uint32_t>(ssid.size()), 0) ==
                       kConnectAccepted
                   ? kConnectAccepted
                   : kConnectNotDone;
    }
    return kConnectNotDone;
}
