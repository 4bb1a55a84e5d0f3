// The main window on Windows: makes CMainSheet's window, a modeless property sheet, and is
// the platform beneath it: the window's frame and its strip of buttons, the tray icon and
// its menu, the tab strip with greyed tabs, the device notifications, and the worker's
// way to the pages.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "framework/win32/Win32Host.h"
#include "pages/win32/Win32CertificatePlatform.h"
#include "pages/win32/Win32DeviceNotifications.h"
#include "pages/win32/Win32FileDialogPlatform.h"
#include "pages/win32/Win32FileVersions.h"
#include "pages/win32/Win32MainPagePlatform.h"
#include "shell/MainSheet.h"
#include "shell/win32/ThemedTab.h"
#include "shell/win32/TrayIcon.h"
#include "system/OsKind.h"
#include "system/Settings.h"

class Win32Shell final : public ShellPlatform, private fw::WindowFilter {
public:
    Win32Shell(HINSTANCE module, const ZelApi& api, sys::Settings& settings, sys::OsKind osKind,
               std::string profilePath);
    ~Win32Shell() override;
    Win32Shell(const Win32Shell&) = delete;
    Win32Shell& operator=(const Win32Shell&) = delete;

    // Creates the window; false when the system refused.
    bool create();
    HWND window() const;
    // True once the window is gone: the program ends.
    bool isClosed() const { return !sheet_->hasWindow(); }
    // Registers the window for the network adapters' device broadcasts; the exit
    // unregisters it. False when the system refused.
    bool registerDeviceNotification() { return deviceNotifications_.add(window()); }
    // Keyboard navigation inside the window; true when `message` was used.
    bool handleDialogMessage(MSG& message);
    // Ends the program as the tray menu's Exit does.
    void exit() { sheet_->exit(); }

    // ShellPlatform.
    MainPagePlatform& mainPagePlatform() override { return mainPagePlatform_; }
    CertificatePlatform& certificatePlatform() override { return certificatePlatform_; }
    FileDialogPlatform& fileDialogPlatform() override { return fileDialogPlatform_; }
    FileVersions& fileVersions() override { return fileVersions_; }
    DeviceNotifications& deviceNotifications() override { return deviceNotifications_; }
    IpHelper& ipHelper() override { return ipHelper_; }
    void completeWindow() override;
    void attachTabs() override;
    bool enableTab(int index, bool enabled) override { return tabs_.enableTab(index, enabled); }
    void enableAllTabs() override { tabs_.enableAll(); }
    bool isVisible() const override { return IsWindowVisible(window()) != FALSE; }
    bool isMinimised() const override { return IsIconic(window()) != FALSE; }
    void show() override { ShowWindow(window(), SW_SHOW); }
    void hide() override { ShowWindow(window(), SW_HIDE); }
    void restore() override;
    bool modalDialogUp() const override;
    void pause(unsigned ms) override { Sleep(ms); }
    void showTrayIcon(TrayState state) override { tray_.showState(static_cast<int>(state)); }
    void removeTrayIcon() override { tray_.remove(); }
    void setRadioMenuItem(bool radioOn) override { tray_.setRadioItem(radioOn); }
    void openTrayMenu() override { tray_.openMenu(); }
    bool onWindowThread() const override { return GetCurrentThreadId() == windowThread_; }
    void post(unsigned message, uintptr_t wParam, intptr_t lParam) override;
    void sendToPage(fw::Page& page, uint32_t code, const char* text) override;
    void handleSentMessages() override;
    std::string text(int stringId) const override;
    uint32_t tickCount() const override { return GetTickCount(); }
    void unregisterHotkey() override;

private:
    // What the window handles before the sheet's message map: the tab strip's drawing and
    // the worker's deliveries to the pages.
    bool filter(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // With more tabs than one row holds, the strip grows by the rows it took and the page
    // moves below them: the sheet was sized for one row.
    void fitTabsToPages();
    // Fits the window to its tabs and a strip below them with OK, Cancel and the check box.
    void addButtonStrip();

    HINSTANCE module_;
    const DWORD windowThread_;
    fw::Win32Host host_;
    CTrayIcon tray_;
    CThemedTab tabs_;
    HICON smallIcon_ = nullptr;
    Win32DeviceNotifications deviceNotifications_;
    Win32MainPagePlatform mainPagePlatform_;
    Win32CertificatePlatform certificatePlatform_;
    Win32FileDialogPlatform fileDialogPlatform_;
    Win32FileVersions fileVersions_;
    Win32IpHelper ipHelper_;
    // Last, so that it goes first.
    std::unique_ptr<CMainSheet> sheet_;
};
