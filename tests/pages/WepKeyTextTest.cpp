// The rules of the WEP key dialog's key texts.
#include <gtest/gtest.h>

#include <string>

#include "pages/WepKeyDlg.h"

namespace pagestest {
namespace {

TEST(WepKeyText, TheCharacterRuleCorrectsUntilNothingIsLeftAndPlacesTheCaret) {
    struct Case {
        std::string typed;
        WepFormat format;
        uint32_t keyLength;
        std::string corrected;
        int caret;
    };
    const Case cases[] = {
        {"12a", WepFormat::Hex, kWep40Length, "12A", 3},
        {"1a2g3", WepFormat::Hex, kWep40Length, "1A23", 2},
        {"g", WepFormat::Hex, kWep104Length, "", 0},
        {"zz" + std::string(30, 'e'), WepFormat::Hex, kWep104Length, std::string(24, 'E'), 0},
        {"0123456789ABCDEF0123456789", WepFormat::Hex, kWep104Length, "0123456789ABCDEF0123456789",
         -1},
        {"g*z~ ", WepFormat::Ascii, kWep40Length, "g*z~ ", -1},
        {std::string(40, 'q'), WepFormat::Ascii, kWep104Length, std::string(13, 'q'), 13},
    };
    for (const Case& c : cases) {
        std::string text = c.typed;
        EXPECT_EQ(wepCorrectText(text, c.format, c.keyLength), c.caret) << c.typed;
        EXPECT_EQ(text, c.corrected) << c.typed;
    }
}

TEST(WepKeyText, HexadecimalTextRoundTripsEveryByte) {
    std::string bytes;
    for (int byte = 0; byte < 256; ++byte) bytes += static_cast<char>(byte);
    const std::string hex = wepHexFromText(bytes);
    EXPECT_EQ(hex.substr(0, 8), "00010203");
    EXPECT_EQ(hex.substr(hex.size() - 4), "FEFF");
    EXPECT_EQ(wepTextFromHex(hex), bytes);
    EXPECT_EQ(wepKeyBytes("ab0C1d2E3f", WepFormat::Hex), "\xAB\x0C\x1D\x2E\x3F");
    EXPECT_TRUE(wepTextComplete("0123456789", WepFormat::Hex, kWep40Length));
    EXPECT_FALSE(wepTextComplete("012345678*", WepFormat::Hex, kWep40Length));
    EXPECT_FALSE(wepTextComplete("abcd", WepFormat::Ascii, kWep40Length));
}

}  // namespace
}  // namespace pagestest
