// Every call that a scenario makes of one kind (library, file, allocation) fails in
// turn, one run per call. A run passes when the program's code comes back (an
// allocation failure as std::bad_alloc), the files are as before or as intended, and
// the list holds what it held or what it was meant to gain; a run whose armed fault
// never fired fails, so that the sweep cannot pass by missing its target.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <memory>
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

// A profile of one of the 802.1X kinds, with the credentials its method takes.
Profile eap(const std::string& name, SecurityType security, uint32_t encryption) {
    Profile p = infra(name);
    p.securityType = security;
    p.encryption = encryption;
    setFieldText(p.loginName, "walter");
    setFieldText(p.password, "a password");
    setFieldText(p.domain, "OFFICE");
    setFieldText(p.anonymousName, "anonymous");
    std::fill(std::begin(p.certHash), std::end(p.certHash), uint8_t{0x5A});
    return p;
}

struct SecurityKind {
    const char* name;
    std::function<Profile()> make;
};

const std::vector<SecurityKind>& securityKinds() {
    static const std::vector<SecurityKind> kinds = {
        {"Open", [] { return infra("Open"); }},
        {"Wep", [] { return wep("Cafe"); }},
        {"SharedKey",
         [] {
             Profile p = wep("Shared");
             p.securityType = SecuritySharedKey;
             return p;
         }},
        {"WpaPsk",
         [] {
             Profile p = wpa2("Wpa");
             p.securityType = SecurityWpaPsk;
             p.encryption = EncryptionTkip;
             return p;
         }},
        {"Wpa2Psk", [] { return wpa2("Home"); }},
        {"WpaLeap", [] { return eap("Leap", SecurityWpaLeap, EncryptionTkip); }},
        {"CcxLeap", [] { return eap("Ccx", SecurityCcxLeap, EncryptionWep); }},
        {"WpaTtls", [] { return eap("Ttls", SecurityWpaTtls, EncryptionTkip); }},
        {"Wpa2Tls", [] { return eap("Tls", SecurityWpa2Tls, EncryptionAes); }},
        {"Dot1xPeap", [] { return eap("Peap", Security8021xPeap, EncryptionWep); }},
        {"AdHoc", [] { return adHoc("Peer2"); }},
        {"AnySsid", [] { return anySsid(); }},
    };
    return kinds;
}

// Where a connect starts from.
enum class Start { Idle, ConnectedToAnother };

// ---- The library: connect and auto configuration.

