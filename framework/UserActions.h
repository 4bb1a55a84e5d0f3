// What a user does to a dialog's controls, for tests that drive a dialog as a user
// would. Each action raises the notifications that the same action on real controls
// raises, in the same order. Acting on a disabled or hidden control is a test failure.
#pragma once

#include <cstdint>
#include <string>

namespace fw {

// The cursors a user may see over a window.
enum class Cursor { Other, Arrow, IBeam, Wait };

class UserActions {
public:
    virtual ~UserActions() = default;

    // Clicks a button: it takes the focus, a check box toggles, a radio button is
    // checked and the others of its group cleared, then BN_CLICKED.
    virtual void click(int id) = 0;
    // Puts the focus in an edit, the caret at the end of its text, and types `text` one
    // character at a time, within the edit's limit.
    virtual void type(int id, const std::string& text) = 0;
    // Chooses entry `index` of a combo box or list box with the mouse.
    virtual void pick(int id, int index) = 0;
    // Moves the focus to the control.
    virtual void focus(int id) = 0;
    // Clicks a list-view row on its text, on its check box, twice, or with the right
    // button.
    virtual void clickRow(int id, int row) = 0;
    virtual void clickCheckBox(int id, int row) = 0;
    virtual void doubleClickRow(int id, int row) = 0;
    virtual void rightClickRow(int id, int row) = 0;
    // Presses and releases the key `key` (a fw::vk code) in a list view, which takes the
    // focus first: LVN_KEYDOWN, then what the list does with the key (Space ticks the
    // focused row's check box and selects the row).
    virtual void pressKey(int id, int key) = 0;
    // Lets the window's running timer `timerId` fire once.
    virtual void fireTimer(int timerId) = 0;
    // The system broadcasts the device change `event` (a fw::dbt code) to the window, as
    // when a card is plugged in or pulled out: for the device interface `interfaceName`,
    // or naming no device when it is empty. Returns the window's answer.
    virtual intptr_t deviceChange(int event, const std::string& interfaceName) = 0;

    // What the user sees: the cursor as the mouse moves over control `id`, and whether
    // the window is in front of every other and centred over its owner.
    virtual Cursor cursorOver(int id) = 0;
    virtual bool inFront() const = 0;
    virtual bool centredOverOwner() const = 0;
};

}  // namespace fw
