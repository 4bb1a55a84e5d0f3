// The throughput graph window: a child window that shows a ThroughputChart and scrolls it
// one step on each tick of its own timer. All drawing goes into the off-screen picture;
// painting is one copy of it, and the background is never erased.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "controls/ThroughputChart.h"
#include "controls/win32/OffscreenPicture.h"

class CThroughputGraph {
public:
    // The scroll step period the window starts with.
    static constexpr UINT kStepMs = 1000;
    // The window class; it has no background brush of its own.
    static constexpr const char* kClassName = "TovixThroughputGraph";

    CThroughputGraph() = default;
    // Destroys the window if it still exists.
    ~CThroughputGraph();
    CThroughputGraph(const CThroughputGraph&) = delete;
    CThroughputGraph& operator=(const CThroughputGraph&) = delete;

    // Creates the window with `style` and the client-edge extended style over `area`
    // (client coordinates of `parent`), builds the picture and starts the scroll timer.
    // False when the window, the memory device context or the picture cannot be made.
    bool create(DWORD style, const RECT& area, HWND parent, UINT id);
    HWND window() const { return window_; }

    void setRange(int lower, int upper);
    void addValue(uint32_t value);
    void setPen(int width, COLORREF colour);
    // Restarts the scroll timer with `interval` ms (0: stops it); returns the interval
    // it had.
    UINT setTimer(UINT interval);
    // Stops the scroll steps while nobody can see the graph; resume() makes the steps
    // missed meanwhile at once and goes on, so that the graph reads as if it had run.
    void stop();
    void resume();

    // The chart as drawn so far; only after a successful create.
    const ctl::ThroughputChart& chart() const { return *chart_; }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();

    HWND window_ = nullptr;
    ctl::OffscreenPicture picture_;
    std::unique_ptr<ctl::ThroughputChart> chart_;
    UINT interval_ = 0;
    bool stopped_ = false;
    DWORD lastStep_ = 0;  // the tick count of the last step, or of the timer's start
};
