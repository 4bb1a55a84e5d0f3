// The rules of a tab strip whose single tabs can be disabled: which tabs are enabled,
// where the selection goes instead of a disabled tab, and what enabling or disabling a
// tab does to the selection. The strip itself (drawing, clicks, keys) is the Windows
// layer's; it asks these rules and does what they answer.
#pragma once

#include <vector>

class TabRules {
public:
    // True for an index inside the strip of `count` tabs that is not disabled.
    bool isEnabled(int index, int count) const;

    // The first enabled tab from `start` on: forward tries start to the last tab, then 0
    // to start - 1; backward tries start down to 0, then the last tab down to start + 1.
    // -1 when every tab is disabled.
    int findEnabled(int start, bool forward, int count) const;

    // A direct request to select `target` while `current` is selected: the tab to select
    // instead. An enabled target stands. A disabled one is replaced by the nearest enabled
    // tab in the request's direction, but only for a step of one or a jump between the
    // two ends; -1 refuses the request.
    int redirect(int current, int target, int count) const;

    // What enable() did.
    struct Change {
        bool done;     // false: the index lies outside the strip, or the selected tab
                       // was to be disabled and no other tab is enabled
        bool changed;  // the tab's state changed: redraw it
        int select;    // the tab to select before the change shows, -1 for none
    };
    // Enables or disables tab `index` of `count`, `current` being selected. Disabling the
    // selected tab moves the selection to the next enabled tab to its right, wrapping
    // around to the first.
    Change enable(int index, bool enabled, int count, int current);

    // Every tab enabled again.
    void clear() { disabled_.clear(); }
    const std::vector<int>& disabled() const { return disabled_; }

private:
    bool isDisabled(int index) const;

    std::vector<int> disabled_;  // no duplicates
};
