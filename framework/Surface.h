// The control surface: everything a dialog or page does to its window's controls,
// addressed by the numeric control ids of its dialog template. One back end drives real
// windows, the other keeps the controls in memory for native tests; both raise the
// notifications that real controls raise when code changes them:
//
//   - setting an edit's text sends EN_UPDATE and EN_CHANGE;
//   - checking a button, filling or selecting in a combo or list box sends nothing;
//   - inserting, deleting and changing the state or check box of a list-view row sends
//     the list view's item notifications;
//   - moving the focus, also by disabling or hiding the focused control, sends the
//     controls' kill-focus and set-focus notifications.
//
// framework/README.md lists the details, which the contract suite checks on both.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace fw {

// What an owner-data list view shows of one row.
struct RowView {
    std::string text;
    int image = 0;
    bool checked = false;
    intptr_t data = 0;
};

// The rows of an owner-data list view, asked for whenever the list draws a row or code
// reads one.
class RowSource {
public:
    virtual RowView rowView(int row) const = 0;

protected:
    ~RowSource() = default;
};

class Surface {
public:
    virtual ~Surface() = default;

    // Any control.
    virtual void setText(int id, const std::string& text) = 0;
    virtual std::string text(int id) const = 0;
    virtual void enable(int id, bool enabled) = 0;
    virtual bool isEnabled(int id) const = 0;
    virtual void show(int id, bool visible) = 0;
    virtual bool isVisible(int id) const = 0;
    virtual void setFocus(int id) = 0;
    // The control that has the focus, 0 when none of this window's controls has it.
    virtual int focus() const = 0;

    // The window's own title; it starts as the caption of the window's template.
    virtual void setTitle(const std::string& title) = 0;
    virtual std::string title() const = 0;

    // Edits: the most characters the user may type, and the caret.
    virtual void limitText(int id, int maxChars) = 0;
    virtual void setCaret(int id, int position) = 0;
    virtual int caret(int id) const = 0;

    // Check boxes and radio buttons.
    virtual void setCheck(int id, bool checked) = 0;
    virtual bool isChecked(int id) const = 0;

    // Combo boxes and list boxes: entries with item data, and the selection (-1 none).
    virtual int addItem(int id, const std::string& text, intptr_t data) = 0;
    virtual void clearItems(int id) = 0;
    virtual int itemCount(int id) const = 0;
    virtual std::string itemText(int id, int index) const = 0;
    virtual intptr_t itemData(int id, int index) const = 0;
    virtual void select(int id, int index) = 0;
    virtual int selection(int id) const = 0;

    // List views in report view. Styles are fw::lvs flags; images are icon resource
    // ids, in the order of their image indexes, drawn `size` pixels square with
    // `colourBits` bits a pixel (4, 8, 16, 24 or 32); row states are fw::row flags.
    virtual void setListStyle(int id, unsigned extendedStyle) = 0;
    virtual void setImages(int id, const std::vector<int>& iconIds, int size, int colourBits) = 0;
    virtual void addColumn(int id, const std::string& heading, int width) = 0;
    virtual int insertRow(int id, int row, const std::string& text, int image, intptr_t data) = 0;
    virtual void deleteRow(int id, int row) = 0;
    virtual void deleteAllRows(int id) = 0;
    virtual int rowCount(int id) const = 0;
    virtual void setCell(int id, int row, int column, const std::string& text) = 0;
    virtual std::string cell(int id, int row, int column) const = 0;
    virtual void setRowImage(int id, int row, int image) = 0;
    virtual int rowImage(int id, int row) const = 0;
    virtual intptr_t rowData(int id, int row) const = 0;
    virtual void setRowState(int id, int row, unsigned state, unsigned mask) = 0;
    virtual unsigned rowState(int id, int row) const = 0;
    virtual void setRowChecked(int id, int row, bool checked) = 0;
    virtual bool isRowChecked(int id, int row) const = 0;
    // The first selected row, -1 when none is.
    virtual int selectedRow(int id) const = 0;
    // Owner-data list views (LVS_OWNERDATA in the template) keep only how many rows they
    // have and which one is selected and focused; `source` answers for everything else,
    // and the row reads above read from it. Changing the count keeps the selection and
    // focus of the rows that remain; after the source changed, redrawRows shows the rows
    // anew. Neither raises a notification; selecting and focusing rows raise what they
    // raise in any list view. Give the source before the list's style: turning check
    // boxes on tells of every row of an owner-data list at once.
    virtual void setRowSource(int id, const RowSource* source) = 0;
    virtual void setRowCount(int id, int rows) = 0;
    virtual void redrawRows(int id) = 0;

    // A tooltip over the strip of the control's client area from x = left to x = right,
    // shown after `delay` milliseconds; and its text.
    virtual void addTip(int id, const std::string& text, int left, int right, unsigned delay) = 0;
    virtual std::string tip(int id) const = 0;

    // Progress bars and spin (up-down) controls.
    virtual void setRange(int id, int low, int high) = 0;
    virtual std::pair<int, int> range(int id) const = 0;
    virtual void setPos(int id, int position) = 0;
    virtual int pos(int id) const = 0;

