// The standard file dialogs as a test scripts them: each dialog the code opens is
// recorded, and answered with the next path of the script or cancelled.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "pages/FileDialogPlatform.h"

class ScriptedFileDialogs final : public FileDialogPlatform {
public:
    // The next dialog ends with `path` chosen; none: the user cancels it.
    void expect(std::optional<std::string> path) { answers_.push_back(std::move(path)); }
    // Dialogs that came when the script had no answer left, and answers never asked for.
    int unexpected() const { return unexpected_; }
    size_t unanswered() const { return answers_.size(); }

    std::optional<std::string> chooseFile(const fw::Dialog& owner,
                                          const FileDialogRequest& request) override {
        requests.push_back(request);
        owners.push_back(&owner);
        if (answers_.empty()) {
            ++unexpected_;
            return std::nullopt;
        }
        std::optional<std::string> answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

    std::vector<FileDialogRequest> requests;
    std::vector<const fw::Dialog*> owners;

private:
    std::deque<std::optional<std::string>> answers_;
    int unexpected_ = 0;
};
