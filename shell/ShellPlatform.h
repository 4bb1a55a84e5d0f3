// What the main window needs from the windowing system beyond its own controls, which it
// reaches through its surface: its frame, the tray icon and menu, the tab strip, the
// worker thread's way in, and undoing what start-up registered on the window. The
// Windows layer gives the real thing; native tests give a double that records.
#pragma once

#include <cstdint>
#include <string>

#include "adapter/ZelTypes.h"
#include "framework/Dialog.h"
#include "profiles/ConnectionMonitor.h"

class CertificatePlatform;
class DeviceNotifications;
class FileDialogPlatform;
class FileVersions;
class IpHelper;
class MainPagePlatform;

class ShellPlatform {
public:
    virtual ~ShellPlatform() = default;

    // What the Network Status page needs beneath its window.
    virtual MainPagePlatform& mainPagePlatform() = 0;
    // The personal certificate store, for the security page's EAP/TLS dialogs.
    virtual CertificatePlatform& certificatePlatform() = 0;
    // The standard open and save dialogs, for the Admin page.
    virtual FileDialogPlatform& fileDialogPlatform() = 0;
    // The version resources and dates of the program's files, for the About page.
    virtual FileVersions& fileVersions() = 0;

    // The registrations for the card's device broadcasts: the main window's, made at
    // start-up, and those of the dialogs that watch for the card.
    virtual DeviceNotifications& deviceNotifications() = 0;
    // The system's IP helper functions, for the Auto Link exchange.
    virtual IpHelper& ipHelper() = 0;
    // Completes the window when it initialises: grows it for a strip below the tabs with
    // "&OK", "&Cancel" and the radio check box, gives it its small icon, binds the tray
    // icon to it and loads the tray menu.
    virtual void completeWindow() = 0;

    // The tab strip, taken over so that single tabs can be disabled.
    virtual void attachTabs() = 0;
    // Enables or disables tab `index`; false when it could not (TabRules::enable).
    virtual bool enableTab(int index, bool enabled) = 0;
    // Every tab enabled again: the page set was rebuilt.
    virtual void enableAllTabs() = 0;

    // The window itself.
    virtual bool isVisible() const = 0;
    virtual bool isMinimised() const = 0;
    virtual void show() = 0;
    virtual void hide() = 0;
    // Back from the tray or the task bar, and in the foreground.
    virtual void restore() = 0;
    // A modal dialog or a message box of the program is up.
    virtual bool modalDialogUp() const = 0;
    // Lets `ms` milliseconds pass on the window thread.
    virtual void pause(unsigned ms) = 0;

    // The tray icon and its menu.
    virtual void showTrayIcon(TrayState state) = 0;
    virtual void removeTrayIcon() = 0;
    // The menu's radio item reads "Turn Radio Off" while the radio is on, else
    // "Turn Radio On".
    virtual void setRadioMenuItem(bool radioOn) = 0;
    // Opens the menu at the cursor; its commands come back as WM_COMMAND.
    virtual void openTrayMenu() = 0;

    // Threads. Only the window thread touches windows.
    virtual bool onWindowThread() const = 0;
    // Posts `message` to the main window; from any thread, without waiting.
    virtual void post(unsigned message, uintptr_t wParam, intptr_t lParam) = 0;
    // From the worker thread: sends the page zel::kEventMessage with `code` and `text` and
    // waits until the window thread has handled it; nothing when the page has no window.
    virtual void sendToPage(fw::Page& page, uint32_t code, const char* text) = 0;
    // On the window thread while it waits for the worker: handles what the worker sends.
    virtual void handleSentMessages() = 0;

    // A text of the string table.
    virtual std::string text(int stringId) const = 0;
    // A millisecond counter that may wrap.
    virtual uint32_t tickCount() const = 0;

    // Start-up registered the hotkey on the window; the exit undoes it.
    virtual void unregisterHotkey() = 0;
};
