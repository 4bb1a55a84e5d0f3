#include "shell/MainSheet.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <utility>

#include "adapter/ZelShared.h"
#include "framework/Host.h"
#include "pages/AboutPage.h"
#include "pages/AdminTool.h"
#include "pages/AdvancedPage.h"
#include "pages/CardBroadcast.h"
#include "pages/DebugWin.h"
#include "pages/DetailStatistics.h"
#include "pages/DeviceNotifications.h"
#include "pages/MainPage.h"
#include "pages/ProfileManager.h"
#include "pages/ReadmePage.h"
#include "pages/SecuritySettgPage.h"
#include "pages/SiteSurvey.h"
#include "pages/Statistics.h"
#include "pages/TestPage.h"
#include "res/resource.h"
#include "shell/MainWindowCodes.h"
#include "system/MessageCaption.h"
#include "system/ProgramCodes.h"

namespace {

using sys::Setting;

// The tabs of the full page set that need the radio: Site Survey, Statistics, Advanced.
constexpr int kRadioTabs[] = {2, 3, 4};
// How long the window waits for the worker between two looks at what it sends.
constexpr std::chrono::milliseconds kWorkerWaitStep{10};
// Disabling the radio pages gives the page just selected again time to show itself.
constexpr unsigned kPageSettleMs = 50;
// At the end of the session the worker gets this long to see the stop event.
constexpr unsigned kEndSessionWaitMs = 100;
// The boost mode the card is left in.
constexpr uint32_t kBoostModeAtExit = 1;

// A text of the string table with its %s filled in.
template <class... Texts>
std::string format(const std::string& pattern, const Texts&... values) {
    const int length = std::snprintf(nullptr, 0, pattern.c_str(), values.c_str()...);
    if (length < 0) return pattern;
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), pattern.c_str(), values.c_str()...);
    text.resize(static_cast<size_t>(length));
    return text;
}

}  // namespace

const fw::MessageEntry<CMainSheet> CMainSheet::kMap[] = {
    fw::onMessage(zel::kEventMessage, &CMainSheet::onEvent),
    fw::onMessage(shell::kRequestMessage, &CMainSheet::onRequest),
    fw::onMessage(shell::kTrayMessage, &CMainSheet::onTrayCallback),
    fw::onClick(fw::id::Ok, &CMainSheet::onOkButton),
    fw::onClick(fw::id::Cancel, &CMainSheet::onCancelButton),
    fw::onClick(IDC_RADIO_OFF, &CMainSheet::onRadioCommand),
    fw::onClick(ID_RADIO_TOGGLE, &CMainSheet::onRadioCommand),
    fw::onClick(ID_TRAY_RESTORE, &CMainSheet::onRestoreCommand),
    fw::onClick(ID_TRAY_EXIT, &CMainSheet::onExitCommand),
    fw::onTimer(shell::kZeroConfigTimer, &CMainSheet::onZeroConfigTimer),
    fw::onMessage(fw::msg::DeviceChange, &CMainSheet::onDeviceChange),
    fw::onMessage(shell::wm::Close, &CMainSheet::onClose),
    fw::onMessage(shell::wm::EndSession, &CMainSheet::onEndSession),
};

