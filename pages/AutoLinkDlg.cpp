#include "pages/AutoLinkDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "adapter/ScanList.h"
#include "adapter/ZelShared.h"
#include "framework/Host.h"
#include "pages/CountdownDlg.h"
#include "profiles/ConnectEngine.h"
#include "res/resource.h"

namespace {

constexpr uint8_t kVendorElement = 221;
// The element's body: OUI (3), two zeros, the AP tag and the state flags.
constexpr size_t kElementBody = 7;
constexpr uint8_t kFlagNotConfigured = 0x01;
constexpr uint8_t kFlagConfigured = 0x02;
constexpr uint8_t kFlagListed = 0x04;
constexpr int32_t kRssiFloor = -96;
constexpr uint32_t kStrengthTop = 40;
constexpr char kRssiMark[] = " (Rssi=";

constexpr int kAssociationTimer = 0x7000;
constexpr unsigned kAssociationMs = 10000;
constexpr unsigned kResultSettleMs = 500;
constexpr uint16_t kIpModeDhcp = 2;
constexpr uint16_t kIpModeStatic = 1;
// A network the card cannot find: leaving it ends the link.
constexpr char kNoNetwork[32] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
                                 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

constexpr char kCaption[] = "Auto Link";
constexpr char kNotConfigured[] = "This AP has not been configured";
constexpr char kConfigured[] = "This AP has been configured using Auto Link";
constexpr char kCannotAssociate[] = "Cannot associate to VORNAX AP!\r\nPlease try again";
constexpr char kAssociationFailed[] = "Association Failed!\r\nPlease make sure the PIN is correct";
constexpr char kPreparing[] = "Preparing for Auto Link brisk setup...";
constexpr char kNoIpAddress[] = "Cannot Get IP address, try again...";
constexpr char kSucceeded[] = "Auto Link is done successfully.\r\nPreparing to exit......";
constexpr char kFailed[] = "Auto Link Failed!, Please Try Again later.";
constexpr char kDisconnected[] = "Disconnect";
constexpr int kPreparingSeconds = 5;
constexpr int kNoIpSeconds = 5;
constexpr int kSucceededSeconds = 15;
constexpr int kFailedSeconds = 3;

constexpr const char* kStepTexts[] = {
    "Auto Link Start Request",      "Auto Link Start Response", "Auto Link Challenge Request",
    "Auto Link Challenge Response", "Auto Link Status Request", "Auto Link Status Response",
    "Auto Link End Request",
};

// The state by the flags byte, first match wins; none: not listed.
std::optional<AutoLinkState> stateOf(uint8_t flags) {
    if (flags & kFlagNotConfigured) return AutoLinkState::NotConfigured;
    if (flags & kFlagConfigured) return AutoLinkState::Configured;
    if (flags & kFlagListed) return AutoLinkState::ListedOnly;
    return std::nullopt;
}

// The tag and flags of a record's first element when it is an Auto Link element.
std::optional<std::pair<uint8_t, uint8_t>> autoLinkElement(const scan::Entry& entry) {
    const scan::Elements elements = entry.elements();
    auto first = elements.begin();
    if (!(first != elements.end())) return std::nullopt;
    const scan::Element element = *first;
    if (element.id != kVendorElement || element.length < kElementBody) return std::nullopt;
    const uint8_t* body = element.body;
    if (!std::equal(std::begin(zel::kAutoLinkOui), std::end(zel::kAutoLinkOui), body) ||
        body[3] != 0 || body[4] != 0) {
        return std::nullopt;
    }
    return std::make_pair(body[5], body[6]);
}

bool hasProfileFor(const ProfileList& profiles, const std::string& ssid, uint32_t networkType) {
    return std::any_of(profiles.begin(), profiles.end(), [&](const auto& profile) {
        return profile->networkType == networkType && fieldText(profile->ssid) == ssid;
    });
}

}  // namespace

std::vector<AutoLinkAp> autoLinkAps(const uint8_t* buffer, size_t size,
                                    const ProfileList& profiles) {
    std::vector<AutoLinkAp> aps;
    for (const scan::Entry entry : scan::ScanList(buffer, size, scan::Layout::ScanList)) {
        if (!entry.ssidFits() || entry.isAdHoc()) continue;
        const auto element = autoLinkElement(entry);
        if (!element) continue;
        const auto state = stateOf(element->second);
        if (!state) continue;
        AutoLinkAp ap;
        ap.ssid = entry.ssid();
        if (*state == AutoLinkState::Configured &&
            hasProfileFor(profiles, ap.ssid, entry.infrastructureMode())) {
            continue;
        }
        const int64_t strength = int64_t{entry.rssi()} - kRssiFloor;
        ap.strength = static_cast<uint32_t>(std::clamp<int64_t>(strength, 0, kStrengthTop));
        ap.state = *state;
        ap.apTag = element->first;
        const auto weaker = std::find_if(aps.begin(), aps.end(), [&](const AutoLinkAp& listed) {
            return listed.strength < ap.strength;
        });
        aps.insert(weaker, std::move(ap));
    }
    return aps;
}

