#include "framework/win32/Win32Host.h"

#include <commctrl.h>
#include <dbt.h>
#include <prsht.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/Sheet.h"
#include "framework/win32/Win32Surface.h"

namespace fw {
namespace {

static_assert(msg::DeviceChange == WM_DEVICECHANGE && dbt::NodesChanged == DBT_DEVNODES_CHANGED &&
              dbt::Arrival == DBT_DEVICEARRIVAL && dbt::RemoveComplete == DBT_DEVICEREMOVECOMPLETE);

using Role = Win32Surface::Role;

// The back end of a real property sheet: its PSM_ messages.
class Win32SheetWindow final : public SheetWindow {
public:
    Win32SheetWindow(Sheet& sheet, HWND window, HINSTANCE module)
        : sheet_(sheet), window_(window), module_(module) {}
    void addPage(Page& page) override;
    void removePage(int index) override { PropSheet_RemovePage(window_, index, nullptr); }
    bool select(int index) override { return PropSheet_SetCurSel(window_, nullptr, index) != 0; }
    int activeIndex() const override {
        return PropSheet_HwndToIndex(window_, PropSheet_GetCurrentPageHwnd(window_));
    }
    void pressButton(SheetButton button) override {
        SendMessageA(window_, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
    }
    void setWizardButtons(unsigned buttons) override {
        SendMessageA(window_, PSM_SETWIZBUTTONS, 0, buttons);
    }

private:
    Sheet& sheet_;
    HWND window_;
    HINSTANCE module_;
};

// What one of our windows keeps, as a window property: its dialog, the surface over it,
// for a sheet the sheet's back end and the window procedure it had before ours, and the
// filter in front of its message map.
struct Binding {
    Binding(Dialog& dialog, HWND window, Win32Host& host, Role role)
        : dialog(dialog), surface(window, host.module(), role), host(host) {}
    Dialog& dialog;
    Win32Surface surface;
    Win32Host& host;
    std::unique_ptr<Win32SheetWindow> sheetWindow;
    WNDPROC sheetProc = nullptr;
    WindowFilter* filter = nullptr;
};

const char kBindingProperty[] = "fw.binding";

Binding* bindingOf(HWND window) {
    return static_cast<Binding*>(GetPropA(window, kBindingProperty));
}

Binding& bind(HWND window, Dialog& dialog, Win32Host& host, Role role) {
    auto* binding = new Binding(dialog, window, host, role);
    SetPropA(window, kBindingProperty, binding);
    dialog.attach(binding->surface, host);
    return *binding;
}

void unbind(HWND window) {
    Binding* binding = bindingOf(window);
    if (!binding) return;
    RemovePropA(window, kBindingProperty);
    if (binding->sheetWindow) static_cast<Sheet&>(binding->dialog).detachWindow();
    binding->dialog.detach();
    delete binding;
}

// No exception may unwind into the system's code that called a window procedure.
void report(const char* where) {
    std::string text = std::string("Tovix: exception in ") + where;
    try {
        throw;
    } catch (const std::exception& e) {
        text += std::string(": ") + e.what();
    } catch (...) {
    }
    OutputDebugStringA((text + "\n").c_str());
}

bool isListView(HWND control) {
    char name[32] = {};
    GetClassNameA(control, name, sizeof name);
    return lstrcmpiA(name, WC_LISTVIEWA) == 0;
}

// Windows 9x keeps a key for each device node under HKEY_DYN_DATA, with its hardware key.
constexpr const char* kDeviceNodeKey = "Config Manager\\Enum";
constexpr DWORD kHardwareKeySize = 200;

std::string hardwareKeyOf(DWORD deviceNode) {
    char keyName[64];
    std::snprintf(keyName, sizeof keyName, "%s\\%X", kDeviceNodeKey,
                  static_cast<unsigned>(deviceNode));
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_DYN_DATA, keyName, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
    char hardwareKey[kHardwareKeySize + 1] = {};
    DWORD size = kHardwareKeySize;
    const LONG read = RegQueryValueExA(key, "HardWareKey", nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(hardwareKey), &size);
    RegCloseKey(key);
    return read == ERROR_SUCCESS ? hardwareKey : "";  // the buffer keeps a zero after the value
}

// What a device broadcast names: a device interface by its name, a device node by the
// hardware key Windows 9x keeps for it.
void readDevice(Message& m, const DEV_BROADCAST_HDR* header) {
    if (!header) return;
    if (header->dbch_devicetype == DBT_DEVTYP_DEVNODE) {
        m.deviceKind = DeviceKind::Node;
        m.device =
            hardwareKeyOf(reinterpret_cast<const DEV_BROADCAST_DEVNODE*>(header)->dbcd_devnode);
        return;
    }
    // The name runs to its zero, but never past the size the broadcast gives itself.
    const size_t nameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name);
    if (header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE || header->dbch_size <= nameOffset) {
        return;
    }
    const char* name = reinterpret_cast<const char*>(header) + nameOffset;
    m.deviceKind = DeviceKind::Interface;
    m.device.assign(name, strnlen(name, header->dbch_size - nameOffset));
}

Message translate(UINT message, WPARAM wParam, LPARAM lParam) {
    Message m;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    switch (message) {
        case WM_COMMAND:
            m.code = HIWORD(wParam);
            m.id = LOWORD(wParam);
            break;
        case WM_TIMER:
            m.id = static_cast<int>(wParam);
            break;
        case WM_DEVICECHANGE:
            m.code = static_cast<int>(wParam);
            // Only the arrival and removal broadcasts carry a device.
            if (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE)
                readDevice(m, reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam));
            break;
        case WM_NOTIFY: {
            const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
            m.code = static_cast<int>(header.code);
            m.id = static_cast<int>(header.idFrom);
            const bool itemNotification =
                m.code == code::ItemChanging || m.code == code::ItemChanged ||
                m.code == code::InsertItem || m.code == code::DeleteItem ||
                m.code == code::DeleteAllItems || m.code == code::Click ||
                m.code == code::DoubleClick || m.code == code::RightClick;
            // The list view's click notifications (NMITEMACTIVATE) begin like NMLISTVIEW.
            if (itemNotification && isListView(header.hwndFrom)) {
                const NMLISTVIEW& item = *reinterpret_cast<const NMLISTVIEW*>(lParam);
                m.row = item.iItem;
                m.column = item.iSubItem;
                m.oldState = item.uOldState;
                m.newState = item.uNewState;
                m.changed = item.uChanged;
                m.x = item.ptAction.x;
                m.y = item.ptAction.y;
            } else if (m.code == code::KeyDown && isListView(header.hwndFrom)) {
                m.key = reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey;
            }
            break;
        }
    }
    return m;
}

// A list view asks for what it shows by LVN_GETDISPINFO: an owner-data list for every
// row, which its row source answers; any other only for a cell never set. An owner-data
// list asks by LVN_ODFINDITEM for the row that a typed prefix names. None of these
// reaches the message map; the answer is the notification's result.
std::optional<LRESULT> internalAnswer(UINT message, LPARAM lParam) {
    if (message != WM_NOTIFY) return std::nullopt;
    switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
        case LVN_GETDISPINFOA:
            Win32Surface::answerRowRequest(lParam);
            return 0;
        case LVN_GETDISPINFOW:
            return 0;
        case LVN_ODFINDITEMA:
            return Win32Surface::answerFindRequest(lParam, false);
        case LVN_ODFINDITEMW:
            return Win32Surface::answerFindRequest(lParam, true);
        default:
            return std::nullopt;
    }
}

