// The Site Survey page: asks the card to scan, lists the networks of its scan list with
// their BSSID, security, channel, signal and network type, filtered by network kind,
// marks the network the card is on, and joins the network the user picks, with a
// matching profile or with a new one made from the scan record.
//
// The page keeps the scan list of its last fill; each row's item data is the position
// of its record in that buffer, so what a click or Associate reads is the record shown.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "adapter/ScanList.h"
#include "pages/ProfileManager.h"
#include "pages/ProfileSheet.h"
#include "pages/ZelPage.h"
#include "profiles/ConnectionMonitor.h"

// What the Site Survey page needs of the main window beside what the profile sheet
// needs: the card, its connection state and the profile in use.
class SiteSurveyHost : public ProfileHost {
public:
    // The adapter library, and the adapter handle (null while no card is open).
    virtual const ZelApi& api() const = 0;
    virtual ZelHandle adapter() const = 0;
    // A copy of the connection state block.
    virtual ConnectionState connection() const = 0;
    // Tells the card which profile is in use (none: null) and puts it at the front of its
    // group; not while holding the profile lock.
    virtual void markInUse(const Profile* profile) = 0;
};

// What the page takes of a scan record before it may show anything: a copy, so that a
// list filled again while a sheet is up changes nothing of the network being joined.
struct SurveyNetwork {
    scan::Bssid bssid{};
    std::string ssid;
    bool privacy = false;
    bool adHoc = false;
    uint32_t driverBand = 0;
    scan::Band band = scan::Band80211b;
    uint32_t channel = 0;
};

SurveyNetwork surveyNetwork(const scan::Entry& entry);

// The first profile of `profiles` for `network`: the same SSID and network type, and a
// wireless mode of Auto, the record's driver band or its computed band.
Profile* matchingProfile(const ProfileList& profiles, const SurveyNetwork& network);

// A new profile for `network` named `name`, with `security` when the network has privacy.
Profile surveyProfile(const SurveyNetwork& network, const std::string& name,
                      const scan::Security& security);

class CSiteSurvey : public CZelPage {
public:
    explicit CSiteSurvey(SiteSurveyHost& mainWindow);

    bool onInit() override;
    void onSetActive() override;
    void onMainWindowEvent(uint32_t code, intptr_t value) override;

    // Joins the network of `row`; nothing for a row that shows no named network.
    void associate(int row);

protected:
    bool onPageMessage(const fw::Message& m) override;

private:
    void onRefresh(const fw::Message&);
    void onAssociate(const fw::Message&);
    void onFilter(const fw::Message& m);
    void onRowClick(const fw::Message& m);
    void onRowChanged(const fw::Message& m);
    void onRowDoubleClick(const fw::Message& m);
    void onListKillFocus(const fw::Message&);

    // Refresh: a new scan, then the list filled again.
    void refresh();
    // Reads the card's scan list and lists what the filters let through.
    void fill();
    // The record that `row` shows, from the list of the last fill.
    std::optional<scan::Entry> shownRecord(int row) const;
    // Associate is enabled for a row that shows a named network.
    void enableAssociateFor(int row);
    // Busy while the card scans or connects: the main window and the worker hold off, and
    // the page takes no input.
    void enterBusy();
    void leaveBusy();
    // What became of a connect with `result` for `profile` (`created` when it is new).
    void connected(int result, Profile* profile, std::unique_ptr<Profile> created);

    static const fw::MessageEntry<CSiteSurvey> kMap[];

    SiteSurveyHost& mainWindow_;

    bool showAdHoc_ = true;
    bool show80211g_ = true;
    bool show80211b_ = true;
    // The link as the last fill saw it.
    std::string currentSsid_;
    scan::Bssid currentBssid_{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    bool currentAdHoc_ = false;
    uint32_t currentChannel_ = 0;
    // The scan list of the last fill.
    std::vector<uint8_t> buffer_;
    // The control that had the focus when the page became busy.
    int focusBeforeBusy_ = 0;
};
