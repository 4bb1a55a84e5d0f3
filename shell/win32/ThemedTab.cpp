#include "shell/win32/ThemedTab.h"

#include <commctrl.h>
#include <prsht.h>

namespace {

const char kTabProperty[] = "CThemedTab";

// Drawing of a tab item in the visual style: the TAB class's tab item part, normal or
// disabled (vssym32.h: TABP_TABITEM, TIS_NORMAL, TIS_DISABLED).
constexpr int kTabItemPart = 1;
constexpr int kTabItemNormal = 1;
constexpr int kTabItemDisabled = 4;

// Where a tab's content starts inside its rectangle.
constexpr int kSelectedInset = 7;
constexpr int kInset = 4;
constexpr int kDrop = 2;
constexpr int kSelectedImageDrop = 3;
constexpr int kImageGap = 2;
constexpr int kMaxTabText = 255;

// The visual-style library, loaded once for the program's life. Each function is looked up
// by name when called, and reads 0 where the library or the function is missing, so that
// without it no theme is active.
class VisualStyles {
    // Calls the library's function `name` of type `Function`; 0 without it.
    template <typename Function, typename... Args>
    auto call(const char* name, Args... args) const {
        using Result = decltype(Function()(args...));
        const FARPROC address = module_ ? GetProcAddress(module_, name) : nullptr;
        if (!address) return Result{};
        return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address))(args...);
    }

public:
    VisualStyles() : module_(LoadLibraryA("UxTheme.dll")) {}
    ~VisualStyles() {
        if (module_) FreeLibrary(module_);
    }
    VisualStyles(const VisualStyles&) = delete;
    VisualStyles& operator=(const VisualStyles&) = delete;

    bool isAppThemed() const { return call<BOOL(WINAPI*)()>("IsAppThemed") != FALSE; }
    HANDLE open(HWND window, const wchar_t* classes) const {
        return call<HANDLE(WINAPI*)(HWND, const wchar_t*)>("OpenThemeData", window, classes);
    }
    void close(HANDLE theme) const { call<HRESULT(WINAPI*)(HANDLE)>("CloseThemeData", theme); }
    void drawBackground(HANDLE theme, HDC dc, int part, int state, const RECT& rect) const {
        call<HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*)>(
            "DrawThemeBackground", theme, dc, part, state, &rect, nullptr);
    }

private:
    HMODULE module_;
};

const VisualStyles gVisualStyles;

void drawText(HDC dc, const char* text, RECT rect, COLORREF colour) {
    SetTextColor(dc, colour);
    DrawTextA(dc, text, -1, &rect, DT_SINGLELINE | DT_VCENTER);
}

}  // namespace

CThemedTab::~CThemedTab() { detach(); }

