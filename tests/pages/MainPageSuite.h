// The Network Status page's behaviour suite against the simulated card: one body, run
// natively on the in-memory back end with the card's model on a clock the test advances,
// and under Wine on the program's own template with Tovix.dll and real time.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/Sheet.h"
#include "tests/pages/MainPageBench.h"
#include "tests/support/BackEnd.h"

// The card of the suite's world, and two networks in its range.
inline const std::string kCard = R"(
card
    mac                 00:1D:6A:70:42:17
    association-delay   300
)";

// A WPA network whose signal wanders between -84 and -56 dBm within six seconds.
inline const std::string kNetworks = R"(
network
    ssid        "HomeNet"
    bssid       00:14:BF:3C:11:02
    channel     6
    band        g
    rssi        -70
    drift       14 6000
    security    wpa-psk
    passphrase  "sunflower-42"

network
    ssid        "Lab-5G-Open"
    bssid       00:1D:6A:50:01:49
    channel     149
    rssi        -63
)";

inline Profile homeProfile() {
    Profile p = blankProfile();
    setFieldText(p.name, "Home");
    setFieldText(p.ssid, "HomeNet");
    p.networkType = NetworkInfrastructure;
    p.wirelessMode = WirelessAuto;
    p.encryption = EncryptionTkip;
    p.securityType = SecurityWpaPsk;
    setFieldText(p.psk, "sunflower-42");
    p.pskLength = 12;
    p.useDefaultRadio = 1;
    return p;
}

inline Profile labProfile() {
    Profile p = blankProfile();
    setFieldText(p.name, "Lab");
    setFieldText(p.ssid, "Lab-5G-Open");
    p.networkType = NetworkInfrastructure;
    p.wirelessMode = WirelessAuto;
    p.useDefaultRadio = 1;
    return p;
}

// The windows and the card a suite runs with.
class MainPageWorld {
public:
    virtual ~MainPageWorld() = default;
    virtual fwtest::BackEnd& windows() = 0;
    virtual const ZelApi& api() const = 0;
    // Lets `ms` milliseconds pass: the card moves on, and the page's refresh timer fires
    // each second while it runs.
    virtual void pass(CMainPage& page, uint32_t ms) = 0;
    virtual uint32_t now() const = 0;
    // The platform that makes the page's real windows, if there is one.
    virtual MainPagePlatform* platform() = 0;
};

struct MainPageWorldParam {
    std::string name;
    // A world whose card lives in the world of `scenario` (a scenario file's text).
    std::function<std::unique_ptr<MainPageWorld>(const std::string& scenario)> make;
};

inline void PrintTo(const MainPageWorldParam& param, std::ostream* out) { *out << param.name; }

inline std::string worldName(const testing::TestParamInfo<MainPageWorldParam>& info) {
    return info.param.name;
}

class MainPageSuite : public testing::TestWithParam<MainPageWorldParam> {
protected:
    // The card in the world of `scenario`, opened when it is there, and the page over it,
    // not shown yet.
    void start(const std::string& scenario);
    void show();
    void TearDown() override;

    std::unique_ptr<MainPageWorld> world;
    std::unique_ptr<RecordingPlatform> platform;
    std::unique_ptr<CardHost> host;
    std::unique_ptr<CMainPage> page;
    std::unique_ptr<fw::Sheet> sheet;
};