CMainSheet::CMainSheet(const ZelApi& api, sys::Settings& settings, sys::OsKind osKind,
                       std::string profilePath, ShellPlatform& platform)
    : fw::Sheet(platform.text(IDS_APP_TITLE), Mode::Modeless),
      api_(api),
      settings_(settings),
      osKind_(osKind),
      profilePath_(std::move(profilePath)),
      platform_(platform),
      autoConfiguration_(settings.readSetting(Setting::AutoConfiguration) != 0),
      autoLink_(settings.readSetting(Setting::AutoLink) != 0),
      refreshRatePS_(settings.readSetting(Setting::RefreshRatePS) != 0),
      trace_(settings.readSetting(Setting::Trace) != 0),
      store_(profilePath_),
      monitor_(api, profileLock_, *this),
      engine_(api, *this, [&platform] { return platform.tickCount(); }) {
    const sys::ChannelRange channels = settings.channelRange();
    monitor_.setRegion(0, static_cast<uint32_t>(channels.first),
                       static_cast<uint32_t>(channels.last));

    networkStatus_ = own(std::make_unique<CMainPage>(*this, platform.mainPagePlatform()));
    profileManager_ = own(std::make_unique<CProfileManager>(*this));
    CZelPage* siteSurvey = own(std::make_unique<CSiteSurvey>(*this));
    CZelPage* statistics = settings.readSetting(Setting::Statistics) != 0
                               ? own<CZelPage>(std::make_unique<CDetailStatistics>(*this))
                               : own<CZelPage>(std::make_unique<CStatistics>(*this));
    advanced_ = own(std::make_unique<CAdvancedPage>(*this));
    CZelPage* admin = own(std::make_unique<CAdminTool>(*this, platform.fileDialogPlatform()));
    fullSet_ = {networkStatus_, profileManager_, siteSurvey, statistics, advanced_, admin};
    if (settings.readSetting(Setting::DebugWin) != 0) {
        fullSet_.push_back(own(std::make_unique<CDebugWin>(*this)));
    }
    if (settings.readSetting(Setting::TestPage) != 0) {
        fullSet_.push_back(own(std::make_unique<CTestPage>(*this)));
    }
    CZelPage* about = own(std::make_unique<CAboutPage>(*this, platform.fileVersions()));
    fullSet_.push_back(about);
    reducedSet_ = {networkStatus_, statistics, about, own(std::make_unique<CReadmePage>())};
    for (fw::Page* page : fullSet_) addPage(*page);

    std::lock_guard<std::mutex> lock(profileLock_);
    profileLoad_ = store_.loadAtStartup(profiles_);
}

sys::ChannelRange CMainSheet::channelRange() const {
    const ConnectionState state = monitor_.state();
    return {static_cast<int>(state.firstChannel), static_cast<int>(state.lastChannel)};
}

std::unique_ptr<CProfilePage> CMainSheet::makeSecurityPage(CProfileSheet& sheet) {
    return std::make_unique<CSecuritySettgPage>(sheet, platform_.certificatePlatform());
}

void CMainSheet::forgetProfiles(const std::vector<const Profile*>& removed) {
    // The lists of the Network Status and Profile Manager pages are filled afresh each
    // time they are shown; only the editor keeps a record meanwhile.
    for (const Profile* profile : removed) profileManager_->editor().forget(profile);
}

// The worker uses this window's state to its end.
CMainSheet::~CMainSheet() { stopWorker(); }

template <class Page>
Page* CMainSheet::own(std::unique_ptr<Page> page) {
    Page* listed = page.get();
    pages_.push_back(std::move(page));
    return listed;
}

bool CMainSheet::onInit() {
    platform_.completeWindow();
    // Told once the window is up, not in the middle of its creation.
    if (profileLoad_ == LoadStatus::Unreadable) {
        platform_.post(shell::kRequestMessage,
                       static_cast<uintptr_t>(shell::Request::ReportUnreadableProfiles), 0);
    } else if (profileLoad_ == LoadStatus::Truncated) {
        platform_.post(shell::kRequestMessage,
                       static_cast<uintptr_t>(shell::Request::ReportDamagedProfiles), 0);
    }
    api_.ZelInitialize(ui().handle());
    platform_.attachTabs();
    enableRadioPages(false);
    openAdapter();
    if (const ZelHandle adapter = adapter_) api_.ZelSetGUIMonitorMode(adapter, 0);
    if (osKind_ == sys::OsWinXp) {
        ui().setTimer(shell::kZeroConfigTimer, shell::kZeroConfigPeriodMs);
        checkZeroConfig();
    }
    return true;
}

