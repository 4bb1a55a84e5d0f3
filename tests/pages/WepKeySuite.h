// The WEP key dialog suite's fixture.
#pragma once

#include <string>

#include "pages/WepKeyDlg.h"
#include "tests/pages/ProfileSuite.h"

namespace pagestest {

class WepKeyDialog : public ProfileEditing {
protected:
    // Runs the dialog over `block` while the user does `action`, which must end it.
    int run(WepBlock& block, const fw::DialogAction& action);
    // Key `key` (1..4) of `block` holds `bytes`.
    static void setKey(WepBlock& block, int key, const std::string& bytes);
    // The bytes key `key` holds, as far as its slot goes.
    static std::string keyOf(const WepBlock& block, int key);
    // The key format kept in the settings file.
    int storedFormat() { return mainWindow.settings().readSetting(sys::Setting::WepKeyFmt); }
    void storeFormat(int format) {
        mainWindow.settings().writeSetting(sys::Setting::WepKeyFmt, format);
    }
    // A paste: the edit takes the focus and its whole text is replaced.
    static void paste(fw::Dialog& dialog, fw::UserActions& user, int id, const std::string& text) {
        user.focus(id);
        dialog.ui().setText(id, text);
    }
};

}  // namespace pagestest
