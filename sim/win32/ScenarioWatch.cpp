#include "sim/win32/ScenarioWatch.h"

#include <algorithm>
#include <vector>

#include "sim/Scenario.h"
#include "sim/win32/Win32Host.h"

namespace sim {
namespace {

// The card's time passes at least this often, and the file is looked at, when no change
// of the folder is reported (or the system reports none).
constexpr DWORD kIdleMs = 1000;
constexpr DWORD kMaxScenarioBytes = 1 << 20;
constexpr const char* kScenarioName = "Tovix.scn";

// The full path of `module`'s file.
std::string modulePath(HMODULE module) {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::string();
        if (length < path.size()) return std::string(path.data(), length);
        path.resize(path.size() * 2);
    }
}

std::string folderOf(const std::string& path) {
    return path.substr(0, path.find_last_of("\\/") + 1);
}

bool readFile(const std::string& path, std::string& text) {
    // Others may replace the file while it is read; Windows 9x knows no delete sharing.
    const DWORD sharing =
        FILE_SHARE_READ | FILE_SHARE_WRITE | (isWindows9x() ? 0 : FILE_SHARE_DELETE);
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const DWORD size = GetFileSize(file, nullptr);
    bool good = size != INVALID_FILE_SIZE && size <= kMaxScenarioBytes;
    if (good) {
        text.resize(size);
        DWORD read = 0;
        good = size == 0 || (ReadFile(file, &text[0], size, &read, nullptr) && read == size);
    }
    CloseHandle(file);
    return good;
}

Scenario withoutCard() {
    Scenario scenario;
    scenario.card.present = false;
    return scenario;
}

}  // namespace

ScenarioWatch::ScenarioWatch(CardLibrary& library, Win32Host& host, HMODULE module)
    : library_(library),
      host_(host),
      libraryPath_(modulePath(module)),
      path_(folderOf(libraryPath_) + kScenarioName) {}

void ScenarioWatch::ensureRunning() {
    {
        std::lock_guard<std::mutex> lock(runMutex_);
        if (running_) return;
    }
    checkFile();
    std::lock_guard<std::mutex> lock(runMutex_);
    if (running_) return;
    // The thread's own reference to the library, given back as the thread ends.
    const HMODULE self = LoadLibraryA(libraryPath_.c_str());
    if (!self) return;
    const HANDLE thread = CreateThread(nullptr, 0, &ScenarioWatch::run, this, 0, nullptr);
    if (!thread) {
        FreeLibrary(self);
        return;
    }
    CloseHandle(thread);
    threadModule_ = self;
    running_ = true;
}

DWORD WINAPI ScenarioWatch::run(void* param) {
    auto* watch = static_cast<ScenarioWatch*>(param);
    HMODULE self = nullptr;
    // The thread sleeps until the folder changes or the card has a step of its own due.
    const HANDLE change = FindFirstChangeNotificationA(
        folderOf(watch->path_).c_str(), FALSE,
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE);
    const HANDLE wakes[] = {watch->host_.stepComingEvent(), change};
    const DWORD wakeCount = change == INVALID_HANDLE_VALUE ? 1 : 2;
    uint64_t untilDue = 0;
    for (;;) {
        const DWORD wait = static_cast<DWORD>(std::min<uint64_t>(untilDue, kIdleMs));
        if (WaitForMultipleObjects(wakeCount, wakes, FALSE, wait) == WAIT_OBJECT_0 + 1) {
            FindNextChangeNotification(change);
        }
        watch->checkFile();
        untilDue = watch->library_.tick();
        std::lock_guard<std::mutex> lock(watch->runMutex_);
        if (!watch->listening()) {
            watch->running_ = false;
            self = watch->threadModule_;
            break;
        }
    }
    if (change != INVALID_HANDLE_VALUE) FindCloseChangeNotification(change);
    FreeLibraryAndExitThread(self, 0);
}

bool ScenarioWatch::listening() const {
    return library_.adapterOpen() || IsWindow(static_cast<HWND>(library_.window()));
}

void ScenarioWatch::checkFile() {
    std::vector<DeviceChange> changes;
    {
        std::lock_guard<std::mutex> lock(fileMutex_);
        WIN32_FILE_ATTRIBUTE_DATA data{};
        const bool exists = GetFileAttributesExA(path_.c_str(), GetFileExInfoStandard, &data) &&
                            !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
        const uint64_t size = exists ? (uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow) : 0;
        const bool same = exists == exists_ &&
                          (!exists || (CompareFileTime(&data.ftLastWriteTime, &lastWrite_) == 0 &&
                                       size == size_));
        if (seen_ && same) return;
        const bool first = !seen_;
        std::string text;
        const bool readable = exists && readFile(path_, text);
        // A file that is there but could not be read (one being replaced: Windows 9x shares
        // no deletion) counts as none yet, so that the next look, within a second, reads
        // it again; it is told of once.
        const bool toldAlready = unreadable_;
        unreadable_ = exists && !readable;
        seen_ = true;
        exists_ = readable;
        lastWrite_ = data.ftLastWriteTime;
        size_ = size;

        if (!readable) {
            if (first) {
                host_.note("cannot read the scenario file " + path_ + "; no card is plugged in");
                changes = library_.load(withoutCard());
            } else if (!toldAlready) {
                host_.note("cannot read the scenario file " + path_ + "; the card keeps its world");
            }
        } else {
            std::vector<ScenarioError> errors;
            const std::optional<Scenario> scenario = parseScenario(text, errors);
            if (scenario) {
                changes = library_.load(*scenario);
                if (scenario->card.present)
                    keepDevnodeKey(scenario->card.hardwareId, scenario->card.devnode);
            } else {
                for (const ScenarioError& e : errors) {
                    host_.note(path_ + ":" + std::to_string(e.line) + ": " + e.message);
                }
                host_.note(first ? "no good scenario yet; no card is plugged in"
                                 : "the card keeps its last good world");
                if (first) changes = library_.load(withoutCard());
            }
        }
    }
    for (const DeviceChange& change : changes) broadcastDeviceChange(change);
}

}  // namespace sim
