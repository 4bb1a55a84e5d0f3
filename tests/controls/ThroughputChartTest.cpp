#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "controls/ThroughputChart.h"

namespace ctl {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

// A chart of 60 x 40 pixels: the new segment of a step covers columns 46 to 48.
constexpr int kWidth = 60;
constexpr int kHeight = 40;
constexpr int kSegment = kWidth - ThroughputChart::kSegmentStart;

class ThroughputChartTest : public testing::Test {
protected:
    // The rows of column `x` that the value line covers.
    std::vector<int> lineRows(int x) const {
        std::vector<int> rows;
        for (int y = 0; y < kHeight; ++y) {
            if (picture.pixel(x, y) == ThroughputChart::kLine) rows.push_back(y);
        }
        return rows;
    }
    // The row of the newest segment, which must be level. (Its first column may also
    // hold the end of a steep segment before it.)
    int level() const {
        const std::vector<int> rows = lineRows(kSegment + 1);
        EXPECT_EQ(rows.size(), 1u);
        EXPECT_EQ(lineRows(kSegment + 2), rows);
        return rows.empty() ? -1 : rows.front();
    }
    void plot(std::initializer_list<uint32_t> values) {
        for (uint32_t value : values) chart.addValue(value);
        chart.step();
    }

    Picture picture{kWidth, kHeight};
    ThroughputChart chart{picture};
};

TEST_F(ThroughputChartTest, StartsAsABlackFieldWithAGridEveryThirteenPixels) {
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const bool grid = x % 13 == 12 || y % 13 == 12;
            EXPECT_EQ(picture.pixel(x, y),
                      grid ? ThroughputChart::kGrid : ThroughputChart::kBackground)
                << x << "," << y;
        }
    }
}

TEST_F(ThroughputChartTest, TheGridScrollsThreePixelsAStepAndTheNewColumnsCarryIt) {
    for (int steps = 1; steps <= 15; ++steps) {
        chart.step();
        for (int x = 0; x < kWidth; ++x) {
            const bool vertical = ((x - 12 + 3 * steps) % 13 + 13) % 13 == 0;
            EXPECT_EQ(picture.pixel(x, 5),
                      vertical ? ThroughputChart::kGrid : ThroughputChart::kBackground)
                << "step " << steps << " column " << x;
            EXPECT_EQ(picture.pixel(x, 25), ThroughputChart::kGrid) << "step " << steps;
        }
    }
}

TEST_F(ThroughputChartTest, NoLineIsDrawnBeforeTheFirstValue) {
    chart.step();
    chart.step();
    for (int x = 0; x < kWidth; ++x) EXPECT_THAT(lineRows(x), IsEmpty()) << x;
}

TEST_F(ThroughputChartTest, AValuePlotsAtItsShareOfTheHeight) {
    chart.setRange(1, 10);
    plot({5});
    EXPECT_EQ(level(), kHeight - 5 * kHeight / 10);
    EXPECT_THAT(lineRows(kSegment - 1), IsEmpty());
    EXPECT_THAT(lineRows(kSegment + 3), IsEmpty());
}

TEST_F(ThroughputChartTest, AStepWithoutNewValuesRepeatsTheLastLevel) {
    chart.setRange(1, 10);
    plot({5});
    const int first = level();
    chart.step();
    EXPECT_EQ(level(), first);
    EXPECT_THAT(lineRows(kSegment - 3), ElementsAre(first));
    EXPECT_THAT(lineRows(kSegment - 1), ElementsAre(first));
}

TEST_F(ThroughputChartTest, ManyStepsAtOnceDrawWhatAsManySingleStepsDraw) {
    // 34 steps scroll the 60 columns out and turn the grid through all its phases.
    for (uint64_t count : {1u, 20u, 34u, 35u, 47u, 1000u}) {
        Picture single(kWidth, kHeight), many(kWidth, kHeight);
        ThroughputChart one(single), all(many);
        for (ThroughputChart* chart : {&one, &all}) {
            chart->setRange(1, 10);
            chart->addValue(4);
            chart->step();
            chart->addValue(8);
        }
        for (uint64_t i = 0; i < count; ++i) one.step();
        all.steps(count);
        int differ = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) differ += single.pixel(x, y) != many.pixel(x, y);
        }
        EXPECT_EQ(differ, 0) << count << " steps";
    }
}

TEST_F(ThroughputChartTest, ZeroPlotsAtTheFloorAndValuesAboveTheRangeAtTheTop) {
    chart.setRange(1, 10);
    plot({1});
    const int floor = level();
    EXPECT_EQ(floor, kHeight - kHeight / 10);
    plot({0});
    EXPECT_EQ(level(), floor);
    plot({1000000});
    chart.step();
    EXPECT_EQ(level(), 0);
}

TEST_F(ThroughputChartTest, TheRangeMayStartAboveOne) {
    chart.setRange(101, 110);
    plot({100});
    EXPECT_EQ(level(), kHeight - kHeight / 10);
    plot({105});
    chart.step();
    EXPECT_EQ(level(), kHeight - 5 * kHeight / 10);
}

TEST_F(ThroughputChartTest, TenValuesBetweenStepsPlotAsTheirIntegerAverage) {
    chart.setRange(1, 10);
    plot({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});  // 55 / 10 = 5, not 5.5
    EXPECT_EQ(level(), kHeight - 5 * kHeight / 10);
    plot({1, 2, 2});  // 5 / 3 = 1
    chart.step();
    EXPECT_EQ(level(), kHeight - kHeight / 10);
}

TEST_F(ThroughputChartTest, TheAverageOfLargeValuesDoesNotOverflow) {
    chart.setRange(1, 2000000000);
    plot({4000000000u, 4000000000u, 4000000000u});
    EXPECT_EQ(level(), 0);
}

TEST_F(ThroughputChartTest, ARangeChangeLeavesTheColumnsDrawnAlone) {
    chart.setRange(1, 10);
    for (uint32_t value : {2u, 8u, 5u, 9u, 3u}) plot({value});
    Picture before(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) before.setPixel(x, y, picture.pixel(x, y));
    }

    chart.setRange(1, 20);
    plot({5});
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kSegment; ++x) {
            ASSERT_EQ(picture.pixel(x, y), before.pixel(x + ThroughputChart::kStep, y))
                << x << "," << y;
        }
    }
    chart.step();
    EXPECT_EQ(level(), kHeight - 5 * kHeight / 20);
}

TEST_F(ThroughputChartTest, ARangeUpsideDownIsRefused) {
    chart.setRange(1, 10);
    chart.setRange(10, 5);
    plot({5});
    EXPECT_EQ(level(), kHeight - 5 * kHeight / 10);
}

TEST_F(ThroughputChartTest, ThePenSetsTheLinesColourAndWidth) {
    constexpr Colour kRed = rgb(255, 0, 0);
    chart.setRange(1, 10);
    chart.setPen(3, kRed);
    plot({5});
    const int y = kHeight - 5 * kHeight / 10;
    for (int row : {y - 1, y, y + 1}) EXPECT_EQ(picture.pixel(kSegment + 1, row), kRed) << row;
    EXPECT_NE(picture.pixel(kSegment + 1, y - 2), kRed);
    EXPECT_THAT(lineRows(kSegment + 1), IsEmpty());
}

}  // namespace
}  // namespace ctl
