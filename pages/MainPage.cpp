#include "pages/MainPage.h"

#include <algorithm>
#include <mutex>

#include "adapter/ZelShared.h"
#include "system/ProgramCodes.h"

namespace {

// The status texts; "Card Unplugged", "Connected" and "No Connection" are also the
// string table's (61252 to 61254).
constexpr const char* kCardUnplugged = "Card Unplugged";
constexpr const char* kNoRadio = "No Radio";
constexpr const char* kConnected = "Connected";
constexpr const char* kWaitingForPeer = "Waiting for peer...";
constexpr const char* kNoConnection = "No Connection";
constexpr const char* kChannelPerformance = "Channel Performance";
constexpr const char* kTransmitRate = "Current Tx Rate:";
constexpr const char* kReceiveRate = "Current Rx Rate:";

// The controls that busy mode disables: all but the two buttons that are never used.
constexpr int kControls[] = {
    IDC_STATUS_PROFILES,  IDC_STATUS_TEXT,      IDC_STATUS_SSID,       IDC_STATUS_NETWORK_TYPE,
    IDC_STATUS_BSSID,     IDC_STATUS_SECURITY,  IDC_STATUS_LINK_SPEED, IDC_STATUS_SIGNAL,
    IDC_STATUS_LINK_ICON, IDC_STATUS_DHCP,      IDC_STATUS_IP_ADDRESS, IDC_STATUS_SUBNET_MASK,
    IDC_STATUS_GATEWAY,   IDC_STATUS_CHANNEL,   IDC_STATUS_TX_GRAPH,   IDC_STATUS_RX_GRAPH,
    IDC_STATUS_TX_RATE,   IDC_STATUS_RX_RATE,   IDC_STATUS_TX_TOP,     IDC_STATUS_TX_MIDDLE,
    IDC_STATUS_RX_TOP,    IDC_STATUS_RX_MIDDLE,
};

bool sameLink(const Profile& profile, const ConnectionState& link) {
    return fieldText(profile.ssid) == link.currentSsid &&
           profile.networkType == link.currentNetworkMode;
}

// The text that travels with codes 1003 and 1012.
std::string textOf(intptr_t value) {
    const auto* text = reinterpret_cast<const char*>(value);
    return text ? text : "";
}

}  // namespace

const CMainPage::Field CMainPage::kFields[] = {
    {IDC_STATUS_TEXT, &Texts::status},
    {IDC_STATUS_SSID, &Texts::ssid},
    {IDC_STATUS_NETWORK_TYPE, &Texts::networkType},
    {IDC_STATUS_BSSID, &Texts::bssid},
    {IDC_STATUS_SECURITY, &Texts::security},
    {IDC_STATUS_LINK_SPEED, &Texts::linkSpeed},
    {IDC_STATUS_DHCP, &Texts::dhcp},
    {IDC_STATUS_IP_ADDRESS, &Texts::ipAddress},
    {IDC_STATUS_SUBNET_MASK, &Texts::subnetMask},
    {IDC_STATUS_GATEWAY, &Texts::gateway},
    {IDC_STATUS_CHANNEL, &Texts::channel},
    {IDC_STATUS_TX_RATE, &Texts::transmitRate},
    {IDC_STATUS_RX_RATE, &Texts::receiveRate},
    {IDC_STATUS_TX_TOP, &Texts::transmitTop},
    {IDC_STATUS_TX_MIDDLE, &Texts::transmitMiddle},
    {IDC_STATUS_RX_TOP, &Texts::receiveTop},
    {IDC_STATUS_RX_MIDDLE, &Texts::receiveMiddle},
};

const fw::MessageEntry<CMainPage> CMainPage::kMap[] = {
    fw::onTimer(kTimer, &CMainPage::onTimer),
    fw::onCommand(fw::code::ComboSelChange, IDC_STATUS_PROFILES, &CMainPage::onProfileChosen),
};

CMainPage::CMainPage(MainPageHost& host, MainPagePlatform& platform)
    : CZelPage(IDD_NETWORK_STATUS, "Network Status"), host_(host), platform_(platform) {
    texts_.channel = kChannelPerformance;
    texts_.transmitRate = kTransmitRate;
    texts_.receiveRate = kReceiveRate;
    resetScales();
}

bool CMainPage::onPageMessage(const fw::Message& m) { return fw::dispatch(*this, kMap, m); }

