// The "Configure WEP Key" dialog: the four WEP keys and the transmit key of the security
// page's WEP block. Stored keys are never shown: a key that exists reads as a row of
// asterisks until the user types over it. The key format (ASCII or hexadecimal) is kept
// in the settings file; the block is written only when OK succeeds.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/Dialog.h"
#include "pages/ProfileSheet.h"

// How key texts are typed: the values of "WepKeyFmt" and of the format list's entries.
enum class WepFormat { Ascii = 0, Hex = 1 };

// Key lengths in bytes: a 40-bit and a 104-bit key.
constexpr uint32_t kWep40Length = 5;
constexpr uint32_t kWep104Length = 13;

// The rules of key texts, for a key of `keyLength` bytes (kWep40Length or kWep104Length).
// The number of characters the key is typed with: 5 or 13 ASCII characters, 10 or 26
// hexadecimal digits.
size_t wepTextLength(WepFormat format, uint32_t keyLength);
// The row of asterisks that stands for a stored key.
std::string wepMask(WepFormat format, uint32_t keyLength);
// Each character as the two upper-case hexadecimal digits of its byte, high nibble first.
std::string wepHexFromText(const std::string& text);
// Each pair of hexadecimal digits (either case) as one byte; characters that are no
// hexadecimal digits are skipped and an odd last digit is dropped.
std::string wepTextFromHex(const std::string& hex);
// Corrects a text as it is typed: a text longer than the key's is cut to its length; in
// hexadecimal, scanning from the end, a character that is no digit is deleted and a
// lower-case digit makes the whole text upper case, until none is left. Returns where
// the caret goes after the last correction (just after it; the end for a cut), or -1
// when the text needed none.
int wepCorrectText(std::string& text, WepFormat format, uint32_t keyLength);
// True when `text` is a whole key: exactly its length, hexadecimal digits only in
// hexadecimal.
bool wepTextComplete(const std::string& text, WepFormat format, uint32_t keyLength);
// The key bytes of a whole key text.
std::string wepKeyBytes(const std::string& text, WepFormat format);

class CWepKeyDlg : public fw::Dialog {
public:
    // Edits `block` in place; it must outlive the dialog.
    CWepKeyDlg(ProfileHost& mainWindow, WepBlock& block);

    bool onInit() override;
    void onOk() override;

protected:
    bool onMessage(const fw::Message& m) override;

private:
    void onFormatChange(const fw::Message&);
    void onSizeChange(const fw::Message&);
    void onKeyChange(const fw::Message& m);

    // Fills the size list with the texts of the format shown and selects `keyLength`.
    void fillSizes(uint32_t keyLength);
    // The stored keys as masks, their radio buttons and the transmit key.
    void showBlock();
    // The key checked as the transmit key, 1..4; 0 when none is.
    int checkedKey() const;
    // Tells the user the first key text that cannot be stored; false then.
    bool checkKeys();
    void warn(const std::string& message);

    // The mask key `key` (0..3) shows while the user has not changed it: its stored
    // length's in the format shown; none for a slot without a 40- or 104-bit key.
    std::string storedMask(size_t key) const;
    void readTexts();
    // Writes the texts into the edits whose text differs; the notifications this raises
    // are not the user's typing.
    void writeTexts();
    bool modified(size_t key) const { return (modified_ >> key) & 1u; }

    static const fw::MessageEntry<CWepKeyDlg> kMap[];

    ProfileHost& mainWindow_;
    WepBlock& block_;
    WepFormat format_ = WepFormat::Ascii;
    uint32_t keyLength_ = kWep40Length;
    std::array<std::string, 4> texts_;
    // Bit n - 1: the user changed key n since the dialog opened.
    unsigned modified_ = 0;
    bool writing_ = false;
};
