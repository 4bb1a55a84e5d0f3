#include "pages/WepKeyDlg.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "framework/Controls.h"
#include "res/resource.h"
#include "system/MessageCaption.h"

namespace {

constexpr size_t kKeys = 4;

// The value of a hexadecimal digit of either case; -1 for any other character.
int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool isKeyEdit(int id) { return id >= IDC_WEP_KEY1 && id <= IDC_WEP_KEY4; }

int radioOf(size_t key) { return IDC_WEP_TX_KEY1 + static_cast<int>(key); }
int editOf(size_t key) { return IDC_WEP_KEY1 + static_cast<int>(key); }

}  // namespace

// The rules of key texts --------------------------------------------------------------------

size_t wepTextLength(WepFormat format, uint32_t keyLength) {
    return format == WepFormat::Hex ? 2 * size_t{keyLength} : size_t{keyLength};
}

std::string wepMask(WepFormat format, uint32_t keyLength) {
    return std::string(wepTextLength(format, keyLength), '*');
}

std::string wepHexFromText(const std::string& text) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (const unsigned char byte : text) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0F];
    }
    return hex;
}

std::string wepTextFromHex(const std::string& hex) {
    std::string text;
    int high = -1;
    for (const char digit : hex) {
        const int value = hexValue(digit);
        if (value < 0) continue;
        if (high < 0) {
            high = value;
        } else {
            text += static_cast<char>(high << 4 | value);
            high = -1;
        }
    }
    return text;
}

int wepCorrectText(std::string& text, WepFormat format, uint32_t keyLength) {
    int caret = -1;
    const size_t length = wepTextLength(format, keyLength);
    if (text.size() > length) {
        text.resize(length);
        caret = static_cast<int>(length);
    }
    if (format != WepFormat::Hex) return caret;
    for (size_t at = text.size(); at > 0;) {
        const char c = text[--at];
        if (hexValue(c) < 0) {
            text.erase(at, 1);
            caret = static_cast<int>(at);
            at = text.size();  // scan the shorter text again from its end
        } else if (c >= 'a' && c <= 'f') {
            for (char& letter : text) letter = static_cast<char>(std::toupper(letter));
            caret = static_cast<int>(at) + 1;
            at = text.size();
        }
    }
    return caret;
}

bool wepTextComplete(const std::string& text, WepFormat format, uint32_t keyLength) {
    return text.size() == wepTextLength(format, keyLength) &&
           (format != WepFormat::Hex ||
            std::all_of(text.begin(), text.end(), [](char c) { return hexValue(c) >= 0; }));
}

std::string wepKeyBytes(const std::string& text, WepFormat format) {
    return format == WepFormat::Hex ? wepTextFromHex(text) : text;
}

// The dialog -------------------------------------------------------------------------------

const fw::MessageEntry<CWepKeyDlg> CWepKeyDlg::kMap[] = {
    fw::onCommand(fw::code::ComboSelChange, IDC_WEP_FORMAT, &CWepKeyDlg::onFormatChange),
    fw::onCommand(fw::code::ComboSelChange, IDC_WEP_SIZE, &CWepKeyDlg::onSizeChange),
    fw::onCommandRange(fw::code::EditChange, IDC_WEP_KEY1, IDC_WEP_KEY4, &CWepKeyDlg::onKeyChange),
};

CWepKeyDlg::CWepKeyDlg(ProfileHost& mainWindow, WepBlock& block)
    : Dialog(IDD_WEP_KEYS), mainWindow_(mainWindow), block_(block) {}

bool CWepKeyDlg::onMessage(const fw::Message& m) { return fw::dispatch(*this, kMap, m); }

