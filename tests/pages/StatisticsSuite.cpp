#include "tests/pages/StatisticsSuite.h"

#include <gmock/gmock.h>

#include <cstring>

#include "pages/DetailStatistics.h"
#include "pages/Statistics.h"
#include "sim/NativeCard.h"
#include "tests/support/ZelRecorder.h"

namespace {

using testing::ElementsAre;
using testing::ElementsAreArray;
using testing::IsEmpty;
using Rows = std::vector<std::array<std::string, 4>>;

ZelHandle const kCard = reinterpret_cast<ZelHandle>(0x5A17);

// A driver whose counters the test sets: each query copies them and answers `result`.
// Reset zeroes them, unless the driver is one that ignores it.
struct Driver {
    Driver() {
        recorder.name(kCard, "card");
        recorder.on.ZelQueryStatistics = [this](ZelHandle, NDIS_802_11_STATISTICS* out) {
            *out = statistics;
            return result;
        };
        recorder.on.ZelQueryBeaconStatistics = [this](ZelHandle, ZEL_BEACON_STATS* out) {
            *out = beacons;
            return result;
        };
        recorder.on.ZelQueryRssiStat = [this](ZelHandle, ZEL_RSSI_STATS* out) {
            *out = buckets;
            return result;
        };
        recorder.on.ZelQueryRssi = [this](ZelHandle, int32_t* out) {
            *out = rssi;
            return result;
        };
        recorder.on.ZelResetStatistics = [this](ZelHandle) {
            if (resets) statistics = {};
            return 0;
        };
    }
    const ZelApi& api() const { return recorder.api(); }
    size_t calls(const char* operation) const { return recorder.callsTo(operation).size(); }

    ZelRecorder recorder;
    NDIS_802_11_STATISTICS statistics{};
    ZEL_BEACON_STATS beacons{};
    ZEL_RSSI_STATS buckets{};
    int32_t rssi = -56;
    int32_t result = 0;
    bool resets = true;
};

// Counters of distinct values, so that a counter in the wrong cell shows.
NDIS_802_11_STATISTICS distinctCounters() {
    NDIS_802_11_STATISTICS s{};
    s.Length = sizeof s;
    s.TransmittedFragmentCount = 11;
    s.MulticastTransmittedFrameCount = 7;
    s.FailedCount = 3;
    s.RetryCount = 5;
    s.MultipleRetryCount = 2;
    s.RTSSuccessCount = 13;
    s.RTSFailureCount = 17;
    s.ACKFailureCount = 19;
    s.FrameDuplicateCount = 23;
    s.ReceivedFragmentCount = 29;
    s.MulticastReceivedFrameCount = 31;
    s.FCSErrorCount = 37;
    return s;
}

const Rows kDistinctTransmit = {
    {"Total Packet", "18", "Failed Count", "3"},
    {"Unicast Packet", "11", "RTS Success", "13"},
    {"Multicast Packet", "7", "RTS Failure", "17"},
    {"Single Retries", "5", "ACK Error", "19"},
    {"Multiple Retries", "2", "", ""},
};

}  // namespace

void StatisticsSuite::SetUp() {
    world = GetParam().make();
    host.handle = kCard;
    host.link.connected = true;
    host.link.currentWirelessMode = 0;
}

void StatisticsSuite::TearDown() {
    fwtest::expectCleanEnd(world->windows(), page.get());
    sheet.reset();
    page.reset();
    world.reset();
}

void StatisticsSuite::showPage() {
    sheet = std::make_unique<fw::Sheet>("VORNAX TX-LM70RDV Utility", fw::Sheet::Mode::Modeless);
    sheet->addPage(*page);
    sheet->addPage(other);
    world->windows().host().createSheet(*sheet, nullptr);
}

void StatisticsSuite::leavePage() { ASSERT_TRUE(sheet->select(1)); }
void StatisticsSuite::returnToPage() { ASSERT_TRUE(sheet->select(0)); }

void StatisticsSuite::tick() { world->windows().user(*page).fireTimer(stats::kTimer); }

std::vector<std::array<std::string, 4>> StatisticsSuite::table(int id) const {
    Rows rows(static_cast<size_t>(page->ui().rowCount(id)));
    for (size_t row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < 4; ++column) {
            rows[row][column] = page->ui().cell(id, static_cast<int>(row), column);
        }
    }
    return rows;
}

