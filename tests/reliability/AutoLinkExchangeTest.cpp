// The Auto Link exchange in the main window, as the worker's offer starts it, with the
// simulated card's Auto Link access points: every library call and every allocation of
// the window thread fails in turn, and, in a second sweep, the card goes away just
// before each of its library calls. A run passes when the dialog has ended, the card is
// not left on the access point set up, the list holds the setup profile whole or not at
// all, and no call used a closed adapter.
#include <gtest/gtest.h>

#include <iostream>
#include <new>
#include <string>

#include "pages/AutoLinkDlg.h"
#include "profiles/ProfileFile.h"
#include "system/ProgramCodes.h"
#include "tests/profiles/ProfileFileFixtures.h"
#include "tests/profiles/ProfileFixtures.h"
#include "tests/reliability/Faults.h"
#include "tests/reliability/GuardedCard.h"
#include "tests/shell/ShellBench.h"

namespace {

using faults::Kind;

// "Link" is not set up yet (its exchange ends with `outcome`, and it calls itself
// "Linked" afterwards); "Office" was set up with the PIN "office-pin-9".
std::string world(const std::string& outcome, bool present = true) {
    return R"(
card
    mac 00:1D:6A:70:42:17
    exchange-step 100
    association-delay 200
    present )" +
           std::string(present ? "yes" : "no") + R"(
network
    ssid "Link"
    bssid 00:11:22:33:AA:07
    channel 8
    rssi -61
    auto-link unconfigured 7
    auto-link-outcome )" +
           outcome + R"(
    auto-link-ssid "Linked"
network
    ssid "Office"
    bssid 00:11:22:33:AA:09
    channel 1
    rssi -66
    security wpa-psk
    passphrase "office-pin-9"
    auto-link configured 9
)";
}

struct Exchange {
    std::string name;
    std::string outcome;  // of the exchange with "Link"
    std::string ssid;     // the access point chosen
    std::string pin;
    // The profile the exchange leaves, if it succeeds.
    std::string profile;
};

const Exchange kExchanges[] = {
    {"Succeeds", "success", "Link", "tiger-lily-42", "Linked"},
    {"FailsAtTheAccessPoint", "failure", "Link", "tiger-lily-42", ""},
    {"AssociationFails", "association-failure", "Link", "tiger-lily-42", ""},
    {"WrongPin", "success", "Office", "not-the-pin", ""},
    {"JoinsAConfiguredAccessPoint", "success", "Office", "office-pin-9", "Office"},
};

constexpr int kAssociationTimer = 0x7000;
constexpr unsigned kStepMs = 100;
constexpr unsigned kPatienceMs = 12000;

struct Outcome {
    int calls = 0;
    bool fired = false;
    std::string firedAt;
    std::string problem;
};

// One exchange in the main window, the `failAt`-th call of `kind` on the window thread
// failing; with `removal`, the card goes away instead just before that library call.
class ExchangeBench {
public:
    ExchangeBench(const Exchange& exchange, Kind kind, int failAt, bool removal)
        : exchange_(exchange), faulted_(failAt > 0), card_(world(exchange.outcome)), guard_(card_) {
        // The library's work is not the program's; nor is writing its calls down.
        guard_.zel.keepsCalls = false;
        faults::injectLibraryFaults(guard_.zel, [this, removal] {
            if (removal && !pulled_) {
                pulled_ = true;
                card_.load(world(exchange_.outcome, false));
            }
        });
        bench_.set("Advanced", "AutoLink", "1");
        bench_.set("Advanced", "Auto Configuration", "0");
        bench_.start();
        // The worker asks for the Auto Link dialog and waits for its answer.
        bench_.shell.waitForPosted([](unsigned message, uintptr_t code, intptr_t) {
            return message == zel::kEventMessage && code == sys::kCodeAutoLinkDetection;
        });
        bench_.host.script().expectDialog(
            IDD_AUTO_LINK,
            [this](fw::Dialog& dialog, fw::UserActions& user) { use(dialog, user); });
        faults::Armed armed(kind, failAt);
        atBoundary([&] { bench_.pump(); });
        run_.calls = armed.calls();
        run_.fired = armed.fired();
        run_.firedAt = armed.firedAt();
    }

