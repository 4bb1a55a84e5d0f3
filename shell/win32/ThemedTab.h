// The main window's tab strip, taken over so that single tabs can be disabled: a
// disabled tab is drawn greyed (with the visual-style theme when one is active), cannot
// be clicked, and the arrow keys and direct selections pass over it. The rules are
// TabRules'; this class draws and routes.
#pragma once

#include <windows.h>

#include "shell/TabRules.h"

class CThemedTab {
public:
    CThemedTab() = default;
    ~CThemedTab();
    CThemedTab(const CThemedTab&) = delete;
    CThemedTab& operator=(const CThemedTab&) = delete;

    // Takes over the tab strip of the property sheet `sheet` and draws its tabs itself;
    // the sheet hands its WM_DRAWITEM for the strip to drawItem.
    void attach(HWND sheet);
    HWND window() const { return tabs_; }

    bool isTabEnabled(int index) const { return rules_.isEnabled(index, count()); }
    // False for an index outside the strip, or when the selected tab was to be disabled
    // and no other tab is enabled.
    bool enableTab(int index, bool enabled);
    // Every tab enabled again.
    void enableAll();
    // Selects tab `index` (or the tab a disabled one redirects to) when the current page
    // agrees to be left, and has the sheet show its page.
    bool selectTab(int index);

    // Draws one tab.
    void drawItem(const DRAWITEMSTRUCT& item) const;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT callOriginal(UINT message, WPARAM wParam, LPARAM lParam) const;
    // The current page agrees to be left (always, outside a property sheet).
    bool mayLeavePage() const;
    // The tab under the mouse message's point is disabled, or there is none.
    bool isDisabledAt(LPARAM point) const;
    int count() const;
    int current() const;
    void detach();

    HWND tabs_ = nullptr;
    WNDPROC original_ = nullptr;
    TabRules rules_;
};