// ---- Both pages --------------------------------------------------------------------------

TEST_P(StatisticsSuite, TablesHaveFourEqualColumns) {
    Driver driver;
    show<CDetailStatistics>(driver.api());
    for (int id : {IDC_STATS_TRANSMIT, IDC_STATS_RECEIVE, IDC_STATS_RSSI}) {
        EXPECT_THAT(world->headings(*page, id), ElementsAre("Element", "Data", "Element", "Data"));
        if (const auto widths = world->columnWidths(*page, id)) {
            const int width = page->ui().clientWidth(id) / 4 - 1;
            EXPECT_THAT(*widths, ElementsAre(width, width, width, width)) << id;
        }
    }
}

TEST_P(StatisticsSuite, CountersAreShownAsTheirLowThirtyTwoBits) {
    Driver driver;
    driver.statistics = distinctCounters();
    driver.statistics.TransmittedFragmentCount = 0x100000005ull;
    driver.statistics.MulticastTransmittedFrameCount = 0xFFFFFFFFull;
    driver.statistics.RetryCount = 0xFFFFFFFFFFFFFFFFull;
    driver.beacons = {0xFFFFFFFFu, 0};
    show<CStatistics>(driver.api());
    // 2^32 + 5 reads 5; 2^32 + 5 + 2^32 - 1 reads 4.
    EXPECT_EQ(page->ui().cell(IDC_STATS_TRANSMIT, 0, 1), "4");
    EXPECT_EQ(page->ui().cell(IDC_STATS_TRANSMIT, 1, 1), "5");
    EXPECT_EQ(page->ui().cell(IDC_STATS_TRANSMIT, 2, 1), "4294967295");
    EXPECT_EQ(page->ui().cell(IDC_STATS_TRANSMIT, 3, 1), "4294967295");
    EXPECT_EQ(page->ui().cell(IDC_STATS_RECEIVE, 1, 3), "4294967295");
}

// Garbage from the driver, a failed call, a length that lies: numbers, read from the
// structure alone.
TEST_P(StatisticsSuite, WhatTheDriverLeavesIsShownAsNumbers) {
    Driver driver;
    driver.result = 1;
    std::memset(&driver.statistics, 0xA5, sizeof driver.statistics);
    driver.statistics.Length = 0xFFFFFFFFu;
    std::memset(&driver.buckets, 0xFF, sizeof driver.buckets);
    show<CDetailStatistics>(driver.api());
    EXPECT_EQ(page->ui().cell(IDC_STATS_TRANSMIT, 1, 1), "2779096485");  // 0xA5A5A5A5
    EXPECT_EQ(page->ui().cell(IDC_STATS_TRANSMIT, 0, 1), "1263225674");  // twice, mod 2^32
    EXPECT_EQ(page->ui().cell(IDC_STATS_RSSI, 1, 3), "4294967295");
}

// ---- The standard page -------------------------------------------------------------------

TEST_P(StatisticsSuite, TheStandardPageShowsEachCounterInItsCell) {
    Driver driver;
    driver.statistics = distinctCounters();
    driver.beacons = {41, 43};
    show<CStatistics>(driver.api());
    EXPECT_THAT(table(IDC_STATS_TRANSMIT), ElementsAreArray(kDistinctTransmit));
    EXPECT_THAT(table(IDC_STATS_RECEIVE), ElementsAreArray(Rows{
                                              {"Total Packet", "60", "Duplicate Frame", "23"},
                                              {"Unicast Packet", "29", "Received Beacons", "41"},
                                              {"Multicast Packet", "31", "Beacon Loss", "43"},
                                          }));
    EXPECT_FALSE(page->ui().isVisible(IDC_STATS_RESET));
    EXPECT_FALSE(page->ui().isEnabled(IDC_STATS_RESET));
    EXPECT_EQ(page->ui().range(IDC_STATS_SIGNAL), std::make_pair(0, 40));
}

