// The connection state block: what the card last reported about its link, rebuilt from
// the adapter control library on every library event, at adapter open and close, after
// a refused SSID and by the Auto Link detection.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

#include "adapter/ScanList.h"
#include "adapter/ZelApi.h"
#include "profiles/ConnectEngine.h"

// The states of the tray icon.
enum class TrayState {
    CardUnplugged = 0,
    Connected = 1,
    NoConnection = 2,
    Scanning = 3,  // auto configuration at work: only the balloon changes
};

// Where tray states are shown.
class TrayDisplay {
public:
    virtual ~TrayDisplay() = default;
    // Called on the window thread and on the worker thread; from the worker thread it
    // must hand the state to the window thread without waiting for it.
    virtual void showTrayState(TrayState state) = 0;
};

struct ConnectionState {
    bool connected = false;
    // The card runs an Ad-Hoc network (network mode 0) with a non-empty SSID.
    bool adHocActive = false;
    std::string currentSsid;  // at most 32 bytes
    scan::Bssid currentBssid{};
    uint32_t currentNetworkMode = 0;
    uint32_t currentWepStatus = 0;
    uint32_t currentChannel = 0;
    uint32_t currentFrequency = 0;  // MHz
    uint32_t currentWirelessMode = 0;
    uint32_t currentAuthMode = 0;
    // The opened card's region and channel range, kept by every refresh.
    uint32_t regionCode = 0;
    uint32_t firstChannel = 0;
    uint32_t lastChannel = 0;

    LinkView link() const { return {connected, adHocActive, currentSsid, currentNetworkMode}; }
};

// Keeps the block. Its lock is the one that guards the profile list and the profile in
// use; no library call or tray update happens while it is held.
class ConnectionMonitor {
public:
    ConnectionMonitor(const ZelApi& api, std::mutex& lock, TrayDisplay& tray);

    // Rebuilds the block from the card at `adapter` (null while no card is open), the
    // card having answered ZelGetConnectStatus with `connected`, and shows the tray
    // state of the result: "Card Unplugged" without a card, else "Connected" or
    // "No Connection". An all-zero BSSID means no link, whatever `connected` said.
    LinkView refresh(ZelHandle adapter, bool connected);

    // Copies of the block, taken under the lock.
    ConnectionState state() const;
    LinkView link() const;

    // currentWepStatus as pages read it: while it says a key is absent, the card is
    // asked again each time and its answer kept.
    uint32_t currentWepStatus(ZelHandle adapter);

    // The region and channel range of the card just opened.
    void setRegion(uint32_t regionCode, uint32_t firstChannel, uint32_t lastChannel);

private:
    // What the card reports, without the region and channel range.
    ConnectionState query(ZelHandle adapter, bool connected) const;

    const ZelApi& api_;
    std::mutex& lock_;
    TrayDisplay& tray_;
    ConnectionState state_;
};
