#include "tests/support/win32/ProgramDriver.h"

#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

namespace program_driver {

namespace {

// How often a wait looks again.
constexpr DWORD kStep = 50;
constexpr UINT kSendTimeoutMs = 5000;

void handleMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

struct WindowSearch {
    DWORD processId;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && (!search.visibleOnly || IsWindowVisible(window))) {
        search.found.push_back(window);
    }
    return TRUE;
}

struct ChildSearch {
    std::function<void(HWND)> visit;
};

BOOL CALLBACK visitChild(HWND child, LPARAM context) {
    reinterpret_cast<ChildSearch*>(context)->visit(child);
    return TRUE;
}

void forEachChild(HWND parent, std::function<void(HWND)> visit) {
    ChildSearch search{std::move(visit)};
    EnumChildWindows(parent, visitChild, reinterpret_cast<LPARAM>(&search));
}

}  // namespace

bool waitUntil(const std::function<bool()>& done, DWORD patience) {
    const DWORD start = GetTickCount();
    for (;;) {
        handleMessages();
        if (done()) return true;
        if (GetTickCount() - start >= patience) return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kStep, QS_ALLINPUT);
    }
}

bool ProgramDriver::start(const std::string& program, const std::string& folder,
                          const std::string& arguments) {
    kill();
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process_)) {
        process_ = {};
        return false;
    }
    CloseHandle(process_.hThread);
    process_.hThread = nullptr;
    return true;
}

bool ProgramDriver::isRunning() const {
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

std::vector<HWND> ProgramDriver::windows(bool visibleOnly) const {
    WindowSearch search{process_.dwProcessId, visibleOnly, {}};
    if (process_.hProcess) EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ProgramDriver::waitForWindow(const std::string& title, DWORD patience) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            for (HWND window : windows()) {
                if (windowText(window) == title && !isMessageBox(window)) found = window;
            }
            return found != nullptr || !isRunning();
        },
        patience);
    return found;
}

std::optional<MessageBoxView> ProgramDriver::waitForMessageBox(DWORD patience) {
    HWND box = nullptr;
    waitUntil(
        [&] {
            for (HWND window : windows()) {
                if (isMessageBox(window)) box = window;
            }
            return box != nullptr || !isRunning();
        },
        patience);
    if (!box) return std::nullopt;
    return viewMessageBox(box);
}

std::optional<DWORD> ProgramDriver::waitForExit(DWORD patience) {
    if (!process_.hProcess) return std::nullopt;
    if (!waitUntil([&] { return !isRunning(); }, patience)) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

void ProgramDriver::kill() {
    if (!process_.hProcess) return;
    if (isRunning()) {
        TerminateProcess(process_.hProcess, 255);
        WaitForSingleObject(process_.hProcess, kPatience);
    }
    CloseHandle(process_.hProcess);
    process_ = {};
}

std::vector<HWND> windowsTitled(const std::string& title) {
    std::vector<HWND> found;
    for (HWND window = FindWindowExA(nullptr, nullptr, nullptr, title.c_str()); window;
         window = FindWindowExA(nullptr, window, nullptr, title.c_str())) {
        if (IsWindowVisible(window)) found.push_back(window);
    }
    return found;
}

std::string windowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &length)) {
        return {};
    }
    std::vector<char> buffer(length + 1);
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                        SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied);
    return std::string(buffer.data(), copied);
}

std::string className(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

bool isMessageBox(HWND window) {
    if (className(window) != "#32770") return false;
    bool textAndButtonsOnly = true;
    forEachChild(window, [&](HWND child) {
        const std::string kind = className(child);
        textAndButtonsOnly &= kind == "Static" || kind == "Button";
    });
    return textAndButtonsOnly;
}

MessageBoxView viewMessageBox(HWND box) {
    MessageBoxView view{box, windowText(box), {}, false};
    forEachChild(box, [&](HWND child) {
        if (className(child) != "Static") return;
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ICON) {
            DWORD_PTR icon = 0;
            SendMessageTimeoutA(child, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &icon);
            view.hasIcon |= icon != 0 && IsWindowVisible(child);
        } else {
            view.text += windowText(child);
        }
    });
    return view;
}

void pressButton(HWND dialog, int buttonId) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

void click(HWND window, int button) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, button)));
}

void setText(HWND window, int control, const std::string& text) {
    SendMessageA(GetDlgItem(window, control), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(text.c_str()));
}

void type(HWND edit, const std::string& text) {
    const DWORD program = GetWindowThreadProcessId(edit, nullptr);
    AttachThreadInput(GetCurrentThreadId(), program, TRUE);
    SetFocus(edit);
    for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    AttachThreadInput(GetCurrentThreadId(), program, FALSE);
}

void pressKey(HWND control, int key) {
    const DWORD thread = GetWindowThreadProcessId(control, nullptr);
    const bool other = thread != GetCurrentThreadId();
    if (other) AttachThreadInput(GetCurrentThreadId(), thread, TRUE);
    SetFocus(control);
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
    SendMessageA(control, WM_KEYDOWN, key, scan | 1);
    if (const UINT typed = MapVirtualKeyA(key, MAPVK_VK_TO_CHAR)) {
        SendMessageA(control, WM_CHAR, typed, scan | 1);
    }
    SendMessageA(control, WM_KEYUP, key, scan | 1 | 0xC0000000);
    if (other) AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
}

void pickEntry(HWND dialog, int combo, int position) {
    HWND list = GetDlgItem(dialog, combo);
    SendMessageA(list, CB_SETCURSEL, position, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

HWND currentPage(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

std::string ownFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

ScratchFolder::ScratchFolder() {
    static int count = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    do {
        path_ = std::string(temp) + "tovix-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++count);
    } while (!CreateDirectoryA(path_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
}

ScratchFolder::~ScratchFolder() {
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA(file("*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            SetFileAttributesA(file(name).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveDirectoryA(file(name).c_str());
            } else {
                DeleteFileA(file(name).c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(path_.c_str());
}

std::optional<std::string> copyProgram(const ScratchFolder& folder) {
    for (const char* file : {"Tovix.exe", "Tovix.dll", "Tovix.scn"}) {
        if (!CopyFileA((ownFolder() + file).c_str(), folder.file(file).c_str(), FALSE)) return file;
    }
    keepAutoLinkOff(folder);
    return std::nullopt;
}

void keepAutoLinkOff(const ScratchFolder& folder) {
    WritePrivateProfileStringA("Advanced", "AutoLink", "0", folder.file("Tovix.ini").c_str());
}

WineVersionOverride::WineVersionOverride(const std::string& exe, const std::string& version) {
    const std::string path = "Software\\Wine\\AppDefaults\\" + exe;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key_, nullptr) != ERROR_SUCCESS) {
        key_ = nullptr;
        return;
    }
    RegSetValueExA(key_, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                   static_cast<DWORD>(version.size() + 1));
}

WineVersionOverride::~WineVersionOverride() {
    if (!key_) return;
    RegDeleteValueA(key_, "Version");
    RegCloseKey(key_);
}

}  // namespace program_driver
