#include "tests/pages/MainPageSuite.h"

#include <gmock/gmock.h>

#include <set>

#include "adapter/ZelShared.h"

namespace {

using testing::IsEmpty;

}  // namespace

void MainPageSuite::start(const std::string& scenario) {
    world = GetParam().make(scenario);
    platform = std::make_unique<RecordingPlatform>(world->platform());
    platform->clock = [this] { return world->now(); };
    host = std::make_unique<CardHost>(world->api(), [this] { return world->now(); });
    host->open();
    page = std::make_unique<CMainPage>(*host, *platform);
    sheet = std::make_unique<fw::Sheet>("VORNAX TX-LM70RDV Utility", fw::Sheet::Mode::Modeless);
    sheet->addPage(*page);
}

void MainPageSuite::show() { world->windows().host().createSheet(*sheet, nullptr); }

void MainPageSuite::TearDown() {
    if (world) fwtest::expectCleanEnd(world->windows(), page.get());
    sheet.reset();
    page.reset();
    host.reset();
    platform.reset();
    world.reset();
}

TEST_P(MainPageSuite, WithoutACardThePageReadsCardUnplugged) {
    start(kCard + "    present no\n" + kNetworks);
    host->addProfile(homeProfile());
    show();
    EXPECT_EQ(host->adapter(), nullptr);
    EXPECT_EQ(page->ui().text(IDC_STATUS_TEXT), "Card Unplugged");
    EXPECT_EQ(page->ui().selection(IDC_STATUS_PROFILES), -1);
    EXPECT_EQ(page->ui().itemCount(IDC_STATUS_PROFILES), 1);
    EXPECT_EQ(page->ui().pos(IDC_STATUS_SIGNAL), 0);
    EXPECT_EQ(page->ui().icon(IDC_STATUS_LINK_ICON), IDI_NO_LINK);
}

TEST_P(MainPageSuite, WithTheRadioOffThePageReadsNoRadio) {
    start(kCard + "    radio off\n" + kNetworks);
    uint32_t radio = 1;
    host->api().ZelQueryRadioControl(host->adapter(), &radio);
    host->radio = radio == 1;
    page->setRadioState(host->radio);
    show();
    EXPECT_EQ(page->ui().text(IDC_STATUS_TEXT), "No Radio");
    EXPECT_EQ(page->ui().text(IDC_STATUS_SSID), "");
    world->pass(*page, 2000);
    EXPECT_THAT(platform->transmit.values, IsEmpty());
}

TEST_P(MainPageSuite, WithoutALinkThePageReadsNoConnection) {
    start(kCard + kNetworks);
    show();
    EXPECT_EQ(page->ui().text(IDC_STATUS_TEXT), "No Connection");
    EXPECT_EQ(page->ui().text(IDC_STATUS_CHANNEL), "Channel Performance");
    world->pass(*page, 1000);
    EXPECT_EQ(page->ui().text(IDC_STATUS_TX_RATE), "Current Tx Rate:");
}

TEST_P(MainPageSuite, LeftThePageReadsNothingAndShownAgainItRefreshesAtOnce) {
    start(kCard + kNetworks);
    show();
    page->onKillActive();
    const size_t shown = platform->transmit.values.size();
    world->pass(*page, 1500);
    EXPECT_EQ(platform->transmit.values.size(), shown) << "no tick while left";
    page->onSetActive();
    EXPECT_EQ(platform->transmit.values.size(), shown + 1) << "one tick at once";
    EXPECT_EQ(platform->graphsRunning, (std::vector<bool>{true, false, true}));
}

