// Reads the card's interface on a thread of its own, so that the window thread never
// waits for the system's IP helper functions (under Wine each of them takes
// milliseconds). The page asks for the latest reading of the card's address; each
// request has the thread read the interface again, at most once a period, so that the
// next request finds a fresh reading. The page computes rates over the readings' own
// times.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "pages/IpHelper.h"

// What the IP helper functions said about an address at one moment.
struct InterfaceReading {
    MacAddress mac{};
    std::optional<CardInterface> interface;  // nothing: no adapter has the address
    std::optional<OctetCounters> counters;
    uint32_t tick = 0;  // the tick count when the counters were read
};

// Reads `mac`'s interface and counters now, timed by `tickCount`.
InterfaceReading readInterface(IpHelper& helper, const MacAddress& mac,
                               const std::function<uint32_t()>& tickCount);

class InterfaceSampler {
public:
    // `helper` is used on the sampler's thread only; `tickCount` is a millisecond
    // counter that may wrap.
    InterfaceSampler(IpHelper& helper, std::function<uint32_t()> tickCount,
                     std::chrono::milliseconds period);
    // Stops the thread, also in the middle of a wait.
    ~InterfaceSampler();
    InterfaceSampler(const InterfaceSampler&) = delete;
    InterfaceSampler& operator=(const InterfaceSampler&) = delete;

    // The latest reading of `mac`, nothing before the first one; asks for the next.
    std::optional<InterfaceReading> latest(const MacAddress& mac);

private:
    void run();

    IpHelper& helper_;
    std::function<uint32_t()> tickCount_;
    std::chrono::milliseconds period_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<MacAddress> wanted_;
    std::optional<InterfaceReading> reading_;
    bool stop_ = false;
    std::thread thread_;
};
