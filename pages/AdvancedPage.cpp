#include "pages/AdvancedPage.h"

#include <algorithm>
#include <optional>

#include "framework/Controls.h"
#include "profiles/Profile.h"
#include "res/resource.h"
#include "system/ProgramCodes.h"

namespace {

// A combo's entries: the string of each text, and the code sent to and read from the card.
struct Entry {
    int textId;
    intptr_t code;
};
constexpr Entry kPowerSave[] = {{IDS_CONTINUOUS_ACCESS, 0}, {IDS_MAX_POWER_SAVE, 1}};
constexpr Entry kPreamble[] = {{IDS_AUTO, 1}, {IDS_PREAMBLE_SHORT, 2}, {IDS_PREAMBLE_LONG, 3}};
constexpr Entry kTxPower[] = {
    {IDS_AUTO, 4}, {IDS_TX_POWER_HIGH, 3}, {IDS_TX_POWER_MEDIUM, 2}, {IDS_TX_POWER_LOW, 1}};
constexpr intptr_t kDiversity = 0xFFFF;
constexpr intptr_t kSecondAntenna = 2;
constexpr Entry kTxAntenna[] = {{IDS_DIVERSITY_ON, kDiversity}, {IDS_ANTENNA_2, kSecondAntenna}};
constexpr Entry kRxAntenna[] = {{IDS_DIVERSITY_ON, kDiversity},
                                {IDS_DIVERSITY_OFF, kSecondAntenna}};

// The default settings.
constexpr intptr_t kContinuousAccess = 0;
constexpr intptr_t kAutoPreamble = 1;
constexpr intptr_t kAutoTxPower = 4;
constexpr unsigned kEverySetting = 0x27F;

// The device description's buffer.
constexpr uint32_t kDescriptionSize = 200;

// The combos that show the card's settings, emptied without a card.
constexpr int kSettingCombos[] = {IDC_ADV_POWER_SAVE, IDC_ADV_PREAMBLE, IDC_ADV_TX_ANTENNA,
                                  IDC_ADV_RX_ANTENNA, IDC_ADV_TX_POWER, IDC_ADV_RATE};

// The library's query and set operations of one value.
using Query = decltype(ZelApi::ZelQueryPowerMode);
using Set = decltype(ZelApi::ZelSetPowerMode);

// Selects the entry of the card's value when the query succeeds and an entry has it.
void showQueried(fw::Surface& ui, int id, Query query, ZelHandle adapter) {
    uint32_t value = 0;
    if (query(adapter, &value) != 0) return;
    const int position = fw::findData(ui, id, static_cast<intptr_t>(value));
    if (position >= 0) ui.select(id, position);
}

// Sends the code of the entry selected; nothing is selected, nothing is sent.
void sendSelected(const fw::Surface& ui, int id, Set set, ZelHandle adapter) {
    if (ui.selection(id) < 0) return;
    set(adapter, static_cast<uint32_t>(fw::selectedData(ui, id, 0)));
}

}  // namespace

const fw::MessageEntry<CAdvancedPage> CAdvancedPage::kMap[] = {
    fw::onCommand(fw::code::ComboSelChange, IDC_ADV_POWER_SAVE, &CAdvancedPage::onPowerSave),
    fw::onCommand(fw::code::ComboSelChange, IDC_ADV_PREAMBLE, &CAdvancedPage::onPreamble),
    fw::onCommand(fw::code::ComboSelChange, IDC_ADV_TX_ANTENNA, &CAdvancedPage::onTxAntenna),
    fw::onCommand(fw::code::ComboSelChange, IDC_ADV_RX_ANTENNA, &CAdvancedPage::onRxAntenna),
    fw::onCommand(fw::code::ComboSelChange, IDC_ADV_TX_POWER, &CAdvancedPage::onTxPower),
    fw::onCommand(fw::code::ComboSelChange, IDC_ADV_RATE, &CAdvancedPage::onRate),
    fw::onCommand(fw::code::EditChange, IDC_ADV_FRAG, &CAdvancedPage::onFragThreshold),
    fw::onCommand(fw::code::EditChange, IDC_ADV_RTS, &CAdvancedPage::onRtsThreshold),
    fw::onClick(IDC_ADV_APPLY, &CAdvancedPage::onApplyClick),
    fw::onClick(IDC_ADV_DEFAULT, &CAdvancedPage::onDefaultClick),
    fw::onClick(IDC_ADV_AUTO_CONNECT, &CAdvancedPage::onAutoConnect),
    fw::onClick(IDC_ADV_AUTO_LINK, &CAdvancedPage::onAutoLink),
};

CAdvancedPage::CAdvancedPage(AdvancedHost& host)
    : CZelPage(IDD_ADVANCED, "Advanced"), host_(host) {}

bool CAdvancedPage::onPageMessage(const fw::Message& m) { return fw::dispatch(*this, kMap, m); }

