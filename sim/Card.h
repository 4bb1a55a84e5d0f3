// The simulated card: one wireless card in the small radio world of a scenario. It keeps
// what the library programs into it, scans, associates when a network admits it, loses
// and regains links as the world changes, counts frames while associated and runs the
// Auto Link exchange. Time passes only through advanceTo(), so the library drives it
// from the real clock and tests from a clock of their own. Not thread-safe: the library
// serialises every call.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "adapter/ZelTypes.h"
#include "sim/Admission.h"
#include "sim/CardSettings.h"
#include "sim/Registry.h"
#include "sim/ScanList.h"
#include "sim/Scenario.h"

namespace sim {

// A device broadcast the system sends when the card comes or goes.
struct DeviceChange {
    bool arrival;
    std::string hardwareId;
    uint32_t devnode;
};

// What the card has to tell since it was last asked, in order.
struct Outbox {
    std::vector<uint32_t> events;  // codes of the library's event message
    std::vector<DeviceChange> deviceChanges;
    std::vector<std::string> notes;  // for a person watching: refused associations, exchanges
};

class Card {
public:
    // Driver registry key of the card, under HKEY_LOCAL_MACHINE.
    static constexpr const char* kDriverKey =
        "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";
    // Zero Configuration's key of every interface, followed by the interface's instance id.
    static constexpr const char* kZeroConfigKey =
        "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\";
    // Bit of "ControlFlags" under that key: Zero Configuration controls the interface.
    static constexpr uint32_t kZeroConfigControl = 0x8000;

    explicit Card(Registry& registry);

    // A new world: the first scenario, or a changed one. Plugging, unplugging, the radio
    // switch and Zero Configuration take effect as changes against the scenario before.
    void load(const Scenario& scenario, uint64_t nowMs);
    void advanceTo(uint64_t nowMs);
    // The card's time of its next step of its own (an association, an exchange step);
    // the largest value when none is coming.
    uint64_t nextDue() const;
    Outbox takeOutbox();

    // Presence and identity.
    bool present() const { return present_; }
    uint32_t generation() const { return generation_; }  // grows with every plug-in
    const CardDescription& description() const { return world_.card; }
    bool zeroConfig() const { return zeroConfig_; }

    // Query/set pairs. Values the card does not take are refused and change nothing.
    uint32_t setting(Setting setting) const;
    bool set(Setting setting, uint32_t value);
    uint32_t region() const { return region_; }
    bool setRegion(uint32_t code);
    uint32_t radioControl() const;  // 1 on, 0 off, 2 a card without a radio switch
    bool setRadio(uint32_t on);
    // Slots 1 to 4; an empty key clears the slot.
    bool setWepKey(uint32_t slot, const std::vector<uint8_t>& key, bool transmit);
    const std::vector<uint8_t>* wepKey(uint32_t slot) const;
    void setWpaInformation(uint32_t securityType, const std::string& psk, const std::string& ssid);
    bool setCcx(uint32_t value);
    void setIdentity(const Identity& identity);
    void portDown();
    bool setPreferredBssid(const MacAddress& bssid);
    const std::string& profileInUse() const { return profileInUse_; }
    void setProfileInUse(const std::string& name) { profileInUse_ = name; }
    bool setGuiMonitorMode(uint32_t mode);

    // Connection. setSsid returns 0 when the card takes the request (it associates after
    // the association delay if a network admits it), 1 when it refuses it and 4 when it is
    // already associated with that SSID with the credentials programmed now; programmed
    // with other credentials it joins again.
    int32_t setSsid(const std::string& ssid);
    bool associated() const;
    std::string currentSsid() const;
    MacAddress currentBssid() const;
    uint32_t currentChannel() const;
    uint32_t currentWlanMode() const;
    // NDIS encryption status, with 2, 5 or 7 while the key it needs is absent.
    uint32_t reportedWepStatus() const;
    std::optional<int32_t> rssi() const;
    std::optional<uint32_t> linkSpeed() const;  // in units of 100 bit/s

    // Scans replace the scan list; they return false while the radio is off.
    bool scan();
    bool scanForSsid(const std::string& ssid, const std::vector<uint8_t>& channels);
    bool scanForBssid(const MacAddress& bssid);
    const std::vector<HeardNetwork>& scanList() const { return scanList_; }

    NDIS_802_11_STATISTICS statistics() const;
    ZEL_BEACON_STATS beaconStatistics() const;
    ZEL_RSSI_STATS rssiStatistics() const;
    void resetStatistics();

