// Pictures of windows as the screen shows them, for tests to check and to save for
// people to look at.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace fwtest {

// The pixels of a window as the screen shows it, top row first.
struct Picture {
    POINT origin = {};  // on the screen
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;

    COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }

    // Whether the colour appears in the rectangle from (left, top) to (right, bottom).
    bool shows(COLORREF colour, int left, int top, int right, int bottom) const {
        for (int y = top; y < bottom && y < height; ++y) {
            for (int x = left; x < right && x < width; ++x) {
                if (at(x, y) == colour) return true;
            }
        }
        return false;
    }

    // The pixels of a rectangle of the screen that the picture covers.
    std::vector<COLORREF> part(const RECT& onScreen) const {
        std::vector<COLORREF> part;
        for (int y = onScreen.top; y < onScreen.bottom; ++y) {
            for (int x = onScreen.left; x < onScreen.right; ++x) {
                part.push_back(at(x - origin.x, y - origin.y));
            }
        }
        return part;
    }
};

// What the screen shows of `window`, frame included, once it has painted itself afresh.
Picture capture(HWND window);
// What the screen shows of `window` now, frame included. For a window of another process,
// which paints in its own time after it was told to.
Picture grab(HWND window);
// Saves the picture as a 24-bit bitmap file "<folder>\<name>.bmp", making the folder;
// false when it could not be written.
bool save(const Picture& picture, const std::string& folder, const std::string& name);

}  // namespace fwtest
