// The protocol page of the profile sheet ("Protocol"): whether the profile changes the
// card's radio settings at all, and if so its power save mode, 802.11b preamble,
// transmit rate, fragmentation threshold and RTS/CTS threshold.
#pragma once

#include <cstdint>
#include <string>

#include "pages/ProfileSheet.h"
#include "pages/RadioValues.h"

class CAdvSettgPage : public CProfilePage {
public:
    explicit CAdvSettgPage(CProfileSheet& sheet);

    void LoadFromProfile(const Profile& profile) override;
    bool Validate(const Profile* record) override;
    bool StoreToProfile(Profile& profile) override;

    // The thresholds the page holds, as of its last load or the last time the user left it.
    uint32_t fragThreshold() const { return frag_; }
    uint32_t rtsThreshold() const { return rts_; }

    bool initPage() override;
    void onSetActive() override;
    bool onKillActive() override;

protected:
    bool onMessage(const fw::Message& m) override;
    void enableControls(bool enable) override;

private:
    void onKeepClick(const fw::Message&);
    void onResetClick(const fw::Message&);
    void onValueChange(const fw::Message&);

    // The controls follow "Do not change settings"; an ad-hoc network keeps the radio
    // awake. Rebuilds the rate list.
    void applyEnableRule();
    // "Auto" and the rates of the sheet's wireless mode, keeping the rate selected.
    void fillRates();
    void showMembers();
    void readControls();
    // A threshold as its edit shows it; a text that is no number, a negative number and a
    // number too large for 32 bits all read as values that no range admits.
    uint32_t threshold(int id) const;

    static const fw::MessageEntry<CAdvSettgPage> kMap[];

    bool keepCardSettings_ = true;
    uint32_t powerMode_ = 0;
    uint32_t preamble_ = 0;
    uint32_t rate_ = 0;
    uint32_t frag_ = kFragMax;
    uint32_t rts_ = kRtsMax;
};
