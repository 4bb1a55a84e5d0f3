#include "app/UtilityApp.h"

#include <commctrl.h>

#include <cstdio>
#include <vector>

#include "app/ExitCode.h"
#include "app/ModulePath.h"
#include "app/ProgramPaths.h"
#include "app/ZeroConfigTakeover.h"
#include "controls/win32/LevelBar.h"
#include "res/resource.h"
#include "system/MessageCaption.h"

namespace {

constexpr const char* kAdapterLibraryFile = "Tovix.dll";

// `pattern` from the string table with up to two texts filled in.
std::string format(const std::string& pattern, const char* first, const char* second = "") {
    const int length = std::snprintf(nullptr, 0, pattern.c_str(), first, second);
    if (length < 0) return pattern;
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    std::snprintf(buffer.data(), buffer.size(), pattern.c_str(), first, second);
    return buffer.data();
}

}  // namespace

int CUtilityApp::run() {
    exitCode_ = app::ExitStartupFailed;
    if (initInstance()) exitCode_ = messageLoop();
    exitInstance();
    return exitCode_;
}

bool CUtilityApp::initInstance() {
    title_ = text(IDS_APP_TITLE);
    if (!classifySystem()) return false;
    if (!singleInstance_.claim(title_.c_str(), osKind_)) {
        app::bringRunningCopyForward(title_.c_str());
        exitCode_ = app::ExitAlreadyRunning;
        return false;
    }
    if (!findProgramFiles()) return false;
    // Loaded before anything reaches the card; a second copy never loads it.
    if (!loadAdapterLibrary()) return false;

    // The program's dialogs use the common controls on every system, and its level bar.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    registerLevelBarClass();
    if (osKind_ == sys::OsWinXp) app::takeCardFromZeroConfiguration(library_.api());

    if (!createMainWindow()) return false;
    registerRadioHotkey();
    ShowWindow(mainWindow_->window(), SW_SHOW);
    return true;
}

bool CUtilityApp::classifySystem() {
    // The extended record first; older systems know only the plain one.
    OSVERSIONINFOEXA version{};
    version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    auto* record = reinterpret_cast<OSVERSIONINFOA*>(&version);
    if (!GetVersionExA(record)) {
        version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!GetVersionExA(record)) {
            showMessage(text(IDS_NO_WINDOWS_VERSION), MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
    }
    osKind_ = sys::classifyOs(version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion);
    if (osKind_ == sys::OsUnsupported) {
        showMessage(text(IDS_NOT_SUPPORTED), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

bool CUtilityApp::findProgramFiles() {
    const std::optional<std::string> modulePath = app::upperCaseModulePath();
    if (!modulePath) {
        showMessage(text(IDS_NO_PROGRAM_PATH), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    const app::ProgramPaths paths = app::programPaths(*modulePath, app::isAnsiLeadByte);
    profilePath_ = paths.profilePath;
    settingsPath_ = paths.settingsPath;
    settingsStore_.emplace(settingsPath_);
    settings_.emplace(*settingsStore_);
    return true;
}

bool CUtilityApp::loadAdapterLibrary() {
    switch (library_.load(kAdapterLibraryFile)) {
        case ZelLibrary::Status::Loaded:
            return true;
        case ZelLibrary::Status::LibraryMissing:
            showMessage(format(text(IDS_NO_ADAPTER_LIBRARY), kAdapterLibraryFile),
                        MB_OK | MB_ICONEXCLAMATION);
            return false;
        case ZelLibrary::Status::OperationMissing:
            showMessage(format(text(IDS_NO_ADAPTER_OPERATION), kAdapterLibraryFile,
                               library_.missingOperation().c_str()),
                        MB_OK | MB_ICONEXCLAMATION);
            return false;
    }
    return false;
}

bool CUtilityApp::createMainWindow() {
    mainWindow_.emplace(instance_, library_.api(), *settings_, osKind_, profilePath_);
    if (!mainWindow_->create()) return false;
    if (!mainWindow_->registerDeviceNotification()) {
        showMessage(text(IDS_NOTIFICATION_FAILED), MB_OK);
        return false;
    }
    return true;
}

void CUtilityApp::registerRadioHotkey() {
    // The main window's Exit unregisters it.
    if (!RegisterHotKey(mainWindow_->window(), ID_RADIO_TOGGLE, MOD_ALT, VK_F2)) {
        showMessage(text(IDS_NO_RADIO_HOTKEY), MB_OK | MB_ICONEXCLAMATION);
    }
}

int CUtilityApp::messageLoop() {
    MSG message;
    while (!mainWindow_->isClosed()) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);  // WM_QUIT
        if (got == -1) break;
        if (!mainWindow_->handleDialogMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return app::ExitNormal;
}

void CUtilityApp::exitInstance() {
    // After the main window's Exit nothing is left to do; a start-up that failed after
    // the window was made ends the same way.
    if (mainWindow_) mainWindow_->exit();
    mainWindow_.reset();
    singleInstance_.release();
}

std::string CUtilityApp::text(UINT id) const {
    char buffer[512];
    const int length = LoadStringA(instance_, id, buffer, sizeof(buffer));
    return std::string(buffer, length > 0 ? length : 0);
}

void CUtilityApp::showMessage(const std::string& message, UINT style) const {
    MessageBoxA(mainWindow_ ? mainWindow_->window() : nullptr, message.c_str(),
                sys::kMessageCaption, style);
}