// Busy mode: the wait cursor over the window and every control in it, as the system
// asks the parent first.
bool setsWaitCursor(HWND window, UINT message) {
    if (message != WM_SETCURSOR || !Win32Surface::showsWaitCursor(window)) return false;
    SetCursor(LoadCursor(nullptr, IDC_WAIT));
    return true;
}

// The window's filter answered the message.
bool filtered(Binding& binding, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return binding.filter && binding.filter->filter(message, wParam, lParam, result);
}

// A dialog procedure answers most messages through DWLP_MSGRESULT and returns TRUE; these
// few it answers with its return value itself.
bool answeredByReturn(UINT message) {
    switch (message) {
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
        case WM_INITDIALOG:
            return true;
        default:
            return false;
    }
}

// Hands a message to the window's filter and then to the dialog's message map; the
// dialog procedure's result.
INT_PTR deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Binding* binding = bindingOf(window);
    if (!binding) return FALSE;
    if (const auto answer = internalAnswer(message, lParam)) {
        SetWindowLongPtrA(window, DWLP_MSGRESULT, *answer);
        return TRUE;
    }
    if (message == WM_NCDESTROY) {
        unbind(window);
        return FALSE;
    }
    LRESULT result = TRUE;
    if (!setsWaitCursor(window, message) && !filtered(*binding, message, wParam, lParam, result)) {
        const Message m = translate(message, wParam, lParam);
        if (!binding->dialog.deliver(m)) return FALSE;
        result = m.result;
    }
    if (answeredByReturn(message)) return result;
    SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
    return TRUE;
}

