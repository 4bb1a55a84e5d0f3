// The main window with the simulated card: its pages, the card coming and going, the
// radio, Zero Configuration, the events and the window's own commands.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "pages/MainPage.h"
#include "pages/StatisticsTables.h"
#include "profiles/ProfileFile.h"
#include "shell/MainWindowCodes.h"
#include "sim/NativeCard.h"
#include "system/ProgramCodes.h"
#include "tests/shell/ShellBench.h"

namespace {

const std::string kCard = R"(
card
    mac                 00:1D:6A:70:42:17
    region              0x40
    association-delay   500
network
    ssid        "Open"
    bssid       00:1D:6A:10:00:01
    channel     1
)";

const std::vector<std::string> kFullSet = {
    "Network Status", "Profile Manager", "Site Survey", "Statistics", "Advanced", "Admin", "About"};
const std::vector<std::string> kReducedSet = {"Network Status", "Statistics", "About", "Readme"};

class MainSheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The worker stays quiet unless a test wants it to connect.
        bench.set("Advanced", "Auto Configuration", "0");
        bench.set("Advanced", "AutoLink", "0");
    }

    // The card's world changes as if its scenario file did; what it posts and broadcasts
    // reaches the window.
    void world(const std::string& scenario) {
        card.load(scenario);
        deliverFromCard();
    }
    void deliverFromCard() {
        card.advance(0);
        for (const sim::PostedEvent& event : card.takeEvents()) {
            if (event.window == bench.sheet->ui().handle()) bench.event(event.code);
        }
        for (const sim::DeviceChange& change : card.takeDeviceChanges()) {
            bench.deviceChange(
                change.arrival ? fw::dbt::Arrival : fw::dbt::RemoveComplete,
                fw::DeviceKind::Interface,
                "\\\\?\\" + change.hardwareId + "#{ad498944-762f-11d0-8dcb-00c04fc3358c}");
        }
    }
    void letTimePass(uint64_t ms) {
        card.advance(ms);
        deliverFromCard();
    }
    bool radioBoxChecked() { return bench.window().isChecked(IDC_RADIO_OFF); }
    bool radioBoxEnabled() { return bench.window().isEnabled(IDC_RADIO_OFF); }
    std::set<int> radioTabsOff() const { return {2, 3, 4}; }

    sim::NativeCard card{kCard};
    ShellBench bench{card.api()};
};

// ---- Pages ---------------------------------------------------------------------------

TEST_F(MainSheetTest, HasSevenTabsWithoutTheDiagnosticPages) {
    bench.start();
    EXPECT_EQ(bench.tabs(), kFullSet);
    EXPECT_EQ(bench.sheet->caption(), "VORNAX TX-LM70RDV Utility");
    EXPECT_EQ(bench.sheet->page(3).templateId(), IDD_STATISTICS);
}

TEST_F(MainSheetTest, TheSettingsFileAddsTheDebugAndTestPagesBeforeAbout) {
    bench.set("Debug", "DebugWin", "1");
    bench.set("Debug", "TestPage", "1");
    bench.set("Debug", "Statistics", "1");
    bench.start();
    EXPECT_EQ(bench.tabs(), (std::vector<std::string>{"Network Status", "Profile Manager",
                                                      "Site Survey", "Statistics", "Advanced",
                                                      "Admin", "Debug", "Test", "About"}));
    EXPECT_EQ(bench.sheet->page(3).templateId(), IDD_DETAIL_STATISTICS);
    EXPECT_EQ(bench.sheet->page(6).templateId(), IDD_DEBUG);
    EXPECT_EQ(bench.sheet->page(7).templateId(), IDD_TEST);
}

// ---- Initialisation and the card ---------------------------------------------------------

TEST_F(MainSheetTest, InitialisationCompletesTheWindowAndOpensTheCard) {
    bench.start();
    const std::vector<std::string> journal = bench.shell.journal();
    ASSERT_GE(journal.size(), 5u);
    EXPECT_EQ(journal[0], "complete window");
    EXPECT_EQ(journal[1], "attach tabs");
    // The radio pages are disabled before the card is opened, then enabled for its radio.
    EXPECT_EQ(journal[2], "show");
    EXPECT_NE(std::find(journal.begin(), journal.end(), "tab 2 off"), journal.end());
    EXPECT_EQ(bench.shell.tray, TrayState::NoConnection);
    EXPECT_TRUE(bench.shell.disabledTabs.empty());
    EXPECT_TRUE(radioBoxEnabled());
    EXPECT_FALSE(radioBoxChecked());
    EXPECT_EQ(bench.sheet->macAddress(),
              (std::array<uint8_t, 6>{0x00, 0x1D, 0x6A, 0x70, 0x42, 0x17}));
    // Region 0x40: channels 1 to 14, written to the settings file.
    EXPECT_EQ(bench.store.text("Advanced", "FirstChan"), "1");
    EXPECT_EQ(bench.store.text("Advanced", "LastChan"), "14");
    EXPECT_EQ(bench.sheet->connection().lastChannel, 14u);
    EXPECT_TRUE(bench.window().isTimerRunning(shell::kZeroConfigTimer));
    EXPECT_EQ(bench.window().timerPeriod(shell::kZeroConfigTimer), 2000u);
}

