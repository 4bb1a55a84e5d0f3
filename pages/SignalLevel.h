// The signal level that the Network Status and Statistics pages show on their level bars:
// RSSI in dBm + 96, averaged over the last 10 one-second samples.
#pragma once

#include <array>
#include <cstdint>

// The level bar's range.
constexpr int kSignalLevelMax = 40;

class SignalSamples {
public:
    static constexpr int kSlots = 10;

    // Forgets every sample.
    void clear();
    // Takes one RSSI reading (dBm) and returns the level to show: the sum of the ten
    // slots over the number of samples taken, rounded up, at most kSignalLevelMax and,
    // for a signal below -96 dBm, at least 0.
    int add(int32_t rssi);

private:
    std::array<int64_t, kSlots> slots_{};
    int next_ = 0;
    int count_ = 0;
};
