// The worker's cycle, run on the test's thread with scripted waits: when it holds off,
// the Auto Link offer and its answers, the auto configuration pass, what it asks of the
// window and in which order, and when the thread ends.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "adapter/ZelShared.h"
#include "profiles/Worker.h"
#include "tests/profiles/ProfileFixtures.h"
#include "tests/profiles/WorkerBench.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

Profile notPreferred(Profile profile) {
    profile.preferred = 0;
    return profile;
}

// The SSIDs handed to the card, in order.
std::vector<std::string> joinsIn(const std::vector<std::string>& journal) {
    std::vector<std::string> joins;
    for (const auto& line : journal) {
        if (line.rfind("join ", 0) == 0) joins.push_back(line.substr(5));
    }
    return joins;
}

class WorkerCycle : public testing::Test {
protected:
    // Runs the worker to its end and returns what reached the window.
    std::vector<std::string> run() {
        bench.takeJournal();
        bench.zel.takeCalls();
        bench.worker.run();
        return bench.takeJournal();
    }

    WorkerBench bench;
};

// A state of the window in which no cycle does anything.
struct HoldOff {
    const char* name;
    std::function<void(WorkerBench&)> apply;
};

void PrintTo(const HoldOff& holdOff, std::ostream* out) { *out << holdOff.name; }

class WorkerHoldsOff : public WorkerCycle, public testing::WithParamInterface<HoldOff> {};

}  // namespace