TEST_F(MainSheetTest, OnlyWindowsXpWatchesZeroConfiguration) {
    bench.start(sys::OsWin2000);
    EXPECT_FALSE(bench.window().isTimerRunning(shell::kZeroConfigTimer));
}

TEST_F(MainSheetTest, WithoutACardTheRadioPagesAreGreyedAndTheTrayShowsCardUnplugged) {
    card.load(kCard + "card\n    present no\n");
    bench.start();
    EXPECT_EQ(bench.sheet->adapter(), nullptr);
    EXPECT_EQ(bench.shell.tray, TrayState::CardUnplugged);
    EXPECT_EQ(bench.shell.disabledTabs, radioTabsOff());
    EXPECT_EQ(bench.sheet->activeIndex(), 0);
}

TEST_F(MainSheetTest, UnpluggingClosesTheCardAndPluggingInOpensItAgain) {
    bench.start();
    bench.shell.visible = true;
    ASSERT_TRUE(bench.sheet->select(5));
    world(kCard + "card\n    present no\n");
    EXPECT_EQ(bench.sheet->adapter(), nullptr);
    EXPECT_EQ(bench.shell.tray, TrayState::CardUnplugged);
    EXPECT_EQ(bench.shell.disabledTabs, radioTabsOff());
    EXPECT_EQ(bench.sheet->activeIndex(), 0) << "the first page is selected";
    EXPECT_FALSE(radioBoxChecked());

    RecordingPage& again = bench.recordCurrentPage();
    world(kCard);
    ASSERT_NE(bench.sheet->adapter(), nullptr);
    EXPECT_EQ(bench.shell.tray, TrayState::NoConnection);
    EXPECT_TRUE(bench.shell.disabledTabs.empty());
    EXPECT_NE(std::find(again.events.begin(), again.events.end(), sys::kCodeAdapterOpened),
              again.events.end());
    EXPECT_TRUE(bench.window().isTimerRunning(shell::kZeroConfigTimer));
}

TEST_F(MainSheetTest, UnpluggingWhileTheWindowIsHiddenBringsItUpOnNetworkStatus) {
    bench.start();
    ASSERT_TRUE(bench.sheet->select(4));
    bench.shell.visible = false;
    world(kCard + "card\n    present no\n");
    EXPECT_EQ(bench.sheet->adapter(), nullptr);
    EXPECT_TRUE(bench.shell.visible);
    EXPECT_EQ(bench.sheet->activeIndex(), 0);
    EXPECT_EQ(bench.shell.disabledTabs, radioTabsOff());
}

TEST_F(MainSheetTest, BroadcastsOfOtherDevicesChangeNothing) {
    bench.start();
    const ZelHandle adapter = bench.sheet->adapter();
    bench.deviceChange(fw::dbt::RemoveComplete, fw::DeviceKind::Interface,
                       "\\\\?\\USB#VID_046D&PID_C077#5&1");
    bench.deviceChange(fw::dbt::RemoveComplete);
    // The card's own name, but as a device node, which only Windows 9x reads.
    bench.deviceChange(fw::dbt::RemoveComplete, fw::DeviceKind::Node, zel::kHardwareIds[0]);
    EXPECT_EQ(bench.sheet->adapter(), adapter);
}

TEST_F(MainSheetTest, TheCardIsRecognisedByEachHardwareTextInAnyCase) {
    for (const char* id : zel::kHardwareIds) {
        bench.start();
        std::string lower = std::string("\\\\?\\root#") + id + "#0000";
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        bench.deviceChange(fw::dbt::RemoveComplete, fw::DeviceKind::Interface, lower);
        EXPECT_EQ(bench.sheet->adapter(), nullptr) << id;
        bench.sheet.reset();
    }
}

TEST_F(MainSheetTest, OnWindows98TheDeviceNodeChangeOpensTheCardOnceAfterAnArrival) {
    card.load(kCard + "card\n    present no\n");
    bench.start(sys::OsWin9x);
    card.load(kCard);
    card.takeDeviceChanges();
    bench.deviceChange(fw::dbt::Arrival, fw::DeviceKind::Node, "PCI\\VEN_1D6A&DEV_7001");
    const ZelHandle opened = bench.sheet->adapter();
    ASSERT_NE(opened, nullptr);
    bench.deviceChange(fw::dbt::NodesChanged);
    EXPECT_EQ(bench.sheet->adapter(), opened);

    // A node change alone (no arrival seen) opens a card that came.
    bench.sheet->closeAdapter();
    bench.deviceChange(fw::dbt::NodesChanged);
    EXPECT_NE(bench.sheet->adapter(), nullptr);
}

