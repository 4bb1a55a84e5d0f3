// The profile sheet: the one property sheet that edits a Profile record, as the editor
// embedded in the Profile Manager page, as the "Create New Profile" wizard, and as the
// modal "Configure Network" sheet that holds the security page alone. It owns its pages,
// keeps the state they share, and forwards its four operations (load, validate, store,
// enable) to the network, security and protocol pages, in that order.
//
// What the pages need from the main window goes through ProfileHost.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "framework/Sheet.h"
#include "profiles/ConnectEngine.h"
#include "profiles/ProfileList.h"
#include "system/Settings.h"

class CProfileSheet;
class CProfilePage;
class CBasicSettgPage;
class CAdvSettgPage;
class CCompleteWiz;

// What the profile editing pages need from the main window. The main window implements
// it; tests supply their own.
class ProfileHost {
public:
    virtual ~ProfileHost() = default;

    // A text of the program's string table; empty when there is none with this id.
    virtual std::string text(int stringId) const = 0;

    // The profile list, and the lock that guards it, its records and the profile in use.
    // Pages read and write listed records only while holding the lock, and hold it
    // neither across a library call nor while anything is shown. The lock also guards
    // the connection state block: link() must not be called while holding it.
    virtual ProfileList& profiles() = 0;
    virtual std::mutex& profileLock() = 0;

    // The settings file (the WEP key dialog keeps its key format there).
    virtual sys::Settings& settings() = 0;
    // The first and last channel of the card's region.
    virtual sys::ChannelRange channelRange() const = 0;
    // What the connection state block shows now.
    virtual LinkView link() const = 0;
    // True while a card is open.
    virtual bool adapterOpen() const = 0;

    // Set while a page applies a profile: the main window holds off its link-loss
    // handling and the worker thread its connects.
    virtual bool busy() const = 0;
    virtual void setBusy(bool busy) = 0;
    // Applies a listed profile to the card (the connect engine's connectProfile).
    virtual int connectProfile(const Profile* profile) = 0;

    // Makes the security page of `sheet`, with what the page stands on (the personal
    // certificate store); null leaves the sheet without one.
    virtual std::unique_ptr<CProfilePage> makeSecurityPage(CProfileSheet& sheet) = 0;
};

// The profile of the last connect while the link it made holds (connected, or an
// ad-hoc network running); null otherwise.
const Profile* profileInUse(ProfileHost& host);

// A page that edits part of a profile: the common page interface of the profile sheet.
// A page's window exists only once the sheet has shown it; the rules below say what
// each operation does before that.
class CProfilePage : public fw::Page {
public:
    // `headerTitleId` is the page's header title in the wizard.
    CProfilePage(CProfileSheet& sheet, int templateId, int titleId, int headerTitleId);

    // Copies the page's fields of `profile` into its members; shows them at once while
    // the window exists, else when the window is created.
    virtual void LoadFromProfile(const Profile& profile) = 0;
    // Checks the input meant for `record` (none: no particular record); on failure tells
    // the user and returns false. Succeeds without checks while there is no window.
    virtual bool Validate(const Profile* record) = 0;
    // Writes the page's fields of `profile` from the controls. Does nothing and succeeds
    // while there is no window: a page never shown leaves the record as it is.
    virtual bool StoreToProfile(Profile& profile) = 0;
    // Enables or disables the page's controls. Without a window the request is
    // remembered, and a disable is applied at the page's next activation.
    void EnablePage(bool enable);

    // Fills the window when it is created; what the controls report meanwhile is no
    // change of the user's.
    bool onInit() final;

    // The text of the selected entry of combo box `id`; empty when none is selected.
    std::string selectedText(int id) const;

protected:
    CProfileSheet& profileSheet() const { return sheet_; }
    std::string text(int stringId) const;
    // Tells the user the string `messageId` followed by `detail`, with the exclamation icon.
    void warn(int messageId, const std::string& detail = {});
    // The user changed one of the page's values.
    void changed();
    // Sets the wizard's buttons (fw::wiz flags); nothing outside the wizard.
    void setWizardButtons(unsigned buttons);
    // Applies a disable remembered while the window did not exist; for onSetActive.
    void applyRememberedDisable();
    // Enables or disables the controls of the existing window.
    virtual void enableControls(bool enable) = 0;
    // The page's own initialisation (onInit).
    virtual bool initPage() = 0;

private:
    CProfileSheet& sheet_;
    bool disableRemembered_ = false;
    bool initialising_ = false;
};

class CProfileSheet : public fw::Sheet {
public:
    enum class Purpose {
        Editor,        // embedded in the Profile Manager page
        Wizard,        // "Create New Profile"
        SecurityOnly,  // "Configure Network", for the Site Survey page
    };

    // State the pages share.
    struct Shared {
        // The wireless mode shown (WirelessMode); the protocol page's rates follow it.
        uint32_t wirelessMode = WirelessAuto;
        // The network type shown is Ad-Hoc.
        bool adHoc = false;
        // The encryption shown is WEP.
        bool wep = false;
    };

    // The security page comes from `mainWindow` (ProfileHost::makeSecurityPage).
    CProfileSheet(ProfileHost& mainWindow, Purpose purpose);
    ~CProfileSheet() override;

    Purpose purpose() const { return purpose_; }
    bool isWizard() const { return purpose_ == Purpose::Wizard; }
    ProfileHost& mainWindow() const { return mainWindow_; }
    Shared& shared() { return shared_; }
    const Shared& shared() const { return shared_; }

    // The pages; null for a page this sheet does not have.
    CBasicSettgPage* networkPage() const { return network_.get(); }
    CProfilePage* securityPage() const { return security_.get(); }
    CAdvSettgPage* protocolPage() const { return protocol_.get(); }

    // The record given to the last load; null before, and once it is forgotten.
    Profile* editedProfile() const { return edited_; }
    // The record is going away: the sheet no longer edits it.
    void forget(const Profile* profile);
    // The profile being edited is the main window's profile in use.
    bool isEditingProfileInUse() const;

    // Loads `profile` into the pages; nothing for none.
    void load(Profile* profile);
    // Validates every page for `record`; the first page that refuses ends it.
    bool validate(const Profile* record);
    // Validates, then lets every page store into `record`. A listed record is written
    // under the profile lock, keeping the list's `preferred` as it stands.
    bool store(Profile* record);
    // Enables or disables the pages.
    void enable(bool enable);

    // The wizard's Finish: stores the pages into a new record, which goes on the prefer
    // list and waits for takeNewProfile(). False (and no record) when a page refused.
    bool createNewProfile();
    std::unique_ptr<Profile> takeNewProfile() { return std::move(newProfile_); }

    // Told whenever the user changes a value on a page (the editor's Save button).
    void setChangeListener(std::function<void()> listener) {
        changeListener_ = std::move(listener);
    }
    void notifyChanged();

    // Makes `page` the active page.
    void activate(const fw::Page& page);

    // The security-only sheet checks and stores before it closes with OK.
    void onOk() override;

private:
    std::vector<CProfilePage*> profilePages() const;

    ProfileHost& mainWindow_;
    Purpose purpose_;
    Shared shared_;
    std::unique_ptr<CBasicSettgPage> network_;
    std::unique_ptr<CProfilePage> security_;
    std::unique_ptr<CAdvSettgPage> protocol_;
    std::unique_ptr<CCompleteWiz> complete_;
    Profile* edited_ = nullptr;
    std::unique_ptr<Profile> newProfile_;
    std::function<void()> changeListener_;
};
