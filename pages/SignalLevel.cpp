#include "pages/SignalLevel.h"

#include <algorithm>
#include <numeric>

void SignalSamples::clear() {
    slots_.fill(0);
    next_ = 0;
    count_ = 0;
}

int SignalSamples::add(int32_t rssi) {
    slots_[next_] = int64_t{rssi} + 96;
    next_ = (next_ + 1) % kSlots;
    count_ = std::min(count_ + 1, kSlots);
    const int64_t sum = std::accumulate(slots_.begin(), slots_.end(), int64_t{0});
    if (sum <= 0) return 0;
    return static_cast<int>(std::min<int64_t>((sum + count_ - 1) / count_, kSignalLevelMax));
}