TEST_F(MainSheetTest, ACardWithoutARadioSwitchLeavesTheRadioOffAndTheBoxDisabled) {
    card.load(kCard + "card\n    radio none\n");
    bench.start();
    EXPECT_FALSE(bench.sheet->radioOn());
    EXPECT_FALSE(radioBoxEnabled());
    EXPECT_EQ(bench.shell.disabledTabs, radioTabsOff());
    bench.deliver(shell::wm::Hotkey, ID_RADIO_TOGGLE, shell::wm::ModAlt | (shell::wm::KeyF2 << 16));
    EXPECT_FALSE(bench.sheet->radioOn()) << "Alt+F2 needs the check box";
}

TEST_F(MainSheetTest, ACardConnectedAtStartIsAdoptedWithItsProfileAndJoinedAgain) {
    // The card is associated before the program starts, with a profile of the list.
    {
        ProfileList list;
        auto home = std::make_unique<Profile>(makeDefaultProfile());
        setFieldText(home->name, "Home");
        setFieldText(home->ssid, "Open");
        home->preferred = 0;
        list.append(std::move(home));
        ProfileStore(bench.profilePath()).saveProfiles(bench.profilePath(), list);
    }
    ZelHandle handle = nullptr;
    card.api().ZelOpenAdapter(&handle);
    card.api().ZelSetProfileInUse(handle, "Home", 4);
    card.api().ZelSetSsid(handle, "Open", 4, 0);
    card.advance(1000);
    card.api().ZelCloseAdapter(&handle);
    card.takeEvents();

    bench.start();
    EXPECT_TRUE(bench.sheet->connection().connected);
    EXPECT_EQ(bench.shell.tray, TrayState::Connected);
    const Profile* inUse = bench.sheet->profiles().inUse();
    ASSERT_NE(inUse, nullptr);
    EXPECT_EQ(fieldText(inUse->name), "Home");
    EXPECT_EQ(inUse->preferred, 1u) << "marking in use puts it on the prefer list";
}

TEST_F(MainSheetTest, ACardBackOnANetworkOfNoListedProfileKeepsItAndNoProfileIsInUse) {
    {
        ProfileList list;
        auto home = std::make_unique<Profile>(makeDefaultProfile());
        setFieldText(home->name, "Home");
        setFieldText(home->ssid, "Open");
        list.append(std::move(home));
        ProfileStore(bench.profilePath()).saveProfiles(bench.profilePath(), list);
    }
    const std::string world2 = kCard + R"(
network
    ssid        "Elsewhere"
    bssid       00:1D:6A:10:00:09
    channel     6
)";
    card.load(world2);
    bench.start();
    const Profile* home = bench.sheet->profiles().findByName("Home");
    bench.sheet->connectProfile(home);
    letTimePass(1000);
    ASSERT_EQ(bench.sheet->profiles().inUse(), home);

    world(world2 + "card\n    present no\n");
    EXPECT_EQ(bench.sheet->profiles().inUse(), nullptr) << "the card took its profile with it";

    // Another program joins the card to a network of a name the list does not know, then
    // the card comes back.
    for (const char* reported : {"Stranger", " "}) {
        SCOPED_TRACE(reported);
        card.load(world2);
        ZelHandle handle = nullptr;
        card.api().ZelOpenAdapter(&handle);
        card.api().ZelSetProfileInUse(handle, reported, static_cast<uint32_t>(strlen(reported)));
        card.api().ZelSetSsid(handle, "Elsewhere", 9, 0);
        card.advance(1000);
        card.takeEvents();
        bench.sheet->profiles().markInUse(home);  // as if the program still held it
        deliverFromCard();
        ASSERT_NE(bench.sheet->adapter(), nullptr);
        EXPECT_EQ(bench.sheet->profiles().inUse(), nullptr);
        letTimePass(1000);
        char ssid[33] = {};
        card.api().ZelQuerySsid(handle, ssid, 32);
        EXPECT_STREQ(ssid, "Elsewhere") << "the card stays where it is";
        card.api().ZelCloseAdapter(&handle);
        world(world2 + "card\n    present no\n");
    }
}

// ---- The radio ---------------------------------------------------------------------------

TEST_F(MainSheetTest, TheCheckBoxTheMenuAndTheHotkeyEachToggleTheRadio) {
    bench.start();
    bench.shell.visible = true;
    const auto hotkey = [&] {
        return bench.deliver(shell::wm::Hotkey, ID_RADIO_TOGGLE,
                             shell::wm::ModAlt | (shell::wm::KeyF2 << 16));
    };
    const std::vector<std::function<void()>> toggles = {
        [&] { bench.command(IDC_RADIO_OFF); },
        [&] { bench.command(ID_RADIO_TOGGLE); },
        [&] { EXPECT_TRUE(hotkey()); },
    };
    for (const auto& toggle : toggles) {
        ASSERT_TRUE(bench.sheet->select(5));
        toggle();
        EXPECT_FALSE(bench.sheet->radioOn());
        uint32_t radio = 7;
        card.api().ZelQueryRadioControl(bench.sheet->adapter(), &radio);
        EXPECT_EQ(radio, 0u);
        EXPECT_EQ(bench.shell.tray, TrayState::NoConnection);
        EXPECT_TRUE(radioBoxChecked());
        EXPECT_FALSE(bench.shell.menuSaysRadioOff);
        EXPECT_EQ(bench.shell.disabledTabs, radioTabsOff());
        EXPECT_EQ(bench.sheet->activeIndex(), 0) << "Network Status is selected";

        toggle();
        EXPECT_TRUE(bench.sheet->radioOn());
        EXPECT_FALSE(radioBoxChecked());
        EXPECT_TRUE(bench.shell.menuSaysRadioOff);
        EXPECT_TRUE(bench.shell.disabledTabs.empty());
    }
}

