// The host creates the windows of dialogs and property sheets: modal and modeless
// dialogs from their templates, sheets in their three modes, and sheets embedded in a
// dialog. The Windows host makes real windows; the memory host runs them in memory and
// answers modal dialogs and message boxes from a script that the test supplies.
#pragma once

namespace fw {

class Dialog;
class Sheet;

// The place of an embedded sheet: the rectangle of control `id` of the parent dialog,
// moved in by the given number of pixels on each side.
struct Frame {
    int id = 0;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class Host {
public:
    virtual ~Host() = default;

    // Runs `dialog` modally over `owner` (none: no owner); returns the result it ended with.
    virtual int runModal(Dialog& dialog, Dialog* owner) = 0;
    // Creates `dialog` as a modeless window; it lives until it ends itself.
    virtual void createModeless(Dialog& dialog, Dialog* owner) = 0;
    // Runs a modal or wizard sheet; returns fw::id::Ok when it closed with OK or Finish,
    // fw::id::Cancel otherwise.
    virtual int runSheet(Sheet& sheet, Dialog* owner) = 0;
    // Creates a modeless sheet as a top-level window.
    virtual void createSheet(Sheet& sheet, Dialog* owner) = 0;
    // Creates a modeless sheet as a child window of `parent`, placed over `frame`.
    virtual void embedSheet(Sheet& sheet, Dialog& parent, const Frame& frame) = 0;
};

}  // namespace fw
