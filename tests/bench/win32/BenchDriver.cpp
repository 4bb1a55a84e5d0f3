// Measures Tovix.exe against the floor program from outside, as a user's system sees them,
// interleaving the two: start-up to the first painted window; processor time and wake-ups
// per minute with the window shown on its first page and hidden in the tray; resident,
// anonymous and peak memory after start-up and, side by side, after a long stay in the
// tray; for Tovix.exe also the time from "&Apply Profile" to "Connected" on the Network
// Status page and the longest time its window thread keeps a sent message waiting while
// it connects and scans. Prints a table of minimum, median and maximum.
//
//   bench_driver.exe RUNS SECONDS LONG_SECONDS
//
// Run it in build/win32/bin under Wine. Processor time, wake-ups and memory are the
// process's own, read from the Linux process beneath the Windows one (/proc, through
// Wine's Z: drive); the wine server's share is not counted for either program.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "profiles/ProfileFile.h"
#include "res/resource.h"
#include "shell/MainWindowCodes.h"
#include "tests/support/win32/ProgramDriver.h"
#include "tests/support/win32/RemoteListView.h"

namespace {

using namespace program_driver;

constexpr const char* kTitle = "VORNAX TX-LM70RDV Utility";
constexpr const char* kStudio = "Studio";
// The default scenario's association delay, which the Apply figure is set beside.
constexpr double kAssociationDelayMs = 1200;

double nowMs() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return double(count.QuadPart) * 1e3 / double(frequency.QuadPart);
}

std::string readFile(const std::string& path) {
    std::string text;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
        std::fclose(file);
    }
    return text;
}

// The number after `key` in a /proc status text.
long long field(const std::string& text, const std::string& key) {
    const size_t at = text.find(key);
    return at == std::string::npos ? 0 : std::atoll(text.c_str() + at + key.size());
}

// The Linux process beneath a Windows program started from `folder`: /proc shows the
// Windows path of its executable as its command line.
class LinuxProcess {
public:
    explicit LinuxProcess(const std::string& folder) {
        WIN32_FIND_DATAA entry;
        const HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
        if (search == INVALID_HANDLE_VALUE) return;
        do {
            const std::string name = entry.cFileName;
            if (name.find_first_not_of("0123456789") != std::string::npos) continue;
            if (readFile("Z:\\proc\\" + name + "\\cmdline").find(folder) != std::string::npos) {
                path_ = "Z:\\proc\\" + name;
                break;
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    bool found() const { return !path_.empty(); }

    // Processor time in ms and voluntary context switches (wake-ups), over all threads.
    std::pair<double, long long> cpuAndWakeUps() const {
        double ns = 0;
        long long wakeUps = 0;
        WIN32_FIND_DATAA entry;
        const HANDLE search = FindFirstFileA((path_ + "\\task\\*").c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE) return {0, 0};
        do {
            const std::string task = path_ + "\\task\\" + entry.cFileName;
            if (entry.cFileName[0] == '.') continue;
            ns += std::atof(readFile(task + "\\schedstat").c_str());
            wakeUps += field(readFile(task + "\\status"), "voluntary_ctxt_switches:");
        } while (FindNextFileA(search, &entry));
        FindClose(search);
        return {ns / 1e6, wakeUps};
    }
    // Resident, anonymous resident and peak resident memory in MB.
    struct Memory {
        double resident, anonymous, peak;
    };
    Memory memory() const {
        const std::string status = readFile(path_ + "\\status");
        return {field(status, "VmRSS:") / 1024.0, field(status, "RssAnon:") / 1024.0,
                field(status, "VmHWM:") / 1024.0};
    }

private:
    std::string path_;
};

// The figures of all runs, by measurement and program.
std::map<std::string, std::map<std::string, std::vector<double>>> figures;
std::vector<std::string> order;

void record(const std::string& what, const std::string& program, double value) {
    if (!figures.count(what)) order.push_back(what);
    figures[what][program].push_back(value);
}

BOOL CALLBACK markUnpainted(HWND child, LPARAM clean) {
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(clean) = false;
    }
    return TRUE;
}

// Whether the window and every window inside it are painted: visible, no update region
// left, and a sent message answered after the last paint began.
bool painted(HWND window) {
    if (!IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE)) return false;
    bool clean = true;
    EnumChildWindows(window, &markUnpainted, reinterpret_cast<LPARAM>(&clean));
    DWORD_PTR answer;
    return clean && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
}

// Sends the window a message every few milliseconds from another thread and keeps the
// longest time one waited: how long the window thread is kept from its messages.
class Probe {
public:
    explicit Probe(HWND window) : window_(window), thread_([this] { run(); }) {}
    double stop() {
        done_ = true;
        thread_.join();
        return longest_;
    }

private:
    void run() {
        while (!done_) {
            const double start = nowMs();
            DWORD_PTR answer;
            SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer);
            longest_ = std::max(longest_, nowMs() - start);
            Sleep(5);
        }
    }
    HWND window_;
    std::atomic<bool> done_{false};
    double longest_ = 0;
    std::thread thread_;
};