std::string autoLinkItemText(const AutoLinkAp& ap) {
    char text[64];
    std::snprintf(text, sizeof text, "%s%s%d%%)", ap.ssid.c_str(), kRssiMark,
                  static_cast<int>(ap.strength * 100 / kStrengthTop));
    return text;
}

intptr_t autoLinkItemValue(const AutoLinkAp& ap) {
    return static_cast<intptr_t>((static_cast<uint32_t>(ap.state) << 16) | (ap.apTag & 0xFFFF));
}

std::string autoLinkSsidOfItem(const std::string& text) {
    const size_t mark = text.rfind(kRssiMark);
    return mark == std::string::npos ? text : text.substr(0, mark);
}

PinFault checkPin(const std::string& pin) {
    return pin.size() < kAutoLinkPinMin || pin.size() > kAutoLinkPinMax ? PinFault::Length
                                                                        : PinFault::None;
}

PinFault checkPinAndConfirmation(const std::string& pin, const std::string& confirmation) {
    if (checkPin(pin) != PinFault::None) return PinFault::Length;
    return pin == confirmation ? PinFault::None : PinFault::Mismatch;
}

std::array<uint8_t, 4> parseDottedAddress(const std::string& text) {
    std::array<uint8_t, 4> address{};
    size_t part = 0;
    unsigned value = 0;
    for (const char c : text) {
        if (c == '.') {
            if (++part == address.size()) return {};
            value = 0;
        } else if (c >= '0' && c <= '9') {
            value = value * 10 + static_cast<unsigned>(c - '0');
            if (value > 255) return {};
            address[part] = static_cast<uint8_t>(value);
        } else {
            return {};
        }
    }
    return part == address.size() - 1 ? address : std::array<uint8_t, 4>{};
}

TSRA_BRISKSETUP_SEC_INFO makeSecurityInfo(uint32_t apTag, const std::string& pin,
                                          const CardIp& ip) {
    TSRA_BRISKSETUP_SEC_INFO info;
    std::memset(&info, 0, sizeof info);
    info.Length = sizeof info;
    info.ApTag = static_cast<uint8_t>(apTag);
    std::memcpy(info.Pin, pin.data(), std::min(pin.size(), kAutoLinkPinMax));
    std::memcpy(info.ConstantBlock, zel::kAutoLinkConstantBlock, sizeof info.ConstantBlock);
    info.IpMode = ip.dhcp ? kIpModeDhcp : kIpModeStatic;
    std::memcpy(info.IpAddress, ip.address.data(), sizeof info.IpAddress);
    return info;
}

TSRA_BRISKSETUP_SETUP_REQ makeSetupRequest(uint32_t apTag) {
    TSRA_BRISKSETUP_SETUP_REQ request;
    std::memset(&request, 0, sizeof request);
    request.Length = sizeof request;
    request.ApTag = static_cast<uint8_t>(apTag);
    request.Field1 = 1;
    request.Field2 = 1;
    return request;
}

std::string autoLinkStepText(uint32_t event) {
    const uint32_t step = event - zel::EventAutoLinkFirst;
    return event >= zel::EventAutoLinkFirst && step < std::size(kStepTexts) ? kStepTexts[step]
                                                                            : std::string();
}

// ---- The dialog ---------------------------------------------------------------------

const fw::MessageEntry<CAutoLinkDlg> CAutoLinkDlg::kMap[] = {
    fw::onMessage(zel::kEventMessage, &CAutoLinkDlg::onEvent),
    fw::onCommand(fw::code::ComboSelChange, IDC_AUTO_LINK_APS, &CAutoLinkDlg::onSelectionChange),
    fw::onTimer(kAssociationTimer, &CAutoLinkDlg::onAssociationTimer),
};

CAutoLinkDlg::CAutoLinkDlg(AutoLinkHost& mainWindow)
    : fw::Dialog(IDD_AUTO_LINK), mainWindow_(mainWindow), setup_(blankProfile()) {}

