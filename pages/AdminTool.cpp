#include "pages/AdminTool.h"

#include <cstdio>
#include <unordered_map>
#include <unordered_set>

#include "res/resource.h"
#include "system/MessageCaption.h"

namespace {

constexpr const char* kProfileFilter = "cfg Files (*.cfg)|*.cfg||";
constexpr const char* kProfileExtension = "cfg";

// A text of the string table with its %s and %u filled in.
std::string fill(const std::string& pattern, const std::string& path, unsigned count = 0) {
    const int length = std::snprintf(nullptr, 0, pattern.c_str(), path.c_str(), count);
    if (length < 0) return pattern;
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), pattern.c_str(), path.c_str(), count);
    text.resize(static_cast<size_t>(length));
    return text;
}

}  // namespace

std::vector<std::unique_ptr<Profile>> normalizeProfiles(ProfileList& list) {
    list.sortInfrastructureFirst();
    std::vector<std::unique_ptr<Profile>> removed;
    // Names only ever join the list here, so a name once taken stays taken, and the
    // renaming of a name goes on from the last name it gave.
    std::unordered_set<std::string> taken;
    for (const auto& profile : list) taken.insert(fieldText(profile->name));
    std::unordered_set<std::string> walked;
    std::unordered_map<std::string, std::string> lastGiven;
    bool defaultSeen = false;
    for (size_t position = 0; position < list.size();) {
        Profile* profile = list.at(position);
        const std::string name = fieldText(profile->name);
        if (name == kDefaultProfileName) {
            if (defaultSeen) {
                // The profile that moves into its place is examined next.
                removed.push_back(list.remove(profile));
                continue;
            }
            defaultSeen = true;
        } else if (!walked.insert(name).second) {
            std::string& last = lastGiven[name];
            std::string candidate = nextProfileName(last.empty() ? name : last);
            while (taken.count(candidate) != 0) candidate = nextProfileName(candidate);
            last = candidate;
            taken.insert(candidate);
            walked.insert(candidate);
            setFieldText(profile->name, candidate);
        }
        ++position;
    }
    return removed;
}

const fw::MessageEntry<CAdminTool> CAdminTool::kMap[] = {
    fw::onClick(IDC_ADMIN_IMPORT, &CAdminTool::onImport),
    fw::onClick(IDC_ADMIN_EXPORT, &CAdminTool::onExport),
};

CAdminTool::CAdminTool(AdminHost& mainWindow, FileDialogPlatform& files)
    : CZelPage(IDD_ADMIN, "Admin"), mainWindow_(mainWindow), files_(files) {}

bool CAdminTool::onPageMessage(const fw::Message& m) { return fw::dispatch(*this, kMap, m); }

FileDialogRequest CAdminTool::importRequest() {
    return {FileDialogRequest::Kind::Open, kProfileFilter, kProfileExtension,
            fd::FileMustExist | fd::PathMustExist};
}

FileDialogRequest CAdminTool::exportRequest() {
    return {FileDialogRequest::Kind::Save, kProfileFilter, kProfileExtension,
            fd::OverwritePrompt | fd::HideReadOnly | fd::PathMustExist | fd::NoReadOnlyReturn};
}

void CAdminTool::onImport(const fw::Message&) {
    const std::optional<std::string> path = files_.chooseFile(*this, importRequest());
    if (!path) return;
    // The file is read outside the lock; its records then join the list at its end.
    ProfileList read;
    const LoadStatus status = mainWindow_.loadProfiles(*path, read);
    const size_t readCount = read.size();
    std::vector<std::unique_ptr<Profile>> removed;
    {
        std::lock_guard<std::mutex> lock(mainWindow_.profileLock());
        ProfileList& profiles = mainWindow_.profiles();
        profiles.appendAll(std::move(read));
        removed = normalizeProfiles(profiles);
    }
    std::vector<const Profile*> gone;
    for (const auto& record : removed) gone.push_back(record.get());
    mainWindow_.forgetProfiles(gone);
    if (status != LoadStatus::Loaded) {
        showMessage(
            fill(mainWindow_.text(IDS_IMPORT_INCOMPLETE), *path, static_cast<unsigned>(readCount)));
    }
}

void CAdminTool::onExport(const fw::Message&) {
    const std::optional<std::string> path = files_.chooseFile(*this, exportRequest());
    if (!path) return;
    // The file is written from a copy, outside the lock.
    ProfileList copy;
    {
        std::lock_guard<std::mutex> lock(mainWindow_.profileLock());
        for (const auto& record : mainWindow_.profiles()) {
            copy.append(std::make_unique<Profile>(*record));
        }
    }
    if (!mainWindow_.saveProfiles(*path, copy)) {
        showMessage(fill(mainWindow_.text(IDS_EXPORT_FAILED), *path));
    }
}

void CAdminTool::showMessage(const std::string& text) {
    ui().messageBox(text, sys::kMessageCaption, fw::mb::Ok | fw::mb::IconExclamation);
}
