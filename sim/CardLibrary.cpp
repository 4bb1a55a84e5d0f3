#include "sim/CardLibrary.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

#include "adapter/ZelShared.h"
#include "sim/ScanList.h"

namespace sim {
namespace {

constexpr int32_t kFailed = 1;
constexpr int32_t kScanLengthFailed = -1;

// Longest texts the library reads from its callers, terminator included: the profile's
// fields, and generous limits for registry names.
constexpr size_t kPskField = 128;
constexpr size_t kSsidField = 33;
constexpr size_t kIdentityField = 40;
constexpr size_t kRegistryPathField = 512;
constexpr size_t kRegistryNameField = 256;
constexpr size_t kMaxSsid = 32;
constexpr size_t kMaxProfileName = 39;
constexpr uint32_t kMaxWepKey = 32;

// A caller's zero-terminated text, read no further than the field it comes from;
// nothing when the pointer is null or the text does not end inside the field.
std::optional<std::string> callerText(const char* text, size_t field) {
    if (!text) return std::nullopt;
    const char* end = std::find(text, text + field, '\0');
    if (end == text + field) return std::nullopt;
    return std::string(text, end);
}

// Copies `text` and its terminator into the caller's buffer. When they do not fit the
// call fails and the buffer holds an empty text.
int32_t copyText(const std::string& text, char* buffer, uint32_t size) {
    if (!buffer || size == 0) return kFailed;
    if (text.size() >= size) {
        buffer[0] = '\0';
        return kFailed;
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return 0;
}

int32_t copyAddress(const MacAddress& address, uint8_t* buffer, uint32_t size) {
    if (!buffer || size < address.size()) return kFailed;
    std::memcpy(buffer, address.data(), address.size());
    return 0;
}

// Handles are the card's plug-in generation in an opaque pointer, so that a handle of a
// card that was unplugged stays invalid when the card comes back.
constexpr uintptr_t kHandleBase = 0x5A10000;

}  // namespace

CardLibrary::CardLibrary(Host& host) : host_(host), card_(host.registry()) {}

// ---- Machinery -------------------------------------------------------------------------

std::vector<DeviceChange> CardLibrary::load(const Scenario& scenario) {
    std::lock_guard<std::mutex> lock(mutex_);
    card_.load(scenario, host_.nowMs());
    deliver();
    return std::exchange(deviceChanges_, {});
}

uint64_t CardLibrary::tick() {
    std::lock_guard<std::mutex> lock(mutex_);
    const uint64_t now = host_.nowMs();
    card_.advanceTo(now);
    deliver();
    const uint64_t due = card_.nextDue();
    return due > now ? due - now : 0;
}

bool CardLibrary::adapterOpen() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return openGeneration_ != 0 && card_.present() && openGeneration_ == card_.generation();
}

ZelWindow CardLibrary::window() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return window_;
}

void CardLibrary::deliver() {
    Outbox out = card_.takeOutbox();
    if (window_) {
        for (uint32_t code : out.events) host_.postEvent(window_, code);
    }
    for (const std::string& text : out.notes) host_.note(text);
    deviceChanges_.insert(deviceChanges_.end(), out.deviceChanges.begin(), out.deviceChanges.end());
}

ZelHandle CardLibrary::openHandle() const {
    return reinterpret_cast<ZelHandle>(kHandleBase + openGeneration_);
}

bool CardLibrary::handleValid(ZelHandle handle) const {
    return handle && openGeneration_ != 0 && card_.present() &&
           openGeneration_ == card_.generation() && handle == openHandle();
}

// Runs `operation` on the card that `handle` opened, with the clock brought up to date;
// `failure` when the handle is not the open card's.
template <class Operation>
int32_t CardLibrary::withCard(ZelHandle handle, int32_t failure, Operation operation) {
    std::lock_guard<std::mutex> lock(mutex_);
    card_.advanceTo(host_.nowMs());
    const uint64_t due = card_.nextDue();
    const int32_t result = handleValid(handle) ? operation(card_) : failure;
    deliver();
    if (card_.nextDue() < due) host_.stepComing();
    return result;
}

// The operations that take no handle.
template <class Operation>
int32_t CardLibrary::withLibrary(Operation operation) {
    std::lock_guard<std::mutex> lock(mutex_);
    card_.advanceTo(host_.nowMs());
    const uint64_t due = card_.nextDue();
    const int32_t result = operation();
    deliver();
    if (card_.nextDue() < due) host_.stepComing();
    return result;
}

