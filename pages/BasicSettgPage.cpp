#include "pages/BasicSettgPage.h"

#include <cstdio>

#include "framework/Controls.h"
#include "res/resource.h"

namespace {

// The main window's channel range; one that leaves 1..14 or runs backwards is 1..11.
sys::ChannelRange usableRange(const sys::ChannelRange& range) {
    const bool usable = range.first >= sys::kLowestChannel && range.last <= sys::kHighestChannel &&
                        range.first <= range.last;
    return usable ? range : sys::kDefaultChannelRange;
}

}  // namespace

std::string channelText(int channel) {
    // Channel 14 lies apart from the 5 MHz raster of the others.
    const double gigahertz = channel == 14 ? 2.484 : (2407 + 5 * channel) / 1000.0;
    char text[32];
    std::snprintf(text, sizeof text, "CH %d (%.3f GHz)", channel, gigahertz);
    return text;
}

const fw::MessageEntry<CBasicSettgPage> CBasicSettgPage::kMap[] = {
    fw::onCommand(fw::code::EditChange, IDC_NET_NAME, &CBasicSettgPage::onTextChange),
    fw::onCommand(fw::code::EditChange, IDC_NET_SSID, &CBasicSettgPage::onTextChange),
    fw::onCommand(fw::code::ComboSelChange, IDC_NET_TYPE, &CBasicSettgPage::onNetworkTypeChange),
    fw::onCommand(fw::code::ComboSelChange, IDC_NET_INFRA_MODE,
                  &CBasicSettgPage::onInfrastructureModeChange),
    fw::onCommand(fw::code::ComboSelChange, IDC_NET_ADHOC_MODE,
                  &CBasicSettgPage::onAdHocModeChange),
    fw::onCommand(fw::code::ComboSelChange, IDC_NET_CHANNEL, &CBasicSettgPage::onChannelChange),
};

CBasicSettgPage::CBasicSettgPage(CProfileSheet& sheet)
    : CProfilePage(sheet, sheet.isWizard() ? IDD_NETWORK_INFO_WIZARD : IDD_NETWORK_INFO,
                   IDS_NETWORK_INFO, IDS_NETWORK_INFO_HEADER) {}

bool CBasicSettgPage::onMessage(const fw::Message& m) { return fw::dispatch(*this, kMap, m); }

bool CBasicSettgPage::initPage() {
    ui().limitText(IDC_NET_NAME, static_cast<int>(kMaxNameLength));
    ui().limitText(IDC_NET_SSID, static_cast<int>(kSsidSize - 1));
    ui().addItem(IDC_NET_TYPE, text(IDS_INFRASTRUCTURE), NetworkInfrastructure);
    ui().addItem(IDC_NET_TYPE, text(IDS_AD_HOC), NetworkAdHoc);
    ui().addItem(IDC_NET_INFRA_MODE, text(IDS_AUTO), WirelessAuto);
    ui().addItem(IDC_NET_INFRA_MODE, text(IDS_80211B), Wireless80211b);
    ui().addItem(IDC_NET_ADHOC_MODE, text(IDS_80211B), Wireless80211b);
    ui().addItem(IDC_NET_ADHOC_MODE, text(IDS_80211G), Wireless80211g);
    ui().select(IDC_NET_ADHOC_MODE, ui().itemCount(IDC_NET_ADHOC_MODE) - 1);
    fillChannels();
    ui().select(IDC_NET_TYPE, 0);
    changeNetworkType();
    showMembers();
    return true;
}

// Showing the page does what a text change does: in the editor, it enables Save.
void CBasicSettgPage::onSetActive() {
    nameOrSsidChanged();
    applyRememberedDisable();
}

bool CBasicSettgPage::onKillActive() {
    readControls();
    return true;
}

void CBasicSettgPage::onTextChange(const fw::Message&) { nameOrSsidChanged(); }

void CBasicSettgPage::nameOrSsidChanged() {
    setWizardButtons(ui().text(IDC_NET_NAME).empty() ? 0 : fw::wiz::Next);
    changed();
}

void CBasicSettgPage::onNetworkTypeChange(const fw::Message&) { changeNetworkType(); }

void CBasicSettgPage::changeNetworkType() {
    showTypeControls(true);
    CProfileSheet::Shared& shared = profileSheet().shared();
    shared.adHoc = adHocShown();
    int mode = IDC_NET_INFRA_MODE;
    if (shared.adHoc) {
        mode = IDC_NET_ADHOC_MODE;
        ui().select(mode, ui().itemCount(mode) - 1);
        channel_ = 0;
        fillChannels();
    } else {
        ui().select(mode, 0);
    }
    shared.wirelessMode = static_cast<uint32_t>(fw::selectedData(ui(), mode, WirelessAuto));
    changed();
}

void CBasicSettgPage::onInfrastructureModeChange(const fw::Message&) {
    profileSheet().shared().wirelessMode =
        static_cast<uint32_t>(fw::selectedData(ui(), IDC_NET_INFRA_MODE, WirelessAuto));
    changed();
}

void CBasicSettgPage::onAdHocModeChange(const fw::Message&) {
    profileSheet().shared().wirelessMode =
        static_cast<uint8_t>(fw::selectedData(ui(), IDC_NET_ADHOC_MODE, Wireless80211g));
    changed();
}

void CBasicSettgPage::onChannelChange(const fw::Message&) { changed(); }

bool CBasicSettgPage::adHocShown() const {
    return fw::selectedData(ui(), IDC_NET_TYPE, NetworkInfrastructure) == NetworkAdHoc;
}