bool CMainSheet::onMessage(const fw::Message& m) {
    if (fw::dispatch(*this, kMap, m)) return true;
    // Messages that default processing sees as well.
    if (m.message == shell::wm::Size && m.wParam == shell::wm::SizeMinimized) {
        // Minimised, the program lives in the tray alone.
        hideToTray();
    }
    if (m.message == shell::wm::Hotkey) return onHotkey(m);
    return false;
}

// ---- The worker's side -------------------------------------------------------------

LinkView CMainSheet::refreshConnection(bool connected) {
    return monitor_.refresh(adapter_, connected);
}

void CMainSheet::showTrayState(TrayState state) {
    if (platform_.onWindowThread()) {
        platform_.showTrayIcon(state);
    } else {
        platform_.post(shell::kRequestMessage,
                       static_cast<uintptr_t>(shell::Request::ShowTrayState),
                       static_cast<intptr_t>(state));
    }
}

void CMainSheet::requestAutoLinkDetection() {
    platform_.post(zel::kEventMessage, sys::kCodeAutoLinkDetection, 0);
}

void CMainSheet::showStatus(const std::string& text) {
    platform_.sendToPage(*networkStatus_, sys::kCodeStatusText, text.c_str());
}

void CMainSheet::autoConfigurationPassEnded() {
    platform_.sendToPage(*networkStatus_, sys::kCodeAutoConfigurationPassEnded, nullptr);
}

void CMainSheet::reportAutoLinkFailed() {
    platform_.post(shell::kRequestMessage,
                   static_cast<uintptr_t>(shell::Request::ReportAutoLinkFailed), 0);
}

void CMainSheet::onRequest(const fw::Message& m) {
    switch (static_cast<shell::Request>(m.wParam)) {
        case shell::Request::ShowTrayState: {
            auto state = static_cast<TrayState>(m.lParam);
            // The link may have changed since the worker looked: the states of the link
            // show what the connection state block says now.
            if (state != TrayState::Scanning) {
                state = adapter_ == nullptr ? TrayState::CardUnplugged
                        : link().connected  ? TrayState::Connected
                                            : TrayState::NoConnection;
            }
            platform_.showTrayIcon(state);
            break;
        }
        case shell::Request::ReportAutoLinkFailed:
            showMessage(platform_.text(IDS_AUTO_LINK_FAILED));
            break;
        case shell::Request::ReportUnreadableProfiles:
            showMessage(format(platform_.text(IDS_PROFILES_UNREADABLE), profilePath_));
            break;
        case shell::Request::ReportDamagedProfiles:
            showMessage(format(platform_.text(IDS_PROFILES_DAMAGED), profilePath_,
                               store_.damagedCopyPath()));
            break;
    }
}

// ---- Events ------------------------------------------------------------------------

void CMainSheet::onEvent(const fw::Message& m) {
    handleEvent(static_cast<uint32_t>(m.wParam), m.lParam);
}

void CMainSheet::handleEvent(uint32_t code, intptr_t value) {
    const ZelHandle adapter = adapter_;
    switch (code) {
        case zel::EventDisassociated:
        case zel::EventLinkLost:
            if (adapter && !api_.ZelGetConnectStatus(adapter)) refreshConnection(false);
            forward(code, value);
            break;
        case zel::EventAssociated:
        case zel::EventReassociated:
            refreshConnection(true);
            forward(code, value);
            break;
        case zel::EventCardRemoval:
            if (autoLinkRunning_) worker_.answerAutoLink(AutoLinkResult::Connected);
            closeAdapter();
            forward(code, value);
            // The Auto Link dialog, when the event came here rather than to it, closes too.
            if (autoLinkDlg_) autoLinkDlg_->cardRemoved();
            break;
        case zel::EventMediaCheck:
            if (adapter && !busy_ && !api_.ZelGetConnectStatus(adapter)) {
                refreshConnection(false);
                forward(code, value);
            }
            break;
        case zel::EventRadioOn:
        case zel::EventRadioOff:
            // The card's own switch: while it is off, only the switch turns the radio on.
            radioOn_ = code == zel::EventRadioOn;
            radioSwitchable_ = radioOn_;
            updateRadioBox();
            updateRadioDisplay();
            forward(code, value);
            break;
        case sys::kCodeShowCurrentPage:
            reselectCurrentPage();
            break;
        case sys::kCodeAutoLinkDetection:
            detectAutoLink();
            break;
        default:
            forward(code, value);
            break;
    }
}