template <class Read>
int32_t CardLibrary::query(ZelHandle handle, uint32_t* value, Read read) {
    if (!value) return kFailed;
    return withCard(handle, kFailed, [&](Card& card) {
        *value = read(card);
        return 0;
    });
}

int32_t CardLibrary::setValue(ZelHandle handle, Setting setting, uint32_t value) {
    return withCard(handle, kFailed,
                    [&](Card& card) { return card.set(setting, value) ? 0 : kFailed; });
}

// ---- Opening ---------------------------------------------------------------------------

int32_t CardLibrary::ZelOpenAdapter(ZelHandle* handle) {
    if (!handle) return kFailed;
    return withLibrary([&] {
        *handle = nullptr;
        if (!card_.present()) return kFailed;
        openGeneration_ = card_.generation();
        // Opening the card starts a scan, so the list is never older than the handle.
        if (card_.scanList().empty()) card_.scan();
        *handle = openHandle();
        return 0;
    });
}

int32_t CardLibrary::ZelCloseAdapter(ZelHandle* handle) {
    if (!handle || !*handle) return kFailed;
    return withLibrary([&] {
        if (*handle == openHandle()) openGeneration_ = 0;
        *handle = nullptr;
        return 0;
    });
}

int32_t CardLibrary::ZelInitialize(ZelWindow window) {
    return withLibrary([&] {
        window_ = window;
        return 0;
    });
}

int32_t CardLibrary::ZelSetGUIMonitorMode(ZelHandle h, uint32_t mode) {
    return withCard(h, kFailed,
                    [&](Card& card) { return card.setGuiMonitorMode(mode) ? 0 : kFailed; });
}

int32_t CardLibrary::ZelUnlockPages(ZelHandle h) {
    return withCard(h, kFailed, [](Card&) { return 0; });
}

int32_t CardLibrary::ZelQueryWZCStatusCheck(uint32_t* status) {
    if (!status) return kFailed;
    return withLibrary([&] {
        if (!card_.present()) return kFailed;
        *status = card_.zeroConfig() ? 1 : 0;
        return 0;
    });
}

// ---- Identity --------------------------------------------------------------------------

int32_t CardLibrary::ZelGetMacAddress(ZelHandle h, uint8_t* buffer, uint32_t size) {
    return withCard(h, kFailed,
                    [&](Card& card) { return copyAddress(card.description().mac, buffer, size); });
}

int32_t CardLibrary::ZelQueryDeviceDesc(ZelHandle h, char* buffer, uint32_t size) {
    return withCard(h, kFailed, [&](Card& card) {
        return copyText(card.description().description, buffer, size);
    });
}

int32_t CardLibrary::ZelQueryChipVersion(ZelHandle h, uint32_t* value) {
    return query(h, value, [](Card& card) { return card.description().chipVersion; });
}

int32_t CardLibrary::ZelQueryFirmwareVersion(ZelHandle h, uint32_t* value) {
    return query(h, value, [](Card& card) { return card.description().firmwareVersion; });
}

int32_t CardLibrary::ZelQueryDriverVersion(ZelHandle h, char* buffer, uint32_t size) {
    return withCard(h, kFailed, [&](Card& card) {
        return copyText(card.description().driverVersion, buffer, size);
    });
}

int32_t CardLibrary::ZelQueryDriverDate(ZelHandle h, char* buffer, uint32_t size) {
    return withCard(h, kFailed, [&](Card& card) {
        return copyText(card.description().driverDate, buffer, size);
    });
}

int32_t CardLibrary::ZelQueryRegionCode(ZelHandle h, uint32_t* value) {
    return query(h, value, [](Card& card) { return card.region(); });
}

int32_t CardLibrary::ZelSetRegionCode(ZelHandle h, uint32_t value) {
    return withCard(h, kFailed, [&](Card& card) { return card.setRegion(value) ? 0 : kFailed; });
}

// ---- Connection ------------------------------------------------------------------------

int32_t CardLibrary::ZelGetConnectStatus(ZelHandle h) {
    return withCard(h, 0, [](Card& card) { return card.associated() ? 1 : 0; });
}

int32_t CardLibrary::ZelQueryRssi(ZelHandle h, int32_t* rssi) {
    if (!rssi) return kFailed;
    return withCard(h, kFailed, [&](Card& card) {
        const std::optional<int32_t> value = card.rssi();
        if (!value) return kFailed;
        *rssi = *value;
        return 0;
    });
}

