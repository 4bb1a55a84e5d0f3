// The worker thread of an opened adapter: while the card has no link it offers Auto
// Link every cycle and then, with auto configuration on, tries the preferred profiles
// in list order through the connect engine.
//
// The worker never touches a window. What it needs from the window thread it posts
// (the Auto Link detection, tray states, the Auto Link failure box) or sends (the
// status texts of the Network Status page); every wait ends when the stop event is
// signalled. It connects a copy of a record taken under the profile lock and holds that
// lock neither across a library call nor while it hands something to the window.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

#include "profiles/ConnectEngine.h"
#include "profiles/ConnectionMonitor.h"
#include "profiles/Event.h"

// What the Auto Link detection tells the worker.
enum class AutoLinkResult : uint32_t {
    Connected = 1009,  // the card joined through Auto Link, or the card went away
    NothingToDo = 1010,
    NewProfile = 1011,  // Auto Link stored a profile, first in the list, not yet joined
};

// What the worker needs from the window that owns the card, beside the connect engine's
// needs: its flags, the connection state block and its requests to the window thread.
// Everything here is called on the worker thread.
class WorkerHost : public ConnectHost, public TrayDisplay {
public:
    virtual bool busy() const = 0;
    virtual bool zeroConfigActive() const = 0;
    virtual bool autoLinkEnabled() const = 0;
    virtual bool autoConfigurationEnabled() const = 0;
    // What the connection state block shows now.
    virtual LinkView link() const = 0;

    // Asks the window thread to run the Auto Link detection (code 1007), which answers
    // through WorkerThread::answerAutoLink. Posts; the worker waits for the answer.
    virtual void requestAutoLinkDetection() = 0;
    // Sends code 1003 with `text` to the Network Status page.
    virtual void showStatus(const std::string& text) = 0;
    // Sends code 1004 to the Network Status page: an auto configuration pass ended.
    virtual void autoConfigurationPassEnded() = 0;
    // Asks the window thread to show "Auto Link Failed!" with the exclamation icon.
    virtual void reportAutoLinkFailed() = 0;
};

// The worker's waits. Every one of them ends when the stop event is signalled.
class WorkerWaits {
public:
    virtual ~WorkerWaits() = default;
    // Waits at most `ms` milliseconds for the stop event; true when it is signalled.
    virtual bool waitStop(uint32_t ms) = 0;
    // Clears the Auto Link answer, runs `ask`, which asks the window thread for the
    // detection, and waits without a time limit for the answer or the stop event.
    // Nothing when the stop event ended the wait.
    virtual std::optional<AutoLinkResult> askAutoLink(const std::function<void()>& ask) = 0;
};

// The worker thread's body.
class Worker {
public:
    // Time between two cycles.
    static constexpr uint32_t kCycleMs = 5000;
    // Pause of an auto configuration pass that found nothing to try.
    static constexpr uint32_t kIdleMs = 500;
    // Connect attempts on the profile that Auto Link stored.
    static constexpr int kAutoLinkAttempts = 3;

    Worker(const ZelApi& api, WorkerHost& host, ConnectEngine& engine, WorkerWaits& waits);

    // Runs until the stop event is signalled or no adapter is open: with Auto Link and
    // auto configuration both off it asks the card for one scan at the start; then a
    // cycle, and a wait of kCycleMs, over and over.
    void run();

private:
    enum class PassEnd { Done, NoAdapter, Stopped };

    // One cycle; false when the thread ends.
    bool cycle();
    // What became of the attempt that ended the last pass: with no link by now, it failed.
    void settleLastAttempt();
    // No link, the radio on, and nobody else at the card.
    bool readyToConnect() const;
    // The card is open, the radio on and no page busy: a connect may go ahead.
    bool mayConnect() const;
    // Sets the card's network mode again unchanged and asks it for a scan.
    void rescan(ZelHandle adapter);
    // Offers Auto Link; false when the stop event ended the wait for its answer.
    bool offerAutoLink(ZelHandle adapter);
    // Joins the profile that Auto Link stored, in up to kAutoLinkAttempts attempts.
    void joinAutoLinkProfile();
    // Tries the preferred profiles in list order until one connects, passing over those
    // whose accepted attempt led to no link, unless no other is left.
    PassEnd autoConfigurationPass();
    // One walk over `records` that tries each preferred one not failed until one connects;
    // sets `tried` when it tried one, and returns whether it passed over a failed one.
    bool walkPreferList(const std::vector<const Profile*>& records, bool& tried);
    // Connects the caller's copy of the listed `record`; true when the attempt succeeded.
    bool tryConnect(const Profile& copy, const Profile* record);
    // "Card Unplugged", "Connected" or "No Connection", as things are now.
    void showLinkState();

    const ZelApi& api_;
    WorkerHost& host_;
    ConnectEngine& engine_;
    WorkerWaits& waits_;
    // The record whose attempt ended the last pass, until the next cycle sees the link.
    const Profile* unconfirmed_ = nullptr;
    // Records whose accepted attempt led to no link since the card last had one.
    std::unordered_set<const Profile*> failed_;
};

// The worker thread with its stop event and the Auto Link event that the window thread
// answers on. Start, stop, answer and join from the window thread.
class WorkerThread : public WorkerWaits {
public:
    WorkerThread() = default;
    // Stops and joins a thread that still runs.
    ~WorkerThread() override;
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Clears the stop event and runs `body` on a new thread; a thread of an earlier
    // start is stopped and joined first.
    void start(std::function<void()> body);
    // Signals the stop event: every wait of the worker ends.
    void requestStop();
    // Waits at most `timeout` for the thread's body to return; true when it has, or
    // when no thread was started. The window thread waits in short steps, handling the
    // messages the worker sends it in between.
    bool waitFinished(std::chrono::milliseconds timeout);
    // Waits for the thread to end and releases it.
    void join();
    // The Auto Link detection's answer, for a worker that waits for it.
    void answerAutoLink(AutoLinkResult result);

    bool waitStop(uint32_t ms) override;
    std::optional<AutoLinkResult> askAutoLink(const std::function<void()>& ask) override;

private:
    Event stop_{Event::Reset::Manual};
    Event autoLink_{Event::Reset::Auto};
    Event finished_{Event::Reset::Manual};
    std::atomic<AutoLinkResult> autoLinkResult_{AutoLinkResult::NothingToDo};
    std::thread thread_;
};

// Adds the profile that Auto Link set up, on the window thread: a copy of `setup`
// replaces every profile of the list with the same SSID and network type and goes to
// position 0; with `markInUse` it is then marked in use. Returns the listed record.
Profile* addAutoLinkProfile(ConnectHost& host, ConnectEngine& engine, const Profile& setup,
                            bool markInUse);
