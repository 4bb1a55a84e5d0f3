#include "pages/SiteSurvey.h"

#include <cstdio>
#include <mutex>
#include <utility>

#include "adapter/ZelShared.h"
#include "framework/Host.h"
#include "res/resource.h"
#include "system/ProgramCodes.h"

namespace {

// Images of the list, in the order of setImages.
enum Image : int {
    ImagePeer = 0,
    ImagePeerInUse = 1,
    ImageAp80211b = 2,
    ImageAp80211bInUse = 3,
    ImageAp80211g = 4,
    ImageAp80211gInUse = 5,
};

constexpr unsigned kSelectedAndFocused = fw::row::Selected | fw::row::Focused;

// The controls that busy mode disables and enables again.
constexpr int kWorkingControls[] = {IDC_SS_PEERS, IDC_SS_80211G,  IDC_SS_80211B,
                                    IDC_SS_LIST,  IDC_SS_REFRESH, IDC_SS_ASSOCIATE};

// Values of a new profile that the scan record does not give.
constexpr uint32_t kPreambleAuto = 1;
constexpr uint32_t kRateAuto = 255;
constexpr uint32_t kFragThresholdOff = 2346;
constexpr uint32_t kRtsThresholdOff = 2347;

std::string number(const char* format, int value) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

SurveyNetwork surveyNetwork(const scan::Entry& entry) {
    SurveyNetwork network;
    network.bssid = entry.bssid();
    network.ssid = entry.ssid();
    network.privacy = entry.privacy();
    network.adHoc = entry.isAdHoc();
    network.driverBand = entry.driverBand().value_or(entry.band());
    network.band = entry.band();
    network.channel = entry.channel();
    return network;
}

Profile* matchingProfile(const ProfileList& profiles, const SurveyNetwork& network) {
    const uint32_t networkType = network.adHoc ? NetworkAdHoc : NetworkInfrastructure;
    for (const auto& profile : profiles) {
        const uint32_t mode = profile->wirelessMode;
        if (fieldText(profile->ssid) == network.ssid && profile->networkType == networkType &&
            (mode == WirelessAuto || mode == network.driverBand || mode == network.band)) {
            return profile.get();
        }
    }
    return nullptr;
}

Profile surveyProfile(const SurveyNetwork& network, const std::string& name,
                      const scan::Security& security) {
    Profile profile = blankProfile();
    setFieldText(profile.name, name);
    setFieldText(profile.ssid, network.ssid);
    profile.networkType = network.adHoc ? NetworkAdHoc : NetworkInfrastructure;
    profile.wirelessMode = network.band;
    // An ad-hoc network is joined on its own band: 802.11g mode would not take an
    // 802.11b peer. An access point's profile only carries the mode, 802.11a or 802.11g.
    uint32_t adHocMode = network.band == scan::Band80211a ? Wireless80211a : Wireless80211g;
    if (network.adHoc) adHocMode = network.band;
    profile.adHocWirelessMode = static_cast<uint8_t>(adHocMode);
    profile.channel = network.adHoc ? network.channel : 0;
    profile.useDefaultRadio = 1;
    profile.powerMode = 0;
    profile.preamble = kPreambleAuto;
    profile.dataRate = kRateAuto;
    profile.fragThreshold = kFragThresholdOff;
    profile.rtsThreshold = kRtsThresholdOff;
    profile.preferred = 1;
    profile.ipAuto = 0;
    if (network.privacy) {
        profile.securityType = security.securityType;
        profile.encryption = security.encryption;
    }
    return profile;
}

const fw::MessageEntry<CSiteSurvey> CSiteSurvey::kMap[] = {
    fw::onClick(IDC_SS_REFRESH, &CSiteSurvey::onRefresh),
    fw::onClick(IDC_SS_ASSOCIATE, &CSiteSurvey::onAssociate),
    fw::onClick(IDC_SS_PEERS, &CSiteSurvey::onFilter),
    fw::onClick(IDC_SS_80211G, &CSiteSurvey::onFilter),
    fw::onClick(IDC_SS_80211B, &CSiteSurvey::onFilter),
    fw::onNotify(fw::code::Click, IDC_SS_LIST, &CSiteSurvey::onRowClick),
    fw::onNotify(fw::code::ItemChanged, IDC_SS_LIST, &CSiteSurvey::onRowChanged),
    fw::onNotify(fw::code::DoubleClick, IDC_SS_LIST, &CSiteSurvey::onRowDoubleClick),
    fw::onNotify(fw::code::KillFocus, IDC_SS_LIST, &CSiteSurvey::onListKillFocus),
};

CSiteSurvey::CSiteSurvey(SiteSurveyHost& mainWindow)
    : CZelPage(IDD_SITE_SURVEY, "Site Survey"),
      mainWindow_(mainWindow),
      buffer_(kScanListBufferSize, 0) {}

bool CSiteSurvey::onPageMessage(const fw::Message& m) { return fw::dispatch(*this, kMap, m); }

bool CSiteSurvey::onInit() {
    const int w = ui().clientWidth(IDC_SS_LIST) / 6;
    const int listWidth = ui().clientWidth(IDC_SS_LIST);
    const std::pair<int, int> columns[] = {
        {IDS_SS_SSID, 2 * w},       {IDS_SS_MAC_ADDRESS, w * 3 / 2},
        {IDS_SS_SECURITY, w},       {IDS_SS_CHANNEL, listWidth / 12},
        {IDS_SS_SIGNAL, w * 4 / 5}, {IDS_SS_NETWORK_TYPE, w * 6 / 5},
    };
    for (const auto& [heading, width] : columns) {
        ui().addColumn(IDC_SS_LIST, mainWindow_.text(heading), width);
    }
    ui().setListStyle(IDC_SS_LIST, fw::lvs::GridLines | fw::lvs::FullRowSelect);
    ui().setImages(IDC_SS_LIST,
                   {IDI_PEER, IDI_PEER_IN_USE, IDI_AP_80211B, IDI_AP_80211B_IN_USE, IDI_AP_80211G,
                    IDI_AP_80211G_IN_USE},
                   16, 4);
    // The template has these so; the page never lets them act.
    for (int id : {IDC_SS_FILTER, IDC_SS_TEST, IDC_SS_DISASSOCIATE}) {
        ui().enable(id, false);
        ui().show(id, false);
    }
    ui().enable(IDC_SS_80211A, false);
    ui().setCheck(IDC_SS_PEERS, showAdHoc_);
    ui().setCheck(IDC_SS_80211G, show80211g_);
    ui().setCheck(IDC_SS_80211B, show80211b_);
    return true;
}

void CSiteSurvey::onSetActive() {
    ui().enable(IDC_SS_ASSOCIATE, false);
    fill();
}

void CSiteSurvey::onMainWindowEvent(uint32_t code, intptr_t) {
    switch (code) {
        case zel::EventAssociated:
        case zel::EventReassociated:
        case sys::kCodeAdapterOpened:
            fill();
            break;
        case zel::EventDisassociated:
        case zel::EventLinkLost:
            if (!currentSsid_.empty()) fill();
            break;
        case zel::EventMediaCheck:
            if (!mainWindow_.busy()) fill();
            break;
        default:
            break;
    }
}

// ---- The list ----------------------------------------------------------------------

void CSiteSurvey::fill() {
    const ZelHandle adapter = mainWindow_.adapter();
    if (!adapter || !hasWindow()) return;
    buffer_.assign(kScanListBufferSize, 0);
    ui().deleteAllRows(IDC_SS_LIST);
    // No row is chosen any more; the keyboard stays on the page.
    if (ui().focus() == IDC_SS_ASSOCIATE) ui().setFocus(IDC_SS_LIST);
    ui().enable(IDC_SS_ASSOCIATE, false);
    const ConnectionState state = mainWindow_.connection();
    currentSsid_ = state.currentSsid;
    currentBssid_ = state.currentBssid;
    currentAdHoc_ = state.currentNetworkMode == NetworkAdHoc;
    currentChannel_ = state.currentChannel;
    if (!scan::queryScanList(mainWindow_.api(), adapter, buffer_)) {
        buffer_.assign(kScanListBufferSize, 0);
        return;
    }

    int position = 0;
    int row = 0;
    for (const scan::Entry& entry : scan::ScanList(buffer_, scan::Layout::ScanList)) {
        const int record = position++;
        if (!entry.ssidFits()) continue;
        const bool adHoc = entry.isAdHoc();
        const scan::Band band = entry.band();
        if (adHoc ? !showAdHoc_ : !(band == scan::Band80211g ? show80211g_ : show80211b_)) {
            continue;
        }
        const uint32_t channel = entry.channel();
        if (channel == 0) continue;  // no channel this card can be on
        const std::string ssid = entry.ssid();
        const bool inUse = state.connected && entry.bssid() == currentBssid_ &&
                           ssid == currentSsid_ && adHoc == currentAdHoc_ &&
                           channel == currentChannel_;
        int image = band == scan::Band80211b ? ImageAp80211b : ImageAp80211g;
        if (adHoc) image = ImagePeer;
        if (inUse) ++image;
        const std::string bssid = entry.bssidText();
        ui().insertRow(IDC_SS_LIST, row, ssid.empty() ? "<" + bssid + ">" : ssid, image, record);
        ui().setCell(IDC_SS_LIST, row, 1, bssid);
        ui().setCell(IDC_SS_LIST, row, 2,
                     mainWindow_.text(entry.privacy() ? IDS_SS_SECURITY_ON : IDS_SS_SECURITY_OFF));
        ui().setCell(IDC_SS_LIST, row, 3, number("%d", static_cast<int>(channel)));
        ui().setCell(IDC_SS_LIST, row, 4, number("%d%%", entry.signalPercent()));
        ui().setCell(IDC_SS_LIST, row, 5,
                     mainWindow_.text(adHoc ? IDS_AD_HOC : IDS_INFRASTRUCTURE));
        ++row;
    }
}

std::optional<scan::Entry> CSiteSurvey::shownRecord(int row) const {
    if (row < 0 || row >= ui().rowCount(IDC_SS_LIST)) return std::nullopt;
    const intptr_t position = ui().rowData(IDC_SS_LIST, row);
    if (position < 0 || position > INT32_MAX) return std::nullopt;
    std::optional<scan::Entry> entry =
        scan::ScanList(buffer_, scan::Layout::ScanList).at(static_cast<int>(position));
    if (!entry || !entry->ssidFits()) return std::nullopt;
    return entry;
}

void CSiteSurvey::enableAssociateFor(int row) {
    const std::optional<scan::Entry> entry = shownRecord(row);
    ui().enable(IDC_SS_ASSOCIATE, entry && entry->ssidLength() > 0);
}

void CSiteSurvey::onRowClick(const fw::Message& m) {
    if (m.row >= 0) ui().setRowState(IDC_SS_LIST, m.row, kSelectedAndFocused, kSelectedAndFocused);
    enableAssociateFor(m.row);
}

// Choosing a row with the keyboard gives Associate the same rule as a click.
void CSiteSurvey::onRowChanged(const fw::Message& m) {
    if (m.row >= 0 && m.gained(fw::row::Selected)) enableAssociateFor(m.row);
}

void CSiteSurvey::onRowDoubleClick(const fw::Message& m) {
    if (m.row >= 0) associate(m.row);
}

void CSiteSurvey::onListKillFocus(const fw::Message&) {
    if (ui().focus() != IDC_SS_ASSOCIATE) ui().enable(IDC_SS_ASSOCIATE, false);
}

void CSiteSurvey::onFilter(const fw::Message& m) {
    const bool checked = ui().isChecked(m.id);
    if (m.id == IDC_SS_PEERS) showAdHoc_ = checked;
    if (m.id == IDC_SS_80211G) show80211g_ = checked;
    if (m.id == IDC_SS_80211B) show80211b_ = checked;
    fill();
}

// ---- Busy mode ---------------------------------------------------------------------

void CSiteSurvey::enterBusy() {
    focusBeforeBusy_ = ui().focus();
    mainWindow_.setBusy(true);
    ui().setWaitCursor(true);
    for (int id : kWorkingControls) ui().enable(id, false);
    ui().redrawNow();
}

void CSiteSurvey::leaveBusy() {
    for (int id : kWorkingControls) ui().enable(id, true);
    ui().enable(IDC_SS_ASSOCIATE, false);
    mainWindow_.setBusy(false);
    // The keyboard goes on where it was; from Associate, now disabled, to the list.
    if (focusBeforeBusy_ != 0) {
        ui().setFocus(focusBeforeBusy_ == IDC_SS_ASSOCIATE ? IDC_SS_LIST : focusBeforeBusy_);
    }
    ui().redrawNow();
    ui().setWaitCursor(false);
}

// ---- Refresh -----------------------------------------------------------------------

void CSiteSurvey::onRefresh(const fw::Message&) { refresh(); }

void CSiteSurvey::refresh() {
    const ZelHandle adapter = mainWindow_.adapter();
    if (!adapter || !hasWindow()) return;
    enterBusy();
    const ZelApi& api = mainWindow_.api();
    uint32_t mode = 0;
    if (api.ZelQueryNetworkMode(adapter, &mode) == 0) api.ZelSetNetworkMode(adapter, mode);
    api.ZelScan(adapter);
    leaveBusy();
    fill();
}

// ---- Associate ---------------------------------------------------------------------

void CSiteSurvey::onAssociate(const fw::Message&) { associate(ui().selectedRow(IDC_SS_LIST)); }

void CSiteSurvey::associate(int row) {
    const std::optional<scan::Entry> entry = shownRecord(row);
    // A hidden network has no SSID to join by.
    if (!entry || entry->ssidLength() == 0) return;
    const SurveyNetwork network = surveyNetwork(*entry);

    Profile* profile;
    std::unique_ptr<Profile> created;
    {
        std::lock_guard<std::mutex> lock(mainWindow_.profileLock());
        profile = matchingProfile(mainWindow_.profiles(), network);
        if (profile) {
            profile->preferred = 1;
            if (!network.privacy && profile->encryption != EncryptionOff) {
                profile->securityType = SecurityOpenSystem;
                profile->encryption = EncryptionOff;
            }
        }
    }
    if (!profile) {
        scan::Security security{SecurityOpenSystem, EncryptionOff};
        if (network.privacy) {
            security =
                scan::detectSecurity(mainWindow_.api(), mainWindow_.adapter(), network.bssid);
        }
        std::string name;
        {
            std::lock_guard<std::mutex> lock(mainWindow_.profileLock());
            name = uniqueProfileName(mainWindow_.profiles(), network.ssid);
        }
        created = std::make_unique<Profile>(surveyProfile(network, name, security));
        profile = created.get();
    }

    if (network.privacy) {
        CProfileSheet sheet(mainWindow_, CProfileSheet::Purpose::SecurityOnly);
        sheet.load(profile);
        // Cancelled: a new profile goes, an existing one keeps what changed.
        if (host().runSheet(sheet, this) != fw::id::Ok) return;
        if (!created) {
            std::lock_guard<std::mutex> lock(mainWindow_.profileLock());
            if (!mainWindow_.profiles().indexOf(profile)) return;
        }
    }

    enterBusy();
    const int result = mainWindow_.connectProfile(profile);
    leaveBusy();
    connected(result, profile, std::move(created));
}

void CSiteSurvey::connected(int result, Profile* profile, std::unique_ptr<Profile> created) {
    if (result == kConnectAccepted) {
        if (created) {
            std::lock_guard<std::mutex> lock(mainWindow_.profileLock());
            mainWindow_.profiles().insert(0, std::move(created));
        }
        mainWindow_.markInUse(profile);
        return;
    }
    if (result != kConnectNotDone && result != zel::kSetSsidAlreadyAssociated) {
        // A refused connect keeps no new profile.
        return;
    }
    if (created) {
        const ConnectionState state = mainWindow_.connection();
        const bool linked = state.connected || state.adHocActive;
        const bool sameNetwork = fieldText(profile->ssid) == state.currentSsid &&
                                 profile->networkType == state.currentNetworkMode;
        if (linked && sameNetwork) {
            {
                std::lock_guard<std::mutex> lock(mainWindow_.profileLock());
                mainWindow_.profiles().insert(0, std::move(created));
            }
            mainWindow_.markInUse(profile);
        } else if (!linked && !sameNetwork) {
            mainWindow_.markInUse(nullptr);
        }
        // On another network the card keeps its profile in use; the new one goes.
    }
    fill();
}
