// The event type, and the worker on a thread of its own: every wait ends at a stop, the
// window's Auto Link answer reaches it, and it connects while the window thread edits,
// reorders and removes profiles (run under ThreadSanitizer too).
//
// Nothing here is timed. A stop or a wake-up that got lost leaves a wait without a time
// limit hanging, which the test run's time-out reports.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "profiles/Event.h"
#include "profiles/Worker.h"
#include "tests/profiles/ProfileFixtures.h"
#include "tests/profiles/WorkerBench.h"

using namespace std::chrono_literals;
using testing::ElementsAre;

namespace {

constexpr int kRounds = 300;

// Waits for `event` without a time limit.
void await(Event& event) { Event::waitAny({&event}); }

// The real waits of a WorkerThread with their time limits lifted, so that only the stop
// event or the window's answer ends them. Tells the test when the worker has begun to
// wait, and notes in the journal how long it meant to.
class OnlyStopEnds : public WorkerWaits {
public:
    OnlyStopEnds(WorkerThread& thread, WorkerBench& bench) : thread_(thread), bench_(bench) {}

    bool waitStop(uint32_t ms) override {
        bench_.note("wait " + std::to_string(ms));
        waiting.set();
        return thread_.waitStop(UINT32_MAX);
    }
    std::optional<AutoLinkResult> askAutoLink(const std::function<void()>& ask) override {
        return thread_.askAutoLink([&] {
            ask();
            waiting.set();
        });
    }

    Event waiting{Event::Reset::Auto};

private:
    WorkerThread& thread_;
    WorkerBench& bench_;
};

// The real waits of a WorkerThread without the time between cycles: the worker goes
// round as fast as it can.
class NoPauses : public WorkerWaits {
public:
    NoPauses(WorkerThread& thread, WorkerBench&) : thread_(thread) {}

    bool waitStop(uint32_t) override { return thread_.waitStop(0); }
    std::optional<AutoLinkResult> askAutoLink(const std::function<void()>& ask) override {
        return thread_.askAutoLink(ask);
    }

private:
    WorkerThread& thread_;
};

// A worker of the bench on its own thread, stopped and joined before its parts go.
template <class Waits>
class RunningWorker {
public:
    explicit RunningWorker(WorkerBench& bench)
        : waits(thread, bench), worker(bench.zel.api(), bench, bench.engine, waits) {}
    ~RunningWorker() { stop(); }

    void start() {
        thread.start([this] { worker.run(); });
    }
    void stop() {
        thread.requestStop();
        thread.join();
    }

    WorkerThread thread;
    Waits waits;
    Worker worker;
};

class WorkerStop : public testing::Test {
protected:
    // Starts the worker and returns once it waits.
    void startAndAwaitTheWait() {
        bench.takeJournal();
        running.start();
        await(running.waits.waiting);
    }

    WorkerBench bench;
    RunningWorker<OnlyStopEnds> running{bench};
};

}  // namespace

TEST(Event, AManualResetEventStaysSetUntilReset) {
    Event event(Event::Reset::Manual);
    EXPECT_FALSE(event.wait(0ms));
    event.set();
    EXPECT_TRUE(event.wait(0ms));
    EXPECT_TRUE(event.wait(0ms));
    event.reset();
    EXPECT_FALSE(event.wait(0ms));
}

TEST(Event, AnAutoResetEventEndsOneWait) {
    Event event(Event::Reset::Auto);
    event.set();
    event.set();
    EXPECT_TRUE(event.wait(0ms));
    EXPECT_FALSE(event.wait(0ms));
    event.set();
    event.reset();
    EXPECT_FALSE(event.wait(0ms));
}

TEST(Event, AWaitForSeveralTakesTheFirstSetAndClearsOnlyThat) {
    Event stop(Event::Reset::Manual);
    Event answer(Event::Reset::Auto);
    EXPECT_EQ(Event::waitAny({&stop, &answer}, 0ms), std::nullopt);
    answer.set();
    EXPECT_EQ(Event::waitAny({&stop, &answer}, 0ms), 1u);
    EXPECT_EQ(Event::waitAny({&stop, &answer}, 0ms), std::nullopt);

    answer.set();
    stop.set();
    EXPECT_EQ(Event::waitAny({&stop, &answer}, 0ms), 0u);
    EXPECT_EQ(Event::waitAny({&stop, &answer}), 0u);
    // The answer is still there for a wait that looks for it alone.
    EXPECT_TRUE(answer.wait(0ms));
}

TEST(Event, SetsFromAnotherThreadAreNeverLost) {
    // Ping-pong: each side waits without a time limit for the other's set.
    Event ping(Event::Reset::Auto);
    Event pong(Event::Reset::Auto);
    Event other(Event::Reset::Auto);
    std::vector<size_t> seen;
    std::thread player([&] {
        for (int i = 0; i < kRounds; ++i) {
            await(ping);
            (i % 3 == 0 ? other : pong).set();
        }
    });
    for (int i = 0; i < kRounds; ++i) {
        ping.set();
        seen.push_back(*Event::waitAny({&pong, &other}));
    }
    player.join();
    for (size_t i = 0; i < seen.size(); ++i) ASSERT_EQ(seen[i], i % 3 == 0 ? 1u : 0u) << i;
}

