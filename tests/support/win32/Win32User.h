// The user's hands on a real dialog window under Wine: buttons clicked with BM_CLICK,
// keys typed with WM_CHAR, list-view rows clicked with mouse messages at the row's
// place, timers let fire by running the message loop.
#pragma once

#include <windows.h>

#include "framework/UserActions.h"

namespace fwtest {

class Win32User final : public fw::UserActions {
public:
    explicit Win32User(HWND dialog) : dialog_(dialog) {}

    void click(int id) override;
    void type(int id, const std::string& text) override;
    void pick(int id, int index) override;
    void focus(int id) override;
    void clickRow(int id, int row) override;
    void clickCheckBox(int id, int row) override;
    void doubleClickRow(int id, int row) override;
    void rightClickRow(int id, int row) override;
    void pressKey(int id, int key) override;
    void fireTimer(int timerId) override;
    intptr_t deviceChange(int event, const std::string& interfaceName) override;
    fw::Cursor cursorOver(int id) override;
    bool inFront() const override;
    bool centredOverOwner() const override;

private:
    HWND item(int id) const;
    // The point on a row's text, or on its check box, in the list's client area.
    POINT rowPoint(HWND list, int row, bool checkBox) const;

    HWND dialog_;
};

}  // namespace fwtest
