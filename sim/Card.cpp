#include "sim/Card.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "adapter/ZelShared.h"

namespace sim {
namespace {

// Longest stretch of time handled in one piece, so that signal drift and link checks
// are followed closely even when the clock jumps.
constexpr uint64_t kStepMs = 100;
// Networks weaker than this are not heard at all.
constexpr int32_t kNoiseFloorDbm = -100;
// A channel where radar was detected stays closed this long.
constexpr uint64_t kRadarClosedMs = 30 * 60 * 1000;
constexpr uint64_t kNever = std::numeric_limits<uint64_t>::max();

// Signal level 0 to 40 (RSSI + 96), the scale every reader of the card uses.
uint32_t levelOf(int32_t rssi) { return static_cast<uint32_t>(std::clamp(rssi + 96, 0, 40)); }

// The weakest level at which each rate still carries frames.
uint32_t levelNeeded(uint32_t rateCode) {
    struct Need {
        uint32_t rate;
        uint32_t level;
    };
    constexpr Need kNeeds[] = {{108, 30}, {96, 27}, {72, 24}, {48, 20}, {36, 17}, {24, 14},
                               {22, 12},  {18, 11}, {12, 9},  {11, 7},  {4, 4}};
    for (const Need& need : kNeeds) {
        if (need.rate == rateCode) return need.level;
    }
    return 0;
}

// RSSI drift: a triangle wave of the given amplitude that starts at the base value.
int32_t driftAt(const Network& n, uint64_t nowMs) {
    if (n.drift == 0) return 0;
    const int64_t period = n.driftPeriodMs;
    const int64_t phase = static_cast<int64_t>((nowMs + n.driftPeriodMs / 4) % n.driftPeriodMs);
    const int64_t half = period / 2;
    const int64_t rising = phase < half ? phase : period - phase;  // 0 .. half
    return static_cast<int32_t>(-n.drift + 2 * n.drift * rising / half);
}

}  // namespace

Card::Card(Registry& registry) : registry_(registry) {}

// ---- The world -------------------------------------------------------------------------

void Card::load(const Scenario& scenario, uint64_t nowMs) {
    if (loaded_) {
        advanceTo(nowMs);
    } else {
        clock_ = nowMs;
    }
    const bool first = !loaded_;
    const CardDescription before = world_.card;
    loaded_ = true;
    world_ = scenario;
    applySetUps();
    const CardDescription& card = world_.card;

    if (first || card.zeroConfig != before.zeroConfig) zeroConfig_ = card.zeroConfig;
    if (present_ && !card.present) {
        unplug(before);
    } else if (!present_ && card.present) {
        present_ = true;
        ++generation_;
        powerOn();
        if (!first) outbox_.deviceChanges.push_back({true, card.hardwareId, card.devnode});
    } else if (present_) {
        writeDriverRegistry();
        if (card.zeroConfig != before.zeroConfig) writeZeroConfigFlag();
        const bool switchWasOn = before.radio != RadioSwitch::Off;
        const bool switchIsOn = card.radio != RadioSwitch::Off;
        if (switchWasOn && !switchIsOn) {
            leave(zel::EventDisassociated, LinkState::Lost);
            post(zel::EventRadioOff);
        } else if (!switchWasOn && switchIsOn) {
            post(zel::EventRadioOn);
        }
    }
    supervise(true);
}

void Card::applySetUps() {
    for (Network& n : world_.networks) {
        const auto it = setUps_.find(n.bssid);
        if (it == setUps_.end() || n.autoLink != AutoLinkState::Unconfigured) continue;
        n.ssid = it->second.ssid;
        n.security = Security::WpaPsk;
        n.cipher = Cipher::Tkip;
        n.passphrase = it->second.passphrase;
        n.autoLink = AutoLinkState::Configured;
    }
}

// A card that is plugged in starts from its power-on values and knows nothing of what it
// was told before.
void Card::powerOn() {
    const CardDescription& card = world_.card;
    region_ = card.region;
    settings_ = powerOnSettings(region_);
    for (int i = 0; i < kSettingCount; ++i) {
        if (card.settings[i]) settings_[i] = *card.settings[i];
    }
    radioSoftware_ = true;
    wepKeys_ = {};
    transmitKey_ = 0;
    ccx_ = false;
    wpaSecurityType_ = 0;
    psk_.clear();
    pskSsid_.clear();
    identity_.reset();
    preferredBssid_.reset();
    profileInUse_.clear();
    guiMonitorMode_ = 0;
    link_ = Link{};
    scanList_.clear();
    counters_ = {};
    counterRemainders_ = {};
    rssiBuckets_ = {};
    setupSecurity_.reset();
    exchange_.reset();
    setupSsid_.reset();

    powerOnRegisters();
    writeDriverRegistry();
    writeZeroConfigFlag();
}

void Card::powerOnRegisters() {
    rf_ = {};
    rf_[0x00] = 0x03;  // RF chip type
    rf_[0x1A] = 0x20;  // calibration of chip types 1 and 3
    rf_[0x1B] = 0x80;
    rf_[0x1C] = 0x7F;
    rf_[0x21] = 0x15;
    rf_[0x20] = 0x70;  // calibration of the other chip types
    rf_[0x24] = 0x05;
    rf_[0x26] = 0x43;
    baseband_ = {};
    baseband_[0][0x01] = 0x5A;  // baseband revision
    baseband_[1][0x01] = 0xA5;
    basebandPage_ = 0;
    mac_.clear();
    const MacAddress& m = world_.card.mac;
    mac_[0x0010] =
        uint32_t{m[0]} | uint32_t{m[1]} << 8 | uint32_t{m[2]} << 16 | uint32_t{m[3]} << 24;
    mac_[0x0014] = uint32_t{m[4]} | uint32_t{m[5]} << 8;
    for (const RegisterValue& r : world_.card.registers) {
        switch (r.bank) {
            case RegisterBank::Rf:
                rf_[r.index] = static_cast<uint8_t>(r.value);
                break;
            case RegisterBank::Baseband:
                // Index 0 and 0x80 are the page select, not a register of their own.
                if (r.index & 0x7F) {
                    baseband_[r.index >> 7][r.index & 0x7F] = static_cast<uint8_t>(r.value);
                }
                break;
            case RegisterBank::Mac:
                mac_[r.index] = r.value;
                break;
        }
    }
}

// The removal broadcast names the card as it was while plugged in.
void Card::unplug(const CardDescription& leaving) {
    outbox_.deviceChanges.push_back({false, leaving.hardwareId, leaving.devnode});
    post(zel::EventCardRemoval);
    present_ = false;
    link_ = Link{};
    exchange_.reset();
}

void Card::writeDriverRegistry() {
    const CardDescription& card = world_.card;
    registry_.writeText(kDriverKey, "NetCfgInstanceId", card.instanceId);
    registry_.writeText(kDriverKey, "DriverDesc", card.description);
    registry_.writeText(kDriverKey, "DriverVersion", card.driverVersion);
    registry_.writeText(kDriverKey, "DriverDate", card.driverDate);
}

void Card::writeZeroConfigFlag() {
    const std::string key = kZeroConfigKey + world_.card.instanceId;
    const uint32_t flags = registry_.readNumber(key, "ControlFlags").value_or(0);
    registry_.writeNumber(key, "ControlFlags",
                          zeroConfig_ ? flags | kZeroConfigControl : flags & ~kZeroConfigControl);
}

Outbox Card::takeOutbox() {
    Outbox out = std::move(outbox_);
    outbox_ = Outbox{};
    return out;
}

// ---- Time ------------------------------------------------------------------------------

void Card::advanceTo(uint64_t nowMs) {
    for (;;) {
        runDue();
        if (clock_ >= nowMs) return;
        const uint64_t next = std::min({nowMs, clock_ + kStepMs, std::max(nextDue(), clock_ + 1)});
        grow(next - clock_);
        clock_ = next;
        supervise(false);
    }
}

uint64_t Card::nextDue() const {
    uint64_t due = kNever;
    if (link_.state == LinkState::Joining) due = link_.due;
    if (exchange_) due = std::min(due, exchange_->due);
    return due;
}

void Card::runDue() {
    while (present_) {
        if (link_.state == LinkState::Joining && link_.due <= clock_) {
            attemptJoin();
        } else if (exchange_ && exchange_->due <= clock_) {
            runExchangeStep();
        } else {
            return;
        }
    }
}

// ---- Values ----------------------------------------------------------------------------

uint32_t Card::setting(Setting setting) const { return settings_[static_cast<int>(setting)]; }

bool Card::set(Setting setting, uint32_t value) {
    if (!acceptsSetting(setting, value)) return false;
    settings_[static_cast<int>(setting)] = value;
    return true;
}

bool Card::setRegion(uint32_t code) {
    if (!isRegionCode(code)) return false;
    region_ = code;
    settings_[static_cast<int>(Setting::ChannelRange)] = regionChannelRange(code);
    return true;
}

uint32_t Card::radioControl() const {
    if (world_.card.radio == RadioSwitch::Absent) return zel::kRadioNoSwitch;
    return radioOn() ? 1 : 0;
}

bool Card::setRadio(uint32_t on) {
    if (on > 1) return false;
    if (radioSoftware_ && on == 0) leave(zel::EventDisassociated, LinkState::Lost);
    radioSoftware_ = on == 1;
    return true;
}

bool Card::radioOn() const {
    return present_ && radioSoftware_ && world_.card.radio != RadioSwitch::Off;
}

bool Card::setWepKey(uint32_t slot, const std::vector<uint8_t>& key, bool transmit) {
    if (slot < 1 || slot > 4) return false;
    if (!key.empty() && key.size() != 5 && key.size() != 13 && key.size() != 16 && key.size() != 29)
        return false;
    wepKeys_[slot - 1] = key;
    if (transmit) transmitKey_ = slot;
    return true;
}

const std::vector<uint8_t>* Card::wepKey(uint32_t slot) const {
    return slot >= 1 && slot <= 4 ? &wepKeys_[slot - 1] : nullptr;
}

void Card::setWpaInformation(uint32_t securityType, const std::string& psk,
                             const std::string& ssid) {
    wpaSecurityType_ = securityType;
    psk_ = psk;
    pskSsid_ = ssid;
}

bool Card::setCcx(uint32_t value) {
    if (value > 1) return false;
    ccx_ = value == 1;
    return true;
}

void Card::setIdentity(const Identity& identity) { identity_ = identity; }

// Closes the 802.1X port: a link that rests on WPA or 802.1X keys ends with it.
void Card::portDown() {
    const Network* n = link_.state == LinkState::Associated ? findNetwork(link_.bssid) : nullptr;
    if (n && n->security != Security::Open && n->security != Security::Wep) {
        leave(zel::EventDisassociated, LinkState::Idle);
    }
}

bool Card::setPreferredBssid(const MacAddress& bssid) {
    if (bssid[0] & 1 && bssid != MacAddress{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}) return false;
    const bool any = bssid == MacAddress{} || bssid[0] & 1;
    preferredBssid_ = any ? std::nullopt : std::optional<MacAddress>(bssid);
    return true;
}

bool Card::setGuiMonitorMode(uint32_t mode) {
    if (mode > 1) return false;
    guiMonitorMode_ = mode;
    return true;
}

Programming Card::programming() const {
    Programming p;
    p.networkMode = setting(Setting::NetworkMode);
    p.wlanMode = setting(Setting::WlanMode);
    p.adHocWlanMode = setting(Setting::AdHocWlanMode);
    p.authMode = setting(Setting::AuthMode);
    p.wepStatus = setting(Setting::WepStatus);
    p.ccx = ccx_;
    p.wepKeys = wepKeys_;
    p.transmitKey = transmitKey_;
    p.wpaSecurityType = wpaSecurityType_;
    p.psk = psk_;
    p.pskSsid = pskSsid_;
    p.identity = identity_;
    return p;
}

// ---- Connection ------------------------------------------------------------------------

int32_t Card::setSsid(const std::string& ssid) {
    // While the system's configuration service has the card, the utility only watches.
    if (!radioOn() || guiMonitorMode_ == 1) return 1;
    const uint32_t mode = setting(Setting::NetworkMode);
    if (link_.ssid == ssid &&
        (link_.state == LinkState::Associated || link_.state == LinkState::OwnAdHoc)) {
        const Network* n = findNetwork(link_.bssid);
        const bool adHoc = link_.state == LinkState::OwnAdHoc || (n && n->adHoc);
        if ((mode == 2 || (mode == 0) == adHoc) &&
            sameCredentials(link_.credentials, programming()))
            return zel::kSetSsidAlreadyAssociated;
    }
    leave(zel::EventDisassociated, LinkState::Idle);
    link_.state = LinkState::Joining;
    link_.ssid = ssid;
    link_.due = clock_ + world_.card.associationDelayMs;
    return 0;
}

bool Card::associated() const { return present_ && link_.state == LinkState::Associated; }

std::string Card::currentSsid() const {
    const bool linked = link_.state == LinkState::Associated || link_.state == LinkState::OwnAdHoc;
    return present_ && linked ? link_.ssid : std::string();
}

MacAddress Card::currentBssid() const { return currentSsid().empty() ? MacAddress{} : link_.bssid; }

uint32_t Card::currentChannel() const {
    return currentSsid().empty() ? setting(Setting::Channel) : link_.channel;
}

uint32_t Card::currentWlanMode() const {
    if (link_.state == LinkState::OwnAdHoc) return setting(Setting::AdHocWlanMode);
    if (const Network* n = associated() ? findNetwork(link_.bssid) : nullptr)
        return static_cast<uint32_t>(n->band);
    return setting(Setting::WlanMode);
}

uint32_t Card::reportedWepStatus() const {
    const uint32_t status = setting(Setting::WepStatus);
    switch (status) {
        case zel::WepEnabled:
            return associated() || (transmitKey_ && !wepKeys_[transmitKey_ - 1].empty())
                       ? status
                       : zel::WepKeyAbsent;
        case zel::TkipEnabled:
            return associated() ? status : zel::TkipKeyAbsent;
        case zel::AesEnabled:
            return associated() ? status : zel::AesKeyAbsent;
        default:
            return status;
    }
}

std::optional<int32_t> Card::rssi() const {
    const Network* n = associated() ? findNetwork(link_.bssid) : nullptr;
    if (!n) return std::nullopt;
    return signalOf(*n);
}

std::optional<uint32_t> Card::linkSpeed() const {
    const Network* n = associated() ? findNetwork(link_.bssid) : nullptr;
    if (!n) return std::nullopt;
    const uint32_t level = levelOf(signalOf(*n));
    const uint32_t fixed = setting(Setting::DataRate);
    const bool onlyB =
        (n->adHoc ? setting(Setting::AdHocWlanMode) : setting(Setting::WlanMode)) == 1;
    uint32_t best = 0, lowest = 255;
    for (uint8_t byte : n->rates) {
        const uint32_t rate = byte & 0x7F;
        lowest = std::min(lowest, rate);
        if (onlyB && isOfdmRate(rate)) continue;
        const bool usable = fixed == 255 ? levelNeeded(rate) <= level : rate <= fixed;
        if (usable) best = std::max(best, rate);
    }
    if (best == 0) best = lowest;
    return best * 5000;
}

// Ends the link or the attempt to make one; an Auto Link exchange running over the link
// ends with the association failure.
void Card::leave(uint32_t event, LinkState next) {
    const bool linked = link_.state == LinkState::Associated || link_.state == LinkState::OwnAdHoc;
    if (linked) post(event);
    if (linked || link_.state == LinkState::Joining) link_.state = next;
    link_.bssid = {};
    if (exchange_) post(zel::EventAutoLinkAssociationFailed);
    exchange_.reset();
}

void Card::attemptJoin() {
    if (const Network* n = bestNetwork(link_.ssid, true)) {
        associateWith(*n, zel::EventAssociated);
        return;
    }
    const bool peerInRange = std::any_of(
        world_.networks.begin(), world_.networks.end(),
        [this](const Network& n) { return n.adHoc && n.ssid == link_.ssid && reachable(n); });
    if (setting(Setting::NetworkMode) == 0 && !peerInRange) {
        startOwnAdHoc();
        return;
    }
    link_.state = LinkState::Idle;
    post(zel::EventMediaCheck);
}

// The card starts the ad-hoc network itself and waits for peers to join.
void Card::startOwnAdHoc() {
    const uint32_t range = setting(Setting::ChannelRange);
    const uint32_t chosen = setting(Setting::Channel);
    link_.state = LinkState::OwnAdHoc;
    link_.credentials = programming();
    link_.channel = chosen != 0 ? chosen : range >> 8;
    link_.bssid = world_.card.mac;
    link_.bssid[0] = static_cast<uint8_t>((link_.bssid[0] | 0x02) & ~0x01);  // locally administered
    note("started ad-hoc network \"" + link_.ssid + "\"; waiting for peers");
    post(zel::EventMediaCheck);
}

void Card::associateWith(const Network& n, uint32_t event) {
    link_.state = LinkState::Associated;
    link_.credentials = programming();
    link_.ssid = n.ssid;
    link_.bssid = n.bssid;
    link_.channel = n.channel;
    post(event);
    if (event == zel::EventAssociated && n.autoLink == AutoLinkState::Configured)
        post(zel::EventAutoLinkDialog);
}

void Card::supervise(bool worldChanged) {
    if (!present_) return;
    switch (link_.state) {
        case LinkState::Associated: {
            const Network* n = findNetwork(link_.bssid);
            const bool holds = n && n->ssid == link_.ssid && reachable(*n) &&
                               (!worldChanged || admission(*n, programming()) == Refusal::None);
            if (holds) return;
            if (const Network* other = bestNetwork(link_.ssid, false)) {
                associateWith(*other, zel::EventReassociated);
            } else {
                leave(zel::EventLinkLost, LinkState::Lost);
            }
            return;
        }
        case LinkState::Lost:
            if (const Network* n = bestNetwork(link_.ssid, false))
                associateWith(*n, zel::EventReassociated);
            return;
        case LinkState::OwnAdHoc:
            if (!radioOn() || !channelUsable(link_.channel)) {
                leave(zel::EventLinkLost, LinkState::Lost);
            } else if (const Network* peer = bestNetwork(link_.ssid, false); peer && peer->adHoc) {
                associateWith(*peer, zel::EventAssociated);
            }
            return;
        case LinkState::Idle:
        case LinkState::Joining:
            return;
    }
}

const Network* Card::findNetwork(const MacAddress& bssid) const {
    for (const Network& n : world_.networks) {
        if (n.bssid == bssid) return &n;
    }
    return nullptr;
}

bool Card::channelUsable(uint32_t channel) const {
    if (isFiveGigahertz(channel)) {
        const auto closed = radarBlockedUntil_.find(channel);
        return closed == radarBlockedUntil_.end() || closed->second <= clock_;
    }
    const uint32_t range = setting(Setting::ChannelRange);
    return channel >= range >> 8 && channel <= (range & 0xFF);
}

int32_t Card::signalOf(const Network& n) const { return n.rssi + driftAt(n, clock_); }

bool Card::heard(const Network& n) const {
    return radioOn() && channelUsable(n.channel) && signalOf(n) >= kNoiseFloorDbm;
}

// Heard, and strong enough to hold a link.
bool Card::reachable(const Network& n) const {
    return heard(n) && signalOf(n) >= -static_cast<int32_t>(setting(Setting::SignalThreshold));
}

// The strongest network named `ssid` that admits the card.
const Network* Card::bestNetwork(const std::string& ssid, bool notes) {
    const Programming card = programming();
    const Network* best = nullptr;
    Refusal refusal = Refusal::None;
    for (const Network& n : world_.networks) {
        if (n.ssid != ssid || !reachable(n)) continue;
        if (preferredBssid_ && n.bssid != *preferredBssid_) continue;
        const Refusal r = admission(n, card);
        if (r != Refusal::None) {
            if (refusal == Refusal::None) refusal = r;
            continue;
        }
        if (!best || signalOf(n) > signalOf(*best)) best = &n;
    }
    if (!best && notes) {
        note("cannot associate with \"" + ssid +
             "\": " + (refusal == Refusal::None ? "no such network in range" : describe(refusal)));
    }
    return best;
}

// ---- Scanning --------------------------------------------------------------------------

bool Card::takeScan(const std::vector<const Network*>& networks, const std::string& revealed) {
    scanList_.clear();
    if (!radioOn()) return false;
    for (const Network* n : networks) {
        if (!heard(*n)) continue;
        const uint64_t timestamp = clock_ * 1000 + n->bssid[5] * 1024u;
        scanList_.push_back({*n, signalOf(*n), n->hidden && n->ssid == revealed, timestamp});
    }
    return true;
}

bool Card::scan() {
    std::vector<const Network*> all;
    for (const Network& n : world_.networks) all.push_back(&n);
    return takeScan(all, std::string());
}

bool Card::scanForSsid(const std::string& ssid, const std::vector<uint8_t>& channels) {
    const bool allChannels =
        std::all_of(channels.begin(), channels.end(), [](uint8_t c) { return c == 0; });
    std::vector<const Network*> listed;
    for (const Network& n : world_.networks) {
        if (allChannels ||
            std::find(channels.begin(), channels.end(), n.channel) != channels.end()) {
            listed.push_back(&n);
        }
    }
    return takeScan(listed, ssid);
}

bool Card::scanForBssid(const MacAddress& bssid) {
    const Network* n = findNetwork(bssid);
    return takeScan(n ? std::vector<const Network*>{n} : std::vector<const Network*>{},
                    std::string());
}

// ---- Statistics ------------------------------------------------------------------------

// Frames counted per second while associated, in thousandths, from the signal level.
void Card::grow(uint64_t ms) {
    const Network* n = associated() ? findNetwork(link_.bssid) : nullptr;
    if (!n || ms == 0) return;
    const uint32_t level = levelOf(signalOf(*n));
    const uint32_t weakness = 40 - level;
    const bool rts = setting(Setting::RtsThreshold) < 2347;
    std::array<uint64_t, CounterCount> perSecond{};
    perSecond[TxUnicast] = 40000;
    perSecond[TxMulticast] = 4000;
    perSecond[TxRetry] = weakness * 500;
    perSecond[TxMultipleRetry] = weakness * 125;
    perSecond[AckFailure] = weakness * 250;
    perSecond[TxFailed] = level < 10 ? (10 - level) * 1000 : 0;
    perSecond[RtsSuccess] = rts ? 10000 : 0;
    perSecond[RtsFailure] = rts ? weakness * 100 : 0;
    perSecond[RxDuplicate] = 500;
    perSecond[RxUnicast] = 60000;
    perSecond[RxMulticast] = 10000;
    perSecond[FcsError] = weakness * 100;
    perSecond[BeaconLost] = weakness * 125;
    perSecond[BeaconReceived] = 10000 - perSecond[BeaconLost];

    const uint64_t received = counters_[RxUnicast] + counters_[RxMulticast];
    for (int c = 0; c < CounterCount; ++c) {
        counterRemainders_[c] += perSecond[c] * ms;
        counters_[c] += counterRemainders_[c] / 1000000;
        counterRemainders_[c] %= 1000000;
    }
    const uint32_t percent = level * 100 / 40;
    const size_t bucket = percent < 20 ? 0 : percent < 40 ? 1 : percent < 60 ? 2 : 3;
    rssiBuckets_[bucket] +=
        static_cast<uint32_t>(counters_[RxUnicast] + counters_[RxMulticast] - received);
}

NDIS_802_11_STATISTICS Card::statistics() const {
    NDIS_802_11_STATISTICS s{};
    s.Length = sizeof s;
    s.TransmittedFragmentCount = counters_[TxUnicast];
    s.MulticastTransmittedFrameCount = counters_[TxMulticast];
    s.FailedCount = counters_[TxFailed];
    s.RetryCount = counters_[TxRetry];
    s.MultipleRetryCount = counters_[TxMultipleRetry];
    s.RTSSuccessCount = counters_[RtsSuccess];
    s.RTSFailureCount = counters_[RtsFailure];
    s.ACKFailureCount = counters_[AckFailure];
    s.FrameDuplicateCount = counters_[RxDuplicate];
    s.ReceivedFragmentCount = counters_[RxUnicast];
    s.MulticastReceivedFrameCount = counters_[RxMulticast];
    s.FCSErrorCount = counters_[FcsError];
    return s;
}

ZEL_BEACON_STATS Card::beaconStatistics() const {
    return {static_cast<uint32_t>(counters_[BeaconReceived]),
            static_cast<uint32_t>(counters_[BeaconLost])};
}

ZEL_RSSI_STATS Card::rssiStatistics() const {
    ZEL_RSSI_STATS s{};
    std::copy(rssiBuckets_.begin(), rssiBuckets_.end(), s.Bucket);
    return s;
}

void Card::resetStatistics() {
    counters_ = {};
    counterRemainders_ = {};
    rssiBuckets_ = {};
}

// ---- Registers -------------------------------------------------------------------------

std::optional<uint32_t> Card::readRegister(RegisterBank bank, uint32_t index) const {
    switch (bank) {
        case RegisterBank::Rf:
            if (index > 0xFF) return std::nullopt;
            return rf_[index];
        case RegisterBank::Baseband:
            if (index > 0xFF) return std::nullopt;
            if ((index & 0x7F) == 0) return basebandPage_ << 7;
            return baseband_[basebandPage_][index & 0x7F];
        case RegisterBank::Mac: {
            if (index > 0xFFFF) return std::nullopt;
            const auto it = mac_.find(index);
            return it == mac_.end() ? 0 : it->second;
        }
    }
    return std::nullopt;
}

bool Card::writeRegister(RegisterBank bank, uint32_t index, uint32_t value) {
    switch (bank) {
        case RegisterBank::Rf:
            if (index > 0xFF || value > 0xFF) return false;
            rf_[index] = static_cast<uint8_t>(value);
            return true;
        case RegisterBank::Baseband:
            if (index > 0xFF || value > 0xFF) return false;
            if ((index & 0x7F) == 0) {
                if (value != 0 && value != 0x80) return false;
                basebandPage_ = value >> 7;
            } else {
                baseband_[basebandPage_][index & 0x7F] = static_cast<uint8_t>(value);
            }
            return true;
        case RegisterBank::Mac:
            if (index > 0xFFFF) return false;
            mac_[index] = value;
            return true;
    }
    return false;
}

// ---- Registry --------------------------------------------------------------------------

bool Card::setRegistryNumber(const std::string& key, const std::string& name, uint32_t value) {
    if (!registry_.writeNumber(key, name, value)) return false;
    if (sameRegistryName(key, kZeroConfigKey + world_.card.instanceId) &&
        sameRegistryName(name, "ControlFlags")) {
        zeroConfig_ = (value & kZeroConfigControl) != 0;
    }
    return true;
}

// ---- Auto Link -------------------------------------------------------------------------

bool Card::setSetupSecurity(const TSRA_BRISKSETUP_SEC_INFO& info) {
    if (info.Length != sizeof info || (info.IpMode != 1 && info.IpMode != 2)) return false;
    const auto end = std::find(std::begin(info.Pin), std::end(info.Pin), 0);
    const size_t length = static_cast<size_t>(end - std::begin(info.Pin));
    if (length < 8 || length > 31) return false;
    setupSecurity_ = info;
    return true;
}

bool Card::requestSetup(const TSRA_BRISKSETUP_SETUP_REQ& request) {
    if (request.Length != sizeof request || request.Field1 != 1 || request.Field2 != 1)
        return false;
    const Network* n = associated() ? findNetwork(link_.bssid) : nullptr;
    const bool ready =
        n && setupSecurity_ && n->autoLink == AutoLinkState::Unconfigured &&
        n->autoLinkTag == request.ApTag && setupSecurity_->ApTag == request.ApTag &&
        std::equal(std::begin(zel::kAutoLinkConstantBlock), std::end(zel::kAutoLinkConstantBlock),
                   setupSecurity_->ConstantBlock);
    Exchange exchange;
    const uint32_t first = zel::EventAutoLinkFirst;
    const AutoLinkOutcome outcome = ready ? n->autoLinkOutcome : AutoLinkOutcome::Failure;
    switch (outcome) {
        case AutoLinkOutcome::Success:
            for (uint32_t step = 0; step <= 6; ++step) exchange.steps.push_back(first + step);
            exchange.steps.push_back(zel::EventAutoLinkSuccess);
            break;
        case AutoLinkOutcome::Failure:
            // The access point answers nothing past the challenge.
            for (uint32_t step = 0; step <= (ready ? 3u : 0u); ++step)
                exchange.steps.push_back(first + step);
            exchange.steps.push_back(zel::EventAutoLinkFailure);
            break;
        case AutoLinkOutcome::AssociationFailure:
            for (uint32_t step = 0; step <= 6; ++step) exchange.steps.push_back(first + step);
            exchange.steps.push_back(zel::EventAutoLinkAssociationFailed);
            break;
    }
    exchange.due = clock_ + world_.card.exchangeStepMs;
    if (n) exchange.bssid = n->bssid;
    if (setupSecurity_) {
        const uint8_t* pin = setupSecurity_->Pin;
        exchange.pin.assign(pin, std::find(pin, pin + sizeof setupSecurity_->Pin, 0));
    }
    note(ready ? "Auto Link setup started"
               : "Auto Link setup request without a ready access point");
    exchange_ = std::move(exchange);
    return true;
}

void Card::runExchangeStep() {
    Exchange& exchange = *exchange_;
    const uint32_t step = exchange.steps[exchange.next++];
    post(step);
    if (exchange.next < exchange.steps.size()) {
        exchange.due = clock_ + world_.card.exchangeStepMs;
        return;
    }
    const Exchange done = std::move(exchange);
    exchange_.reset();
    if (step != zel::EventAutoLinkSuccess) return;
    const Network* n = findNetwork(done.bssid);
    const std::string ssid = n ? n->autoLinkSsid : std::string();
    setUps_[done.bssid] = {ssid, done.pin};
    setupSsid_ = ssid;
    note("Auto Link set the access point up as \"" + ssid + "\" with WPA-PSK");
    applySetUps();
    supervise(true);
}

void Card::radarDetected() {
    if (currentSsid().empty() || !isRadarChannel(link_.channel)) return;
    radarBlockedUntil_[link_.channel] = clock_ + kRadarClosedMs;
    note("radar on channel " + std::to_string(link_.channel) + ": channel closed for 30 minutes");
    supervise(false);
}

}  // namespace sim