void CMainSheet::detectAutoLink() {
    if (autoLinkRunning_) return;
    // Not over another dialog of the program, nor while a page works the card.
    if (busy_ || platform_.modalDialogUp() || adapter_ == nullptr) {
        worker_.answerAutoLink(AutoLinkResult::NothingToDo);
        return;
    }
    autoLinkRunning_ = true;
    CAutoLinkDlg dialog(*this);
    autoLinkDlg_ = &dialog;
    // However the detection ends (an allocation that failed among them), the worker has
    // its answer and the dialog is forgotten.
    bool answered = false;
    const auto answer = [&](AutoLinkResult result) {
        if (!std::exchange(answered, true)) worker_.answerAutoLink(result);
    };
    struct Ending {
        CMainSheet& sheet;
        const bool& answered;
        ~Ending() {
            if (!answered) sheet.worker_.answerAutoLink(AutoLinkResult::NothingToDo);
            sheet.autoLinkDlg_ = nullptr;
            sheet.autoLinkRunning_ = false;
        }
    } ending{*this, answered};
    if (dialog.BuildApList() == 0) {
        answer(AutoLinkResult::NothingToDo);
    } else {
        const bool wasVisible = platform_.isVisible();
        platform_.hide();
        const int ended = host().runModal(dialog, this);
        api_.ZelInitialize(ui().handle());
        AutoLinkResult result = AutoLinkResult::NothingToDo;
        bool added = false;
        if (const ZelHandle adapter = adapter_; adapter == nullptr) {
            result = AutoLinkResult::Connected;  // the card went away
        } else if (ended == fw::id::Ok) {
            if (api_.ZelGetConnectStatus(adapter)) {
                refreshConnection(true);
                addAutoLinkProfile(*this, engine_, dialog.setupProfile(), true);
                added = true;
                result = AutoLinkResult::Connected;
            } else {
                refreshConnection(false);
            }
        } else {
            refreshConnection(false);
            if (dialog.done()) {
                addAutoLinkProfile(*this, engine_, dialog.setupProfile(), false);
                added = true;
                result = AutoLinkResult::NewProfile;
            }
        }
        answer(result);
        reselectCurrentPage();
        if (wasVisible || added) {
            platform_.show();
            select(0);
        }
    }
    api_.ZelInitialize(ui().handle());
}

void CMainSheet::forward(uint32_t code, intptr_t value) {
    // The texts of these codes are pointers into the sender's memory: only the worker
    // hands them, straight to the page.
    if (code == sys::kCodeStatusText || code == sys::kCodeStatusNote) return;
    if (platform_.isMinimised()) return;
    if (CZelPage* page = currentPage()) page->onMainWindowEvent(code, value);
}

CZelPage* CMainSheet::currentPage() const {
    const int index = activeIndex();
    return index < 0 ? nullptr : static_cast<CZelPage*>(&page(index));
}

void CMainSheet::reselectCurrentPage() {
    const int index = activeIndex();
    if (index >= 0) select(index);
}

// ---- Commands and window messages ------------------------------------------------------

void CMainSheet::onOkButton(const fw::Message&) {
    if (currentPage() == profileManager_ && !profileManager_->save()) return;
    // Leaving the Advanced page drops what it has not sent; OK sends it first.
    if (currentPage() == advanced_) advanced_->applyPending();
    // The sheet's own OK would end a modeless sheet; the main window stays, so it asks
    // its pages as the sheet does: the current one may be left, each one applies.
    const int current = activeIndex();
    if (current >= 0 && !page(current).onKillActive()) return;
    for (int index = 0; index < pageCount(); ++index) {
        fw::Page& shown = page(index);
        if (shown.hasWindow() && !shown.onApply()) {
            select(index);
            return;
        }
    }
    hideToTray();
}

