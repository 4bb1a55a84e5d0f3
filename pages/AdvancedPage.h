// The Advanced page: the card's radio settings as the adapter control library reports
// them (power save, preamble, antennas, transmit power and rate, the fragmentation and
// RTS/CTS thresholds), of which it sends the card only those the user changed; and the
// two program switches kept in the settings file, automatic reconnection and Auto Link.
// Nothing of it is stored in a profile.
#pragma once

#include <cstdint>
#include <string>

#include "pages/AdapterAccess.h"
#include "pages/RadioValues.h"
#include "pages/ZelPage.h"
#include "system/Settings.h"

// What the Advanced page needs of the main window beside the card.
class AdvancedHost : public AdapterAccess {
public:
    virtual sys::Settings& settings() = 0;
    // A text of the string table.
    virtual std::string text(int stringId) const = 0;

    // The program switches the worker follows from its next cycle on.
    virtual bool autoLinkEnabled() const = 0;
    virtual void setAutoConfiguration(bool on) = 0;
    virtual void setAutoLink(bool on) = 0;
};

class CAdvancedPage : public CZelPage {
public:
    // The settings that are waiting to be sent, one bit each.
    enum Pending : unsigned {
        PendingPowerSave = 0x001,
        PendingPreamble = 0x002,
        PendingTxAntenna = 0x004,
        PendingRxAntenna = 0x008,
        PendingRate = 0x010,
        PendingFragThreshold = 0x020,
        PendingRtsThreshold = 0x040,
        PendingTxPower = 0x200,
    };

    explicit CAdvancedPage(AdvancedHost& host);

    // Sends the changed settings to the card, if any wait: the main window's OK.
    void applyPending();

    bool onInit() override;
    // Shown: the rate list of the wireless mode and what the card holds. Left: the
    // changes not yet sent are dropped.
    void onSetActive() override;
    bool onKillActive() override;
    // The main window's Cancel: what was not sent is dropped.
    void onReset() override;
    void onMainWindowEvent(uint32_t code, intptr_t value) override;

protected:
    bool onPageMessage(const fw::Message& m) override;

private:
    void onPowerSave(const fw::Message&);
    void onPreamble(const fw::Message&);
    void onTxAntenna(const fw::Message&);
    void onRxAntenna(const fw::Message&);
    void onTxPower(const fw::Message&);
    void onRate(const fw::Message&);
    void onFragThreshold(const fw::Message&);
    void onRtsThreshold(const fw::Message&);
    void onApplyClick(const fw::Message&);
    void onDefaultClick(const fw::Message&);
    void onAutoConnect(const fw::Message&);
    void onAutoLink(const fw::Message&);

    // A change the user made; those the page makes itself while it shows values count not.
    void userChanged(unsigned pending);
    // "Auto" and the rates of the card's wireless mode.
    void fillRates();
    // Shows what the card holds, or empty fields without a card.
    void refresh();
    void showSwitches();
    void showThresholds();
    // Reads the thresholds' edits; a text that is no number keeps the value held.
    void readThresholds();
    // Sends each pending setting, in the card's order.
    void apply();

    static const fw::MessageEntry<CAdvancedPage> kMap[];

    AdvancedHost& host_;
    int32_t fragThreshold_ = kFragMax;
    int32_t rtsThreshold_ = kRtsMax;
    unsigned pending_ = 0;
    // The page is setting its controls: their change notifications are not the user's.
    bool showing_ = false;
};
