// The library as the simulated card answers it, behind a recorder that notes every call
// made with an adapter handle while no adapter is open. The library's own work is not
// the program's: no fault is injected into it.
#pragma once

#include <atomic>
#include <string>
#include <string_view>
#include <vector>

#include "sim/NativeCard.h"
#include "tests/reliability/Faults.h"
#include "tests/shell/ShellBench.h"
#include "tests/support/ZelRecorder.h"

class GuardedCard {
public:
    explicit GuardedCard(sim::NativeCard& card) : card_(card) {
#define GUARD_FIRST(first, ...) first
#define GUARD_FORWARD(name, params, args)             \
    zel.on.name = [this] params -> int32_t {          \
        const faults::Uncounted library;              \
        before(#name, GUARD_FIRST args);              \
        const int32_t result = card_.api().name args; \
        after(#name, GUARD_FIRST args);               \
        return result;                                \
    };
        ZEL_OPERATIONS(GUARD_FORWARD)
#undef GUARD_FORWARD
#undef GUARD_FIRST
    }

    // Calls made with a handle while the adapter was closed, the first of them named.
    int misuses() const { return misuses_; }
    std::string firstMisuse() const { return firstMisuse_; }

    ZelRecorder zel;

private:
    void before(const char* name, ZelHandle* handle) {
        if (std::string_view(name) == "ZelCloseAdapter" && handle && *handle) open_ = false;
    }
    void after(const char* name, ZelHandle* handle) {
        if (std::string_view(name) == "ZelOpenAdapter" && handle && *handle) open_ = true;
    }
    void before(const char* name, ZelHandle handle) {
        if (open_ || handle == nullptr || std::string_view(name) == "ZelInitialize") return;
        if (misuses_++ == 0) firstMisuse_ = name;
    }
    template <typename T>
    void before(const char*, T) {}
    template <typename T>
    void after(const char*, T) {}

    sim::NativeCard& card_;
    std::atomic<bool> open_{false};
    std::atomic<int> misuses_{0};
    std::string firstMisuse_;
};

// Hands the main window the device broadcasts the card sent since the last look, as the
// system delivers them.
inline void tellDeviceChanges(sim::NativeCard& card, ShellBench& bench) {
    std::vector<sim::DeviceChange> changes;
    {
        const faults::Uncounted system;
        changes = card.takeDeviceChanges();
    }
    for (const sim::DeviceChange& change : changes) {
        bench.deviceChange(
            change.arrival ? fw::dbt::Arrival : fw::dbt::RemoveComplete, fw::DeviceKind::Interface,
            "\\\\?\\" + change.hardwareId + "#{ad498944-762f-11d0-8dcb-00c04fc3358c}");
    }
}