int32_t CardLibrary::ZelQueryLinkSpeed(ZelHandle h, uint32_t* value) {
    if (!value) return kFailed;
    return withCard(h, kFailed, [&](Card& card) {
        const std::optional<uint32_t> speed = card.linkSpeed();
        if (!speed) return kFailed;
        *value = *speed;
        return 0;
    });
}

// The SSID is bytes with a length, up to 32 of them: it fills a 32-byte buffer and is
// terminated only when there is room.
int32_t CardLibrary::ZelQuerySsid(ZelHandle h, char* buffer, uint32_t size) {
    if (!buffer || size == 0) return kFailed;
    return withCard(h, kFailed, [&](Card& card) {
        const std::string ssid = card.currentSsid();
        std::memset(buffer, 0, size);
        std::memcpy(buffer, ssid.data(), std::min<size_t>(ssid.size(), size));
        return 0;
    });
}

int32_t CardLibrary::ZelSetSsid(ZelHandle h, const char* ssid, uint32_t length,
                                uint32_t /*hidden*/) {
    // A network that hides its SSID is found by name all the same: the card asks for it.
    if (!ssid || length == 0 || length > kMaxSsid) return kFailed;
    return withCard(h, kFailed,
                    [&](Card& card) { return card.setSsid(std::string(ssid, length)); });
}

int32_t CardLibrary::ZelQueryBssid(ZelHandle h, uint8_t* buffer, uint32_t size) {
    return withCard(h, kFailed,
                    [&](Card& card) { return copyAddress(card.currentBssid(), buffer, size); });
}

int32_t CardLibrary::ZelSetBssid(ZelHandle h, const uint8_t* bssid, uint32_t size) {
    MacAddress address{};
    if (!bssid || size != address.size()) return kFailed;
    std::memcpy(address.data(), bssid, address.size());
    return withCard(h, kFailed,
                    [&](Card& card) { return card.setPreferredBssid(address) ? 0 : kFailed; });
}

// ---- Modes and radio parameters --------------------------------------------------------

#define SIM_SETTING_PAIR(Name, SettingName)                                                    \
    int32_t CardLibrary::ZelQuery##Name(ZelHandle h, uint32_t* value) {                        \
        return query(h, value, [](Card& card) { return card.setting(Setting::SettingName); }); \
    }                                                                                          \
    int32_t CardLibrary::ZelSet##Name(ZelHandle h, uint32_t value) {                           \
        return setValue(h, Setting::SettingName, value);                                       \
    }
SIM_SETTING_PAIR(NetworkMode, NetworkMode)
SIM_SETTING_PAIR(AdHocWlanMode, AdHocWlanMode)
SIM_SETTING_PAIR(ChannelRange, ChannelRange)
SIM_SETTING_PAIR(AuthMode, AuthMode)
SIM_SETTING_PAIR(PowerMode, PowerMode)
SIM_SETTING_PAIR(Preamble, Preamble)
SIM_SETTING_PAIR(DataRate, DataRate)
SIM_SETTING_PAIR(FragThreshold, FragThreshold)
SIM_SETTING_PAIR(RTSThreshold, RtsThreshold)
SIM_SETTING_PAIR(TxPower, TxPower)
SIM_SETTING_PAIR(TxAntenna, TxAntenna)
SIM_SETTING_PAIR(RxAntenna, RxAntenna)
SIM_SETTING_PAIR(BoostMode, BoostMode)
SIM_SETTING_PAIR(SignalThreshold, SignalThreshold)
SIM_SETTING_PAIR(TxFailThreshold, TxFailThreshold)
#undef SIM_SETTING_PAIR

// While a link stands, the wireless mode, channel and WEP status read back are the link's.
int32_t CardLibrary::ZelQueryWlanMode(ZelHandle h, uint32_t* value) {
    return query(h, value, [](Card& card) { return card.currentWlanMode(); });
}

int32_t CardLibrary::ZelSetWlanMode(ZelHandle h, uint32_t value) {
    return setValue(h, Setting::WlanMode, value);
}

int32_t CardLibrary::ZelQueryChannel(ZelHandle h, uint32_t* value) {
    return query(h, value, [](Card& card) { return card.currentChannel(); });
}

int32_t CardLibrary::ZelSetChannel(ZelHandle h, uint32_t value) {
    return setValue(h, Setting::Channel, value);
}

int32_t CardLibrary::ZelQueryWepStatus(ZelHandle h, uint32_t* value) {
    return query(h, value, [](Card& card) { return card.reportedWepStatus(); });
}

