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
    page_ = fw::Win32Host::windowOf(page);
    shownIcon_ = 0;
    if (!page_) return;
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
        if (!placeOf(page_, made.placeholder, area)) continue;
        if (made.graph.create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, area, page_, made.id)) {
            made.graph.setRange(1, kGraphStartTop);
        }
    }
    if (signal_.subclassDlgItem(IDC_STATUS_SIGNAL, page_)) {
        signal_.setStartColour(RGB(255, 0, 0));
        signal_.setEndColour(RGB(0, 255, 0));
    }
}

void Win32MainPagePlatform::setGraphRange(Graph which, int lower, int upper) {
    graph(which).setRange(lower, upper);
}

void Win32MainPagePlatform::addGraphValue(Graph which, uint32_t value) {
    graph(which).addValue(value);
}

void Win32MainPagePlatform::showIcon(int controlId, int iconId) {
    // The same icon again would only make the control repaint.
    if (!page_ || iconId == shownIcon_) return;
    const auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(page_, GWLP_HINSTANCE));
    const HANDLE icon =
        LoadImageA(module, MAKEINTRESOURCEA(iconId), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED);
    if (!icon) return;
    SendDlgItemMessageA(page_, controlId, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    shownIcon_ = iconId;
}

void Win32MainPagePlatform::setWaitCursor(bool waiting) {
    SetCursor(LoadCursor(nullptr, waiting ? IDC_WAIT : IDC_ARROW));
}

void Win32MainPagePlatform::redrawNow() {
    if (page_)
        RedrawWindow(page_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}