bool CWepKeyDlg::onInit() {
    ui().addItem(IDC_WEP_FORMAT, mainWindow_.text(IDS_ASCII_CHARACTERS),
                 static_cast<intptr_t>(WepFormat::Ascii));
    ui().addItem(IDC_WEP_FORMAT, mainWindow_.text(IDS_HEX_DIGITS),
                 static_cast<intptr_t>(WepFormat::Hex));
    // The settings file's rule has made anything but 0 and 1 the default, 0.
    const int stored = mainWindow_.settings().readSetting(sys::Setting::WepKeyFmt);
    format_ = stored == static_cast<int>(WepFormat::Hex) ? WepFormat::Hex : WepFormat::Ascii;
    fw::selectByData(ui(), IDC_WEP_FORMAT, static_cast<intptr_t>(format_));
    showBlock();
    return true;
}

std::string CWepKeyDlg::storedMask(size_t key) const {
    const uint32_t length = block_.wepKeys[key].length;
    const bool stored = length == kWep40Length || length == kWep104Length;
    return stored ? wepMask(format_, length) : std::string();
}

void CWepKeyDlg::fillSizes(uint32_t keyLength) {
    const bool hex = format_ == WepFormat::Hex;
    ui().clearItems(IDC_WEP_SIZE);
    ui().addItem(IDC_WEP_SIZE, mainWindow_.text(hex ? IDS_HEX_40 : IDS_ASCII_40), kWep40Length);
    ui().addItem(IDC_WEP_SIZE, mainWindow_.text(hex ? IDS_HEX_104 : IDS_ASCII_104), kWep104Length);
    fw::selectByData(ui(), IDC_WEP_SIZE, keyLength);
}

void CWepKeyDlg::showBlock() {
    keyLength_ = kWep40Length;
    for (size_t key = 0; key < kKeys; ++key) {
        texts_[key] = storedMask(key);
        ui().enable(radioOf(key), !texts_[key].empty());
        if (!texts_[key].empty()) keyLength_ = block_.wepKeys[key].length;
        ui().setCheck(radioOf(key), block_.txKeyIndex == key + 1);
    }
    fillSizes(keyLength_);
    writeTexts();
}

int CWepKeyDlg::checkedKey() const {
    for (size_t key = 0; key < kKeys; ++key) {
        if (ui().isChecked(radioOf(key))) return static_cast<int>(key) + 1;
    }
    return 0;
}

void CWepKeyDlg::readTexts() {
    for (size_t key = 0; key < kKeys; ++key) texts_[key] = ui().text(editOf(key));
}

void CWepKeyDlg::writeTexts() {
    writing_ = true;
    for (size_t key = 0; key < kKeys; ++key) {
        if (ui().text(editOf(key)) != texts_[key]) ui().setText(editOf(key), texts_[key]);
    }
    writing_ = false;
}

void CWepKeyDlg::onFormatChange(const fw::Message&) {
    const intptr_t chosen = fw::selectedData(ui(), IDC_WEP_FORMAT, static_cast<intptr_t>(format_));
    const WepFormat format =
        chosen == static_cast<intptr_t>(WepFormat::Hex) ? WepFormat::Hex : WepFormat::Ascii;
    // Choosing the format shown again converts nothing.
    if (format == format_) return;
    readTexts();
    format_ = format;
    fillSizes(keyLength_);
    mainWindow_.settings().writeSetting(sys::Setting::WepKeyFmt, static_cast<int>(format_));
    for (size_t key = 0; key < kKeys; ++key) {
        std::string& text = texts_[key];
        if (!modified(key)) {
            // A stored key only changes its mask; what the user typed is converted.
            text = storedMask(key);
        } else if (!text.empty()) {
            text = format_ == WepFormat::Hex ? wepHexFromText(text) : wepTextFromHex(text);
        }
    }
    writeTexts();
}

