#include "pages/win32/Win32MainPagePlatform.h"

#include "framework/win32/Win32Host.h"
#include "res/resource.h"

namespace {

// The rectangle of control `id` in its dialog's client coordinates.
bool placeOf(HWND dialog, int id, RECT& area) {
    const HWND control = GetDlgItem(dialog, id);
    if (!control || !GetWindowRect(control, &area)) return false;
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
    return true;
}

}  // namespace

void Win32MainPagePlatform::createControls(fw::Page& page) {
    const HWND window = fw::Win32Host::windowOf(page);
    if (!window) return;
    const struct {
        CThroughputGraph& graph;
        int placeholder;
        int id;
    } graphs[] = {
        {transmit_, IDC_STATUS_TX_FRAME, IDC_STATUS_TX_GRAPH},
        {receive_, IDC_STATUS_RX_FRAME, IDC_STATUS_RX_GRAPH},
    };
    for (const auto& made : graphs) {
        RECT area;
        if (!placeOf(window, made.placeholder, area)) continue;
        if (made.graph.create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, area, window, made.id)) {
            made.graph.setRange(1, kGraphStartTop);
        }
    }
}

void Win32MainPagePlatform::setGraphRange(Graph which, int lower, int upper) {
    graph(which).setRange(lower, upper);
}

void Win32MainPagePlatform::addGraphValue(Graph which, uint32_t value) {
    graph(which).addValue(value);
}

void Win32MainPagePlatform::setGraphsRunning(bool running) {
    for (CThroughputGraph* graph : {&transmit_, &receive_}) {
        if (running) {
            graph->resume();
        } else {
            graph->stop();
        }
    }
}