void CMainSheet::onCancelButton(const fw::Message&) {
    for (int index = 0; index < pageCount(); ++index) {
        if (page(index).hasWindow()) page(index).onReset();
    }
    hideToTray();
}

void CMainSheet::onRadioCommand(const fw::Message&) { toggleRadio(); }

void CMainSheet::onRestoreCommand(const fw::Message&) { restore(); }

void CMainSheet::onExitCommand(const fw::Message&) {
    if (!platform_.modalDialogUp()) exit();
}

void CMainSheet::onTrayCallback(const fw::Message& m) {
    if (m.lParam == shell::wm::LeftDoubleClick) {
        restore();
    } else if (m.lParam == shell::wm::RightButtonUp) {
        hideToTray();
        platform_.openTrayMenu();
    }
}

void CMainSheet::onClose(const fw::Message&) { hideToTray(); }

void CMainSheet::hideToTray() {
    platform_.hide();
    if (CZelPage* page = currentPage()) page->onSheetHidden();
}

bool CMainSheet::onHotkey(const fw::Message& m) {
    const auto modifiers = static_cast<unsigned>(m.lParam & 0xFFFF);
    const auto key = static_cast<unsigned>((m.lParam >> 16) & 0xFFFF);
    // Only while the check box may be used: not while Zero Configuration holds the card,
    // nor for a card without a radio switch.
    if (m.wParam != ID_RADIO_TOGGLE || modifiers != shell::wm::ModAlt || key != shell::wm::KeyF2 ||
        !ui().isEnabled(IDC_RADIO_OFF)) {
        return false;
    }
    toggleRadio();
    return true;
}

void CMainSheet::onEndSession(const fw::Message& m) {
    if (m.wParam == 0) return;  // the session goes on
    if (const ZelHandle adapter = adapter_) {
        worker_.requestStop();
        platform_.pause(kEndSessionWaitMs);
        api_.ZelUnlockPages(adapter);
    }
    saveProfiles();
}

void CMainSheet::restore() {
    if (autoLinkRunning_) return;
    reselectCurrentPage();
    if (currentPage() == profileManager_) profileManager_->reactivateEditor();
    if (adapter_ == nullptr) select(0);
    platform_.restore();
}

void CMainSheet::exit() {
    if (exiting_) return;
    exiting_ = true;
    saveProfiles();
    platform_.deviceNotifications().remove(ui().handle());
    worker_.requestStop();
    if (const ZelHandle adapter = adapter_) {
        api_.ZelSetBoostMode(adapter, kBoostModeAtExit);
        busy_ = true;
        closeAdapter();
    }
    platform_.removeTrayIcon();
    platform_.unregisterHotkey();
    ui().killTimer(shell::kZeroConfigTimer);
    endDialog(fw::id::Ok);
}

void CMainSheet::saveProfiles() {
    if (!store_.writesProfileFile()) return;  // the user was told at start-up
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(profileLock_);
            if (store_.saveProfiles(profilePath_, profiles_)) return;
        }
        const int answer =
            ui().messageBox(format(platform_.text(IDS_PROFILES_NOT_SAVED), profilePath_),
                            sys::kMessageCaption, fw::mb::RetryCancel | fw::mb::IconExclamation);
        if (answer != fw::id::Retry) return;
    }
}

void CMainSheet::showMessage(const std::string& text) {
    ui().messageBox(text, sys::kMessageCaption, fw::mb::Ok | fw::mb::IconExclamation);
}

// ---- The radio --------------------------------------------------------------------------