TEST_F(MainSheetTest, OtherHotkeysGoToDefaultProcessing) {
    bench.start();
    EXPECT_FALSE(bench.deliver(shell::wm::Hotkey, 7, shell::wm::ModAlt | (shell::wm::KeyF2 << 16)));
    EXPECT_FALSE(bench.deliver(shell::wm::Hotkey, ID_RADIO_TOGGLE, 0x0002 | (0x71 << 16)));
    EXPECT_TRUE(bench.sheet->radioOn());
}

TEST_F(MainSheetTest, WithoutACardTheRadioCannotBeToggled) {
    card.load(kCard + "card\n    present no\n");
    bench.start();
    EXPECT_FALSE(radioBoxEnabled());
    bench.command(IDC_RADIO_OFF);
    EXPECT_TRUE(bench.sheet->radioOn());
}

// The check box follows the card: it goes with the card, unticked, and comes back with it.
TEST_F(MainSheetTest, TheRadioBoxFollowsTheCardsPresence) {
    bench.start();
    bench.shell.visible = true;
    bench.command(IDC_RADIO_OFF);
    ASSERT_TRUE(radioBoxChecked());
    world(kCard + "card\n    present no\n");
    EXPECT_FALSE(radioBoxEnabled());
    EXPECT_FALSE(radioBoxChecked());
    world(kCard);
    EXPECT_TRUE(radioBoxEnabled());
}

TEST_F(MainSheetTest, TheRadioSwitchOfTheCardIsFollowed) {
    bench.start();
    bench.shell.visible = true;
    world(kCard + "card\n    radio off\n");
    EXPECT_FALSE(bench.sheet->radioOn());
    EXPECT_FALSE(radioBoxEnabled()) << "only the switch turns it on again";
    EXPECT_EQ(bench.shell.disabledTabs, radioTabsOff());
    world(kCard);
    EXPECT_TRUE(bench.sheet->radioOn());
    EXPECT_TRUE(radioBoxEnabled());
    EXPECT_TRUE(bench.shell.disabledTabs.empty());
}

// ---- Zero Configuration ---------------------------------------------------------------

TEST_F(MainSheetTest, ZeroConfigurationTakingTheCardSwitchesToTheReducedSetAndBack) {
    bench.start();
    bench.command(IDC_RADIO_OFF);  // radio off: the radio tabs are greyed
    ASSERT_EQ(bench.shell.disabledTabs, radioTabsOff());

    world(kCard + "card\n    zero-config on\n");
    bench.timer(shell::kZeroConfigTimer);
    EXPECT_TRUE(bench.sheet->zeroConfigActive());
    EXPECT_EQ(bench.tabs(), kReducedSet);
    EXPECT_EQ(bench.sheet->page(3).templateId(), IDD_README);
    EXPECT_TRUE(bench.shell.disabledTabs.empty()) << "the disabled tabs were forgotten";
    EXPECT_FALSE(radioBoxEnabled());
    bench.deliver(shell::wm::Hotkey, ID_RADIO_TOGGLE, shell::wm::ModAlt | (shell::wm::KeyF2 << 16));
    EXPECT_FALSE(bench.sheet->radioOn()) << "Alt+F2 does nothing meanwhile";

    world(kCard);
    bench.timer(shell::kZeroConfigTimer);
    EXPECT_FALSE(bench.sheet->zeroConfigActive());
    EXPECT_EQ(bench.tabs(), kFullSet);
    EXPECT_TRUE(radioBoxEnabled());
    EXPECT_EQ(bench.shell.disabledTabs, radioTabsOff()) << "the radio is still off";
}

TEST_F(MainSheetTest, TheCardIsWatchedOnlyWhileZeroConfigurationHoldsIt) {
    card.load(kCard + "card\n    zero-config on\n");
    bench.start();
    EXPECT_EQ(bench.tabs(), kReducedSet);
    // The card takes no association while it is only watched.
    const Profile* any = nullptr;
    {
        std::lock_guard<std::mutex> lock(bench.sheet->profileLock());
        any = bench.sheet->profiles().at(0);
    }
    EXPECT_NE(bench.sheet->connectProfile(any), 0);
}

TEST_F(MainSheetTest, ThePageSetWaitsWhileADialogOfTheProgramIsUp) {
    bench.start();
    card.load(kCard + "card\n    zero-config on\n");
    bench.shell.modal = true;
    bench.timer(shell::kZeroConfigTimer);
    EXPECT_EQ(bench.tabs(), kFullSet);
    bench.shell.modal = false;
    bench.timer(shell::kZeroConfigTimer);
    EXPECT_EQ(bench.tabs(), kReducedSet);
}

