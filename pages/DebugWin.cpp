#include "pages/DebugWin.h"

#include <cctype>
#include <cstdio>

namespace {

constexpr int kCalibrationRows = 4;
constexpr int kNameIds[kCalibrationRows] = {IDC_DEBUG_CAL_NAME1, IDC_DEBUG_CAL_NAME2,
                                            IDC_DEBUG_CAL_NAME3, IDC_DEBUG_CAL_NAME4};
constexpr int kValueIds[kCalibrationRows] = {IDC_DEBUG_CAL_VALUE1, IDC_DEBUG_CAL_VALUE2,
                                             IDC_DEBUG_CAL_VALUE3, IDC_DEBUG_CAL_VALUE4};
constexpr int kRangeIds[kCalibrationRows] = {IDC_DEBUG_CAL_RANGE1, IDC_DEBUG_CAL_RANGE2,
                                             IDC_DEBUG_CAL_RANGE3, IDC_DEBUG_CAL_RANGE4};

// The calibration registers' names and valid ranges, for each RF chip family.
struct CalibrationLabels {
    const char* names[kCalibrationRows];
    const char* ranges[kCalibrationRows];
};
constexpr CalibrationLabels kTypeOneOrThree = {{"1AH", "1BH", "1CH", "21H[5:0]"},
                                               {"00 -- 37", "00 -- FF", "00 -- FF", "00 -- 37"}};
constexpr CalibrationLabels kOtherTypes = {{"20H", "26H", "24H[3:0]", ""},
                                           {"6C -- 7A", "33, 43, 53, 63", "3 -- B during Tx ", ""}};

// The baseband register that selects the page of the registers beyond it.
constexpr uint32_t kBasebandPageSelect = 0;
constexpr uint32_t kBasebandSecondPage = 0x80;

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string format(const char* pattern, uint32_t value) {
    char text[32];
    std::snprintf(text, sizeof text, pattern, static_cast<unsigned>(value));
    return text;
}

}  // namespace

