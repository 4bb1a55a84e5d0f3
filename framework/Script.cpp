#include "framework/Script.h"

#include "framework/Dialog.h"
#include "framework/UserActions.h"

namespace fw {

void Script::expectMessageBox(std::string text, int answer) {
    expected_.push_back({Kind::MessageBox, std::move(text), 0, answer, {}});
}

void Script::expectDialog(int templateId, DialogAction action) {
    if (!action) action = [](Dialog&, UserActions& user) { user.click(id::Ok); };
    expected_.push_back({Kind::Dialog, {}, templateId, 0, std::move(action)});
}

void Script::expectSheet(std::string caption, DialogAction action) {
    expected_.push_back({Kind::Sheet, std::move(caption), 0, 0, std::move(action)});
}

void Script::expectMenu(int menuId, int command) {
    expected_.push_back({Kind::Menu, {}, menuId, command, {}});
}

std::string Script::Expected::describe() const {
    switch (kind) {
        case Kind::MessageBox:
            return "message box \"" + text + "\"";
        case Kind::Dialog:
            return "dialog " + std::to_string(templateId);
        case Kind::Sheet:
            return "sheet \"" + text + "\"";
        case Kind::Menu:
            return "menu " + std::to_string(templateId);
    }
    return {};
}

std::optional<Script::Expected> Script::take(Kind kind, const std::string& text, int templateId,
                                             const std::string& shown) {
    if (expected_.empty()) {
        failures_.push_back("unexpected " + shown + " (nothing more was expected)");
        return std::nullopt;
    }
    const Expected& next = expected_.front();
    const bool anyMenu = kind == Kind::Menu && templateId == 0;
    if (next.kind != kind || next.text != text || (next.templateId != templateId && !anyMenu)) {
        failures_.push_back("unexpected " + shown + " (expected " + next.describe() + ")");
        return std::nullopt;
    }
    Expected taken = next;
    expected_.pop_front();
    return taken;
}

std::optional<int> Script::answerMessageBox(const ShownBox& box) {
    shown_.push_back(box);
    const auto taken = take(Kind::MessageBox, box.text, 0, "message box \"" + box.text + "\"");
    if (!taken) return std::nullopt;
    return taken->answer;
}

std::optional<DialogAction> Script::answerDialog(int templateId) {
    const auto taken = take(Kind::Dialog, {}, templateId, "dialog " + std::to_string(templateId));
    if (!taken) return std::nullopt;
    return taken->action;
}

std::optional<DialogAction> Script::answerSheet(const std::string& caption) {
    const auto taken = take(Kind::Sheet, caption, 0, "sheet \"" + caption + "\"");
    if (!taken) return std::nullopt;
    return taken->action;
}

std::optional<int> Script::answerMenu(int menuId) {
    const auto taken = take(Kind::Menu, {}, menuId, "menu " + std::to_string(menuId));
    if (!taken) return std::nullopt;
    return taken->answer;
}

std::vector<std::string> Script::unmet() const {
    std::vector<std::string> unmet;
    for (const Expected& expected : expected_) unmet.push_back(expected.describe());
    return unmet;
}

}  // namespace fw
