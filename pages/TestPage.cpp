#include "pages/TestPage.h"

#include "framework/Controls.h"
#include "system/MessageCaption.h"

namespace {

constexpr uint32_t kSignalLow = 10;
constexpr uint32_t kSignalHigh = 200;
constexpr uint32_t kTxFailLow = 0;
constexpr uint32_t kTxFailHigh = 100;

constexpr const char* kSignalRange = "Signal Threshold range is from 10 to 200 !";
constexpr const char* kTxFailRange = "Tx Fail Threshold range is from 0 to 100 !";
constexpr const char* kNotAnInteger = "Please enter an integer.";
constexpr const char* kNotAChannel = "Please enter an integer between 0 and 255.";

}  // namespace

std::optional<uint32_t> decimalValue(const std::string& text, uint32_t maximum) {
    if (text.empty()) return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > maximum) return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

const fw::MessageEntry<CTestPage> CTestPage::kMap[] = {
    fw::onClick(IDC_TEST_RANGE_GET, &CTestPage::onRangeGet),
    fw::onClick(IDC_TEST_RANGE_SET, &CTestPage::onRangeSet),
    fw::onClick(IDC_TEST_SIGNAL_GET, &CTestPage::onSignalGet),
    fw::onClick(IDC_TEST_SIGNAL_SET, &CTestPage::onSignalSet),
    fw::onClick(IDC_TEST_TX_FAIL_GET, &CTestPage::onTxFailGet),
    fw::onClick(IDC_TEST_TX_FAIL_SET, &CTestPage::onTxFailSet),
    fw::onClick(IDC_TEST_RADAR, &CTestPage::onRadar),
    fw::onCommand(fw::code::EditKillFocus, IDC_TEST_SIGNAL, &CTestPage::onSignalKillFocus),
    fw::onCommand(fw::code::EditKillFocus, IDC_TEST_TX_FAIL, &CTestPage::onTxFailKillFocus),
};

CTestPage::CTestPage(DiagnosticsHost& host) : CZelPage(IDD_TEST, "Test"), host_(host) {}

bool CTestPage::onPageMessage(const fw::Message& m) { return fw::dispatch(*this, kMap, m); }

bool CTestPage::onInit() {
    ui().limitText(IDC_TEST_FROM, 2);
    ui().limitText(IDC_TEST_TO, 2);
    ui().limitText(IDC_TEST_SIGNAL, 3);
    ui().limitText(IDC_TEST_TX_FAIL, 3);
    ui().addItem(IDC_TEST_MISC, "Disable", 0);
    ui().addItem(IDC_TEST_MISC, "16", 16);
    ui().select(IDC_TEST_MISC, 0);
    showFields();
    return true;
}

void CTestPage::onSetActive() {
    getRange();
    getSignal();
    getTxFail();
}

void CTestPage::onRangeGet(const fw::Message&) { getRange(); }
void CTestPage::onSignalGet(const fw::Message&) { getSignal(); }
void CTestPage::onTxFailGet(const fw::Message&) { getTxFail(); }

void CTestPage::getRange() {
    if (host_.adapter() == nullptr) return;
    uint32_t range = static_cast<uint32_t>(from_) << 8 | to_;
    host_.api().ZelQueryChannelRange(host_.adapter(), &range);
    from_ = static_cast<uint8_t>(range >> 8);
    to_ = static_cast<uint8_t>(range);
    showFields();
}

void CTestPage::getSignal() {
    if (host_.adapter() == nullptr) return;
    host_.api().ZelQuerySignalThreshold(host_.adapter(), &signalThreshold_);
    showFields();
}

void CTestPage::getTxFail() {
    if (host_.adapter() == nullptr) return;
    host_.api().ZelQueryTxFailThreshold(host_.adapter(), &txFailThreshold_);
    showFields();
}

void CTestPage::onRangeSet(const fw::Message&) {
    if (host_.adapter() == nullptr || !readFields()) return;
    host_.api().ZelSetChannelRange(host_.adapter(), static_cast<uint32_t>(from_) << 8 | to_);
}

void CTestPage::onSignalSet(const fw::Message&) {
    if (host_.adapter() == nullptr || !readFields()) return;
    if (!inRange(IDC_TEST_SIGNAL, signalThreshold_, kSignalLow, kSignalHigh, kSignalRange)) return;
    host_.api().ZelSetSignalThreshold(host_.adapter(), signalThreshold_);
}

void CTestPage::onTxFailSet(const fw::Message&) {
    if (host_.adapter() == nullptr || !readFields()) return;
    if (!inRange(IDC_TEST_TX_FAIL, txFailThreshold_, kTxFailLow, kTxFailHigh, kTxFailRange)) {
        return;
    }
    host_.api().ZelSetTxFailThreshold(host_.adapter(), txFailThreshold_);
}

void CTestPage::onRadar(const fw::Message&) {
    if (host_.adapter() != nullptr) host_.api().ZelRadarDetected(host_.adapter());
}

void CTestPage::onSignalKillFocus(const fw::Message&) {
    zeroWhenEmpty(IDC_TEST_SIGNAL, signalThreshold_);
}

void CTestPage::onTxFailKillFocus(const fw::Message&) {
    zeroWhenEmpty(IDC_TEST_TX_FAIL, txFailThreshold_);
}

void CTestPage::zeroWhenEmpty(int id, uint32_t& field) {
    if (!ui().text(id).empty()) return;
    field = 0;
    ui().setText(id, "0");
}

void CTestPage::showFields() {
    ui().setText(IDC_TEST_FROM, std::to_string(from_));
    ui().setText(IDC_TEST_TO, std::to_string(to_));
    ui().setText(IDC_TEST_SIGNAL, std::to_string(signalThreshold_));
    ui().setText(IDC_TEST_TX_FAIL, std::to_string(txFailThreshold_));
}

bool CTestPage::readFields() {
    struct Field {
        int id;
        uint32_t maximum;
        const char* refusal;
    };
    const Field fields[] = {
        {IDC_TEST_FROM, 255, kNotAChannel},
        {IDC_TEST_TO, 255, kNotAChannel},
        {IDC_TEST_SIGNAL, UINT32_MAX, kNotAnInteger},
        {IDC_TEST_TX_FAIL, UINT32_MAX, kNotAnInteger},
    };
    uint32_t values[4] = {};
    for (int i = 0; i < 4; ++i) {
        const std::optional<uint32_t> value =
            decimalValue(ui().text(fields[i].id), fields[i].maximum);
        if (!value) {
            ui().messageBox(fields[i].refusal, sys::kMessageCaption,
                            fw::mb::Ok | fw::mb::IconExclamation);
            ui().setFocus(fields[i].id);
            return false;
        }
        values[i] = *value;
    }
    from_ = static_cast<uint8_t>(values[0]);
    to_ = static_cast<uint8_t>(values[1]);
    signalThreshold_ = values[2];
    txFailThreshold_ = values[3];
    return true;
}

bool CTestPage::inRange(int id, uint32_t value, uint32_t low, uint32_t high, const char* message) {
    if (value >= low && value <= high) return true;
    ui().messageBox(message, sys::kMessageCaption, fw::mb::Ok | fw::mb::IconExclamation);
    ui().setText(id, "");
    ui().setFocus(id);
    return false;
}
