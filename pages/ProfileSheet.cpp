#include "pages/ProfileSheet.h"

#include "pages/AdvSettgPage.h"
#include "pages/BasicSettgPage.h"
#include "pages/CompleteWiz.h"
#include "res/resource.h"
#include "system/MessageCaption.h"

const Profile* profileInUse(ProfileHost& host) {
    // The link first: the connection state block shares the profile lock.
    const LinkView link = host.link();
    if (!link.connected && !link.adHocActive) return nullptr;
    std::lock_guard<std::mutex> lock(host.profileLock());
    return host.profiles().inUse();
}

// CProfilePage ---------------------------------------------------------------------------

CProfilePage::CProfilePage(CProfileSheet& sheet, int templateId, int titleId, int headerTitleId)
    : Page(templateId, sheet.mainWindow().text(titleId),
           sheet.isWizard() ? sheet.mainWindow().text(headerTitleId) : std::string()),
      sheet_(sheet) {}

void CProfilePage::EnablePage(bool enable) {
    disableRemembered_ = !hasWindow() && !enable;
    if (hasWindow()) enableControls(enable);
}

void CProfilePage::applyRememberedDisable() {
    if (!disableRemembered_) return;
    disableRemembered_ = false;
    enableControls(false);
}

std::string CProfilePage::selectedText(int id) const {
    const int position = ui().selection(id);
    return position < 0 ? std::string() : ui().itemText(id, position);
}

std::string CProfilePage::text(int stringId) const { return sheet_.mainWindow().text(stringId); }

void CProfilePage::warn(int messageId, const std::string& detail) {
    ui().messageBox(text(messageId) + detail, sys::kMessageCaption,
                    fw::mb::Ok | fw::mb::IconExclamation);
}

bool CProfilePage::onInit() {
    initialising_ = true;
    const bool result = initPage();
    initialising_ = false;
    return result;
}

void CProfilePage::changed() {
    if (!initialising_) sheet_.notifyChanged();
}

void CProfilePage::setWizardButtons(unsigned buttons) {
    if (sheet_.isWizard()) sheet_.setWizardButtons(buttons);
}

// CProfileSheet --------------------------------------------------------------------------

namespace {

std::string captionOf(const ProfileHost& mainWindow, CProfileSheet::Purpose purpose) {
    switch (purpose) {
        case CProfileSheet::Purpose::Wizard:
            return mainWindow.text(IDS_CREATE_NEW_PROFILE);
        case CProfileSheet::Purpose::SecurityOnly:
            return mainWindow.text(IDS_CONFIGURE_NETWORK);
        case CProfileSheet::Purpose::Editor:
            break;
    }
    return {};
}

fw::Sheet::Mode modeOf(CProfileSheet::Purpose purpose) {
    switch (purpose) {
        case CProfileSheet::Purpose::Wizard:
            return fw::Sheet::Mode::Wizard;
        case CProfileSheet::Purpose::SecurityOnly:
            return fw::Sheet::Mode::Modal;
        case CProfileSheet::Purpose::Editor:
            break;
    }
    return fw::Sheet::Mode::Modeless;
}

}  // namespace

CProfileSheet::CProfileSheet(ProfileHost& mainWindow, Purpose purpose)
    : Sheet(captionOf(mainWindow, purpose), modeOf(purpose)),
      mainWindow_(mainWindow),
      purpose_(purpose) {
    security_ = mainWindow.makeSecurityPage(*this);
    if (purpose != Purpose::SecurityOnly) {
        network_ = std::make_unique<CBasicSettgPage>(*this);
        protocol_ = std::make_unique<CAdvSettgPage>(*this);
    }
    if (purpose == Purpose::Wizard) {
        complete_ = std::make_unique<CCompleteWiz>(*this);
        setWizardImages(IDB_WIZARD_WATERMARK, IDB_WIZARD_HEADER);
    }
    for (fw::Page* page : std::vector<fw::Page*>{network_.get(), security_.get(), protocol_.get(),
                                                 complete_.get()}) {
        if (page) addPage(*page);
    }
}

// The window goes before the pages it shows.
CProfileSheet::~CProfileSheet() {
    if (hasWindow()) ui().endDialog(fw::id::Cancel);
}

std::vector<CProfilePage*> CProfileSheet::profilePages() const {
    std::vector<CProfilePage*> pages;
    for (CProfilePage* page :
         std::vector<CProfilePage*>{network_.get(), security_.get(), protocol_.get()}) {
        if (page) pages.push_back(page);
    }
    return pages;
}

void CProfileSheet::forget(const Profile* profile) {
    if (edited_ == profile) edited_ = nullptr;
}

bool CProfileSheet::isEditingProfileInUse() const {
    return edited_ && profileInUse(mainWindow_) == edited_;
}

void CProfileSheet::load(Profile* profile) {
    if (!profile) return;
    edited_ = profile;
    Profile copy;
    {
        std::lock_guard<std::mutex> lock(mainWindow_.profileLock());
        copy = *profile;
    }
    terminateTextFields(copy);
    shared_.wep = copy.encryption == EncryptionWep;
    shared_.adHoc = copy.networkType == NetworkAdHoc;
    shared_.wirelessMode = shared_.adHoc ? copy.adHocWirelessMode : copy.wirelessMode;
    for (CProfilePage* page : profilePages()) page->LoadFromProfile(copy);
}

bool CProfileSheet::validate(const Profile* record) {
    for (CProfilePage* page : profilePages()) {
        if (!page->Validate(record)) return false;
    }
    return true;
}

bool CProfileSheet::store(Profile* record) {
    if (!record || !validate(record)) return false;
    // The pages read their controls into a copy; the record itself changes in one step
    // under the lock, so that the worker thread never sees it half written.
    Profile edited;
    {
        std::lock_guard<std::mutex> lock(mainWindow_.profileLock());
        edited = *record;
    }
    for (CProfilePage* page : profilePages()) page->StoreToProfile(edited);
    std::lock_guard<std::mutex> lock(mainWindow_.profileLock());
    edited.preferred = record->preferred;
    *record = edited;
    return true;
}

void CProfileSheet::enable(bool enable) {
    for (CProfilePage* page : profilePages()) page->EnablePage(enable);
}

bool CProfileSheet::createNewProfile() {
    auto record = std::make_unique<Profile>(blankProfile());
    if (!store(record.get())) return false;
    record->preferred = 1;
    newProfile_ = std::move(record);
    return true;
}

void CProfileSheet::notifyChanged() {
    if (purpose_ == Purpose::Editor && changeListener_) changeListener_();
}

void CProfileSheet::activate(const fw::Page& page) {
    const int index = indexOf(page);
    if (index >= 0 && index != activeIndex()) select(index);
}

void CProfileSheet::onOk() {
    if (purpose_ == Purpose::SecurityOnly && !(validate(nullptr) && store(edited_))) return;
    Sheet::onOk();
}
