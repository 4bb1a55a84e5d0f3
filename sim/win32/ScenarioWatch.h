// Keeps the simulated card in step with the scenario file beside the library (Tovix.scn in
// the DLL's own folder): reads it again whenever it changes, reports its errors on standard
// error with their lines while the card keeps its last good world, sends the device
// broadcasts of a plugged or unplugged card, and lets the card's time pass. It runs on a
// thread of its own while anybody listens to the card (an adapter is open or a window is
// registered); the thread holds a reference to the library, so the DLL cannot be unmapped
// under it, and ends by itself when nobody listens any more.
#pragma once

#include <windows.h>

#include <cstdint>
#include <mutex>
#include <string>

#include "sim/CardLibrary.h"
#include "sim/win32/Win32Host.h"

namespace sim {

class ScenarioWatch {
public:
    ScenarioWatch(CardLibrary& library, Win32Host& host, HMODULE module);

    // Makes sure the watch runs. Starting it reads the scenario first, so the card's world
    // is current before the operation that started it.
    void ensureRunning();

private:
    static DWORD WINAPI run(void* watch);
    // Reads the file when it changed since the last look and hands a good scenario to the card.
    void checkFile();
    bool listening() const;

    CardLibrary& library_;
    Win32Host& host_;
    const std::string libraryPath_;
    const std::string path_;  // of the scenario file

    std::mutex runMutex_;
    bool running_ = false;
    HMODULE threadModule_ = nullptr;  // the running thread's reference to the library

    std::mutex fileMutex_;
    bool seen_ = false;        // the file's state below was taken
    bool exists_ = false;      // and could be read
    bool unreadable_ = false;  // it was there at the last look, but could not be read
    FILETIME lastWrite_{};
    uint64_t size_ = 0;
};

}  // namespace sim
