#include "tests/pages/ProfileSuite.h"

#include <gmock/gmock.h>

#include "framework/Controls.h"

namespace pagestest {

// FakeMainWindow ---------------------------------------------------------------------------

int FakeMainWindow::connectProfile(const Profile* profile) {
    connects.push_back({profile, busyFlag});
    if (connectAnswer) return connectAnswer(profile);
    std::lock_guard<std::mutex> guard(lock);
    list.markInUse(profile);
    linkView = {true, false, fieldText(profile->ssid), profile->networkType};
    return kConnectAccepted;
}

ConnectionState FakeMainWindow::connection() const {
    ConnectionState state = cardState;
    state.connected = linkView.connected;
    state.adHocActive = linkView.adHocActive;
    state.currentSsid = linkView.ssid;
    state.currentNetworkMode = linkView.networkMode;
    return state;
}

void FakeMainWindow::markInUse(const Profile* profile) {
    marked.push_back(profile);
    std::lock_guard<std::mutex> guard(lock);
    list.markInUse(profile);
}

Profile* FakeMainWindow::add(const std::string& name, uint32_t networkType,
                             const std::string& ssid) {
    auto profile = std::make_unique<Profile>(makeDefaultProfile());
    setFieldText(profile->name, name);
    setFieldText(profile->ssid, ssid);
    profile->networkType = networkType;
    std::lock_guard<std::mutex> guard(lock);
    return list.append(std::move(profile));
}

void FakeMainWindow::connectTo(Profile* profile, bool connected) {
    {
        std::lock_guard<std::mutex> guard(lock);
        list.markInUse(profile);
    }
    linkView = {connected, !connected, fieldText(profile->ssid), profile->networkType};
}

std::vector<std::string> FakeMainWindow::names() const {
    std::vector<std::string> names;
    for (const auto& profile : list) names.push_back(fieldText(profile->name));
    return names;
}

// StubSecurityPage ------------------------------------------------------------------------

StubSecurityPage::StubSecurityPage(CProfileSheet& sheet)
    : CProfilePage(sheet, sheet.isWizard() ? kWizardTemplate : kEditorTemplate, 0, 0) {}

bool StubSecurityPage::initPage() {
    ui().addItem(IDC_SEC_ENCRYPTION, "Security Off", EncryptionOff);
    ui().addItem(IDC_SEC_ENCRYPTION, "WEP", EncryptionWep);
    ui().addItem(IDC_SEC_AUTHENTICATION, "Open System", SecurityOpenSystem);
    fw::selectByData(ui(), IDC_SEC_ENCRYPTION, encryption_);
    ui().select(IDC_SEC_AUTHENTICATION, 0);
    return true;
}

bool StubSecurityPage::StoreToProfile(Profile& profile) {
    if (hasWindow())
        profile.encryption = static_cast<uint32_t>(fw::selectedData(ui(), IDC_SEC_ENCRYPTION, 0));
    return true;
}

// ProfileEditing ---------------------------------------------------------------------------

ProfileEditing::ProfileEditing() : backEnd_(GetParam().make()), mainWindow(GetParam().text) {
    mainWindow.securityPage = [](CProfileSheet& sheet) {
        return std::make_unique<StubSecurityPage>(sheet);
    };
}

ProfileEditing::~ProfileEditing() { fwtest::expectCleanEnd(*backEnd_); }

std::unique_ptr<CProfileSheet> ProfileEditing::openEditor(Profile* profile) {
    auto sheet = std::make_unique<CProfileSheet>(mainWindow, CProfileSheet::Purpose::Editor);
    host().createSheet(*sheet, nullptr);
    sheet->load(profile);
    return sheet;
}

std::vector<std::string> ProfileEditing::entries(const fw::Dialog& page, int id) {
    std::vector<std::string> texts;
    for (int index = 0; index < page.ui().itemCount(id); ++index) {
        texts.push_back(page.ui().itemText(id, index));
    }
    return texts;
}

std::string ProfileEditing::selectedText(const fw::Dialog& page, int id) {
    const int index = page.ui().selection(id);
    return index < 0 ? std::string() : page.ui().itemText(id, index);
}

std::vector<std::string> ProfileEditing::takeMessages() {
    std::vector<std::string> texts;
    const auto& shown = script().shownBoxes();
    for (; messagesSeen_ < shown.size(); ++messagesSeen_)
        texts.push_back(shown[messagesSeen_].text);
    return texts;
}

}  // namespace pagestest

namespace pagestest {

// ProfileManagerSuite ----------------------------------------------------------------------

ProfileManagerSuite::~ProfileManagerSuite() {
    // The page goes with its window, before the main window it stands in.
    if (mainSheet_.hasWindow()) mainSheet_.ui().endDialog(fw::id::Cancel);
    manager_.reset();
}

CProfileManager& ProfileManagerSuite::open() {
    manager_ = std::make_unique<CProfileManager>(mainWindow);
    mainSheet_.addPage(*manager_);
    host().createSheet(mainSheet_, nullptr);
    return *manager_;
}

std::vector<std::string> ProfileManagerSuite::rows() {
    std::vector<std::string> names;
    for (int row = 0; row < ui().rowCount(IDC_PM_LIST); ++row) {
        names.push_back(ui().cell(IDC_PM_LIST, row, 0));
    }
    return names;
}

std::vector<bool> ProfileManagerSuite::checks() {
    std::vector<bool> checked;
    for (int row = 0; row < ui().rowCount(IDC_PM_LIST); ++row) {
        checked.push_back(ui().isRowChecked(IDC_PM_LIST, row));
    }
    return checked;
}

std::vector<int> ProfileManagerSuite::images() {
    std::vector<int> shown;
    for (int row = 0; row < ui().rowCount(IDC_PM_LIST); ++row) {
        shown.push_back(ui().rowImage(IDC_PM_LIST, row));
    }
    return shown;
}

}  // namespace pagestest
