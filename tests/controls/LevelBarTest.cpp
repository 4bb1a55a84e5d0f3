#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "controls/LevelBar.h"

namespace ctl {
namespace {

using testing::IsEmpty;

struct Written {
    Rect area;
    std::string text;
    Colour colour;
};

class RecordingText final : public TextPainter {
public:
    void drawCentred(const Rect& area, const std::string& text, Colour colour) override {
        written.push_back({area, text, colour});
    }
    std::vector<Written> written;
};

// The default colours with a background that no gradient step can take.
LevelBarColours testColours() {
    LevelBarColours colours;
    colours.background = rgb(1, 2, 3);
    return colours;
}

// The gradient's colour at pixel `x` of a bar `length` pixels long, red to green: the
// colour of the last quarter-pixel slice that ends in the pixel.
Colour redToGreen(int x, int length) {
    const double step = 255.0 / (4 * length);
    const int slice = 4 * x + 3;
    return rgb(static_cast<uint8_t>(255 - slice * step), static_cast<uint8_t>(slice * step), 0);
}

class LevelBarTest : public testing::Test {
protected:
    void draw(int lower, int upper, int position, bool vertical = false) {
        drawLevelBar(picture, colours, {lower, upper, position, vertical}, text);
    }
    // Columns 0 .. n - 1 carry the gradient over the bar's full height; the rest is
    // background.
    void expectFilledColumns(int n) {
        for (int x = 0; x < picture.width(); ++x) {
            for (int y = 0; y < picture.height(); ++y) {
                const Colour expected = x < n ? redToGreen(x, picture.width()) : colours.background;
                ASSERT_EQ(picture.pixel(x, y), expected) << x << "," << y;
            }
        }
    }

    Picture picture{100, 12};
    LevelBarColours colours = testColours();
    RecordingText text;
};

TEST_F(LevelBarTest, AtTheLowerEndTheBarIsEmptyWithoutText) {
    draw(0, 40, 0);
    expectFilledColumns(0);
    EXPECT_THAT(text.written, IsEmpty());
    draw(10, 40, 3);
    expectFilledColumns(0);
    EXPECT_THAT(text.written, IsEmpty());
}

TEST_F(LevelBarTest, OneAboveTheLowerEndShowsARedSliverAndThePercentage) {
    draw(0, 100, 1);
    expectFilledColumns(2);
    EXPECT_GE(redOf(picture.pixel(1, 0)), 250);
    EXPECT_LE(greenOf(picture.pixel(1, 0)), 5);
    ASSERT_EQ(text.written.size(), 1u);
    EXPECT_EQ(text.written[0].text, "  1 %");
}

TEST_F(LevelBarTest, TwentyOfZeroToFortyIsHalfFilledAndReadsFiftyPercent) {
    draw(0, 40, 20);
    // The slice that passes the middle (pixel 50) is drawn whole.
    expectFilledColumns(51);
    ASSERT_EQ(text.written.size(), 1u);
    EXPECT_EQ(text.written[0].text, " 50 %");
}

TEST_F(LevelBarTest, AboveTheUpperEndTheBarIsFullAndReadsAHundredPercent) {
    draw(0, 40, 55);
    expectFilledColumns(100);
    EXPECT_EQ(picture.pixel(99, 0), rgb(0, 254, 0));
    ASSERT_EQ(text.written.size(), 1u);
    EXPECT_EQ(text.written[0].text, "100 %");
}

TEST_F(LevelBarTest, APlaceOnTheBarKeepsItsColourWhateverThePosition) {
    draw(0, 40, 10);
    const Colour low = picture.pixel(20, 5);
    draw(0, 40, 40);
    EXPECT_EQ(picture.pixel(20, 5), low);
    EXPECT_EQ(low, redToGreen(20, 100));
}

TEST_F(LevelBarTest, TheTextIsCentredOnTheWholeBarInTheTextColour) {
    colours.text = rgb(9, 8, 7);
    draw(0, 40, 30);
    ASSERT_EQ(text.written.size(), 1u);
    EXPECT_EQ(text.written[0].text, " 75 %");
    EXPECT_EQ(text.written[0].colour, rgb(9, 8, 7));
    EXPECT_EQ(text.written[0].area.left, 0);
    EXPECT_EQ(text.written[0].area.top, 0);
    EXPECT_EQ(text.written[0].area.right, 100);
    EXPECT_EQ(text.written[0].area.bottom, 12);
}

TEST_F(LevelBarTest, ARangeThatStartsAboveZeroFillsFromItsLowerEnd) {
    draw(10, 50, 30);
    expectFilledColumns(51);
    EXPECT_EQ(text.written.at(0).text, " 50 %");
}

TEST_F(LevelBarTest, ARangeWithoutLengthDrawsAnEmptyBar) {
    draw(20, 20, 20);
    draw(20, 10, 30);
    expectFilledColumns(0);
    EXPECT_THAT(text.written, IsEmpty());
}

TEST_F(LevelBarTest, AVerticalBarFillsFromTheTop) {
    Picture tall(8, 40);
    drawLevelBar(tall, colours, {0, 40, 10, true}, text);
    // e = 10: rows 0 to 10 carry the gradient across the bar, the rest is background.
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 8; ++x) {
            ASSERT_EQ(tall.pixel(x, y), y <= 10 ? redToGreen(y, 40) : colours.background)
                << x << "," << y;
        }
    }
    EXPECT_EQ(text.written.at(0).text, " 25 %");
}

TEST_F(LevelBarTest, TheGradientRunsBetweenTheColoursGiven) {
    colours.start = rgb(0, 0, 200);
    colours.end = rgb(0, 0, 200);
    draw(0, 10, 10);
    for (int x = 0; x < 100; ++x) ASSERT_EQ(picture.pixel(x, 3), rgb(0, 0, 200)) << x;
}

}  // namespace
}  // namespace ctl