std::optional<uint32_t> hexValue(const std::string& text) {
    uint32_t value = 0;
    for (char c : text) {
        const int digit = hexDigit(c);
        if (digit < 0 || value > 0x0FFFFFFFu) return std::nullopt;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    return value;
}

std::optional<int> filterHexText(std::string& text) {
    for (size_t i = text.size(); i-- > 0;) {
        const char c = text[i];
        if (hexDigit(c) < 0) {
            text.erase(i, 1);
            return static_cast<int>(i);
        }
        if (c >= 'a' && c <= 'f') {
            for (char& each : text) {
                each = static_cast<char>(std::toupper(static_cast<unsigned char>(each)));
            }
            return static_cast<int>(i + 1);
        }
    }
    return std::nullopt;
}

const CDebugWin::Block CDebugWin::kBlocks[3] = {
    {IDC_DEBUG_RF_INDEX, IDC_DEBUG_RF_VALUE, IDC_DEBUG_RF_READ, IDC_DEBUG_RF_WRITE, 2, 2,
     &ZelApi::ZelQueryRfRegister, &ZelApi::ZelSetRfRegister, false},
    {IDC_DEBUG_BB_INDEX, IDC_DEBUG_BB_VALUE, IDC_DEBUG_BB_READ, IDC_DEBUG_BB_WRITE, 2, 2,
     &ZelApi::ZelQueryBbRegister, &ZelApi::ZelSetBbRegister, true},
    {IDC_DEBUG_MAC_INDEX, IDC_DEBUG_MAC_VALUE, IDC_DEBUG_MAC_READ, IDC_DEBUG_MAC_WRITE, 4, 8,
     &ZelApi::ZelQueryMacRegister, &ZelApi::ZelSetMacRegister, false},
};

const CDebugWin::Block* CDebugWin::blockOf(int controlId) {
    for (const Block& block : kBlocks) {
        if (controlId == block.indexId || controlId == block.valueId || controlId == block.readId ||
            controlId == block.writeId) {
            return &block;
        }
    }
    return nullptr;
}

const fw::MessageEntry<CDebugWin> CDebugWin::kMap[] = {
    fw::onClick(IDC_DEBUG_RF_READ, &CDebugWin::onRead),
    fw::onClick(IDC_DEBUG_BB_READ, &CDebugWin::onRead),
    fw::onClick(IDC_DEBUG_MAC_READ, &CDebugWin::onRead),
    fw::onClick(IDC_DEBUG_RF_WRITE, &CDebugWin::onWrite),
    fw::onClick(IDC_DEBUG_BB_WRITE, &CDebugWin::onWrite),
    fw::onClick(IDC_DEBUG_MAC_WRITE, &CDebugWin::onWrite),
    fw::onCommandRange(fw::code::EditChange, IDC_DEBUG_RF_INDEX, IDC_DEBUG_MAC_VALUE,
                       &CDebugWin::onRegisterEdit),
    fw::onClick(IDC_DEBUG_REFRESH, &CDebugWin::onRefresh),
    fw::onClick(IDC_DEBUG_REFRESH_EVERY_SECOND, &CDebugWin::onRefreshEverySecond),
    fw::onClick(IDC_DEBUG_RATE_EVERY_SECOND, &CDebugWin::onRateEverySecond),
    fw::onClick(IDC_DEBUG_TRACE, &CDebugWin::onTrace),
    fw::onCommand(fw::code::ComboSelChange, IDC_DEBUG_TX_POWER, &CDebugWin::onTxPower),
    fw::onTimer(kTimer, &CDebugWin::onTick),
};

CDebugWin::CDebugWin(DiagnosticsHost& host) : CZelPage(IDD_DEBUG, "Debug"), host_(host) {}

bool CDebugWin::onPageMessage(const fw::Message& m) { return fw::dispatch(*this, kMap, m); }

bool CDebugWin::onInit() {
    for (const Block& block : kBlocks) {
        ui().limitText(block.indexId, block.indexChars);
        ui().limitText(block.valueId, block.valueChars);
    }
    ui().setCheck(IDC_DEBUG_REFRESH_EVERY_SECOND,
                  host_.settings().readSetting(sys::Setting::RefreshRfCal) == 1);
    ui().enable(IDC_DEBUG_TRACE, false);
    ui().show(IDC_DEBUG_TRACE, false);
    return true;
}

void CDebugWin::onSetActive() {
    ui().setCheck(IDC_DEBUG_TRACE, host_.trace());
    ui().setCheck(IDC_DEBUG_RATE_EVERY_SECOND, host_.refreshRateEverySecond());
    refreshEverySecond_ = ui().isChecked(IDC_DEBUG_REFRESH_EVERY_SECOND);
    host_.settings().writeSetting(sys::Setting::RefreshRfCal, refreshEverySecond_ ? 1 : 0);
    ui().setText(IDC_DEBUG_HW_VERSION, "");
    const ZelHandle adapter = host_.adapter();
    if (adapter != nullptr) {
        uint32_t version = 0;
        if (host_.api().ZelQueryChipVersion(adapter, &version) == 0) {
            ui().setText(IDC_DEBUG_HW_VERSION, format("%u.0", version));
        }
        const uint32_t type = rfRegister(0);
        rfTypeOneOrThree_ = type == 1 || type == 3;
        showCalibrationLabels();
    }
    ui().setTimer(kTimer, kTimerMs);
    readCalibration();
}

bool CDebugWin::onKillActive() {
    ui().killTimer(kTimer);
    return true;
}

void CDebugWin::onTick(const fw::Message&) {
    if (refreshEverySecond_) readCalibration();
}

void CDebugWin::onRead(const fw::Message& m) {
    if (const Block* block = blockOf(m.id)) read(*block);
}

void CDebugWin::onWrite(const fw::Message& m) {
    if (const Block* block = blockOf(m.id)) write(*block);
}

void CDebugWin::read(const Block& block) {
    const ZelHandle adapter = host_.adapter();
    if (adapter == nullptr) return;
    const std::optional<uint32_t> index = hexValue(ui().text(block.indexId));
    if (!index) return;
    ui().setWaitCursor(true);
    ui().setText(block.valueId, "");
    if (block.paged) selectBasebandPage(*index);
    uint32_t value = 0;
    if ((host_.api().*block.query)(adapter, *index, &value) == 0) {
        ui().setText(block.valueId, format("%02X", value));
    }
    ui().setWaitCursor(false);
}

void CDebugWin::write(const Block& block) {
    const ZelHandle adapter = host_.adapter();
    if (adapter == nullptr) return;
    const std::optional<uint32_t> index = hexValue(ui().text(block.indexId));
    const std::optional<uint32_t> value = hexValue(ui().text(block.valueId));
    if (!index || !value) return;
    ui().setWaitCursor(true);
    if (block.paged) selectBasebandPage(*index);
    (host_.api().*block.set)(adapter, *index, *value);
    // The register settles before it is read back; the window goes on painting meanwhile.
    ui().pause(kSettleMs);
    read(block);
}

void CDebugWin::selectBasebandPage(uint32_t index) {
    host_.api().ZelSetBbRegister(host_.adapter(), kBasebandPageSelect,
                                 index < kBasebandSecondPage ? 0 : kBasebandSecondPage);
}

uint32_t CDebugWin::rfRegister(uint32_t index) {
    uint32_t value = 0;
    host_.api().ZelQueryRfRegister(host_.adapter(), index, &value);
    return value;
}

void CDebugWin::onRegisterEdit(const fw::Message& m) {
    if (ui().focus() != m.id) return;
    std::string text = ui().text(m.id);
    const std::optional<int> caret = filterHexText(text);
    if (!caret) return;
    ui().setText(m.id, text);
    ui().setCaret(m.id, *caret);
}

void CDebugWin::showCalibrationLabels() {
    const CalibrationLabels& labels = rfTypeOneOrThree_ ? kTypeOneOrThree : kOtherTypes;
    for (int row = 0; row < kCalibrationRows; ++row) {
        ui().setText(kNameIds[row], labels.names[row]);
        ui().setText(kRangeIds[row], labels.ranges[row]);
    }
}

void CDebugWin::readCalibration() {
    if (host_.adapter() == nullptr) return;
    std::string values[kCalibrationRows];
    if (rfTypeOneOrThree_) {
        values[0] = format("0x%02X", rfRegister(26));
        values[1] = format("0x%02X", rfRegister(27));
        values[2] = format("0x%02X", rfRegister(28));
        values[3] = format("0x%02X", rfRegister(33) & 0x3F);
    } else {
        values[0] = format("0x%02X", rfRegister(32));
        values[1] = format("0x%02X", rfRegister(38));
        values[2] = format("0x_%X", rfRegister(36) & 0x0F);
    }
    for (int row = 0; row < kCalibrationRows; ++row) ui().setText(kValueIds[row], values[row]);
}

void CDebugWin::onRefreshEverySecond(const fw::Message&) {
    refreshEverySecond_ = ui().isChecked(IDC_DEBUG_REFRESH_EVERY_SECOND);
    host_.settings().writeSetting(sys::Setting::RefreshRfCal, refreshEverySecond_ ? 1 : 0);
}

void CDebugWin::onRateEverySecond(const fw::Message&) {
    const bool on = ui().isChecked(IDC_DEBUG_RATE_EVERY_SECOND);
    host_.settings().writeSetting(sys::Setting::RefreshRatePS, on ? 1 : 0);
    host_.setRefreshRateEverySecond(on);
}

void CDebugWin::onTrace(const fw::Message&) {
    const bool on = ui().isChecked(IDC_DEBUG_TRACE);
    host_.settings().writeSetting(sys::Setting::Trace, on ? 1 : 0);
    host_.setTrace(on);
}

void CDebugWin::onTxPower(const fw::Message&) {
    const int selected = ui().selection(IDC_DEBUG_TX_POWER);
    if (host_.adapter() == nullptr || selected < 0) return;
    host_.api().ZelSetTxPower(host_.adapter(),
                              static_cast<uint32_t>(ui().itemData(IDC_DEBUG_TX_POWER, selected)));
}
