// A main window in miniature for the tests of the connection monitor and the worker: a
// card behind the recording fake of the library whose link the test sets, the window's
// flags, the profile list with its lock, a real connection monitor and connect engine,
// and one journal of what reaches the "window" — tray states, the worker's requests
// and texts, its waits — together with the card's scans and SSIDs handed to it.
// Usable from two threads.
#pragma once

#include <algorithm>
#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "profiles/ConnectionMonitor.h"
#include "profiles/Worker.h"
#include "tests/support/ZelRecorder.h"

// What the card reports about its link.
struct CardLink {
    bool associated = false;
    uint32_t networkMode = NetworkInfrastructure;
    std::string ssid;
    scan::Bssid bssid{};
    uint32_t channel = 6;
};

class WorkerBench : public WorkerHost, public WorkerWaits {
public:
    WorkerBench() {
        zel.name(&card_, "card");
        zel.on.ZelGetConnectStatus = [this](ZelHandle) { return cardLink().associated ? 1 : 0; };
        zel.on.ZelQueryNetworkMode = [this](ZelHandle, uint32_t* mode) {
            *mode = cardLink().networkMode;
            return 0;
        };
        zel.on.ZelQueryBssid = [this](ZelHandle, uint8_t* buffer, uint32_t size) {
            const scan::Bssid bssid = cardLink().bssid;
            std::copy(bssid.begin(), bssid.begin() + std::min<size_t>(size, bssid.size()), buffer);
            return 0;
        };
        zel.on.ZelQuerySsid = [this](ZelHandle, char* buffer, uint32_t size) {
            const std::string ssid = cardLink().ssid;
            std::copy(ssid.begin(), ssid.begin() + std::min<size_t>(size, ssid.size()), buffer);
            return 0;
        };
        zel.on.ZelQueryChannel = [this](ZelHandle, uint32_t* channel) {
            *channel = cardLink().channel;
            return 0;
        };
        zel.on.ZelScan = [this](ZelHandle) {
            note("scan");
            return 0;
        };
        zel.on.ZelSetSsid = [this](ZelHandle, const char* ssid, uint32_t, uint32_t) {
            note("join " + std::string(ssid));
            return onSetSsid(ssid);
        };
    }

    // The card joins `ssid` (an Infrastructure network unless told otherwise) and the
    // window hears of it, as from a library event.
    void associate(const std::string& ssid, uint32_t networkMode = NetworkInfrastructure) {
        setCardLink({true, networkMode, ssid, {0x00, 0x1D, 0x6A, 0x01, 0x02, 0x03}, 6});
        monitor.refresh(adapter(), true);
    }
    // The card runs the Ad-Hoc network `ssid` without a peer, and the window hears of it.
    void startAdHoc(const std::string& ssid) {
        setCardLink({false, NetworkAdHoc, ssid, {0x02, 0x11, 0x22, 0x33, 0x44, 0x55}, 11});
        monitor.refresh(adapter(), false);
    }
    void setCardLink(const CardLink& link) {
        std::lock_guard<std::mutex> guard(cardMutex_);
        cardLink_ = link;
    }
    CardLink cardLink() const {
        std::lock_guard<std::mutex> guard(cardMutex_);
        return cardLink_;
    }

    // ConnectHost
    ZelHandle adapter() const override { return cardOpen ? const_cast<int*>(&card_) : nullptr; }
    bool radioOn() const override { return radio; }
    ProfileList& profiles() override {
        ++listLookups;
        return list;
    }
    std::mutex& profileLock() override { return lock; }
    LinkView refreshConnection(bool connected) override {
        return monitor.refresh(adapter(), connected);
    }
    // TrayDisplay
    void showTrayState(TrayState state) override {
        note("tray " + std::to_string(static_cast<int>(state)));
    }
    // WorkerHost
    bool busy() const override { return busyFlag; }
    bool zeroConfigActive() const override { return zeroConfig; }
    bool autoLinkEnabled() const override { return autoLink; }
    bool autoConfigurationEnabled() const override { return autoConfiguration; }
    LinkView link() const override { return monitor.link(); }
    void requestAutoLinkDetection() override {
        note("1007");
        ++autoLinkRequests;
    }
    void showStatus(const std::string& text) override { note("1003 " + text); }
    void autoConfigurationPassEnded() override { note("1004"); }
    void reportAutoLinkFailed() override { note("Auto Link Failed!"); }
    // WorkerWaits: scripted, never sleeping.
    bool waitStop(uint32_t ms) override {
        note("wait " + std::to_string(ms));
        return onWaitStop(ms);
    }
    std::optional<AutoLinkResult> askAutoLink(const std::function<void()>& ask) override {
        ask();
        return onAutoLink();
    }

    // Ends the worker at its `cycles`-th wait between cycles, and every later run at
    // its first.
    void stopAfterCycles(int cycles) {
        onWaitStop = [cycles, seen = 0](uint32_t ms) mutable {
            return ms == Worker::kCycleMs && ++seen >= cycles;
        };
    }

    void note(const std::string& line) {
        std::lock_guard<std::mutex> guard(journalMutex_);
        journal_.push_back(line);
    }
    std::vector<std::string> takeJournal() {
        std::lock_guard<std::mutex> guard(journalMutex_);
        return std::exchange(journal_, {});
    }

    ZelRecorder zel;
    std::atomic<bool> cardOpen{true};
    std::atomic<bool> radio{true};
    std::atomic<bool> busyFlag{false};
    std::atomic<bool> zeroConfig{false};
    std::atomic<bool> autoLink{false};
    std::atomic<bool> autoConfiguration{true};
    std::atomic<int> autoLinkRequests{0};
    ProfileList list;
    std::mutex lock;
    // How often the list was reached: a walk of it, or a lookup in it.
    std::atomic<int> listLookups{0};

    // ZelSetSsid's answer for an SSID: refused unless a test says otherwise.
    std::function<int32_t(const std::string& ssid)> onSetSsid = [](const std::string&) {
        return 1;
    };
    // The answer of a wait for the stop event: stopped at the first wait between cycles.
    std::function<bool(uint32_t ms)> onWaitStop = [](uint32_t ms) {
        return ms == Worker::kCycleMs;
    };
    // The Auto Link detection: nothing to do.
    std::function<std::optional<AutoLinkResult>()> onAutoLink = [] {
        return AutoLinkResult::NothingToDo;
    };

    ConnectionMonitor monitor{zel.api(), lock, *this};
    ConnectEngine engine{zel.api(), *this, [] { return 0u; }};
    Worker worker{zel.api(), *this, engine, *this};

private:
    int card_ = 0;
    mutable std::mutex cardMutex_;
    CardLink cardLink_;
    std::mutex journalMutex_;
    std::vector<std::string> journal_;
};
