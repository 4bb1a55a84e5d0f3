#include "pages/AdvSettgPage.h"

#include <limits>

#include "framework/Controls.h"
#include "res/resource.h"

namespace {

// The controls that "Do not change settings" switches off, beside the power save mode.
constexpr int kRadioControls[] = {
    IDC_PROTO_POWER_SAVE_LABEL,
    IDC_PROTO_PREAMBLE_LABEL,
    IDC_PROTO_RATE_LABEL,
    IDC_PROTO_FRAG_LABEL,
    IDC_PROTO_RTS_LABEL,
    IDC_PROTO_PREAMBLE,
    IDC_PROTO_RATE,
    IDC_PROTO_FRAG,
    IDC_PROTO_RTS,
    IDC_PROTO_FRAG_SPIN,
    IDC_PROTO_RTS_SPIN,
    IDC_PROTO_RESET,
    IDC_PROTO_GROUP,
};

}  // namespace

const fw::MessageEntry<CAdvSettgPage> CAdvSettgPage::kMap[] = {
    fw::onClick(IDC_PROTO_KEEP, &CAdvSettgPage::onKeepClick),
    fw::onClick(IDC_PROTO_RESET, &CAdvSettgPage::onResetClick),
    fw::onCommand(fw::code::ComboSelChange, IDC_PROTO_POWER_SAVE, &CAdvSettgPage::onValueChange),
    fw::onCommand(fw::code::ComboSelChange, IDC_PROTO_PREAMBLE, &CAdvSettgPage::onValueChange),
    fw::onCommand(fw::code::ComboSelChange, IDC_PROTO_RATE, &CAdvSettgPage::onValueChange),
    fw::onCommand(fw::code::EditChange, IDC_PROTO_FRAG, &CAdvSettgPage::onValueChange),
    fw::onCommand(fw::code::EditChange, IDC_PROTO_RTS, &CAdvSettgPage::onValueChange),
};

CAdvSettgPage::CAdvSettgPage(CProfileSheet& sheet)
    : CProfilePage(sheet, sheet.isWizard() ? IDD_PROTOCOL_WIZARD : IDD_PROTOCOL, IDS_PROTOCOL,
                   IDS_PROTOCOL_HEADER) {}

bool CAdvSettgPage::onMessage(const fw::Message& m) { return fw::dispatch(*this, kMap, m); }

bool CAdvSettgPage::initPage() {
    ui().addItem(IDC_PROTO_POWER_SAVE, text(IDS_CONTINUOUS_ACCESS), 0);
    ui().addItem(IDC_PROTO_POWER_SAVE, text(IDS_MAX_POWER_SAVE), 1);
    ui().addItem(IDC_PROTO_PREAMBLE, text(IDS_AUTO), 1);
    ui().addItem(IDC_PROTO_PREAMBLE, text(IDS_PREAMBLE_SHORT), 2);
    ui().addItem(IDC_PROTO_PREAMBLE, text(IDS_PREAMBLE_LONG), 3);
    ui().select(IDC_PROTO_POWER_SAVE, 0);
    ui().select(IDC_PROTO_PREAMBLE, 0);
    ui().setRange(IDC_PROTO_FRAG_SPIN, kFragMin, kFragMax);
    ui().setRange(IDC_PROTO_RTS_SPIN, kRtsMin, kRtsMax);
    showMembers();
    return true;
}

void CAdvSettgPage::onSetActive() {
    setWizardButtons(fw::wiz::Back | fw::wiz::Next);
    applyEnableRule();
    applyRememberedDisable();
}

bool CAdvSettgPage::onKillActive() {
    readControls();
    return true;
}

void CAdvSettgPage::onKeepClick(const fw::Message&) {
    keepCardSettings_ = ui().isChecked(IDC_PROTO_KEEP);
    applyEnableRule();
    changed();
}

void CAdvSettgPage::onResetClick(const fw::Message&) {
    for (int id : {IDC_PROTO_POWER_SAVE, IDC_PROTO_PREAMBLE, IDC_PROTO_RATE}) ui().select(id, 0);
    frag_ = kFragMax;
    rts_ = kRtsMax;
    ui().setText(IDC_PROTO_FRAG, std::to_string(frag_));
    ui().setText(IDC_PROTO_RTS, std::to_string(rts_));
    changed();
}

void CAdvSettgPage::onValueChange(const fw::Message&) { changed(); }

void CAdvSettgPage::applyEnableRule() {
    const bool own = !keepCardSettings_;
    for (int id : kRadioControls) ui().enable(id, own);
    if (profileSheet().shared().adHoc) {
        ui().select(IDC_PROTO_POWER_SAVE, 0);
        ui().enable(IDC_PROTO_POWER_SAVE, false);
    } else {
        ui().enable(IDC_PROTO_POWER_SAVE, own);
    }
    fillRates();
}

