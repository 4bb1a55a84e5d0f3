// An off-screen picture: a rectangle of 32-bit pixels, 0x00RRGGBB, rows top down. That is
// the layout of a top-down 32-bit device-independent bitmap, so on Windows the pixels can
// live in a DIB section and reach the screen with one BitBlt. The drawing operations
// follow GDI's conventions: rectangles include their left and top edges and exclude their
// right and bottom ones, lines exclude their end point, and everything is clipped to the
// picture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ctl {

// A colour as 0x00RRGGBB.
using Colour = uint32_t;

constexpr Colour rgb(uint8_t red, uint8_t green, uint8_t blue) {
    return (Colour{red} << 16) | (Colour{green} << 8) | Colour{blue};
}
constexpr uint8_t redOf(Colour colour) { return static_cast<uint8_t>(colour >> 16); }
constexpr uint8_t greenOf(Colour colour) { return static_cast<uint8_t>(colour >> 8); }
constexpr uint8_t blueOf(Colour colour) { return static_cast<uint8_t>(colour); }

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

class Picture {
public:
    // A picture with pixels of its own, all black.
    Picture(int width, int height);
    // A picture over `width` x `height` pixels that someone else keeps (a DIB section's
    // bits); they must outlive the picture.
    Picture(int width, int height, Colour* pixels);
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    Rect bounds() const { return {0, 0, width_, height_}; }

    // The pixel at (x, y); outside the picture: 0.
    Colour pixel(int x, int y) const;
    void setPixel(int x, int y, Colour colour);

    void fill(const Rect& area, Colour colour);
    // A line from (x1, y1) towards (x2, y2), without the end point, `width` pixels thick
    // (a square brush centred on each point of the one-pixel line).
    void line(int x1, int y1, int x2, int y2, Colour colour, int width = 1);
    // Moves the whole picture `distance` pixels to the left; the columns that come in at
    // the right edge are filled with `colour`.
    void scrollLeft(int distance, Colour colour);

private:
    int width_;
    int height_;
    std::vector<Colour> own_;
    Colour* pixels_;
};

// Writes text into the picture it was made for. Text needs fonts, so the platform
// provides it: GDI on Windows, a recording stand-in in tests.
class TextPainter {
public:
    virtual ~TextPainter() = default;
    // `text` on one line in `colour`, centred horizontally and vertically in `area`, on a
    // transparent background.
    virtual void drawCentred(const Rect& area, const std::string& text, Colour colour) = 0;
};

}  // namespace ctl