// ---- Events ------------------------------------------------------------------------------

TEST_F(MainSheetTest, EventsReachTheCurrentPageUnlessTheWindowIsMinimised) {
    bench.start();
    RecordingPage& page = bench.recordCurrentPage();
    for (uint32_t code : {0u, 1u, 3u, 4u, 1001u, 1004u, 1234u}) bench.event(code);
    EXPECT_EQ(page.events, (std::vector<uint32_t>{0, 1, 3, 4, 1001, 1004, 1234}));

    page.events.clear();
    bench.shell.minimised = true;
    bench.event(zel::EventAssociated);
    EXPECT_TRUE(page.events.empty());
}

TEST_F(MainSheetTest, CodesThatCarryATextAreNeverForwarded) {
    bench.start();
    RecordingPage& page = bench.recordCurrentPage();
    bench.deliver(zel::kEventMessage, sys::kCodeStatusText, 0x1234);
    bench.deliver(zel::kEventMessage, sys::kCodeStatusNote, 0x1234);
    bench.event(sys::kCodeShowCurrentPage);
    bench.event(sys::kCodeAutoLinkDetection);
    EXPECT_TRUE(page.events.empty());
}

TEST_F(MainSheetTest, MediaCheckReachesThePageOnlyWhenNobodyIsBusy) {
    bench.start();
    RecordingPage& page = bench.recordCurrentPage();
    bench.sheet->setBusy(true);
    bench.event(zel::EventMediaCheck);
    EXPECT_TRUE(page.events.empty());
    bench.sheet->setBusy(false);
    bench.event(zel::EventMediaCheck);
    EXPECT_EQ(page.events, std::vector<uint32_t>{5});
}

TEST_F(MainSheetTest, TheLinkFollowsTheCardsEvents) {
    bench.start();
    ZelHandle adapter = bench.sheet->adapter();
    card.api().ZelSetSsid(adapter, "Open", 4, 0);
    letTimePass(1000);
    EXPECT_TRUE(bench.sheet->connection().connected);
    EXPECT_EQ(bench.sheet->connection().currentSsid, "Open");
    EXPECT_EQ(bench.shell.tray, TrayState::Connected);

    world("card\n    region 0x40\n");  // the network is gone
    letTimePass(1000);
    EXPECT_FALSE(bench.sheet->connection().connected);
    EXPECT_EQ(bench.shell.tray, TrayState::NoConnection);
}

// ---- The window ---------------------------------------------------------------------------

TEST_F(MainSheetTest, ClosingAndMinimisingLeaveOnlyTheTrayIcon) {
    bench.start();
    bench.shell.visible = true;
    EXPECT_TRUE(bench.deliver(shell::wm::Close));
    EXPECT_FALSE(bench.shell.visible);
    bench.shell.visible = true;
    EXPECT_FALSE(bench.deliver(shell::wm::Size, shell::wm::SizeMinimized)) << "default follows";
    EXPECT_FALSE(bench.shell.visible);
    bench.shell.visible = true;
    bench.deliver(shell::wm::Size, 0);
    EXPECT_TRUE(bench.shell.visible);
    EXPECT_TRUE(bench.sheet->hasWindow()) << "the program goes on";
}

TEST_F(MainSheetTest, APageThatRefreshesItselfStopsInTheTrayAndGoesOnWhenRestored) {
    struct Case {
        int page;
        int timer;
    };
    bench.start();
    for (const Case& c : {Case{0, CMainPage::kTimer}, Case{3, stats::kTimer}}) {
        ASSERT_TRUE(bench.sheet->select(c.page));
        const fw::MemorySurface& page = bench.host.surfaceOf(bench.sheet->page(c.page));
        bench.deliver(shell::wm::Close);
        EXPECT_FALSE(page.isTimerRunning(c.timer)) << "hidden, page " << c.page;
        bench.deliver(shell::kTrayMessage, 0, shell::wm::LeftDoubleClick);
        EXPECT_TRUE(page.isTimerRunning(c.timer)) << "restored, page " << c.page;
    }
}

TEST_F(MainSheetTest, TheTrayIconRestoresOnDoubleClickAndOpensItsMenuOnRightClick) {
    bench.start();
    bench.shell.takeJournal();
    bench.deliver(shell::kTrayMessage, 0, shell::wm::RightButtonUp);
    EXPECT_EQ(bench.shell.takeJournal(), (std::vector<std::string>{"hide", "open tray menu"}));
    bench.deliver(shell::kTrayMessage, 0, shell::wm::LeftDoubleClick);
    EXPECT_TRUE(bench.shell.visible);
    bench.command(ID_TRAY_RESTORE);
    EXPECT_EQ(bench.shell.takeJournal().back(), "restore");
}

TEST_F(MainSheetTest, RestoringWithoutACardShowsTheFirstPage) {
    card.load(kCard + "card\n    present no\n");
    bench.start();
    ASSERT_TRUE(bench.sheet->select(5));
    bench.command(ID_TRAY_RESTORE);
    EXPECT_EQ(bench.sheet->activeIndex(), 0);
}

