// The Auto Link dialog's behaviour suite: one body, run natively on the in-memory back end
// and under Wine on the program's own templates, against the simulated card's model with
// Auto Link access points, in a main window of the test's own. The card's events go to
// the dialog as the library would post them.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "pages/AutoLinkDlg.h"
#include "sim/NativeCard.h"
#include "tests/support/BackEnd.h"

namespace autolinktest {

struct AutoLinkParam {
    std::string name;
    std::function<std::unique_ptr<fwtest::BackEnd>()> make;
    std::function<std::string(int stringId)> text;
};

inline void PrintTo(const AutoLinkParam& param, std::ostream* out) { *out << param.name; }

class FakeMainWindow final : public AutoLinkHost {
public:
    FakeMainWindow(const ZelApi& api, std::function<std::string(int)> texts)
        : api_(api), texts_(std::move(texts)) {}

    const ZelApi& api() const override { return api_; }
    ZelHandle adapter() const override { return handle; }
    const std::array<uint8_t, 6>& macAddress() const override { return mac; }
    ProfileList& profiles() override { return list; }
    std::mutex& profileLock() override { return lock; }
    void setAutoLink(bool on) override { autoLinkWrites.push_back(on); }
    bool dhcpFromLibrary() const override { return false; }
    IpHelper& ipHelper() override { return interfaces; }
    void passEvent(uint32_t code, intptr_t) override {
        passed.push_back(code);
        // The main window closes the card on event 2.
        if (code == 2 && handle) api_.ZelCloseAdapter(&handle);
    }
    std::string text(int stringId) const override { return texts_(stringId); }

    ZelHandle handle = nullptr;
    std::array<uint8_t, 6> mac{};
    ProfileList list;
    std::mutex lock;
    std::vector<bool> autoLinkWrites;
    std::vector<uint32_t> passed;
    struct : IpHelper {
        std::optional<CardInterface> findInterface(const MacAddress&) override { return found; }
        std::optional<OctetCounters> readCounters(uint32_t, const MacAddress&) override {
            return std::nullopt;
        }
        std::optional<CardInterface> found;
    } interfaces;

private:
    const ZelApi& api_;
    std::function<std::string(int)> texts_;
};

class AutoLinkDialog : public testing::TestWithParam<AutoLinkParam> {
protected:
    void SetUp() override;
    void TearDown() override;

    // The card in a world with the access points "Link" (not configured, tag 7, the
    // exchange ending with `outcome`, reporting "Linked" afterwards), "Office"
    // (configured, tag 9, PIN "office-pin-9") and "Lobby" (listed, tag 3).
    void start(const std::string& outcome = "success");
    // Runs the dialog while the user does `action`; returns how it ended.
    int run(const fw::DialogAction& action);
    // The next window inside the dialog is a message box with `text`; the user says OK.
    void expectBox(const std::string& text);
    // Lets the card's time pass in small steps, handing each event it posts the dialog.
    void letTimePass(fw::Dialog& dialog, uint64_t ms);
    // The next window inside the dialog is a countdown with `text`; it counts its seconds down
    // meanwhile the card's time passes with them.
    void expectCountdown(const std::string& text, int seconds);
    // Hands the dialog a library event, or a tick of its timer `timerId` (at once, under
    // Wine too).
    static void event(fw::Dialog& dialog, uint32_t code);
    static void timer(fw::Dialog& dialog, int timerId);
    // Picks the entry of `ssid` and types the PIN (and its confirmation).
    void choose(fw::Dialog& dialog, fw::UserActions& user, const std::string& ssid,
                const std::string& pin, const std::string& confirmation = {});
    fw::Script& script() { return backEnd_->script(); }
    bool associated() { return card->api().ZelGetConnectStatus(mainWindow->handle) != 0; }

    std::unique_ptr<sim::NativeCard> card;
    std::unique_ptr<FakeMainWindow> mainWindow;
    std::unique_ptr<CAutoLinkDlg> dialog;
    // The status lines the dialog showed, in order, each once.
    std::vector<std::string> statusLines;

private:
    std::unique_ptr<fwtest::BackEnd> backEnd_;
    std::vector<std::function<void()>> inside_;
};

}  // namespace autolinktest
