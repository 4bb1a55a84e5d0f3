// The Network Status page: picking and applying a profile; the state of the link, the
// signal as a level bar, the IP configuration of the card's interface and the transmit
// and receive throughput graphs. It refreshes itself once a second while it is the
// visible page, and whenever the main window reports a change. It reads the connection
// state block and never changes it, except through the profile it applies.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pages/MainPageHost.h"
#include "pages/MainPageRules.h"
#include "pages/SignalLevel.h"
#include "pages/ZelPage.h"
#include "res/resource.h"

class CMainPage : public CZelPage {
public:
    // The page's refresh timer.
    static constexpr int kTimer = 4096;
    static constexpr unsigned kTimerMs = 1000;

    CMainPage(MainPageHost& host, MainPagePlatform& platform);

    bool onInit() override;
    // Shown: fresh samples, the profiles, the display, the graphs going on and the refresh
    // timer with one tick at once. Left, or hidden in the tray: the timer and the graphs
    // stop, and so the readings of the card's interface.
    void onSetActive() override;
    bool onKillActive() override;
    void onSheetHidden() override { onKillActive(); }
    // While the radio is off the page stands still.
    void setRadioState(bool on) override;
    void onMainWindowEvent(uint32_t code, intptr_t value) override;

protected:
    bool onPageMessage(const fw::Message& m) override;

private:
    // The texts of the page's fields, moved to the controls together.
    struct Texts {
        std::string status;
        std::string ssid;
        std::string networkType;
        std::string bssid;
        std::string security;
        std::string linkSpeed;
        std::string dhcp;
        std::string ipAddress;
        std::string subnetMask;
        std::string gateway;
        std::string channel;
        std::string transmitRate;
        std::string receiveRate;
        std::string transmitTop;
        std::string transmitMiddle;
        std::string receiveTop;
        std::string receiveMiddle;
    };
    struct Field {
        int id;
        std::string Texts::*text;
    };
    static const Field kFields[];
    // What one graph shows: its scale, as the last largest rate it was set for, and the
    // labels of its top and middle.
    struct Scale {
        uint32_t largest;
        std::string Texts::*top;
        std::string Texts::*middle;
    };

    void onTimer(const fw::Message&);
    void onProfileChosen(const fw::Message&);

    void fillProfileList();
    void updateDisplay();
    void showLink(const ConnectionState& link);
    void selectProfileInUse(const ConnectionState& link);
    void reset(const std::string& status);
    void clearFields();
    void showStatusOnly(const std::string& status);
    void resetScales();

    void tick();
    void readSignal(ZelHandle adapter);
    void readLinkSpeed(ZelHandle adapter);
    void showInterface(ZelHandle adapter);
    void showRates(const status::Rates& rates);
    void rescale(Graph graph, Scale& scale, uint32_t largest);

    void apply(const Profile* profile);
    void setBusy(bool busy);
    // The profiles the list's entries hold, in list order (read from the page's copy,
    // not entry by entry from the list); null for one that has left the profile list
    // since the list was filled.
    std::vector<const Profile*> listedProfiles() const;
    void moveTexts();

    static const fw::MessageEntry<CMainPage> kMap[];

    MainPageHost& host_;
    MainPagePlatform& platform_;
    Texts texts_;
    // What the controls show; nothing when they must all be set.
    std::optional<Texts> shown_;
    SignalSamples signal_;
    status::LinkSpeedSamples linkSpeed_;
    status::RateMeter rates_;
    Scale transmitScale_{};
    Scale receiveScale_{};
    bool paused_ = false;
    bool timerRunning_ = false;
    // Each entry of the "Select Profile" list, in entry order.
    struct Entry {
        std::string name;
        const Profile* profile;
        bool operator==(const Entry& other) const {
            return profile == other.profile && name == other.name;
        }
    };
    std::vector<Entry> entries_;
};
