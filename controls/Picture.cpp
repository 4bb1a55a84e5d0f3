#include "controls/Picture.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace ctl {

Picture::Picture(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      own_(static_cast<size_t>(width_) * height_, 0),
      pixels_(own_.data()) {}

Picture::Picture(int width, int height, Colour* pixels)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), pixels_(pixels) {}

Colour Picture::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return pixels_[static_cast<size_t>(y) * width_ + x];
}

void Picture::setPixel(int x, int y, Colour colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<size_t>(y) * width_ + x] = colour;
}

void Picture::fill(const Rect& area, Colour colour) {
    const int left = std::max(area.left, 0);
    const int right = std::min(area.right, width_);
    const int top = std::max(area.top, 0);
    const int bottom = std::min(area.bottom, height_);
    if (left >= right) return;
    for (int y = top; y < bottom; ++y) {
        Colour* row = pixels_ + static_cast<size_t>(y) * width_;
        std::fill(row + left, row + right, colour);
    }
}

void Picture::line(int x1, int y1, int x2, int y2, Colour colour, int width) {
    const int before = (width - 1) / 2;
    const int after = width / 2;
    auto plot = [&](int x, int y) {
        if (width <= 1) {
            setPixel(x, y, colour);
        } else {
            fill({x - before, y - before, x + after + 1, y + after + 1}, colour);
        }
    };
    // Bresenham along the longer axis; the end point is not drawn.
    const int dx = std::abs(x2 - x1);
    const int dy = std::abs(y2 - y1);
    const int stepX = x1 < x2 ? 1 : -1;
    const int stepY = y1 < y2 ? 1 : -1;
    int x = x1;
    int y = y1;
    if (dx >= dy) {
        int error = dx / 2;
        for (int i = 0; i < dx; ++i) {
            plot(x, y);
            x += stepX;
            error -= dy;
            if (error < 0) {
                y += stepY;
                error += dx;
            }
        }
    } else {
        int error = dy / 2;
        for (int i = 0; i < dy; ++i) {
            plot(x, y);
            y += stepY;
            error -= dx;
            if (error < 0) {
                x += stepX;
                error += dy;
            }
        }
    }
}

void Picture::scrollLeft(int distance, Colour colour) {
    distance = std::clamp(distance, 0, width_);
    for (int y = 0; y < height_; ++y) {
        Colour* row = pixels_ + static_cast<size_t>(y) * width_;
        std::memmove(row, row + distance, sizeof(Colour) * (width_ - distance));
    }
    fill({width_ - distance, 0, width_, height_}, colour);
}

}  // namespace ctl