bool CMainPage::onInit() {
    platform_.createControls(*this);
    ui().setRange(IDC_STATUS_SIGNAL, 0, kSignalLevelMax);
    for (int button : {IDC_STATUS_RENEW, IDC_STATUS_PROPERTIES}) {
        ui().show(button, false);
        ui().enable(button, false);
    }
    // New graphs start with the range (1, 1000): the scales start over with them.
    resetScales();
    shown_.reset();
    moveTexts();
    return true;
}

// The top labels read "1 Kbps" and the middle ones "500 bps" until the first rescale.
void CMainPage::resetScales() {
    transmitScale_ = {kGraphStartTop, &Texts::transmitTop, &Texts::transmitMiddle};
    receiveScale_ = {kGraphStartTop, &Texts::receiveTop, &Texts::receiveMiddle};
    for (const Scale* scale : {&transmitScale_, &receiveScale_}) {
        texts_.*(scale->top) = "1 Kbps";
        texts_.*(scale->middle) = "500 bps";
    }
}

void CMainPage::onSetActive() {
    signal_.clear();
    linkSpeed_.clear();
    fillProfileList();
    updateDisplay();
    platform_.setGraphsRunning(true);
    ui().setTimer(kTimer, kTimerMs);
    timerRunning_ = true;
    tick();
}

bool CMainPage::onKillActive() {
    ui().killTimer(kTimer);
    timerRunning_ = false;
    platform_.setGraphsRunning(false);
    return true;
}

void CMainPage::setRadioState(bool on) { paused_ = !on; }

void CMainPage::onMainWindowEvent(uint32_t code, intptr_t value) {
    switch (code) {
        case zel::EventDisassociated:
        case zel::EventAssociated:
        case zel::EventReassociated:
        case zel::EventLinkLost:
        case sys::kCodeAutoConfigurationPassEnded:
            updateDisplay();
            break;
        case zel::EventMediaCheck:
            if (!host_.busy()) updateDisplay();
            break;
        case sys::kCodeAdapterOpened:
            fillProfileList();
            updateDisplay();
            break;
        case sys::kCodeStatusText:
            showStatusOnly(textOf(value));
            break;
        case sys::kCodeStatusNote:
            if (host_.zeroConfigActive()) break;
            texts_.status = textOf(value);
            moveTexts();
            break;
        default:
            break;
    }
}

void CMainPage::onTimer(const fw::Message&) { tick(); }

void CMainPage::fillProfileList() {
    if (host_.zeroConfigActive()) {
        ui().clearItems(IDC_STATUS_PROFILES);
        entries_.clear();
        ui().enable(IDC_STATUS_PROFILES, false);
        return;
    }
    ui().enable(IDC_STATUS_PROFILES, true);
    std::vector<Entry> entries;
    {
        std::lock_guard<std::mutex> lock(host_.profileLock());
        entries.reserve(host_.profiles().size());
        for (const auto& profile : host_.profiles()) {
            entries.push_back({fieldText(profile->name), profile.get()});
        }
    }
    // The list as it stands is only cleared of its selection: filling it costs a
    // message or two for each entry.
    if (entries == entries_ &&
        ui().itemCount(IDC_STATUS_PROFILES) == static_cast<int>(entries.size())) {
        ui().select(IDC_STATUS_PROFILES, -1);
        return;
    }
    ui().clearItems(IDC_STATUS_PROFILES);
    // The list draws itself once, when every entry is in.
    ui().setRedraw(IDC_STATUS_PROFILES, false);
    for (const Entry& entry : entries) {
        ui().addItem(IDC_STATUS_PROFILES, entry.name, reinterpret_cast<intptr_t>(entry.profile));
    }
    ui().setRedraw(IDC_STATUS_PROFILES, true);
    entries_ = std::move(entries);
}

std::vector<const Profile*> CMainPage::listedProfiles() const {
    std::vector<const Profile*> entries;
    entries.reserve(entries_.size());
    for (const Entry& entry : entries_) entries.push_back(entry.profile);
    std::lock_guard<std::mutex> lock(host_.profileLock());
    for (const Profile*& profile : entries) {
        if (!host_.profiles().contains(profile)) profile = nullptr;
    }
    return entries;
}

