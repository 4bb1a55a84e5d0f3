#include "controls/win32/ThroughputGraph.h"

namespace {

constexpr UINT_PTR kStepTimer = 0;

bool registerClass(HINSTANCE module, WNDPROC procedure) {
    WNDCLASSA existing;
    if (GetClassInfoA(module, CThroughputGraph::kClassName, &existing)) return true;
    WNDCLASSA graphClass = {};
    graphClass.lpfnWndProc = procedure;
    graphClass.hInstance = module;
    graphClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    graphClass.hbrBackground = nullptr;  // the picture covers the whole client area
    graphClass.lpszClassName = CThroughputGraph::kClassName;
    return RegisterClassA(&graphClass) != 0;
}

}  // namespace

CThroughputGraph::~CThroughputGraph() {
    if (window_) DestroyWindow(window_);
}

bool CThroughputGraph::create(DWORD style, const RECT& area, HWND parent, UINT id) {
    const auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    if (window_ || !registerClass(module, windowProc)) return false;
    window_ = CreateWindowExA(WS_EX_CLIENTEDGE, kClassName, "", style, area.left, area.top,
                              area.right - area.left, area.bottom - area.top, parent,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), module, this);
    if (!window_) return false;
    RECT client;
    GetClientRect(window_, &client);
    const HDC screen = GetDC(window_);
    const bool made = picture_.make(screen, client.right, client.bottom);
    ReleaseDC(window_, screen);
    if (!made) {
        DestroyWindow(window_);
        return false;
    }
    chart_ = std::make_unique<ctl::ThroughputChart>(picture_.picture());
    InvalidateRect(window_, nullptr, FALSE);
    setTimer(kStepMs);
    return true;
}

void CThroughputGraph::setRange(int lower, int upper) {
    if (chart_) chart_->setRange(lower, upper);
}

void CThroughputGraph::addValue(uint32_t value) {
    if (chart_) chart_->addValue(value);
}

void CThroughputGraph::setPen(int width, COLORREF colour) {
    if (chart_) chart_->setPen(width, ctl::fromColorRef(colour));
}

UINT CThroughputGraph::setTimer(UINT interval) {
    const UINT previous = interval_;
    if (!window_) return previous;
    KillTimer(window_, kStepTimer);
    interval_ = interval;
    stopped_ = false;
    lastStep_ = GetTickCount();
    if (interval != 0) SetTimer(window_, kStepTimer, interval, nullptr);
    return previous;
}

void CThroughputGraph::stop() {
    if (!window_ || interval_ == 0 || stopped_) return;
    KillTimer(window_, kStepTimer);
    stopped_ = true;
}

void CThroughputGraph::resume() {
    if (!window_ || !stopped_) return;
    stopped_ = false;
    const DWORD missed = (GetTickCount() - lastStep_) / interval_;
    if (missed > 0) {
        chart_->steps(missed);
        lastStep_ += missed * interval_;
        InvalidateRect(window_, nullptr, FALSE);
    }
    SetTimer(window_, kStepTimer, interval_, nullptr);
}

void CThroughputGraph::paint() {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window_, &paint);
    picture_.copyTo(dc, paint.rcPaint);
    EndPaint(window_, &paint);
}

LRESULT CThroughputGraph::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            paint();
            return 0;
        case WM_TIMER:
            if (wParam != kStepTimer || !chart_) break;
            chart_->step();
            lastStep_ = GetTickCount();
            InvalidateRect(window_, nullptr, FALSE);
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            window_ = nullptr;
            interval_ = 0;
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK CThroughputGraph::windowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* graph = static_cast<CThroughputGraph*>(
            reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        graph->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(graph));
    }
    auto* graph = reinterpret_cast<CThroughputGraph*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!graph) return DefWindowProcA(window, message, wParam, lParam);
    return graph->handle(window, message, wParam, lParam);
}