TEST_F(MainSheetTest, OkAppliesThePagesAndHidesUnlessAPageRefuses) {
    bench.start();
    RecordingPage& page = bench.recordCurrentPage();
    bench.shell.visible = true;
    page.applies = false;
    bench.command(fw::id::Ok);
    EXPECT_TRUE(bench.shell.visible);
    page.applies = true;
    bench.command(fw::id::Ok);
    EXPECT_FALSE(bench.shell.visible);
    bench.shell.visible = true;
    bench.command(fw::id::Cancel);
    EXPECT_FALSE(bench.shell.visible);
    EXPECT_TRUE(bench.sheet->hasWindow());
}

TEST_F(MainSheetTest, OkSendsTheAdvancedPagesChangesThatLeavingThePageDrops) {
    bench.start();
    ASSERT_TRUE(bench.sheet->select(4));
    fw::MemorySurface& advanced = bench.host.surfaceOf(bench.sheet->page(4));
    const auto powerMode = [&] {
        uint32_t mode = 99;
        card.api().ZelQueryPowerMode(bench.sheet->adapter(), &mode);
        return mode;
    };
    advanced.pick(IDC_ADV_POWER_SAVE, 1);
    ASSERT_TRUE(bench.sheet->select(0));
    ASSERT_TRUE(bench.sheet->select(4));
    bench.command(fw::id::Ok);
    EXPECT_EQ(powerMode(), 0u);
    advanced.pick(IDC_ADV_POWER_SAVE, 1);
    bench.command(fw::id::Ok);
    EXPECT_EQ(powerMode(), 1u);
}

TEST_F(MainSheetTest, TheAdvancedPagesSwitchesReachTheWorkerAndTheSettingsFile) {
    bench.start();
    ASSERT_FALSE(bench.sheet->autoConfigurationEnabled());
    ASSERT_TRUE(bench.sheet->select(4));
    fw::MemorySurface& advanced = bench.host.surfaceOf(bench.sheet->page(4));
    advanced.click(IDC_ADV_AUTO_CONNECT);
    advanced.click(IDC_ADV_AUTO_LINK);
    EXPECT_TRUE(bench.sheet->autoConfigurationEnabled());
    EXPECT_TRUE(bench.sheet->autoLinkEnabled());
    EXPECT_EQ(bench.store.text("Advanced", "Auto Configuration"), "1");
    EXPECT_EQ(bench.store.text("Advanced", "AutoLink"), "1");
}

TEST_F(MainSheetTest, ExitSavesTheProfilesAndEndsTheWindow) {
    bench.start();
    bench.exit();
    EXPECT_FALSE(bench.sheet->hasWindow());
    ProfileList saved;
    EXPECT_EQ(ProfileStore(bench.profilePath()).loadProfiles(bench.profilePath(), saved),
              LoadStatus::Loaded);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(fieldText(saved.at(0)->name), "<Default>");
    const std::vector<std::string> journal = bench.shell.journal();
    const auto position = [&](const std::string& line) {
        return std::find(journal.begin(), journal.end(), line) - journal.begin();
    };
    EXPECT_LT(position("unregister device notification"), position("remove tray icon"));
    EXPECT_LT(position("remove tray icon"), position("unregister hotkey"));
    EXPECT_EQ(journal.back(), "unregister hotkey");
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "show"), 1) << "no window at exit";
}

TEST_F(MainSheetTest, AFailedSaveAtExitIsToldAndMayBeTriedAgain) {
    bench.start();
    // The new file cannot take the place of a folder that holds a file.
    std::filesystem::create_directory(bench.profilePath());
    std::ofstream(bench.profilePath() + "/inside") << "x";
    const std::string told = "Not saved: " + bench.profilePath();
    bench.host.script().expectMessageBox(told, fw::id::Retry);
    bench.host.script().expectMessageBox(told, fw::id::Cancel);
    bench.exit();
    ASSERT_EQ(bench.host.script().shownBoxes().size(), 2u);
    EXPECT_EQ(bench.host.script().shownBoxes()[0].caption, "Tovix");
    EXPECT_EQ(bench.host.script().shownBoxes()[0].flags,
              fw::mb::RetryCancel | fw::mb::IconExclamation);
    EXPECT_FALSE(bench.sheet->hasWindow()) << "the program ends all the same";
    EXPECT_TRUE(bench.host.script().failures().empty());
    EXPECT_TRUE(bench.host.script().unmet().empty());
}

TEST_F(MainSheetTest, ExitWaitsWhileADialogOfTheProgramIsUp) {
    bench.start();
    bench.shell.modal = true;
    bench.exit();
    EXPECT_TRUE(bench.sheet->hasWindow());
    EXPECT_FALSE(std::filesystem::exists(bench.profilePath()));
}