Outcome connectScenario(Kind kind, int failAt, const Profile& profile, Start start) {
    WorkerBench bench;
    bench.list = listOf({infra("First"), profile, adHoc("Peer")});
    bench.onSetSsid = [](const std::string&) { return 0; };
    if (start == Start::ConnectedToAnother) {
        bench.engine.markInUse(bench.list.at(0));
        bench.associate("First");
    }
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

// The worker's state when the card goes away.
enum class WorkerState { Idle, Scanning, Connecting, Connected, AutoLinkOffer };

// The card goes away just before the worker's `failAt`-th library call, which fails:
// the worker must end by the next cycle, without waiting out the cycles it was given.
Outcome removalScenario(Kind kind, int failAt, WorkerState state) {
    WorkerBench bench;
    bench.list = listOf({infra("Office"), wpa2("Home"), adHoc("Peer")});
    bench.autoLink = state == WorkerState::AutoLinkOffer;
    bench.autoConfiguration = state != WorkerState::Idle;
    // Scanning: no network admits a join; connecting: "Home" takes it but never links.
    if (state == WorkerState::Connecting) {
        bench.onSetSsid = [](const std::string& ssid) { return ssid == "Home" ? 0 : 1; };
    }
    if (state == WorkerState::Connected) {
        bench.onSetSsid = [&bench](const std::string& ssid) {
            if (ssid != "Home") return 1;
            bench.setCardLink({true, NetworkInfrastructure, "Home", {0, 0x1D, 0x6A, 1, 2, 3}, 6});
            return 0;
        };
    }
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

// ---- Files: load, save, import, export, over lists of each shape.

// The list a file holds before (`before`) and the list saved or imported (`after`).
struct Shape {
    const char* name;
    std::function<ProfileList()> before;
    std::function<ProfileList()> after;
};

ProfileList manyProfiles(size_t count) {
    ProfileList list;
    for (size_t i = 0; i < count; ++i) {
        list.append(std::make_unique<Profile>(infra("P" + std::to_string(i))));
    }
    return list;
}

const std::vector<Shape>& shapes() {
    static const std::vector<Shape> all = {
        {"",
         [] {
             return listOf({infra("Old1"), wpa2("Old2"), adHoc("Old3")});
         },
         [] {
             return listOf({infra("New1"), wep("New2"), makeDefaultProfile()});
         }},
        {"Empty", [] { return ProfileList(); }, [] { return ProfileList(); }},
        {"One", [] { return listOf({wpa2("Old1")}); }, [] { return listOf({wep("New1")}); }},
        {"SameNames",
         [] {
             return listOf({infra("Twin"), adHoc("Twin"), infra("Old3")});
         },
         [] {
             return listOf({wpa2("Twin"), wep("Twin")});
         }},
        {"Thousand", [] { return manyProfiles(1000); }, [] { return manyProfiles(999); }},
    };
    return all;
}

// The names a clean load of `path` leaves in a list that held `list`.
std::vector<std::string> namesAfterLoad(const std::string& path, ProfileList list, bool startup) {
    ProfileStore store(path);
    if (startup) {
        store.loadAtStartup(list);
    } else {
        store.loadProfiles(path, list);
    }
    return namesOf(list);
}

Outcome startupScenario(Kind kind, int failAt, const Shape& shape) {
    TempFolder folder;
    const std::string path = folder.path("Data.cfg");
    const auto image = encodeProfiles(shape.before(), SaveScope::Everything);
    writeBytes(path, image);
    const auto expected = namesAfterLoad(path, ProfileList(), true);
    ProfileStore store(path);
    ProfileList list;
    LoadStatus status = LoadStatus::Unreadable;
    Outcome outcome = underFault(kind, failAt, [&] { status = store.loadAtStartup(list); });
    const bool whole = status == LoadStatus::Loaded && namesOf(list) == expected;
    const bool refused = status == LoadStatus::Unreadable && !store.writesProfileFile();
    if (readBytes(path) != image) outcome.problem = "the profile file changed";
    if (kind != Kind::Allocation && !whole && !refused) outcome.problem = "a load in part";
    return outcome;
}

// Saves `shape.after()` over a file of `shape.before()` at `target`.
Outcome saveScenario(Kind kind, int failAt, const std::string& target, const Shape& shape) {
    TempFolder folder;
    const std::string profilePath = folder.path("Data.cfg");
    const std::string path = folder.path(target);
    const SaveScope scope = path == profilePath ? SaveScope::Everything : SaveScope::Export;
    const auto oldImage = encodeProfiles(shape.before(), scope);
    const ProfileList list = shape.after();
    const auto newImage = encodeProfiles(list, scope);
    writeBytes(path, oldImage);
    ProfileStore store(profilePath);
    bool saved = false;
    Outcome outcome = underFault(kind, failAt, [&] { saved = store.saveProfiles(path, list); });
    const auto now = readBytes(path);
    if (now != (saved ? newImage : oldImage)) outcome.problem = "the file is neither old nor new";
    if (folder.files() != std::vector<std::string>{target}) outcome.problem = "files left behind";
    return outcome;
}

// A damaged profile file read at start-up, then the first save, which keeps it aside.
Outcome damagedSaveScenario(Kind kind, int failAt, const Shape& shape) {
    TempFolder folder;
    const std::string path = folder.path("Data.cfg");
    auto damaged = encodeProfiles(shape.before(), SaveScope::Everything);
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

// Imports a file of `shape.after()` into `shape.before()`: all of it or nothing.
Outcome importScenario(Kind kind, int failAt, const Shape& shape) {
    TempFolder folder;
    const std::string path = folder.path("import.cfg");
    writeBytes(path, encodeProfiles(shape.after(), SaveScope::Export));
    const auto before = namesOf(shape.before());
    const auto after = namesAfterLoad(path, shape.before(), false);
    ProfileStore store(folder.path("Data.cfg"));
    ProfileList list = shape.before();
    LoadStatus status = LoadStatus::Unreadable;
    Outcome outcome = underFault(kind, failAt, [&] { status = store.loadProfiles(path, list); });
    const auto names = namesOf(list);
    if (names != before && names != after) outcome.problem = "the list took part of the file";
    if (status == LoadStatus::Loaded && names != after) outcome.problem = "loaded but not whole";
    return outcome;
}

struct Scenario {
    std::string name;
    Kind kind;
    std::function<Outcome(Kind, int)> run;
    // The failing library call is the card going away.
    bool removal = false;
};

std::vector<Scenario> scenarios() {
    std::vector<Scenario> all;
    const auto suffixed = [](std::string name, Kind kind, Kind plain) {
        return kind == plain ? name : name + "_" + faults::kindName(kind);
    };
    for (const Kind kind : {Kind::Library, Kind::Allocation}) {
        const auto add = [&](std::string name, std::function<Outcome(Kind, int)> run) {
            all.push_back({suffixed(std::move(name), kind, Kind::Library), kind, std::move(run)});
        };
        const std::pair<const char*, Start> starts[] = {{"", Start::Idle},
                                                        {"FromAnother", Start::ConnectedToAnother}};
        for (const auto& [from, start] : starts) {
            for (const SecurityKind& security : securityKinds()) {
                add(std::string("Connect") + security.name + from,
                    [make = security.make, start = start](Kind k, int n) {
                        return connectScenario(k, n, make(), start);
                    });
            }
        }
        add("AutoConfiguration",
            [](Kind k, int n) { return autoConfigurationScenario(k, n, false); });
        add("AutoLinkThenAutoConfiguration",
            [](Kind k, int n) { return autoConfigurationScenario(k, n, true); });
    }
    const std::pair<const char*, WorkerState> states[] = {
        {"Idle", WorkerState::Idle},
        {"Scanning", WorkerState::Scanning},
        {"Connecting", WorkerState::Connecting},
        {"Connected", WorkerState::Connected},
        {"AutoLinkOffer", WorkerState::AutoLinkOffer},
    };
    for (const auto& [name, state] : states) {
        all.push_back({std::string("RemovalWhile") + name, Kind::Library,
                       [state = state](Kind k, int n) { return removalScenario(k, n, state); },
                       true});
    }
    for (const Kind kind : {Kind::File, Kind::Allocation}) {
        for (const Shape& shape : shapes()) {
            // Allocations grow with the list; a thousand profiles are swept for files only.
            if (kind == Kind::Allocation && std::string(shape.name) == "Thousand") continue;
            const auto add = [&](const char* name, std::function<Outcome(Kind, int)> run) {
                all.push_back({suffixed(name + std::string(shape.name), kind, Kind::File), kind,
                               std::move(run)});
            };
            // Reading a thousand records takes the same steps as reading three, each a
            // fault point; an empty file has nothing to damage.
            const bool large = std::string(shape.name) == "Thousand";
            const bool empty = std::string(shape.name) == "Empty";
            if (!large) {
                add("Startup", [&shape](Kind k, int n) { return startupScenario(k, n, shape); });
            }
            // An empty file is imported without an allocation.
            if (!large && !(empty && kind == Kind::Allocation)) {
                add("Import", [&shape](Kind k, int n) { return importScenario(k, n, shape); });
            }
            add("Save", [&shape](Kind k, int n) { return saveScenario(k, n, "Data.cfg", shape); });
            if (!empty) {
                add("SaveOverADamagedFile",
                    [&shape](Kind k, int n) { return damagedSaveScenario(k, n, shape); });
            }
            add("Export",
                [&shape](Kind k, int n) { return saveScenario(k, n, "export.cfg", shape); });
        }
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
    std::cout << scenario.name << ": " << calls << " "
              << (scenario.removal ? "removals"
                                   : std::string(faults::kindName(scenario.kind)) + " faults")
              << " injected, each fired\n";
}

INSTANTIATE_TEST_SUITE_P(Scenarios, FaultSweep, testing::ValuesIn(scenarios()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
