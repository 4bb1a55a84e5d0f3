// The posix-thread runtime of the compiler (winpthreads) reads time with
// GetTickCount64, which Windows XP's kernel32 does not have: a binary that imports it
// is refused by the XP loader. Every Windows binary of the program links this file,
// which defines the runtime's import pointer itself, so the import is never made.
// Where the system has GetTickCount64 it is used; on XP the 32-bit tick count is
// widened, counting its wraps.
#include <windows.h>

#include <atomic>
#include <cstdint>

namespace {

// The last 32-bit count seen (low half) and the number of wraps so far (high half).
std::atomic<uint64_t> widened{0};

ULONGLONG WINAPI tickCount64() {
    using Fn = ULONGLONG(WINAPI*)();
    static const Fn system = reinterpret_cast<Fn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount64")));
    if (system) return system();

    const DWORD now = GetTickCount();
    uint64_t seen = widened.load();
    for (;;) {
        uint64_t wraps = seen >> 32;
        if (now < static_cast<DWORD>(seen)) ++wraps;
        const uint64_t next = (wraps << 32) | now;
        if (widened.compare_exchange_weak(seen, next)) return next;
    }
}

}  // namespace

extern "C" {
extern ULONGLONG(WINAPI* const tovixTickCount64Import)() __asm__("__imp__GetTickCount64@0");
ULONGLONG(WINAPI* const tovixTickCount64Import)() = tickCount64;
}
