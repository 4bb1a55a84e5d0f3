// The drawing of a level bar: a progress bar's position shown as a colour gradient from
// the start colour to the end colour, laid over the whole length of the bar so that a
// place on the bar always has the same colour, and the percentage written in the middle.
#pragma once

#include <string>

#include "controls/Picture.h"

namespace ctl {

struct LevelBarColours {
    Colour start = rgb(255, 0, 0);
    Colour end = rgb(0, 255, 0);
    Colour background = rgb(0xEC, 0xE9, 0xD8);  // the platform gives its button face colour
    Colour text = rgb(255, 255, 255);
};

struct LevelBarState {
    int lower = 0;
    int upper = 100;
    int position = 0;
    bool vertical = false;  // filled from the top
};

// The text written over a bar: the position as a percentage of the range, "%3.0f %%".
std::string levelBarText(const LevelBarState& state);

// Draws the bar over the whole picture. At or below the lower end the bar is empty and
// carries no text; above the upper end it is full.
void drawLevelBar(Picture& picture, const LevelBarColours& colours, const LevelBarState& state,
                  TextPainter& text);

}  // namespace ctl
