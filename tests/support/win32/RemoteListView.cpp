#include "tests/support/win32/RemoteListView.h"

#include <commctrl.h>

namespace program_driver {
namespace {

constexpr SIZE_T kBlock = 4096;
constexpr int kTextSize = 256;

}  // namespace

RemoteListView::RemoteListView(HWND list) : list_(list) {
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    process_ =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    memory_ =
        static_cast<char*>(VirtualAllocEx(process_, nullptr, kBlock, MEM_COMMIT, PAGE_READWRITE));
}

RemoteListView::~RemoteListView() {
    VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
    CloseHandle(process_);
}

int RemoteListView::rows() const {
    return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
}

std::vector<std::string> RemoteListView::texts() const {
    std::vector<std::string> texts;
    for (int row = 0; row < rows(); ++row) texts.push_back(fetch(row, 0).text);
    return texts;
}

int RemoteListView::find(const std::string& text) const {
    for (int row = 0; row < rows(); ++row) {
        if (fetch(row, 0).text == text) return row;
    }
    return -1;
}

int RemoteListView::image(int row) const { return fetch(row, 0).image; }

std::string RemoteListView::cell(int row, int column) const { return fetch(row, column).text; }

bool RemoteListView::checked(int row) const {
    const LRESULT state = SendMessageA(list_, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK);
    return (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

void RemoteListView::select(int row) const {
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = item.stateMask;
    WriteProcessMemory(process_, memory_, &item, sizeof item, nullptr);
    SendMessageA(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(memory_));
}

void RemoteListView::doubleClick(int row) const {
    RECT bounds = {};
    bounds.left = LVIR_LABEL;
    WriteProcessMemory(process_, memory_, &bounds, sizeof bounds, nullptr);
    SendMessageA(list_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(memory_));
    ReadProcessMemory(process_, memory_, &bounds, sizeof bounds, nullptr);
    const LPARAM where = MAKELPARAM(bounds.left + 4, (bounds.top + bounds.bottom) / 2);
    PostMessageA(list_, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageA(list_, WM_LBUTTONUP, 0, where);
    PostMessageA(list_, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
    PostMessageA(list_, WM_LBUTTONUP, 0, where);
}

RemoteListView::Row RemoteListView::fetch(int row, int column) const {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = memory_ + sizeof item;
    item.cchTextMax = kTextSize;
    WriteProcessMemory(process_, memory_, &item, sizeof item, nullptr);
    SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(memory_));
    ReadProcessMemory(process_, memory_, &item, sizeof item, nullptr);
    char text[kTextSize] = {};
    ReadProcessMemory(process_, memory_ + sizeof item, text, sizeof text - 1, nullptr);
    return {text, item.iImage};
}

}  // namespace program_driver
