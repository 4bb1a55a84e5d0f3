// The main window with the simulated card behind a guard that sees every library call:
// start-up and exit with each window-thread library call failing in turn, and a storm
// of card removals and arrivals at random moments while the worker connects. Nothing
// may use the adapter between its close and the next open.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "profiles/ProfileFile.h"
#include "sim/NativeCard.h"
#include "tests/profiles/ProfileFileFixtures.h"
#include "tests/profiles/ProfileFixtures.h"
#include "tests/reliability/Faults.h"
#include "tests/reliability/GuardedCard.h"
#include "tests/shell/ShellBench.h"

namespace {

const std::string kWorld = R"(
card
    mac                 00:1D:6A:70:42:17
    association-delay   300
network
    ssid        "Open"
    bssid       00:1D:6A:10:00:01
    channel     6
network
    ssid        "Studio"
    bssid       00:1D:6A:10:00:02
    channel     11
    security    wpa2-psk
    passphrase  "blue whale song"
)";

Profile studio() {
    Profile p = infra("Studio");
    p.securityType = SecurityWpa2Psk;
    p.encryption = EncryptionAes;
    setFieldText(p.psk, "blue whale song");
    p.pskLength = 15;
    return p;
}

std::vector<std::string> sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

struct StartupRun {
    int calls = 0;
    bool fired = false;
    std::string firedAt;
    std::string problem;
};

// How the card stands when the window starts: what its section says besides.
struct CardStart {
    const char* name;
    const char* card;
};

const CardStart kCardStarts[] = {
    {"CardPresent", ""},
    {"CardAbsent", "    present no\n"},
    {"RadioOff", "    radio off\n"},
    {"ZeroConfiguration", "    zero-config on\n"},
};

// What goes wrong: the calls of one kind fail in turn, or (`removal`) the card goes away
// just before each library call of the window thread.
struct StartupSweep {
    std::string name;
    CardStart start;
    faults::Kind kind;
    bool removal;
};

// Starts the window over a profile file and ends it, with the `failAt`-th call of the
// sweep's kind on the window thread failing: a library call, or a file operation of the
// load at start-up and the save at exit. A profile file that could not be read or written
// must have been told, and must be as it was before. A card that went away is told to the
// window as the system tells it, at the end of the message being handled, and must leave
// the window without an adapter, its worker stopped.
StartupRun startAndExit(const StartupSweep& sweep, int failAt) {
    const std::string world = kWorld + "card\n" + sweep.start.card;
    sim::NativeCard card(world);
    GuardedCard guard(card);
    bool pulled = false;
    faults::injectLibraryFaults(guard.zel, [&] {
        if (sweep.removal && !pulled) {
            pulled = true;
            card.load(world + "    present no\n");
        }
    });
    ShellBench bench(guard.zel.api());
    bench.set("Advanced", "AutoLink", "0");
    const ProfileList profiles = listOf({infra("Open"), infra("Office"), adHoc("Peer")});
    const auto before = sorted(namesOf(profiles));
    const std::string path = bench.profilePath();
    ProfileStore(path).saveProfiles(path, profiles);
    const auto oldImage = readBytes(path);
    StartupRun run;
    bool openWithoutCard = false;
    {
        faults::Armed armed(sweep.kind, failAt);
        bool told = false;
        const auto message = [&](const std::function<void()>& handle) {
            handle();
            if (pulled && !told && bench.sheet->hasWindow()) {
                told = true;
                tellDeviceChanges(card, bench);
                openWithoutCard = bench.sheet->adapter() != nullptr;
            }
        };
        message([&] { bench.start(); });
        message([&] { bench.pump(); });
        message([&] { bench.exit(); });
        run.calls = armed.calls();
        run.fired = armed.fired();
        run.firedAt = armed.firedAt();
    }
    ProfileList saved;
    const LoadStatus status = ProfileStore(path).loadProfiles(path, saved);
    auto names = namesOf(saved);
    names.erase(std::remove(names.begin(), names.end(), "<Default>"), names.end());
    bool told = false;
    for (const fw::ShownBox& box : bench.host.script().shownBoxes()) {
        told = told || box.text == "Not saved: " + path || box.text == "Unreadable: " + path;
    }
    if (bench.sheet->hasWindow()) run.problem = "the window stayed";
    if (status != LoadStatus::Loaded || sorted(names) != before) run.problem = "profiles lost";
    if (readBytes(path) == oldImage && !told) run.problem = "a failed save was not told";
    if (sweep.kind == faults::Kind::Library && !bench.host.script().failures().empty()) {
        run.problem = "an unexpected message box";
    }
    if (openWithoutCard) run.problem = "the adapter stayed open without the card";
    if (guard.misuses() > 0) run.problem = "a closed adapter was used: " + guard.firstMisuse();
    return run;
}