void CBasicSettgPage::fillChannels() {
    ui().clearItems(IDC_NET_CHANNEL);
    ui().addItem(IDC_NET_CHANNEL, text(IDS_AUTO_SELECT), 0);
    const int mode = ui().selection(IDC_NET_ADHOC_MODE);
    if (mode == 0 || mode == 1) {
        const sys::ChannelRange range = usableRange(profileSheet().mainWindow().channelRange());
        for (int channel = range.first; channel <= range.last; ++channel) {
            ui().addItem(IDC_NET_CHANNEL, channelText(channel), channel);
        }
    }
    fw::selectByData(ui(), IDC_NET_CHANNEL, channel_);
}

void CBasicSettgPage::showTypeControls(bool enable) {
    const bool adHoc = adHocShown();
    // The channel of the ad-hoc network the card runs stays while it is connected.
    const bool channelLocked = adHoc && profileSheet().isEditingProfileInUse() &&
                               profileSheet().mainWindow().link().connected;
    const bool channelEnabled = adHoc && enable && !channelLocked;
    ui().show(IDC_NET_CHANNEL_LABEL, adHoc);
    ui().show(IDC_NET_CHANNEL, adHoc);
    ui().enable(IDC_NET_CHANNEL, channelEnabled);
    ui().show(IDC_NET_INFRA_MODE_LABEL, !adHoc);
    ui().show(IDC_NET_INFRA_MODE, !adHoc);
    ui().enable(IDC_NET_INFRA_MODE, !adHoc && enable);
    ui().show(IDC_NET_ADHOC_GROUP, adHoc);
    ui().show(IDC_NET_ADHOC_MODE_LABEL, adHoc);
    ui().show(IDC_NET_ADHOC_MODE, adHoc);
    ui().enable(IDC_NET_ADHOC_MODE, adHoc && enable);
    if (channelEnabled && ui().selection(IDC_NET_CHANNEL) < 0) ui().select(IDC_NET_CHANNEL, 0);
}

void CBasicSettgPage::showMembers() {
    if (!hasWindow()) return;
    fw::selectByData(ui(), IDC_NET_TYPE, networkType_);
    CProfileSheet::Shared& shared = profileSheet().shared();
    shared.adHoc = adHocShown();
    if (shared.adHoc) {
        fw::selectByData(ui(), IDC_NET_ADHOC_MODE, adHocMode_);
        shared.wirelessMode =
            static_cast<uint8_t>(fw::selectedData(ui(), IDC_NET_ADHOC_MODE, Wireless80211g));
        fillChannels();
    } else {
        fw::selectByData(ui(), IDC_NET_INFRA_MODE, wirelessMode_);
        shared.wirelessMode =
            static_cast<uint32_t>(fw::selectedData(ui(), IDC_NET_INFRA_MODE, WirelessAuto));
    }
    showTypeControls(true);
    ui().setText(IDC_NET_NAME, name_);
    ui().setText(IDC_NET_SSID, ssid_);
}

void CBasicSettgPage::readControls() {
    name_ = ui().text(IDC_NET_NAME);
    ssid_ = ui().text(IDC_NET_SSID);
    networkType_ = static_cast<uint32_t>(fw::selectedData(ui(), IDC_NET_TYPE, networkType_));
    wirelessMode_ =
        static_cast<uint32_t>(fw::selectedData(ui(), IDC_NET_INFRA_MODE, wirelessMode_));
    adHocMode_ = static_cast<uint32_t>(fw::selectedData(ui(), IDC_NET_ADHOC_MODE, adHocMode_));
    channel_ = static_cast<uint32_t>(fw::selectedData(ui(), IDC_NET_CHANNEL, channel_));
}

void CBasicSettgPage::LoadFromProfile(const Profile& profile) {
    name_ = fieldText(profile.name);
    ssid_ = fieldText(profile.ssid);
    networkType_ = profile.networkType;
    wirelessMode_ = profile.wirelessMode;
    channel_ = profile.channel;
    adHocMode_ = profile.adHocWirelessMode;
    showMembers();
}

bool CBasicSettgPage::Validate(const Profile* record) {
    if (!hasWindow() || !record) return true;
    const std::string name = ui().text(IDC_NET_NAME);
    if (name.empty()) {
        warn(IDS_ILLEGAL_PROFILE_NAME);
        return false;
    }
    bool taken = false;
    {
        ProfileHost& mainWindow = profileSheet().mainWindow();
        std::lock_guard<std::mutex> lock(mainWindow.profileLock());
        for (const auto& listed : mainWindow.profiles()) {
            taken = taken || (listed.get() != record && fieldText(listed->name) == name);
        }
    }
    if (taken) {
        warn(IDS_PROFILE_NAME_EXISTS);
        profileSheet().activate(*this);
        return false;
    }
    return true;
}

bool CBasicSettgPage::StoreToProfile(Profile& profile) {
    if (!hasWindow()) return true;
    readControls();
    setFieldText(profile.name, name_);
    setFieldText(profile.ssid, ssid_);
    for (int id : {IDC_NET_TYPE, IDC_NET_INFRA_MODE, IDC_NET_ADHOC_MODE, IDC_NET_CHANNEL}) {
        if (ui().selection(id) < 0) return false;
    }
    // Each field takes the low 16 bits of its entry's code, the ad-hoc mode its low byte.
    profile.networkType = networkType_ & 0xFFFF;
    profile.wirelessMode = wirelessMode_ & 0xFFFF;
    profile.adHocWirelessMode = static_cast<uint8_t>(adHocMode_);
    profile.channel = channel_ & 0xFFFF;
    profile.hiddenSsid = hiddenSsid_;
    return true;
}

void CBasicSettgPage::enableControls(bool enable) {
    ui().enable(IDC_NET_NAME, enable);
    ui().enable(IDC_NET_SSID, enable);
    ui().enable(IDC_NET_TYPE, enable);
    showTypeControls(enable);
}
