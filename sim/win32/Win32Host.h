// Where the simulated card meets Windows: the tick count as its clock, posted window
// messages for its events, the real registry, standard error for its notes, and the
// device-change broadcasts when it comes and goes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "sim/CardLibrary.h"
#include "sim/Registry.h"

namespace sim {

// Values under HKEY_LOCAL_MACHINE.
class Win32Registry : public Registry {
public:
    std::optional<std::string> readText(const std::string& key, const std::string& name) override;
    std::optional<uint32_t> readNumber(const std::string& key, const std::string& name) override;
    bool writeText(const std::string& key, const std::string& name,
                   const std::string& text) override;
    bool writeNumber(const std::string& key, const std::string& name, uint32_t value) override;
};

class Win32Host : public Host {
public:
    // The tick count, carried past its wrap after 49.7 days. The library calls it with its
    // lock held, one call at a time.
    uint64_t nowMs() override;
    void postEvent(ZelWindow window, uint32_t code) override;
    void note(const std::string& text) override;
    Registry& registry() override { return registry_; }
    void stepComing() override { SetEvent(stepComing_); }
    // Set when the card has a step of its own coming sooner than before.
    HANDLE stepComingEvent() const { return stepComing_; }

private:
    Win32Registry registry_;
    HANDLE stepComing_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    DWORD lastTick_ = 0;
    uint64_t wrapped_ = 0;
};

// Windows 95, 98 or Me.
bool isWindows9x();

// Windows 9x keeps a dynamic registry key for each device node while its device is there;
// this writes the one of a plugged card. Other systems keep no such key.
void keepDevnodeKey(const std::string& hardwareId, uint32_t devnode);

// Sends the system's WM_DEVICECHANGE for the card to every top-level window of this
// process: a device-interface broadcast of the network adapter class, or on Windows 9x a
// device-node broadcast whose dynamic registry key names the card's hardware.
void broadcastDeviceChange(const DeviceChange& change);

}  // namespace sim
