#include "pages/ProfileManager.h"

#include <algorithm>
#include <string>
#include <vector>

#include "adapter/ZelShared.h"
#include "framework/Host.h"
#include "res/resource.h"

namespace {

constexpr int kProfileImage = 0;
constexpr int kInUseImage = 1;
// The strip of the list where the check boxes stand, in pixels from its left edge.
constexpr int kCheckBoxStrip = 15;
constexpr unsigned kTipDelay = 200;
// How long the page shows its busy state before it applies a profile.
constexpr unsigned kBusyPause = 100;
constexpr unsigned kSelectedAndFocused = fw::row::Selected | fw::row::Focused;

}  // namespace

const fw::MessageEntry<CProfileManager> CProfileManager::kMap[] = {
    fw::onClick(IDC_PM_CREATE, &CProfileManager::onCreate),
    fw::onClick(IDC_PM_DELETE, &CProfileManager::onDelete),
    fw::onClick(IDC_PM_SAVE, &CProfileManager::onSave),
    fw::onClick(IDC_PM_MOVE_UP, &CProfileManager::onMoveUp),
    fw::onClick(IDC_PM_MOVE_DOWN, &CProfileManager::onMoveDown),
    fw::onClick(IDC_PM_APPLY, &CProfileManager::onApplyProfile),
    fw::onClick(ID_PM_SWITCH, &CProfileManager::onApplyProfile),
    fw::onClick(ID_PM_PREFER, &CProfileManager::onPrefer),
    fw::onClick(ID_PM_UNPREFER, &CProfileManager::onUnprefer),
    fw::onClick(ID_PM_PREFER_ALL, &CProfileManager::onPreferAll),
    fw::onClick(ID_PM_PREFER_NONE, &CProfileManager::onPreferNone),
    fw::onNotify(fw::code::Click, IDC_PM_LIST, &CProfileManager::onRowClick),
    fw::onNotify(fw::code::DoubleClick, IDC_PM_LIST, &CProfileManager::onApplyProfile),
    fw::onNotify(fw::code::RightClick, IDC_PM_LIST, &CProfileManager::onRowRightClick),
    fw::onNotify(fw::code::ItemChanged, IDC_PM_LIST, &CProfileManager::onRowChanged),
    fw::onNotify(fw::code::KeyDown, IDC_PM_LIST, &CProfileManager::onRowKey),
};

CProfileManager::CProfileManager(ProfileHost& mainWindow)
    : CZelPage(IDD_PROFILE_MANAGER, "Profile Manager"),
      mainWindow_(mainWindow),
      editor_(mainWindow, CProfileSheet::Purpose::Editor) {
    editor_.setChangeListener([this] { ui().enable(IDC_PM_SAVE, true); });
}

bool CProfileManager::onPageMessage(const fw::Message& m) { return fw::dispatch(*this, kMap, m); }

bool CProfileManager::onInit() {
    // The rows' source before the style: the list tells of its check boxes at once.
    ui().setRowSource(IDC_PM_LIST, this);
    ui().setListStyle(IDC_PM_LIST, fw::lvs::CheckBoxes);
    ui().addColumn(IDC_PM_LIST, "", ui().clientWidth(IDC_PM_LIST) * 9 / 10);
    ui().setImages(IDC_PM_LIST, {IDI_PROFILE, IDI_PROFILE_IN_USE}, 16, 4);
    ui().addTip(IDC_PM_LIST, mainWindow_.text(IDS_PREFER_LIST_TIP), 0, kCheckBoxStrip, kTipDelay);
    host().embedSheet(editor_, *this, {IDC_PM_SETTING, 2, 20, 2, 2});
    return true;
}

void CProfileManager::onSetActive() { fill(); }

fw::RowView CProfileManager::rowView(int row) const {
    fw::RowView view;
    if (row < 0 || static_cast<size_t>(row) >= rows_.size()) return view;
    const Profile* profile = rows_[row];
    std::lock_guard<std::mutex> lock(mainWindow_.profileLock());
    if (!mainWindow_.profiles().contains(profile)) return view;
    view.text = fieldText(profile->name);
    view.image = profile == marked_ ? kInUseImage : kProfileImage;
    view.checked = isPreferred(*profile);
    view.data = reinterpret_cast<intptr_t>(profile);
    return view;
}