// The same averaging as the Network Status page: RSSI + 96 over the samples taken, rounded
// up, at most 40.
TEST_P(StatisticsSuite, TheLevelBarAveragesTheSignal) {
    Driver driver;
    driver.rssi = -70;
    show<CStatistics>(driver.api());
    EXPECT_EQ(page->ui().pos(IDC_STATS_SIGNAL), 26);
    driver.rssi = -81;
    tick();
    EXPECT_EQ(page->ui().pos(IDC_STATS_SIGNAL), 21);  // (26 + 15) / 2, rounded up
    driver.rssi = -10;
    tick();
    EXPECT_EQ(page->ui().pos(IDC_STATS_SIGNAL), 40);  // (26 + 15 + 86) / 3 gives 43: capped
}

TEST_P(StatisticsSuite, TheLinkIconFollowsTheWirelessMode) {
    const struct {
        uint32_t mode;
        int icon;
    } cases[] = {
        {1, IDI_LINK_80211B}, {2, IDI_LINK_80211A}, {0, IDI_LINK_OTHER}, {7, IDI_LINK_OTHER}};
    Driver driver;
    show<CStatistics>(driver.api());
    for (const auto& c : cases) {
        host.link.currentWirelessMode = c.mode;
        tick();
        EXPECT_EQ(page->ui().icon(IDC_STATS_LINK_ICON), c.icon) << c.mode;
    }
}

// Without a card or a link: an empty bar and the no-link icon, and the tables as they were.
TEST_P(StatisticsSuite, WithoutALinkTheStandardPageKeepsItsTables) {
    Driver driver;
    driver.statistics = distinctCounters();
    show<CStatistics>(driver.api());
    ASSERT_EQ(page->ui().pos(IDC_STATS_SIGNAL), 40);
    const Rows shown = table(IDC_STATS_TRANSMIT);
    driver.statistics.TransmittedFragmentCount = 1000;

    host.link.connected = false;
    host.link.adHocActive = true;  // an ad-hoc network of the card's own counts as a link
    tick();
    EXPECT_EQ(page->ui().cell(IDC_STATS_TRANSMIT, 1, 1), "1000");

    host.link.adHocActive = false;
    const size_t queries = driver.calls("ZelQueryStatistics");
    tick();
    EXPECT_EQ(page->ui().pos(IDC_STATS_SIGNAL), 0);
    EXPECT_EQ(page->ui().icon(IDC_STATS_LINK_ICON), IDI_NO_LINK);
    EXPECT_EQ(driver.calls("ZelQueryStatistics"), queries);

    host.handle = nullptr;
    tick();
    EXPECT_EQ(page->ui().cell(IDC_STATS_TRANSMIT, 1, 1), "1000");
    EXPECT_EQ(page->ui().pos(IDC_STATS_SIGNAL), 0);
    EXPECT_EQ(page->ui().icon(IDC_STATS_LINK_ICON), IDI_NO_LINK);
    // The signal starts over when the link comes back.
    host.handle = kCard;
    host.link.connected = true;
    driver.rssi = -86;
    tick();
    EXPECT_EQ(page->ui().pos(IDC_STATS_SIGNAL), 10);
    EXPECT_NE(table(IDC_STATS_TRANSMIT), shown);
}

TEST_P(StatisticsSuite, TheStandardPageStandsStillWhileTheRadioIsOff) {
    Driver driver;
    driver.statistics = distinctCounters();
    auto& statistics = show<CStatistics>(driver.api());
    statistics.setRadioState(false);
    driver.statistics.TransmittedFragmentCount = 1000;
    driver.rssi = -90;
    tick();
    EXPECT_EQ(page->ui().cell(IDC_STATS_TRANSMIT, 1, 1), "11");
    EXPECT_EQ(page->ui().pos(IDC_STATS_SIGNAL), 40);
    statistics.setRadioState(true);
    tick();
    EXPECT_EQ(page->ui().cell(IDC_STATS_TRANSMIT, 1, 1), "1000");
    // Shown again, the page runs even if the radio was said to be off.
    statistics.setRadioState(false);
    driver.statistics.TransmittedFragmentCount = 2000;
    leavePage();
    returnToPage();
    EXPECT_EQ(page->ui().cell(IDC_STATS_TRANSMIT, 1, 1), "2000");
}

TEST_P(StatisticsSuite, TheStandardPageStopsReadingWhenLeft) {
    Driver driver;
    show<CStatistics>(driver.api());
    world->pass(*page, 2500);
    const size_t shown = driver.calls("ZelQueryStatistics");
    EXPECT_GE(shown, 2u);
    leavePage();
    world->pass(*page, 2500);
    EXPECT_EQ(driver.calls("ZelQueryStatistics"), shown);
}

