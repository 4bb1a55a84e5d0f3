// The base of the main window's pages: a property page bound to its dialog template, with
// the two ways the main window reaches every page: the radio state and the private
// message zel::kEventMessage. What else a page needs of the main window it gets through
// the host interface it declares.
#pragma once

#include <cstdint>

#include "framework/Dialog.h"

class CZelPage : public fw::Page {
public:
    using fw::Page::Page;

    // The radio went on or off (the card came or went): a page disables what needs the
    // radio while it is off.
    virtual void setRadioState(bool) {}
    // zel::kEventMessage reached the page: a library event or a program code, with the
    // message's lParam as `value` (a text for the codes that carry one).
    virtual void onMainWindowEvent(uint32_t, intptr_t) {}
    // The main window went into the tray with this page selected: a page that refreshes
    // itself stops until the main window, coming back, selects it again.
    virtual void onSheetHidden() {}

protected:
    // The page's own message map; zel::kEventMessage never reaches it.
    virtual bool onPageMessage(const fw::Message&) { return false; }

private:
    bool onMessage(const fw::Message& m) final;
};