CAutoLinkDlg::~CAutoLinkDlg() = default;

int CAutoLinkDlg::BuildApList() {
    aps_.clear();
    const ZelHandle adapter = mainWindow_.adapter();
    std::vector<uint8_t> buffer;
    if (adapter == nullptr || !scan::queryScanList(mainWindow_.api(), adapter, buffer)) return 0;
    std::lock_guard<std::mutex> lock(mainWindow_.profileLock());
    aps_ = autoLinkAps(buffer.data(), buffer.size(), mainWindow_.profiles());
    return static_cast<int>(aps_.size());
}

bool CAutoLinkDlg::onInit() {
    closed_ = false;
    mainWindow_.api().ZelInitialize(ui().handle());
    ui().limitText(IDC_AUTO_LINK_PIN, static_cast<int>(kAutoLinkPinMax));
    ui().limitText(IDC_AUTO_LINK_CONFIRM, static_cast<int>(kAutoLinkPinMax));
    ui().setFocus(IDC_AUTO_LINK_PIN);
    for (const AutoLinkAp& ap : aps_) {
        ui().addItem(IDC_AUTO_LINK_APS, autoLinkItemText(ap), autoLinkItemValue(ap));
    }
    ui().select(IDC_AUTO_LINK_APS, 0);
    // The main window is hidden meanwhile: the dialog stands in the middle of the screen.
    ui().centreOverOwner();
    ui().bringToFront();
    applySelection();
    return false;
}

bool CAutoLinkDlg::onMessage(const fw::Message& m) { return fw::dispatch(*this, kMap, m); }

void CAutoLinkDlg::onSelectionChange(const fw::Message&) { applySelection(); }

void CAutoLinkDlg::applySelection() {
    const int selected = std::max(ui().selection(IDC_AUTO_LINK_APS), 0);
    ssid_ = autoLinkSsidOfItem(ui().itemText(IDC_AUTO_LINK_APS, selected));
    const auto value = static_cast<uint32_t>(ui().itemData(IDC_AUTO_LINK_APS, selected));
    apTag_ = value & 0xFFFF;
    state_ = static_cast<AutoLinkState>(value >> 16);
    ui().setFocus(IDC_AUTO_LINK_PIN);
    const bool notConfigured = state_ == AutoLinkState::NotConfigured;
    ui().enable(IDC_AUTO_LINK_CONFIRM_LABEL, notConfigured);
    ui().enable(IDC_AUTO_LINK_CONFIRM, notConfigured);
    setStatus(notConfigured ? kNotConfigured : kConfigured);
}

bool CAutoLinkDlg::pinAccepted(bool withConfirmation) {
    const std::string pin = ui().text(IDC_AUTO_LINK_PIN);
    const PinFault fault = withConfirmation
                               ? checkPinAndConfirmation(pin, ui().text(IDC_AUTO_LINK_CONFIRM))
                               : checkPin(pin);
    if (fault == PinFault::Length) {
        ui().setText(IDC_AUTO_LINK_PIN, "");
        ui().setText(IDC_AUTO_LINK_CONFIRM, "");
    }
    if (fault != PinFault::None) {
        ui().setWaitCursor(false);
        ui().messageBox(mainWindow_.text(fault == PinFault::Length ? IDS_PASSPHRASE_LENGTH
                                                                   : IDS_PASSPHRASE_MISMATCH),
                        kCaption, fw::mb::Ok | fw::mb::IconExclamation);
        return false;
    }
    pin_ = pin;
    return true;
}

void CAutoLinkDlg::onOk() {
    ui().setWaitCursor(true);
    setupPending_ = false;
    done_ = false;
    switch (state_) {
        case AutoLinkState::NotConfigured:
            if (pinAccepted(true)) startOpenJoin();
            break;
        case AutoLinkState::Configured:
            if (pinAccepted(false)) {
                startSecuredJoin();
                return;
            }
            break;
        case AutoLinkState::ListedOnly:
            ui().setWaitCursor(false);
            break;
    }
    writeAutoLinkFlag();
}

void CAutoLinkDlg::startOpenJoin() {
    setup_ = blankProfile();
    setFieldText(setup_.ssid, ssid_);
    setup_.networkType = 1;
    setup_.wirelessMode = 255;
    setup_.securityType = 0;
    setup_.encryption = 0;
    programCard();
    setupPending_ = true;
}

void CAutoLinkDlg::startSecuredJoin() {
    fillFinishedProfile(ssid_);
    programCard();
    ui().setTimer(kAssociationTimer, kAssociationMs);
    associationTimer_ = true;
}

