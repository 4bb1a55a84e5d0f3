// The program's icon in the notification area, in the shell's balloon-capable record,
// with its four states, and the menu it opens.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

class CTrayIcon {
public:
    explicit CTrayIcon(HINSTANCE module);
    ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // The window that owns the icon; the shell sends it `callbackMessage` with the mouse
    // message in lParam. Loads the menu.
    void bind(HWND owner, UINT callbackMessage);

    // State 0 "Card Unplugged", 1 "Connected", 2 "No Connection", 3 scanning (the
    // balloon alone changes); any other value, and any state before bind, does nothing.
    // When the shell refuses an update, the next one adds the icon anew.
    void showState(int state);
    void remove();
    bool isShown() const { return shown_; }

    // The menu's radio item: "Turn Radio Off" while the radio is on.
    void setRadioItem(bool radioOn);
    // Opens the menu at the cursor, its first item the default one; the commands go to
    // the owner as WM_COMMAND.
    void openMenu();

private:
    std::string text(UINT id) const;
    // Adds or modifies the icon with `icon`, the tip (none: the shell keeps its tip) and
    // the balloon; without an icon, removes it.
    void update(HICON icon, const std::string* tip, const std::string& balloon);

    HINSTANCE module_;
    NOTIFYICONDATAA data_{};
    bool shown_ = false;
    HMENU menu_ = nullptr;
};
