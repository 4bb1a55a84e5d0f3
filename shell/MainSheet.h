// The main window: a modeless property sheet that owns what lives as long as the program
// (the adapter handle, the profile list, the connection state, the radio state, the worker
// thread) and reaches the tray icon, the tray menu and the tab strip through its platform.
// It opens and closes the adapter as the card comes and goes, handles the library's events
// and the program's own codes of zel::kEventMessage and forwards them to the current page,
// keeps the page set full or reduced as Zero Configuration lets go of the card or takes it,
// and switches the radio.
//
// Everything here runs on the window's thread but for what the worker thread calls (the
// WorkerHost operations), which touches no window.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "adapter/ZelApi.h"
#include "framework/Sheet.h"
#include "pages/AboutPage.h"
#include "pages/AdminTool.h"
#include "pages/AdvancedPage.h"
#include "pages/AutoLinkDlg.h"
#include "pages/DiagnosticsHost.h"
#include "pages/MainPageHost.h"
#include "pages/ProfileSheet.h"
#include "pages/SiteSurvey.h"
#include "pages/StatisticsTables.h"
#include "profiles/ConnectEngine.h"
#include "profiles/ConnectionMonitor.h"
#include "profiles/ProfileFile.h"
#include "profiles/Worker.h"
#include "shell/ShellPlatform.h"
#include "system/OsKind.h"
#include "system/Settings.h"

class CZelPage;
class CMainPage;
class CProfileManager;
class CAdvancedPage;