bool CAdvancedPage::onInit() {
    const auto fill = [this](int id, const auto& entries) {
        for (const Entry& entry : entries) ui().addItem(id, host_.text(entry.textId), entry.code);
    };
    fill(IDC_ADV_POWER_SAVE, kPowerSave);
    fill(IDC_ADV_PREAMBLE, kPreamble);
    fill(IDC_ADV_TX_POWER, kTxPower);
    fill(IDC_ADV_TX_ANTENNA, kTxAntenna);
    fill(IDC_ADV_RX_ANTENNA, kRxAntenna);
    ui().setRange(IDC_ADV_FRAG_SPIN, kFragMin, kFragMax);
    ui().setRange(IDC_ADV_RTS_SPIN, kRtsMin, kRtsMax);
    // The transmit antenna is only shown; the fragmentation threshold waits for the card.
    for (int id : {IDC_ADV_TX_ANTENNA, IDC_ADV_FRAG, IDC_ADV_FRAG_SPIN}) ui().enable(id, false);
    return true;
}

void CAdvancedPage::onSetActive() {
    pending_ = 0;
    fillRates();
    refresh();
}

bool CAdvancedPage::onKillActive() {
    pending_ = 0;
    return true;
}

void CAdvancedPage::onReset() { pending_ = 0; }

void CAdvancedPage::onMainWindowEvent(uint32_t code, intptr_t) {
    if (code == sys::kCodeAdapterOpened) refresh();
}

void CAdvancedPage::applyPending() {
    if (pending_ != 0) apply();
}

void CAdvancedPage::onPowerSave(const fw::Message&) { userChanged(PendingPowerSave); }
void CAdvancedPage::onPreamble(const fw::Message&) { userChanged(PendingPreamble); }
void CAdvancedPage::onTxAntenna(const fw::Message&) { userChanged(PendingTxAntenna); }
void CAdvancedPage::onRxAntenna(const fw::Message&) { userChanged(PendingRxAntenna); }
void CAdvancedPage::onTxPower(const fw::Message&) { userChanged(PendingTxPower); }
// The card takes a new rate together with its preamble.
void CAdvancedPage::onRate(const fw::Message&) { userChanged(PendingRate | PendingPreamble); }
void CAdvancedPage::onFragThreshold(const fw::Message&) { userChanged(PendingFragThreshold); }
void CAdvancedPage::onRtsThreshold(const fw::Message&) { userChanged(PendingRtsThreshold); }

void CAdvancedPage::userChanged(unsigned pending) {
    if (!showing_) pending_ |= pending;
}

void CAdvancedPage::onApplyClick(const fw::Message&) { apply(); }

void CAdvancedPage::onDefaultClick(const fw::Message&) {
    fw::selectByData(ui(), IDC_ADV_POWER_SAVE, kContinuousAccess);
    fw::selectByData(ui(), IDC_ADV_RATE, kAutoRate);
    fw::selectByData(ui(), IDC_ADV_PREAMBLE, kAutoPreamble);
    fw::selectByData(ui(), IDC_ADV_TX_POWER, kAutoTxPower);
    fw::selectByData(ui(), IDC_ADV_TX_ANTENNA, kSecondAntenna);
    fw::selectByData(ui(), IDC_ADV_RX_ANTENNA, kDiversity);
    fragThreshold_ = kFragMax;
    rtsThreshold_ = kRtsMax;
    showThresholds();
    pending_ = kEverySetting;
    apply();
}

void CAdvancedPage::onAutoConnect(const fw::Message&) {
    const bool on = ui().isChecked(IDC_ADV_AUTO_CONNECT);
    host_.settings().writeSetting(sys::Setting::AutoConfiguration, on ? 1 : 0);
    host_.setAutoConfiguration(on);
}

void CAdvancedPage::onAutoLink(const fw::Message&) {
    const bool on = ui().isChecked(IDC_ADV_AUTO_LINK);
    host_.settings().writeSetting(sys::Setting::AutoLink, on ? 1 : 0);
    host_.setAutoLink(on);
}

void CAdvancedPage::fillRates() {
    const ZelHandle adapter = host_.adapter();
    const ConnectionState link = host_.connection();
    uint32_t mode = 0;
    if (link.connected || link.adHocActive) {
        mode = link.currentWirelessMode;
    } else if (adapter && host_.api().ZelQueryWlanMode(adapter, &mode) != 0) {
        mode = 0;
    }
    ui().clearItems(IDC_ADV_RATE);
    ui().addItem(IDC_ADV_RATE, host_.text(IDS_AUTO), kAutoRate);
    for (uint32_t code : ratesOfMode(mode)) ui().addItem(IDC_ADV_RATE, rateText(code), code);
}

void CAdvancedPage::showSwitches() {
    ui().setCheck(IDC_ADV_AUTO_CONNECT,
                  host_.settings().readSetting(sys::Setting::AutoConfiguration) == 1);
    ui().setCheck(IDC_ADV_AUTO_LINK, host_.autoLinkEnabled());
}

