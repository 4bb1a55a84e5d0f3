// The "Auto Link" dialog: a PIN-based one-touch setup with an access point that announces
// Auto Link in its beacons. For an access point not set up yet the card joins it openly
// and the library runs the setup exchange, which gives the access point the PIN as its
// WPA-PSK passphrase; an access point set up before is joined with WPA-PSK and the PIN.
// Either way the dialog leaves a finished profile for the main window's list.
//
// The dialog lives for one modal run: the main window builds it, asks BuildApList, runs it
// and reads done() and setupProfile() afterwards. While it is open the library's events
// come to its own window, which it registers with ZelInitialize.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "adapter/ZelApi.h"
#include "framework/Dialog.h"
#include "pages/IpHelper.h"
#include "profiles/ProfileList.h"

// How an access point stands, from the flags byte of its Auto Link element.
enum class AutoLinkState : uint32_t {
    NotConfigured = 0,
    Configured = 1,
    // Listed as configured, but Apply starts nothing for it.
    ListedOnly = 2,
};

// One listed access point.
struct AutoLinkAp {
    std::string ssid;       // at most 32 bytes
    uint32_t strength = 0;  // Rssi + 96, limited to 0..40
    AutoLinkState state = AutoLinkState::NotConfigured;
    uint32_t apTag = 0;  // byte 7 of the element
};

// The access points of a ZelQueryScanList buffer that offer Auto Link, strongest first (of
// equal strengths the earlier-scanned first). A configured one is left out when `profiles`
// holds a profile with its SSID and with its record's InfrastructureMode as network type.
std::vector<AutoLinkAp> autoLinkAps(const uint8_t* buffer, size_t size,
                                    const ProfileList& profiles);

// The combo box entry of an access point: "SSID (Rssi=87%)", and its item value (the AP
// tag in the low 16 bits, the state in the high 16 bits).
std::string autoLinkItemText(const AutoLinkAp& ap);
intptr_t autoLinkItemValue(const AutoLinkAp& ap);
// The SSID of an entry's text: cut at the last " (Rssi=".
std::string autoLinkSsidOfItem(const std::string& text);

// The PIN rules: 8 to 31 characters (check A), and the confirmation equal (check B).
constexpr size_t kAutoLinkPinMin = 8;
constexpr size_t kAutoLinkPinMax = 31;
enum class PinFault { None, Length, Mismatch };
PinFault checkPin(const std::string& pin);
PinFault checkPinAndConfirmation(const std::string& pin, const std::string& confirmation);

// The card's IP configuration as the exchange hands it to the access point.
struct CardIp {
    bool dhcp = false;
    std::array<uint8_t, 4> address{};  // first dotted part first
};
// "a.b.c.d": decimal digits up to each ".", four parts; anything unreadable gives zeros.
std::array<uint8_t, 4> parseDottedAddress(const std::string& text);

// The library structures of the exchange.
TSRA_BRISKSETUP_SEC_INFO makeSecurityInfo(uint32_t apTag, const std::string& pin, const CardIp& ip);
TSRA_BRISKSETUP_SETUP_REQ makeSetupRequest(uint32_t apTag);

// The status line of an exchange step event (0xF0000000 to 0xF0000006), empty for any
// other code.
std::string autoLinkStepText(uint32_t event);

// What the dialog needs of the main window and the platform beneath it.
class AutoLinkHost {
public:
    virtual ~AutoLinkHost() = default;
    virtual const ZelApi& api() const = 0;
    // Null while no card is open.
    virtual ZelHandle adapter() const = 0;
    virtual const std::array<uint8_t, 6>& macAddress() const = 0;
    virtual ProfileList& profiles() = 0;
    virtual std::mutex& profileLock() = 0;
    // The "AutoLink" switch the worker reads.
    virtual void setAutoLink(bool on) = 0;
    // On Windows 95, 98 and Me the DHCP state comes from the library.
    virtual bool dhcpFromLibrary() const = 0;
    virtual IpHelper& ipHelper() = 0;
    // Hands a library event to the main window, which handles it before this returns.
    virtual void passEvent(uint32_t code, intptr_t value) = 0;
    virtual std::string text(int stringId) const = 0;
};

class CAutoLinkDlg : public fw::Dialog {
public:
    explicit CAutoLinkDlg(AutoLinkHost& mainWindow);
    ~CAutoLinkDlg() override;

    // Reads the card's scan list; the number of access points listed (0: none, or the
    // list could not be read).
    int BuildApList();
    const std::vector<AutoLinkAp>& aps() const { return aps_; }

    // After the run: whether the exchange set an access point up, and the profile left.
    bool done() const { return done_; }
    const Profile& setupProfile() const { return setup_; }

    // The card went away while the dialog is open: it closes as event 2 says, or at once
    // when the main window has closed the card already.
    void cardRemoved();

    bool onInit() override;
    void onOk() override;
    void onCancel() override;

protected:
    bool onMessage(const fw::Message& m) override;

private:
    void onEvent(const fw::Message& m);
    void onSelectionChange(const fw::Message&);
    void onAssociationTimer(const fw::Message&);

    void applySelection();
    // Tells the user what is wrong with the PIN; false then.
    bool pinAccepted(bool withConfirmation);
    void startOpenJoin();
    void startSecuredJoin();
    // The setup profile of a configured access point, joined with WPA-PSK and the PIN.
    void fillFinishedProfile(const std::string& ssid);
    void programCard();
    // The card leaves the network.
    void release();
    void startExchange();
    std::optional<CardIp> readCardIp();
    void exchangeSucceeded();
    void exchangeFailed();
    void associationFailed();
    void stopAssociationTimer();
    // A countdown over this dialog with `text` for `seconds`.
    void countdown(const std::string& text, int seconds);
    void setStatus(const std::string& text);
    void writeAutoLinkFlag();
    // Lets go of what the dialog holds; may run more than once.
    void cleanUp();
    void close(int result);

    static const fw::MessageEntry<CAutoLinkDlg> kMap[];

    AutoLinkHost& mainWindow_;
    std::vector<AutoLinkAp> aps_;
    std::string ssid_;
    uint32_t apTag_ = 0;
    AutoLinkState state_ = AutoLinkState::NotConfigured;
    std::string pin_;
    bool setupPending_ = false;
    // The setup request went out and its result has not come yet.
    bool exchanging_ = false;
    bool done_ = false;
    bool associationTimer_ = false;
    bool closed_ = false;
    // The card was sent to an access point and has not been released since.
    bool joined_ = false;
    Profile setup_;
};