TEST_F(MainSheetTest, AProfileFileThatCannotBeReadIsReportedOnceAndNeverOverwritten) {
    std::filesystem::create_directory(bench.profilePath());  // exists, cannot be read
    bench.start();
    ASSERT_EQ(bench.sheet->profiles().size(), 1u) << "<Default> only";
    bench.host.script().expectMessageBox("Unreadable: " + bench.profilePath(), fw::id::Ok);
    bench.pump();
    bench.pump();
    EXPECT_EQ(bench.host.script().shownBoxes().size(), 1u);
    bench.exit();
    EXPECT_TRUE(std::filesystem::is_directory(bench.profilePath()));
    EXPECT_TRUE(bench.host.script().failures().empty());
    EXPECT_TRUE(bench.host.script().unmet().empty());
}

TEST_F(MainSheetTest, AnImportLeavesNoPageWithAProfileItTookOut) {
    // A profile file with a second "<Default>" after an ad-hoc profile keeps both at start.
    ProfileList file;
    file.append(std::make_unique<Profile>(makeDefaultProfile()));
    Profile lab = makeDefaultProfile();
    setFieldText(lab.name, "Lab");
    lab.networkType = NetworkAdHoc;
    file.append(std::make_unique<Profile>(lab));
    file.append(std::make_unique<Profile>(makeDefaultProfile()));
    ASSERT_TRUE(ProfileStore(bench.profilePath()).saveProfiles(bench.profilePath(), file));
    Profile home = makeDefaultProfile();
    setFieldText(home.name, "Home");
    ProfileList imported;
    imported.append(std::make_unique<Profile>(home));
    const std::string homeFile = bench.folder.file("home.cfg");
    ASSERT_TRUE(ProfileStore(bench.profilePath()).saveProfiles(homeFile, imported));
    bench.start();

    // The Profile Manager's editor holds the later "<Default>" when the import takes it out.
    ASSERT_TRUE(bench.sheet->select(1));
    auto& manager = static_cast<CProfileManager&>(bench.sheet->page(1));
    bench.host.surfaceOf(manager).clickRow(IDC_PM_LIST, 2);
    ASSERT_EQ(manager.editor().editedProfile(), bench.sheet->profiles().at(2));
    ASSERT_TRUE(bench.sheet->select(5));
    bench.shell.files.expect(homeFile);
    bench.host.surfaceOf(bench.sheet->page(5)).click(IDC_ADMIN_IMPORT);
    EXPECT_EQ(manager.editor().editedProfile(), nullptr);
    ASSERT_TRUE(bench.sheet->select(1));
    fw::MemorySurface& rows = bench.host.surfaceOf(manager);
    std::vector<std::string> shown;
    for (int row = 0; row < rows.rowCount(IDC_PM_LIST); ++row) {
        shown.push_back(rows.cell(IDC_PM_LIST, row, 0));
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"<Default>", "Home", "Lab"}));
    EXPECT_NE(manager.editor().editedProfile(), nullptr);
}

TEST_F(MainSheetTest, AProfileFileReadInPartIsReportedOnceWithWhereItIsKept) {
    ProfileList list;
    list.append(std::make_unique<Profile>(makeDefaultProfile()));
    std::vector<uint8_t> image = encodeProfiles(list, SaveScope::Everything);
    image.resize(image.size() + 100, 0xEE);  // garbage after the last good record
    {
        std::ofstream file(bench.profilePath(), std::ios::binary);
        file.write(reinterpret_cast<const char*>(image.data()),
                   static_cast<std::streamsize>(image.size()));
    }
    bench.start();
    EXPECT_EQ(bench.sheet->profiles().size(), 1u);
    bench.host.script().expectMessageBox(
        "Damaged: " + bench.profilePath() + ", kept as " + bench.profilePath() + ".bad",
        fw::id::Ok);
    bench.pump();
    bench.pump();
    EXPECT_EQ(bench.host.script().shownBoxes().size(), 1u);
    bench.exit();
    EXPECT_EQ(std::filesystem::file_size(bench.profilePath() + ".bad"), image.size());
    EXPECT_EQ(std::filesystem::file_size(bench.profilePath()), 796u);
    EXPECT_TRUE(bench.host.script().failures().empty());
    EXPECT_TRUE(bench.host.script().unmet().empty());
}

TEST_F(MainSheetTest, TheEndOfTheSessionSavesTheProfilesAndLeavesTheWindow) {
    bench.start();
    bench.deliver(shell::wm::EndSession, 0);
    EXPECT_FALSE(std::filesystem::exists(bench.profilePath())) << "the session goes on";
    bench.deliver(shell::wm::EndSession, 1);
    EXPECT_TRUE(std::filesystem::exists(bench.profilePath()));
    EXPECT_TRUE(bench.sheet->hasWindow());
    const std::vector<std::string> journal = bench.shell.journal();
    EXPECT_NE(std::find(journal.begin(), journal.end(), "pause 100"), journal.end());
}

// ---- The worker --------------------------------------------------------------------------