int32_t CardLibrary::ZelSetWepStatus(ZelHandle h, uint32_t value) {
    return setValue(h, Setting::WepStatus, value);
}

int32_t CardLibrary::ZelQueryWepKey(ZelHandle h, uint32_t slot, uint8_t* key, uint32_t size,
                                    uint32_t* length) {
    if (!length) return kFailed;
    return withCard(h, kFailed, [&](Card& card) {
        const std::vector<uint8_t>* stored = card.wepKey(slot);
        if (!stored) return kFailed;
        *length = static_cast<uint32_t>(stored->size());
        if (stored->empty()) return 0;
        if (!key || size < stored->size()) return kFailed;
        std::memcpy(key, stored->data(), stored->size());
        return 0;
    });
}

int32_t CardLibrary::ZelSetWepKey(ZelHandle h, uint32_t slot, const uint8_t* key, uint32_t length,
                                  uint32_t transmit) {
    if (length > kMaxWepKey || (length > 0 && !key)) return kFailed;
    const std::vector<uint8_t> bytes(key, key + (key ? length : 0));
    return withCard(h, kFailed, [&](Card& card) {
        return card.setWepKey(slot, bytes, transmit != 0) ? 0 : kFailed;
    });
}

int32_t CardLibrary::ZelQueryRadioControl(ZelHandle h, uint32_t* value) {
    return query(h, value, [](Card& card) { return card.radioControl(); });
}

int32_t CardLibrary::ZelSetRadioControl(ZelHandle h, uint32_t value) {
    return withCard(h, kFailed, [&](Card& card) { return card.setRadio(value) ? 0 : kFailed; });
}

int32_t CardLibrary::ZelQueryProfileInUse(ZelHandle h, char* buffer, uint32_t size) {
    return withCard(h, kFailed,
                    [&](Card& card) { return copyText(card.profileInUse(), buffer, size); });
}

int32_t CardLibrary::ZelSetProfileInUse(ZelHandle h, const char* name, uint32_t length) {
    if (!name || length > kMaxProfileName) return kFailed;
    const std::string text(name, std::find(name, name + length, '\0'));
    return withCard(h, kFailed, [&](Card& card) {
        card.setProfileInUse(text);
        return 0;
    });
}

// ---- Scanning --------------------------------------------------------------------------

int32_t CardLibrary::ZelScan(ZelHandle h) {
    return withCard(h, kFailed, [](Card& card) { return card.scan() ? 0 : kFailed; });
}

int32_t CardLibrary::ZelSsidScan(ZelHandle h, const ZEL_SSID_SCAN* request, uint32_t networkType) {
    if (!request || request->SsidLength > kMaxSsid || networkType > 2) return kFailed;
    const std::string ssid(request->Ssid, request->Ssid + request->SsidLength);
    const std::vector<uint8_t> channels(std::begin(request->Channels), std::end(request->Channels));
    return withCard(h, kFailed,
                    [&](Card& card) { return card.scanForSsid(ssid, channels) ? 0 : kFailed; });
}

int32_t CardLibrary::ZelBssidScan(ZelHandle h, const uint8_t* bssid, uint32_t size) {
    MacAddress address{};
    if (!bssid || size != address.size()) return kFailed;
    std::memcpy(address.data(), bssid, address.size());
    return withCard(h, kFailed,
                    [&](Card& card) { return card.scanForBssid(address) ? 0 : kFailed; });
}

int32_t CardLibrary::ZelQueryScanList(ZelHandle h, uint8_t* buffer, uint32_t size) {
    if (!buffer || size < 4) return kFailed;
    return withCard(h, kFailed, [&](Card& card) {
        writeScanList(card.scanList(), ScanLayout::Driver, buffer, size);
        return 0;
    });
}

int32_t CardLibrary::ZelQueryScanListLength(ZelHandle h, uint8_t* buffer, uint32_t size,
                                            uint32_t* written) {
    if (!written) return kScanLengthFailed;
    *written = 0;
    if (!buffer || size < 4) return kScanLengthFailed;
    return withCard(h, kScanLengthFailed, [&](Card& card) {
        *written =
            static_cast<uint32_t>(writeScanList(card.scanList(), ScanLayout::Ndis, buffer, size));
        return 0;
    });
}

// ---- Security --------------------------------------------------------------------------