struct DialogStart {
    Dialog& dialog;
    Win32Host& host;
    Role role;
};

INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_INITDIALOG) {
            const DialogStart& start = *reinterpret_cast<const DialogStart*>(lParam);
            return bind(window, start.dialog, start.host, start.role).dialog.onInit();
        }
        return deliver(window, message, wParam, lParam);
    } catch (...) {
        report("a dialog procedure");
        return FALSE;
    }
}

// The sheet being created on this thread, until its window is bound.
struct SheetStart {
    Sheet& sheet;
    Win32Host& host;
    Role role;
    bool child;
};
thread_local SheetStart* gSheetStart = nullptr;

LRESULT CALLBACK sheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The binding of a sheet's window, made the first time the window is seen: when its
// first page is created or when the sheet reports that it is initialised.
Binding* bindSheet(HWND window) {
    if (Binding* binding = bindingOf(window)) return binding;
    if (!gSheetStart) return nullptr;
    SheetStart& start = *gSheetStart;
    Binding& binding = bind(window, start.sheet, start.host, start.role);
    binding.sheetWindow =
        std::make_unique<Win32SheetWindow>(start.sheet, window, start.host.module());
    start.sheet.attachWindow(*binding.sheetWindow);
    binding.sheetProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(sheetProc)));
    return &binding;
}

LRESULT CALLBACK sheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Binding* binding = bindingOf(window);
    const WNDPROC original = binding->sheetProc;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        unbind(window);
        return CallWindowProcA(original, window, message, wParam, lParam);
    }
    const bool modeless = binding->surface.role() == Role::ModelessWindow;
    if (setsWaitCursor(window, message)) return TRUE;
    try {
        LRESULT result = 0;
        if (filtered(*binding, message, wParam, lParam, result)) return result;
        if (const auto answer = internalAnswer(message, lParam)) return *answer;
        const Message m = translate(message, wParam, lParam);
        if (binding->dialog.deliver(m)) return m.result;
    } catch (...) {
        report("a property sheet's window procedure");
        return 0;
    }
    const LRESULT result = CallWindowProcA(original, window, message, wParam, lParam);
    // A modeless sheet that OK or Cancel ended has no current page: it closes its window.
    if (modeless && (message == WM_COMMAND || message == PSM_PRESSBUTTON) && IsWindow(window) &&
        !PropSheet_GetCurrentPageHwnd(window)) {
        DestroyWindow(window);
    }
    return result;
}

// Pages: the sheet's notifications go to the page's hooks.
bool sheetNotification(Page& page, UINT code, LRESULT& result) {
    switch (code) {
        case PSN_SETACTIVE:
            page.onSetActive();
            result = 0;
            return true;
        case PSN_KILLACTIVE:
            result = page.onKillActive() ? FALSE : TRUE;
            return true;
        case PSN_APPLY:
            result = page.onApply() ? PSNRET_NOERROR : PSNRET_INVALID;
            return true;
        case PSN_QUERYCANCEL:
            result = page.onQueryCancel() ? FALSE : TRUE;
            return true;
        case PSN_RESET:
            page.onReset();
            result = 0;
            return true;
        case PSN_WIZBACK:
            result = page.onWizardBack() ? 0 : -1;
            return true;
        case PSN_WIZNEXT:
            result = page.onWizardNext() ? 0 : -1;
            return true;
        case PSN_WIZFINISH:
            result = page.onWizardFinish() ? FALSE : TRUE;
            return true;
        default:
            return false;
    }
}

// The sheet shows `page` and has hidden the one it showed. A focus left on a control of a
// hidden page goes to the first control of the page shown, or to the tabs when it has
// none: keys never work on controls nobody sees. A focus elsewhere stays.
void takeFocusFromHiddenPage(HWND page) {
    const HWND sheet = GetParent(page);
    HWND holder = GetFocus();
    while (holder && GetAncestor(holder, GA_PARENT) != sheet)
        holder = GetAncestor(holder, GA_PARENT);
    if (!holder || holder == page || PropSheet_HwndToIndex(sheet, holder) < 0) return;
    HWND first = GetNextDlgTabItem(page, nullptr, FALSE);
    if (!first || !IsChild(page, first)) first = PropSheet_GetTabControl(sheet);
    SetFocus(first);
}

