#include "shell/TabRules.h"

#include <algorithm>
#include <cstdlib>

bool TabRules::isDisabled(int index) const {
    return std::find(disabled_.begin(), disabled_.end(), index) != disabled_.end();
}

bool TabRules::isEnabled(int index, int count) const {
    return index >= 0 && index < count && !isDisabled(index);
}

int TabRules::findEnabled(int start, bool forward, int count) const {
    if (start < 0 || start >= count) return -1;
    for (int step = 0; step < count; ++step) {
        const int index = forward ? (start + step) % count : (start - step + count) % count;
        if (!isDisabled(index)) return index;
    }
    return -1;
}

int TabRules::redirect(int current, int target, int count) const {
    if (target < 0 || target >= count) return -1;
    if (!isDisabled(target)) return target;
    const int distance = target - current;
    const int steps = std::abs(distance);
    // A step of one, or a wrap-around between the first and the last tab.
    if (steps != 1 && target != steps && current != steps) return -1;
    const bool forward = distance == 1 || distance < -1;
    return findEnabled(target, forward, count);
}

TabRules::Change TabRules::enable(int index, bool enabled, int count, int current) {
    if (index < 0 || index >= count) return {false, false, -1};
    if (enabled != isDisabled(index)) return {true, false, -1};
    if (enabled) {
        disabled_.erase(std::find(disabled_.begin(), disabled_.end(), index));
        return {true, true, -1};
    }
    int select = -1;
    if (index == current) {
        select = findEnabled(index == count - 1 ? 0 : index + 1, true, count);
        if (select < 0 || select == index) return {false, false, -1};
    }
    disabled_.push_back(index);
    return {true, true, select};
}