    Outcome check() {
        const auto& failures = bench_.host.script().failures();
        const bool ended = std::none_of(failures.begin(), failures.end(), [](const auto& text) {
            return text.find("did not end") != std::string::npos;
        });
        if (!ended || stayed_) run_.problem = "the dialog stayed";
        if (stayedWithoutCard_) run_.problem = "the dialog stayed after the card went away";
        if (onLink()) run_.problem = "the card was left on the access point set up";
        const std::string half = halfAdded();
        if (!half.empty()) run_.problem = half;
        if (guard_.misuses() > 0)
            run_.problem = "a closed adapter was used: " + guard_.firstMisuse();
        if (pulled_ && bench_.sheet->adapter() != nullptr) run_.problem = "the card stayed open";
        // The window has let go of the dialog, however it ended: the card going away now
        // closes the adapter and nothing else.
        if (!pulled_) {
            card_.load(world(exchange_.outcome, false));
            deliverEvents();
            tellDeviceChanges(card_, bench_);
            if (bench_.sheet->adapter() != nullptr) run_.problem = "the card stayed open";
        }
        bench_.exit();
        return run_;
    }

private:
    // A message handler's end: what it throws goes no further, as at a window procedure.
    // The card that went away meanwhile is told as the system tells it.
    template <typename Step>
    void atBoundary(Step step) {
        try {
            step();
        } catch (const std::bad_alloc&) {
        }
        if (pulled_ && !told_) {
            told_ = true;
            deliverEvents();
            tellDeviceChanges(card_, bench_);
            if (dialog_ && dialog_->hasWindow()) stayedWithoutCard_ = true;
        }
    }

    // The user picks the access point, types the PIN and applies, then waits, and closes
    // the dialog if it is still up in the end.
    void use(fw::Dialog& dialog, fw::UserActions& user) {
        dialog_ = &dialog;
        fw::Surface& ui = dialog.ui();
        atBoundary([&] {
            for (int i = 0; i < ui.itemCount(IDC_AUTO_LINK_APS); ++i) {
                if (autoLinkSsidOfItem(ui.itemText(IDC_AUTO_LINK_APS, i)) == exchange_.ssid) {
                    user.pick(IDC_AUTO_LINK_APS, i);
                }
            }
        });
        atBoundary([&] { user.type(IDC_AUTO_LINK_PIN, exchange_.pin); });
        atBoundary([&] {
            if (ui.isEnabled(IDC_AUTO_LINK_CONFIRM))
                user.type(IDC_AUTO_LINK_CONFIRM, exchange_.pin);
        });
        atBoundary([&] { user.click(fw::id::Ok); });
        for (unsigned passed = 0; passed < kPatienceMs && dialog.hasWindow(); passed += kStepMs) {
            {
                const faults::Uncounted card;
                card_.advance(kStepMs);
            }
            deliverEvents();
            // The association timer of a secured join runs out.
            if (passed == 10000) {
                fw::Message tick;
                tick.message = fw::msg::Timer;
                tick.id = kAssociationTimer;
                tick.wParam = kAssociationTimer;
                atBoundary([&] { dialog.deliver(tick); });
            }
        }
        // A click whose handling failed is clicked again.
        for (int click = 0; click < 2 && dialog.hasWindow(); ++click) {
            atBoundary([&] { user.click(fw::id::Cancel); });
        }
        stayed_ = dialog.hasWindow();
        dialog_ = nullptr;
    }

