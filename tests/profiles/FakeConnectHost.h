// A ConnectHost for tests: a card handle the recorder shows as "card", a radio switch,
// the profile list with its lock, and a connection state that a test sets up.
#pragma once

#include <atomic>
#include <mutex>
#include <vector>

#include "profiles/ConnectEngine.h"
#include "tests/support/ZelRecorder.h"

class FakeConnectHost : public ConnectHost {
public:
    explicit FakeConnectHost(ZelRecorder& zel) { zel.name(&card_, "card"); }

    ZelHandle adapter() const override { return cardOpen ? const_cast<int*>(&card_) : nullptr; }
    bool radioOn() const override { return radio; }
    ProfileList& profiles() override { return list; }
    std::mutex& profileLock() override { return lock; }
    LinkView refreshConnection(bool connected) override {
        std::lock_guard<std::mutex> guard(lock);
        refreshes.push_back(connected);
        return linkAfterRefresh;
    }

    std::atomic<bool> cardOpen{true};
    std::atomic<bool> radio{true};
    ProfileList list;
    std::mutex lock;
    // What a refresh reports, and the `connected` values refreshes were given.
    LinkView linkAfterRefresh;
    std::vector<bool> refreshes;

private:
    int card_ = 0;
};
