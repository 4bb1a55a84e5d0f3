// The Windows host: dialogs from the templates of a module's resources, property pages
// in real PropertySheetA sheets, and the window procedures that turn the windows'
// messages into the (message, code, id) messages of the dialogs' message maps.
#pragma once

#include <windows.h>

#include <map>

#include "framework/Host.h"

namespace fw {

// Sees the messages of one window before its message map does: what only the Windows
// code of a window handles (owner drawing, device broadcasts, its own private messages).
class WindowFilter {
public:
    virtual ~WindowFilter() = default;
    // True when it answered `message` itself, with `result`; false passes it on.
    virtual bool filter(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
};

class Win32Host final : public Host {
public:
    // `module` holds the dialog templates, icons and strings.
    explicit Win32Host(HINSTANCE module) : module_(module) {}
    ~Win32Host() override;
    Win32Host(const Win32Host&) = delete;
    Win32Host& operator=(const Win32Host&) = delete;

    HINSTANCE module() const { return module_; }
    // The window of `dialog` (a sheet too), null while it has none.
    static HWND windowOf(const Dialog& dialog);
    // The dialog or sheet of one of our windows, null for any other window.
    static Dialog* dialogOf(HWND window);
    // Puts `filter` (none: null) in front of the message map of `dialog`'s window, for as
    // long as the window lives.
    static void setFilter(const Dialog& dialog, WindowFilter* filter);

    int runModal(Dialog& dialog, Dialog* owner) override;
    void createModeless(Dialog& dialog, Dialog* owner) override;
    int runSheet(Sheet& sheet, Dialog* owner) override;
    void createSheet(Sheet& sheet, Dialog* owner) override;
    void embedSheet(Sheet& sheet, Dialog& parent, const Frame& frame) override;

private:
    enum class SheetStyle { Modal, Modeless, Child };
    // Creates the sheet's window; returns PropertySheetA's result.
    INT_PTR openSheet(Sheet& sheet, HWND parent, SheetStyle style);
    // The module's bitmap `id`, loaded once and kept while the host lives: a wizard
    // draws its images from them for as long as it is open.
    HBITMAP bitmap(int id);

    HINSTANCE module_;
    std::map<int, HBITMAP> bitmaps_;
};

}  // namespace fw
