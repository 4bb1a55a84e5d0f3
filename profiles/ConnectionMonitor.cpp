#include "profiles/ConnectionMonitor.h"

#include <algorithm>

#include "adapter/ZelShared.h"

namespace {

// The SSID buffer handed to ZelQuerySsid: 32 bytes for the library and one that stays
// zero, so the text ends inside the buffer whatever the library wrote.
constexpr uint32_t kSsidQuerySize = scan::kMaxSsidLength;

// Values of ZelQueryWepStatus that mean a key is still absent.
bool isKeyAbsent(uint32_t wepStatus) {
    return wepStatus == zel::WepKeyAbsent || wepStatus == zel::TkipKeyAbsent ||
           wepStatus == zel::AesKeyAbsent;
}

// The centre frequency of a channel. Channels 1 to 14 are 2.4 GHz channels, whose
// wireless mode the card tells; any other is taken as an 802.11a channel.
struct ChannelBand {
    uint32_t frequencyMhz;
    bool is80211a;
};

ChannelBand channelBand(uint32_t channel) {
    if (channel >= 1 && channel <= 13) return {2407 + 5 * channel, false};
    if (channel == 14) return {2484, false};
    return {5000 + 5 * channel, true};
}

}  // namespace

ConnectionMonitor::ConnectionMonitor(const ZelApi& api, std::mutex& lock, TrayDisplay& tray)
    : api_(api), lock_(lock), tray_(tray) {}

LinkView ConnectionMonitor::refresh(ZelHandle adapter, bool connected) {
    ConnectionState fresh = adapter == nullptr ? ConnectionState{} : query(adapter, connected);
    {
        std::lock_guard<std::mutex> lock(lock_);
        fresh.regionCode = state_.regionCode;
        fresh.firstChannel = state_.firstChannel;
        fresh.lastChannel = state_.lastChannel;
        state_ = fresh;
    }
    if (adapter == nullptr) {
        tray_.showTrayState(TrayState::CardUnplugged);
    } else {
        tray_.showTrayState(fresh.connected ? TrayState::Connected : TrayState::NoConnection);
    }
    return fresh.link();
}

ConnectionState ConnectionMonitor::query(ZelHandle adapter, bool connected) const {
    ConnectionState fresh;
    fresh.connected = connected;
    api_.ZelQueryNetworkMode(adapter, &fresh.currentNetworkMode);
    api_.ZelQueryAuthMode(adapter, &fresh.currentAuthMode);
    api_.ZelQueryWepStatus(adapter, &fresh.currentWepStatus);
    api_.ZelQueryBssid(adapter, fresh.currentBssid.data(),
                       static_cast<uint32_t>(fresh.currentBssid.size()));
    api_.ZelQueryChannel(adapter, &fresh.currentChannel);

    const ChannelBand band = channelBand(fresh.currentChannel);
    fresh.currentFrequency = band.frequencyMhz;
    if (band.is80211a) {
        fresh.currentWirelessMode = Wireless80211a;
    } else {
        api_.ZelQueryWlanMode(adapter, &fresh.currentWirelessMode);
    }

    char ssid[kSsidQuerySize + 1] = {};
    api_.ZelQuerySsid(adapter, ssid, kSsidQuerySize);
    ssid[kSsidQuerySize] = '\0';
    fresh.currentSsid = ssid;

    const bool noBssid = std::all_of(fresh.currentBssid.begin(), fresh.currentBssid.end(),
                                     [](uint8_t byte) { return byte == 0; });
    if (noBssid) return ConnectionState{};
    fresh.adHocActive = fresh.currentNetworkMode == NetworkAdHoc && !fresh.currentSsid.empty();
    return fresh;
}

ConnectionState ConnectionMonitor::state() const {
    std::lock_guard<std::mutex> lock(lock_);
    return state_;
}

LinkView ConnectionMonitor::link() const {
    std::lock_guard<std::mutex> lock(lock_);
    return state_.link();
}

uint32_t ConnectionMonitor::currentWepStatus(ZelHandle adapter) {
    uint32_t status;
    {
        std::lock_guard<std::mutex> lock(lock_);
        status = state_.currentWepStatus;
    }
    uint32_t fresh = status;
    if (!isKeyAbsent(status) || adapter == nullptr ||
        api_.ZelQueryWepStatus(adapter, &fresh) != 0) {
        return status;
    }
    std::lock_guard<std::mutex> lock(lock_);
    // A refresh that came in between has the newer word.
    if (state_.currentWepStatus == status) state_.currentWepStatus = fresh;
    return fresh;
}

void ConnectionMonitor::setRegion(uint32_t regionCode, uint32_t firstChannel,
                                  uint32_t lastChannel) {
    std::lock_guard<std::mutex> lock(lock_);
    state_.regionCode = regionCode;
    state_.firstChannel = firstChannel;
    state_.lastChannel = lastChannel;
}
