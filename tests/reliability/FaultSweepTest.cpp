// Every call that a scenario makes of one kind (library, file, allocation) fails in
// turn, one run per call. A run passes when the program's code comes back (an
// allocation failure as std::bad_alloc), the files are as before or as intended, and
// the list holds what it held or what it was meant to gain; a run whose armed fault
// never fired fails, so that the sweep cannot pass by missing its target.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "profiles/ProfileFile.h"
#include "tests/profiles/ProfileFileFixtures.h"
#include "tests/profiles/ProfileFixtures.h"
#include "tests/profiles/WorkerBench.h"
#include "tests/reliability/Faults.h"

using faults::Kind;

namespace {

struct Outcome {
    int calls = 0;
    bool fired = false;
    std::string firedAt;
    std::string problem;  // empty: the run left everything sound
};

// Runs `operation` with the `failAt`-th call of `kind` failing; an allocation failure
// that comes back as std::bad_alloc is a failure handled.
Outcome underFault(Kind kind, int failAt, const std::function<void()>& operation) {
    Outcome outcome;
    faults::Armed armed(kind, failAt);
    try {
        operation();
    } catch (const std::bad_alloc&) {
        if (kind != Kind::Allocation)
            outcome.problem = "std::bad_alloc without an allocation fault";
    }
    outcome.calls = armed.calls();
    outcome.fired = armed.fired();
    outcome.firedAt = armed.firedAt();
    return outcome;
}

std::vector<std::string> sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

Profile wpa2(const std::string& name) {
    Profile p = infra(name);
    p.securityType = SecurityWpa2Psk;
    p.encryption = EncryptionAes;
    setFieldText(p.psk, "a passphrase");
    p.pskLength = 12;
    return p;
}

Profile wep(const std::string& name) {
    Profile p = infra(name);
    p.encryption = EncryptionWep;
    p.txKeyIndex = 2;
    for (WepKey& key : p.wepKeys) key.length = 5;
    return p;
}

Profile anySsid() {
    Profile p = makeDefaultProfile();
    return p;
}

// ---- The library: connect and auto configuration.

Outcome connectScenario(Kind kind, int failAt, const Profile& profile) {
    WorkerBench bench;
    bench.list = listOf({infra("First"), profile, adHoc("Peer")});
    bench.onSetSsid = [](const std::string&) { return 0; };
    faults::injectLibraryFaults(bench.zel);
    const auto before = sorted(namesOf(bench.list));
    Outcome outcome =
        underFault(kind, failAt, [&] { bench.engine.connectProfile(bench.list.at(1)); });
    if (sorted(namesOf(bench.list)) != before) outcome.problem = "the list changed";
    return outcome;
}

Outcome autoConfigurationScenario(Kind kind, int failAt, bool autoLink) {
    WorkerBench bench;
    bench.list = listOf({infra("Office"), wpa2("Home"), adHoc("Peer")});
    bench.autoLink = autoLink;
    bench.onSetSsid = [](const std::string& ssid) { return ssid == "Home" ? 0 : 1; };
    bench.stopAfterCycles(2);
    faults::injectLibraryFaults(bench.zel);
    const auto before = sorted(namesOf(bench.list));
    Outcome outcome = underFault(kind, failAt, [&] { bench.worker.run(); });
    if (sorted(namesOf(bench.list)) != before) outcome.problem = "the list changed";
    return outcome;
}

// The card goes away just before the worker's `failAt`-th library call, which fails:
// the worker must end by the next cycle, without waiting out the cycles it was given.
Outcome removalScenario(Kind kind, int failAt, bool autoLink) {
    WorkerBench bench;
    bench.list = listOf({infra("Office"), wpa2("Home"), adHoc("Peer")});
    bench.autoLink = autoLink;
    bench.stopAfterCycles(6);
    faults::injectLibraryFaults(bench.zel, [&] {
        bench.cardOpen = false;
        bench.note("removed");
    });
    Outcome outcome = underFault(kind, failAt, [&] { bench.worker.run(); });
    const auto journal = bench.takeJournal();
    const auto removed = std::find(journal.begin(), journal.end(), "removed");
    if (std::count(removed, journal.end(), "wait 5000") > 1) {
        outcome.problem = "the worker went on without the card";
    }
    return outcome;
}

// ---- Files: load, save, import, export.

ProfileList oldList() { return listOf({infra("Old1"), wpa2("Old2"), adHoc("Old3")}); }
ProfileList newList() { return listOf({infra("New1"), wep("New2"), makeDefaultProfile()}); }

Outcome startupScenario(Kind kind, int failAt) {
    TempFolder folder;
    const std::string path = folder.path("Data.cfg");
    const auto image = encodeProfiles(oldList(), SaveScope::Everything);
    writeBytes(path, image);
    ProfileStore store(path);
    ProfileList list;
    LoadStatus status = LoadStatus::Unreadable;
    Outcome outcome = underFault(kind, failAt, [&] { status = store.loadAtStartup(list); });
    const auto names = namesOf(list);
    const bool whole = status == LoadStatus::Loaded &&
                       names == std::vector<std::string>{"Old1", "Old2", "<Default>", "Old3"};
    const bool refused = status == LoadStatus::Unreadable && !store.writesProfileFile();
    if (readBytes(path) != image) outcome.problem = "the profile file changed";
    if (kind != Kind::Allocation && !whole && !refused) outcome.problem = "a load in part";
    return outcome;
}

// Saves `newList()` over a file of `oldList()` at `target`.
Outcome saveScenario(Kind kind, int failAt, const std::string& target) {
    TempFolder folder;
    const std::string profilePath = folder.path("Data.cfg");
    const std::string path = folder.path(target);
    const SaveScope scope = path == profilePath ? SaveScope::Everything : SaveScope::Export;
    const auto oldImage = encodeProfiles(oldList(), scope);
    const auto newImage = encodeProfiles(newList(), scope);
    writeBytes(path, oldImage);
    ProfileStore store(profilePath);
    const ProfileList list = newList();
    bool saved = false;
    Outcome outcome = underFault(kind, failAt, [&] { saved = store.saveProfiles(path, list); });
    const auto now = readBytes(path);
    if (now != (saved ? newImage : oldImage)) outcome.problem = "the file is neither old nor new";
    if (folder.files() != std::vector<std::string>{target}) outcome.problem = "files left behind";
    return outcome;
}

// A damaged profile file read at start-up, then the first save, which keeps it aside.
Outcome damagedSaveScenario(Kind kind, int failAt) {
    TempFolder folder;
    const std::string path = folder.path("Data.cfg");
    auto damaged = encodeProfiles(oldList(), SaveScope::Everything);
    damaged.resize(damaged.size() - 10);
    writeBytes(path, damaged);
    ProfileStore store(path);
    ProfileList list;
    store.loadAtStartup(list);
    const auto newImage = encodeProfiles(list, SaveScope::Everything);
    bool saved = false;
    Outcome outcome = underFault(kind, failAt, [&] { saved = store.saveProfiles(path, list); });
    const bool kept = saved ? readBytes(path) == newImage && readBytes(path + ".bad") == damaged
                            : readBytes(path) == damaged && !fs::exists(path + ".bad");
    if (!kept) outcome.problem = "the damaged file was not kept whole";
    return outcome;
}

Outcome importScenario(Kind kind, int failAt) {
    TempFolder folder;
    const std::string path = folder.path("import.cfg");
    writeBytes(path, encodeProfiles(newList(), SaveScope::Export));
    ProfileStore store(folder.path("Data.cfg"));
    ProfileList list = oldList();
    LoadStatus status = LoadStatus::Unreadable;
    Outcome outcome = underFault(kind, failAt, [&] { status = store.loadProfiles(path, list); });
    const auto names = namesOf(list);
    const std::vector<std::string> before = {"Old1", "Old2", "Old3"};
    const std::vector<std::string> after = {"Old1", "Old2", "Old3", "New1", "New2"};
    if (names != before && names != after) outcome.problem = "the list took part of the file";
    if (status == LoadStatus::Loaded && names != after) outcome.problem = "loaded but not whole";
    return outcome;
}

struct Scenario {
    std::string name;
    Kind kind;
    std::function<Outcome(Kind, int)> run;
};

std::vector<Scenario> scenarios() {
    std::vector<Scenario> all;
    const auto both = {Kind::Library, Kind::Allocation};
    const auto files = {Kind::File, Kind::Allocation};
    for (const Kind kind : both) {
        const std::string suffix = kind == Kind::Library ? "" : "_Allocation";
        auto add = [&](const char* name, std::function<Outcome(Kind, int)> run) {
            all.push_back({name + suffix, kind, std::move(run)});
        };
        add("ConnectOpen", [](Kind k, int n) { return connectScenario(k, n, infra("Open")); });
        add("ConnectWpa2Psk", [](Kind k, int n) { return connectScenario(k, n, wpa2("Home")); });
        add("ConnectWep", [](Kind k, int n) { return connectScenario(k, n, wep("Cafe")); });
        add("ConnectAdHoc", [](Kind k, int n) { return connectScenario(k, n, adHoc("Peer2")); });
        add("ConnectAnySsid", [](Kind k, int n) { return connectScenario(k, n, anySsid()); });
        add("AutoConfiguration",
            [](Kind k, int n) { return autoConfigurationScenario(k, n, false); });
        add("AutoLinkThenAutoConfiguration",
            [](Kind k, int n) { return autoConfigurationScenario(k, n, true); });
    }
    all.push_back({"RemovalDuringAutoConfiguration", Kind::Library,
                   [](Kind k, int n) { return removalScenario(k, n, false); }});
    all.push_back({"RemovalDuringAutoLink", Kind::Library,
                   [](Kind k, int n) { return removalScenario(k, n, true); }});
    for (const Kind kind : files) {
        const std::string suffix = kind == Kind::File ? "" : "_Allocation";
        auto add = [&](const char* name, std::function<Outcome(Kind, int)> run) {
            all.push_back({name + suffix, kind, std::move(run)});
        };
        add("Startup", [](Kind k, int n) { return startupScenario(k, n); });
        add("Save", [](Kind k, int n) { return saveScenario(k, n, "Data.cfg"); });
        add("SaveOverADamagedFile", [](Kind k, int n) { return damagedSaveScenario(k, n); });
        add("Export", [](Kind k, int n) { return saveScenario(k, n, "export.cfg"); });
        add("Import", [](Kind k, int n) { return importScenario(k, n); });
    }
    return all;
}

class FaultSweep : public testing::TestWithParam<Scenario> {};

TEST_P(FaultSweep, EveryCallFailsInTurnAndLeavesEverythingSound) {
    const Scenario& scenario = GetParam();
    const int calls = scenario.run(scenario.kind, 0).calls;
    ASSERT_GT(calls, 0) << "the scenario makes no " << faults::kindName(scenario.kind) << " call";
    for (int n = 1; n <= calls; ++n) {
        const Outcome outcome = scenario.run(scenario.kind, n);
        EXPECT_TRUE(outcome.fired && outcome.problem.empty())
            << faults::kindName(scenario.kind) << " call " << n << " of " << calls << " ("
            << (outcome.fired ? outcome.firedAt : "never fired") << "): " << outcome.problem;
    }
    std::cout << scenario.name << ": " << calls << " " << faults::kindName(scenario.kind)
              << " faults injected, each fired\n";
}

INSTANTIATE_TEST_SUITE_P(Scenarios, FaultSweep, testing::ValuesIn(scenarios()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
