// The control windows under Wine: what reaches the screen is the off-screen picture,
// painting never erases, the graph scrolls on its own timer, and the level bar paints a
// real progress bar's range and position.
#include <windows.h>
#include <gtest/gtest.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "controls/win32/LevelBar.h"
#include "controls/win32/ThroughputGraph.h"

namespace {

constexpr UINT kGraphId = 5001;
constexpr UINT kBarId = 1022;

// A child window of one visible top-level window that every test shares, to hold the
// controls so that they really paint. (Wine takes its time to take a top-level window off
// the screen; a child goes at once.)
HWND desk() {
    static const HWND window =
        CreateWindowExA(0, "STATIC", "controls", WS_POPUP | WS_VISIBLE, 10, 10, 400, 200, nullptr,
                        nullptr, GetModuleHandleA(nullptr), nullptr);
    return window;
}

class Parent {
public:
    Parent() {
        window_ = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 400, 200, desk(),
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~Parent() { DestroyWindow(window_); }
    HWND window() const { return window_; }

private:
    HWND window_;
};

void pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// Paints `window` now and reads back its client area from the screen.
ctl::Colour screenPixel(HWND window, int x, int y) {
    const HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return ctl::fromColorRef(colour);
}

void repaint(HWND window) {
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    pump();
}

void expectScreenShows(HWND window, const ctl::Picture& picture) {
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            ASSERT_EQ(screenPixel(window, x, y), picture.pixel(x, y)) << x << "," << y;
        }
    }
}