void CMainSheet::toggleRadio() {
    const ZelHandle adapter = adapter_;
    if (adapter == nullptr) return;
    radioOn_ = !radioOn_;
    api_.ZelSetRadioControl(adapter, radioOn_ ? 1 : 0);
    updateRadioDisplay();
}

void CMainSheet::updateRadioDisplay() {
    const ZelHandle adapter = adapter_;
    if (adapter == nullptr) return;
    if (radioOn_) {
        // A refresh shows "Connected" or "No Connection" by the same rule as every library
        // event: an association without a BSSID is no link.
        refreshConnection(api_.ZelGetConnectStatus(adapter) != 0);
        ui().setCheck(IDC_RADIO_OFF, false);
        platform_.setRadioMenuItem(true);
        enableRadioPages(true);
    } else {
        showTrayState(TrayState::NoConnection);
        ui().setCheck(IDC_RADIO_OFF, true);
        platform_.setRadioMenuItem(false);
        select(0);
        enableRadioPages(false);
    }
    networkStatus_->setRadioState(radioOn_);
}

void CMainSheet::updateRadioBox() {
    ui().enable(IDC_RADIO_OFF, adapter_ != nullptr && radioSwitchable_ && !zeroConfigActive_);
}

void CMainSheet::enableRadioPages(bool enable) {
    // While Zero Configuration holds the card the reduced set has no radio pages; while
    // the program ends there is nothing left to show.
    if (zeroConfigActive_ || exiting_) return;
    if (!enable) {
        platform_.show();
        reselectCurrentPage();
        platform_.pause(kPageSettleMs);
        select(0);
    }
    applyRadioPages(enable);
}

void CMainSheet::applyRadioPages(bool enable) {
    for (const auto& page : pages_) page->setRadioState(enable);
    for (int tab : kRadioTabs) platform_.enableTab(tab, enable);
}

// ---- The card --------------------------------------------------------------------------

bool CMainSheet::openAdapter() {
    busy_ = false;
    if (adapter_ != nullptr) return true;
    ZelHandle adapter = nullptr;
    api_.ZelOpenAdapter(&adapter);
    if (adapter == nullptr) {
        showTrayState(TrayState::CardUnplugged);
        updateRadioBox();
        return false;
    }
    adapter_ = adapter;

    api_.ZelGetMacAddress(adapter, macAddress_.data(), static_cast<uint32_t>(macAddress_.size()));
    uint32_t regionCode = 0;
    api_.ZelQueryRegionCode(adapter, &regionCode);
    const sys::RegionChannels region = sys::regionChannels(regionCode);
    settings_.writeSetting(Setting::FirstChan, region.channels.first);
    settings_.writeSetting(Setting::LastChan, region.channels.last);
    monitor_.setRegion(region.regionCode, static_cast<uint32_t>(region.channels.first),
                       static_cast<uint32_t>(region.channels.last));

    uint32_t radio = 1;
    if (api_.ZelGetConnectStatus(adapter)) {
        refreshConnection(true);
        adoptProfileInUse(adapter);
    } else {
        refreshConnection(false);
        api_.ZelQueryRadioControl(adapter, &radio);
    }
    radioSwitchable_ = radio != zel::kRadioNoSwitch;
    radioOn_ = radioSwitchable_ && radio != 0;
    updateRadioBox();
    updateRadioDisplay();

    worker_.start([this] {
        Worker worker(api_, *this, engine_, worker_);
        worker.run();
    });
    if (platform_.isVisible()) reselectCurrentPage();
    handleEvent(sys::kCodeAdapterOpened, 0);
    if (link().connected) {
        const Profile* inUse;
        {
            std::lock_guard<std::mutex> lock(profileLock_);
            inUse = profiles_.inUse();
        }
        connectProfile(inUse);
    }
    api_.ZelSetBoostMode(adapter, static_cast<uint32_t>(settings_.readSetting(Setting::BoostMode)));
    return true;
}

