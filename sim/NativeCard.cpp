#include "sim/NativeCard.h"

#include <stdexcept>
#include <utility>

#include "sim/Scenario.h"

namespace sim {
namespace {

std::atomic<CardLibrary*> current{nullptr};

// Plain functions for the table, forwarding to the card that lives now.
struct Operations {
#define SIM_FORWARD(name, params, args) \
    static int32_t ZEL_CALL name params { return current.load()->name args; }
    ZEL_OPERATIONS(SIM_FORWARD)
#undef SIM_FORWARD
};

Scenario parsed(std::string_view text) {
    std::vector<ScenarioError> errors;
    std::optional<Scenario> scenario = parseScenario(text, errors);
    if (scenario) return std::move(*scenario);
    std::string message = "scenario errors:";
    for (const ScenarioError& e : errors)
        message += "\n  line " + std::to_string(e.line) + ": " + e.message;
    throw std::invalid_argument(message);
}

}  // namespace

NativeCard::NativeCard(std::string_view scenario) : library_(*this) {
    CardLibrary* none = nullptr;
    if (!current.compare_exchange_strong(none, &library_)) {
        throw std::logic_error("only one NativeCard may live at a time");
    }
#define SIM_BIND(name, params, args) api_.name = &Operations::name;
    ZEL_OPERATIONS(SIM_BIND)
#undef SIM_BIND
    try {
        load(scenario);
    } catch (...) {
        current = nullptr;
        throw;
    }
}

NativeCard::~NativeCard() { current = nullptr; }

void NativeCard::load(std::string_view scenario) {
    const std::vector<DeviceChange> changes = library_.load(parsed(scenario));
    std::lock_guard<std::mutex> lock(mutex_);
    deviceChanges_.insert(deviceChanges_.end(), changes.begin(), changes.end());
}

void NativeCard::advance(uint64_t ms) {
    clock_ += ms;
    library_.tick();
}

void NativeCard::postEvent(ZelWindow window, uint32_t code) {
    std::lock_guard<std::mutex> lock(mutex_);
    events_.push_back({window, code});
}

void NativeCard::note(const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    notes_.push_back(text);
}

std::vector<PostedEvent> NativeCard::takeEvents() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(events_, {});
}

std::vector<uint32_t> NativeCard::takeEventCodes() {
    std::vector<uint32_t> codes;
    for (const PostedEvent& e : takeEvents()) codes.push_back(e.code);
    return codes;
}

std::vector<DeviceChange> NativeCard::takeDeviceChanges() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(deviceChanges_, {});
}

std::vector<std::string> NativeCard::takeNotes() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(notes_, {});
}

}  // namespace sim