void CMainPage::clearFields() {
    for (std::string Texts::*field :
         {&Texts::dhcp, &Texts::ipAddress, &Texts::subnetMask, &Texts::gateway, &Texts::ssid,
          &Texts::bssid, &Texts::networkType, &Texts::security, &Texts::linkSpeed}) {
        (texts_.*field).clear();
    }
    texts_.channel = kChannelPerformance;
}

void CMainPage::updateDisplay() {
    clearFields();
    ui().enable(IDC_STATUS_PROPERTIES, true);
    if (!host_.adapter()) {
        reset(kCardUnplugged);
    } else if (!host_.radioOn()) {
        reset(kNoRadio);
    } else {
        const ConnectionState link = host_.connection();
        if (link.connected || link.adHocActive) {
            showLink(link);
        } else {
            reset(kNoConnection);
        }
    }
    moveTexts();
}

void CMainPage::showLink(const ConnectionState& link) {
    texts_.ssid = link.currentSsid;
    texts_.bssid = status::bssidText(link.currentBssid);
    texts_.networkType = status::networkTypeText(link.currentNetworkMode);
    texts_.security = status::securityText(host_.currentWepStatus());
    texts_.channel = status::channelCaption(link.currentChannel, link.currentFrequency);
    ui().setIcon(IDC_STATUS_LINK_ICON, status::linkIcon(link.currentWirelessMode));
    selectProfileInUse(link);
    texts_.status =
        link.currentNetworkMode != NetworkAdHoc || link.connected ? kConnected : kWaitingForPeer;
    paused_ = false;
    if (timerRunning_) tick();
}

void CMainPage::selectProfileInUse(const ConnectionState& link) {
    ui().select(IDC_STATUS_PROFILES, -1);
    const std::vector<const Profile*> entries = listedProfiles();
    int chosen = -1;
    bool markChosen = false;
    {
        std::lock_guard<std::mutex> lock(host_.profileLock());
        const Profile* inUse = host_.profiles().inUse();
        for (size_t item = 0; inUse && item < entries.size() && chosen < 0; ++item) {
            if (entries[item] == inUse && (isAnySsid(*inUse) || sameLink(*inUse, link))) {
                chosen = static_cast<int>(item);
            }
        }
        for (size_t item = 0; item < entries.size() && chosen < 0; ++item) {
            const Profile* profile = entries[item];
            if (!profile) continue;
            // A profile for any network, but "<ANY SSID>" only as the profile in use.
            const bool anyNetwork =
                joinsAnyNetwork(*profile) && (!isAnySsid(*profile) || profile == inUse);
            if (anyNetwork || sameLink(*profile, link)) {
                chosen = static_cast<int>(item);
                markChosen = true;
            }
        }
    }
    if (chosen < 0) return;
    ui().select(IDC_STATUS_PROFILES, chosen);
    if (markChosen) host_.markInUse(entries[chosen]);
}

void CMainPage::reset(const std::string& status) {
    signal_.clear();
    linkSpeed_.clear();
    ui().setPos(IDC_STATUS_SIGNAL, 0);
    ui().select(IDC_STATUS_PROFILES, -1);
    texts_.status = status;
    ui().setIcon(IDC_STATUS_LINK_ICON, IDI_NO_LINK);
}

void CMainPage::showStatusOnly(const std::string& status) {
    clearFields();
    texts_.status = status;
    moveTexts();
}

void CMainPage::tick() {
    if (paused_) return;
    if (texts_.status != kConnected) {
        texts_.transmitRate = kTransmitRate;
        texts_.receiveRate = kReceiveRate;
        platform_.addGraphValue(Graph::Transmit, 1);
        platform_.addGraphValue(Graph::Receive, 1);
        ui().setPos(IDC_STATUS_SIGNAL, 0);
        rates_.forget();
        moveTexts();
        return;
    }
    const ZelHandle adapter = host_.adapter();
    if (!adapter) return;
    readSignal(adapter);
    readLinkSpeed(adapter);
    showInterface(adapter);
    texts_.security = status::securityText(host_.currentWepStatus());
    moveTexts();
}

void CMainPage::readSignal(ZelHandle adapter) {
    int32_t rssi = 0;
    if (host_.api().ZelQueryRssi(adapter, &rssi) != 0) return;
    ui().setPos(IDC_STATUS_SIGNAL, signal_.add(rssi));
}

void CMainPage::readLinkSpeed(ZelHandle adapter) {
    uint32_t speed = 0;
    if (host_.api().ZelQueryLinkSpeed(adapter, &speed) != 0) return;
    if (!host_.refreshRateEverySecond()) speed = linkSpeed_.add(speed);
    texts_.linkSpeed = status::linkSpeedText(speed);
}

