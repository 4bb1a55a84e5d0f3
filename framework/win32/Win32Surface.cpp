#include "framework/win32/Win32Surface.h"

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <cstring>

#include "framework/Messages.h"

namespace fw {

// The portable names carry the Windows values.
static_assert(msg::Notify == WM_NOTIFY && msg::InitDialog == WM_INITDIALOG &&
              msg::Command == WM_COMMAND && msg::Timer == WM_TIMER && msg::Private == WM_APP);
static_assert(code::Clicked == BN_CLICKED && code::ButtonSetFocus == BN_SETFOCUS &&
              code::ButtonKillFocus == BN_KILLFOCUS);
static_assert(code::EditSetFocus == EN_SETFOCUS && code::EditKillFocus == EN_KILLFOCUS &&
              code::EditChange == EN_CHANGE && code::EditUpdate == EN_UPDATE &&
              code::EditMaxText == EN_MAXTEXT);
static_assert(code::ComboSelChange == CBN_SELCHANGE && code::ComboSetFocus == CBN_SETFOCUS &&
              code::ComboKillFocus == CBN_KILLFOCUS && code::ComboSelEndCancel == CBN_SELENDCANCEL);
static_assert(code::ListBoxSelChange == LBN_SELCHANGE && code::ListBoxDoubleClick == LBN_DBLCLK &&
              code::ListBoxSetFocus == LBN_SETFOCUS && code::ListBoxKillFocus == LBN_KILLFOCUS);
static_assert(code::Click == int(NM_CLICK) && code::DoubleClick == int(NM_DBLCLK) &&
              code::RightClick == int(NM_RCLICK) && code::SetFocus == int(NM_SETFOCUS) &&
              code::KillFocus == int(NM_KILLFOCUS) && code::CustomDraw == int(NM_CUSTOMDRAW) &&
              code::ReleasedCapture == int(NM_RELEASEDCAPTURE));
static_assert(code::ItemChanging == int(LVN_ITEMCHANGING) &&
              code::ItemChanged == int(LVN_ITEMCHANGED) &&
              code::InsertItem == int(LVN_INSERTITEM) && code::DeleteItem == int(LVN_DELETEITEM) &&
              code::DeleteAllItems == int(LVN_DELETEALLITEMS) &&
              code::ItemActivate == int(LVN_ITEMACTIVATE) && code::KeyDown == int(LVN_KEYDOWN));
static_assert(vk::Space == VK_SPACE);
static_assert(lvif::Text == LVIF_TEXT && lvif::Image == LVIF_IMAGE && lvif::State == LVIF_STATE);
static_assert(id::Ok == IDOK && id::Cancel == IDCANCEL && id::Retry == IDRETRY &&
              id::Yes == IDYES && id::No == IDNO);
static_assert(mb::Ok == MB_OK && mb::OkCancel == MB_OKCANCEL && mb::YesNo == MB_YESNO &&
              mb::RetryCancel == MB_RETRYCANCEL && mb::IconStop == MB_ICONHAND &&
              mb::IconQuestion == MB_ICONQUESTION && mb::IconExclamation == MB_ICONEXCLAMATION &&
              mb::IconInformation == MB_ICONASTERISK);
static_assert(row::Focused == LVIS_FOCUSED && row::Selected == LVIS_SELECTED &&
              row::StateImageMask == LVIS_STATEIMAGEMASK &&
              row::Unchecked == INDEXTOSTATEIMAGEMASK(1) &&
              row::Checked == INDEXTOSTATEIMAGEMASK(2));
static_assert(lvs::GridLines == LVS_EX_GRIDLINES && lvs::CheckBoxes == LVS_EX_CHECKBOXES &&
              lvs::FullRowSelect == LVS_EX_FULLROWSELECT && lvs::LabelTip == LVS_EX_LABELTIP);
static_assert(ILC_COLOR4 == 4 && ILC_COLOR8 == 8 && ILC_COLOR16 == 16 && ILC_COLOR24 == 24 &&
              ILC_COLOR32 == 32);
static_assert(wiz::Back == PSWIZB_BACK && wiz::Next == PSWIZB_NEXT && wiz::Finish == PSWIZB_FINISH);
static_assert(int(SheetButton::Back) == PSBTN_BACK && int(SheetButton::Next) == PSBTN_NEXT &&
              int(SheetButton::Finish) == PSBTN_FINISH && int(SheetButton::Ok) == PSBTN_OK &&
              int(SheetButton::Cancel) == PSBTN_CANCEL);

namespace {

// The number of our surfaces in busy mode inside a top-level window, kept on it.
const char kBusyProperty[] = "fw.busy";

std::string windowText(HWND window) {
    std::string text(GetWindowTextLengthA(window) + 1, '\0');
    text.resize(GetWindowTextA(window, &text[0], static_cast<int>(text.size())));
    return text;
}

// The classes whose requests differ from those of their look-alikes.
enum class Class { Other, ComboBox, ListBox, UpDown };

Class classOf(HWND control) {
    if (!control) return Class::Other;
    char name[32] = {};
    GetClassNameA(control, name, sizeof name);
    struct Known {
        const char* name;
        Class kind;
    };
    static const Known kKnown[] = {
        {"ComboBox", Class::ComboBox},
        {"ListBox", Class::ListBox},
        {UPDOWN_CLASSA, Class::UpDown},
    };
    for (const Known& known : kKnown) {
        if (lstrcmpiA(name, known.name) == 0) return known.kind;
    }
    return Class::Other;
}

// Combo boxes and list boxes take the same requests under different names.
struct ItemMessages {
    UINT add, reset, count, textLength, text, setData, getData, setSelection, getSelection;
};
constexpr ItemMessages kComboMessages = {CB_ADDSTRING,    CB_RESETCONTENT, CB_GETCOUNT,
                                         CB_GETLBTEXTLEN, CB_GETLBTEXT,    CB_SETITEMDATA,
                                         CB_GETITEMDATA,  CB_SETCURSEL,    CB_GETCURSEL};
constexpr ItemMessages kListBoxMessages = {LB_ADDSTRING,   LB_RESETCONTENT, LB_GETCOUNT,
                                           LB_GETTEXTLEN,  LB_GETTEXT,      LB_SETITEMDATA,
                                           LB_GETITEMDATA, LB_SETCURSEL,    LB_GETCURSEL};

const ItemMessages& itemMessages(HWND control) {
    return classOf(control) == Class::ListBox ? kListBoxMessages : kComboMessages;
}

}  // namespace

HWND Win32Surface::control(int id) const {
    HWND control = GetDlgItem(window_, id);
    if (!control) missing_.insert(id);
    return control;
}

LRESULT Win32Surface::send(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    HWND target = control(id);
    return target ? SendMessageA(target, message, wParam, lParam) : 0;
}

void Win32Surface::setText(int id, const std::string& text) {
    if (HWND target = control(id)) SetWindowTextA(target, text.c_str());
}

std::string Win32Surface::text(int id) const {
    HWND target = control(id);
    return target ? windowText(target) : std::string();
}

void Win32Surface::enable(int id, bool enabled) {
    if (HWND target = control(id)) EnableWindow(target, enabled);
}

bool Win32Surface::isEnabled(int id) const {
    HWND target = control(id);
    return target && IsWindowEnabled(target);
}

void Win32Surface::show(int id, bool visible) {
    if (HWND target = control(id)) ShowWindow(target, visible ? SW_SHOW : SW_HIDE);
}

bool Win32Surface::isVisible(int id) const {
    HWND target = control(id);
    return target && (GetWindowLongA(target, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Surface::setFocus(int id) {
    if (HWND target = control(id)) SetFocus(target);
}

void Win32Surface::setTitle(const std::string& title) { SetWindowTextA(window_, title.c_str()); }

std::string Win32Surface::title() const { return windowText(window_); }

int Win32Surface::focus() const {
    // The focus may sit in a child of a control (the edit of a combo box).
    for (HWND focused = GetFocus(); focused; focused = GetParent(focused)) {
        if (GetParent(focused) == window_) return GetDlgCtrlID(focused);
    }
    return 0;
}

void Win32Surface::limitText(int id, int maxChars) {
    HWND target = control(id);
    const UINT message = classOf(target) == Class::ComboBox ? CB_LIMITTEXT : EM_LIMITTEXT;
    if (target) SendMessageA(target, message, maxChars, 0);
}

void Win32Surface::setCaret(int id, int position) { send(id, EM_SETSEL, position, position); }

int Win32Surface::caret(int id) const {
    DWORD end = 0;
    send(id, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end);
}

void Win32Surface::setCheck(int id, bool checked) {
    send(id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool Win32Surface::isChecked(int id) const { return send(id, BM_GETCHECK) == BST_CHECKED; }

int Win32Surface::addItem(int id, const std::string& text, intptr_t data) {
    HWND target = control(id);
    if (!target) return -1;
    const ItemMessages& m = itemMessages(target);
    const LRESULT index = SendMessageA(target, m.add, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0) SendMessageA(target, m.setData, index, data);
    return static_cast<int>(index);
}

void Win32Surface::clearItems(int id) {
    if (HWND target = control(id)) SendMessageA(target, itemMessages(target).reset, 0, 0);
}

int Win32Surface::itemCount(int id) const {
    HWND target = control(id);
    return target ? static_cast<int>(SendMessageA(target, itemMessages(target).count, 0, 0)) : 0;
}

std::string Win32Surface::itemText(int id, int index) const {
    HWND target = control(id);
    if (!target) return {};
    const ItemMessages& m = itemMessages(target);
    const LRESULT length = SendMessageA(target, m.textLength, index, 0);
    if (length < 0) return {};
    std::string text(length + 1, '\0');
    SendMessageA(target, m.text, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(length);
    return text;
}

intptr_t Win32Surface::itemData(int id, int index) const {
    HWND target = control(id);
    return target ? SendMessageA(target, itemMessages(target).getData, index, 0) : 0;
}

void Win32Surface::select(int id, int index) {
    if (HWND target = control(id))
        SendMessageA(target, itemMessages(target).setSelection, index, 0);
}

int Win32Surface::selection(int id) const {
    HWND target = control(id);
    return target ? static_cast<int>(SendMessageA(target, itemMessages(target).getSelection, 0, 0))
                  : -1;
}

void Win32Surface::setListStyle(int id, unsigned extendedStyle) {
    const DWORD known =
        LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP;
    send(id, LVM_SETEXTENDEDLISTVIEWSTYLE, known, extendedStyle & known);
}

void Win32Surface::setImages(int id, const std::vector<int>& iconIds, int size, int colourBits) {
    HWND target = control(id);
    if (!target) return;
    // ILC_COLOR4 to ILC_COLOR32 carry the depth in bits.
    HIMAGELIST images = ImageList_Create(size, size, static_cast<UINT>(colourBits) | ILC_MASK,
                                         static_cast<int>(iconIds.size()), 6);
    for (int iconId : iconIds) {
        HICON icon = static_cast<HICON>(
            LoadImageA(module_, MAKEINTRESOURCEA(iconId), IMAGE_ICON, size, size, 0));
        ImageList_AddIcon(images, icon);
        if (icon) DestroyIcon(icon);
    }
    // The list view destroys the image list it holds when it goes; the one it held
    // before is ours to destroy.
    HIMAGELIST previous = reinterpret_cast<HIMAGELIST>(
        SendMessageA(target, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images)));
    if (previous) ImageList_Destroy(previous);
}

void Win32Surface::addColumn(int id, const std::string& heading, int width) {
    HWND target = control(id);
    if (!target) return;
    HWND header = reinterpret_cast<HWND>(SendMessageA(target, LVM_GETHEADER, 0, 0));
    const int index = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(heading.c_str());
    column.cx = width;
    column.iSubItem = index;
    SendMessageA(target, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

int Win32Surface::insertRow(int id, int row, const std::string& text, int image, intptr_t data) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = row;
    item.pszText = const_cast<char*>(text.c_str());
    item.iImage = image;
    item.lParam = data;
    HWND target = control(id);
    return target ? static_cast<int>(
                        SendMessageA(target, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)))
                  : -1;
}

void Win32Surface::deleteRow(int id, int row) { send(id, LVM_DELETEITEM, row); }

void Win32Surface::deleteAllRows(int id) { send(id, LVM_DELETEALLITEMS); }

int Win32Surface::rowCount(int id) const { return static_cast<int>(send(id, LVM_GETITEMCOUNT)); }

void Win32Surface::setCell(int id, int row, int column, const std::string& text) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    send(id, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

std::string Win32Surface::cell(int id, int row, int column) const {
    HWND target = control(id);
    if (!target) return {};
    if (const auto view = ownerRow(id, row)) return column == 0 ? view->text : std::string();
    // The list view reports only how much it copied: grow the buffer until the text fits.
    for (std::string text(64, '\0');; text.resize(text.size() * 2)) {
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = &text[0];
        item.cchTextMax = static_cast<int>(text.size());
        const LRESULT length =
            SendMessageA(target, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        if (length < static_cast<LRESULT>(text.size()) - 1) {
            text.resize(std::strlen(text.c_str()));
            return text;
        }
    }
}

bool Win32Surface::getRow(int id, int row, UINT mask, LVITEMA& item) const {
    item = {};
    item.mask = mask;
    item.iItem = row;
    return send(id, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

void Win32Surface::setRowImage(int id, int row, int image) {
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = image;
    send(id, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int Win32Surface::rowImage(int id, int row) const {
    if (const auto view = ownerRow(id, row)) return view->image;
    LVITEMA item;
    return getRow(id, row, LVIF_IMAGE, item) ? item.iImage : -1;
}

intptr_t Win32Surface::rowData(int id, int row) const {
    if (const auto view = ownerRow(id, row)) return view->data;
    LVITEMA item;
    return getRow(id, row, LVIF_PARAM, item) ? item.lParam : 0;
}

void Win32Surface::setRowState(int id, int row, unsigned state, unsigned mask) {
    LVITEMA item = {};
    item.state = state;
    item.stateMask = mask;
    send(id, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

unsigned Win32Surface::rowState(int id, int row) const {
    const unsigned all = LVIS_FOCUSED | LVIS_SELECTED | LVIS_STATEIMAGEMASK;
    return static_cast<unsigned>(send(id, LVM_GETITEMSTATE, row, all));
}

namespace {

// The property of an owner-data list view that holds its row source.
constexpr char kRowSource[] = "TovixRowSource";

const RowSource* rowSourceOf(HWND list) {
    return static_cast<const RowSource*>(GetPropA(list, kRowSource));
}

}  // namespace

std::optional<RowView> Win32Surface::ownerRow(int id, int row) const {
    HWND target = control(id);
    const RowSource* source = target ? rowSourceOf(target) : nullptr;
    if (!source || row < 0 || row >= rowCount(id)) return std::nullopt;
    return source->rowView(row);
}

void Win32Surface::setRowSource(int id, const RowSource* source) {
    HWND target = control(id);
    if (!target) return;
    if (source) {
        SetPropA(target, kRowSource, const_cast<RowSource*>(source));
    } else {
        RemovePropA(target, kRowSource);
    }
    // The list keeps no check boxes of its own either: it asks for them with the rest.
    SendMessageA(target, LVM_SETCALLBACKMASK, source ? LVIS_STATEIMAGEMASK : 0, 0);
}

void Win32Surface::setRowCount(int id, int rows) {
    send(id, LVM_SETITEMCOUNT, static_cast<WPARAM>(rows < 0 ? 0 : rows), LVSICF_NOSCROLL);
}

void Win32Surface::redrawRows(int id) {
    if (HWND target = control(id)) InvalidateRect(target, nullptr, TRUE);
}

void Win32Surface::answerRowRequest(LPARAM request) {
    NMLVDISPINFOA& info = *reinterpret_cast<NMLVDISPINFOA*>(request);
    const RowSource* source = rowSourceOf(info.hdr.hwndFrom);
    if (!source || info.item.iItem < 0) return;
    const RowView view = source->rowView(info.item.iItem);
    LVITEMA& item = info.item;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        lstrcpynA(item.pszText, item.iSubItem == 0 ? view.text.c_str() : "", item.cchTextMax);
    }
    if (item.mask & LVIF_IMAGE) item.iImage = view.image;
    if (item.mask & LVIF_PARAM) item.lParam = view.data;
    if ((item.mask & LVIF_STATE) && (item.stateMask & LVIS_STATEIMAGEMASK)) {
        item.state =
            (item.state & ~LVIS_STATEIMAGEMASK) | (view.checked ? row::Checked : row::Unchecked);
    }
}

LRESULT Win32Surface::answerFindRequest(LPARAM request, bool wide) {
    const NMLVFINDITEMA& find = *reinterpret_cast<const NMLVFINDITEMA*>(request);
    const RowSource* source = rowSourceOf(find.hdr.hwndFrom);
    const UINT flags = find.lvfi.flags;
    if (!source || !(flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz) return -1;
    // The list's own search string is wide on a list that notifies in Unicode.
    std::string wanted;
    if (wide) {
        const auto* text = reinterpret_cast<const wchar_t*>(find.lvfi.psz);
        const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
        if (size <= 1) return -1;
        wanted.resize(static_cast<size_t>(size));
        WideCharToMultiByte(CP_ACP, 0, text, -1, &wanted[0], size, nullptr, nullptr);
        wanted.pop_back();
    } else {
        wanted = find.lvfi.psz;
    }
    if (wanted.empty()) return -1;
    const int rows = static_cast<int>(SendMessageA(find.hdr.hwndFrom, LVM_GETITEMCOUNT, 0, 0));
    const int start = find.iStart < 0 || find.iStart >= rows ? 0 : find.iStart;
    const bool partial = (flags & LVFI_PARTIAL) != 0;
    const int length = static_cast<int>(wanted.size());
    for (int step = 0; step < rows; ++step) {
        if (start + step >= rows && !(flags & LVFI_WRAP)) break;
        const int row = (start + step) % rows;
        const std::string text = source->rowView(row).text;
        if (text.size() < wanted.size() || (!partial && text.size() != wanted.size())) continue;
        if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text.c_str(), length,
                           wanted.c_str(), length) == CSTR_EQUAL) {
            return row;
        }
    }
    return -1;
}

void Win32Surface::setRowChecked(int id, int row, bool checked) {
    setRowState(id, row, checked ? row::Checked : row::Unchecked, row::StateImageMask);
}

bool Win32Surface::isRowChecked(int id, int row) const {
    if (const auto view = ownerRow(id, row)) return view->checked;
    return (rowState(id, row) & row::StateImageMask) == row::Checked;
}

int Win32Surface::selectedRow(int id) const {
    return static_cast<int>(send(id, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void Win32Surface::addTip(int id, const std::string& text, int left, int right, unsigned delay) {
    HWND target = control(id);
    if (!target) return;
    // The tooltip belongs to the dialog and goes with it; it watches the control's mouse
    // messages itself.
    HWND& tips = tips_[id];
    if (!tips) {
        tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_,
                               nullptr, module_, nullptr);
    }
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = target;
    tool.uId = id;
    GetClientRect(target, &tool.rect);
    tool.rect.left = left;
    tool.rect.right = right + 1;
    tool.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(tips, TTM_SETDELAYTIME, TTDT_AUTOMATIC, static_cast<LPARAM>(delay));
    SendMessageA(tips, TTM_ACTIVATE, TRUE, 0);
}

std::string Win32Surface::tip(int id) const {
    const auto it = tips_.find(id);
    if (it == tips_.end()) return {};
    char text[256] = {};
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = GetDlgItem(window_, id);
    tool.uId = id;
    tool.lpszText = text;
    SendMessageA(it->second, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
}

void Win32Surface::setRange(int id, int low, int high) {
    HWND target = control(id);
    const UINT message = classOf(target) == Class::UpDown ? UDM_SETRANGE32 : PBM_SETRANGE32;
    if (target) SendMessageA(target, message, low, high);
}

std::pair<int, int> Win32Surface::range(int id) const {
    HWND target = control(id);
    if (classOf(target) == Class::UpDown) {
        INT low = 0, high = 0;
        SendMessageA(target, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                     reinterpret_cast<LPARAM>(&high));
        return {low, high};
    }
    PBRANGE limits = {};
    if (target) SendMessageA(target, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&limits));
    return {limits.iLow, limits.iHigh};
}

void Win32Surface::setPos(int id, int position) {
    HWND target = control(id);
    if (classOf(target) == Class::UpDown) {
        SendMessageA(target, UDM_SETPOS32, 0, position);
    } else if (target) {
        SendMessageA(target, PBM_SETPOS, position, 0);
    }
}

int Win32Surface::pos(int id) const {
    HWND target = control(id);
    const UINT message = classOf(target) == Class::UpDown ? UDM_GETPOS32 : PBM_GETPOS;
    return target ? static_cast<int>(SendMessageA(target, message, 0, 0)) : 0;
}

void Win32Surface::setTimer(int timerId, unsigned milliseconds) {
    SetTimer(window_, timerId, milliseconds, nullptr);
}

void Win32Surface::killTimer(int timerId) { KillTimer(window_, timerId); }

int Win32Surface::popupMenu(int menuId, int position) {
    HMENU menu = LoadMenuA(module_, MAKEINTRESOURCEA(menuId));
    if (!menu) return 0;
    POINT at;
    GetCursorPos(&at);
    const int command =
        TrackPopupMenu(GetSubMenu(menu, position), TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                       at.x, at.y, 0, window_, nullptr);
    DestroyMenu(menu);
    return command;
}

int Win32Surface::messageBox(const std::string& text, const std::string& caption, unsigned flags) {
    // The box belongs to the top-level window, also when a page or a child sheet asks.
    return MessageBoxA(GetAncestor(window_, GA_ROOT), text.c_str(), caption.c_str(), flags);
}

void Win32Surface::endDialog(int result) {
    ended_ = true;
    switch (role_) {
        case Role::ModalDialog:
            EndDialog(window_, result);
            break;
        case Role::ModelessWindow:
            DestroyWindow(window_);
            break;
        case Role::ModalSheet:
            SendMessageA(window_, PSM_PRESSBUTTON, result == IDOK ? PSBTN_OK : PSBTN_CANCEL, 0);
            break;
        case Role::Page:
            break;  // a page's window belongs to its sheet
    }
}

}  // namespace fw

namespace fw {

Win32Surface::~Win32Surface() { setWaitCursor(false); }

bool Win32Surface::showsWaitCursor(HWND window) {
    return GetPropA(GetAncestor(window, GA_ROOT), kBusyProperty) != nullptr;
}

int Win32Surface::clientWidth(int id) const {
    RECT area = {};
    HWND target = control(id);
    return target && GetClientRect(target, &area) ? area.right - area.left : 0;
}

void Win32Surface::setWaitCursor(bool waiting) {
    if (waiting == waiting_) return;
    waiting_ = waiting;
    HWND root = GetAncestor(window_, GA_ROOT);
    const auto busy =
        reinterpret_cast<intptr_t>(GetPropA(root, kBusyProperty)) + (waiting ? 1 : -1);
    if (busy > 0) {
        SetPropA(root, kBusyProperty, reinterpret_cast<HANDLE>(busy));
    } else {
        RemovePropA(root, kBusyProperty);
    }
    // The cursor changes now, not at the next move of the mouse: over a window of this
    // thread as that window answers WM_SETCURSOR, elsewhere to the wait cursor or the arrow.
    SetCursor(LoadCursor(nullptr, busy > 0 ? IDC_WAIT : IDC_ARROW));
    POINT at;
    HWND under = GetCursorPos(&at) ? WindowFromPoint(at) : nullptr;
    if (under && GetWindowThreadProcessId(under, nullptr) == GetCurrentThreadId()) {
        const LRESULT hit = SendMessageA(under, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
        SendMessageA(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                     MAKELPARAM(hit, WM_MOUSEMOVE));
    }
}

void Win32Surface::redrawNow() {
    RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Win32Surface::setRedraw(int id, bool redraw) {
    HWND target = control(id);
    if (!target) return;
    SendMessageA(target, WM_SETREDRAW, redraw, 0);
    // Resuming only allows painting again; what changed meanwhile is painted now.
    if (redraw)
        RedrawWindow(target, nullptr, nullptr,
                     RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void Win32Surface::setIcon(int id, int iconId) {
    HWND target = control(id);
    // The same icon again would only make the control repaint.
    if (!target || icon(id) == iconId) return;
    const HANDLE loaded =
        LoadImageA(module_, MAKEINTRESOURCEA(iconId), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED);
    if (!loaded) return;
    SendMessageA(target, STM_SETICON, reinterpret_cast<WPARAM>(loaded), 0);
    icons_[id] = iconId;
}

int Win32Surface::icon(int id) const {
    const auto shown = icons_.find(id);
    return shown != icons_.end() && send(id, STM_GETICON) ? shown->second : 0;
}

void Win32Surface::centreOverOwner() {
    HWND root = GetAncestor(window_, GA_ROOT);
    RECT screen = {}, over = {}, own = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    HWND owner = GetWindow(root, GW_OWNER);
    if (!owner || !IsWindowVisible(owner) || !GetWindowRect(owner, &over)) over = screen;
    GetWindowRect(root, &own);
    const LONG width = own.right - own.left, height = own.bottom - own.top;
    LONG left = (over.left + over.right - width) / 2, top = (over.top + over.bottom - height) / 2;
    // Inside the screen, its top left corner first.
    left = std::max(std::min(left, screen.right - width), screen.left);
    top = std::max(std::min(top, screen.bottom - height), screen.top);
    SetWindowPos(root, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Surface::coverOwner() {
    HWND root = GetAncestor(window_, GA_ROOT);
    RECT over = {};
    HWND owner = GetWindow(root, GW_OWNER);
    if (!owner || !GetWindowRect(owner, &over)) SystemParametersInfoA(SPI_GETWORKAREA, 0, &over, 0);
    SetWindowPos(root, nullptr, over.left, over.top, over.right - over.left, over.bottom - over.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Surface::bringToFront() {
    HWND root = GetAncestor(window_, GA_ROOT);
    SetWindowPos(root, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(root);
}

void Win32Surface::pause(unsigned milliseconds) {
    const DWORD start = GetTickCount();
    for (DWORD elapsed = 0; elapsed < milliseconds; elapsed = GetTickCount() - start) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // The loop that runs the thread ends as asked, after the pause.
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

}  // namespace fw
