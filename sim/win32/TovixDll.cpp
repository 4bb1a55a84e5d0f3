// Tovix.dll: the simulated card behind the exports of the adapter control library, one
// undecorated __stdcall export per operation of the contract.
#include <windows.h>

#include <cstring>
#include <mutex>

#include "adapter/ZelApi.h"
#include "sim/CardLibrary.h"
#include "sim/win32/ScenarioWatch.h"
#include "sim/win32/Win32Host.h"

namespace {

class SimulatedCard {
public:
    explicit SimulatedCard(HMODULE module) : library_(host_), watch_(library_, host_, module) {}

    // The library, with the scenario watch running.
    sim::CardLibrary& library() {
        watch_.ensureRunning();
        return library_;
    }

private:
    sim::Win32Host host_;
    sim::CardLibrary library_;
    sim::ScenarioWatch watch_;
};

HMODULE module = nullptr;
std::once_flag created;
SimulatedCard* card = nullptr;

// Made on the first call rather than in DllMain, where no file may be read.
SimulatedCard& simulatedCard() {
    std::call_once(created, [] { card = new SimulatedCard(module); });
    return *card;
}

// What an operation answers when it cannot run at all (out of memory): its failure.
int32_t failureOf(const char* operation) {
    if (std::strcmp(operation, "ZelGetConnectStatus") == 0 ||
        std::strcmp(operation, "ZelQueryDhcp9x") == 0) {
        return 0;
    }
    return std::strcmp(operation, "ZelQueryScanListLength") == 0 ? -1 : 1;
}

}  // namespace

#define SIM_EXPORT(name, params, args)                              \
    extern "C" __declspec(dllexport) int32_t ZEL_CALL name params { \
        try {                                                       \
            return simulatedCard().library().name args;             \
        } catch (...) {                                             \
            return failureOf(#name);                                \
        }                                                           \
    }
ZEL_OPERATIONS(SIM_EXPORT)
#undef SIM_EXPORT

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        module = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // Unloaded by FreeLibrary: the watch thread, which holds the library, has ended.
        // At process exit (reserved set) other threads died anywhere, so nothing is freed.
        delete card;
        card = nullptr;
    }
    return TRUE;
}