// The card's interface among the system's: its counters give the throughput, its entry
// the IP configuration.
void CMainPage::showInterface(ZelHandle adapter) {
    MacAddress mac{};
    std::optional<InterfaceReading> reading;
    if (host_.api().ZelGetMacAddress(adapter, mac.data(), static_cast<uint32_t>(mac.size())) == 0) {
        reading = platform_.cardInterface(mac);
    }
    const CardInterface* found = reading && reading->interface ? &*reading->interface : nullptr;
    if (found && reading->counters) {
        // Rates over the times of the readings: a reading seen twice adds none.
        const OctetCounters& counters = *reading->counters;
        if (const auto rates = rates_.sample(reading->tick, counters.out, counters.in)) {
            showRates(*rates);
        }
    }

    for (std::string Texts::*field :
         {&Texts::dhcp, &Texts::ipAddress, &Texts::subnetMask, &Texts::gateway}) {
        (texts_.*field).clear();
    }
    if (!found) return;
    const bool dhcp =
        host_.dhcpFromLibrary() ? host_.api().ZelQueryDhcp9x(adapter) != 0 : found->dhcpEnabled;
    texts_.dhcp = dhcp ? "Enable" : "Disable";
    texts_.ipAddress = found->ipAddress;
    texts_.subnetMask = found->subnetMask;
    texts_.gateway = found->gateway;
}

void CMainPage::showRates(const status::Rates& rates) {
    const status::Rates largest = rates_.largest();
    rescale(Graph::Transmit, transmitScale_, largest.transmit);
    rescale(Graph::Receive, receiveScale_, largest.receive);
    texts_.transmitRate = std::string(kTransmitRate) + " " + status::rateText(rates.transmit);
    texts_.receiveRate = std::string(kReceiveRate) + " " + status::rateText(rates.receive);
    platform_.addGraphValue(Graph::Transmit, std::max(rates.transmit, 1u));
    platform_.addGraphValue(Graph::Receive, std::max(rates.receive, 1u));
}

void CMainPage::rescale(Graph graph, Scale& scale, uint32_t largest) {
    if (largest == 0 || largest == scale.largest) return;
    scale.largest = largest;
    const int top = status::graphScale(largest);
    platform_.setGraphRange(graph, 1, top);
    texts_.*(scale.top) = status::rateText(static_cast<uint32_t>(top));
    texts_.*(scale.middle) = status::middleScaleText(static_cast<uint32_t>(top));
}

void CMainPage::onProfileChosen(const fw::Message&) {
    const int item = ui().selection(IDC_STATUS_PROFILES);
    if (item < 0 || !host_.adapter()) return;
    const std::vector<const Profile*> entries = listedProfiles();
    if (static_cast<size_t>(item) >= entries.size() || !entries[item]) return;
    apply(entries[item]);
}

void CMainPage::apply(const Profile* profile) {
    std::string status;
    {
        std::lock_guard<std::mutex> lock(host_.profileLock());
        status = isDefaultProfile(*profile) ? "Scan for AP with strongest RSSI"
                                            : "Scanning for " + fieldText(profile->ssid);
    }
    showStatusOnly(status);
    setBusy(true);
    const int result = host_.connectProfile(profile);
    if (result == kConnectAccepted || result == zel::kSetSsidAlreadyAssociated) fillProfileList();
    setBusy(false);
    // The card may send nothing (it was already on that network, or it refused): what it
    // reports now replaces the scanning text; its later events bring any change.
    updateDisplay();
}

// Busy mode: the page and the worker hold still while the card takes a profile.
void CMainPage::setBusy(bool busy) {
    if (busy) ui().setWaitCursor(true);
    // Leaving busy mode, the page stays paused while the radio is off.
    paused_ = busy || !host_.radioOn();
    host_.setBusy(busy);
    for (int id : kControls) ui().enable(id, !busy);
    if (!busy) ui().setWaitCursor(false);
    ui().redrawNow();
}

void CMainPage::moveTexts() {
    if (!hasWindow()) return;
    for (const Field& field : kFields) {
        const std::string& text = texts_.*(field.text);
        if (!shown_ || (*shown_).*(field.text) != text) ui().setText(field.id, text);
    }
    shown_ = texts_;
}