HWND pageWith(HWND sheet, int control) {
    const HWND page = currentPage(sheet);
    return page && GetDlgItem(page, control) ? page : nullptr;
}

HWND showPage(HWND sheet, int index, int control) {
    PostMessageA(sheet, PSM_SETCURSEL, index, 0);
    waitUntil([&] { return pageWith(sheet, control) != nullptr; }, 10000);
    return pageWith(sheet, control);
}

void click(HWND page, int button) {
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, button)));
}

// A profile the default scenario's "Studio" admits, beside "<Default>".
void writeProfiles(const std::string& path) {
    ProfileList list;
    Profile studio = blankProfile();
    setFieldText(studio.name, kStudio);
    setFieldText(studio.ssid, kStudio);
    studio.networkType = NetworkInfrastructure;
    studio.wirelessMode = WirelessAuto;
    studio.securityType = SecurityWpa2Psk;
    studio.encryption = EncryptionAes;
    setFieldText(studio.psk, "blue whale song");
    studio.pskLength = 15;
    studio.useDefaultRadio = 1;
    list.append(std::make_unique<Profile>(studio));
    ProfileStore(path).saveProfiles(path, list);
}

// One program in a folder of its own, started.
struct Started {
    std::unique_ptr<ScratchFolder> scratch;
    std::string folder;
    ProgramDriver driver;
    HWND sheet = nullptr;
    double startMs = 0;
    std::unique_ptr<LinuxProcess> process;
};

bool start(Started& run, const std::string& exe, bool tovix) {
    run.scratch = std::make_unique<ScratchFolder>();
    LARGE_INTEGER unique;
    QueryPerformanceCounter(&unique);
    run.folder = run.scratch->file("bench" + std::to_string(unique.QuadPart));
    CreateDirectoryA(run.folder.c_str(), nullptr);
    const std::vector<const char*> files =
        tovix ? std::vector<const char*>{"Tovix.exe", "Tovix.dll", "Tovix.scn"}
              : std::vector<const char*>{exe.c_str()};
    for (const char* file : files) {
        CopyFileA((ownFolder() + file).c_str(), (run.folder + "\\" + file).c_str(), FALSE);
    }
    if (tovix) {
        writeProfiles(run.folder + "\\Data.cfg");
        // The default world's Auto Link access point would have the Auto Link dialog take
        // the main window's place at once, and automatic connection would join another
        // network while the card joins the one applied: the figures are the main window's
        // and the Profile Manager's alone.
        const std::string settings = run.folder + "\\Tovix.ini";
        WritePrivateProfileStringA("Advanced", "AutoLink", "0", settings.c_str());
        WritePrivateProfileStringA("Advanced", "Auto Configuration", "0", settings.c_str());
    }
    const double begin = nowMs();
    if (!run.driver.start(run.folder + "\\" + exe, run.folder)) return false;
    run.sheet = run.driver.waitForWindow(kTitle, 60000);
    if (!run.sheet || !waitUntil([&] { return painted(run.sheet); }, 60000)) return false;
    run.startMs = nowMs() - begin;
    run.process = std::make_unique<LinuxProcess>(run.folder);
    return run.process->found();
}

void recordMemory(const std::string& when, const std::string& program, const LinuxProcess& p) {
    const LinuxProcess::Memory memory = p.memory();
    record("resident memory " + when + " (MB)", program, memory.resident);
    record("anonymous memory " + when + " (MB)", program, memory.anonymous);
    record("peak memory " + when + " (MB)", program, memory.peak);
}

// Processor ms and wake-ups per minute over the next `seconds`.
void recordIdle(const std::string& state, const std::string& program, const LinuxProcess& p,
                int seconds) {
    const auto before = p.cpuAndWakeUps();
    const double begin = nowMs();
    Sleep(seconds * 1000);
    const auto after = p.cpuAndWakeUps();
    const double minutes = (nowMs() - begin) / 60000.0;
    record("CPU per minute, " + state + " (ms)", program, (after.first - before.first) / minutes);
    record("wake-ups per second, " + state, program,
           double(after.second - before.second) / (minutes * 60));
}

void hide(HWND sheet) {
    PostMessageA(sheet, WM_CLOSE, 0, 0);
    waitUntil([&] { return !IsWindowVisible(sheet); }, 10000);
}

void finish(Started& run) {
    PostMessageA(run.sheet, WM_COMMAND, ID_TRAY_EXIT, 0);
    if (!run.driver.waitForExit(30000)) run.driver.kill();
}

