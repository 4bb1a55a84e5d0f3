// What the Network Status page needs of the main window that owns the card and the
// profiles, and of the platform beneath its window.
#pragma once

#include <cstdint>
#include <mutex>

#include "adapter/ZelApi.h"
#include "framework/Dialog.h"
#include "pages/InterfaceSampler.h"
#include "profiles/ConnectionMonitor.h"
#include "profiles/ProfileList.h"

class MainPageHost {
public:
    virtual ~MainPageHost() = default;

    // The adapter library, and the adapter handle (null while no card is open).
    virtual const ZelApi& api() const = 0;
    virtual ZelHandle adapter() const = 0;

    virtual bool radioOn() const = 0;
    // The system's wireless configuration service controls the card.
    virtual bool zeroConfigActive() const = 0;
    // A page scans or applies a profile: the worker and the refresh of event 5 hold off.
    virtual bool busy() const = 0;
    virtual void setBusy(bool busy) = 0;
    // The settings file asks for the link speed of each second rather than the largest
    // of the last five ("RefreshRatePS").
    virtual bool refreshRateEverySecond() const = 0;
    // On Windows 95, 98 and Me the DHCP state comes from the library, not the system.
    virtual bool dhcpFromLibrary() const = 0;

    // A copy of the connection state block, and its WEP status as pages read it (asked
    // again from the card while a key is absent).
    virtual ConnectionState connection() const = 0;
    virtual uint32_t currentWepStatus() = 0;

    // The profile list with the lock that guards it and the profile in use.
    virtual ProfileList& profiles() = 0;
    virtual std::mutex& profileLock() = 0;
    // The connect engine: applies a listed profile; marks one in use. Neither may be
    // called while holding the profile lock.
    virtual int connectProfile(const Profile* profile) = 0;
    virtual void markInUse(const Profile* profile) = 0;
};

// The two throughput graphs, and the range (1, kGraphStartTop) they are made with.
enum class Graph { Transmit, Receive };
constexpr int kGraphStartTop = 1000;

class MainPagePlatform {
public:
    virtual ~MainPagePlatform() = default;

    // The page's window was just made: create the transmit and receive graphs over their
    // placeholders.
    virtual void createControls(fw::Page& page) = 0;
    // The graphs; nothing happens before createControls.
    virtual void setGraphRange(Graph graph, int lower, int upper) = 0;
    virtual void addGraphValue(Graph graph, uint32_t value) = 0;
    // The graphs scroll only while the page shows; started again, they first make the
    // steps they missed, so that they read as if they had gone on.
    virtual void setGraphsRunning(bool running) = 0;

    // The IP helper functions' latest reading of the interface with the card's address
    // `mac`; nothing when there is none yet.
    virtual std::optional<InterfaceReading> cardInterface(const MacAddress& mac) = 0;
};
