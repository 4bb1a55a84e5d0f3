#include "controls/LevelBar.h"

#include <algorithm>
#include <cstdio>

namespace ctl {
namespace {

// The position within the range, and the range's length, as the drawing uses them.
struct Extent {
    double filled;
    double length;
};

Extent extentOf(const LevelBarState& state) {
    const double length = double(state.upper) - state.lower;
    const double position = std::min(state.position, state.upper);
    return {position - state.lower, length};
}

double channelStep(Colour from, Colour to, int shift, double slices) {
    return (double((to >> shift) & 0xFF) - double((from >> shift) & 0xFF)) / slices;
}

uint8_t channelAt(Colour from, int shift, double step, int slice) {
    return static_cast<uint8_t>(double((from >> shift) & 0xFF) + slice * step);
}

}  // namespace

std::string levelBarText(const LevelBarState& state) {
    const Extent extent = extentOf(state);
    char text[32];
    std::snprintf(text, sizeof text, "%3.0f %%", extent.filled / extent.length * 100);
    return text;
}

void drawLevelBar(Picture& picture, const LevelBarColours& colours, const LevelBarState& state,
                  TextPainter& text) {
    const Rect all = picture.bounds();
    if (state.position <= state.lower || state.upper <= state.lower) {
        picture.fill(all, colours.background);
        return;
    }
    const int length = state.vertical ? all.height() : all.width();
    const int thickness = (state.vertical ? all.width() : all.height()) + 1;
    const Extent extent = extentOf(state);
    const int filled = static_cast<int>(extent.filled / extent.length * length);

    // Quarter-pixel slices along the bar; the slice that passes the filled extent is the
    // last one drawn, and the background takes the rest.
    const int slices = 4 * length;
    const double stepRed = channelStep(colours.start, colours.end, 16, slices);
    const double stepGreen = channelStep(colours.start, colours.end, 8, slices);
    const double stepBlue = channelStep(colours.start, colours.end, 0, slices);
    auto along = [&](int from, int to) {
        return state.vertical ? Rect{all.left, all.top + from, all.left + thickness, all.top + to}
                              : Rect{all.left + from, all.top, all.left + to, all.top + thickness};
    };
    for (int i = 0; i < slices; ++i) {
        const int nearEdge = i / 4;
        const int farEdge = (i + 1) / 4;
        picture.fill(along(nearEdge, farEdge), rgb(channelAt(colours.start, 16, stepRed, i),
                                                   channelAt(colours.start, 8, stepGreen, i),
                                                   channelAt(colours.start, 0, stepBlue, i)));
        if (farEdge > filled) {
            picture.fill(along(farEdge, length), colours.background);
            break;
        }
    }
    text.drawCentred(all, levelBarText(state), colours.text);
}

}  // namespace ctl
