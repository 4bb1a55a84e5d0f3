// The main window: a modeless property sheet titled with the program's name. For now it
// holds the Network Status page alone.
#pragma once

#include <windows.h>

#include <string>

class CMainSheet {
public:
    CMainSheet() = default;
    ~CMainSheet() { destroy(); }
    CMainSheet(const CMainSheet&) = delete;
    CMainSheet& operator=(const CMainSheet&) = delete;

    // Creates the sheet, visible; false when the system refused.
    bool create(HINSTANCE instance, const std::string& caption);
    void destroy();

    HWND window() const { return window_; }

    // Keyboard navigation between the sheet's controls; true when `message` was used.
    bool handleDialogMessage(MSG& message);
    // True once the user has closed the sheet.
    bool isClosed() const;

private:
    HWND window_ = nullptr;
};