void CThemedTab::attach(HWND sheet) {
    detach();
    tabs_ = PropSheet_GetTabControl(sheet);
    if (!tabs_) return;
    SetPropA(tabs_, kTabProperty, this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(tabs_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
    SetWindowLongA(tabs_, GWL_STYLE, GetWindowLongA(tabs_, GWL_STYLE) | TCS_OWNERDRAWFIXED);
    InvalidateRect(tabs_, nullptr, TRUE);
}

void CThemedTab::detach() {
    if (!tabs_) return;
    if (IsWindow(tabs_)) {
        SetWindowLongPtrA(tabs_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        RemovePropA(tabs_, kTabProperty);
    }
    tabs_ = nullptr;
    original_ = nullptr;
}

int CThemedTab::count() const {
    return tabs_ ? static_cast<int>(callOriginal(TCM_GETITEMCOUNT, 0, 0)) : 0;
}

int CThemedTab::current() const {
    return tabs_ ? static_cast<int>(callOriginal(TCM_GETCURSEL, 0, 0)) : -1;
}

LRESULT CThemedTab::callOriginal(UINT message, WPARAM wParam, LPARAM lParam) const {
    return CallWindowProcA(original_, tabs_, message, wParam, lParam);
}

bool CThemedTab::enableTab(int index, bool enabled) {
    const TabRules::Change change = rules_.enable(index, enabled, count(), current());
    if (change.select >= 0) selectTab(change.select);
    if (change.changed) {
        RECT rect;
        if (callOriginal(TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect))) {
            InvalidateRect(tabs_, &rect, TRUE);
        }
    }
    return change.done;
}

void CThemedTab::enableAll() {
    rules_.clear();
    if (tabs_) InvalidateRect(tabs_, nullptr, TRUE);
}

bool CThemedTab::selectTab(int index) {
    if (index < 0 || index >= count() || !mayLeavePage()) return false;
    SendMessageA(tabs_, TCM_SETCURSEL, index, 0);
    NMHDR header{tabs_, static_cast<UINT_PTR>(GetDlgCtrlID(tabs_)),
                 static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(GetParent(tabs_), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    return true;
}

bool CThemedTab::mayLeavePage() const {
    const HWND sheet = GetParent(tabs_);
    if (reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0)) != tabs_) return true;
    const HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    if (!page) return true;
    NMHDR header{sheet, static_cast<UINT_PTR>(GetDlgCtrlID(sheet)),
                 static_cast<UINT>(PSN_KILLACTIVE)};
    return SendMessageA(page, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header)) == 0;
}

bool CThemedTab::isDisabledAt(LPARAM point) const {
    TCHITTESTINFO hit{};
    hit.pt = {static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    const int index =
        static_cast<int>(callOriginal(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return !isTabEnabled(index);
}

LRESULT CALLBACK CThemedTab::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<CThemedTab*>(GetPropA(window, kTabProperty));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        const WNDPROC original = self->original_;
        self->detach();
        return CallWindowProcA(original, window, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

LRESULT CThemedTab::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case TCM_SETCURSEL: {
            const int target = rules_.redirect(current(), static_cast<int>(wParam), count());
            return target < 0 ? -1 : callOriginal(TCM_SETCURSEL, target, 0);
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (isDisabledAt(lParam)) return 0;
            break;
        case WM_KEYDOWN: {
            const int last = count() - 1;
            const int at = current();
            if (wParam == VK_LEFT || wParam == VK_UP) {
                selectTab(at <= 0 ? last : at - 1);
                return 0;
            }
            if (wParam == VK_RIGHT || wParam == VK_DOWN) {
                selectTab(at >= last ? 0 : at + 1);
                return 0;
            }
            break;
        }
    }
    return callOriginal(message, wParam, lParam);
}

void CThemedTab::drawItem(const DRAWITEMSTRUCT& item) const {
    const int index = static_cast<int>(item.itemID);
    char text[kMaxTabText + 1] = {};
    TCITEMA tab{};
    tab.mask = TCIF_TEXT | TCIF_IMAGE;
    tab.pszText = text;
    tab.cchTextMax = sizeof text;
    callOriginal(TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&tab));
    const bool enabled = isTabEnabled(index);
    const bool selected = index == current();
    const HDC dc = item.hDC;

    if (gVisualStyles.isAppThemed()) {
        const HANDLE theme = gVisualStyles.open(tabs_, L"TAB");
        gVisualStyles.drawBackground(theme, dc, kTabItemPart,
                                     enabled ? kTabItemNormal : kTabItemDisabled, item.rcItem);
        gVisualStyles.close(theme);
    } else {
        FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    }

    RECT content = item.rcItem;
    if (selected) {
        content.left += kSelectedInset;
    } else {
        content.left += kInset;
        content.top += kDrop;
    }
    SetBkMode(dc, TRANSPARENT);

    const HIMAGELIST images = reinterpret_cast<HIMAGELIST>(callOriginal(TCM_GETIMAGELIST, 0, 0));
    if (images && tab.iImage >= 0) {
        const int top = content.top + (selected ? kSelectedImageDrop : 0);
        const HICON icon = ImageList_GetIcon(images, tab.iImage, ILD_NORMAL);
        DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, content.left, top, 0, 0,
                   DST_ICON | (enabled ? DSS_NORMAL : DSS_DISABLED));
        DestroyIcon(icon);
        int width = 0, height = 0;
        ImageList_GetIconSize(images, &width, &height);
        content.left += width + kImageGap;
    }

    const COLORREF before = GetTextColor(dc);
    if (enabled) {
        drawText(dc, text, content, GetSysColor(COLOR_BTNTEXT));
    } else {
        RECT embossed = content;
        OffsetRect(&embossed, 1, 1);
        drawText(dc, text, embossed, GetSysColor(COLOR_BTNHIGHLIGHT));
        drawText(dc, text, content, GetSysColor(COLOR_GRAYTEXT));
    }
    SetTextColor(dc, before);
}