void CAutoLinkDlg::fillFinishedProfile(const std::string& ssid) {
    setup_ = blankProfile();
    setFieldText(setup_.name, ssid);
    setFieldText(setup_.ssid, ssid);
    setup_.preferred = 1;
    setup_.useDefaultRadio = 1;
    setup_.networkType = 1;
    setup_.securityType = 2;  // WPA-PSK
    setup_.encryption = 2;    // TKIP
    setFieldText(setup_.psk, pin_);
    setup_.pskLength = static_cast<uint32_t>(fieldText(setup_.psk).size());
}

void CAutoLinkDlg::programCard() {
    const ZelHandle adapter = mainWindow_.adapter();
    if (adapter == nullptr) return;
    const ZelApi& api = mainWindow_.api();
    const Profile& p = setup_;
    api.ZelSetAuthMode(adapter, p.securityType == 1   ? zel::AuthShared
                                : p.securityType == 2 ? zel::AuthWpaPsk
                                : p.securityType == 4 ? zel::AuthAutoSwitch
                                                      : zel::AuthOpen);
    api.ZelSetFswCCXNetworkEap(adapter, 0);
    if (p.encryption == 1) {
        api.ZelSetWepStatus(adapter, zel::WepEnabled);
        programWepKeys(api, adapter, p);
    } else {
        api.ZelSetWepStatus(adapter, p.encryption == 2 ? zel::TkipEnabled : zel::WepDisabled);
    }
    api.ZelSetWPAInformation(adapter, p.networkType, p.securityType, p.encryption, p.psk, p.ssid);
    api.ZelSetWlanMode(adapter, p.wirelessMode);
    api.ZelSetNetworkMode(adapter, p.networkType);
    const auto length = static_cast<uint32_t>(fieldText(p.ssid).size());
    joined_ = true;
    if (api.ZelSetSsid(adapter, p.ssid, length, 0) != 0 && !api.ZelGetConnectStatus(adapter)) {
        release();
        ui().setWaitCursor(false);
        setStatus(kCannotAssociate);
    }
}

void CAutoLinkDlg::release() {
    const ZelHandle adapter = mainWindow_.adapter();
    if (adapter == nullptr) return;
    mainWindow_.api().ZelWPAPortDown(adapter);
    // Refused, it is tried again when the dialog closes.
    joined_ = mainWindow_.api().ZelSetSsid(adapter, kNoNetwork, sizeof kNoNetwork, 0) != 0;
}

void CAutoLinkDlg::onEvent(const fw::Message& m) {
    if (closed_) return;
    const auto code = static_cast<uint32_t>(m.wParam);
    switch (code) {
        case zel::EventAssociated:
        case zel::EventReassociated:
            if (setupPending_) {
                setupPending_ = false;
                startExchange();
            }
            ui().setWaitCursor(true);
            break;
        case zel::EventCardRemoval:
            mainWindow_.passEvent(code, m.lParam);
            close(fw::id::Cancel);
            break;
        case zel::EventMediaCheck:
            setStatus(kDisconnected);
            break;
        case zel::EventRadioOn:
        case zel::EventRadioOff:
            mainWindow_.passEvent(code, m.lParam);
            break;
        case zel::EventAutoLinkDialog:
            cleanUp();
            closed_ = true;
            endDialog(fw::id::Ok);
            break;
        case zel::EventAutoLinkSuccess:
        case zel::EventAutoLinkFailure:
        case zel::EventAutoLinkAssociationFailed:
            // Only the first result of an exchange counts.
            if (!exchanging_) break;
            exchanging_ = false;
            if (code == zel::EventAutoLinkSuccess) {
                exchangeSucceeded();
            } else if (code == zel::EventAutoLinkFailure) {
                exchangeFailed();
            } else {
                associationFailed();
            }
            break;
        default:
            if (const std::string step = autoLinkStepText(code); !step.empty()) setStatus(step);
            break;
    }
}

void CAutoLinkDlg::startExchange() {
    countdown(kPreparing, kPreparingSeconds);
    const ZelHandle adapter = mainWindow_.adapter();
    if (closed_ || adapter == nullptr) return;
    CardIp ip = readCardIp().value_or(CardIp{});
    if (!ip.dhcp && ip.address == std::array<uint8_t, 4>{}) {
        countdown(kNoIpAddress, kNoIpSeconds);
        if (closed_ || mainWindow_.adapter() == nullptr) return;
        ip = readCardIp().value_or(CardIp{});
    }
    const TSRA_BRISKSETUP_SEC_INFO info = makeSecurityInfo(apTag_, pin_, ip);
    mainWindow_.api().ZelSetBSSecurityInfo(adapter, &info);
    const TSRA_BRISKSETUP_SETUP_REQ request = makeSetupRequest(apTag_);
    exchanging_ = true;
    mainWindow_.api().ZelSetBSSetupRequest(adapter, &request);
}