// ---- The detailed page -------------------------------------------------------------------

TEST_P(StatisticsSuite, TheDetailedPageShowsEachCounterInItsCell) {
    Driver driver;
    driver.statistics = distinctCounters();
    driver.beacons = {41, 43};
    driver.buckets = {{47, 53, 59, 61}};
    show<CDetailStatistics>(driver.api());
    EXPECT_THAT(table(IDC_STATS_TRANSMIT), ElementsAreArray(kDistinctTransmit));
    EXPECT_THAT(table(IDC_STATS_RECEIVE), ElementsAreArray(Rows{
                                              {"Total Packet", "60", "FCS Error", "37"},
                                              {"Unicast Packet", "29", "FCS Per Sec", "37"},
                                              {"Multicast Packet", "31", "Received Beacons", "41"},
                                              {"Duplicate Frame", "23", "Beacon Loss", "43"},
                                          }));
    EXPECT_THAT(table(IDC_STATS_RSSI), ElementsAreArray(Rows{
                                           {"0 -- 19", "47", "40 -- 59", "59"},
                                           {"20 -- 39", "53", "60 & Up", "61"},
                                       }));
    EXPECT_TRUE(page->ui().isVisible(IDC_STATS_RESET));
    EXPECT_TRUE(page->ui().isEnabled(IDC_STATS_RESET));
}

TEST_P(StatisticsSuite, WithoutACardTheDetailedPageShowsZeroEverywhere) {
    Driver driver;
    driver.statistics = distinctCounters();
    show<CDetailStatistics>(driver.api());
    host.handle = nullptr;
    tick();
    for (int id : {IDC_STATS_TRANSMIT, IDC_STATS_RECEIVE, IDC_STATS_RSSI}) {
        for (const auto& row : table(id)) {
            EXPECT_EQ(row[1], "0") << row[0];
            if (!row[2].empty()) {
                EXPECT_EQ(row[3], "0") << row[2];
            }
        }
    }
    // "&Reset" has nothing to reset.
    world->windows().user(*page).click(IDC_STATS_RESET);
    EXPECT_EQ(driver.calls("ZelResetStatistics"), 0u);
}

TEST_P(StatisticsSuite, FcsPerSecondIsTheGrowthSinceThePreviousTick) {
    Driver driver;
    driver.statistics.FCSErrorCount = 500;
    show<CDetailStatistics>(driver.api());
    // The first tick after activation counts from 0.
    EXPECT_EQ(page->ui().cell(IDC_STATS_RECEIVE, 1, 3), "500");
    const struct {
        uint64_t fcsErrors;
        const char* perSecond;
    } seconds[] = {
        {507, "7"},
        {507, "0"},
        {300, "0"},                   // the driver started over
        {0x100000000ull + 300, "0"},  // 2^32 more: its low 32 bits
        {0x100000000ull + 309, "9"},
    };
    for (const auto& second : seconds) {
        driver.statistics.FCSErrorCount = second.fcsErrors;
        tick();
        EXPECT_EQ(page->ui().cell(IDC_STATS_RECEIVE, 1, 3), second.perSecond) << second.fcsErrors;
    }
    leavePage();
    returnToPage();
    EXPECT_EQ(page->ui().cell(IDC_STATS_RECEIVE, 1, 3), "309");
}

TEST_P(StatisticsSuite, TheDetailedPageReadsOnWhileHidden) {
    Driver driver;
    show<CDetailStatistics>(driver.api());
    leavePage();
    const size_t hidden = driver.calls("ZelQueryRssiStat");
    world->pass(*page, 3500);
    EXPECT_GE(driver.calls("ZelQueryRssiStat"), hidden + 2);
}

