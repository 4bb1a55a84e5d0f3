#include "profiles/Worker.h"

#include <memory>

namespace {

// A listed record and the copy of it, taken under the profile lock, that a connect uses.
struct Candidate {
    const Profile* record;
    Profile copy;
};

}  // namespace

Worker::Worker(const ZelApi& api, WorkerHost& host, ConnectEngine& engine, WorkerWaits& waits)
    : api_(api), host_(host), engine_(engine), waits_(waits) {}

void Worker::run() {
    if (!host_.autoLinkEnabled() && !host_.autoConfigurationEnabled()) {
        const ZelHandle adapter = host_.adapter();
        if (adapter != nullptr) rescan(adapter);
    }
    while (cycle()) {
        if (waits_.waitStop(kCycleMs)) return;
    }
}

bool Worker::cycle() {
    const ZelHandle adapter = host_.adapter();
    if (adapter == nullptr) return false;
    settleLastAttempt();
    if (!readyToConnect()) return true;
    if (host_.autoLinkEnabled() && !offerAutoLink(adapter)) return false;
    if (host_.autoConfigurationEnabled() && readyToConnect()) {
        host_.showTrayState(TrayState::Scanning);
        if (autoConfigurationPass() != PassEnd::Done) return false;
        showLinkState();
    }
    return true;
}

void Worker::settleLastAttempt() {
    const LinkView link = host_.link();
    if (link.connected || link.adHocActive) {
        failed_.clear();
    } else if (unconfirmed_ != nullptr) {
        failed_.insert(unconfirmed_);
    }
    unconfirmed_ = nullptr;
}

bool Worker::readyToConnect() const {
    const LinkView link = host_.link();
    return host_.radioOn() && !link.connected && !link.adHocActive && !host_.busy() &&
           !host_.zeroConfigActive();
}

bool Worker::mayConnect() const {
    return host_.adapter() != nullptr && !host_.busy() && host_.radioOn();
}

void Worker::rescan(ZelHandle adapter) {
    uint32_t networkMode = 0;
    if (api_.ZelQueryNetworkMode(adapter, &networkMode) == 0) {
        api_.ZelSetNetworkMode(adapter, networkMode);
    }
    api_.ZelScan(adapter);
}

bool Worker::offerAutoLink(ZelHandle adapter) {
    rescan(adapter);
    const auto result = waits_.askAutoLink([this] { host_.requestAutoLinkDetection(); });
    if (!result) return false;
    if (*result == AutoLinkResult::NewProfile) joinAutoLinkProfile();
    return true;
}

void Worker::joinAutoLinkProfile() {
    host_.showTrayState(TrayState::Scanning);
    std::optional<Candidate> first;
    {
        std::lock_guard<std::mutex> lock(host_.profileLock());
        const ProfileList& list = host_.profiles();
        if (!list.empty()) first = Candidate{list.at(0), *list.at(0)};
    }
    if (first) {
        host_.showStatus("Scanning for " + fieldText(first->copy.ssid));
        int attempts = 0;
        bool joined = false;
        while (!joined && attempts < kAutoLinkAttempts && mayConnect()) {
            ++attempts;
            joined = tryConnect(first->copy, first->record);
        }
        const LinkView link = host_.link();
        if (!joined && attempts == kAutoLinkAttempts && !link.connected && !link.adHocActive) {
            host_.reportAutoLinkFailed();
        }
    }
    showLinkState();
}

Worker::PassEnd Worker::autoConfigurationPass() {
    if (host_.adapter() == nullptr) return PassEnd::NoAdapter;
    if (!host_.radioOn()) return PassEnd::Done;

    // The walk goes over the prefer list as it stood when the pass began: a connect moves
    // its profile to the front of its group and the window thread may change the list
    // meanwhile, so each record is tried at most once and looked up again before (it
    // may be gone, or off the prefer list by now). One walk of the list, however long.
    std::vector<const Profile*> records;
    {
        std::lock_guard<std::mutex> lock(host_.profileLock());
        for (const auto& record : host_.profiles()) {
            if (isPreferred(*record)) records.push_back(record.get());
        }
    }
    bool tried = false;
    if (walkPreferList(records, tried) && !tried) {
        // Every candidate failed since the card last had a link: each gets its turn again.
        failed_.clear();
        walkPreferList(records, tried);
    }

    if (!tried && !host_.busy() && waits_.waitStop(kIdleMs)) return PassEnd::Stopped;
    if (!host_.busy()) host_.autoConfigurationPassEnded();
    return PassEnd::Done;
}

bool Worker::walkPreferList(const std::vector<const Profile*>& records, bool& tried) {
    bool passedOver = false;
    for (const Profile* record : records) {
        if (host_.busy()) break;
        // One lookup a record, and a copy only of the one to be tried.
        std::optional<Profile> copy;
        bool failed;
        {
            std::lock_guard<std::mutex> lock(host_.profileLock());
            if (!host_.profiles().contains(record) || !isPreferred(*record)) continue;
            failed = failed_.count(record) != 0;
            if (!failed) copy = *record;
        }
        if (failed) {
            passedOver = true;
            continue;
        }
        if (!mayConnect()) break;
        tried = true;
        if (tryConnect(*copy, record)) {
            unconfirmed_ = record;
            break;
        }
    }
    return passedOver;
}

bool Worker::tryConnect(const Profile& copy, const Profile* record) {
    const int result = engine_.connectCopy(copy, record);
    return connectSucceeded(result, copy, host_.link());
}

void Worker::showLinkState() {
    if (host_.adapter() == nullptr) {
        host_.showTrayState(TrayState::CardUnplugged);
    } else {
        host_.showTrayState(host_.link().connected ? TrayState::Connected
                                                   : TrayState::NoConnection);
    }
}

WorkerThread::~WorkerThread() {
    requestStop();
    join();
}

void WorkerThread::start(std::function<void()> body) {
    if (thread_.joinable()) {
        requestStop();
        join();
    }
    stop_.reset();
    finished_.reset();
    thread_ = std::thread([this, body = std::move(body)] {
        body();
        finished_.set();
    });
}

void WorkerThread::requestStop() { stop_.set(); }

bool WorkerThread::waitFinished(std::chrono::milliseconds timeout) {
    return !thread_.joinable() || finished_.wait(timeout);
}

void WorkerThread::join() {
    if (thread_.joinable()) thread_.join();
}

void WorkerThread::answerAutoLink(AutoLinkResult result) {
    autoLinkResult_ = result;
    autoLink_.set();
}

bool WorkerThread::waitStop(uint32_t ms) { return stop_.wait(std::chrono::milliseconds(ms)); }

std::optional<AutoLinkResult> WorkerThread::askAutoLink(const std::function<void()>& ask) {
    autoLink_.reset();
    ask();
    // The stop event comes first, so a stop ends the wait even when an answer came too.
    if (Event::waitAny({&stop_, &autoLink_}) == size_t{0}) return std::nullopt;
    return autoLinkResult_.load();
}

Profile* addAutoLinkProfile(ConnectHost& host, ConnectEngine& engine, const Profile& setup,
                            bool markInUse) {
    auto copy = std::make_unique<Profile>(setup);
    terminateTextFields(*copy);
    Profile* record;
    {
        std::lock_guard<std::mutex> lock(host.profileLock());
        record = host.profiles().replaceSameNetwork(std::move(copy));
    }
    if (markInUse) engine.markInUse(record);
    return record;
}