void CAdvancedPage::refresh() {
    if (!hasWindow()) return;
    showing_ = true;
    // The switches belong to the program, not to the card: they show in any case.
    showSwitches();
    ui().setText(IDC_ADV_DESCRIPTION, "");
    const ZelHandle adapter = host_.adapter();
    if (!adapter) {
        for (int id : kSettingCombos) ui().select(id, -1);
        fragThreshold_ = 0;
        rtsThreshold_ = 0;
        showThresholds();
        showing_ = false;
        return;
    }
    const ZelApi& api = host_.api();
    for (int id : kSettingCombos) ui().select(id, 0);
    fragThreshold_ = kFragMax;
    rtsThreshold_ = kRtsMax;

    char description[kDescriptionSize] = {};
    if (api.ZelQueryDeviceDesc(adapter, description, sizeof description) == 0) {
        description[sizeof description - 1] = '\0';
        ui().setText(IDC_ADV_DESCRIPTION, description);
    }
    // An ad-hoc network keeps the radio awake.
    const ConnectionState link = host_.connection();
    ui().enable(IDC_ADV_POWER_SAVE, !(link.connected || link.adHocActive) ||
                                        link.currentNetworkMode == NetworkInfrastructure);

    showQueried(ui(), IDC_ADV_POWER_SAVE, api.ZelQueryPowerMode, adapter);
    showQueried(ui(), IDC_ADV_TX_ANTENNA, api.ZelQueryTxAntenna, adapter);
    showQueried(ui(), IDC_ADV_RX_ANTENNA, api.ZelQueryRxAntenna, adapter);
    showQueried(ui(), IDC_ADV_TX_POWER, api.ZelQueryTxPower, adapter);
    showQueried(ui(), IDC_ADV_RATE, api.ZelQueryDataRate, adapter);
    showQueried(ui(), IDC_ADV_PREAMBLE, api.ZelQueryPreamble, adapter);

    uint32_t value = 0;
    const bool fragmentation = api.ZelQueryWepStatus(adapter, &value) == 0;
    ui().enable(IDC_ADV_FRAG, fragmentation);
    ui().enable(IDC_ADV_FRAG_SPIN, fragmentation);
    if (fragmentation && api.ZelQueryFragThreshold(adapter, &value) == 0) {
        fragThreshold_ = static_cast<int32_t>(value);
    }
    if (api.ZelQueryRTSThreshold(adapter, &value) == 0) rtsThreshold_ = static_cast<int32_t>(value);
    showThresholds();
    showing_ = false;
}

void CAdvancedPage::showThresholds() {
    const bool wasShowing = showing_;
    showing_ = true;
    ui().setText(IDC_ADV_FRAG, std::to_string(fragThreshold_));
    ui().setText(IDC_ADV_RTS, std::to_string(rtsThreshold_));
    showing_ = wasShowing;
}

void CAdvancedPage::readThresholds() {
    // A text that is no number is refused: the value held stays and nothing is sent.
    if (const std::optional<int32_t> frag = thresholdNumber(ui().text(IDC_ADV_FRAG))) {
        fragThreshold_ = *frag;
    } else {
        pending_ &= ~PendingFragThreshold;
    }
    if (const std::optional<int32_t> rts = thresholdNumber(ui().text(IDC_ADV_RTS))) {
        rtsThreshold_ = *rts;
    } else {
        pending_ &= ~PendingRtsThreshold;
    }
}

void CAdvancedPage::apply() {
    readThresholds();
    const ZelHandle adapter = host_.adapter();
    if (!adapter) return;
    ui().setWaitCursor(true);
    const ZelApi& api = host_.api();
    if (pending_ & PendingPowerSave) {
        sendSelected(ui(), IDC_ADV_POWER_SAVE, api.ZelSetPowerMode, adapter);
    }
    if (pending_ & PendingPreamble) {
        sendSelected(ui(), IDC_ADV_PREAMBLE, api.ZelSetPreamble, adapter);
    }
    if (pending_ & PendingFragThreshold) {
        fragThreshold_ = std::clamp(fragThreshold_, kFragMin, kFragMax);
        api.ZelSetFragThreshold(adapter, static_cast<uint32_t>(fragThreshold_));
    }
    if (pending_ & PendingRtsThreshold) {
        rtsThreshold_ = std::clamp(rtsThreshold_, kRtsMin, kRtsMax);
        api.ZelSetRTSThreshold(adapter, static_cast<uint32_t>(rtsThreshold_));
    }
    if (pending_ & PendingTxPower) {
        sendSelected(ui(), IDC_ADV_TX_POWER, api.ZelSetTxPower, adapter);
    }
    if (pending_ & PendingTxAntenna) {
        sendSelected(ui(), IDC_ADV_TX_ANTENNA, api.ZelSetTxAntenna, adapter);
    }
    if (pending_ & PendingRxAntenna) {
        sendSelected(ui(), IDC_ADV_RX_ANTENNA, api.ZelSetRxAntenna, adapter);
    }
    if (pending_ & PendingRate) sendSelected(ui(), IDC_ADV_RATE, api.ZelSetDataRate, adapter);
    pending_ = 0;
    showThresholds();
    ui().setWaitCursor(false);
}
