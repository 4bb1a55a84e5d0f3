// The connect engine: applies a profile to the card through the adapter control library,
// or joins the strongest open network for a profile whose SSID is "<ANY SSID>".
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "adapter/ZelApi.h"
#include "profiles/ProfileList.h"

// What the connection state block shows after a refresh.
struct LinkView {
    bool connected = false;
    bool adHocActive = false;
    std::string ssid;
    uint32_t networkMode = 0;
};

// What the engine needs from the window that owns the card and the profiles.
class ConnectHost {
public:
    virtual ~ConnectHost() = default;
    // The adapter handle; null while no card is open.
    virtual ZelHandle adapter() const = 0;
    virtual bool radioOn() const = 0;
    // The profile list, and the lock that guards it and the profile in use.
    virtual ProfileList& profiles() = 0;
    virtual std::mutex& profileLock() = 0;
    // Rebuilds the connection state block, the card having answered ZelGetConnectStatus
    // with `connected`. Runs on the engine's caller's thread; it must not wait for the
    // window thread.
    virtual LinkView refreshConnection(bool connected) = 0;
};

// Result codes of connectProfile beside ZelSetSsid's own.
constexpr int kConnectAccepted = 0;
constexpr int kConnectNotDone = 1;
// Most time the open-network join may take from its start to handing over an SSID.
constexpr uint32_t kJoinAnySsidLimitMs = 8000;

// A connect attempt succeeded when the library accepted the SSID, or said it is already
// associated with it and the refreshed state shows that network.
bool connectSucceeded(int result, const Profile& profile, const LinkView& link);

// Gives the card the profile's four WEP keys, the transmit key last again.
void programWepKeys(const ZelApi& api, ZelHandle adapter, const Profile& profile);

// Only one connect runs at a time; callers on other threads wait. Never call it while
// holding the host's profile lock.
class ConnectEngine {
public:
    using TickCount = std::function<uint32_t()>;

    // `tickCount`: a millisecond counter that may wrap (GetTickCount on Windows).
    ConnectEngine(const ZelApi& api, ConnectHost& host, TickCount tickCount);

    // Applies `profile`, a record of the host's list or one the caller keeps for the
    // call. Returns ZelSetSsid's result, the open-network join's result for
    // "<ANY SSID>", or kConnectNotDone when no card is open, the radio is off or there
    // is no profile.
    int connectProfile(const Profile* profile);
    // The same for the caller's copy of the listed record `original`, which is found
    // again by identity (it may be gone) when the profile is marked in use.
    int connectCopy(const Profile& copy, const Profile* original);

    // Tells the card which profile is in use (a single space for none) and puts the
    // profile at the front of its group in the list.
    void markInUse(const Profile* profile);

private:
    // A copy of the record taken under the profile lock, its texts ended.
    Profile copyOf(const Profile& profile);
    int connect(Profile profile, const Profile* original);
    void markInUse(ZelHandle adapter, const Profile& profile, const Profile* original);
    void tellProfileInUse(ZelHandle adapter, const char* name);
    void applySecurity(ZelHandle adapter, const Profile& profile);
    void applyAuthentication(ZelHandle adapter, const Profile& profile);
    void applyRadio(ZelHandle adapter, const Profile& profile);
    int joinAnySsid();

    const ZelApi& api_;
    ConnectHost& host_;
    TickCount tickCount_;
    std::mutex connecting_;
};
