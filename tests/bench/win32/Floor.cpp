// The floor that no program of Tovix.exe's kind can beat on the same system: a bare
// modeless property sheet with the same title and the same number of pages, each page an
// empty dialog of the same size, and a tray icon. It hides on Close and comes back on a
// double click of its icon or ID_TRAY_RESTORE, and ends on ID_TRAY_EXIT, as Tovix.exe
// does, so that the benchmark drives both alike.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <prsht.h>
#include <shellapi.h>

#include <cstring>
#include <vector>

#include "res/resource.h"
#include "shell/MainWindowCodes.h"

namespace {

constexpr const char* kTitle = "VORNAX TX-LM70RDV Utility";
constexpr const char* kPages[] = {"Network Status", "Profile Manager", "Site Survey", "Statistics",
                                  "Advanced",       "Admin",           "About"};
constexpr UINT kTrayId = 1;

WNDPROC sheetProcedure = nullptr;
NOTIFYICONDATAA tray{};

// An empty page template of the program's page size, with the program's font.
std::vector<WORD> pageTemplate(const char* caption) {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* dialog = reinterpret_cast<DLGTEMPLATE*>(words.data());
    dialog->style = DS_SETFONT | WS_CHILD | WS_DISABLED | WS_CAPTION;
    dialog->cx = 300;
    dialog->cy = 200;
    const auto text = [&words](const char* s) {
        for (; *s; ++s) words.push_back(static_cast<WORD>(static_cast<unsigned char>(*s)));
        words.push_back(0);
    };
    words.push_back(0);  // no menu
    words.push_back(0);  // the dialog class
    text(caption);
    words.push_back(8);
    text("MS Shell Dlg");
    return words;
}

LRESULT CALLBACK sheetHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            ShowWindow(window, SW_HIDE);
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == ID_TRAY_EXIT) {
                DestroyWindow(window);
                return 0;
            }
            if (LOWORD(wParam) == ID_TRAY_RESTORE) {
                ShowWindow(window, SW_RESTORE);
                return 0;
            }
            break;
        default:
            if (message == shell::kTrayMessage && lParam == WM_LBUTTONDBLCLK) {
                ShowWindow(window, SW_RESTORE);
                SetForegroundWindow(window);
                return 0;
            }
            break;
    }
    return CallWindowProcA(sheetProcedure, window, message, wParam, lParam);
}

INT_PTR CALLBACK pageProcedure(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    std::vector<std::vector<WORD>> templates;
    std::vector<HPROPSHEETPAGE> pages;
    for (const char* caption : kPages) templates.push_back(pageTemplate(caption));
    for (const auto& words : templates) {
        PROPSHEETPAGEA page{};
        page.dwSize = sizeof page;
        page.dwFlags = PSP_DLGINDIRECT;
        page.hInstance = instance;
        page.pResource = reinterpret_cast<LPCDLGTEMPLATEA>(words.data());
        page.pfnDlgProc = pageProcedure;
        pages.push_back(CreatePropertySheetPageA(&page));
    }
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS | PSH_NOAPPLYNOW;
    header.hInstance = instance;
    header.pszCaption = kTitle;
    header.nPages = static_cast<UINT>(pages.size());
    header.phpage = pages.data();
    const HWND sheet = reinterpret_cast<HWND>(PropertySheetA(&header));
    if (!sheet) return 1;
    sheetProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(sheetHook)));

    tray.cbSize = NOTIFYICONDATAA_V2_SIZE;
    tray.hWnd = sheet;
    tray.uID = kTrayId;
    tray.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    tray.uCallbackMessage = shell::kTrayMessage;
    tray.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    std::strcpy(tray.szTip, kTitle);
    Shell_NotifyIconA(NIM_ADD, &tray);

    MSG message;
    while (IsWindow(sheet) && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (PropSheet_IsDialogMessage(sheet, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    Shell_NotifyIconA(NIM_DELETE, &tray);
    return 0;
}