TEST_F(WorkerStop, AStopEndsTheWaitBetweenCycles) {
    bench.associate("Home");
    startAndAwaitTheWait();
    running.stop();
    EXPECT_THAT(bench.takeJournal(), ElementsAre("wait 5000"));
}

TEST_F(WorkerStop, AStopEndsThePauseOfAPassWithNothingToTry) {
    bench.list = listOf({});
    startAndAwaitTheWait();
    running.stop();
    // Stopped, the pass does not report its end.
    EXPECT_THAT(bench.takeJournal(), ElementsAre("tray 3", "wait 500"));
}

TEST_F(WorkerStop, AStopEndsTheWaitForAutoLink) {
    bench.autoLink = true;
    startAndAwaitTheWait();
    running.stop();
    EXPECT_THAT(bench.takeJournal(), ElementsAre("scan", "1007"));
}

TEST_F(WorkerStop, TheWindowsAnswerEndsTheWaitForAutoLink) {
    bench.autoLink = true;
    bench.list = listOf({infra("Linked", "LinkedNet")});
    bench.onSetSsid = [](const std::string&) { return 0; };
    startAndAwaitTheWait();
    running.thread.answerAutoLink(AutoLinkResult::NewProfile);
    await(running.waits.waiting);
    running.stop();
    EXPECT_THAT(
        bench.takeJournal(),
        ElementsAre("scan", "1007", "tray 3", "1003 Scanning for LinkedNet", "join LinkedNet",
                    "tray 2", "tray 3", "join LinkedNet", "1004", "tray 2", "wait 5000"));
}

TEST_F(WorkerStop, AStartClearsTheLastStop) {
    bench.associate("Home");
    startAndAwaitTheWait();
    running.stop();
    startAndAwaitTheWait();
    EXPECT_FALSE(running.thread.waitFinished(0ms));
    running.stop();
    EXPECT_TRUE(running.thread.waitFinished(0ms));
    EXPECT_THAT(bench.takeJournal(), ElementsAre("wait 5000"));
}

TEST(WorkerThreads, TheWorkerConnectsWhileTheWindowEditsTheList) {
    WorkerBench bench;
    bench.autoLink = true;
    bench.list = listOf({infra("I1"), infra("I2"), adHoc("A1"), adHoc("A2"), infra("I3")});
    const auto windowThread = std::this_thread::get_id();
    std::atomic<int> workerJoins{0};
    bench.onSetSsid = [&](const std::string&) {
        if (std::this_thread::get_id() != windowThread) ++workerJoins;
        return 1;
    };
    RunningWorker<NoPauses> running(bench);
    running.start();

    // The window thread: answers Auto Link (now and then with a new profile), edits,
    // moves, removes and adds records, applies one, and refreshes the connection state
    // as library events would.
    int answered = 0;
    for (int round = 0; round < kRounds || workerJoins < kRounds; ++round) {
        if (bench.autoLinkRequests > answered) {
            ++answered;
            if (answered % 4 == 0) {
                addAutoLinkProfile(bench, bench.engine, infra("Linked", "LinkNet"), round % 8 == 0);
                running.thread.answerAutoLink(AutoLinkResult::NewProfile);
            } else {
                running.thread.answerAutoLink(AutoLinkResult::NothingToDo);
            }
        }
        Profile* applied;
        {
            std::lock_guard<std::mutex> lock(bench.lock);
            ProfileList& list = bench.list;
            Profile* edited = list.at(static_cast<size_t>(round) % list.size());
            setFieldText(edited->ssid, "ssid" + std::to_string(round));
            edited->preferred = round % 3 != 0;
            list.move(0, list.size() - 1);
            list.append(list.remove(list.at(1)));
            applied = list.at(2);
        }
        if (round % 5 == 0) bench.engine.connectProfile(applied);
        bench.monitor.refresh(bench.adapter(), round % 2 == 0);
    }
    running.stop();

    // No record was lost or doubled; Auto Link's profiles replaced each other while
    // their SSID stayed theirs, and one whose SSID changed keeps its own name beside the
    // next ("Linked2", ...).
    std::lock_guard<std::mutex> lock(bench.lock);
    std::multiset<std::string> names;
    int linkNet = 0;
    size_t linked = 0;
    for (const auto& record : bench.list) {
        names.insert(fieldText(record->name));
        linkNet += fieldText(record->ssid) == "LinkNet";
        linked += fieldText(record->name).rfind("Linked", 0) == 0;
    }
    for (const char* name : {"I1", "I2", "I3", "A1", "A2"})
        EXPECT_EQ(names.count(name), 1u) << name;
    EXPECT_EQ(names.size(), 5 + linked);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    EXPECT_LE(linkNet, 1);
    if (bench.list.inUse() != nullptr) {
        EXPECT_TRUE(bench.list.indexOf(bench.list.inUse()));
    }
}
