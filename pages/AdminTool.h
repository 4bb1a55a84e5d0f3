// The Admin page: exports every profile to a profile file of the user's choosing and
// imports profiles from such a file, through the system's standard open and save dialogs.
// Reading and writing the file is the profile store's business; after an import the page
// brings the main window's list back into shape: infrastructure profiles before ad-hoc
// ones, a single "<Default>" profile, and no two profiles with the same name.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "pages/FileDialogPlatform.h"
#include "pages/ZelPage.h"
#include "profiles/ProfileFile.h"

// What the Admin page needs from the main window.
class AdminHost {
public:
    virtual ~AdminHost() = default;

    // A text of the program's string table.
    virtual std::string text(int stringId) const = 0;
    // The profile list and the lock that guards it and its records.
    virtual ProfileList& profiles() = 0;
    virtual std::mutex& profileLock() = 0;
    // The profile store on a file of the user's choice: appends the file's records to
    // `list`; writes `list` (as an export, unless `path` is the profile file itself).
    virtual LoadStatus loadProfiles(const std::string& path, ProfileList& list) = 0;
    virtual bool saveProfiles(const std::string& path, const ProfileList& list) = 0;
    // These records have left the list and are about to be freed: whatever shows or edits
    // one of them lets go of it.
    virtual void forgetProfiles(const std::vector<const Profile*>& removed) = 0;
};

// Brings a list back into shape after an import: a stable partition that puts every
// infrastructure profile before every ad-hoc one; every "<Default>" profile after the
// first taken out (they are returned, for the caller to free); and every profile whose
// name (case-sensitive) an earlier profile has renamed by the unique-name rule
// (nextProfileName, until no profile of the list has the name).
std::vector<std::unique_ptr<Profile>> normalizeProfiles(ProfileList& list);

class CAdminTool : public CZelPage {
public:
    CAdminTool(AdminHost& mainWindow, FileDialogPlatform& files);

    // The two dialogs as the page asks for them.
    static FileDialogRequest importRequest();
    static FileDialogRequest exportRequest();

protected:
    bool onPageMessage(const fw::Message& m) override;

private:
    void onImport(const fw::Message&);
    void onExport(const fw::Message&);
    void showMessage(const std::string& text);

    static const fw::MessageEntry<CAdminTool> kMap[];

    AdminHost& mainWindow_;
    FileDialogPlatform& files_;
};