INT_PTR CALLBACK pageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_WINDOWPOSCHANGED &&
            (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW)) {
            takeFocusFromHiddenPage(window);
        }
        if (message == WM_INITDIALOG) {
            const auto& sheetPage = *reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
            Page& page = *reinterpret_cast<Page*>(sheetPage.lParam);
            Binding* sheet = bindSheet(GetParent(window));
            if (!sheet) return TRUE;
            return bind(window, page, sheet->host, Role::Page).dialog.onInit();
        }
        if (message == WM_NOTIFY) {
            const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
            Binding* binding = bindingOf(window);
            LRESULT result = 0;
            if (binding && header.hwndFrom == GetParent(window) &&
                sheetNotification(static_cast<Page&>(binding->dialog), header.code, result)) {
                // A wizard going between a page with a header and one beside the
                // watermark leaves the other's header band on the screen under Wine:
                // the whole sheet is drawn again once the page is shown.
                if (header.code == PSN_SETACTIVE) InvalidateRect(header.hwndFrom, nullptr, TRUE);
                SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
                return TRUE;
            }
        }
        return deliver(window, message, wParam, lParam);
    } catch (...) {
        report("a property page's procedure");
        return FALSE;
    }
}

HPROPSHEETPAGE createPage(const Sheet& sheet, Page& page, HINSTANCE module) {
    // A wizard's title bar shows the title of its page: each page of a wizard carries the
    // wizard's caption, and says what it asks in the header.
    const std::string& title = sheet.mode() == Sheet::Mode::Wizard ? sheet.caption() : page.title();
    PROPSHEETPAGEA sheetPage = {};
    sheetPage.dwSize = sizeof sheetPage;
    // In a wizard a page without a header title is an exterior page, beside the
    // watermark; other sheets draw no header at all.
    sheetPage.dwFlags = (title.empty() ? 0 : PSP_USETITLE) |
                        (page.headerTitle().empty() ? PSP_HIDEHEADER : PSP_USEHEADERTITLE);
    sheetPage.hInstance = module;
    sheetPage.pszTemplate = MAKEINTRESOURCEA(page.templateId());
    sheetPage.pfnDlgProc = pageProc;
    sheetPage.pszTitle = title.c_str();
    sheetPage.pszHeaderTitle = page.headerTitle().c_str();
    sheetPage.lParam = reinterpret_cast<LPARAM>(&page);
    return CreatePropertySheetPageA(&sheetPage);
}

void Win32SheetWindow::addPage(Page& page) {
    PropSheet_AddPage(window_, createPage(sheet_, page, module_));
}

// Turns the sheet's own dialog template into that of a child window.
void makeChild(DLGTEMPLATE* sheetTemplate) {
    const bool extended = reinterpret_cast<const WORD*>(sheetTemplate)[1] == 0xFFFF;
    // DLGTEMPLATEEX: version, signature, help id, extended style, style.
    DWORD* exStyle =
        extended ? reinterpret_cast<DWORD*>(sheetTemplate) + 2 : &sheetTemplate->dwExtendedStyle;
    DWORD* style = extended ? reinterpret_cast<DWORD*>(sheetTemplate) + 3 : &sheetTemplate->style;
    *style = (*style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME)) |
             WS_CHILD | WS_TABSTOP | DS_CONTROL;
    *exStyle = (*exStyle & ~WS_EX_DLGMODALFRAME) | WS_EX_CONTROLPARENT;
}

int CALLBACK sheetCallback(HWND window, UINT message, LPARAM lParam) {
    try {
        if (message == PSCB_PRECREATE && gSheetStart && gSheetStart->child) {
            makeChild(reinterpret_cast<DLGTEMPLATE*>(lParam));
        } else if (message == PSCB_INITIALIZED) {
            if (Binding* binding = bindSheet(window)) binding->dialog.onInit();
        }
    } catch (...) {
        report("a property sheet's callback");
    }
    return 0;
}

}  // namespace

HWND Win32Host::windowOf(const Dialog& dialog) {
    const auto* surface = dynamic_cast<const Win32Surface*>(&dialog.ui());
    return surface ? surface->window() : nullptr;
}

Dialog* Win32Host::dialogOf(HWND window) {
    Binding* binding = bindingOf(window);
    return binding ? &binding->dialog : nullptr;
}

void Win32Host::setFilter(const Dialog& dialog, WindowFilter* filter) {
    if (Binding* binding = bindingOf(windowOf(dialog))) binding->filter = filter;
}

int Win32Host::runModal(Dialog& dialog, Dialog* owner) {
    DialogStart start{dialog, *this, Role::ModalDialog};
    return static_cast<int>(DialogBoxParamA(module_, MAKEINTRESOURCEA(dialog.templateId()),
                                            owner ? windowOf(*owner) : nullptr, dialogProc,
                                            reinterpret_cast<LPARAM>(&start)));
}

