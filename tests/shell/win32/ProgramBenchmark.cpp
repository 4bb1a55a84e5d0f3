// What a long profile list costs the real Tovix.exe with the simulated card, under Wine:
// how long the window thread takes to show the Profile Manager and the other pages, and
// how much processor time the program uses while it stays disconnected (the worker's
// auto configuration pass every five seconds walks the list). Prints the figures; run it
// in build/win32/bin with tools/wine-run.
#include <windows.h>
#include <prsht.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "profiles/ProfileFile.h"
#include "res/resource.h"
#include "tests/support/win32/ProgramDriver.h"

namespace {

using namespace program_driver;

constexpr const char* kTitle = "VORNAX TX-LM70RDV Utility";
// A card with nothing in range: it never connects, and the worker keeps trying.
constexpr const char* kEmptyWorld = "card\n    mac 00:1D:6A:70:42:17\n";
constexpr DWORD kIdleMs = 15000;

double milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) * 1e3 / double(frequency.QuadPart);
}

// How long the window takes to answer `message`.
double timeOf(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    SendMessageA(window, message, wParam, lParam);
    QueryPerformanceCounter(&end);
    return milliseconds(start, end);
}

double processorMs(HANDLE process) {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(process, &created, &ended, &kernel, &user);
    const auto ms = [](const FILETIME& time) {
        return double((ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

bool writeFile(const std::string& path, const std::string& text) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    std::fwrite(text.data(), 1, text.size(), file);
    return std::fclose(file) == 0;
}

void measure(int count) {
    ScratchFolder folder;
    for (const char* file : {"Tovix.exe", "Tovix.dll"}) {
        CopyFileA((ownFolder() + file).c_str(), folder.file(file).c_str(), FALSE);
    }
    writeFile(folder.file("Tovix.scn"), kEmptyWorld);
    ProfileList list;
    for (int i = 0; i < count; ++i) {
        auto profile = std::make_unique<Profile>(makeDefaultProfile());
        setFieldText(profile->name, "Profile " + std::to_string(i));
        setFieldText(profile->ssid, "Elsewhere " + std::to_string(i));
        profile->preferred = 0;
        list.append(std::move(profile));
    }
    ProfileStore(folder.file("Data.cfg")).saveProfiles(folder.file("Data.cfg"), list);

    ProgramDriver driver;
    driver.start(folder.file("Tovix.exe"), folder.path());
    const HWND sheet = driver.waitForWindow(kTitle, 60000);
    if (!sheet) {
        std::printf("%6d profiles: the program did not start\n", count);
        return;
    }
    const double manager = timeOf(sheet, PSM_SETCURSEL, 1, 0);
    const double status = timeOf(sheet, PSM_SETCURSEL, 0, 0);
    const double managerAgain = timeOf(sheet, PSM_SETCURSEL, 1, 0);
    timeOf(sheet, PSM_SETCURSEL, 0, 0);

    DWORD processId = 0;
    GetWindowThreadProcessId(sheet, &processId);
    const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
    const double before = processorMs(process);
    waitUntil([] { return false; }, kIdleMs);
    const double idle = processorMs(process) - before;
    CloseHandle(process);

    std::printf(
        "%6d profiles: Profile Manager shown %8.1f ms, again %8.1f ms; Network Status %6.1f "
        "ms; idle and disconnected %5.1f %% of a core\n",
        count, manager, managerAgain, status, idle * 100.0 / kIdleMs);
    std::fflush(stdout);
    PostMessageA(sheet, WM_COMMAND, ID_TRAY_EXIT, 0);
    driver.waitForExit(60000);
}

}  // namespace

// The list lengths to measure may be given as arguments.
int main(int argc, char** argv) {
    if (argc > 1) {
        for (int i = 1; i < argc; ++i) measure(std::atoi(argv[i]));
    } else {
        for (int count : {100, 1000, 10000, 30000}) measure(count);
    }
    return 0;
}
