// The connect engine between two threads: the worker connecting copies of listed
// profiles while the window thread edits, reorders and removes them (run under
// ThreadSanitizer too), and only one connect at a time.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "profiles/ConnectEngine.h"
#include "tests/profiles/FakeConnectHost.h"
#include "tests/profiles/ProfileFixtures.h"

namespace {

constexpr int kRounds = 300;

}  // namespace

TEST(ConnectEngineThreads, OneConnectAtATime) {
    ZelRecorder zel;
    FakeConnectHost host(zel);
    ConnectEngine engine(zel.api(), host, [] { return 0u; });
    host.list = listOf({infra("Alpha", "alpha-net"), infra("Beta", "beta-net")});
    const auto connectMany = [&](const char* name) {
        Profile* profile;
        {
            std::lock_guard<std::mutex> lock(host.lock);
            profile = host.list.findByName(name);
        }
        for (int i = 0; i < kRounds; ++i) engine.connectProfile(profile);
    };
    std::thread other(connectMany, "Alpha");
    connectMany("Beta");
    other.join();

    // Each connect of these profiles makes nine calls in a row, from the SSID scan to the
    // SSID; another connect never comes in between.
    const auto calls = zel.calls();
    ASSERT_EQ(calls.size(), 2u * kRounds * 9);
    for (size_t start = 0; start < calls.size(); start += 9) {
        ASSERT_EQ(calls[start], "ZelSsidScan(card, ptr, 1)");
        const bool alpha = calls[start + 1] == "ZelSetProfileInUse(card, \"Alpha\", 5)";
        ASSERT_EQ(calls[start + 8], alpha ? "ZelSetSsid(card, \"alpha-net\", 9, 0)"
                                          : "ZelSetSsid(card, \"beta-net\", 8, 0)")
            << "call " << start;
    }
}

TEST(ConnectEngineThreads, WorkerConnectsWhileTheWindowEditsTheList) {
    ZelRecorder zel;
    FakeConnectHost host(zel);
    ConnectEngine engine(zel.api(), host, [] { return 0u; });
    host.list = listOf({infra("I1"), infra("I2"), adHoc("A1"), adHoc("A2")});
    std::atomic<bool> done{false};

    // The worker: walks the prefer list under the lock, connects a copy outside it.
    std::thread worker([&] {
        while (!done) {
            for (size_t i = 0;; ++i) {
                Profile copy;
                const Profile* original;
                {
                    std::lock_guard<std::mutex> lock(host.lock);
                    if (i >= host.list.size()) break;
                    original = host.list.at(i);
                    copy = *original;
                }
                if (copy.preferred == 1) engine.connectCopy(copy, original);
            }
        }
    });

    // The window thread: edits records, moves them, removes and adds them.
    for (int round = 0; round < kRounds; ++round) {
        {
            std::lock_guard<std::mutex> lock(host.lock);
            Profile* edited = host.list.at(static_cast<size_t>(round) % host.list.size());
            setFieldText(edited->ssid, "ssid" + std::to_string(round));
            edited->preferred = round % 3 != 0;
            host.list.move(0, host.list.size() - 1);
            auto removed = host.list.remove(host.list.at(1));
            host.list.append(std::move(removed));
        }
        Profile* applied;
        {
            std::lock_guard<std::mutex> lock(host.lock);
            applied = host.list.at(2);
        }
        engine.connectProfile(applied);
    }
    done = true;
    worker.join();

    std::lock_guard<std::mutex> lock(host.lock);
    EXPECT_EQ(host.list.size(), 4u);
    ASSERT_NE(host.list.inUse(), nullptr);
    EXPECT_TRUE(host.list.indexOf(host.list.inUse()));
}
