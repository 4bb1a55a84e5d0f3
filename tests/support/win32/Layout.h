// What is wrong with the layout of a dialog as the screen shows it: a control that reaches
// out of its dialog, two controls shown together that overlap, a label, button or group box
// caption without room for its text in the control's font.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace fwtest {

// One line per fault, naming the controls; the controls shown are those with WS_VISIBLE.
std::vector<std::string> layoutFaults(HWND dialog);

}  // namespace fwtest
