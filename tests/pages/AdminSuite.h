// The Admin page's suite: the page in a main window of the test's own, whose profile
// store works on files in a scratch folder, with the file dialogs scripted.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "framework/Sheet.h"
#include "pages/AdminTool.h"
#include "tests/pages/FileDialogDouble.h"
#include "tests/pages/ProfileSuite.h"

namespace pagestest {

// The main window as the Admin page sees it: a list and a real profile store.
class FakeAdminWindow final : public AdminHost {
public:
    FakeAdminWindow(std::function<std::string(int)> texts, const std::string& profilePath)
        : texts_(std::move(texts)), store_(profilePath) {}

    std::string text(int stringId) const override { return texts_(stringId); }
    ProfileList& profiles() override { return list; }
    std::mutex& profileLock() override { return lock; }
    LoadStatus loadProfiles(const std::string& path, ProfileList& into) override {
        return store_.loadProfiles(path, into);
    }
    bool saveProfiles(const std::string& path, const ProfileList& from) override {
        return store_.saveProfiles(path, from);
    }
    void forgetProfiles(const std::vector<const Profile*>& removed) override {
        forgotten.insert(forgotten.end(), removed.begin(), removed.end());
    }

    ProfileList list;
    std::mutex lock;
    std::vector<const Profile*> forgotten;

private:
    std::function<std::string(int)> texts_;
    ProfileStore store_;
};

class AdminPage : public testing::TestWithParam<ProfileBackEnd> {
protected:
    AdminPage();
    ~AdminPage() override;

    // Shows the page.
    CAdminTool& open();
    fw::UserActions& hands() { return backEnd_->user(*page_); }
    fw::Script& script() { return backEnd_->script(); }
    std::string file(const std::string& name) const { return (folder_ / name).string(); }
    // The message boxes shown so far.
    std::vector<std::string> messages() const;

    std::filesystem::path folder_;
    std::unique_ptr<fwtest::BackEnd> backEnd_;
    FakeAdminWindow mainWindow;
    ScriptedFileDialogs files;

private:
    fw::Sheet mainSheet_{"VORNAX TX-LM70RDV Utility", fw::Sheet::Mode::Modeless};
    std::unique_ptr<CAdminTool> page_;
};

}  // namespace pagestest
