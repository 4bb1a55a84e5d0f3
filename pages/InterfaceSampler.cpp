#include "pages/InterfaceSampler.h"

#include <utility>

InterfaceReading readInterface(IpHelper& helper, const MacAddress& mac,
                               const std::function<uint32_t()>& tickCount) {
    InterfaceReading reading;
    reading.mac = mac;
    reading.interface = helper.findInterface(mac);
    if (reading.interface) reading.counters = helper.readCounters(reading.interface->index, mac);
    reading.tick = tickCount();
    return reading;
}

InterfaceSampler::InterfaceSampler(IpHelper& helper, std::function<uint32_t()> tickCount,
                                   std::chrono::milliseconds period)
    : helper_(helper),
      tickCount_(std::move(tickCount)),
      period_(period),
      thread_([this] { run(); }) {}

InterfaceSampler::~InterfaceSampler() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

std::optional<InterfaceReading> InterfaceSampler::latest(const MacAddress& mac) {
    std::optional<InterfaceReading> latest;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        wanted_ = mac;
        if (reading_ && reading_->mac == mac) latest = reading_;
    }
    wake_.notify_all();
    return latest;
}

void InterfaceSampler::run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || wanted_; });
        if (stop_) return;
        const MacAddress mac = *std::exchange(wanted_, std::nullopt);
        lock.unlock();
        InterfaceReading reading = readInterface(helper_, mac, tickCount_);
        lock.lock();
        reading_ = std::move(reading);
        // At most one reading a period, however often the page asks.
        if (wake_.wait_for(lock, period_, [this] { return stop_; })) return;
    }
}
