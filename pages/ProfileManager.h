// The Profile Manager page: lists, edits, orders and applies the profiles.
#pragma once

#include "pages/ZelPage.h"
#include "res/resource.h"

class CProfileManager : public CZelPage {
public:
    CProfileManager() : CZelPage(IDD_PROFILE_MANAGER, "Profile Manager") {}

    // The main window's OK while this page is active: stores the edited profile; false
    // keeps the window open.
    bool save() { return true; }
    // The main window came back from the tray while this page is active.
    void reactivateEditor() {}
};
