// The network page of the profile sheet ("Network Info"): the profile's name and SSID,
// its network type, the infrastructure wireless mode, and for an ad-hoc network the
// wireless mode and channel the card starts it with.
#pragma once

#include <cstdint>
#include <string>

#include "pages/ProfileSheet.h"

class CBasicSettgPage : public CProfilePage {
public:
    explicit CBasicSettgPage(CProfileSheet& sheet);

    void LoadFromProfile(const Profile& profile) override;
    bool Validate(const Profile* record) override;
    bool StoreToProfile(Profile& profile) override;

    // What the page holds, as of its last load or the last time the user left it.
    const std::string& profileName() const { return name_; }
    const std::string& ssid() const { return ssid_; }

    bool initPage() override;
    void onSetActive() override;
    bool onKillActive() override;

protected:
    bool onMessage(const fw::Message& m) override;
    void enableControls(bool enable) override;

private:
    void onTextChange(const fw::Message&);
    void onNetworkTypeChange(const fw::Message&);
    void onInfrastructureModeChange(const fw::Message&);
    void onAdHocModeChange(const fw::Message&);
    void onChannelChange(const fw::Message&);

    // The wizard's buttons follow the name (Next only once the profile has one); the user
    // changed a value.
    void nameOrSsidChanged();
    // Shows the controls of the network type chosen, with its first wireless mode and,
    // for Ad-Hoc, no channel chosen.
    void changeNetworkType();
    // The network type selected in the window.
    bool adHocShown() const;
    // "Auto Select", then the main window's channels unless no ad-hoc mode is selected.
    void fillChannels();
    // Shows the controls of the selected network type, enabled when `enable` is on.
    void showTypeControls(bool enable);
    // Shows the members in the window.
    void showMembers();
    // Reads the window into the members.
    void readControls();

    static const fw::MessageEntry<CBasicSettgPage> kMap[];

    std::string name_;
    std::string ssid_;
    uint32_t networkType_ = NetworkInfrastructure;
    uint32_t wirelessMode_ = WirelessAuto;
    uint32_t adHocMode_ = Wireless80211g;
    uint32_t channel_ = 0;
    uint8_t hiddenSsid_ = 0;
};

// The text of a channel entry: "CH 6 (2.437 GHz)".
std::string channelText(int channel);
