// The Profile Manager page: every profile of the main window's list in one list view, in
// list order, with a check box for the prefer list and a mark on the profile in use; the
// profile sheet embedded as the editor of the selected profile; and the buttons and menu
// that create, delete, save, reorder and apply profiles. The page keeps no list of its
// own: each row shows a listed record. The list view holds no rows (it asks the page for
// the rows it draws), so that showing the page costs the same for any number of profiles.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pages/ProfileSheet.h"
#include "pages/ZelPage.h"

class CProfileManager : public CZelPage, private fw::RowSource {
public:
    explicit CProfileManager(ProfileHost& mainWindow);

    // The main window's OK while this page is active: stores the edited profile; false
    // (a page refused the input) keeps the window open.
    bool save();
    // The main window came back from the tray while this page is active.
    void reactivateEditor();

    // The embedded editor.
    CProfileSheet& editor() { return editor_; }

    bool onInit() override;
    void onSetActive() override;
    void onMainWindowEvent(uint32_t code, intptr_t value) override;

protected:
    bool onPageMessage(const fw::Message& m) override;

private:
    void onCreate(const fw::Message&);
    void onDelete(const fw::Message&);
    void onSave(const fw::Message&);
    void onMoveUp(const fw::Message&);
    void onMoveDown(const fw::Message&);
    void onApplyProfile(const fw::Message&);
    void onPrefer(const fw::Message&);
    void onUnprefer(const fw::Message&);
    void onPreferAll(const fw::Message&);
    void onPreferNone(const fw::Message&);
    void onRowClick(const fw::Message& m);
    void onRowRightClick(const fw::Message&);
    void onRowChanged(const fw::Message& m);
    void onRowKey(const fw::Message& m);

    // The list view's row: the record's name, its box from `preferred`, and the in-use
    // image on the marked record.
    fw::RowView rowView(int row) const override;
    // The listed profiles, read under the profile lock; infrastructure profiles are put
    // before ad-hoc ones first when asked.
    std::vector<Profile*> listedProfiles(bool infrastructureFirst);
    // Lists `rows`, `marked` with the in-use image; no row is left selected.
    void showRows(std::vector<Profile*> rows, const Profile* marked);
    // Shows the in-use image on `marked` (none: null) alone.
    void markRow(const Profile* marked);
    // Lists every profile, marks the one in use and selects its row (else the first).
    void fill();
    // Puts infrastructure profiles before ad-hoc ones and lists them again; the row of
    // `profile` afterwards.
    int resort(const Profile* profile);
    // Enables the buttons and the editor's pages for `row` (none: -1).
    void applyButtonRule(int row, bool enable);
    // The row selected: its profile goes into the editor.
    void rowSelected(int row);
    // Gives the in-use mark to the row of the profile in use when its network is the
    // card's; that row, or -1.
    int markProfileInUse();
    void select(int row);
    // The row's profile may trade places with the next row's (+1) or the previous one's
    // (-1) without crossing from infrastructure to ad-hoc.
    bool canMove(int row, int step) const;
    void move(int step);
    // Stores the editor into the selected row's profile and lists it in its new place.
    bool storeSelected();
    // Puts the row's profile (row -1: every row's) on the prefer list or takes it off.
    void setPreferred(int row, bool preferred);
    // Turns the row's box over: its profile goes on the prefer list or off it.
    void togglePreferred(int row);

    // The row's record; null when there is no such row or its record left the list.
    Profile* rowProfile(int row) const;

    static const fw::MessageEntry<CProfileManager> kMap[];

    ProfileHost& mainWindow_;
    CProfileSheet editor_;
    // The record of each row, in row order, and the one with the in-use image.
    std::vector<Profile*> rows_;
    const Profile* marked_ = nullptr;
};
