#include "app/SingleInstance.h"

#include "adapter/ZelShared.h"
#include "system/ProgramCodes.h"

namespace app {

namespace {

constexpr DWORD kMarkerSize = 32;
// How long to wait for the running copy to take the request; a hung copy is not waited for.
constexpr UINT kRequestTimeoutMs = 10000;

}  // namespace

bool CSingleInstance::claim(const char* name, sys::OsKind os) {
    release();
    SetLastError(ERROR_SUCCESS);
    handle_ = os == sys::OsWin9x ? CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READONLY,
                                                      0, kMarkerSize, name)
                                 : CreateMutexA(nullptr, TRUE, name);
    if (handle_ && GetLastError() == ERROR_ALREADY_EXISTS) {
        release();
        return false;
    }
    // An object of another kind with this name leaves the program without a marker; it
    // runs all the same.
    return true;
}

void CSingleInstance::release() {
    if (handle_) CloseHandle(handle_);
    handle_ = nullptr;
}

void bringRunningCopyForward(const char* title) {
    const HWND running = FindWindowA(nullptr, title);
    if (!running) return;  // the running copy has no window yet
    ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(running, zel::kEventMessage, sys::kCodeShowCurrentPage, 0, SMTO_ABORTIFHUNG,
                        kRequestTimeoutMs, &ignored);
}

}  // namespace app
