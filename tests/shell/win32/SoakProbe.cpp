// Looks at the running program from outside, for the soak script: "sample" prints one
// line with the program's working set and page-file use in KB, its handle count and its
// GDI and USER object counts; "exit" asks the program to end as its tray menu's Exit
// does. Exits with 1 when the program's window is not there.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>

#include "pages/win32/LibraryFunction.h"
#include "res/resource.h"

namespace {

constexpr const char* kTitle = "VORNAX TX-LM70RDV Utility";

DWORD handleCount(HANDLE process) {
    using Query = BOOL(WINAPI*)(HANDLE, PDWORD);
    const auto query =
        libraryFunction<Query>(GetModuleHandleA("kernel32.dll"), "GetProcessHandleCount");
    DWORD count = 0;
    return query && query(process, &count) ? count : 0;
}

}  // namespace

int main(int argc, char** argv) {
    const HWND window = FindWindowA(nullptr, kTitle);
    if (!window) return 1;
    if (argc > 1 && std::strcmp(argv[1], "exit") == 0) {
        PostMessageA(window, WM_COMMAND, ID_TRAY_EXIT, 0);
        return 0;
    }
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
    if (!process) return 1;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process, &memory, sizeof memory);
    std::printf("%lu %lu %lu %lu %lu\n", static_cast<unsigned long>(memory.WorkingSetSize / 1024),
                static_cast<unsigned long>(memory.PagefileUsage / 1024),
                static_cast<unsigned long>(handleCount(process)),
                static_cast<unsigned long>(GetGuiResources(process, GR_GDIOBJECTS)),
                static_cast<unsigned long>(GetGuiResources(process, GR_USEROBJECTS)));
    CloseHandle(process);
    return 0;
}
