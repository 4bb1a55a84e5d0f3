// The script that answers a test's message boxes and modal windows, in the order the
// test expects them, and the record of every message box shown. The memory host and the
// Windows test support both answer from it.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fw {

class Dialog;
class UserActions;

struct ShownBox {
    std::string text;
    std::string caption;
    unsigned flags = 0;
};

// What the user does in a modal dialog or sheet while it is up; it must end it.
using DialogAction = std::function<void(Dialog& dialog, UserActions& user)>;

class Script {
public:
    // The next window is a message box with exactly `text`; the user answers `answer`.
    void expectMessageBox(std::string text, int answer);
    // The next window is the modal dialog of template `templateId`; the user does `action`
    // (by default: clicks OK).
    void expectDialog(int templateId, DialogAction action = {});
    // The next window is the modal sheet or wizard titled `caption`; the user does `action`.
    void expectSheet(std::string caption, DialogAction action);
    // The next window is a pop-up of menu resource `menuId`; the user chooses `command`
    // (0: none).
    void expectMenu(int menuId, int command);

    // For the back ends. A message box is shown: it is recorded, and the answer is the
    // script's, or none when the box was not the one expected (a failure is recorded).
    std::optional<int> answerMessageBox(const ShownBox& box);
    // A modal dialog (sheet: with its caption) comes up: the user's action, or none when
    // it was not the window expected (a failure is recorded).
    std::optional<DialogAction> answerDialog(int templateId);
    std::optional<DialogAction> answerSheet(const std::string& caption);
    // A pop-up menu comes up (`menuId` 0: a menu whose resource is not known): the command
    // the user chooses, or none when it was not the window expected.
    std::optional<int> answerMenu(int menuId);

    // Records a failure that a back end found.
    void fail(std::string failure) { failures_.push_back(std::move(failure)); }

    // Every message box shown, in order.
    const std::vector<ShownBox>& shownBoxes() const { return shown_; }
    // Windows that came up against the script, and expected windows that never came.
    const std::vector<std::string>& failures() const { return failures_; }
    std::vector<std::string> unmet() const;

private:
    enum class Kind { MessageBox, Dialog, Sheet, Menu };
    struct Expected {
        Kind kind;
        std::string text;  // message box text or sheet caption
        int templateId;    // a dialog's template, a menu's resource
        int answer;
        DialogAction action;
        std::string describe() const;
    };
    std::optional<Expected> take(Kind kind, const std::string& text, int templateId,
                                 const std::string& shown);

    std::deque<Expected> expected_;
    std::vector<ShownBox> shown_;
    std::vector<std::string> failures_;
};

}  // namespace fw