std::optional<CardIp> CAutoLinkDlg::readCardIp() {
    const ZelHandle adapter = mainWindow_.adapter();
    if (adapter == nullptr) return std::nullopt;
    MacAddress mac{};
    if (mainWindow_.api().ZelGetMacAddress(adapter, mac.data(),
                                           static_cast<uint32_t>(mac.size())) != 0) {
        return std::nullopt;
    }
    const std::optional<CardInterface> found = mainWindow_.ipHelper().findInterface(mac);
    if (!found) return std::nullopt;
    CardIp ip;
    ip.dhcp = mainWindow_.dhcpFromLibrary() ? mainWindow_.api().ZelQueryDhcp9x(adapter) != 0
                                            : found->dhcpEnabled;
    ip.address = parseDottedAddress(found->ipAddress);
    return ip;
}

void CAutoLinkDlg::exchangeSucceeded() {
    release();
    ui().pause(kResultSettleMs);
    const ZelHandle adapter = mainWindow_.adapter();
    if (closed_ || adapter == nullptr) return;
    TSRA_BRISKSETUP_SSID_INFO reported;
    std::memset(&reported, 0, sizeof reported);
    if (mainWindow_.api().ZelQueryBriskSetupAPInfo(adapter, &reported) != 0 ||
        reported.SsidLength > sizeof reported.Ssid) {
        return;
    }
    fillFinishedProfile(
        std::string(reinterpret_cast<const char*>(reported.Ssid), reported.SsidLength));
    countdown(kSucceeded, kSucceededSeconds);
    done_ = true;
    close(fw::id::Cancel);
}

void CAutoLinkDlg::exchangeFailed() {
    release();
    ui().pause(kResultSettleMs);
    if (closed_) return;
    setStatus(kFailed);
    countdown(kFailed, kFailedSeconds);
    close(fw::id::Cancel);
}

void CAutoLinkDlg::associationFailed() {
    // The timer goes first, so that no second box follows this one.
    stopAssociationTimer();
    release();
    ui().setWaitCursor(false);
    setStatus(kAssociationFailed);
    ui().messageBox(kAssociationFailed, kCaption, fw::mb::Ok | fw::mb::IconExclamation);
}

void CAutoLinkDlg::onAssociationTimer(const fw::Message&) {
    if (associationTimer_) {
        associationFailed();
    } else {
        ui().killTimer(kAssociationTimer);
    }
}

void CAutoLinkDlg::stopAssociationTimer() {
    if (!associationTimer_) return;
    associationTimer_ = false;
    ui().killTimer(kAssociationTimer);
}

void CAutoLinkDlg::countdown(const std::string& text, int seconds) {
    CCountdownDlg countdownDlg(text, seconds);
    host().runModal(countdownDlg, this);
    if (!closed_) ui().bringToFront();
}

void CAutoLinkDlg::setStatus(const std::string& text) { ui().setText(IDC_AUTO_LINK_STATUS, text); }

void CAutoLinkDlg::writeAutoLinkFlag() {
    mainWindow_.setAutoLink(!ui().isChecked(IDC_AUTO_LINK_DONT_ASK));
}

void CAutoLinkDlg::onCancel() { close(fw::id::Cancel); }

void CAutoLinkDlg::cardRemoved() {
    if (!hasWindow() || closed_) return;
    if (mainWindow_.adapter() == nullptr) {
        // The main window heard of it first and has closed the card.
        close(fw::id::Cancel);
        return;
    }
    fw::Message removal;
    removal.message = zel::kEventMessage;
    removal.wParam = zel::EventCardRemoval;
    onEvent(removal);
}

void CAutoLinkDlg::cleanUp() {
    aps_.clear();
    exchanging_ = false;
    setupPending_ = false;
    stopAssociationTimer();
}

void CAutoLinkDlg::close(int result) {
    if (closed_) return;
    // Closed while a join or an exchange is under way, the card leaves the access point,
    // which would otherwise hold the card openly or in a half-done setup.
    if (joined_) release();
    writeAutoLinkFlag();
    cleanUp();
    closed_ = true;
    endDialog(result);
}
