// The caption of the program's message boxes. It is not the main window's title, so a
// box is never taken for the main window.
#pragma once

namespace sys {

constexpr const char* kMessageCaption = "Tovix";

}  // namespace sys
