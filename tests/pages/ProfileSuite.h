// The behaviour suites of profile editing: one body, run natively on the in-memory back
// end and under Wine on the program's own dialog templates, against a main window of
// the test's own.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "framework/Sheet.h"
#include "pages/ProfileManager.h"
#include "pages/ProfileSheet.h"
#include "pages/SiteSurvey.h"
#include "res/resource.h"
#include "tests/support/BackEnd.h"
#include "tests/system/MemorySettingsStore.h"

namespace pagestest {

// A back end for the suites, and the string table its windows read from.
struct ProfileBackEnd {
    std::string name;
    std::function<std::unique_ptr<fwtest::BackEnd>()> make;
    std::function<std::string(int stringId)> text;
};

inline void PrintTo(const ProfileBackEnd& param, std::ostream* out) { *out << param.name; }

// The main window as the profile pages and the Site Survey page see it; the test sets
// its state.
class FakeMainWindow final : public SiteSurveyHost {
public:
    explicit FakeMainWindow(std::function<std::string(int)> texts) : texts_(std::move(texts)) {}

    std::string text(int stringId) const override { return texts_(stringId); }
    ProfileList& profiles() override { return list; }
    std::mutex& profileLock() override { return lock; }
    sys::Settings& settings() override { return settingsFile; }
    sys::ChannelRange channelRange() const override { return channels; }
    LinkView link() const override { return linkView; }
    bool adapterOpen() const override { return cardOpen; }
    bool busy() const override { return busyFlag; }
    void setBusy(bool busy) override {
        busyFlag = busy;
        busyChanges.push_back(busy);
    }
    int connectProfile(const Profile* profile) override;
    std::unique_ptr<CProfilePage> makeSecurityPage(CProfileSheet& sheet) override {
        return securityPage ? securityPage(sheet) : nullptr;
    }
    // SiteSurveyHost: the card is the library the test gives, open while cardOpen is set.
    const ZelApi& api() const override { return *cardApi; }
    ZelHandle adapter() const override { return cardOpen ? cardHandle : nullptr; }
    // The card's state with the link of linkView.
    ConnectionState connection() const override;
    void markInUse(const Profile* profile) override;

    // Appends a profile named `name` for the network `ssid`, with the card's own radio
    // settings, on the prefer list.
    Profile* add(const std::string& name, uint32_t networkType = NetworkInfrastructure,
                 const std::string& ssid = "Net");
    // Marks `profile` in use with the link up (connected, or an ad-hoc network running).
    void connectTo(Profile* profile, bool connected = true);
    // The names in list order.
    std::vector<std::string> names() const;

    ProfileList list;
    std::mutex lock;
    MemorySettingsStore settingsStore;
    sys::Settings settingsFile{settingsStore};
    sys::ChannelRange channels{1, 11};
    LinkView linkView;
    bool cardOpen = true;
    const ZelApi* cardApi = nullptr;
    ZelHandle cardHandle = reinterpret_cast<ZelHandle>(0x5E1D);
    // What the card reports beside the link of linkView (BSSID, channel).
    ConnectionState cardState;
    bool busyFlag = false;
    std::vector<bool> busyChanges;
    // Each connect: the profile and whether `busy` was set meanwhile.
    struct Connect {
        const Profile* profile;
        bool busy;
    };
    std::vector<Connect> connects;
    // Answers a connect in place of the card that joins at once; the result it gives.
    std::function<int(const Profile*)> connectAnswer;
    // Each profile marked in use (null: none).
    std::vector<const Profile*> marked;
    // Makes the sheets' security page; without it they have none.
    std::function<std::unique_ptr<CProfilePage>(CProfileSheet&)> securityPage;

private:
    std::function<std::string(int)> texts_;
};

// A security page that stands in for the real one: its two lists (encryption 1043,
// authentication 1044) with one entry each, and an encryption it stores. It refuses to
// validate while `refuse` is set.
class StubSecurityPage final : public CProfilePage {
public:
    static constexpr int kEditorTemplate = 9111;
    static constexpr int kWizardTemplate = 9119;

    explicit StubSecurityPage(CProfileSheet& sheet);

    void LoadFromProfile(const Profile& profile) override { encryption_ = profile.encryption; }
    bool Validate(const Profile*) override { return !(hasWindow() && refuse); }
    bool StoreToProfile(Profile& profile) override;
    bool initPage() override;

