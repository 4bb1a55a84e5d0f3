// Drives a whole Windows program the way a user would: starts it in a folder of one's
// choice, finds its windows, reads and answers its message boxes, closes it and waits
// for it to end. A program still running when the driver goes away is killed.
//
// While it waits, the driver handles the messages of the calling thread, so that windows
// of the test itself keep answering (a program may send them messages).
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace program_driver {

// How long a wait lasts before the driver gives up (a failure, never a measurement).
constexpr DWORD kPatience = 20000;

struct MessageBoxView {
    HWND window;
    std::string caption;
    std::string text;
    bool hasIcon;
};

class ProgramDriver {
public:
    ProgramDriver() = default;
    ~ProgramDriver() { kill(); }
    ProgramDriver(const ProgramDriver&) = delete;
    ProgramDriver& operator=(const ProgramDriver&) = delete;

    // Starts `program` with `folder` as its current folder and `arguments` after its name
    // on the command line; false when it did not start.
    bool start(const std::string& program, const std::string& folder,
               const std::string& arguments = "");
    bool isRunning() const;

    // The program's top-level windows (visible ones only when `visibleOnly`).
    std::vector<HWND> windows(bool visibleOnly = true) const;
    // The program's visible top-level window titled `title`; nullptr when none came.
    HWND waitForWindow(const std::string& title, DWORD patience = kPatience);
    // The program's next message box; nullopt when none came or the program ended.
    std::optional<MessageBoxView> waitForMessageBox(DWORD patience = kPatience);

    // The program's exit code once it has ended; nullopt when it is still running.
    std::optional<DWORD> waitForExit(DWORD patience = kPatience);
    // Ends the program at once, if it runs.
    void kill();

private:
    PROCESS_INFORMATION process_{};
};

// Every visible top-level window titled `title`, of any process.
std::vector<HWND> windowsTitled(const std::string& title);
// A window's text, also of another process's control.
std::string windowText(HWND window);
std::string className(HWND window);
// Whether `window` is a message box: a dialog with nothing but texts, icons and buttons.
bool isMessageBox(HWND window);
MessageBoxView viewMessageBox(HWND box);
// Presses the button `buttonId` (IDOK, IDCANCEL, ...) of a dialog.
void pressButton(HWND dialog, int buttonId);
// The user clicks button `button` of a page or dialog; the program may go on to show a
// modal window.
void click(HWND window, int button);
// Sets the text of control `control` of a page or dialog, as code does.
void setText(HWND window, int control, const std::string& text);
// The user types `text` into an edit of the program: the edit takes the focus, then gets
// the characters one by one.
void type(HWND edit, const std::string& text);
// The user presses the key `key` (a virtual key) in a control, of the program or of the
// test itself: the control takes the focus, then hears the key go down, the character it
// makes (as the message loop translates it) and the key come up.
void pressKey(HWND control, int key);
// Picks entry `position` of the drop-down list `combo` of a dialog, as the user does.
void pickEntry(HWND dialog, int combo, int position);
// The window of a property sheet's current page.
HWND currentPage(HWND sheet);

// Handles the calling thread's messages until `done` holds or `patience` runs out;
// returns the last value of `done`.
bool waitUntil(const std::function<bool()>& done, DWORD patience = kPatience);

// The folder of the running program, with a trailing backslash.
std::string ownFolder();

// A new empty folder under the system's temporary folder, removed with its files.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Without a trailing backslash.
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// Copies Tovix.exe, its Tovix.dll and the scenario beside them from the running
// program's folder into `folder`, with Auto Link switched off; the name of the first
// file that could not be copied, none when all were.
std::optional<std::string> copyProgram(const ScratchFolder& folder);
// Switches Auto Link off in the settings file of the program in `folder`, so that the
// default world's Auto Link access point does not take the screen from the test.
void keepAutoLinkOff(const ScratchFolder& folder);

// Makes Wine report `version` ("win98", "nt40", "win2003", "win7", ...) to every
// program started under the file name `exe` while this object lives.
class WineVersionOverride {
public:
    WineVersionOverride(const std::string& exe, const std::string& version);
    ~WineVersionOverride();
    WineVersionOverride(const WineVersionOverride&) = delete;
    WineVersionOverride& operator=(const WineVersionOverride&) = delete;

private:
    HKEY key_ = nullptr;
};

}  // namespace program_driver