Profile* CProfileManager::rowProfile(int row) const {
    if (row < 0 || static_cast<size_t>(row) >= rows_.size()) return nullptr;
    std::lock_guard<std::mutex> lock(mainWindow_.profileLock());
    return mainWindow_.profiles().contains(rows_[row]) ? rows_[row] : nullptr;
}

void CProfileManager::select(int row) {
    if (row >= 0) ui().setRowState(IDC_PM_LIST, row, kSelectedAndFocused, kSelectedAndFocused);
}

std::vector<Profile*> CProfileManager::listedProfiles(bool infrastructureFirst) {
    std::vector<Profile*> rows;
    std::lock_guard<std::mutex> lock(mainWindow_.profileLock());
    ProfileList& profiles = mainWindow_.profiles();
    if (infrastructureFirst) profiles.sortInfrastructureFirst();
    rows.reserve(profiles.size());
    for (const auto& profile : profiles) rows.push_back(profile.get());
    return rows;
}

void CProfileManager::showRows(std::vector<Profile*> rows, const Profile* marked) {
    // The selection goes first, so that selecting a row afterwards loads it anew.
    const int selected = ui().selectedRow(IDC_PM_LIST);
    if (selected >= 0) ui().setRowState(IDC_PM_LIST, selected, 0, kSelectedAndFocused);
    rows_ = std::move(rows);
    marked_ = marked;
    ui().setRowCount(IDC_PM_LIST, static_cast<int>(rows_.size()));
    ui().redrawRows(IDC_PM_LIST);
}

void CProfileManager::markRow(const Profile* marked) {
    if (marked_ == marked) return;
    marked_ = marked;
    ui().redrawRows(IDC_PM_LIST);
}

void CProfileManager::fill() {
    showRows(listedProfiles(false), nullptr);
    if (rows_.empty()) {
        applyButtonRule(-1, false);
    } else {
        const int inUse = markProfileInUse();
        select(inUse >= 0 ? inUse : 0);
    }
    ui().enable(IDC_PM_SAVE, false);
    ui().setFocus(IDC_PM_LIST);
}

int CProfileManager::markProfileInUse() {
    const LinkView link = mainWindow_.link();
    const Profile* inUse = profileInUse(mainWindow_);
    if (!inUse) return -1;
    const auto row = std::find(rows_.begin(), rows_.end(), inUse);
    if (row == rows_.end()) return -1;
    bool onLink;
    {
        std::lock_guard<std::mutex> lock(mainWindow_.profileLock());
        onLink = joinsAnyNetwork(*inUse) ||
                 (fieldText(inUse->ssid) == link.ssid && inUse->networkType == link.networkMode);
    }
    if (!onLink) return -1;
    markRow(inUse);
    return static_cast<int>(row - rows_.begin());
}

int CProfileManager::resort(const Profile* profile) {
    showRows(listedProfiles(true), profileInUse(mainWindow_));
    const auto row = std::find(rows_.begin(), rows_.end(), profile);
    return row == rows_.end() ? -1 : static_cast<int>(row - rows_.begin());
}

bool CProfileManager::canMove(int row, int step) const {
    const int other = row + step;
    const Profile* profile = rowProfile(row);
    const Profile* neighbour = rowProfile(other);
    if (!profile || !neighbour) return false;
    std::lock_guard<std::mutex> lock(mainWindow_.profileLock());
    const bool infrastructure = isInfrastructure(*profile);
    const bool otherInfrastructure = isInfrastructure(*neighbour);
    // Upwards an ad-hoc profile stops below the last infrastructure one; downwards an
    // infrastructure profile stops above the first ad-hoc one.
    return step < 0 ? !(otherInfrastructure && !infrastructure)
                    : !(!otherInfrastructure && infrastructure);
}

void CProfileManager::applyButtonRule(int row, bool enable) {
    for (int id : {IDC_PM_DELETE, IDC_PM_APPLY, IDC_PM_MOVE_UP, IDC_PM_MOVE_DOWN}) {
        ui().enable(id, enable);
    }
    editor_.enable(enable);
    if (const Profile* profile = rowProfile(row)) {
        bool isDefault;
        {
            std::lock_guard<std::mutex> lock(mainWindow_.profileLock());
            isDefault = isDefaultProfile(*profile);
        }
        if (isDefault) {
            ui().enable(IDC_PM_DELETE, false);
            editor_.enable(false);
        }
        if (profile == profileInUse(mainWindow_)) ui().enable(IDC_PM_DELETE, false);
        if (enable) {
            ui().enable(IDC_PM_MOVE_UP, canMove(row, -1));
            ui().enable(IDC_PM_MOVE_DOWN, canMove(row, +1));
        }
    }
    ui().redrawNow();
}