// "&Reset" with a driver that resets its counters: what it counted since. Counters
// below their baselines are shown raw, and keep counting from there.
TEST_P(StatisticsSuite, ResetShowsWhatTheCardCountedSince) {
    Driver driver;
    driver.statistics = distinctCounters();
    driver.statistics.FCSErrorCount = 90;
    show<CDetailStatistics>(driver.api());
    world->windows().user(*page).click(IDC_STATS_RESET);
    EXPECT_EQ(driver.calls("ZelResetStatistics"), 1u);
    EXPECT_EQ(page->ui().cell(IDC_STATS_TRANSMIT, 3, 1), "0");
    EXPECT_EQ(page->ui().cell(IDC_STATS_RECEIVE, 1, 3), "0");

    driver.statistics.RetryCount = 3;
    driver.statistics.FCSErrorCount = 4;
    tick();
    EXPECT_EQ(page->ui().cell(IDC_STATS_TRANSMIT, 3, 1), "3");
    EXPECT_EQ(page->ui().cell(IDC_STATS_RECEIVE, 1, 3), "4");
    // Past the count before the reset (5), it still reads what was counted since.
    driver.statistics.RetryCount = 8;
    tick();
    EXPECT_EQ(page->ui().cell(IDC_STATS_TRANSMIT, 3, 1), "8");
}

// "&Reset" with a driver that ignores it: the six counters with baselines count from
// them; the others go on.
TEST_P(StatisticsSuite, ResetCountsFromBaselinesWhenTheDriverKeepsCounting) {
    Driver driver;
    driver.resets = false;
    driver.statistics = distinctCounters();
    show<CDetailStatistics>(driver.api());
    world->windows().user(*page).click(IDC_STATS_RESET);
    EXPECT_THAT(table(IDC_STATS_TRANSMIT), ElementsAreArray(Rows{
                                               {"Total Packet", "18", "Failed Count", "0"},
                                               {"Unicast Packet", "11", "RTS Success", "0"},
                                               {"Multicast Packet", "7", "RTS Failure", "0"},
                                               {"Single Retries", "0", "ACK Error", "0"},
                                               {"Multiple Retries", "0", "", ""},
                                           }));
    driver.statistics.RetryCount += 4;
    driver.statistics.ACKFailureCount += 6;
    tick();
    EXPECT_EQ(page->ui().cell(IDC_STATS_TRANSMIT, 3, 1), "4");
    EXPECT_EQ(page->ui().cell(IDC_STATS_TRANSMIT, 3, 3), "6");
    // The driver started over by itself: below its baseline, a counter is shown raw.
    driver.statistics.ACKFailureCount = 2;
    tick();
    EXPECT_EQ(page->ui().cell(IDC_STATS_TRANSMIT, 3, 3), "2");
    EXPECT_EQ(page->ui().cell(IDC_STATS_TRANSMIT, 3, 1), "4");
}

// ---- The simulated card ------------------------------------------------------------------

const std::string kWeakNetwork = R"(
card
    association-delay 100
network
    ssid    "Far"
    bssid   00:11:22:33:00:02
    channel 1
    rssi    -80
)";

TEST_P(StatisticsSuite, TheCardCountsBySignalAndResets) {
    sim::NativeCard card(kWeakNetwork);
    ASSERT_EQ(card.api().ZelOpenAdapter(&host.handle), 0);
    ASSERT_EQ(card.api().ZelSetSsid(host.handle, "Far", 3, 0), 0);
    card.advance(200);
    ASSERT_NE(card.api().ZelGetConnectStatus(host.handle), 0);
    card.advance(10000);
    show<CDetailStatistics>(card.api());
    // Level 16 of 40 is 40 %: every frame in the third bucket.
    EXPECT_EQ(page->ui().cell(IDC_STATS_RSSI, 0, 3), page->ui().cell(IDC_STATS_RECEIVE, 0, 1));
    EXPECT_EQ(page->ui().cell(IDC_STATS_RSSI, 1, 3), "0");
    card.advance(1000);
    tick();
    EXPECT_EQ(page->ui().cell(IDC_STATS_RECEIVE, 1, 3), "2");  // 24 / 10 a second
    world->windows().user(*page).click(IDC_STATS_RESET);
    EXPECT_EQ(page->ui().cell(IDC_STATS_TRANSMIT, 1, 1), "0");
    EXPECT_EQ(page->ui().cell(IDC_STATS_TRANSMIT, 3, 1), "0");
    card.advance(2000);
    tick();
    EXPECT_EQ(page->ui().cell(IDC_STATS_TRANSMIT, 1, 1), "80");
    EXPECT_EQ(page->ui().cell(IDC_STATS_TRANSMIT, 3, 1), "24");  // 12 retries a second
    EXPECT_EQ(page->ui().cell(IDC_STATS_RSSI, 0, 3), "140");
}
