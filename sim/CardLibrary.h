// The adapter control library's operations over the simulated card: every export of
// Tovix.dll with its exact parameters, the checks of what callers pass (null pointers,
// short buffers, overlong texts, values out of range) and the delivery of the card's
// events. Thread-safe: the program's window and worker threads and the library's own
// scenario watch call it at the same time.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "adapter/ZelApi.h"
#include "sim/Card.h"
#include "sim/Registry.h"
#include "sim/Scenario.h"

namespace sim {

// What the card needs from where it runs.
class Host {
public:
    virtual ~Host() = default;
    // Milliseconds on a clock that never goes back.
    virtual uint64_t nowMs() = 0;
    // Delivers an event code to the window registered with ZelInitialize. Called with the
    // library's lock held, so it must not wait for anything.
    virtual void postEvent(ZelWindow window, uint32_t code) = 0;
    // A line for a person watching the simulator.
    virtual void note(const std::string& text) = 0;
    // The card has a step of its own coming sooner than before (an association, an
    // exchange step): whoever lets its time pass should look at tick() again. Called with
    // the library's lock held, so it must not wait for anything.
    virtual void stepComing() {}
    virtual Registry& registry() = 0;
};

class CardLibrary {
public:
    explicit CardLibrary(Host& host);

    // A new world (Card::load). Returns the device broadcasts to send; the caller sends
    // them without holding any lock that the program's threads may wait for.
    std::vector<DeviceChange> load(const Scenario& scenario);
    // Lets time pass up to the host's clock and delivers what happened; returns how many
    // ms lie before the card's next step of its own (the largest value: none is coming).
    uint64_t tick();
    // Somebody listens to the card: an adapter is open or a window is registered.
    bool adapterOpen() const;
    ZelWindow window() const;

#define SIM_DECLARE_OPERATION(name, params, args) int32_t name params;
    ZEL_OPERATIONS(SIM_DECLARE_OPERATION)
#undef SIM_DECLARE_OPERATION

private:
    template <class Operation>
    int32_t withCard(ZelHandle handle, int32_t failure, Operation operation);
    template <class Operation>
    int32_t withLibrary(Operation operation);
    template <class Read>
    int32_t query(ZelHandle handle, uint32_t* value, Read read);
    int32_t setValue(ZelHandle handle, Setting setting, uint32_t value);
    int32_t readRegister(ZelHandle handle, RegisterBank bank, uint32_t index, uint32_t* value);
    int32_t writeRegister(ZelHandle handle, RegisterBank bank, uint32_t index, uint32_t value);
    int32_t createIdentity(EapMethod method, const char* login, const char* domain,
                           const char* password, const char* anonymous,
                           const uint8_t* certificateHash);
    bool handleValid(ZelHandle handle) const;
    ZelHandle openHandle() const;
    void deliver();

    mutable std::mutex mutex_;
    Host& host_;
    Card card_;
    ZelWindow window_ = nullptr;
    uint32_t openGeneration_ = 0;  // the card generation an adapter is open on; 0 = closed
    std::vector<DeviceChange> deviceChanges_;
};

}  // namespace sim
