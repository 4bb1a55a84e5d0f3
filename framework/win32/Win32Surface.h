// The control surface over a real dialog window: GetDlgItem and the controls' own
// messages.
#pragma once

#include <windows.h>
// after <windows.h>
#include <commctrl.h>

#include <map>
#include <optional>
#include <set>

#include "framework/Surface.h"

namespace fw {

class Win32Surface final : public Surface {
public:
    // How the window ends.
    enum class Role { ModalDialog, ModelessWindow, ModalSheet, Page };

    Win32Surface(HWND window, HINSTANCE module, Role role)
        : window_(window), module_(module), role_(role) {}
    // Ends busy mode if it is on.
    ~Win32Surface() override;
    Win32Surface(const Win32Surface&) = delete;
    Win32Surface& operator=(const Win32Surface&) = delete;

    // A window of ours in busy mode, or inside a top-level window in busy mode: it
    // answers WM_SETCURSOR with the wait cursor.
    static bool showsWaitCursor(HWND window);
    // Answers an owner-data list view's LVN_GETDISPINFO from its row source; leaves the
    // request of any other list view alone.
    static void answerRowRequest(LPARAM request);
    // Answers an owner-data list view's LVN_ODFINDITEM (a typed prefix) with the first
    // row from the one it names, wrapping if asked, whose text begins with the prefix in
    // any case; -1 when none does or the list has no row source.
    static LRESULT answerFindRequest(LPARAM request, bool wide);

    HWND window() const { return window_; }
    Role role() const { return role_; }
    // The dialog was told to end (a modal dialog's window stays until its loop sees it).
    bool ended() const { return ended_; }
    // The control ids asked for that the window does not have.
    const std::set<int>& missingControls() const { return missing_; }

    void setText(int id, const std::string& text) override;
    std::string text(int id) const override;
    void enable(int id, bool enabled) override;
    bool isEnabled(int id) const override;
    void show(int id, bool visible) override;
    bool isVisible(int id) const override;
    void setFocus(int id) override;
    int focus() const override;
    void setTitle(const std::string& title) override;
    std::string title() const override;
    void limitText(int id, int maxChars) override;
    void setCaret(int id, int position) override;
    int caret(int id) const override;
    void setCheck(int id, bool checked) override;
    bool isChecked(int id) const override;
    int addItem(int id, const std::string& text, intptr_t data) override;
    void clearItems(int id) override;
    int itemCount(int id) const override;
    std::string itemText(int id, int index) const override;
    intptr_t itemData(int id, int index) const override;
    void select(int id, int index) override;
    int selection(int id) const override;
    void setListStyle(int id, unsigned extendedStyle) override;
    void setImages(int id, const std::vector<int>& iconIds, int size, int colourBits) override;
    void addColumn(int id, const std::string& heading, int width) override;
    int insertRow(int id, int row, const std::string& text, int image, intptr_t data) override;
    void deleteRow(int id, int row) override;
    void deleteAllRows(int id) override;
    int rowCount(int id) const override;
    void setCell(int id, int row, int column, const std::string& text) override;
    std::string cell(int id, int row, int column) const override;
    void setRowImage(int id, int row, int image) override;
    int rowImage(int id, int row) const override;
    intptr_t rowData(int id, int row) const override;
    void setRowState(int id, int row, unsigned state, unsigned mask) override;
    unsigned rowState(int id, int row) const override;
    void setRowChecked(int id, int row, bool checked) override;
    bool isRowChecked(int id, int row) const override;
    int selectedRow(int id) const override;
    void setRowSource(int id, const RowSource* source) override;
    void setRowCount(int id, int rows) override;
    void redrawRows(int id) override;
    void addTip(int id, const std::string& text, int left, int right, unsigned delay) override;
    std::string tip(int id) const override;
    void setRange(int id, int low, int high) override;
    std::pair<int, int> range(int id) const override;
    void setPos(int id, int position) override;
    int pos(int id) const override;
    void setTimer(int timerId, unsigned milliseconds) override;
    void killTimer(int timerId) override;
    int popupMenu(int menuId, int position) override;
    int messageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    void endDialog(int result) override;
    int clientWidth(int id) const override;
    void setWaitCursor(bool waiting) override;
    void redrawNow() override;
    void setRedraw(int id, bool redraw) override;
    void setIcon(int id, int iconId) override;
    int icon(int id) const override;
    void centreOverOwner() override;
    void coverOwner() override;
    void bringToFront() override;
    void pause(unsigned milliseconds) override;
    void* handle() const override { return window_; }

private:
    // The control, or null (remembered as missing) when the window has none with `id`.
    HWND control(int id) const;
    LRESULT send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // The row's LVITEM with `mask` filled in; false when there is no such row.
    bool getRow(int id, int row, UINT mask, LVITEMA& item) const;
    // What the source of an owner-data list view says of `row`; nothing for other lists.
    std::optional<RowView> ownerRow(int id, int row) const;

    HWND window_;
    HINSTANCE module_;
    Role role_;
    bool ended_ = false;
    bool waiting_ = false;
    mutable std::set<int> missing_;
    std::map<int, int> icons_;  // the icon resource each icon control shows
    std::map<int, HWND> tips_;  // the tooltip window of each control with a tip
};

}  // namespace fw
