// The in-memory control surface, for native tests. Controls come into being on first
// use and keep their state; a dialog's layout, declared like its template (control
// kinds in template order), tells edits from labels and which radio buttons form a
// group. Every change raises exactly the notifications that the real controls raise
// under Wine, in the same order; the contract suite runs on both back ends to keep it so.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "framework/Script.h"
#include "framework/Surface.h"
#include "framework/UserActions.h"

namespace fw {

// The kinds of control, named as the class and style of the template's control are.
enum class Kind {
    Unknown,
    Static,           // STATIC: labels, group boxes, icons (and BUTTON with BS_GROUPBOX)
    Edit,             // EDIT
    PushButton,       // BUTTON with BS_PUSHBUTTON or BS_DEFPUSHBUTTON
    AutoCheckBox,     // BUTTON with BS_AUTOCHECKBOX
    AutoRadioButton,  // BUTTON with BS_AUTORADIOBUTTON
    DropDownList,     // COMBOBOX with CBS_DROPDOWNLIST
    DropDown,         // COMBOBOX with CBS_DROPDOWN: a combo box with an edit
    ListBox,          // LISTBOX with LBS_NOTIFY
    ListView,         // SysListView32 with LVS_REPORT and LVS_SINGLESEL
    Progress,         // msctls_progress32
    UpDown,           // msctls_updown32
};

// One control of a dialog template. A control with `group` set (WS_GROUP) starts a new
// group, as the first control does; the radio buttons of a group check one another. An
// up-down control with a `buddy` edit (UDS_SETBUDDYINT) shows its position as the edit's
// number and reads it back from there. The dialog gives the focus to its first control
// with a `tabStop` (WS_TABSTOP).
struct ControlSpec {
    int id;
    Kind kind;
    bool group = false;
    int buddy = 0;
    bool tabStop = true;
};

class MemorySurface;

// The one control that has the keyboard focus among all the windows of a host, as a
// thread's windows share one focus.
struct Focus {
    MemorySurface* surface = nullptr;
    int id = 0;
};

class MemorySurface final : public Surface, public UserActions {
public:
    // `onEnd` is told when the dialog ends itself; it decides what becomes of the window
    // (a page's window belongs to its sheet and stays). `caption`, the caption of the
    // dialog's template, is the window's first title.
    MemorySurface(Dialog& dialog, Script& script, Focus& focus,
                  const std::vector<ControlSpec>& layout, std::function<void(int result)> onEnd,
                  std::string caption = {});
    ~MemorySurface() override;

    Dialog& dialog() const { return dialog_; }
    // The window is gone: the dialog ended or was closed; a control of it that had the
    // focus loses it. Nothing reaches the dialog any more.
    void close();
    // The focus is lost without a word, as when a child window that holds it is destroyed.
    void dropFocus();
    // Gives the focus to the first control that can take it, as a new window does; false
    // when none can.
    bool focusFirst();
    // The focus leaves this window's control for no other (a message box or another
    // window takes it); and comes back to where it was.
    Focus releaseFocus();
    static void restoreFocus(const Focus& saved);
    bool closed() const { return closed_; }
    // The window this one is a child of: a page's sheet, an embedded sheet's dialog (none
    // for a top-level window).
    void setParent(MemorySurface* parent) { parent_ = parent; }
    MemorySurface* parent() const { return parent_; }

    // What a test may look at beyond the surface.
    Kind kind(int id) const;
    // The ids that code asked for and that the window's layout lacks (none when the
    // window has no layout).
    const std::set<int>& missingControls() const { return missing_; }
    bool isTimerRunning(int timerId) const { return timers_.count(timerId) != 0; }
    unsigned timerPeriod(int timerId) const;
    int textLimit(int id) const;
    std::vector<std::string> columns(int id) const;
    std::vector<int> images(int id) const;
    unsigned listStyle(int id) const;
    // Every control's client width in memory.
    static constexpr int kClientWidth = 200;
    struct Tip {
        std::string text;
        int left;
        int right;
        unsigned delay;
    };
    // The control's tooltip; none (empty text) when it has none.
    Tip tipOf(int id) const;

