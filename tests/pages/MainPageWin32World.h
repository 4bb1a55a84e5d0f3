// The Network Status page's world under Wine: real windows from the program's own
// resources, the real platform of the page, and a copy of Tovix.dll in a folder of its
// own beside a scenario of the world's, in real time.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "adapter/ZelLibrary.h"
#include "pages/win32/Win32MainPagePlatform.h"
#include "tests/pages/MainPageSuite.h"
#include "tests/support/win32/Win32BackEnd.h"

namespace mainpage_win32 {

inline std::string ownFolder() {
    char path[MAX_PATH * 2];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string file(path, length);
    return file.substr(0, file.find_last_of('\\') + 1);
}

// Handles this thread's messages for `ms` milliseconds: timers fire, windows paint.
inline void pumpFor(uint32_t ms) {
    const DWORD start = GetTickCount();
    for (DWORD passed = 0; passed < ms; passed = GetTickCount() - start) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - passed, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

// A copy of Tovix.dll beside a scenario of the world's own, loaded as the program loads
// the library.
class PrivateCard {
public:
    explicit PrivateCard(const std::string& scenario) {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        static int count = 0;
        folder_ = std::string(temp) + "tovix-status-" + std::to_string(GetCurrentProcessId()) +
                  "-" + std::to_string(++count) + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        CopyFileA((ownFolder() + "Tovix.dll").c_str(), (folder_ + "Tovix.dll").c_str(), FALSE);
        writeScenario(scenario);
        loaded_ = library_->load((folder_ + "Tovix.dll").c_str()) == ZelLibrary::Status::Loaded;
    }
    ~PrivateCard() {
        library_.reset();
        // The library's file can go once the library is unloaded.
        for (int attempt = 0; attempt < 50 && !DeleteFileA((folder_ + "Tovix.dll").c_str());
             ++attempt) {
            pumpFor(20);
        }
        DeleteFileA((folder_ + "Tovix.scn").c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    bool loaded() const { return loaded_; }
    const ZelApi& api() const { return library_->api(); }

private:
    void writeScenario(const std::string& text) const {
        const HANDLE file = CreateFileA((folder_ + "Tovix.scn").c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
    }

    std::string folder_;
    std::optional<ZelLibrary> library_{std::in_place};
    bool loaded_ = false;
};

class Win32World final : public MainPageWorld {
public:
    explicit Win32World(const std::string& scenario)
        : windows_(fwtest::makeWin32BackEnd()), card_(scenario) {}

    bool ready() const { return card_.loaded(); }
    fwtest::BackEnd& windows() override { return *windows_; }
    const ZelApi& api() const override { return card_.api(); }
    void pass(CMainPage&, uint32_t ms) override { pumpFor(ms); }
    uint32_t now() const override { return GetTickCount(); }
    MainPagePlatform* platform() override { return &platform_; }

private:
    std::unique_ptr<fwtest::BackEnd> windows_;
    PrivateCard card_;
    Win32MainPagePlatform platform_;
};

}  // namespace mainpage_win32
