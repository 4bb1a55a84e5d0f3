#include "shell/MainSheet.h"

#include <commctrl.h>

#include "res/resource.h"

namespace {

// The sheet's window styles replace those of the system's sheet template.
constexpr DWORD kSheetStyle =
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME;
// Template bits that describe the template itself and must stay.
constexpr DWORD kTemplateBits = DS_SETFONT | DS_FIXEDSYS;

// The head of an extended dialog template (DLGTEMPLATEEX, which <windows.h> lacks).
struct DialogTemplateExHead {
    WORD version;
    WORD signature;  // 0xFFFF
    DWORD helpId;
    DWORD exStyle;
    DWORD style;
};

int CALLBACK sheetCallback(HWND, UINT message, LPARAM lParam) {
    if (message != PSCB_PRECREATE) return 0;
    auto* head = reinterpret_cast<DialogTemplateExHead*>(lParam);
    if (head->signature == 0xFFFF) {
        head->style = (head->style & kTemplateBits) | kSheetStyle;
        head->exStyle = 0;
    } else {
        auto* plain = reinterpret_cast<DLGTEMPLATE*>(lParam);
        plain->style = (plain->style & kTemplateBits) | kSheetStyle;
        plain->dwExtendedStyle = 0;
    }
    return 0;
}

INT_PTR CALLBACK pageProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

}  // namespace

bool CMainSheet::create(HINSTANCE instance, const std::string& caption) {
    PROPSHEETPAGEA page{};
    // The first versions of the structures, so that older common controls accept them.
    page.dwSize = PROPSHEETPAGEA_V1_SIZE;
    page.hInstance = instance;
    page.pszTemplate = MAKEINTRESOURCEA(IDD_NETWORK_STATUS);
    page.pfnDlgProc = pageProc;
    HPROPSHEETPAGE pages[] = {CreatePropertySheetPageA(&page)};
    if (!pages[0]) return false;

    PROPSHEETHEADERA header{};
    header.dwSize = PROPSHEETHEADERA_V1_SIZE;
    header.dwFlags = PSH_MODELESS | PSH_NOAPPLYNOW | PSH_USECALLBACK;
    header.hInstance = instance;
    header.pszCaption = caption.c_str();
    header.nPages = 1;
    header.phpage = pages;
    header.pfnCallback = sheetCallback;
    const INT_PTR sheet = PropertySheetA(&header);
    if (sheet == 0 || sheet == -1) return false;
    window_ = reinterpret_cast<HWND>(sheet);
    return true;
}

void CMainSheet::destroy() {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
}

bool CMainSheet::handleDialogMessage(MSG& message) {
    return window_ && PropSheet_IsDialogMessage(window_, &message);
}

bool CMainSheet::isClosed() const {
    return !window_ || !PropSheet_GetCurrentPageHwnd(window_);
}