TEST_F(MainSheetTest, TheWorkersAutoLinkRequestIsAnsweredAndAutoConfigurationConnects) {
    bench.set("Advanced", "AutoLink", "1");
    bench.set("Advanced", "Auto Configuration", "1");
    bench.start();
    // The worker asks for the Auto Link detection and waits for the answer.
    ASSERT_TRUE(bench.shell.waitForPosted([](unsigned message, uintptr_t code, intptr_t) {
        return message == zel::kEventMessage && code == sys::kCodeAutoLinkDetection;
    }));
    bench.pump();
    // Answered "nothing to do": auto configuration joins the open network for <Default>,
    // whose SSID is "<ANY SSID>", and tells the Network Status page when its pass ended.
    ASSERT_TRUE(bench.shell.waitForSent(sys::kCodeAutoConfigurationPassEnded));
    bench.shell.handleSentMessages();
    ASSERT_TRUE(bench.shell.waitForPosted([](unsigned message, uintptr_t request, intptr_t state) {
        return message == shell::kRequestMessage &&
               request == static_cast<uintptr_t>(shell::Request::ShowTrayState) &&
               state != static_cast<intptr_t>(TrayState::Scanning);
    }));
    letTimePass(1000);
    bench.pump();
    EXPECT_TRUE(bench.sheet->connection().connected);
    EXPECT_EQ(bench.sheet->connection().currentSsid, "Open");
    EXPECT_EQ(bench.shell.tray, TrayState::Connected);
    EXPECT_EQ(bench.shell.delivered, (std::vector<std::pair<uint32_t, std::string>>{
                                         {sys::kCodeAutoConfigurationPassEnded, ""}}));
    bench.exit();
}

TEST_F(MainSheetTest, TrayStatesFromTheWorkerShowTheLinkAsItIsWhenTheyArrive) {
    bench.start();
    ZelHandle adapter = bench.sheet->adapter();
    card.api().ZelSetSsid(adapter, "Open", 4, 0);
    letTimePass(1000);
    ASSERT_EQ(bench.shell.tray, TrayState::Connected);
    // A state the worker posted before the association reached the window.
    bench.deliver(shell::kRequestMessage, static_cast<uintptr_t>(shell::Request::ShowTrayState),
                  static_cast<intptr_t>(TrayState::NoConnection));
    EXPECT_EQ(bench.shell.tray, TrayState::Connected);
    bench.deliver(shell::kRequestMessage, static_cast<uintptr_t>(shell::Request::ShowTrayState),
                  static_cast<intptr_t>(TrayState::Scanning));
    EXPECT_EQ(bench.shell.tray, TrayState::Scanning);
}

TEST_F(MainSheetTest, AutoLinkFailedIsShownByTheWindow) {
    bench.start();
    bench.host.script().expectMessageBox("Auto Link Failed!", fw::id::Ok);
    std::thread([&] { bench.sheet->reportAutoLinkFailed(); }).join();
    bench.pump();
    ASSERT_EQ(bench.host.script().shownBoxes().size(), 1u);
    EXPECT_EQ(bench.host.script().shownBoxes()[0].flags, fw::mb::Ok | fw::mb::IconExclamation);
    EXPECT_EQ(bench.host.script().shownBoxes()[0].caption, "Tovix");
}

TEST_F(MainSheetTest, AutoLinksProfileReplacesItsNetworksAndTheWindowTakesTheEventsBack) {
    world(kCard + R"(
network
    ssid        "Office"
    bssid       00:1D:6A:AA:00:09
    channel     6
    security    wpa-psk
    passphrase  "office-pin-9"
    auto-link   configured 9
)");
    bench.start();
    const auto profile = [](const char* name, uint32_t networkType) {
        auto record = std::make_unique<Profile>(blankProfile());
        setFieldText(record->name, name);
        setFieldText(record->ssid, "Office");
        record->networkType = networkType;
        return record;
    };
    bench.sheet->profiles().append(profile("Office", 0));
    bench.host.script().expectDialog(IDD_AUTO_LINK, [&](fw::Dialog& dialog, fw::UserActions& user) {
        user.type(IDC_AUTO_LINK_PIN, "office-pin-9");
        user.click(fw::id::Ok);
        for (int step = 0; step < 20 && dialog.hasWindow(); ++step) {
            card.advance(100);
            for (const sim::PostedEvent& event : card.takeEvents()) {
                fw::Message m;
                m.message = zel::kEventMessage;
                m.wParam = event.code;
                if (event.window == dialog.ui().handle()) dialog.deliver(m);
            }
        }
    });
    bench.event(sys::kCodeAutoLinkDetection);
    // The Ad-Hoc profile of the SSID stays, and the new one takes a name of its own.
    std::vector<std::string> names;
    for (const auto& record : bench.sheet->profiles()) names.push_back(fieldText(record->name));
    EXPECT_EQ(names.at(0), "Office2");
    EXPECT_EQ(bench.sheet->profiles().inUse(), bench.sheet->profiles().at(0));
    EXPECT_TRUE(bench.sheet->connection().connected);
    EXPECT_TRUE(bench.shell.visible);
    // The library's events come to the main window again.
    card.api().ZelSetRadioControl(bench.sheet->adapter(), 0);
    card.advance(0);
    const auto events = card.takeEvents();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().window, bench.sheet->ui().handle());
}

}  // namespace