void Win32Host::createModeless(Dialog& dialog, Dialog* owner) {
    DialogStart start{dialog, *this, Role::ModelessWindow};
    CreateDialogParamA(module_, MAKEINTRESOURCEA(dialog.templateId()),
                       owner ? windowOf(*owner) : nullptr, dialogProc,
                       reinterpret_cast<LPARAM>(&start));
}

int Win32Host::runSheet(Sheet& sheet, Dialog* owner) {
    const INT_PTR result = openSheet(sheet, owner ? windowOf(*owner) : nullptr, SheetStyle::Modal);
    return result > 0 ? id::Ok : id::Cancel;
}

void Win32Host::createSheet(Sheet& sheet, Dialog* owner) {
    openSheet(sheet, owner ? windowOf(*owner) : nullptr, SheetStyle::Modeless);
}

void Win32Host::embedSheet(Sheet& sheet, Dialog& parent, const Frame& frame) {
    HWND parentWindow = windowOf(parent);
    openSheet(sheet, parentWindow, SheetStyle::Child);
    HWND sheetWindow = windowOf(sheet);
    HWND frameWindow = GetDlgItem(parentWindow, frame.id);
    if (!sheetWindow || !frameWindow) return;
    RECT area;
    GetWindowRect(frameWindow, &area);
    MapWindowPoints(nullptr, parentWindow, reinterpret_cast<POINT*>(&area), 2);
    SetWindowPos(sheetWindow, nullptr, area.left + frame.left, area.top + frame.top,
                 (area.right - frame.right) - (area.left + frame.left),
                 (area.bottom - frame.bottom) - (area.top + frame.top),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // An embedded sheet is an editor without buttons of its own. Its tab strip, sized for
    // a sheet with buttons, fills the frame instead, with the margin it has on the left
    // all round.
    for (int button : {IDOK, IDCANCEL, IDHELP})
        ShowWindow(GetDlgItem(sheetWindow, button), SW_HIDE);
    HWND tabs = PropSheet_GetTabControl(sheetWindow);
    RECT inside, tabArea;
    GetClientRect(sheetWindow, &inside);
    GetWindowRect(tabs, &tabArea);
    MapWindowPoints(nullptr, sheetWindow, reinterpret_cast<POINT*>(&tabArea), 2);
    const int margin = tabArea.left;
    SetWindowPos(tabs, nullptr, margin, tabArea.top, inside.right - 2 * margin,
                 inside.bottom - tabArea.top - margin, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(sheetWindow, SW_SHOW);
}

Win32Host::~Win32Host() {
    for (const auto& loaded : bitmaps_) DeleteObject(loaded.second);
}

HBITMAP Win32Host::bitmap(int id) {
    if (id == 0) return nullptr;
    HBITMAP& loaded = bitmaps_[id];
    if (!loaded) loaded = LoadBitmapA(module_, MAKEINTRESOURCEA(id));
    return loaded;
}

INT_PTR Win32Host::openSheet(Sheet& sheet, HWND parent, SheetStyle style) {
    std::vector<HPROPSHEETPAGE> pages;
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_USECALLBACK | PSH_NOAPPLYNOW;
    if (style != SheetStyle::Modal) header.dwFlags |= PSH_MODELESS;
    if (sheet.mode() == Sheet::Mode::Wizard) {
        header.dwFlags |= PSH_WIZARD97;
        // Handed over loaded: the sheet draws nothing for images it has to load itself
        // from a module under Wine.
        if (HBITMAP watermark = bitmap(sheet.watermark())) {
            header.dwFlags |= PSH_WATERMARK | PSH_USEHBMWATERMARK;
            header.hbmWatermark = watermark;
        }
        if (HBITMAP image = bitmap(sheet.header())) {
            header.dwFlags |= PSH_HEADER | PSH_USEHBMHEADER;
            header.hbmHeader = image;
        }
    }
    header.hwndParent = parent;
    header.hInstance = module_;
    header.pszCaption = sheet.caption().c_str();
    header.pfnCallback = sheetCallback;
    for (int index = 0; index < sheet.pageCount(); ++index) {
        pages.push_back(createPage(sheet, sheet.page(index), module_));
    }
    header.nPages = static_cast<UINT>(pages.size());
    header.phpage = pages.data();
    SheetStart start{sheet, *this,
                     style == SheetStyle::Modal ? Role::ModalSheet : Role::ModelessWindow,
                     style == SheetStyle::Child};
    SheetStart* previous = std::exchange(gSheetStart, &start);
    const INT_PTR result = PropertySheetA(&header);
    gSheetStart = previous;
    return result;
}

}  // namespace fw