int32_t CardLibrary::ZelSetWPAInformation(ZelHandle h, uint32_t networkType, uint32_t securityType,
                                          uint32_t encryption, const char* psk, const char* ssid) {
    const std::optional<std::string> passphrase = callerText(psk, kPskField);
    const std::optional<std::string> network = callerText(ssid, kSsidField);
    if (!passphrase || !network || networkType > 2 || securityType > 17 || encryption > 3)
        return kFailed;
    return withCard(h, kFailed, [&](Card& card) {
        card.setWpaInformation(securityType, *passphrase, *network);
        return 0;
    });
}

int32_t CardLibrary::ZelSetFswCCXNetworkEap(ZelHandle h, uint32_t value) {
    return withCard(h, kFailed, [&](Card& card) { return card.setCcx(value) ? 0 : kFailed; });
}

// The identity calls take no handle: the identity belongs to the library and is used by
// the next association that needs one.
int32_t CardLibrary::createIdentity(EapMethod method, const char* login, const char* domain,
                                    const char* password, const char* anonymous,
                                    const uint8_t* certificateHash) {
    Identity identity;
    identity.method = method;
    const std::optional<std::string> user = callerText(login, kIdentityField);
    if (!user) return kFailed;
    identity.login = *user;
    if (method == EapTls) {
        if (!certificateHash) return kFailed;
        std::copy(certificateHash, certificateHash + identity.certificateHash.size(),
                  identity.certificateHash.begin());
    } else {
        const std::optional<std::string> realm = callerText(domain, kIdentityField);
        const std::optional<std::string> secret = callerText(password, kIdentityField);
        if (!realm || !secret) return kFailed;
        identity.domain = *realm;
        identity.password = *secret;
        if (method == EapTtls) {
            const std::optional<std::string> outer = callerText(anonymous, kIdentityField);
            if (!outer) return kFailed;
            identity.anonymous = *outer;
        }
    }
    return withLibrary([&] {
        card_.setIdentity(identity);
        return 0;
    });
}

int32_t CardLibrary::ZelWPACreateIdentityLEAP(const char* login, const char* domain,
                                              const char* password) {
    return createIdentity(EapLeap, login, domain, password, nullptr, nullptr);
}

int32_t CardLibrary::ZelWPACreateIdentityPEAP(const char* login, const char* domain,
                                              const char* password) {
    return createIdentity(EapPeap, login, domain, password, nullptr, nullptr);
}

int32_t CardLibrary::ZelWPACreateIdentityTtls(const char* login, const char* domain,
                                              const char* password, const char* anonymous) {
    return createIdentity(EapTtls, login, domain, password, anonymous, nullptr);
}

int32_t CardLibrary::ZelWPACreateIdentityTLS(const char* login, const uint8_t* certHash) {
    return createIdentity(EapTls, login, nullptr, nullptr, nullptr, certHash);
}

int32_t CardLibrary::ZelWPAPortDown(ZelHandle h) {
    return withCard(h, kFailed, [](Card& card) {
        card.portDown();
        return 0;
    });
}

// ---- Statistics ------------------------------------------------------------------------

int32_t CardLibrary::ZelQueryStatistics(ZelHandle h, NDIS_802_11_STATISTICS* stats) {
    if (!stats) return kFailed;
    return withCard(h, kFailed, [&](Card& card) {
        *stats = card.statistics();
        return 0;
    });
}

int32_t CardLibrary::ZelQueryRssiStat(ZelHandle h, ZEL_RSSI_STATS* stats) {
    if (!stats) return kFailed;
    return withCard(h, kFailed, [&](Card& card) {
        *stats = card.rssiStatistics();
        return 0;
    });
}

int32_t CardLibrary::ZelQueryBeaconStatistics(ZelHandle h, ZEL_BEACON_STATS* stats) {
    if (!stats) return kFailed;
    return withCard(h, kFailed, [&](Card& card) {
        *stats = card.beaconStatistics();
        return 0;
    });
}

int32_t CardLibrary::ZelResetStatistics(ZelHandle h) {
    return withCard(h, kFailed, [](Card& card) {
        card.resetStatistics();
        return 0;
    });
}

// ---- Registers -------------------------------------------------------------------------

int32_t CardLibrary::readRegister(ZelHandle h, RegisterBank bank, uint32_t index, uint32_t* value) {
    if (!value) return kFailed;
    return withCard(h, kFailed, [&](Card& card) {
        const std::optional<uint32_t> read = card.readRegister(bank, index);
        if (!read) return kFailed;
        *value = *read;
        return 0;
    });
}