std::vector<StartupSweep> startupSweeps() {
    std::vector<StartupSweep> all;
    for (const CardStart& start : kCardStarts) {
        const std::string name = start.name;
        all.push_back({name, start, faults::Kind::Library, false});
        all.push_back({name + "_File", start, faults::Kind::File, false});
        all.push_back({name + "_Removal", start, faults::Kind::Library, true});
    }
    return all;
}

class StartupFaults : public testing::TestWithParam<StartupSweep> {};

TEST_P(StartupFaults, EveryCallOfStartupAndExitFailsInTurn) {
    const StartupSweep& sweep = GetParam();
    const int calls = startAndExit(sweep, 0).calls;
    ASSERT_GT(calls, 0);
    for (int n = 1; n <= calls; ++n) {
        const StartupRun run = startAndExit(sweep, n);
        EXPECT_TRUE(run.fired && run.problem.empty())
            << faults::kindName(sweep.kind) << " call " << n << " of " << calls << " ("
            << (run.fired ? run.firedAt : "never fired") << "): " << run.problem;
    }
    std::cout << "Startup and exit, " << sweep.name << ": " << calls << " "
              << (sweep.removal ? "removals"
                                : std::string(faults::kindName(sweep.kind)) + " faults")
              << " injected, each fired\n";
}

INSTANTIATE_TEST_SUITE_P(Starts, StartupFaults, testing::ValuesIn(startupSweeps()),
                         [](const auto& info) { return info.param.name; });

int flips() {
    const char* text = std::getenv("TOVIX_REMOVAL_FLIPS");
    const int count = text ? std::atoi(text) : 0;
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    return count > 0 ? count : 2000;
#else
    return count > 0 ? count : 10000;
#endif
}

TEST(RemovalStorm, TheCardComesAndGoesAtRandomMomentsWhileTheWorkerConnects) {
    sim::NativeCard card(kWorld);
    GuardedCard guard(card);
    ShellBench bench(guard.zel.api());
    bench.set("Advanced", "AutoLink", "0");
    ProfileStore(bench.profilePath())
        .saveProfiles(bench.profilePath(), listOf({studio(), infra("Open")}));
    bench.start();
    std::mt19937 random(20261209);
    bool present = true;
    int wrongState = 0;
    size_t joins = 0;
    const int count = flips();
    for (int flip = 0; flip < count; ++flip) {
        card.advance(random() % 2001);
        for (const sim::PostedEvent& event : card.takeEvents()) {
            if (event.window == bench.sheet->ui().handle()) bench.event(event.code);
        }
        bench.pump();
        present = !present;
        card.load(present ? kWorld : kWorld + "card\n    present no\n");
        card.advance(0);
        card.takeEvents();
        tellDeviceChanges(card, bench);
        if ((bench.sheet->adapter() != nullptr) != present) ++wrongState;
        joins += guard.zel.callsTo("ZelSetSsid").size();
        guard.zel.takeCalls();
    }
    bench.exit();
    ProfileList saved;
    ProfileStore(bench.profilePath()).loadProfiles(bench.profilePath(), saved);
    EXPECT_EQ(guard.misuses(), 0) << "first: " << guard.firstMisuse();
    EXPECT_EQ(wrongState, 0) << "flips after which the adapter was not as the card";
    EXPECT_EQ(sorted(namesOf(saved)), (std::vector<std::string>{"<Default>", "Open", "Studio"}));
    std::cout << "Removal storm: " << count << " flips, " << joins << " joins handed to the card\n";
}

}  // namespace