    bool refuse = false;
    bool enabled = true;

protected:
    void enableControls(bool enable) override { enabled = enable; }

private:
    uint32_t encryption_ = 0;
};

// What every profile editing suite starts from: a back end, a main window and the stub
// security page, and at the end no window against the script.
class ProfileEditing : public testing::TestWithParam<ProfileBackEnd> {
protected:
    ProfileEditing();
    ~ProfileEditing() override;

    fw::Host& host() { return backEnd_->host(); }
    fw::Script& script() { return backEnd_->script(); }
    fw::UserActions& user(const fw::Dialog& dialog) { return backEnd_->user(dialog); }
    std::string text(int stringId) const { return GetParam().text(stringId); }

    // An editor sheet in a window of its own, with its first page shown, and `profile`
    // loaded when one is given.
    std::unique_ptr<CProfileSheet> openEditor(Profile* profile = nullptr);
    // The texts of a combo box's entries.
    static std::vector<std::string> entries(const fw::Dialog& page, int id);
    static std::string selectedText(const fw::Dialog& page, int id);
    // The message boxes shown since the last call.
    std::vector<std::string> takeMessages();

    std::unique_ptr<fwtest::BackEnd> backEnd_;
    FakeMainWindow mainWindow;

private:
    size_t messagesSeen_ = 0;
};

// The suites, each run on every back end it is instantiated with.
class NetworkPage : public ProfileEditing {};
class ProtocolPage : public ProfileEditing {};
class ProfileSheetSuite : public ProfileEditing {};
class ProfileWizard : public ProfileEditing {};
// The security suites' fixtures are in SecurityPageSuite.h, WepKeySuite.h and
// CredentialSuite.h, the Admin page's in AdminSuite.h, the Site Survey's in
// SiteSurveySuite.h; a file that instantiates the suites includes them.

// The Profile Manager as a page of a main window of its own.
class ProfileManagerSuite : public ProfileEditing {
protected:
    ~ProfileManagerSuite() override;

    // Shows the page, which lists the main window's profiles.
    CProfileManager& open();
    fw::Surface& ui() { return manager_->ui(); }
    fw::UserActions& hands() { return user(*manager_); }
    std::vector<std::string> rows();
    std::vector<bool> checks();
    std::vector<int> images();
    int selectedRow() { return ui().selectedRow(IDC_PM_LIST); }
    // Selects `row` as a user clicking its text.
    void pickRow(int row) { hands().clickRow(IDC_PM_LIST, row); }

private:
    fw::Sheet mainSheet_{"VORNAX TX-LM70RDV Utility", fw::Sheet::Mode::Modeless};
    std::unique_ptr<CProfileManager> manager_;
};

#define INSTANTIATE_PROFILE_SUITES(prefix, ...)                                                   \
    INSTANTIATE_TEST_SUITE_P(prefix, NetworkPage, testing::Values(__VA_ARGS__), suiteName);       \
    INSTANTIATE_TEST_SUITE_P(prefix, ProtocolPage, testing::Values(__VA_ARGS__), suiteName);      \
    INSTANTIATE_TEST_SUITE_P(prefix, ProfileSheetSuite, testing::Values(__VA_ARGS__), suiteName); \
    INSTANTIATE_TEST_SUITE_P(prefix, ProfileWizard, testing::Values(__VA_ARGS__), suiteName);     \
    INSTANTIATE_TEST_SUITE_P(prefix, ProfileManagerSuite, testing::Values(__VA_ARGS__),           \
                             suiteName);                                                          \
    INSTANTIATE_TEST_SUITE_P(prefix, SecurityPage, testing::Values(__VA_ARGS__), suiteName);      \
    INSTANTIATE_TEST_SUITE_P(prefix, WepKeyDialog, testing::Values(__VA_ARGS__), suiteName);      \
    INSTANTIATE_TEST_SUITE_P(prefix, CredentialDialogs, testing::Values(__VA_ARGS__), suiteName); \
    INSTANTIATE_TEST_SUITE_P(prefix, AdminPage, testing::Values(__VA_ARGS__), suiteName);         \
    INSTANTIATE_TEST_SUITE_P(prefix, SiteSurveySuite, testing::Values(__VA_ARGS__), suiteName)

inline std::string suiteName(const testing::TestParamInfo<ProfileBackEnd>& info) {
    return info.param.name;
}

}  // namespace pagestest
