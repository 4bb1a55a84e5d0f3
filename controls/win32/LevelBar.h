// The level bar: a platform progress bar whose painting is replaced by drawLevelBar. The
// range, the position and the vertical style stay the progress bar's own; this class
// only paints, into an off-screen picture that is then copied at once, and never lets
// the background be erased.
//
// A dialog template holds one as a control of the window class kLevelBarClass: a
// progress bar that paints itself as a level bar with the default colours (red to
// green), so that a page sets its range and position as a progress bar's and needs no
// code of its own for it.
#pragma once

#include <windows.h>

#include "controls/LevelBar.h"
#include "controls/win32/OffscreenPicture.h"

constexpr char kLevelBarClass[] = "TovixLevelBar";

// Registers kLevelBarClass for every module of the process; false when the system has no
// progress bar class (the common controls were not initialised).
bool registerLevelBarClass();

class CLevelBar {
public:
    CLevelBar();
    // Gives the progress bar its own painting back if it still exists.
    ~CLevelBar();
    CLevelBar(const CLevelBar&) = delete;
    CLevelBar& operator=(const CLevelBar&) = delete;

    // Takes over the painting of the progress bar `id` of `dialog`; false when the dialog
    // has no such control or this bar already paints one.
    bool subclassDlgItem(UINT id, HWND dialog);
    // Takes over the painting of the progress bar `bar`; false when this bar or another
    // already paints it.
    bool subclass(HWND bar);
    HWND window() const { return window_; }

    void setStartColour(COLORREF colour);
    void setEndColour(COLORREF colour);
    void setBackgroundColour(COLORREF colour);
    void setTextColour(COLORREF colour);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void detach();
    void redraw();

    HWND window_ = nullptr;
    WNDPROC original_ = nullptr;
    ctl::LevelBarColours colours_;
    ctl::OffscreenPicture picture_;
};