    // Surface.
    void setText(int id, const std::string& text) override;
    std::string text(int id) const override;
    void enable(int id, bool enabled) override;
    bool isEnabled(int id) const override;
    void show(int id, bool visible) override;
    bool isVisible(int id) const override;
    void setFocus(int id) override;
    int focus() const override { return focus_.surface == this ? focus_.id : 0; }
    void setTitle(const std::string& title) override { title_ = title; }
    std::string title() const override { return title_; }
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
    int clientWidth(int) const override { return kClientWidth; }
    void setWaitCursor(bool waiting) override { waiting_ = waiting; }
    void redrawNow() override {}
    void setRedraw(int id, bool) override { control(id, Kind::Static); }
    void setIcon(int id, int iconId) override { control(id, Kind::Static).icon = iconId; }
    int icon(int id) const override;
    void centreOverOwner() override { centred_ = true; }
    // Memory windows have no geometry.
    void coverOwner() override {}
    void bringToFront() override;
    void pause(unsigned milliseconds) override;
    // Every window's own address: a handle no other window has.
    void* handle() const override { return const_cast<MemorySurface*>(this); }

    // UserActions.
    void click(int id) override;
    void type(int id, const std::string& text) override;
    void pick(int id, int index) override;
    void focus(int id) override { setFocus(id); }
    void clickRow(int id, int row) override;
    void clickCheckBox(int id, int row) override;
    void doubleClickRow(int id, int row) override;
    void rightClickRow(int id, int row) override;
    void pressKey(int id, int key) override;
    void fireTimer(int timerId) override;
    intptr_t deviceChange(int event, const std::string& interfaceName) override;
    Cursor cursorOver(int id) override;
    bool inFront() const override { return focus_.surface == this; }
    bool centredOverOwner() const override { return centred_; }

private:
    struct Row {
        std::vector<std::string> cells;
        int image = 0;
        intptr_t data = 0;
        unsigned stateImage = 0;
        bool selected = false;
    };
    struct Column {
        std::string heading;
        int width;
    };
    struct Control {
        Kind kind = Kind::Unknown;
        int group = 0;  // the id of the control that starts its group
        bool tabStop = true;
        std::string text;
        bool enabled = true;
        bool visible = true;
        int limit = 30000;
        int caret = 0;
        bool checked = false;
        std::vector<std::pair<std::string, intptr_t>> items;
        int selection = -1;
        unsigned listStyle = 0;
        std::vector<int> images;
        int icon = 0;
        std::vector<Column> columns;
        std::vector<Row> rows;  // an owner-data list keeps only their selection here
        const RowSource* source = nullptr;
        int focusedRow = -1;
        int low = 0;
        int high = 100;
        mutable int pos =
            0;  // an up-down control takes its buddy's number when asked for its position
        int buddy = 0;
    };

    // The control, made on first use; a kind not yet known is taken from the use.
    Control& control(int id, Kind use);
    const Control* find(int id) const;
    const Row* findRow(int id, int row) const;
    // What the source of an owner-data list view says of `row`; nothing for other lists.
    std::optional<RowView> ownerRow(int id, int row) const;
    bool focusable(const Control& c) const;

    // Delivers `m`; what the dialog answered (0 when it did not handle it).
    intptr_t notify(Message m);
    void command(int id, CommandCode code);
    // A list view's notification; true when the dialog answered it with a non-zero result
    // (for LVN_ITEMCHANGING: it vetoed the change).
    bool listNotify(int id, NotifyCode code, int row, unsigned oldState = 0, unsigned newState = 0,
                    unsigned changed = 0, int x = 0);
    void killFocus(int id);
    void takeFocus(int id);

    // The list view's item state machinery, as the real list view runs it.
    unsigned stateOf(const Control& list, int row) const;
    void setItemState(int id, int row, unsigned state, unsigned mask);
    void setOwnerItemState(int id, int row, unsigned state, unsigned mask);
    // Clears the selection of every row of an owner-data list, told of as row -1.
    void clearOwnerSelection(int id);
    void deselectAllBut(int id, int row);
    void selectOnly(int id, int row);
    void rowClick(int id, int row, NotifyCode code, bool onCheckBox);
    // A user cannot reach a disabled or hidden control.
    void requireUsable(int id) const;

    Dialog& dialog_;
    Script& script_;
    std::function<void(int)> onEnd_;
    std::string title_;
    std::map<int, Control> controls_;
    std::vector<int> order_;  // template order, for where the focus goes
    bool laidOut_ = false;
    mutable std::set<int> missing_;
    std::map<int, unsigned> timers_;
    std::map<int, Tip> tips_;
    Focus& focus_;
    MemorySurface* parent_ = nullptr;
    int lastFocus_ = 0;  // the control that had the focus when the window last had it
    bool closed_ = false;
    bool waiting_ = false;
    bool centred_ = false;
};

}  // namespace fw
