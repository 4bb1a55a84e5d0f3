// The last page of the "Create New Profile" wizard ("Complete."): a summary of what the
// user entered on the other pages, and the Finish button that creates the profile.
#pragma once

#include <string>

#include "framework/Dialog.h"

class CProfileSheet;

class CCompleteWiz : public fw::Page {
public:
    explicit CCompleteWiz(CProfileSheet& sheet);

    // One line per item, each ending in "\r\n", from what the other pages hold now.
    std::string summary() const;

    void onSetActive() override;
    // Creates the profile; a page that refuses keeps the wizard open.
    bool onWizardFinish() override;

private:
    CProfileSheet& sheet_;
};