class CMainSheet : public fw::Sheet,
                   public WorkerHost,
                   public MainPageHost,
                   public StatisticsHost,
                   public SiteSurveyHost,
                   public DiagnosticsHost,
                   public AdminHost,
                   public AdvancedHost,
                   public AutoLinkHost {
public:
    // Reads its settings, creates its pages and loads the profile file at `profilePath`.
    CMainSheet(const ZelApi& api, sys::Settings& settings, sys::OsKind osKind,
               std::string profilePath, ShellPlatform& platform);
    ~CMainSheet() override;

    bool onInit() override;

    // ConnectHost, for the connect engine and the worker.
    ZelHandle adapter() const override { return adapter_; }
    bool radioOn() const override { return radioOn_; }
    ProfileList& profiles() override { return profiles_; }
    std::mutex& profileLock() override { return profileLock_; }
    LinkView refreshConnection(bool connected) override;
    // TrayDisplay: from the worker the state goes to the window thread without waiting.
    void showTrayState(TrayState state) override;
    // WorkerHost.
    bool busy() const override { return busy_; }
    bool zeroConfigActive() const override { return zeroConfigActive_; }
    bool autoLinkEnabled() const override { return autoLink_; }
    bool autoConfigurationEnabled() const override { return autoConfiguration_; }
    LinkView link() const override { return monitor_.link(); }
    void requestAutoLinkDetection() override;
    void showStatus(const std::string& text) override;
    void autoConfigurationPassEnded() override;
    void reportAutoLinkFailed() override;

    // What pages use (MainPageHost, for the Network Status page; StatisticsHost).
    const ZelApi& api() const override { return api_; }
    sys::Settings& settings() override { return settings_; }
    ConnectionState connection() const override { return monitor_.state(); }
    uint32_t currentWepStatus() override { return monitor_.currentWepStatus(adapter_); }
    const std::array<uint8_t, 6>& macAddress() const override { return macAddress_; }
    void setBusy(bool busy) override { busy_ = busy; }
    bool refreshRateEverySecond() const override { return refreshRatePS_; }
    // DiagnosticsHost: the Debug page's switches.
    void setRefreshRateEverySecond(bool on) override { refreshRatePS_ = on; }
    bool trace() const override { return trace_; }
    void setTrace(bool on) override { trace_ = on; }
    bool dhcpFromLibrary() const override { return osKind_ == sys::OsWin9x; }
    int connectProfile(const Profile* profile) override { return engine_.connectProfile(profile); }
    void markInUse(const Profile* profile) override { engine_.markInUse(profile); }
    // ProfileHost: what the profile pages and the Site Survey page need beside the above.
    std::string text(int stringId) const override { return platform_.text(stringId); }
    sys::ChannelRange channelRange() const override;
    bool adapterOpen() const override { return adapter_ != nullptr; }
    // Every profile sheet's security page, over the personal certificate store.
    std::unique_ptr<CProfilePage> makeSecurityPage(CProfileSheet& sheet) override;
    // AdminHost: the profile store on the user's files, and the pages letting go of
    // profiles that an import took out of the list.
    LoadStatus loadProfiles(const std::string& path, ProfileList& list) override {
        return store_.loadProfiles(path, list);
    }
    bool saveProfiles(const std::string& path, const ProfileList& list) override {
        return store_.saveProfiles(path, list);
    }
    void forgetProfiles(const std::vector<const Profile*>& removed) override;
    // AdvancedHost: the program switches, for the worker's next cycle.
    void setAutoConfiguration(bool on) override { autoConfiguration_ = on; }
    void setAutoLink(bool on) override { autoLink_ = on; }
    // AutoLinkHost: what the Auto Link dialog needs beside the above.
    IpHelper& ipHelper() override { return platform_.ipHelper(); }
    void passEvent(uint32_t code, intptr_t value) override { handleEvent(code, value); }

    // The radio: the check box, the tray menu and Alt+F2 toggle it.
    void toggleRadio();
    // Shows the radio state in the tray, the check box, the menu and the pages.
    void updateRadioDisplay();
    // Enables or disables the pages that need the radio (not while Zero Configuration
    // holds the card); disabling selects the first page.
    void enableRadioPages(bool enable);

    // The card. Opening succeeds when a card is open afterwards; closing reports whether
    // a card was closed, and waits for the worker first, however long it takes.
    bool openAdapter();
    bool closeAdapter();

    // Back from the tray.
    void restore();
    // Into the tray; the selected page stops refreshing itself until restore().
    void hideToTray();
    // Saves the profiles, lets go of everything and destroys the window; once.
    void exit();

protected:
    bool onMessage(const fw::Message& m) override;

private:
    void onEvent(const fw::Message& m);
    void onRequest(const fw::Message& m);
    void onTrayCallback(const fw::Message& m);
    void onOkButton(const fw::Message& m);
    void onCancelButton(const fw::Message& m);
    void onRadioCommand(const fw::Message& m);
    void onRestoreCommand(const fw::Message& m);
    void onExitCommand(const fw::Message& m);
    void onZeroConfigTimer(const fw::Message& m);
    // A device-change broadcast: the card came or went. Default processing follows in
    // any case.
    fw::Reply onDeviceChange(const fw::Message& m);
    void onClose(const fw::Message& m);
    void onEndSession(const fw::Message& m);
    bool onHotkey(const fw::Message& m);

    // The library's events and the program's codes of zel::kEventMessage.
    void handleEvent(uint32_t code, intptr_t value);
    // Offers Auto Link for the worker and hands it the result.
    void detectAutoLink();
    // Hands the event to the current page, unless the window is minimised.
    void forward(uint32_t code, intptr_t value);
    CZelPage* currentPage() const;
    // Selects the current page again, so that it shows itself afresh.
    void reselectCurrentPage();
    // The radio check box can be used while a card is open whose radio the program may
    // switch: one with a radio switch that is on, and not held by Zero Configuration.
    void updateRadioBox();
    // Tells the pages and the tabs whether the radio pages may be used.
    void applyRadioPages(bool enable);
    void checkZeroConfig();
    // The full set of pages, or the reduced one with the Readme page.
    void rebuildPages();
    // Adopts the profile the card says is in use.
    void adoptProfileInUse(ZelHandle adapter);
    // Waits for the worker to end, handling what it sends meanwhile.
    void stopWorker();
    void saveProfiles();
    void showMessage(const std::string& text);
    // Keeps `page` for the window's life.
    template <class Page>
    Page* own(std::unique_ptr<Page> page);

    static const fw::MessageEntry<CMainSheet> kMap[];

    const ZelApi& api_;
    sys::Settings& settings_;
    const sys::OsKind osKind_;
    const std::string profilePath_;
    ShellPlatform& platform_;

    // The settings read at construction; the Advanced page switches the first two, which
    // the worker reads.
    std::atomic<bool> autoConfiguration_;
    std::atomic<bool> autoLink_;
    bool refreshRatePS_;
    bool trace_;

    // The card.
    std::atomic<ZelHandle> adapter_{nullptr};
    std::array<uint8_t, 6> macAddress_{};
    std::atomic<bool> radioOn_{true};
    // The card has a radio switch, and it is not off.
    bool radioSwitchable_ = true;
    std::atomic<bool> zeroConfigActive_{false};
    std::atomic<bool> busy_{false};
    bool autoLinkRunning_ = false;
    // The Auto Link dialog while it is open.
    CAutoLinkDlg* autoLinkDlg_ = nullptr;
    // A device broadcast has just opened or closed the adapter (Windows 9x).
    bool deviceHandled_ = false;
    bool exiting_ = false;

    // The profiles, the connection and the worker.
    std::mutex profileLock_;
    ProfileList profiles_;
    ProfileStore store_;
    LoadStatus profileLoad_;
    ConnectionMonitor monitor_;
    ConnectEngine engine_;
    WorkerThread worker_;

    // The pages, in the order of the full set, and the sets.
    std::vector<std::unique_ptr<CZelPage>> pages_;
    CMainPage* networkStatus_ = nullptr;
    CProfileManager* profileManager_ = nullptr;
    CAdvancedPage* advanced_ = nullptr;
    std::vector<fw::Page*> fullSet_;
    std::vector<fw::Page*> reducedSet_;
};