void CProfileManager::rowSelected(int row) {
    Profile* profile = rowProfile(row);
    if (!profile) return;
    applyButtonRule(row, true);
    editor_.load(profile);
    bool isDefault;
    {
        std::lock_guard<std::mutex> lock(mainWindow_.profileLock());
        isDefault = isDefaultProfile(*profile);
    }
    if (isDefault) editor_.enable(false);
    markRow(mainWindow_.adapterOpen() ? profileInUse(mainWindow_) : nullptr);
    ui().enable(IDC_PM_SAVE, false);
}

void CProfileManager::onRowChanged(const fw::Message& m) {
    if (m.row < 0 || !m.gained(fw::row::Selected)) return;
    // After Space the list selects its focused row anew: the editor keeps what the user
    // typed into it.
    if ((m.oldState & fw::row::Focused) && rowProfile(m.row) == editor_.editedProfile()) return;
    rowSelected(m.row);
}

void CProfileManager::togglePreferred(int row) {
    if (rowProfile(row)) setPreferred(row, !ui().isRowChecked(IDC_PM_LIST, row));
}

void CProfileManager::onRowClick(const fw::Message& m) {
    // The click comes before the list turns the box over: the profile takes the state
    // the box is about to show.
    if (m.row >= 0 && m.x >= 0 && m.x <= kCheckBoxStrip) togglePreferred(m.row);
}

void CProfileManager::onRowKey(const fw::Message& m) {
    // Space turns the box of the selected row over, as a click on it does; the key comes
    // before the list acts on it.
    if (m.key == fw::vk::Space) togglePreferred(ui().selectedRow(IDC_PM_LIST));
}

void CProfileManager::onRowRightClick(const fw::Message&) {
    if (ui().selectedRow(IDC_PM_LIST) < 0) return;
    if (const int command = ui().popupMenu(IDR_PROFILE_MENU, 0)) {
        fw::Message chosen;
        chosen.message = fw::msg::Command;
        chosen.code = fw::code::Clicked;
        chosen.id = command;
        onPageMessage(chosen);
    }
}

void CProfileManager::onCreate(const fw::Message&) {
    CProfileSheet wizard(mainWindow_, CProfileSheet::Purpose::Wizard);
    if (host().runSheet(wizard, this) != fw::id::Ok) return;
    std::unique_ptr<Profile> created = wizard.takeNewProfile();
    if (!created) return;
    Profile* profile;
    {
        std::lock_guard<std::mutex> lock(mainWindow_.profileLock());
        profile = mainWindow_.profiles().append(std::move(created));
    }
    select(resort(profile));
    editor_.select(0);
}

void CProfileManager::onDelete(const fw::Message&) {
    const int row = ui().selectedRow(IDC_PM_LIST);
    Profile* profile = rowProfile(row);
    if (!profile || profile == profileInUse(mainWindow_)) return;
    editor_.forget(profile);
    std::unique_ptr<Profile> removed;
    {
        std::lock_guard<std::mutex> lock(mainWindow_.profileLock());
        removed = mainWindow_.profiles().remove(profile);
    }
    std::vector<Profile*> left = std::move(rows_);
    left.erase(left.begin() + row);
    showRows(std::move(left), marked_ == profile ? nullptr : marked_);
    const int rows = static_cast<int>(rows_.size());
    if (rows == 0) {
        applyButtonRule(-1, false);
    } else {
        select(row < rows ? row : rows - 1);
    }
}

bool CProfileManager::storeSelected() {
    Profile* profile = rowProfile(ui().selectedRow(IDC_PM_LIST));
    if (!profile) return true;
    if (!editor_.store(profile)) return false;
    const int moved = resort(profile);
    applyButtonRule(moved, true);
    select(moved);
    return true;
}