void CWepKeyDlg::onSizeChange(const fw::Message&) {
    const auto chosen = static_cast<uint32_t>(fw::selectedData(ui(), IDC_WEP_SIZE, keyLength_));
    if (chosen == keyLength_) return;
    readTexts();
    if (std::all_of(texts_.begin(), texts_.end(), [](const std::string& t) { return t.empty(); })) {
        keyLength_ = chosen;
        return;
    }
    const int answer = ui().messageBox(mainWindow_.text(IDS_WEP_SIZE_CHANGE), sys::kMessageCaption,
                                       fw::mb::YesNo | fw::mb::IconQuestion);
    if (answer != fw::id::Yes) {
        fw::selectByData(ui(), IDC_WEP_SIZE, keyLength_);
        return;
    }
    keyLength_ = chosen;
    for (size_t key = 0; key < kKeys; ++key) {
        texts_[key].clear();
        ui().setCheck(radioOf(key), false);
        ui().enable(radioOf(key), false);
    }
    modified_ = (1u << kKeys) - 1;
    writeTexts();
}

void CWepKeyDlg::onKeyChange(const fw::Message& m) {
    // Only the user's typing counts: the focus is in a key edit while the user types.
    if (writing_ || !isKeyEdit(ui().focus())) return;
    const auto key = static_cast<size_t>(m.id - IDC_WEP_KEY1);
    readTexts();
    std::string& text = texts_[key];
    // The first keystroke into a masked key erases the whole stored key.
    const std::string mask = storedMask(key);
    if (!modified(key) && !mask.empty()) {
        const std::string shortened = mask.substr(0, mask.size() - 1);
        if (text.compare(0, shortened.size(), shortened) == 0) text.clear();
    }
    modified_ |= 1u << key;
    const int radio = radioOf(key);
    if (text.empty()) {
        if (ui().isChecked(radio)) {
            for (size_t other = 0; other < kKeys; ++other) ui().setCheck(radioOf(other), false);
        }
        ui().enable(radio, false);
        writeTexts();
        return;
    }
    ui().enable(radio, true);
    if (checkedKey() == 0) ui().setCheck(radio, true);
    const int caret = wepCorrectText(text, format_, keyLength_);
    if (caret >= 0) {
        writeTexts();
        ui().setCaret(ui().focus(), caret);
    }
}

void CWepKeyDlg::warn(const std::string& message) {
    ui().messageBox(message, sys::kMessageCaption, fw::mb::Ok | fw::mb::IconExclamation);
}

bool CWepKeyDlg::checkKeys() {
    for (size_t key = 0; key < kKeys; ++key) {
        // A key the user left shows its mask and keeps what is stored.
        if (!modified(key) || texts_[key].empty()) continue;
        if (!wepTextComplete(texts_[key], format_, keyLength_)) {
            const bool hex = format_ == WepFormat::Hex;
            const int sizeMessage = keyLength_ == kWep40Length
                                        ? (hex ? IDS_WEP_40_HEX : IDS_WEP_40_ASCII)
                                        : (hex ? IDS_WEP_104_HEX : IDS_WEP_104_ASCII);
            warn(mainWindow_.text(IDS_WEP_KEY1_HEADING + static_cast<int>(key)) +
                 mainWindow_.text(sizeMessage));
            return false;
        }
    }
    const int transmit = checkedKey();
    if (transmit != 0 && texts_[transmit - 1].empty()) {
        warn(mainWindow_.text(IDS_WEP_INVALID_TX_KEY));
        return false;
    }
    return true;
}

void CWepKeyDlg::onOk() {
    readTexts();
    if (!checkKeys()) return;
    uint32_t transmit = static_cast<uint32_t>(checkedKey());
    for (size_t key = 0; key < kKeys && transmit == 0; ++key) {
        if (!texts_[key].empty()) transmit = static_cast<uint32_t>(key) + 1;
    }
    block_.txKeyIndex = transmit;
    for (size_t key = 0; key < kKeys; ++key) {
        if (!modified(key)) continue;
        WepKey& slot = block_.wepKeys[key];
        std::memset(slot.key, 0, sizeof slot.key);
        slot.length = texts_[key].empty() ? 0 : keyLength_;
        const std::string bytes = wepKeyBytes(texts_[key], format_);
        std::memcpy(slot.key, bytes.data(), std::min(bytes.size(), sizeof slot.key));
    }
    endDialog(fw::id::Ok);
}