int32_t CardLibrary::writeRegister(ZelHandle h, RegisterBank bank, uint32_t index, uint32_t value) {
    return withCard(h, kFailed, [&](Card& card) {
        return card.writeRegister(bank, index, value) ? 0 : kFailed;
    });
}

int32_t CardLibrary::ZelQueryRfRegister(ZelHandle h, uint32_t index, uint32_t* value) {
    return readRegister(h, RegisterBank::Rf, index, value);
}

int32_t CardLibrary::ZelSetRfRegister(ZelHandle h, uint32_t index, uint32_t value) {
    return writeRegister(h, RegisterBank::Rf, index, value);
}

int32_t CardLibrary::ZelQueryBbRegister(ZelHandle h, uint32_t index, uint32_t* value) {
    return readRegister(h, RegisterBank::Baseband, index, value);
}

int32_t CardLibrary::ZelSetBbRegister(ZelHandle h, uint32_t index, uint32_t value) {
    return writeRegister(h, RegisterBank::Baseband, index, value);
}

int32_t CardLibrary::ZelQueryMacRegister(ZelHandle h, uint32_t index, uint32_t* value) {
    return readRegister(h, RegisterBank::Mac, index, value);
}

int32_t CardLibrary::ZelSetMacRegister(ZelHandle h, uint32_t index, uint32_t value) {
    return writeRegister(h, RegisterBank::Mac, index, value);
}

// ---- Registry of the card's driver -----------------------------------------------------

int32_t CardLibrary::ZelQueryRegistryPath(ZelHandle h, char* buffer, uint32_t size) {
    return withCard(h, kFailed, [&](Card&) { return copyText(Card::kDriverKey, buffer, size); });
}

int32_t CardLibrary::ZelQueryRegistry(const char* path, const char* valueName, char* buffer,
                                      uint32_t size) {
    const std::optional<std::string> key = callerText(path, kRegistryPathField);
    const std::optional<std::string> name = callerText(valueName, kRegistryNameField);
    if (!key || !name || !buffer || size == 0) return kFailed;
    return withLibrary([&] {
        const std::optional<std::string> value = host_.registry().readText(*key, *name);
        if (!value) {
            buffer[0] = '\0';
            return kFailed;
        }
        return copyText(*value, buffer, size);
    });
}

int32_t CardLibrary::ZelSetRegistry(const char* path, const char* valueName, uint32_t value) {
    const std::optional<std::string> key = callerText(path, kRegistryPathField);
    const std::optional<std::string> name = callerText(valueName, kRegistryNameField);
    if (!key || !name) return kFailed;
    return withLibrary([&] { return card_.setRegistryNumber(*key, *name, value) ? 0 : kFailed; });
}

// ---- Auto Link, radar, DHCP ------------------------------------------------------------

int32_t CardLibrary::ZelQueryBriskSetupAPInfo(ZelHandle h, TSRA_BRISKSETUP_SSID_INFO* info) {
    if (!info) return kFailed;
    return withCard(h, kFailed, [&](Card& card) {
        if (!card.setupSsid()) return kFailed;
        const std::string& ssid = *card.setupSsid();
        *info = TSRA_BRISKSETUP_SSID_INFO{};
        info->SsidLength = static_cast<uint32_t>(ssid.size());
        std::memcpy(info->Ssid, ssid.data(), std::min(ssid.size(), sizeof info->Ssid));
        return 0;
    });
}

int32_t CardLibrary::ZelSetBSSecurityInfo(ZelHandle h, const TSRA_BRISKSETUP_SEC_INFO* info) {
    if (!info) return kFailed;
    return withCard(h, kFailed,
                    [&](Card& card) { return card.setSetupSecurity(*info) ? 0 : kFailed; });
}

int32_t CardLibrary::ZelSetBSSetupRequest(ZelHandle h, const TSRA_BRISKSETUP_SETUP_REQ* request) {
    if (!request) return kFailed;
    return withCard(h, kFailed,
                    [&](Card& card) { return card.requestSetup(*request) ? 0 : kFailed; });
}

int32_t CardLibrary::ZelRadarDetected(ZelHandle h) {
    return withCard(h, kFailed, [](Card& card) {
        card.radarDetected();
        return 0;
    });
}

// Non-zero when the card's interface takes its address from DHCP.
int32_t CardLibrary::ZelQueryDhcp9x(ZelHandle h) {
    return withCard(h, 0, [](Card& card) { return card.description().dhcp ? 1 : 0; });
}

}  // namespace sim