bool CProfileManager::save() {
    if (!hasWindow()) return true;
    ui().setWaitCursor(true);
    const bool stored = storeSelected();
    ui().setWaitCursor(false);
    ui().enable(IDC_PM_SAVE, false);
    return stored;
}

void CProfileManager::onSave(const fw::Message&) { save(); }

void CProfileManager::reactivateEditor() {
    if (editor_.activeIndex() >= 0) editor_.select(editor_.activeIndex());
}

void CProfileManager::move(int step) {
    const int row = ui().selectedRow(IDC_PM_LIST);
    if (!canMove(row, step)) return;
    Profile* profile = rowProfile(row);
    const int target = row + step;
    std::vector<Profile*> rows = std::move(rows_);
    std::swap(rows[row], rows[target]);
    showRows(std::move(rows), profile == profileInUse(mainWindow_) ? profile : marked_);
    {
        std::lock_guard<std::mutex> lock(mainWindow_.profileLock());
        ProfileList& profiles = mainWindow_.profiles();
        const auto from = profiles.indexOf(profile);
        if (from && *from + step < profiles.size()) profiles.move(*from, *from + step);
    }
    applyButtonRule(target, true);
    select(target);
}

void CProfileManager::onMoveUp(const fw::Message&) { move(-1); }

void CProfileManager::onMoveDown(const fw::Message&) { move(+1); }

void CProfileManager::onApplyProfile(const fw::Message&) {
    if (!mainWindow_.adapterOpen() || ui().selectedRow(IDC_PM_LIST) < 0) return;
    ui().setWaitCursor(true);
    const bool stored = storeSelected();
    ui().enable(IDC_PM_SAVE, false);
    if (!stored) {
        ui().setWaitCursor(false);
        return;
    }
    Profile* profile = rowProfile(ui().selectedRow(IDC_PM_LIST));
    if (!profile) {
        ui().setWaitCursor(false);
        return;
    }

    // Busy: the main window holds off, and the page takes no input until the card has
    // been told.
    mainWindow_.setBusy(true);
    editor_.select(0);
    applyButtonRule(-1, false);
    ui().enable(IDC_PM_CREATE, false);
    ui().redrawNow();
    ui().pause(kBusyPause);
    mainWindow_.connectProfile(profile);
    fill();

    applyButtonRule(ui().selectedRow(IDC_PM_LIST), true);
    ui().enable(IDC_PM_CREATE, true);
    mainWindow_.setBusy(false);
    ui().enable(IDC_PM_SAVE, false);
    ui().redrawNow();
    ui().setWaitCursor(false);
}

void CProfileManager::setPreferred(int row, bool preferred) {
    {
        std::lock_guard<std::mutex> lock(mainWindow_.profileLock());
        const ProfileList& profiles = mainWindow_.profiles();
        const size_t first = row < 0 ? 0 : static_cast<size_t>(row);
        const size_t end = row < 0 ? rows_.size() : std::min(first + 1, rows_.size());
        for (size_t at = first; at < end; ++at) {
            if (profiles.contains(rows_[at])) rows_[at]->preferred = preferred ? 1 : 0;
        }
    }
    ui().redrawRows(IDC_PM_LIST);
}

void CProfileManager::onPrefer(const fw::Message&) {
    const int row = ui().selectedRow(IDC_PM_LIST);
    if (row >= 0) setPreferred(row, true);
}

void CProfileManager::onUnprefer(const fw::Message&) {
    const int row = ui().selectedRow(IDC_PM_LIST);
    if (row >= 0) setPreferred(row, false);
}

void CProfileManager::onPreferAll(const fw::Message&) { setPreferred(-1, true); }

void CProfileManager::onPreferNone(const fw::Message&) { setPreferred(-1, false); }

void CProfileManager::onMainWindowEvent(uint32_t code, intptr_t) {
    switch (code) {
        case zel::EventDisassociated:
        case zel::EventAssociated:
        case zel::EventReassociated:
        case zel::EventLinkLost: {
            if (!profileInUse(mainWindow_) || rows_.empty()) return;
            markRow(nullptr);
            const int inUse = markProfileInUse();
            select(inUse >= 0 ? inUse : 0);
            break;
        }
        case zel::EventMediaCheck:
            if (mainWindow_.busy() || profileInUse(mainWindow_)) return;
            markRow(nullptr);
            break;
        default:
            break;
    }
}