TEST_P(MainPageSuite, ChoosingAProfileConnectsItAndThePageShowsTheLink) {
    start(kCard + kNetworks);
    host->addProfile(labProfile());
    host->addProfile(homeProfile());
    show();
    ASSERT_EQ(page->ui().itemCount(IDC_STATUS_PROFILES), 2);
    host->onConnect = [this] { return page->ui().text(IDC_STATUS_TEXT); };
    world->windows().user(*page).pick(IDC_STATUS_PROFILES, 1);
    ASSERT_EQ(host->connects.size(), 1u);
    EXPECT_EQ(host->connects[0].seen, "Scanning for HomeNet");
    EXPECT_TRUE(host->connects[0].busy);
    EXPECT_FALSE(host->busyFlag);
    // The card associates after its delay and tells the main window, which tells the page.
    world->pass(*page, 1000);
    ASSERT_NE(host->api().ZelGetConnectStatus(host->adapter()), 0);
    host->reportEvent(*page, zel::EventAssociated);

    EXPECT_EQ(page->ui().text(IDC_STATUS_TEXT), "Connected");
    EXPECT_EQ(page->ui().text(IDC_STATUS_SSID), "HomeNet");
    EXPECT_EQ(page->ui().text(IDC_STATUS_NETWORK_TYPE), "Infrastructure");
    EXPECT_EQ(page->ui().text(IDC_STATUS_BSSID), "00 14 BF 3C 11 02");
    EXPECT_EQ(page->ui().text(IDC_STATUS_SECURITY), "TKIP");
    EXPECT_EQ(page->ui().text(IDC_STATUS_CHANNEL), "Channel 6 (2.437 GHz)");
    EXPECT_THAT(page->ui().text(IDC_STATUS_LINK_SPEED), testing::EndsWith(" Mbps"));
    EXPECT_EQ(page->ui().icon(IDC_STATUS_LINK_ICON), IDI_LINK_OTHER);
    // The profile just applied is the one in use, first in the list and selected.
    EXPECT_EQ(page->ui().itemText(IDC_STATUS_PROFILES, 0), "Home");
    EXPECT_EQ(page->ui().selection(IDC_STATUS_PROFILES), 0);
}

// The card answers "already associated" and sends no event: the page shows the link
// again rather than the scanning text, for a named network and for the strongest open one.
TEST_P(MainPageSuite, ChoosingTheProfileAlreadyConnectedShowsTheLinkAgain) {
    struct Case {
        Profile profile;
        const char* ssid;
    };
    for (const Case& c :
         {Case{homeProfile(), "HomeNet"}, Case{makeDefaultProfile(), "Lab-5G-Open"}}) {
        start(kCard + kNetworks);
        Profile* listed = host->addProfile(c.profile);
        ASSERT_EQ(host->connectProfile(listed), 0);
        world->pass(*page, 1000);
        host->reportEvent(*page, zel::EventAssociated);
        show();
        ASSERT_EQ(page->ui().text(IDC_STATUS_TEXT), "Connected") << c.ssid;

        host->onConnect = [this] { return page->ui().text(IDC_STATUS_TEXT); };
        world->windows().user(*page).pick(IDC_STATUS_PROFILES, 0);
        ASSERT_EQ(host->connects.size(), 2u);
        EXPECT_THAT(host->connects[1].seen, testing::StartsWith("Scan")) << c.ssid;
        EXPECT_EQ(page->ui().text(IDC_STATUS_TEXT), "Connected") << c.ssid;
        EXPECT_EQ(page->ui().text(IDC_STATUS_SSID), c.ssid);
        EXPECT_EQ(page->ui().selection(IDC_STATUS_PROFILES), 0) << c.ssid;
        TearDown();
    }
}

TEST_P(MainPageSuite, TheSignalBarFollowsTheSignal) {
    start(kCard + kNetworks);
    Profile* home = host->addProfile(homeProfile());
    ASSERT_EQ(host->connectProfile(home), 0);
    world->pass(*page, 1000);
    host->reportEvent(*page, zel::EventAssociated);
    show();
    std::set<int> levels;
    for (int second = 0; second < 6; ++second) {
        world->pass(*page, 1000);
        const int level = page->ui().pos(IDC_STATUS_SIGNAL);
        EXPECT_GE(level, 12);
        EXPECT_LE(level, 40);
        levels.insert(level);
    }
    EXPECT_GE(levels.size(), 3u);
}