TEST_P(WorkerHoldsOff, EveryCycleIsANoOp) {
    bench.autoLink = true;
    bench.list = listOf({infra("Home")});
    GetParam().apply(bench);
    bench.stopAfterCycles(3);

    EXPECT_THAT(run(), ElementsAre("wait 5000", "wait 5000", "wait 5000"));
    EXPECT_THAT(bench.zel.calls(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    States, WorkerHoldsOff,
    testing::Values(HoldOff{"Connected", [](WorkerBench& b) { b.associate("Home"); }},
                    HoldOff{"AdHocActive", [](WorkerBench& b) { b.startAdHoc("Peer"); }},
                    HoldOff{"RadioOff", [](WorkerBench& b) { b.radio = false; }},
                    HoldOff{"Busy", [](WorkerBench& b) { b.busyFlag = true; }},
                    HoldOff{"ZeroConfiguration", [](WorkerBench& b) { b.zeroConfig = true; }}),
    [](const testing::TestParamInfo<HoldOff>& info) { return std::string(info.param.name); });

TEST_F(WorkerCycle, NoAdapterEndsTheThread) {
    bench.cardOpen = false;
    EXPECT_THAT(run(), IsEmpty());

    // A card that goes while the worker waits ends it at the next cycle.
    bench.cardOpen = true;
    bench.associate("Home");
    bench.onWaitStop = [this](uint32_t) {
        bench.cardOpen = false;
        return false;
    };
    EXPECT_THAT(run(), ElementsAre("wait 5000"));
}

TEST_F(WorkerCycle, AnEmptyPreferListPausesAndTriesNothing) {
    bench.list = listOf({notPreferred(infra("Office")), notPreferred(adHoc("Peer"))});
    EXPECT_THAT(run(), ElementsAre("tray 3", "wait 500", "1004", "tray 2", "wait 5000"));
    EXPECT_THAT(bench.zel.callsTo("ZelSsidScan"), IsEmpty());

    bench.list = ProfileList();
    EXPECT_THAT(run(), ElementsAre("tray 3", "wait 500", "1004", "tray 2", "wait 5000"));
}

TEST_F(WorkerCycle, AProfileOffThePreferListIsNeverTriedEvenWhenFirst) {
    bench.list = listOf({notPreferred(infra("Office")), infra("Home")});
    // The refused SSID refreshes the connection state, which shows "No Connection".
    EXPECT_THAT(run(), ElementsAre("tray 3", "join Home", "tray 2", "1004", "tray 2", "wait 5000"));
    EXPECT_THAT(bench.zel.callsTo("ZelSsidScan"), ElementsAre("ZelSsidScan(card, ptr, 1)"));
}

TEST_F(WorkerCycle, AnyPreferredValueButZeroPutsAProfileOnThePreferList) {
    Profile two = infra("Two");
    two.preferred = 2;
    Profile many = infra("Many");
    many.preferred = 0xFFFFFFFFu;
    bench.list = listOf({notPreferred(infra("Zero")), two, many});
    EXPECT_THAT(joinsIn(run()), ElementsAre("Two", "Many"));
}

TEST_F(WorkerCycle, PreferredProfilesAreTriedInListOrderUntilOneIsAccepted) {
    bench.list = listOf({infra("First"), infra("Second"), infra("Third")});
    bench.onSetSsid = [](const std::string& ssid) { return ssid == "Second" ? 0 : 1; };

    // The card has not joined yet when its answer comes: the tray says "No Connection"
    // until the library's event.
    EXPECT_THAT(run(), ElementsAre("tray 3", "join First", "tray 2", "join Second", "1004",
                                   "tray 2", "wait 5000"));
    EXPECT_THAT(namesOf(bench.list), ElementsAre("Second", "First", "Third"));
    EXPECT_EQ(bench.list.inUse(), bench.list.at(0));
}

TEST_F(WorkerCycle, AlreadyAssociatedCountsOnlyWhenTheCardShowsThatNetwork) {
    bench.list = listOf({infra("First"), infra("Second"), infra("Third")});
    bench.onSetSsid = [this](const std::string& ssid) {
        // The card stays off "First", and is on "Second".
        if (ssid == "Second") bench.setCardLink({true, NetworkInfrastructure, ssid, {1}, 1});
        return zel::kSetSsidAlreadyAssociated;
    };
    EXPECT_THAT(run(), ElementsAre("tray 3", "join First", "tray 2", "join Second", "tray 1",
                                   "1004", "tray 1", "wait 5000"));
}

TEST_F(WorkerCycle, AnAcceptedAttemptWithoutALinkByTheNextCycleCountsAsFailed) {
    // The card takes every SSID and joins none.
    bench.list = listOf({infra("First"), infra("Second"), infra("Third")});
    bench.onSetSsid = [](const std::string&) { return 0; };
    bench.stopAfterCycles(5);
    // Each cycle goes on to the next profile; once each has failed, the list's order
    // (the last tried first) starts a new round.
    EXPECT_THAT(joinsIn(run()), ElementsAre("First", "Second", "Third", "Third", "Second"));
}

TEST(WorkerPass, CostsOneWalkOfTheListHoweverManyProfilesFailed) {
    // Every profile fails in turn, one a cycle: the pass of cycle k walks the list once and
    // looks up the k records that failed before and the one it tries, once each, for 10
    // profiles as for 400; the connect adds the same few every time.
    std::set<int> beyondOneLookupEach;
    for (const int profiles : {10, 400}) {
        WorkerBench bench;
        for (int number = 0; number < profiles; ++number) {
            bench.list.append(std::make_unique<Profile>(infra("Net" + std::to_string(number))));
        }
        bench.onSetSsid = [](const std::string&) { return 0; };
        bench.onWaitStop = [&, cycles = 0, last = 0](uint32_t ms) mutable {
            if (ms != Worker::kCycleMs) return false;
            beyondOneLookupEach.insert(bench.listLookups - last - cycles);
            last = bench.listLookups;
            return ++cycles >= profiles;
        };
        bench.worker.run();
    }
    EXPECT_EQ(beyondOneLookupEach.size(), 1u) << testing::PrintToString(beyondOneLookupEach);
}

TEST_F(WorkerCycle, AWorkingProfileBehindABrokenOneConnectsInTheSecondCycle) {
    bench.list = listOf({infra("Broken"), infra("Working")});
    bench.onSetSsid = [this](const std::string& ssid) {
        if (ssid == "Working") bench.associate(ssid);
        return 0;
    };
    bench.stopAfterCycles(4);
    EXPECT_THAT(joinsIn(run()), ElementsAre("Broken", "Working"));
    EXPECT_THAT(namesOf(bench.list), ElementsAre("Working", "Broken"));
}

TEST_F(WorkerCycle, EachProfileIsTriedOnceWhileThePassReordersTheList) {
    // Marking "Club" in use moves it behind "Work", where a walk by position would meet
    // it again.
    bench.list = listOf({infra("Home"), adHoc("Club"), infra("Work"), adHoc("Garage")});
    EXPECT_THAT(joinsIn(run()), ElementsAre("Home", "Club", "Work", "Garage"));
}

TEST_F(WorkerCycle, AProfileRemovedDuringThePassIsSkipped) {
    bench.list = listOf({infra("First"), infra("Second"), infra("Third")});
    bench.onSetSsid = [this](const std::string& ssid) {
        if (ssid == "First") {
            std::lock_guard<std::mutex> lock(bench.lock);
            bench.list.remove(bench.list.findByName("Second"));
        }
        return 1;
    };
    EXPECT_THAT(run(), ElementsAre("tray 3", "join First", "tray 2", "join Third", "tray 2", "1004",
                                   "tray 2", "wait 5000"));
}

TEST_F(WorkerCycle, APageTurningBusyEndsThePassWithoutItsEndMessage) {
    bench.list = listOf({infra("First"), infra("Second")});
    bench.onSetSsid = [this](const std::string&) {
        bench.busyFlag = true;
        return 1;
    };
    EXPECT_THAT(run(), ElementsAre("tray 3", "join First", "tray 2", "tray 2", "wait 5000"));
}

TEST_F(WorkerCycle, AStopDuringThePauseEndsTheThread) {
    bench.list = listOf({notPreferred(infra("Office"))});
    bench.onWaitStop = [](uint32_t) { return true; };
    EXPECT_THAT(run(), ElementsAre("tray 3", "wait 500"));
}

TEST_F(WorkerCycle, AutoLinkWithNothingToDoLetsAutoConfigurationRunInTheSameCycle) {
    bench.autoLink = true;
    bench.list = listOf({infra("Home")});
    EXPECT_THAT(run(), ElementsAre("scan", "1007", "tray 3", "join Home", "tray 2", "1004",
                                   "tray 2", "wait 5000"));
    // Before its scan the card gets its network mode again, unchanged.
    const auto calls = bench.zel.calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_THAT(std::vector<std::string>(calls.begin(), calls.begin() + 3),
                ElementsAre("ZelQueryNetworkMode(card, ptr)", "ZelSetNetworkMode(card, 1)",
                            "ZelScan(card)"));
}

TEST_F(WorkerCycle, AutoLinkConnectedLeavesNothingToDo) {
    bench.autoLink = true;
    bench.list = listOf({infra("Home")});
    bench.onAutoLink = [this] {
        bench.associate("Linked");
        return AutoLinkResult::Connected;
    };
    EXPECT_THAT(run(), ElementsAre("scan", "1007", "tray 1", "wait 5000"));
}

TEST_F(WorkerCycle, AutoLinkNewProfileIsTriedThreeTimesThenTheFailureIsReported) {
    bench.autoLink = true;
    bench.autoConfiguration = false;
    // The profile Auto Link stored stands first, whether preferred or not.
    bench.list = listOf({notPreferred(infra("Linked", "LinkedNet")), infra("Home")});
    bench.onAutoLink = [] { return AutoLinkResult::NewProfile; };
    EXPECT_THAT(
        run(), ElementsAre("scan", "1007", "tray 3", "1003 Scanning for LinkedNet",
                           "join LinkedNet", "tray 2", "join LinkedNet", "tray 2", "join LinkedNet",
                           "tray 2", "Auto Link Failed!", "tray 2", "wait 5000"));
}

TEST_F(WorkerCycle, AutoLinkNewProfileStopsAtTheFirstSuccess) {
    bench.autoLink = true;
    bench.autoConfiguration = false;
    bench.list = listOf({infra("Linked", "LinkedNet")});
    bench.onAutoLink = [] { return AutoLinkResult::NewProfile; };
    int attempts = 0;
    bench.onSetSsid = [&](const std::string&) { return ++attempts == 2 ? 0 : 1; };
    EXPECT_THAT(run(),
                ElementsAre("scan", "1007", "tray 3", "1003 Scanning for LinkedNet",
                            "join LinkedNet", "tray 2", "join LinkedNet", "tray 2", "wait 5000"));
}

TEST_F(WorkerCycle, AutoLinkAttemptsEndWhenAPageTurnsBusy) {
    bench.autoLink = true;
    bench.list = listOf({infra("Linked", "LinkedNet"), infra("Home")});
    bench.onAutoLink = [] { return AutoLinkResult::NewProfile; };
    bench.onSetSsid = [this](const std::string&) {
        bench.busyFlag = true;
        return 1;
    };
    // One attempt, no failure box, and no auto configuration while busy.
    EXPECT_THAT(run(), ElementsAre("scan", "1007", "tray 3", "1003 Scanning for LinkedNet",
                                   "join LinkedNet", "tray 2", "tray 2", "wait 5000"));
}

TEST_F(WorkerCycle, AStopDuringTheAutoLinkWaitEndsTheThread) {
    bench.autoLink = true;
    bench.list = listOf({infra("Home")});
    bench.onAutoLink = [] { return std::nullopt; };
    EXPECT_THAT(run(), ElementsAre("scan", "1007"));
}

TEST_F(WorkerCycle, ACardGoneDuringAutoLinkEndsTheThread) {
    bench.autoLink = true;
    bench.list = listOf({infra("Home")});
    bench.onAutoLink = [this] {
        bench.cardOpen = false;
        return AutoLinkResult::Connected;
    };
    EXPECT_THAT(run(), ElementsAre("scan", "1007", "tray 3"));
}

TEST_F(WorkerCycle, ScansOnceAtTheStartWhenAutoLinkAndAutoConfigurationAreOff) {
    bench.autoConfiguration = false;
    bench.setCardLink({false, NetworkAdHoc, "", {}, 0});
    bench.stopAfterCycles(2);
    EXPECT_THAT(run(), ElementsAre("scan", "wait 5000", "wait 5000"));
    EXPECT_THAT(bench.zel.calls(), ElementsAre("ZelQueryNetworkMode(card, ptr)",
                                               "ZelSetNetworkMode(card, 0)", "ZelScan(card)"));

    // A network mode that cannot be read is not set.
    bench.zel.on.ZelQueryNetworkMode = [](ZelHandle, uint32_t*) { return 1; };
    run();
    EXPECT_THAT(bench.zel.calls(), ElementsAre("ZelQueryNetworkMode(card, ptr)", "ZelScan(card)"));

    // Nothing at the start when either is on.
    bench.autoConfiguration = true;
    bench.associate("Home");
    EXPECT_THAT(run(), ElementsAre("wait 5000"));
    EXPECT_THAT(bench.zel.calls(), IsEmpty());
}