    // Hands each event the card posted to the window it went to.
    void deliverEvents() {
        std::vector<sim::PostedEvent> events;
        {
            const faults::Uncounted card;
            events = card_.takeEvents();
        }
        for (const sim::PostedEvent& posted : events) {
            fw::Message m;
            m.message = zel::kEventMessage;
            m.wParam = posted.code;
            if (dialog_ && dialog_->hasWindow() && posted.window == dialog_->ui().handle()) {
                atBoundary([&] { dialog_->deliver(m); });
            } else if (posted.window == bench_.sheet->ui().handle()) {
                atBoundary([&] { bench_.sheet->deliver(m); });
            }
        }
    }

    // Whether the card is still on the access point that was not set up.
    bool onLink() {
        const ZelHandle adapter = bench_.sheet->adapter();
        char ssid[33] = {};
        return adapter && card_.api().ZelGetConnectStatus(adapter) &&
               card_.api().ZelQuerySsid(adapter, ssid, sizeof ssid - 1) == 0 &&
               std::string(ssid) == "Link";
    }

    // What is wrong with the list: a profile other than a setup profile (the one of the
    // access point chosen, or of the one first listed when the choice failed), or a setup
    // profile in part.
    std::string halfAdded() {
        std::lock_guard<std::mutex> lock(bench_.sheet->profileLock());
        const ProfileList& list = bench_.sheet->profiles();
        // Without a fault the exchange leaves its profile.
        if (!faulted_ && !exchange_.profile.empty() && !list.findByName(exchange_.profile)) {
            return "no setup profile";
        }
        for (size_t i = 0; i < list.size(); ++i) {
            const Profile& p = *list.at(i);
            const std::string name = fieldText(p.name);
            if (name == "<Default>") continue;
            if (name != "Linked" && name != "Office")
                return "a profile that should not be: " + name;
            if (fieldText(p.ssid) != name || fieldText(p.psk) != exchange_.pin ||
                p.pskLength != exchange_.pin.size() || p.securityType != 2 || p.encryption != 2) {
                return "the setup profile in part";
            }
        }
        return {};
    }

    const Exchange& exchange_;
    const bool faulted_;
    sim::NativeCard card_;
    GuardedCard guard_;
    ShellBench bench_{guard_.zel.api()};
    fw::Dialog* dialog_ = nullptr;
    bool stayed_ = false;
    bool stayedWithoutCard_ = false;
    bool pulled_ = false;
    bool told_ = false;
    Outcome run_;
};

struct Sweep {
    std::string name;
    Exchange exchange;
    Kind kind;
    bool removal;
};

std::vector<Sweep> sweeps() {
    std::vector<Sweep> all;
    for (const Exchange& exchange : kExchanges) {
        all.push_back({exchange.name, exchange, Kind::Library, false});
        all.push_back({exchange.name + "_Allocation", exchange, Kind::Allocation, false});
        all.push_back({exchange.name + "_Removal", exchange, Kind::Library, true});
    }
    return all;
}

class AutoLinkExchange : public testing::TestWithParam<Sweep> {};

TEST_P(AutoLinkExchange, EveryCallFailsInTurnAndTheDialogEndsWithTheListWhole) {
    const Sweep& sweep = GetParam();
    const int calls = ExchangeBench(sweep.exchange, sweep.kind, 0, sweep.removal).check().calls;
    ASSERT_GT(calls, 0);
    for (int n = 1; n <= calls; ++n) {
        const Outcome run = ExchangeBench(sweep.exchange, sweep.kind, n, sweep.removal).check();
        EXPECT_TRUE(run.fired && run.problem.empty())
            << faults::kindName(sweep.kind) << " call " << n << " of " << calls << " ("
            << (run.fired ? run.firedAt : "never fired") << "): " << run.problem;
    }
    std::cout << "AutoLinkExchange." << sweep.name << ": " << calls << " "
              << (sweep.removal ? "removals"
                                : std::string(faults::kindName(sweep.kind)) + " faults")
              << " injected, each fired\n";
}

INSTANTIATE_TEST_SUITE_P(Exchanges, AutoLinkExchange, testing::ValuesIn(sweeps()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
