// The application object: starts the program, owns what lives as long as the program
// (the single-instance marker, the adapter library, the settings file, the main window)
// and runs the message loop until the main window's Exit.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "adapter/ZelLibrary.h"
#include "app/SingleInstance.h"
#include "shell/win32/Win32Shell.h"
#include "system/OsKind.h"
#include "system/Settings.h"
#include "system/win32/PrivateProfileStore.h"

class CUtilityApp {
public:
    explicit CUtilityApp(HINSTANCE instance) : instance_(instance) {}
    CUtilityApp(const CUtilityApp&) = delete;
    CUtilityApp& operator=(const CUtilityApp&) = delete;

    // Starts the program, runs it until the main window ends and cleans up; returns the
    // program's exit code (app::ExitCode).
    int run();

    sys::OsKind osKind() const { return osKind_; }
    const std::string& profilePath() const { return profilePath_; }
    const std::string& settingsPath() const { return settingsPath_; }
    // The settings file; available once start-up has found the program's folder.
    sys::Settings& settings() { return *settings_; }
    // The adapter control library; available once start-up has loaded it.
    const ZelApi& adapter() const { return library_.api(); }

private:
    bool initInstance();
    bool classifySystem();
    bool findProgramFiles();
    bool loadAdapterLibrary();
    bool createMainWindow();
    void registerRadioHotkey();
    int messageLoop();
    void exitInstance();

    std::string text(UINT id) const;
    void showMessage(const std::string& message, UINT style) const;

    HINSTANCE instance_;
    std::string title_;
    sys::OsKind osKind_ = sys::OsUnsupported;
    app::CSingleInstance singleInstance_;
    std::string profilePath_;
    std::string settingsPath_;
    std::optional<sys::PrivateProfileStore> settingsStore_;
    std::optional<sys::Settings> settings_;
    ZelLibrary library_;
    std::optional<Win32Shell> mainWindow_;
    int exitCode_ = 0;
};