    // RF and baseband registers are 8 bits wide with indexes to 0xFF, MAC registers 32
    // bits with indexes to 0xFFFF. Baseband register 0 selects the page (0 or 0x80) that
    // indexes address by their low 7 bits.
    std::optional<uint32_t> readRegister(RegisterBank bank, uint32_t index) const;
    bool writeRegister(RegisterBank bank, uint32_t index, uint32_t value);

    // Writes a registry number; Zero Configuration's flag for this card changes whether
    // Zero Configuration holds the card.
    bool setRegistryNumber(const std::string& key, const std::string& name, uint32_t value);

    // Auto Link.
    bool setSetupSecurity(const TSRA_BRISKSETUP_SEC_INFO& info);
    bool requestSetup(const TSRA_BRISKSETUP_SETUP_REQ& request);
    const std::optional<std::string>& setupSsid() const { return setupSsid_; }

    void radarDetected();

private:
    enum class LinkState { Idle, Joining, Associated, Lost, OwnAdHoc };
    struct Link {
        LinkState state = LinkState::Idle;
        std::string ssid;
        MacAddress bssid{};
        uint32_t channel = 0;
        uint64_t due = 0;         // Joining: when the attempt is made
        Programming credentials;  // what the card presented when the link was made
    };
    struct Exchange {
        std::vector<uint32_t> steps;
        size_t next = 0;
        uint64_t due = 0;
        MacAddress bssid{};
        std::string pin;
    };
    // An access point set up through Auto Link keeps its new settings across reloads.
    struct SetUp {
        std::string ssid;
        std::string passphrase;
    };
    enum Counter {
        TxUnicast,
        TxMulticast,
        TxFailed,
        TxRetry,
        TxMultipleRetry,
        RtsSuccess,
        RtsFailure,
        AckFailure,
        RxDuplicate,
        RxUnicast,
        RxMulticast,
        FcsError,
        BeaconReceived,
        BeaconLost,
        CounterCount
    };

    void powerOn();
    void powerOnRegisters();
    void unplug(const CardDescription& leaving);
    void writeDriverRegistry();
    void writeZeroConfigFlag();
    void applySetUps();

    bool radioOn() const;
    bool channelUsable(uint32_t channel) const;
    int32_t signalOf(const Network& network) const;
    bool heard(const Network& network) const;
    bool reachable(const Network& network) const;
    const Network* findNetwork(const MacAddress& bssid) const;
    const Network* bestNetwork(const std::string& ssid, bool notes);
    Programming programming() const;

    void runDue();
    void attemptJoin();
    void supervise(bool worldChanged);
    void associateWith(const Network& network, uint32_t event);
    void startOwnAdHoc();
    void leave(uint32_t event, LinkState next);
    void runExchangeStep();
    void grow(uint64_t ms);
    void post(uint32_t event) { outbox_.events.push_back(event); }
    void note(std::string text) { outbox_.notes.push_back(std::move(text)); }
    bool takeScan(const std::vector<const Network*>& networks, const std::string& revealed);

    Registry& registry_;
    Scenario world_;
    bool loaded_ = false;
    uint64_t clock_ = 0;
    Outbox outbox_;

    bool present_ = false;
    uint32_t generation_ = 0;
    bool zeroConfig_ = false;
    bool radioSoftware_ = true;
    uint32_t region_ = 0x10;
    SettingValues settings_{};
    std::array<std::vector<uint8_t>, 4> wepKeys_;
    uint32_t transmitKey_ = 0;
    bool ccx_ = false;
    uint32_t wpaSecurityType_ = 0;
    std::string psk_;
    std::string pskSsid_;
    std::optional<Identity> identity_;
    std::optional<MacAddress> preferredBssid_;
    std::string profileInUse_;
    uint32_t guiMonitorMode_ = 0;

    Link link_;
    std::vector<HeardNetwork> scanList_;
    std::map<uint32_t, uint64_t> radarBlockedUntil_;

    std::array<uint64_t, CounterCount> counters_{};
    std::array<uint64_t, CounterCount> counterRemainders_{};
    std::array<uint32_t, 4> rssiBuckets_{};

    std::array<uint8_t, 256> rf_{};
    std::array<std::array<uint8_t, 128>, 2> baseband_{};
    uint32_t basebandPage_ = 0;
    std::map<uint32_t, uint32_t> mac_;

    std::optional<TSRA_BRISKSETUP_SEC_INFO> setupSecurity_;
    std::optional<Exchange> exchange_;
    std::optional<std::string> setupSsid_;
    std::map<MacAddress, SetUp> setUps_;
};

}  // namespace sim
