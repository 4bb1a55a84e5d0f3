#include "controls/ThroughputChart.h"

namespace ctl {

ThroughputChart::ThroughputChart(Picture& picture)
    : picture_(picture), previousY_(picture.height() + 1), newY_(picture.height() + 1) {
    drawGrid();
}

void ThroughputChart::drawGrid() {
    const Rect all = picture_.bounds();
    picture_.fill(all, kBackground);
    for (int x = all.left - 1; x < all.right; x += kGridSpacing) {
        picture_.fill({x, all.top, x + 1, all.bottom}, kGrid);
    }
    for (int y = all.top - 1; y < all.bottom; y += kGridSpacing) {
        picture_.fill({all.left, y, all.right, y + 1}, kGrid);
    }
}

void ThroughputChart::setRange(int lower, int upper) {
    if (upper < lower) return;
    valueOffset_ = int64_t{lower} - 1;
    span_ = int64_t{upper} - lower + 1;
    floor_ = 1;
}

void ThroughputChart::addValue(uint32_t value) {
    int64_t v = int64_t{value} - valueOffset_;
    if (v > span_) v = span_;
    if (v < floor_) v = floor_;
    pendingSum_ += static_cast<uint64_t>(v);
    ++pendingCount_;
}

void ThroughputChart::setPen(int width, Colour colour) {
    penWidth_ = width;
    penColour_ = colour;
}

void ThroughputChart::step() {
    const Rect all = picture_.bounds();
    picture_.scrollLeft(kStep, kBackground);

    gridPhase_ -= kStep;
    if (gridPhase_ < 0) gridPhase_ += kGridSpacing;
    const int behind = ((all.right - gridPhase_) % kGridSpacing + kGridSpacing) % kGridSpacing;
    const int x = all.right - behind - 1;
    picture_.fill({x, all.top, x + 1, all.bottom}, kGrid);
    for (int y = all.top - 1; y < all.bottom; y += kGridSpacing) {
        picture_.fill({all.right - 6, y, all.right, y + 1}, kGrid);
    }

    if (pendingCount_ != 0) {
        // The average lies within 1..span, so the point lies within the picture's height.
        const uint64_t average = pendingSum_ / pendingCount_;
        const uint64_t bottom = static_cast<uint64_t>(all.bottom);
        newY_ = static_cast<int>(bottom - average * bottom / static_cast<uint64_t>(span_));
        pendingSum_ = 0;
        pendingCount_ = 0;
    }
    if (previousY_ == all.bottom + 1) previousY_ = newY_;
    picture_.line(all.right - kSegmentStart, previousY_, all.right - kSegmentEnd, newY_, penColour_,
                  penWidth_);
    previousY_ = newY_;
}

void ThroughputChart::steps(uint64_t count) {
    // Steps that scroll every column out, and a whole turn of the grid's phases beyond.
    const uint64_t all = static_cast<uint64_t>(picture_.width() / kStep + 1 + kGridSpacing);
    if (count > all) count = all + (count - all) % kGridSpacing;
    for (; count > 0; --count) step();
}

}  // namespace ctl