// Tovix.exe applies "Studio" from the Profile Manager and is connected; false when not.
bool connect(Started& run, const std::string& program) {
    const HWND manager = showPage(run.sheet, 1, IDC_PM_LIST);
    if (!manager) return false;
    RemoteListView list(GetDlgItem(manager, IDC_PM_LIST));
    const int row = list.find(kStudio);
    if (row < 0) return false;
    list.select(row);
    Sleep(300);
    Probe probe(run.sheet);
    const double begin = nowMs();
    click(manager, IDC_PM_APPLY);
    PostMessageA(run.sheet, PSM_SETCURSEL, 0, 0);
    const bool connected = waitUntil(
        [&] {
            const HWND status = pageWith(run.sheet, IDC_STATUS_TEXT);
            return status && windowText(GetDlgItem(status, IDC_STATUS_TEXT)) == "Connected" &&
                   windowText(GetDlgItem(status, IDC_STATUS_SSID)) == kStudio;
        },
        30000);
    const double applied = nowMs() - begin;
    const double longest = probe.stop();
    if (!connected) return false;
    record("Apply Profile to \"Connected\" (ms)", program, applied);
    record("Apply to \"Connected\" above the association delay (ms)", program,
           applied - kAssociationDelayMs);
    record("longest wait of the window thread, connecting (ms)", program, longest);
    return true;
}

void scan(Started& run, const std::string& program) {
    const HWND survey = showPage(run.sheet, 2, IDC_SS_REFRESH);
    if (!survey) return;
    Sleep(1000);
    Probe probe(run.sheet);
    click(survey, IDC_SS_REFRESH);
    Sleep(3000);
    record("longest wait of the window thread, scanning (ms)", program, probe.stop());
    showPage(run.sheet, 0, IDC_STATUS_TEXT);
}

bool runOnce(const std::string& exe, const std::string& program, bool tovix, int seconds) {
    Started run;
    if (!start(run, exe, tovix)) {
        std::fprintf(stderr, "%s did not start and paint its window\n", program.c_str());
        return false;
    }
    record("start-up to the painted window (ms)", program, run.startMs);
    Sleep(1000);
    recordMemory("after start-up", program, *run.process);
    if (tovix) {
        if (!connect(run, program)) {
            std::fprintf(stderr, "%s did not connect\n", program.c_str());
            finish(run);
            return false;
        }
        scan(run, program);
    }
    Sleep(2000);
    recordIdle("shown", program, *run.process, seconds);
    hide(run.sheet);
    Sleep(2000);
    recordIdle("hidden in the tray", program, *run.process, seconds);
    finish(run);
    return true;
}

// Both programs side by side, hidden in the tray for `seconds`, Tovix.exe connected.
void longStay(int seconds) {
    Started floor, tovix;
    if (!start(floor, "bench_floor.exe", false) || !start(tovix, "Tovix.exe", true) ||
        !connect(tovix, "long")) {
        std::fprintf(stderr, "the long stay did not start\n");
        return;
    }
    hide(floor.sheet);
    hide(tovix.sheet);
    Sleep(seconds * 1000);
    const std::string when = "after " + std::to_string(seconds / 60) + " min";
    recordMemory(when, "floor", *floor.process);
    recordMemory(when, "Tovix.exe", *tovix.process);
    finish(tovix);
    finish(floor);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void printTable() {
    std::printf("| %-58s | %-26s | %-26s | %-7s |\n", "measured", "Tovix.exe min / med / max",
                "floor min / med / max", "ratio");
    std::printf("|%s|%s|%s|%s|\n", std::string(60, '-').c_str(), std::string(28, '-').c_str(),
                std::string(28, '-').c_str(), std::string(9, '-').c_str());
    const auto cell = [](const std::vector<double>& v) {
        if (v.empty()) return std::string("");
        char text[64];
        std::snprintf(text, sizeof text, "%.1f / %.1f / %.1f",
                      *std::min_element(v.begin(), v.end()), median(v),
                      *std::max_element(v.begin(), v.end()));
        return std::string(text);
    };
    for (const std::string& what : order) {
        const auto& tovix = figures[what]["Tovix.exe"];
        const auto& floor = figures[what]["floor"];
        char ratio[16] = "";
        if (!tovix.empty() && !floor.empty() && median(floor) > 0) {
            std::snprintf(ratio, sizeof ratio, "%.2f", median(tovix) / median(floor));
        }
        std::printf("| %-58s | %-26s | %-26s | %-7s |\n", what.c_str(), cell(tovix).c_str(),
                    cell(floor).c_str(), ratio);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 7;
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 10;
    const int longSeconds = argc > 3 ? std::atoi(argv[3]) : 600;
    int failures = 0;
    for (int i = 0; i < runs; ++i) {
        // Each program goes first in every other round.
        const bool floorFirst = i % 2 == 0;
        for (int turn = 0; turn < 2; ++turn) {
            const bool tovix = (turn == 0) != floorFirst;
            // A run that failed (the machine may be busy) is made again, twice at most.
            bool done = false;
            for (int attempt = 0; attempt < 3 && !done; ++attempt) {
                done = tovix ? runOnce("Tovix.exe", "Tovix.exe", true, seconds)
                             : runOnce("bench_floor.exe", "floor", false, seconds);
            }
            failures += !done;
        }
        std::fprintf(stderr, "round %d of %d done\n", i + 1, runs);
    }
    if (longSeconds > 0) longStay(longSeconds);
    printTable();
    return failures == 0 ? 0 : 1;
}