    // Window timers of this window, by timer id.
    virtual void setTimer(int timerId, unsigned milliseconds) = 0;
    virtual void killTimer(int timerId) = 0;

    // Shows pop-up `position` of menu resource `menuId` at the mouse cursor, tracked with
    // the left button; returns the command chosen, 0 for none.
    virtual int popupMenu(int menuId, int position) = 0;

    // A message box owned by this window (fw::mb flags); returns the fw::id answer.
    virtual int messageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;

    // Ends a modal dialog with `result`, or closes a modeless one.
    virtual void endDialog(int result) = 0;

    // Window services.
    // The width in pixels of the client area of control `id`: inside its border, without
    // a vertical scroll bar it shows; hidden and disabled controls have theirs too.
    virtual int clientWidth(int id) const = 0;
    // Busy mode: the wait cursor shows over the whole top-level window, also as the mouse
    // moves over it, until busy mode ends.
    virtual void setWaitCursor(bool waiting) = 0;
    // Paints at once whatever of the window and its controls changed.
    virtual void redrawNow() = 0;
    // Suspends (false) and resumes (true) the painting of control `id` around a refill;
    // the control raises its notifications all the same. Resuming paints it again.
    virtual void setRedraw(int id, bool redraw) = 0;
    // Icon controls: shows icon resource `iconId` at its own size; the icon shown (0 for
    // none). An id the resources lack leaves the icon as it was.
    virtual void setIcon(int id, int iconId) = 0;
    virtual int icon(int id) const = 0;
    // Centres the window over its owner (over the screen without one), inside the screen.
    virtual void centreOverOwner() = 0;
    // Gives the window its owner's position and size (the screen's without one).
    virtual void coverOwner() = 0;
    // Brings the window in front of every other and activates it.
    virtual void bringToFront() = 0;
    // Waits `milliseconds` while the window goes on handling its messages: it paints,
    // and its timers fire.
    virtual void pause(unsigned milliseconds) = 0;
    // The window itself as an opaque handle, for the library and the system to send it
    // their events (ZelInitialize, device notifications); null while there is no window.
    virtual void* handle() const = 0;
};

// The surface of a window that does not exist (yet): changes go nowhere, reads give
// empty values, and nothing is shown.
class NullSurface final : public Surface {
public:
    void setText(int, const std::string&) override {}
    std::string text(int) const override { return {}; }
    void enable(int, bool) override {}
    bool isEnabled(int) const override { return false; }
    void show(int, bool) override {}
    bool isVisible(int) const override { return false; }
    void setFocus(int) override {}
    int focus() const override { return 0; }
    void setTitle(const std::string&) override {}
    std::string title() const override { return {}; }
    void limitText(int, int) override {}
    void setCaret(int, int) override {}
    int caret(int) const override { return 0; }
    void setCheck(int, bool) override {}
    bool isChecked(int) const override { return false; }
    int addItem(int, const std::string&, intptr_t) override { return -1; }
    void clearItems(int) override {}
    int itemCount(int) const override { return 0; }
    std::string itemText(int, int) const override { return {}; }
    intptr_t itemData(int, int) const override { return 0; }
    void select(int, int) override {}
    int selection(int) const override { return -1; }
    void setListStyle(int, unsigned) override {}
    void setImages(int, const std::vector<int>&, int, int) override {}
    void addColumn(int, const std::string&, int) override {}
    int insertRow(int, int, const std::string&, int, intptr_t) override { return -1; }
    void deleteRow(int, int) override {}
    void deleteAllRows(int) override {}
    int rowCount(int) const override { return 0; }
    void setCell(int, int, int, const std::string&) override {}
    std::string cell(int, int, int) const override { return {}; }
    void setRowImage(int, int, int) override {}
    int rowImage(int, int) const override { return -1; }
    intptr_t rowData(int, int) const override { return 0; }
    void setRowState(int, int, unsigned, unsigned) override {}
    unsigned rowState(int, int) const override { return 0; }
    void setRowChecked(int, int, bool) override {}
    bool isRowChecked(int, int) const override { return false; }
    int selectedRow(int) const override { return -1; }
    void setRowSource(int, const RowSource*) override {}
    void setRowCount(int, int) override {}
    void redrawRows(int) override {}
    void addTip(int, const std::string&, int, int, unsigned) override {}
    std::string tip(int) const override { return {}; }
    void setRange(int, int, int) override {}
    std::pair<int, int> range(int) const override { return {0, 0}; }
    void setPos(int, int) override {}
    int pos(int) const override { return 0; }
    void setTimer(int, unsigned) override {}
    void killTimer(int) override {}
    int popupMenu(int, int) override { return 0; }
    int messageBox(const std::string&, const std::string&, unsigned) override { return 0; }
    void endDialog(int) override {}
    int clientWidth(int) const override { return 0; }
    void setWaitCursor(bool) override {}
    void redrawNow() override {}
    void setRedraw(int, bool) override {}
    void setIcon(int, int) override {}
    int icon(int) const override { return 0; }
    void centreOverOwner() override {}
    void coverOwner() override {}
    void bringToFront() override {}
    void pause(unsigned) override {}
    void* handle() const override { return nullptr; }
};

}  // namespace fw
