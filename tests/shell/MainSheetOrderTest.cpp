// What the main window asks of the library, in order, over a recording library: its
// initialisation and exit, and the card going away while the worker is at it.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "profiles/ProfileFile.h"
#include "shell/MainWindowCodes.h"
#include "system/ProgramCodes.h"
#include "tests/shell/ShellBench.h"
#include "tests/support/ZelRecorder.h"

namespace {

// The queries of a connection state refresh, which belong to the connection monitor.
bool isRefreshQuery(const std::string& call) {
    for (const char* query :
         {"ZelQueryNetworkMode(", "ZelQueryAuthMode(", "ZelQueryWepStatus(", "ZelQueryBssid(",
          "ZelQueryChannel(", "ZelQueryWlanMode(", "ZelQuerySsid("}) {
        if (call.rfind(query, 0) == 0) return true;
    }
    return false;
}

// A latch one thread opens for another.
class Latch {
public:
    void open() {
        std::lock_guard<std::mutex> lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    bool wait() {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(20), [&] { return open_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false;
};

class MainSheetOrder : public ::testing::Test {
protected:
    void SetUp() override {
        zel.name(&card, "card");
        bench.shell.completing = [this] { zel.name(bench.sheet->ui().handle(), "window"); };
        zel.on.ZelOpenAdapter = [this](ZelHandle* handle) {
            *handle = &card;
            return 0;
        };
        zel.on.ZelQueryRegionCode = [](ZelHandle, uint32_t* code) {
            *code = 0x31;
            return 0;
        };
        zel.on.ZelQueryRadioControl = [this](ZelHandle, uint32_t* radio) {
            *radio = radio_;
            return 0;
        };
        zel.on.ZelQueryWZCStatusCheck = [](uint32_t* status) {
            *status = 0;
            return 0;
        };
    }

    // The window thread's calls, without the refresh queries.
    std::vector<std::string> windowCalls() {
        std::vector<std::string> calls;
        for (const std::string& call : zel.takeCalls()) {
            if (!isRefreshQuery(call)) calls.push_back(call);
        }
        return calls;
    }

    int card = 0;
    uint32_t radio_ = 1;
    ZelRecorder zel;
    ShellBench bench{zel.api()};
};

class ZeroConfigCheck : public MainSheetOrder, public ::testing::WithParamInterface<int32_t> {};

TEST_P(ZeroConfigCheck, OnlyResultOneIsAFailedCheckAnyOtherDeliversTheStatus) {
    const int32_t result = GetParam();
    zel.on.ZelQueryWZCStatusCheck = [result](uint32_t* status) {
        *status = 1;  // Zero Configuration holds the card
        return result;
    };
    bench.start();
    EXPECT_EQ(bench.tabs().size(), result == zel::kZeroConfigCheckFailed ? 7u : 4u);
}

INSTANTIATE_TEST_SUITE_P(Results, ZeroConfigCheck, ::testing::Values(0, 1, 2, 4, -1));

TEST_F(MainSheetOrder, InitialisationHandsTheWindowToTheLibraryThenOpensTheCard) {
    // The radio is off, so the worker stays away from the card.
    radio_ = 0;
    bench.set("Advanced", "BoostMode", "3");
    bench.start();
    EXPECT_EQ(windowCalls(), (std::vector<std::string>{
                                 "ZelInitialize(window)",
                                 "ZelOpenAdapter(ptr)",
                                 "ZelGetMacAddress(card, ptr, 6)",
                                 "ZelQueryRegionCode(card, ptr)",
                                 "ZelGetConnectStatus(card)",
                                 "ZelQueryRadioControl(card, ptr)",
                                 "ZelSetBoostMode(card, 3)",
                                 "ZelSetGUIMonitorMode(card, 0)",
                                 "ZelQueryWZCStatusCheck(ptr)",
                             }));
    // Region 0x31: channels 10 and 11.
    EXPECT_EQ(bench.store.text("Advanced", "FirstChan"), "10");
    EXPECT_EQ(bench.store.text("Advanced", "LastChan"), "11");
}

TEST_F(MainSheetOrder, ACardAssociatedAtOpenHasItsProfileAdoptedAndAppliedAgain) {
    ProfileList list;
    for (const char* name : {"Office", "Home"}) {
        auto profile = std::make_unique<Profile>(makeDefaultProfile());
        setFieldText(profile->name, name);
        setFieldText(profile->ssid, name);
        list.append(std::move(profile));
    }
    ASSERT_TRUE(ProfileStore(bench.profilePath()).saveProfiles(bench.profilePath(), list));
    zel.on.ZelGetConnectStatus = [](ZelHandle) { return 1; };
    zel.on.ZelQueryBssid = [](ZelHandle, uint8_t* bssid, uint32_t) {
        bssid[0] = 0x02;
        return 0;
    };
    zel.on.ZelQueryProfileInUse = [](ZelHandle, char* name, uint32_t size) {
        std::strncpy(name, "Home", size);
        return 0;
    };
    // The radio is not asked: a card that is associated has it on.
    radio_ = 0;
    bench.start();
    const std::vector<std::string> calls = windowCalls();
    const auto position = [&](const std::string& call) {
        return std::find(calls.begin(), calls.end(), call) - calls.begin();
    };
    EXPECT_EQ(position("ZelQueryRadioControl(card, ptr)"), static_cast<long>(calls.size()));
    EXPECT_TRUE(bench.sheet->radioOn());
    EXPECT_LT(position("ZelQueryProfileInUse(card, ptr, 40)"),
              position(R"(ZelSetProfileInUse(card, "Home", 4))"));
    EXPECT_LT(position(R"(ZelSetProfileInUse(card, "Home", 4))"),
              position(R"(ZelSetSsid(card, "Home", 4, 0))"));
    EXPECT_LT(position(R"(ZelSetSsid(card, "Home", 4, 0))"), position("ZelSetBoostMode(card, 1)"));
    EXPECT_EQ(fieldText(bench.sheet->profiles().at(0)->name), "Home") << "moved to the front";
    bench.exit();
}

TEST_F(MainSheetOrder, ExitSavesFirstThenStopsClosesTheCardAndLetsGoOfTheTray) {
    radio_ = 0;
    bench.start();
    zel.takeCalls();
    bench.shell.takeJournal();
    bool savedBeforeUnregistering = false;
    bench.shell.onNote = [&](const std::string& line) {
        if (line == "unregister device notification") {
            savedBeforeUnregistering = std::filesystem::exists(bench.profilePath());
        }
    };
    bench.exit();
    EXPECT_EQ(windowCalls(),
              (std::vector<std::string>{"ZelSetBoostMode(card, 1)", "ZelCloseAdapter(ptr)"}));
    EXPECT_TRUE(savedBeforeUnregistering);
    EXPECT_EQ(bench.shell.journal(),
              (std::vector<std::string>{"unregister device notification", "tray 0",
                                        "remove tray icon", "unregister hotkey"}));
    EXPECT_FALSE(bench.sheet->hasWindow());
}

TEST_F(MainSheetOrder, ALibraryThatFailsEveryCallLeavesTheProgramWorking) {
    zel.on = ZelHandlers{};
    zel.on.ZelOpenAdapter = [this](ZelHandle* handle) {
        *handle = &card;
        return 1;
    };
#define FAIL_EVERY_OTHER(name, params, args) \
    if (!zel.on.name) zel.on.name = [](auto...) { return int32_t{1}; };
    ZEL_OPERATIONS(FAIL_EVERY_OTHER)
#undef FAIL_EVERY_OTHER
    bench.set("Advanced", "Auto Configuration", "0");
    bench.set("Advanced", "AutoLink", "0");
    bench.start();
    // "Associated" by its answer, but without a network: no link.
    EXPECT_FALSE(bench.sheet->connection().connected);
    EXPECT_EQ(bench.shell.tray, TrayState::NoConnection);
    bench.command(IDC_RADIO_OFF);
    bench.timer(shell::kZeroConfigTimer);
    bench.exit();
    EXPECT_FALSE(bench.sheet->hasWindow());
}

// The worker is inside a library call when the card goes away: the window waits for it,
// answering what the worker sends meanwhile, and closes the card only after it.
class WorkerInACall : public MainSheetOrder {
protected:
    // Holds the worker in operation `stuck` until the window has looked a few times for
    // what the worker sends; before that the worker sends the Network Status page a text.
    template <typename Handler>
    void holdWorkerIn(Handler& stuck) {
        stuck = [this](auto...) {
            inCall.open();
            bench.sheet->showStatus("Scanning for Net");
            release.wait();
            callReturned = true;
            return 1;
        };
        bench.shell.onHandleSent = [this] {
            if (++looks == 5) release.open();
        };
        zel.on.ZelCloseAdapter = [this](ZelHandle*) {
            closedAfterTheCall = callReturned.load();
            return 0;
        };
    }

    void expectClosedAfterTheWorker() {
        EXPECT_EQ(bench.sheet->adapter(), nullptr);
        EXPECT_TRUE(closedAfterTheCall);
        EXPECT_GE(looks.load(), 5);
        EXPECT_EQ(bench.shell.delivered, (std::vector<std::pair<uint32_t, std::string>>{
                                             {sys::kCodeStatusText, "Scanning for Net"}}));
    }

    Latch inCall;
    Latch release;
    std::atomic<int> looks{0};
    std::atomic<bool> callReturned{false};
    std::atomic<bool> closedAfterTheCall{false};
};

TEST_F(WorkerInACall, TheCardIsNotClosedUnderAWorkerThatTakesLongToEnd) {
    bench.set("Advanced", "Auto Configuration", "0");
    bench.set("Advanced", "AutoLink", "0");
    holdWorkerIn(zel.on.ZelScan);  // the worker's first call asks for a scan
    bench.start();
    ASSERT_TRUE(inCall.wait());
    EXPECT_TRUE(bench.sheet->closeAdapter());
    expectClosedAfterTheWorker();
}

TEST_F(WorkerInACall, TheCardPulledDuringAConnectIsClosedAfterIt) {
    bench.set("Advanced", "Auto Configuration", "1");
    bench.set("Advanced", "AutoLink", "0");
    // Auto configuration tries the preferred profile "Home" first.
    ProfileList list;
    auto home = std::make_unique<Profile>(makeDefaultProfile());
    setFieldText(home->name, "Home");
    setFieldText(home->ssid, "Home");
    home->preferred = 1;
    list.append(std::move(home));
    ASSERT_TRUE(ProfileStore(bench.profilePath()).saveProfiles(bench.profilePath(), list));
    holdWorkerIn(zel.on.ZelSetSsid);
    bench.start();
    ASSERT_TRUE(inCall.wait());
    bench.event(zel::EventCardRemoval);
    expectClosedAfterTheWorker();
    EXPECT_EQ(bench.shell.tray, TrayState::CardUnplugged);
    bench.exit();
}

}  // namespace
