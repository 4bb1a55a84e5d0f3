// The simulated card for native tests: the library's operations as a ZelApi table over
// the model, on a clock that the test advances, with every event the card posts and
// every device broadcast it sends kept for the test to look at. One NativeCard may live
// at a time, since the table's plain function pointers reach it through one global.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "adapter/ZelApi.h"
#include "sim/CardLibrary.h"
#include "sim/Registry.h"

namespace sim {

struct PostedEvent {
    ZelWindow window;
    uint32_t code;
    bool operator==(const PostedEvent& other) const {
        return window == other.window && code == other.code;
    }
};

class NativeCard : private Host {
public:
    // Starts the card in the world of `scenario` (the text of a scenario file); throws
    // std::invalid_argument, listing the errors, when the text has any.
    explicit NativeCard(std::string_view scenario);
    ~NativeCard() override;
    NativeCard(const NativeCard&) = delete;
    NativeCard& operator=(const NativeCard&) = delete;

    // The operations, to be called only while this card lives.
    const ZelApi& api() const { return api_; }
    CardLibrary& library() { return library_; }
    MemoryRegistry& registry() override { return registry_; }

    // As if the scenario file changed to `scenario`; throws like the constructor.
    void load(std::string_view scenario);
    // Lets `ms` milliseconds pass.
    void advance(uint64_t ms);
    uint64_t now() const { return clock_; }

    std::vector<PostedEvent> takeEvents();
    // The codes posted since the last take, whatever window they went to.
    std::vector<uint32_t> takeEventCodes();
    std::vector<DeviceChange> takeDeviceChanges();
    std::vector<std::string> takeNotes();

private:
    uint64_t nowMs() override { return clock_; }
    void postEvent(ZelWindow window, uint32_t code) override;
    void note(const std::string& text) override;

    std::atomic<uint64_t> clock_{0};
    MemoryRegistry registry_;
    CardLibrary library_;
    ZelApi api_;
    std::mutex mutex_;
    std::vector<PostedEvent> events_;
    std::vector<DeviceChange> deviceChanges_;
    std::vector<std::string> notes_;
};

}  // namespace sim