void CAdvSettgPage::fillRates() {
    const intptr_t selected = fw::selectedData(ui(), IDC_PROTO_RATE, kAutoRate);
    ui().clearItems(IDC_PROTO_RATE);
    ui().addItem(IDC_PROTO_RATE, text(IDS_AUTO), kAutoRate);
    for (uint32_t code : ratesOfMode(profileSheet().shared().wirelessMode)) {
        ui().addItem(IDC_PROTO_RATE, rateText(code), code);
    }
    fw::selectByData(ui(), IDC_PROTO_RATE, selected);
}

void CAdvSettgPage::showMembers() {
    if (!hasWindow()) return;
    ui().setCheck(IDC_PROTO_KEEP, keepCardSettings_);
    // A code no entry offers shows the first entry, which is what a store writes back.
    fw::selectByData(ui(), IDC_PROTO_POWER_SAVE, powerMode_);
    fw::selectByData(ui(), IDC_PROTO_PREAMBLE, preamble_);
    // The rate list of the sheet's wireless mode first, so that the rate is among them.
    applyEnableRule();
    fw::selectByData(ui(), IDC_PROTO_RATE, rate_);
    ui().setText(IDC_PROTO_FRAG, std::to_string(frag_));
    ui().setText(IDC_PROTO_RTS, std::to_string(rts_));
}

uint32_t CAdvSettgPage::threshold(int id) const {
    const std::optional<int32_t> number = thresholdNumber(ui().text(id));
    // A negative number is no threshold either.
    if (!number || *number < 0) return std::numeric_limits<uint32_t>::max();
    return static_cast<uint32_t>(*number);
}

void CAdvSettgPage::readControls() {
    keepCardSettings_ = ui().isChecked(IDC_PROTO_KEEP);
    powerMode_ = static_cast<uint32_t>(fw::selectedData(ui(), IDC_PROTO_POWER_SAVE, powerMode_));
    preamble_ = static_cast<uint32_t>(fw::selectedData(ui(), IDC_PROTO_PREAMBLE, preamble_));
    rate_ = static_cast<uint32_t>(fw::selectedData(ui(), IDC_PROTO_RATE, rate_));
    frag_ = threshold(IDC_PROTO_FRAG);
    rts_ = threshold(IDC_PROTO_RTS);
}

void CAdvSettgPage::LoadFromProfile(const Profile& profile) {
    keepCardSettings_ = profile.useDefaultRadio != 0;
    powerMode_ = profile.powerMode;
    preamble_ = profile.preamble;
    rate_ = profile.dataRate;
    frag_ = profile.fragThreshold;
    rts_ = profile.rtsThreshold;
    showMembers();
}

bool CAdvSettgPage::Validate(const Profile*) {
    if (!hasWindow() || ui().isChecked(IDC_PROTO_KEEP)) return true;
    const uint32_t frag = threshold(IDC_PROTO_FRAG);
    const uint32_t rts = threshold(IDC_PROTO_RTS);
    int message = 0;
    uint32_t limit = 0;
    if (frag < kFragMin) {
        message = IDS_FRAG_THRESHOLD_MINIMUM;
        limit = kFragMin;
    } else if (frag > kFragMax) {
        message = IDS_FRAG_THRESHOLD_MAXIMUM;
        limit = kFragMax;
    }
    // One message only: the RTS/CTS threshold's wins.
    if (rts > kRtsMax) {
        message = IDS_RTS_THRESHOLD_MAXIMUM;
        limit = kRtsMax;
    }
    if (message == 0) return true;
    warn(message, std::to_string(limit));
    return false;
}

bool CAdvSettgPage::StoreToProfile(Profile& profile) {
    if (!hasWindow()) return true;
    readControls();
    profile.useDefaultRadio = keepCardSettings_ ? 1 : 0;
    if (!keepCardSettings_) {
        if (ui().selection(IDC_PROTO_POWER_SAVE) >= 0) profile.powerMode = powerMode_;
        if (ui().selection(IDC_PROTO_PREAMBLE) >= 0) profile.preamble = preamble_;
        if (ui().selection(IDC_PROTO_RATE) >= 0) profile.dataRate = rate_;
        profile.fragThreshold = frag_;
        profile.rtsThreshold = rts_;
    } else if (profileSheet().isWizard()) {
        profile.fragThreshold = kFragMax;
        profile.rtsThreshold = kRtsMax;
    }
    return true;
}

void CAdvSettgPage::enableControls(bool enable) {
    if (enable) {
        ui().enable(IDC_PROTO_KEEP, true);
        applyEnableRule();
        return;
    }
    for (int id : kRadioControls) ui().enable(id, false);
    ui().enable(IDC_PROTO_KEEP, false);
    ui().enable(IDC_PROTO_POWER_SAVE, false);
}
