// The WEP key dialog: masks of stored keys, the character rule while typing, format and
// size changes, the checks and what OK and Cancel leave in the WEP block.
#include "tests/pages/WepKeySuite.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cstring>

namespace pagestest {

int WepKeyDialog::run(WepBlock& block, const fw::DialogAction& action) {
    CWepKeyDlg dialog(mainWindow, block);
    script().expectDialog(IDD_WEP_KEYS, [&](fw::Dialog& shown, fw::UserActions& user) {
        EXPECT_THAT(backEnd_->missingControls(shown), testing::IsEmpty());
        action(shown, user);
    });
    return host().runModal(dialog, nullptr);
}

void WepKeyDialog::setKey(WepBlock& block, int key, const std::string& bytes) {
    WepKey& slot = block.wepKeys[key - 1];
    slot.length = static_cast<uint32_t>(bytes.size());
    std::memcpy(slot.key, bytes.data(), bytes.size());
}

std::string WepKeyDialog::keyOf(const WepBlock& block, int key) {
    const WepKey& slot = block.wepKeys[key - 1];
    return std::string(reinterpret_cast<const char*>(slot.key),
                       std::min<size_t>(slot.length, sizeof slot.key));
}

namespace {

using fw::Dialog;
using fw::UserActions;

constexpr int kAscii = 0;  // positions in the format list, and "WepKeyFmt"
constexpr int kHex = 1;
constexpr int k40Bit = 0;  // positions in the size list
constexpr int k104Bit = 1;

TEST_P(WepKeyDialog, AStoredKeyShowsAsAMaskInTheFormatKeptAndOnlyItsRadioButtonIsEnabled) {
    WepBlock block{};
    setKey(block, 2, "thirteenbytes");
    block.txKeyIndex = 2;
    const WepBlock stored = block;
    for (const int format : {kAscii, kHex}) {
        storeFormat(format);
        EXPECT_EQ(run(block,
                      [&](Dialog& dialog, UserActions& user) {
                          fw::Surface& ui = dialog.ui();
                          EXPECT_EQ(ui.selection(IDC_WEP_FORMAT), format);
                          EXPECT_EQ(ui.text(IDC_WEP_KEY2), std::string(format ? 26 : 13, '*'));
                          EXPECT_EQ(selectedText(dialog, IDC_WEP_SIZE),
                                    format ? "104-Bit (26 digits)" : "104-Bit (13 chars)");
                          for (int radio : {IDC_WEP_TX_KEY1, IDC_WEP_TX_KEY3, IDC_WEP_TX_KEY4}) {
                              EXPECT_FALSE(ui.isEnabled(radio)) << radio;
                              EXPECT_EQ(ui.text(radio + IDC_WEP_KEY1 - IDC_WEP_TX_KEY1), "");
                          }
                          EXPECT_TRUE(ui.isChecked(IDC_WEP_TX_KEY2));
                          user.click(fw::id::Ok);
                      }),
                  fw::id::Ok);
        EXPECT_EQ(std::memcmp(&block, &stored, sizeof block), 0);
    }
}

TEST_P(WepKeyDialog, TheFirstKeystrokeIntoAMaskedKeyErasesItAndOnlyTheUsersTypingCounts) {
    WepBlock block{};
    setKey(block, 1, "abcde");
    setKey(block, 3, "fghij");
    block.txKeyIndex = 1;
    run(block, [&](Dialog& dialog, UserActions& user) {
        user.type(IDC_WEP_KEY1, "x");
        EXPECT_EQ(dialog.ui().text(IDC_WEP_KEY1), "");
        EXPECT_FALSE(dialog.ui().isEnabled(IDC_WEP_TX_KEY1));
        EXPECT_FALSE(dialog.ui().isChecked(IDC_WEP_TX_KEY1));
        // A changed key keeps what is typed, asterisks too.
        user.type(IDC_WEP_KEY1, "*****");
        EXPECT_EQ(dialog.ui().text(IDC_WEP_KEY1), "*****");
        EXPECT_TRUE(dialog.ui().isChecked(IDC_WEP_TX_KEY1));
        // A text set while the focus is elsewhere is no typing: key 3 stays as stored.
        user.focus(IDC_WEP_FORMAT);
        dialog.ui().setText(IDC_WEP_KEY3, "+");
        user.click(fw::id::Ok);
    });
    EXPECT_EQ(keyOf(block, 1), "*****");
    EXPECT_EQ(keyOf(block, 3), "fghij");
    EXPECT_EQ(block.txKeyIndex, 1u);
}

TEST_P(WepKeyDialog, HexadecimalTypingDropsWhatIsNoDigitAndTurnsLettersUpperCase) {
    storeFormat(kHex);
    WepBlock block{};
    run(block, [&](Dialog& dialog, UserActions& user) {
        fw::Surface& ui = dialog.ui();
        user.type(IDC_WEP_KEY1, "12g");
        EXPECT_EQ(ui.text(IDC_WEP_KEY1), "12");
        EXPECT_EQ(ui.caret(IDC_WEP_KEY1), 2);
        user.type(IDC_WEP_KEY1, "ab");
        EXPECT_EQ(ui.text(IDC_WEP_KEY1), "12AB");
        user.type(IDC_WEP_KEY1, "3456789");
        EXPECT_EQ(ui.text(IDC_WEP_KEY1), "12AB345678");
        EXPECT_EQ(ui.caret(IDC_WEP_KEY1), 10);
        user.click(fw::id::Ok);
    });
    EXPECT_EQ(keyOf(block, 1), "\x12\xAB\x34\x56\x78");
}

TEST_P(WepKeyDialog, SwitchingTheFormatConvertsTypedKeysKeepsMasksAndIsKeptAtOnce) {
    WepBlock block{};
    setKey(block, 2, "abcde");
    const WepBlock stored = block;
    run(block, [&](Dialog& dialog, UserActions& user) {
        fw::Surface& ui = dialog.ui();
        user.type(IDC_WEP_KEY1, "Ab*9~");
        user.pick(IDC_WEP_FORMAT, kHex);
        // Choosing the format shown again converts nothing.
        user.pick(IDC_WEP_FORMAT, kHex);
        EXPECT_EQ(storedFormat(), kHex);
        EXPECT_EQ(selectedText(dialog, IDC_WEP_SIZE), "40-Bit (10 digits)");
        EXPECT_EQ(ui.text(IDC_WEP_KEY1), "41622A397E");
        EXPECT_EQ(ui.text(IDC_WEP_KEY2), std::string(10, '*'));
        user.pick(IDC_WEP_FORMAT, kAscii);
        EXPECT_EQ(storedFormat(), kAscii);
        EXPECT_EQ(ui.text(IDC_WEP_KEY1), "Ab*9~");
        EXPECT_EQ(ui.text(IDC_WEP_KEY2), "*****");
        user.pick(IDC_WEP_FORMAT, kHex);
        user.click(fw::id::Cancel);
    });
    EXPECT_EQ(storedFormat(), kHex);
    EXPECT_EQ(std::memcmp(&block, &stored, sizeof block), 0);
}

TEST_P(WepKeyDialog, ChangingTheSizeAsksFirstAndEmptiesEveryKey) {
    WepBlock block{};
    setKey(block, 1, "abcde");
    setKey(block, 2, "fghij");
    block.txKeyIndex = 2;
    const std::string question = text(IDS_WEP_SIZE_CHANGE);
    run(block, [&](Dialog& dialog, UserActions& user) {
        fw::Surface& ui = dialog.ui();
        user.pick(IDC_WEP_SIZE, k40Bit);  // the size shown: no question
        script().expectMessageBox(question, fw::id::No);
        user.pick(IDC_WEP_SIZE, k104Bit);
        EXPECT_EQ(ui.selection(IDC_WEP_SIZE), k40Bit);
        EXPECT_EQ(ui.text(IDC_WEP_KEY1), "*****");
        script().expectMessageBox(question, fw::id::Yes);
        user.pick(IDC_WEP_SIZE, k104Bit);
        EXPECT_EQ(ui.selection(IDC_WEP_SIZE), k104Bit);
        for (int key = 0; key < 4; ++key) {
            EXPECT_EQ(ui.text(IDC_WEP_KEY1 + key), "");
            EXPECT_FALSE(ui.isEnabled(IDC_WEP_TX_KEY1 + key));
            EXPECT_FALSE(ui.isChecked(IDC_WEP_TX_KEY1 + key));
        }
        user.type(IDC_WEP_KEY3, "0123456789abc");
        user.click(fw::id::Ok);
    });
    EXPECT_EQ(block.txKeyIndex, 3u);
    EXPECT_EQ(keyOf(block, 3), "0123456789abc");
    for (int key : {1, 2, 4}) {
        EXPECT_EQ(block.wepKeys[key - 1].length, 0u);
        EXPECT_EQ(keyOf(block, key), "");
    }
}

TEST_P(WepKeyDialog, OkRefusesAKeyOfTheWrongLengthOrAnEmptyTransmitKey) {
    WepBlock block{};
    run(block, [&](Dialog& dialog, UserActions& user) {
        user.type(IDC_WEP_KEY1, "abcd");
        script().expectMessageBox("Wep Key 1\r\n" + text(IDS_WEP_40_ASCII), fw::id::Ok);
        user.click(fw::id::Ok);
        user.pick(IDC_WEP_FORMAT, kHex);
        script().expectMessageBox("Wep Key 1\r\n" + text(IDS_WEP_40_HEX), fw::id::Ok);
        user.click(fw::id::Ok);
        EXPECT_EQ(dialog.ui().text(IDC_WEP_KEY1), "61626364");
        user.click(fw::id::Cancel);
    });
    EXPECT_EQ(script().shownBoxes().back().flags, fw::mb::Ok | fw::mb::IconExclamation);

    // The stored transmit key names an empty slot: its radio button is checked, but off.
    block.txKeyIndex = 4;
    run(block, [&](Dialog& dialog, UserActions& user) {
        EXPECT_TRUE(dialog.ui().isChecked(IDC_WEP_TX_KEY4));
        script().expectMessageBox(text(IDS_WEP_INVALID_TX_KEY), fw::id::Ok);
        user.click(fw::id::Ok);
        // Emptying the checked key clears the transmit key.
        user.type(IDC_WEP_KEY4, "k");
        paste(dialog, user, IDC_WEP_KEY4, "");
        EXPECT_FALSE(dialog.ui().isChecked(IDC_WEP_TX_KEY4));
        user.click(fw::id::Ok);
    });
    EXPECT_EQ(block.txKeyIndex, 0u);
}

TEST_P(WepKeyDialog, WithoutACheckedRadioButtonTheFirstKeyTransmits) {
    WepBlock block{};
    setKey(block, 3, "fghij");
    setKey(block, 4, "klmno");
    run(block, [&](Dialog&, UserActions& user) { user.click(fw::id::Ok); });
    EXPECT_EQ(block.txKeyIndex, 3u);
    EXPECT_EQ(keyOf(block, 4), "klmno");
}

TEST_P(WepKeyDialog, NoInputStoresAKeyThatDoesNotFitItsSize) {
    // Slots that hold no 40- or 104-bit key show nothing, whatever their length says.
    WepBlock block{};
    block.wepKeys[1].length = 200;
    block.wepKeys[2].length = 7;
    std::memset(block.wepKeys[2].key, 0x5A, sizeof block.wepKeys[2].key);
    block.txKeyIndex = 9;
    run(block, [&](Dialog& dialog, UserActions& user) {
        fw::Surface& ui = dialog.ui();
        for (int key = 0; key < 4; ++key) {
            EXPECT_EQ(ui.text(IDC_WEP_KEY1 + key), "");
            EXPECT_FALSE(ui.isEnabled(IDC_WEP_TX_KEY1 + key));
            EXPECT_FALSE(ui.isChecked(IDC_WEP_TX_KEY1 + key));
        }
        paste(dialog, user, IDC_WEP_KEY1, std::string(40, 'q'));
        EXPECT_EQ(ui.text(IDC_WEP_KEY1), "qqqqq");
        script().expectMessageBox(text(IDS_WEP_SIZE_CHANGE), fw::id::Yes);
        user.pick(IDC_WEP_SIZE, k104Bit);
        // Without a key the size changes without a question.
        user.pick(IDC_WEP_SIZE, k40Bit);
        user.pick(IDC_WEP_FORMAT, kHex);
        paste(dialog, user, IDC_WEP_KEY2, "4142434445464748494a4b4c4d4e4f");
        EXPECT_EQ(ui.text(IDC_WEP_KEY2), "4142434445");
        // What is no digit goes at once; an odd last digit is dropped.
        paste(dialog, user, IDC_WEP_KEY3, "zz4142434");
        EXPECT_EQ(ui.text(IDC_WEP_KEY3), "4142434");
        user.pick(IDC_WEP_FORMAT, kAscii);
        EXPECT_EQ(ui.text(IDC_WEP_KEY2), "ABCDE");
        EXPECT_EQ(ui.text(IDC_WEP_KEY3), "ABC");
        script().expectMessageBox("Wep Key 3\r\n" + text(IDS_WEP_40_ASCII), fw::id::Ok);
        user.click(fw::id::Ok);
        paste(dialog, user, IDC_WEP_KEY3, "");
        user.click(fw::id::Ok);
    });
    EXPECT_EQ(block.txKeyIndex, 2u);
    EXPECT_EQ(keyOf(block, 2), "ABCDE");
    for (int key : {1, 3, 4}) {
        EXPECT_EQ(block.wepKeys[key - 1].length, 0u);
        EXPECT_EQ(std::count(block.wepKeys[key - 1].key, block.wepKeys[key - 1].key + 32, 0), 32);
    }
}

}  // namespace
}  // namespace pagestest
