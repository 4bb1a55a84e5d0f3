// The main window with the simulated card behind a guard that sees every library call:
// start-up and exit with each window-thread library call failing in turn, and a storm
// of card removals and arrivals at random moments while the worker connects. Nothing
// may use the adapter between its close and the next open.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>

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

// Starts the window over a profile file and ends it, with the `failAt`-th call of `kind`
// on the window thread failing: a library call, or a file operation of the load at
// start-up and the save at exit. A profile file that could not be read or written must
// have been told, and must be as it was before.
StartupRun startAndExit(faults::Kind kind, int failAt) {
    sim::NativeCard card(kWorld);
    GuardedCard guard(card);
    faults::injectLibraryFaults(guard.zel);
    ShellBench bench(guard.zel.api());
    bench.set("Advanced", "AutoLink", "0");
    const ProfileList profiles = listOf({infra("Open"), infra("Office"), adHoc("Peer")});
    const auto before = sorted(namesOf(profiles));
    const std::string path = bench.profilePath();
    ProfileStore(path).saveProfiles(path, profiles);
    const auto oldImage = readBytes(path);
    StartupRun run;
    {
        faults::Armed armed(kind, failAt);
        bench.start();
        bench.pump();
        bench.exit();
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
    if (kind == faults::Kind::Library && !bench.host.script().failures().empty()) {
        run.problem = "an unexpected message box";
    }
    if (guard.misuses() > 0) run.problem = "a closed adapter was used: " + guard.firstMisuse();
    return run;
}

class StartupFaults : public testing::TestWithParam<faults::Kind> {};

TEST_P(StartupFaults, EveryCallOfStartupAndExitFailsInTurn) {
    const faults::Kind kind = GetParam();
    const int calls = startAndExit(kind, 0).calls;
    ASSERT_GT(calls, 0);
    for (int n = 1; n <= calls; ++n) {
        const StartupRun run = startAndExit(kind, n);
        EXPECT_TRUE(run.fired && run.problem.empty())
            << faults::kindName(kind) << " call " << n << " of " << calls << " ("
            << (run.fired ? run.firedAt : "never fired") << "): " << run.problem;
    }
    std::cout << "Startup and exit: " << calls << " " << faults::kindName(kind)
              << " faults injected, each fired\n";
}

INSTANTIATE_TEST_SUITE_P(Kinds, StartupFaults,
                         testing::Values(faults::Kind::Library, faults::Kind::File),
                         [](const auto& info) {
                             return std::string(faults::kindName(info.param));
                         });

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
        for (const sim::DeviceChange& change : card.takeDeviceChanges()) {
            bench.deviceChange(
                change.arrival ? fw::dbt::Arrival : fw::dbt::RemoveComplete,
                fw::DeviceKind::Interface,
                "\\\\?\\" + change.hardwareId + "#{ad498944-762f-11d0-8dcb-00c04fc3358c}");
        }
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
