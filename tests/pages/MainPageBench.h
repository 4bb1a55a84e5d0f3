// What surrounds the Network Status page in its tests: a main window in miniature over a
// card (any ZelApi: the recording fake, the simulated card natively, or Tovix.dll under
// Wine) with a real connection monitor and connect engine, and the platform's stand-in.
#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "pages/MainPage.h"
#include "profiles/ConnectEngine.h"
#include "profiles/ConnectionMonitor.h"
#include "tests/pages/MainPagePlatformDouble.h"

class CardHost final : public MainPageHost, public ConnectHost, public TrayDisplay {
public:
    // `tickCount`: the connect engine's millisecond counter.
    CardHost(const ZelApi& api, std::function<uint32_t()> tickCount)
        : api_(api), engine_(api, *this, std::move(tickCount)) {}
    ~CardHost() override { close(); }

    // Opens the card as the main window does; false when there is none.
    bool open() {
        if (!adapter_ && api_.ZelOpenAdapter(&adapter_) != 0) adapter_ = nullptr;
        if (adapter_) monitor_.refresh(adapter_, api_.ZelGetConnectStatus(adapter_) != 0);
        return adapter_ != nullptr;
    }
    void close() {
        if (adapter_) api_.ZelCloseAdapter(&adapter_);
        adapter_ = nullptr;
    }
    // The main window's part in a library event: it brings the connection state block up
    // to date, then hands the event to the page.
    void reportEvent(CMainPage& page, uint32_t code) {
        if (adapter_) monitor_.refresh(adapter_, api_.ZelGetConnectStatus(adapter_) != 0);
        page.onMainWindowEvent(code, 0);
    }
    Profile* addProfile(const Profile& profile) {
        std::lock_guard<std::mutex> lock(lock_);
        return list_.append(std::make_unique<Profile>(profile));
    }

    // MainPageHost.
    const ZelApi& api() const override { return api_; }
    ZelHandle adapter() const override { return adapter_; }
    bool radioOn() const override { return radio; }
    bool zeroConfigActive() const override { return zeroConfig; }
    bool busy() const override { return busyFlag; }
    void setBusy(bool busy) override { busyFlag = busy; }
    bool refreshRateEverySecond() const override { return everySecond; }
    bool dhcpFromLibrary() const override { return windows9x; }
    ConnectionState connection() const override { return monitor_.state(); }
    uint32_t currentWepStatus() override { return monitor_.currentWepStatus(adapter_); }
    ProfileList& profiles() override { return list_; }
    std::mutex& profileLock() override { return lock_; }
    int connectProfile(const Profile* profile) override {
        connects.push_back({profile, busyFlag, onConnect ? onConnect() : std::string()});
        return engine_.connectProfile(profile);
    }
    void markInUse(const Profile* profile) override {
        marked.push_back(profile);
        engine_.markInUse(profile);
    }

    // ConnectHost.
    LinkView refreshConnection(bool connected) override {
        return monitor_.refresh(adapter_, connected);
    }
    // TrayDisplay.
    void showTrayState(TrayState) override {}

    bool radio = true;
    bool zeroConfig = false;
    bool busyFlag = false;
    bool everySecond = false;
    bool windows9x = false;

    // Every connect the page asked for: the profile, whether the page was busy then, and
    // what `onConnect` saw at that moment.
    struct Connect {
        const Profile* profile;
        bool busy;
        std::string seen;
    };
    std::vector<Connect> connects;
    std::function<std::string()> onConnect;
    std::vector<const Profile*> marked;

private:
    const ZelApi& api_;
    ZelHandle adapter_ = nullptr;
    std::mutex lock_;
    ProfileList list_;
    ConnectionMonitor monitor_{api_, lock_, *this};
    ConnectEngine engine_;
};
