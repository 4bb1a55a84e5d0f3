// The drawing of a throughput graph: a strip chart in the manner of an oscilloscope. A
// black field with a dark green grid scrolls left by 3 pixels a step, and a bright green
// line follows the values added between two steps, one point per step at their average.
// Everything is drawn into the picture once; showing the graph is copying the picture.
#pragma once

#include <cstdint>

#include "controls/Picture.h"

namespace ctl {

class ThroughputChart {
public:
    static constexpr Colour kBackground = rgb(0, 0, 0);
    static constexpr Colour kGrid = rgb(0, 130, 66);
    static constexpr Colour kLine = rgb(0, 255, 0);
    // Grid spacing in both directions, and how far one step scrolls.
    static constexpr int kGridSpacing = 13;
    static constexpr int kStep = 3;
    // The new segment of each step runs between these distances from the right edge.
    static constexpr int kSegmentStart = 14;
    static constexpr int kSegmentEnd = 11;

    // Draws the empty chart (background and grid) into `picture`, which must outlive
    // the chart. The range starts as (1, 100).
    explicit ThroughputChart(Picture& picture);

    // Values from `lower` to `upper` span the height from the bottom edge to the top;
    // the line drawn so far stays as it is. A range whose upper end lies below its lower
    // end is refused.
    void setRange(int lower, int upper);
    // A value for the next step; values outside the range plot at its ends, and nothing
    // plots below the range's lowest value above the bottom edge (the floor).
    void addValue(uint32_t value);
    void setPen(int width, Colour colour);

    // One scroll step: the picture moves left, the grid follows, and the line gains one
    // segment to the average of the values added since the last step, or stays level
    // when none were.
    void step();
    // `count` steps at once, as a timer that went on would have made them: once the whole
    // picture has scrolled out, only the grid's place among its 13 phases still counts.
    void steps(uint64_t count);

    const Picture& picture() const { return picture_; }

private:
    void drawGrid();

    Picture& picture_;
    int gridPhase_ = kGridSpacing;
    int64_t valueOffset_ = 0;
    int64_t span_ = 100;
    int64_t floor_ = 1;
    // The values added since the last step, as their sum and count.
    uint64_t pendingSum_ = 0;
    uint64_t pendingCount_ = 0;
    int previousY_;
    int newY_;
    int penWidth_ = 1;
    Colour penColour_ = kLine;
};

}  // namespace ctl