void CMainSheet::adoptProfileInUse(ZelHandle adapter) {
    char name[kNameSize] = {};
    api_.ZelQueryProfileInUse(adapter, name, sizeof name);
    name[sizeof name - 1] = '\0';
    const Profile* profile;
    {
        std::lock_guard<std::mutex> lock(profileLock_);
        profile = profiles_.findByName(name);
    }
    // A name the list does not hold (the single space among them) leaves no profile in
    // use, so none of the program's is applied over the card's own network.
    engine_.markInUse(profile);
}

bool CMainSheet::closeAdapter() {
    if (adapter_ == nullptr) {
        showTrayState(TrayState::CardUnplugged);
        return false;
    }
    busy_ = true;
    stopWorker();
    enableRadioPages(false);
    ZelHandle adapter = adapter_;
    api_.ZelCloseAdapter(&adapter);
    adapter_ = nullptr;
    {
        // The card that comes back tells which profile it is on.
        std::lock_guard<std::mutex> lock(profileLock_);
        profiles_.markInUse(nullptr);
    }
    refreshConnection(false);
    if (platform_.isVisible()) select(0);
    ui().setCheck(IDC_RADIO_OFF, false);
    updateRadioBox();
    return true;
}

void CMainSheet::stopWorker() {
    worker_.requestStop();
    // The worker may be sending to this thread; it is never left waiting, and the card is
    // never closed under it, however long it takes to end.
    while (!worker_.waitFinished(kWorkerWaitStep)) platform_.handleSentMessages();
    worker_.join();
}

fw::Reply CMainSheet::onDeviceChange(const fw::Message& m) {
    const bool thisCard = namesThisCard(m, osKind_);
    switch (m.code) {
        case fw::dbt::Arrival:
            if (!thisCard || adapter_ != nullptr) break;
            openAdapter();
            deviceHandled_ = true;
            if (osKind_ == sys::OsWinXp) {
                ui().setTimer(shell::kZeroConfigTimer, shell::kZeroConfigPeriodMs);
                checkZeroConfig();
            }
            if (const ZelHandle adapter = adapter_) {
                api_.ZelSetGUIMonitorMode(adapter, zeroConfigActive_ ? 1 : 0);
            }
            break;
        case fw::dbt::RemoveComplete:
            if (!thisCard || adapter_ == nullptr) break;
            ui().killTimer(shell::kZeroConfigTimer);
            if (autoLinkRunning_) worker_.answerAutoLink(AutoLinkResult::Connected);
            // The open Auto Link dialog hands the removal back here, which closes the card.
            if (autoLinkDlg_) autoLinkDlg_->cardRemoved();
            if (adapter_ == nullptr || closeAdapter()) deviceHandled_ = true;
            break;
        case fw::dbt::NodesChanged:
            if (osKind_ != sys::OsWin9x) break;
            if (!deviceHandled_ && adapter_ == nullptr) openAdapter();
            deviceHandled_ = false;
            break;
    }
    return fw::decline();
}

// ---- Zero Configuration ---------------------------------------------------------------

void CMainSheet::onZeroConfigTimer(const fw::Message&) { checkZeroConfig(); }

void CMainSheet::checkZeroConfig() {
    uint32_t status = 0;
    // Only 1 says the check failed; with any other result the status tells.
    if (api_.ZelQueryWZCStatusCheck(&status) == zel::kZeroConfigCheckFailed) return;
    const bool active = status != 0;
    // While a dialog of the program is up the pages stay; the next check rebuilds them.
    if (active == zeroConfigActive_ || platform_.modalDialogUp()) return;
    zeroConfigActive_ = active;
    if (const ZelHandle adapter = adapter_) api_.ZelSetGUIMonitorMode(adapter, active ? 1 : 0);
    rebuildPages();
    updateRadioBox();
}

void CMainSheet::rebuildPages() {
    platform_.enableAllTabs();
    setPages(zeroConfigActive_ ? reducedSet_ : fullSet_);
    if (!zeroConfigActive_) applyRadioPages(adapter_ != nullptr && radioOn_);
}
