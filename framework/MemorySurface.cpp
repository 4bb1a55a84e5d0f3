#include "framework/MemorySurface.h"

#include <algorithm>
#include <stdexcept>

namespace fw {

namespace {
// Where the memory list view says a click hit: on a row's check box, or on its text.
constexpr int kCheckBoxX = 8;
constexpr int kTextX = 40;
}  // namespace

MemorySurface::MemorySurface(Dialog& dialog, Script& script, Focus& focus,
                             const std::vector<ControlSpec>& layout, std::function<void(int)> onEnd,
                             std::string caption)
    : dialog_(dialog),
      script_(script),
      onEnd_(std::move(onEnd)),
      title_(std::move(caption)),
      focus_(focus) {
    int group = 0;
    for (const ControlSpec& control : layout) {
        Control& c = controls_[control.id];
        c.kind = control.kind;
        c.buddy = control.buddy;
        c.tabStop = control.tabStop;
        if (control.group || group == 0) group = control.id;
        c.group = group;
        order_.push_back(control.id);
    }
    laidOut_ = !layout.empty();
}

MemorySurface::~MemorySurface() { close(); }

void MemorySurface::close() {
    if (closed_) return;
    if (focus_.surface == this) releaseFocus();
    closed_ = true;
    timers_.clear();
    if (dialog_.hasWindow() && &dialog_.ui() == this) dialog_.detach();
}

MemorySurface::Control& MemorySurface::control(int id, Kind use) {
    auto [it, made] = controls_.try_emplace(id);
    if (made) order_.push_back(id);
    if (made && laidOut_) missing_.insert(id);
    if (it->second.kind == Kind::Unknown) it->second.kind = use;
    return it->second;
}

const MemorySurface::Control* MemorySurface::find(int id) const {
    const auto it = controls_.find(id);
    if (it != controls_.end()) return &it->second;
    if (laidOut_) missing_.insert(id);
    return nullptr;
}

Kind MemorySurface::kind(int id) const {
    const Control* c = find(id);
    return c ? c->kind : Kind::Unknown;
}

const MemorySurface::Row* MemorySurface::findRow(int id, int row) const {
    const Control* c = find(id);
    if (!c || row < 0 || row >= static_cast<int>(c->rows.size())) return nullptr;
    return &c->rows[row];
}

// As at the system's window procedure, nothing the dialog throws goes further; it is
// recorded as a failure.
intptr_t MemorySurface::notify(Message m) {
    if (closed_) return 0;
    try {
        return dialog_.deliver(m) ? m.result : 0;
    } catch (const std::exception& e) {
        script_.fail(std::string("exception in a dialog procedure: ") + e.what());
    }
    return 0;
}

void MemorySurface::command(int id, CommandCode code) {
    Message m;
    m.message = msg::Command;
    m.code = code;
    m.id = id;
    m.wParam = static_cast<uintptr_t>((code & 0xFFFF) << 16 | (id & 0xFFFF));
    notify(m);
}

bool MemorySurface::listNotify(int id, NotifyCode code, int row, unsigned oldState,
                               unsigned newState, unsigned changed, int x) {
    Message m;
    m.message = msg::Notify;
    m.code = code;
    m.id = id;
    m.row = row;
    m.oldState = oldState;
    m.newState = newState;
    m.changed = changed;
    m.x = x;
    return notify(m) != 0;
}

// Text and state.

void MemorySurface::setText(int id, const std::string& text) {
    Control& c = control(id, Kind::Static);
    c.text = text;
    if (c.kind == Kind::Edit) {
        c.caret = 0;
        command(id, code::EditUpdate);
        command(id, code::EditChange);
    }
}

std::string MemorySurface::text(int id) const {
    const Control* c = find(id);
    if (!c) return {};
    // A drop-down list shows its selected entry; a combo box with an edit, the edit.
    if (c->kind == Kind::DropDownList) return itemText(id, c->selection);
    return c->text;
}

void MemorySurface::enable(int id, bool enabled) {
    control(id, Kind::Static).enabled = enabled;
    // A disabled control cannot keep the focus: nothing has it then.
    if (!enabled && focus() == id) releaseFocus();
}

bool MemorySurface::isEnabled(int id) const {
    const Control* c = find(id);
    return !c || c->enabled;
}

void MemorySurface::show(int id, bool visible) {
    control(id, Kind::Static).visible = visible;
    // A hidden control loses the focus to the dialog, which gives it to its first
    // control that can take it.
    if (!visible && focus() == id) {
        releaseFocus();
        focusFirst();
    }
}

bool MemorySurface::isVisible(int id) const {
    const Control* c = find(id);
    return !c || c->visible;
}

bool MemorySurface::focusable(const Control& c) const {
    const bool takesFocus =
        c.kind != Kind::Static && c.kind != Kind::Unknown && c.kind != Kind::Progress;
    return takesFocus && c.enabled && c.visible;
}

// Focus.

void MemorySurface::killFocus(int id) {
    switch (kind(id)) {
        case Kind::Edit:
            command(id, code::EditKillFocus);
            break;
        case Kind::DropDownList:
        case Kind::DropDown:
            command(id, code::ComboSelEndCancel);
            command(id, code::ComboKillFocus);
            break;
        case Kind::ListBox:
            command(id, code::ListBoxKillFocus);
            break;
        case Kind::ListView:
            listNotify(id, code::KillFocus, -1);
            break;
        default:
            break;
    }
}

void MemorySurface::takeFocus(int id) {
    focus_ = {this, id};
    lastFocus_ = id;
    switch (kind(id)) {
        case Kind::Edit:
            command(id, code::EditSetFocus);
            break;
        case Kind::DropDownList:
        case Kind::DropDown:
            command(id, code::ComboSetFocus);
            break;
        case Kind::ListBox:
            command(id, code::ListBoxSetFocus);
            break;
        case Kind::ListView:
            listNotify(id, code::SetFocus, -1);
            break;
        default:
            break;
    }
}

void MemorySurface::setFocus(int id) {
    control(id, Kind::PushButton);
    if (focus() == id) return;
    // As on real windows, the control that loses the focus hears of it with the focus
    // already on its successor.
    const Focus previous = focus_;
    focus_ = {this, id};
    if (previous.surface) previous.surface->killFocus(previous.id);
    if (focus_.surface == this && focus_.id == id) takeFocus(id);
}

void MemorySurface::dropFocus() {
    if (focus_.surface == this) focus_ = {};
}

Focus MemorySurface::releaseFocus() {
    const Focus previous = focus_;
    focus_ = {};
    if (previous.surface) previous.surface->killFocus(previous.id);
    return previous;
}

void MemorySurface::restoreFocus(const Focus& saved) {
    if (saved.surface && !saved.surface->closed()) saved.surface->setFocus(saved.id);
}

bool MemorySurface::focusFirst() {
    for (int id : order_) {
        const Control& c = controls_.at(id);
        if (c.tabStop && focusable(c)) {
            setFocus(id);
            return true;
        }
    }
    return false;
}

void MemorySurface::bringToFront() {
    if (inFront()) return;
    // The window that comes to the front gives the focus back to where it was in it.
    releaseFocus();
    const Control* last = find(lastFocus_);
    if (last && focusable(*last)) {
        takeFocus(lastFocus_);
    } else {
        focusFirst();
    }
}

// Edits.

void MemorySurface::limitText(int id, int maxChars) {
    control(id, Kind::Edit).limit = maxChars > 0 ? maxChars : 0x7FFFFFFE;
}

int MemorySurface::textLimit(int id) const {
    const Control* c = find(id);
    return c ? c->limit : 0;
}

void MemorySurface::setCaret(int id, int position) {
    Control& c = control(id, Kind::Edit);
    c.caret = std::clamp(position, 0, static_cast<int>(c.text.size()));
}

int MemorySurface::caret(int id) const {
    const Control* c = find(id);
    return c ? c->caret : 0;
}

// Buttons.

void MemorySurface::setCheck(int id, bool checked) {
    control(id, Kind::AutoCheckBox).checked = checked;
}

bool MemorySurface::isChecked(int id) const {
    const Control* c = find(id);
    return c && c->checked;
}

// Combo boxes and list boxes.

int MemorySurface::addItem(int id, const std::string& text, intptr_t data) {
    Control& c = control(id, Kind::DropDownList);
    c.items.emplace_back(text, data);
    return static_cast<int>(c.items.size()) - 1;
}

void MemorySurface::clearItems(int id) {
    Control& c = control(id, Kind::DropDownList);
    c.items.clear();
    c.selection = -1;
}

int MemorySurface::itemCount(int id) const {
    const Control* c = find(id);
    return c ? static_cast<int>(c->items.size()) : 0;
}

std::string MemorySurface::itemText(int id, int index) const {
    const Control* c = find(id);
    if (!c || index < 0 || index >= static_cast<int>(c->items.size())) return {};
    return c->items[index].first;
}

intptr_t MemorySurface::itemData(int id, int index) const {
    const Control* c = find(id);
    if (!c || index < 0 || index >= static_cast<int>(c->items.size())) return -1;
    return c->items[index].second;
}

void MemorySurface::select(int id, int index) {
    Control& c = control(id, Kind::DropDownList);
    c.selection = index >= 0 && index < static_cast<int>(c.items.size()) ? index : -1;
    if (c.kind == Kind::DropDown) c.text = itemText(id, c.selection);
}

int MemorySurface::selection(int id) const {
    const Control* c = find(id);
    return c ? c->selection : -1;
}

// List views.

void MemorySurface::setListStyle(int id, unsigned extendedStyle) {
    Control& c = control(id, Kind::ListView);
    const bool boxes = (extendedStyle & lvs::CheckBoxes) != 0;
    if (c.source && boxes && !(c.listStyle & lvs::CheckBoxes)) {
        c.listStyle = extendedStyle;
        listNotify(id, code::ItemChanged, -1, 0, row::Unchecked, lvif::State);
        return;
    }
    if (boxes && !(c.listStyle & lvs::CheckBoxes)) {
        for (int row = 0; row < static_cast<int>(c.rows.size()); ++row) {
            setItemState(id, row, row::Unchecked, row::StateImageMask);
        }
    }
    c.listStyle = extendedStyle;
}

unsigned MemorySurface::listStyle(int id) const {
    const Control* c = find(id);
    return c ? c->listStyle : 0;
}

void MemorySurface::setImages(int id, const std::vector<int>& iconIds, int, int) {
    control(id, Kind::ListView).images = iconIds;
}

std::vector<int> MemorySurface::images(int id) const {
    const Control* c = find(id);
    return c ? c->images : std::vector<int>();
}

void MemorySurface::addColumn(int id, const std::string& heading, int width) {
    control(id, Kind::ListView).columns.push_back({heading, width});
}

std::vector<std::string> MemorySurface::columns(int id) const {
    std::vector<std::string> headings;
    if (const Control* c = find(id)) {
        for (const Column& column : c->columns) headings.push_back(column.heading);
    }
    return headings;
}

int MemorySurface::insertRow(int id, int row, const std::string& text, int image, intptr_t data) {
    Control& c = control(id, Kind::ListView);
    const int count = static_cast<int>(c.rows.size());
    const int at = row < 0 || row > count ? count : row;
    Row inserted;
    inserted.cells.push_back(text);
    inserted.image = image;
    inserted.data = data;
    inserted.stateImage = (c.listStyle & lvs::CheckBoxes) ? row::Unchecked : 0;
    c.rows.insert(c.rows.begin() + at, inserted);
    if (c.focusedRow >= at) ++c.focusedRow;
    listNotify(id, code::InsertItem, at);
    return at;
}

void MemorySurface::deleteRow(int id, int row) {
    if (!findRow(id, row)) return;
    // The row gives up its selection and focus first.
    setItemState(id, row, 0, row::Selected | row::Focused);
    listNotify(id, code::DeleteItem, row);
    Control& c = control(id, Kind::ListView);
    c.rows.erase(c.rows.begin() + row);
    if (c.focusedRow > row) --c.focusedRow;
}

void MemorySurface::deleteAllRows(int id) {
    Control& c = control(id, Kind::ListView);
    listNotify(id, code::DeleteAllItems, -1);
    // An owner-data list has no items of its own to tell of.
    for (int row = c.source ? -1 : static_cast<int>(c.rows.size()) - 1; row >= 0; --row) {
        listNotify(id, code::DeleteItem, row);
    }
    c.rows.clear();
    c.focusedRow = -1;
}

int MemorySurface::rowCount(int id) const {
    const Control* c = find(id);
    return c ? static_cast<int>(c->rows.size()) : 0;
}

void MemorySurface::setCell(int id, int row, int column, const std::string& text) {
    if (!findRow(id, row) || column < 0) return;
    Control& c = control(id, Kind::ListView);
    std::vector<std::string>& cells = c.rows[row].cells;
    if (column > 0) {
        if (static_cast<int>(cells.size()) <= column) cells.resize(column + 1);
        cells[column] = text;
        return;
    }
    // The row's own text is an item change.
    const bool changed = cells[0] != text;
    const bool vetoed = listNotify(id, code::ItemChanging, row, 0, 0, lvif::Text);
    if (vetoed || !changed || !findRow(id, row)) return;
    control(id, Kind::ListView).rows[row].cells[0] = text;
    listNotify(id, code::ItemChanged, row, 0, 0, lvif::Text);
}

std::optional<RowView> MemorySurface::ownerRow(int id, int row) const {
    const Control* c = find(id);
    if (!c || !c->source || !findRow(id, row)) return std::nullopt;
    return c->source->rowView(row);
}

void MemorySurface::setRowSource(int id, const RowSource* source) {
    control(id, Kind::ListView).source = source;
}

void MemorySurface::setRowCount(int id, int rows) {
    Control& c = control(id, Kind::ListView);
    c.rows.resize(static_cast<size_t>(rows < 0 ? 0 : rows));
    if (c.focusedRow >= rows) c.focusedRow = -1;
}

void MemorySurface::redrawRows(int id) { control(id, Kind::ListView); }

std::string MemorySurface::cell(int id, int row, int column) const {
    if (const auto view = ownerRow(id, row)) return column == 0 ? view->text : std::string();
    const Row* r = findRow(id, row);
    if (!r || column < 0 || column >= static_cast<int>(r->cells.size())) return {};
    return r->cells[column];
}

void MemorySurface::setRowImage(int id, int row, int image) {
    if (!findRow(id, row)) return;
    const bool changed = findRow(id, row)->image != image;
    const bool vetoed = listNotify(id, code::ItemChanging, row, 0, 0, lvif::Image);
    if (vetoed || !changed || !findRow(id, row)) return;
    control(id, Kind::ListView).rows[row].image = image;
    listNotify(id, code::ItemChanged, row, 0, 0, lvif::Image);
}

int MemorySurface::rowImage(int id, int row) const {
    if (const auto view = ownerRow(id, row)) return view->image;
    const Row* r = findRow(id, row);
    return r ? r->image : -1;
}

intptr_t MemorySurface::rowData(int id, int row) const {
    if (const auto view = ownerRow(id, row)) return view->data;
    const Row* r = findRow(id, row);
    return r ? r->data : 0;
}

unsigned MemorySurface::stateOf(const Control& list, int row) const {
    const Row& r = list.rows[row];
    unsigned stateImage = r.stateImage;
    if (list.source && (list.listStyle & lvs::CheckBoxes)) {
        stateImage = list.source->rowView(row).checked ? row::Checked : row::Unchecked;
    }
    return stateImage | (r.selected ? row::Selected : 0u) |
           (list.focusedRow == row ? row::Focused : 0u);
}

// A state change is announced (LVN_ITEMCHANGING) even when it changes nothing; only a
// real change that the dialog did not veto is made and reported (LVN_ITEMCHANGED). Selecting a row
// first clears the selection of the others; giving a row the focus first takes it from the row that
// has it, even when that is the same row.
void MemorySurface::setItemState(int id, int row, unsigned state, unsigned mask) {
    if (!findRow(id, row)) return;
    if (controls_.at(id).source) {
        setOwnerItemState(id, row, state, mask);
        return;
    }
    const unsigned known = row::Selected | row::Focused | row::StateImageMask;
    mask &= known;
    const unsigned before = stateOf(controls_.at(id), row);
    const unsigned after = (before & ~mask) | (state & mask);
    const bool vetoed = listNotify(id, code::ItemChanging, row, before, after, lvif::State);
    if (vetoed || ((before ^ after) & mask) == 0 || !findRow(id, row)) return;

    Control& c = control(id, Kind::ListView);
    if (mask & row::StateImageMask) c.rows[row].stateImage = after & row::StateImageMask;
    if (state & mask & row::Selected) {
        deselectAllBut(id, row);
        control(id, Kind::ListView).rows[row].selected = true;
    } else if (mask & row::Selected) {
        c.rows[row].selected = false;
    }
    if (mask & row::Focused) {
        if (state & row::Focused) {
            const int focused = control(id, Kind::ListView).focusedRow;
            if (focused != -1) setItemState(id, focused, 0, row::Focused);
            control(id, Kind::ListView).focusedRow = row;
        } else if (c.focusedRow == row) {
            c.focusedRow = -1;
        }
    }
    listNotify(id, code::ItemChanged, row, before, after, lvif::State);
}

// An owner-data list keeps selection and focus only, and tells of them with
// LVN_ITEMCHANGED alone, in the states it keeps: a real change only, the others' lost
// selection first (at once, as row -1), then the focus taken from the row that has it
// (the same row too, as it stands by then), then the row's own change.
void MemorySurface::setOwnerItemState(int id, int row, unsigned state, unsigned mask) {
    const unsigned kept = row::Selected | row::Focused;
    mask &= kept;
    const unsigned before = stateOf(controls_.at(id), row) & kept;
    const unsigned after = (before & ~mask) | (state & mask);
    if (before == after) return;
    if (after & row::Selected) {
        clearOwnerSelection(id);
        if (!findRow(id, row)) return;
    }
    control(id, Kind::ListView).rows[row].selected = (after & row::Selected) != 0;
    const int focused = controls_.at(id).focusedRow;
    if ((state & mask & row::Focused) && focused != -1) {
        const unsigned was = stateOf(controls_.at(id), focused) & kept;
        control(id, Kind::ListView).focusedRow = -1;
        listNotify(id, code::ItemChanged, focused, was, was & ~row::Focused, lvif::State);
        if (!findRow(id, row)) return;
    }
    Control& c = control(id, Kind::ListView);
    if (after & row::Focused) {
        c.focusedRow = row;
    } else if (c.focusedRow == row) {
        c.focusedRow = -1;
    }
    listNotify(id, code::ItemChanged, row, before, after, lvif::State);
}

void MemorySurface::clearOwnerSelection(int id) {
    bool any = false;
    for (Row& r : control(id, Kind::ListView).rows) {
        any = any || r.selected;
        r.selected = false;
    }
    if (any) listNotify(id, code::ItemChanged, -1, row::Selected, 0, lvif::State);
}

void MemorySurface::deselectAllBut(int id, int row) {
    // An owner-data list clears the selection of every row at once, that row's too.
    if (controls_.at(id).source) {
        clearOwnerSelection(id);
        return;
    }
    for (int other = 0; other < rowCount(id); ++other) {
        if (other != row && findRow(id, other)->selected) {
            setItemState(id, other, 0, row::Selected);
        }
    }
}

void MemorySurface::selectOnly(int id, int row) {
    deselectAllBut(id, row);
    setItemState(id, row, row::Selected | row::Focused, row::Selected | row::Focused);
}

void MemorySurface::setRowState(int id, int row, unsigned state, unsigned mask) {
    setItemState(id, row, state, mask);
}

unsigned MemorySurface::rowState(int id, int row) const {
    return findRow(id, row) ? stateOf(controls_.at(id), row) : 0;
}

void MemorySurface::setRowChecked(int id, int row, bool checked) {
    setItemState(id, row, checked ? row::Checked : row::Unchecked, row::StateImageMask);
}

bool MemorySurface::isRowChecked(int id, int row) const {
    if (const auto view = ownerRow(id, row)) return view->checked;
    const Row* r = findRow(id, row);
    return r && r->stateImage == row::Checked;
}

int MemorySurface::selectedRow(int id) const {
    for (int row = 0; row < rowCount(id); ++row) {
        if (findRow(id, row)->selected) return row;
    }
    return -1;
}

// Tooltips.

void MemorySurface::addTip(int id, const std::string& text, int left, int right, unsigned delay) {
    control(id, Kind::Static);
    tips_[id] = {text, left, right, delay};
}

std::string MemorySurface::tip(int id) const { return tipOf(id).text; }

MemorySurface::Tip MemorySurface::tipOf(int id) const {
    const auto it = tips_.find(id);
    return it == tips_.end() ? Tip{} : it->second;
}

// Progress bars and up-down controls.

void MemorySurface::setRange(int id, int low, int high) {
    Control& c = control(id, Kind::Progress);
    c.low = low;
    c.high = high;
    // A progress bar keeps its position inside the range.
    if (c.kind == Kind::Progress)
        c.pos = std::clamp(c.pos, std::min(low, high), std::max(low, high));
}

std::pair<int, int> MemorySurface::range(int id) const {
    const Control* c = find(id);
    return c ? std::make_pair(c->low, c->high) : std::make_pair(0, 100);
}

void MemorySurface::setPos(int id, int position) {
    Control& c = control(id, Kind::Progress);
    c.pos = std::clamp(position, std::min(c.low, c.high), std::max(c.low, c.high));
    if (c.buddy) setText(c.buddy, std::to_string(c.pos));
}

int MemorySurface::pos(int id) const {
    const Control* c = find(id);
    if (!c) return 0;
    if (!c->buddy) return c->pos;
    // The buddy's number counts when it is one the control can take.
    const std::string number = text(c->buddy);
    const bool digits =
        !number.empty() && number.size() < 10 &&
        std::all_of(number.begin(), number.end(), [](char d) { return d >= '0' && d <= '9'; });
    const int value = digits ? std::stoi(number) : c->pos;
    if (value >= std::min(c->low, c->high) && value <= std::max(c->low, c->high)) c->pos = value;
    return c->pos;
}

// Timers, message boxes, the end.

void MemorySurface::setTimer(int timerId, unsigned milliseconds) {
    timers_[timerId] = milliseconds;
}

void MemorySurface::killTimer(int timerId) { timers_.erase(timerId); }

intptr_t MemorySurface::deviceChange(int event, const std::string& interfaceName) {
    Message m;
    m.message = msg::DeviceChange;
    m.code = event;
    m.wParam = static_cast<uintptr_t>(event);
    if (!interfaceName.empty()) {
        m.deviceKind = DeviceKind::Interface;
        m.device = interfaceName;
    }
    return notify(std::move(m));
}

void MemorySurface::pause(unsigned milliseconds) {
    // The timers fire as their periods come round during the pause, in time order.
    std::map<int, unsigned> due;
    for (const auto& [timerId, period] : timers_) due[timerId] = std::max(period, 1u);
    for (;;) {
        auto next = due.end();
        for (auto it = due.begin(); it != due.end(); ++it) {
            if (isTimerRunning(it->first) && (next == due.end() || it->second < next->second))
                next = it;
        }
        if (next == due.end() || next->second > milliseconds) break;
        next->second += std::max(timerPeriod(next->first), 1u);
        fireTimer(next->first);
    }
}

unsigned MemorySurface::timerPeriod(int timerId) const {
    const auto it = timers_.find(timerId);
    return it == timers_.end() ? 0 : it->second;
}

int MemorySurface::popupMenu(int menuId, int) { return script_.answerMenu(menuId).value_or(0); }

int MemorySurface::messageBox(const std::string& text, const std::string& caption, unsigned flags) {
    // The box takes the focus while it is up. One that the script did not expect is
    // recorded as a failure and cancelled.
    const Focus saved = releaseFocus();
    const int answer = script_.answerMessageBox({text, caption, flags}).value_or(id::Cancel);
    restoreFocus(saved);
    return answer;
}

void MemorySurface::endDialog(int result) {
    if (!closed_ && onEnd_) onEnd_(result);
}

// The user.

void MemorySurface::requireUsable(int id) const {
    const Control* c = find(id);
    if (c && (!c->enabled || !c->visible)) {
        throw std::logic_error("control " + std::to_string(id) + " is disabled or hidden");
    }
}

void MemorySurface::click(int id) {
    control(id, Kind::PushButton);
    requireUsable(id);
    setFocus(id);
    Control& button = control(id, Kind::PushButton);
    if (button.kind == Kind::AutoCheckBox) {
        button.checked = !button.checked;
    } else if (button.kind == Kind::AutoRadioButton) {
        for (auto& [otherId, other] : controls_) {
            if (other.kind == Kind::AutoRadioButton && other.group == button.group) {
                other.checked = otherId == id;
            }
        }
    }
    command(id, code::Clicked);
}

void MemorySurface::type(int id, const std::string& text) {
    control(id, Kind::Edit);
    requireUsable(id);
    setFocus(id);
    setCaret(id, static_cast<int>(control(id, Kind::Edit).text.size()));
    for (char typed : text) {
        Control& edit = control(id, Kind::Edit);
        if (static_cast<int>(edit.text.size()) >= edit.limit) {
            command(id, code::EditMaxText);
        } else {
            edit.text.insert(edit.text.begin() + edit.caret, typed);
            ++edit.caret;
        }
        command(id, code::EditUpdate);
        command(id, code::EditChange);
    }
}

void MemorySurface::pick(int id, int index) {
    control(id, Kind::DropDownList);
    requireUsable(id);
    setFocus(id);
    select(id, index);
    if (kind(id) == Kind::ListBox) {
        command(id, code::ListBoxSelChange);
    } else {
        command(id, code::ComboSelChange);
    }
}

// A click on a row's text selects it unless it is selected already, and takes the
// focus; a click on the check box touches neither: the box changes after the click.
void MemorySurface::rowClick(int id, int row, NotifyCode code, bool onCheckBox) {
    requireUsable(id);
    listNotify(id, code::ReleasedCapture, -1);
    if (code == code::RightClick) setItemState(id, row, row::Focused, row::Focused);
    const Row* clicked = findRow(id, row);
    if (!onCheckBox && clicked && !clicked->selected) selectOnly(id, row);
    if (!onCheckBox && focus() != id) setFocus(id);
    listNotify(id, code, row, 0, 0, 0, onCheckBox ? kCheckBoxX : kTextX);
}

void MemorySurface::clickRow(int id, int row) {
    if (findRow(id, row)) rowClick(id, row, code::Click, false);
}

void MemorySurface::clickCheckBox(int id, int row) {
    if (!findRow(id, row)) return;
    rowClick(id, row, code::Click, true);
    setRowChecked(id, row, !isRowChecked(id, row));
}

void MemorySurface::doubleClickRow(int id, int row) {
    if (!findRow(id, row)) return;
    rowClick(id, row, code::Click, false);
    listNotify(id, code::ReleasedCapture, -1);
    listNotify(id, code::DoubleClick, row, 0, 0, 0, kTextX);
    listNotify(id, code::ItemActivate, row, 0, 0, 0, kTextX);
}

void MemorySurface::rightClickRow(int id, int row) {
    if (findRow(id, row)) rowClick(id, row, code::RightClick, false);
}

// The list hears of the key before it acts on it; Space turns the focused row's box over
// (an owner-data list's box is its source's business) and selects the row.
void MemorySurface::pressKey(int id, int key) {
    control(id, Kind::ListView);
    requireUsable(id);
    setFocus(id);
    Message m;
    m.message = msg::Notify;
    m.code = code::KeyDown;
    m.id = id;
    m.key = key;
    notify(std::move(m));
    const int focused = control(id, Kind::ListView).focusedRow;
    if (key != vk::Space || !findRow(id, focused)) return;
    if (controls_.at(id).listStyle & lvs::CheckBoxes) {
        setRowChecked(id, focused, !isRowChecked(id, focused));
    }
    if (findRow(id, focused)) selectOnly(id, focused);
}

int MemorySurface::icon(int id) const {
    const Control* c = find(id);
    return c ? c->icon : 0;
}

Cursor MemorySurface::cursorOver(int id) {
    if (waiting_) return Cursor::Wait;
    const Kind k = kind(id);
    return k == Kind::Edit || k == Kind::DropDown ? Cursor::IBeam : Cursor::Arrow;
}

void MemorySurface::fireTimer(int timerId) {
    if (!isTimerRunning(timerId)) {
        throw std::logic_error("timer " + std::to_string(timerId) + " is not running");
    }
    Message m;
    m.message = msg::Timer;
    m.id = timerId;
    m.wParam = static_cast<uintptr_t>(timerId);
    notify(m);
}

}  // namespace fw
