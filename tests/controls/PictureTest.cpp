#include <gtest/gtest.h>

#include <vector>

#include "controls/Picture.h"

namespace ctl {
namespace {

constexpr Colour kInk = rgb(10, 20, 30);

std::vector<std::pair<int, int>> inked(const Picture& picture) {
    std::vector<std::pair<int, int>> points;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) == kInk) points.emplace_back(x, y);
        }
    }
    return points;
}

TEST(Picture, ColoursKeepTheirChannels) {
    EXPECT_EQ(rgb(0x12, 0x34, 0x56), 0x123456u);
    EXPECT_EQ(redOf(0x123456), 0x12);
    EXPECT_EQ(greenOf(0x123456), 0x34);
    EXPECT_EQ(blueOf(0x123456), 0x56);
}

TEST(Picture, FillCoversLeftAndTopButNotRightAndBottomAndIsClipped) {
    Picture picture(6, 4);
    picture.fill({-3, 1, 2, 3}, kInk);
    using Points = std::vector<std::pair<int, int>>;
    EXPECT_EQ(inked(picture), (Points{{0, 1}, {1, 1}, {0, 2}, {1, 2}}));
    picture.fill({4, -5, 99, 99}, kInk);
    EXPECT_EQ(picture.pixel(5, 3), kInk);
    EXPECT_EQ(picture.pixel(3, 3), 0u);
}

TEST(Picture, LinesLeaveOutTheirEndPoint) {
    Picture picture(8, 8);
    picture.line(1, 2, 4, 2, kInk);
    using Points = std::vector<std::pair<int, int>>;
    EXPECT_EQ(inked(picture), (Points{{1, 2}, {2, 2}, {3, 2}}));

    Picture steep(8, 8);
    steep.line(2, 0, 2, 5, kInk);
    EXPECT_EQ(inked(steep).size(), 5u);
    EXPECT_EQ(steep.pixel(2, 4), kInk);
    EXPECT_EQ(steep.pixel(2, 5), 0u);
}

TEST(Picture, DiagonalLinesStepOnBothAxes) {
    Picture picture(8, 8);
    picture.line(6, 6, 0, 0, kInk);
    using Points = std::vector<std::pair<int, int>>;
    EXPECT_EQ(inked(picture), (Points{{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}}));
}

TEST(Picture, WideLinesAreSquareBrushesAroundEachPoint) {
    Picture picture(8, 8);
    picture.line(2, 4, 4, 4, kInk, 3);
    using Points = std::vector<std::pair<int, int>>;
    EXPECT_EQ(inked(picture), (Points{{1, 3},
                                      {2, 3},
                                      {3, 3},
                                      {4, 3},
                                      {1, 4},
                                      {2, 4},
                                      {3, 4},
                                      {4, 4},
                                      {1, 5},
                                      {2, 5},
                                      {3, 5},
                                      {4, 5}}));
}

TEST(Picture, ScrollLeftMovesEveryRowAndFillsTheRightEdge) {
    Picture picture(5, 2);
    for (int x = 0; x < 5; ++x) {
        picture.setPixel(x, 0, Colour(x + 1));
        picture.setPixel(x, 1, Colour(x + 11));
    }
    picture.scrollLeft(2, kInk);
    for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(picture.pixel(x, 0), Colour(x + 3));
        EXPECT_EQ(picture.pixel(x, 1), Colour(x + 13));
    }
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(picture.pixel(3, y), kInk);
        EXPECT_EQ(picture.pixel(4, y), kInk);
    }
}

TEST(Picture, DrawsIntoMemoryItDoesNotOwn) {
    std::vector<Colour> memory(3 * 2, 0);
    Picture picture(3, 2, memory.data());
    picture.fill({1, 1, 3, 2}, kInk);
    EXPECT_EQ(memory, (std::vector<Colour>{0, 0, 0, 0, kInk, kInk}));
    EXPECT_EQ(picture.pixel(-1, 0), 0u);
    EXPECT_EQ(picture.pixel(3, 0), 0u);
}

}  // namespace
}  // namespace ctl