TEST(ThroughputGraphWindow, IsAChildWithAClientEdgeAndNoBackgroundBrush) {
    Parent parent;
    CThroughputGraph graph;
    ASSERT_TRUE(graph.create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, {10, 10, 110, 70}, parent.window(),
                             kGraphId));
    EXPECT_EQ(GetDlgItem(parent.window(), kGraphId), graph.window());
    EXPECT_TRUE(GetWindowLongA(graph.window(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetClassLongPtrA(graph.window(), GCLP_HBRBACKGROUND), 0u);
    const HDC dc = GetDC(graph.window());
    EXPECT_NE(SendMessageA(graph.window(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 0);
    ReleaseDC(graph.window(), dc);
    RECT client;
    GetClientRect(graph.window(), &client);
    EXPECT_EQ(graph.chart().picture().width(), client.right);
    EXPECT_EQ(graph.chart().picture().height(), client.bottom);
    EXPECT_FALSE(graph.create(WS_CHILD, {0, 0, 10, 10}, parent.window(), kGraphId + 1));
}

TEST(ThroughputGraphWindow, ThePaintedWindowShowsThePicture) {
    Parent parent;
    CThroughputGraph graph;
    ASSERT_TRUE(graph.create(WS_CHILD | WS_VISIBLE, {10, 10, 110, 70}, parent.window(), kGraphId));
    graph.setRange(1, 10);
    graph.setPen(2, RGB(255, 255, 0));
    for (uint32_t value : {3u, 9u, 1u, 6u}) {
        graph.addValue(value);
        SendMessageA(graph.window(), WM_TIMER, 0, 0);
    }
    SendMessageA(graph.window(), WM_TIMER, 0, 0);  // the line goes on level at 6
    repaint(graph.window());
    expectScreenShows(graph.window(), graph.chart().picture());
    const ctl::Picture& picture = graph.chart().picture();
    const int column = picture.width() - ctl::ThroughputChart::kSegmentStart + 1;
    const int row = picture.height() - 6 * picture.height() / 10;
    EXPECT_EQ(screenPixel(graph.window(), column, row), ctl::rgb(255, 255, 0));
}

TEST(ThroughputGraphWindow, ScrollsOnItsOwnTimer) {
    Parent parent;
    CThroughputGraph graph;
    ASSERT_TRUE(graph.create(WS_CHILD | WS_VISIBLE, {10, 10, 110, 70}, parent.window(), kGraphId));
    EXPECT_EQ(graph.setTimer(20), CThroughputGraph::kStepMs);
    graph.setRange(1, 10);
    graph.addValue(5);
    const ctl::Picture& picture = graph.chart().picture();
    const int column = picture.width() - ctl::ThroughputChart::kSegmentStart + 1;
    const int row = picture.height() - 5 * picture.height() / 10;
    // The step comes from the window's own timer; nothing else makes it.
    const DWORD start = GetTickCount();
    while (picture.pixel(column, row) != ctl::ThroughputChart::kLine &&
           GetTickCount() - start < 5000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        pump();
    }
    EXPECT_EQ(picture.pixel(column, row), ctl::ThroughputChart::kLine);
    EXPECT_EQ(graph.setTimer(0), 20u);
}

TEST(ThroughputGraphWindow, LetsGoOfAWindowThatItsParentDestroyed) {
    CThroughputGraph graph;
    {
        Parent parent;
        ASSERT_TRUE(graph.create(WS_CHILD, {0, 0, 50, 40}, parent.window(), kGraphId));
    }
    EXPECT_EQ(graph.window(), nullptr);
    Parent again;
    EXPECT_TRUE(graph.create(WS_CHILD, {0, 0, 50, 40}, again.window(), kGraphId));
}

class LevelBarWindow : public testing::Test {
protected:
    LevelBarWindow() {
        progress = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 10, 10, 200, 20,
                                   parent.window(), reinterpret_cast<HMENU>(kBarId),
                                   GetModuleHandleA(nullptr), nullptr);
        SendMessageA(progress, PBM_SETRANGE32, 0, 40);
        bar.setBackgroundColour(RGB(1, 2, 3));
    }

    Parent parent;
    HWND progress;
    CLevelBar bar;
};

TEST_F(LevelBarWindow, PaintsThePositionAsAGradientWithThePercentage) {
    ASSERT_TRUE(bar.subclassDlgItem(kBarId, parent.window()));
    SendMessageA(progress, PBM_SETPOS, 20, 0);
    repaint(progress);
    RECT client;
    GetClientRect(progress, &client);
    const int half = client.right / 2;
    const ctl::Colour start = screenPixel(progress, 0, 0);
    EXPECT_GE(ctl::redOf(start), 250);
    EXPECT_LE(ctl::greenOf(start), 5);
    EXPECT_EQ(screenPixel(progress, half - 2, 0),
              screenPixel(progress, half - 2, client.bottom - 1));
    EXPECT_GT(ctl::greenOf(screenPixel(progress, half - 2, 0)), 100);
    EXPECT_EQ(screenPixel(progress, half + 3, 1), ctl::rgb(1, 2, 3));
    EXPECT_EQ(screenPixel(progress, client.right - 1, client.bottom - 1), ctl::rgb(1, 2, 3));
    // The percentage, in white, about the middle.
    int white = 0;
    for (int x = half - 20; x < half + 20; ++x) {
        for (int y = 0; y < client.bottom; ++y) {
            white += screenPixel(progress, x, y) == ctl::rgb(255, 255, 255);
        }
    }
    EXPECT_GT(white, 5);
}

TEST_F(LevelBarWindow, AnEmptyBarIsBackgroundOnly) {
    ASSERT_TRUE(bar.subclassDlgItem(kBarId, parent.window()));
    SendMessageA(progress, PBM_SETPOS, 0, 0);
    repaint(progress);
    RECT client;
    GetClientRect(progress, &client);
    for (int x = 0; x < client.right; x += 3) {
        ASSERT_EQ(screenPixel(progress, x, client.bottom / 2), ctl::rgb(1, 2, 3)) << x;
    }
}

TEST_F(LevelBarWindow, NeverErasesAndLeavesTheProgressBarItsOwnMessages) {
    ASSERT_TRUE(bar.subclassDlgItem(kBarId, parent.window()));
    const HDC dc = GetDC(progress);
    EXPECT_EQ(SendMessageA(progress, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    ReleaseDC(progress, dc);
    SendMessageA(progress, PBM_SETPOS, 33, 0);
    EXPECT_EQ(SendMessageA(progress, PBM_GETPOS, 0, 0), 33);
    EXPECT_EQ(SendMessageA(progress, PBM_GETRANGE, FALSE, 0), 40);
}

TEST_F(LevelBarWindow, TakesOneBarOnlyAndGivesItBack) {
    EXPECT_FALSE(bar.subclassDlgItem(kBarId + 1, parent.window()));
    const LONG_PTR own = GetWindowLongPtrA(progress, GWLP_WNDPROC);
    {
        CLevelBar temporary;
        ASSERT_TRUE(temporary.subclassDlgItem(kBarId, parent.window()));
        EXPECT_NE(GetWindowLongPtrA(progress, GWLP_WNDPROC), own);
        CLevelBar second;
        EXPECT_FALSE(second.subclassDlgItem(kBarId, parent.window()));
    }
    EXPECT_EQ(GetWindowLongPtrA(progress, GWLP_WNDPROC), own);
    EXPECT_TRUE(bar.subclassDlgItem(kBarId, parent.window()));
    DestroyWindow(progress);
    EXPECT_EQ(bar.window(), nullptr);
}

}  // namespace
