// The Auto Link dialog: the list it offers, the PIN checks, the open join and the exchange
// to its end, the secured join, the association timer, closing, and events that arrive in
// any order.
#include "tests/pages/AutoLinkSuite.h"

#include <gmock/gmock.h>

#include "adapter/ZelShared.h"
#include "framework/Host.h"
#include "pages/CountdownDlg.h"
#include "res/resource.h"

namespace autolinktest {

using fw::Dialog;
using fw::UserActions;
using testing::ElementsAre;
using testing::IsEmpty;

constexpr char kLinkPin[] = "tiger-lily-42";
constexpr char kOfficePin[] = "office-pin-9";
constexpr unsigned kStepMs = 100;

void AutoLinkDialog::SetUp() { backEnd_ = GetParam().make(); }

void AutoLinkDialog::start(const std::string& outcome) {
    card = std::make_unique<sim::NativeCard>(R"(
card
    mac 00:1D:6A:70:42:17
    exchange-step 100
    association-delay 200
network
    ssid "Link"
    bssid 00:11:22:33:AA:07
    channel 8
    rssi -61
    auto-link unconfigured 7
    auto-link-outcome )" + outcome + R"(
    auto-link-ssid "Linked"
network
    ssid "Office"
    bssid 00:11:22:33:AA:09
    channel 1
    rssi -66
    security wpa-psk
    passphrase "office-pin-9"
    auto-link configured 9
network
    ssid "Lobby"
    bssid 00:11:22:33:AA:03
    channel 11
    rssi -80
    auto-link listed 3
)");
    mainWindow = std::make_unique<FakeMainWindow>(card->api(), GetParam().text);
    card->api().ZelOpenAdapter(&mainWindow->handle);
    dialog = std::make_unique<CAutoLinkDlg>(*mainWindow);
}

void AutoLinkDialog::TearDown() {
    fwtest::expectCleanEnd(*backEnd_);
    dialog.reset();
    if (mainWindow && mainWindow->handle) card->api().ZelCloseAdapter(&mainWindow->handle);
}

int AutoLinkDialog::run(const fw::DialogAction& action) {
    EXPECT_GT(dialog->BuildApList(), 0);
    script().expectDialog(IDD_AUTO_LINK, [&](Dialog& shown, UserActions& user) {
        EXPECT_THAT(backEnd_->missingControls(shown), IsEmpty());
        action(shown, user);
    });
    // The windows the dialog opens come after it.
    for (const auto& expect : inside_) expect();
    inside_.clear();
    return backEnd_->host().runModal(*dialog, nullptr);
}

void AutoLinkDialog::expectBox(const std::string& text) {
    inside_.push_back([this, text] { script().expectMessageBox(text, fw::id::Ok); });
}

void AutoLinkDialog::event(Dialog& dialog, uint32_t code) {
    fw::Message m;
    m.message = zel::kEventMessage;
    m.wParam = code;
    dialog.deliver(m);
}

void AutoLinkDialog::timer(Dialog& dialog, int timerId) {
    fw::Message m;
    m.message = fw::msg::Timer;
    m.id = timerId;
    m.wParam = static_cast<uintptr_t>(timerId);
    dialog.deliver(m);
}

void AutoLinkDialog::letTimePass(Dialog& shown, uint64_t ms) {
    for (uint64_t passed = 0; passed < ms && shown.hasWindow(); passed += kStepMs) {
        card->advance(kStepMs);
        for (const sim::PostedEvent& posted : card->takeEvents()) {
            if (!shown.hasWindow() || posted.window != shown.ui().handle()) continue;
            event(shown, posted.code);
            const std::string status = shown.ui().text(IDC_AUTO_LINK_STATUS);
            if (shown.hasWindow() && (statusLines.empty() || statusLines.back() != status)) {
                statusLines.push_back(status);
            }
        }
    }
}

void AutoLinkDialog::expectCountdown(const std::string& text, int seconds) {
    inside_.push_back([=] {
        script().expectDialog(IDD_COUNTDOWN, [=](Dialog& shown, UserActions&) {
            EXPECT_EQ(shown.ui().text(IDC_COUNTDOWN_TEXT), text);
            EXPECT_EQ(shown.ui().title(), countdownTitle(seconds));
            EXPECT_EQ(shown.ui().range(IDC_COUNTDOWN_PROGRESS), std::make_pair(0, seconds));
            fw::Message tick;
            tick.message = fw::msg::Timer;
            tick.id = kCountdownTimer;
            tick.wParam = kCountdownTimer;
            for (int second = 1; second <= seconds; ++second) {
                // The events of the second go to the Auto Link dialog beneath.
                letTimePass(*dialog, 1000);
                timer(shown, kCountdownTimer);
            }
        });
    });
}

void AutoLinkDialog::choose(Dialog& shown, UserActions& user, const std::string& ssid,
                            const std::string& pin, const std::string& confirmation) {
    fw::Surface& ui = shown.ui();
    for (int i = 0; i < ui.itemCount(IDC_AUTO_LINK_APS); ++i) {
        if (autoLinkSsidOfItem(ui.itemText(IDC_AUTO_LINK_APS, i)) == ssid) {
            user.pick(IDC_AUTO_LINK_APS, i);
        }
    }
    // The user types over what the edits hold.
    ui.setText(IDC_AUTO_LINK_PIN, "");
    ui.setText(IDC_AUTO_LINK_CONFIRM, "");
    user.type(IDC_AUTO_LINK_PIN, pin);
    if (ui.isEnabled(IDC_AUTO_LINK_CONFIRM)) user.type(IDC_AUTO_LINK_CONFIRM, confirmation);
}

namespace {

TEST_P(AutoLinkDialog, ListsStrongestFirstAndSaysWhetherTheAccessPointIsSetUp) {
    start();
    run([&](Dialog& shown, UserActions& user) {
        fw::Surface& ui = shown.ui();
        ASSERT_EQ(ui.itemCount(IDC_AUTO_LINK_APS), 3);
        EXPECT_EQ(ui.itemText(IDC_AUTO_LINK_APS, 0), "Link (Rssi=87%)");
        EXPECT_EQ(ui.itemText(IDC_AUTO_LINK_APS, 1), "Office (Rssi=75%)");
        EXPECT_EQ(ui.itemText(IDC_AUTO_LINK_APS, 2), "Lobby (Rssi=40%)");
        EXPECT_EQ(ui.itemData(IDC_AUTO_LINK_APS, 1), 0x10009);
        EXPECT_EQ(ui.focus(), IDC_AUTO_LINK_PIN);
        EXPECT_EQ(ui.text(IDC_AUTO_LINK_STATUS), "This AP has not been configured");
        EXPECT_TRUE(ui.isEnabled(IDC_AUTO_LINK_CONFIRM));
        user.pick(IDC_AUTO_LINK_APS, 1);
        EXPECT_EQ(ui.text(IDC_AUTO_LINK_STATUS), "This AP has been configured using Auto Link");
        EXPECT_FALSE(ui.isEnabled(IDC_AUTO_LINK_CONFIRM));
        EXPECT_FALSE(ui.isEnabled(IDC_AUTO_LINK_CONFIRM_LABEL));
        user.type(IDC_AUTO_LINK_PIN, std::string(40, 'x'));
        EXPECT_EQ(ui.text(IDC_AUTO_LINK_PIN).size(), 31u);
        user.click(fw::id::Cancel);
    });
    EXPECT_THAT(mainWindow->autoLinkWrites, ElementsAre(true));
}

TEST_P(AutoLinkDialog, APinOfTheWrongLengthEmptiesBothEditsAndAMismatchKeepsThem) {
    start();
    expectBox(GetParam().text(IDS_PASSPHRASE_LENGTH));
    expectBox(GetParam().text(IDS_PASSPHRASE_MISMATCH));
    run([&](Dialog& shown, UserActions& user) {
        choose(shown, user, "Link", "1234567", "1234567");
        user.click(fw::id::Ok);
        EXPECT_EQ(shown.ui().text(IDC_AUTO_LINK_PIN), "");
        EXPECT_EQ(shown.ui().text(IDC_AUTO_LINK_CONFIRM), "");
        choose(shown, user, "Link", "12345678", "12345679");
        user.click(fw::id::Ok);
        EXPECT_EQ(shown.ui().text(IDC_AUTO_LINK_CONFIRM), "12345679");
        letTimePass(shown, 1000);
        EXPECT_FALSE(associated());
        user.click(fw::id::Cancel);
    });
}

TEST_P(AutoLinkDialog, AListedOnlyAccessPointStartsNothingButTheFlagIsWritten) {
    start();
    run([&](Dialog& shown, UserActions& user) {
        choose(shown, user, "Lobby", kLinkPin);
        user.click(IDC_AUTO_LINK_DONT_ASK);
        user.click(fw::id::Ok);
        letTimePass(shown, 1000);
        EXPECT_FALSE(associated());
        EXPECT_THAT(mainWindow->autoLinkWrites, ElementsAre(false));
        user.click(fw::id::Cancel);
    });
}

TEST_P(AutoLinkDialog, TheExchangeLeavesTheProfileOfTheSsidTheAccessPointReports) {
    start("success");
    expectCountdown("Preparing for Auto Link brisk setup...", 5);
    expectCountdown("Cannot Get IP address, try again...", 5);
    expectCountdown("Auto Link is done successfully.\r\nPreparing to exit......", 15);
    EXPECT_EQ(run([&](Dialog& shown, UserActions& user) {
                  choose(shown, user, "Link", kLinkPin, kLinkPin);
                  user.click(fw::id::Ok);
                  letTimePass(shown, 2000);
              }),
              fw::id::Cancel);
    EXPECT_TRUE(dialog->done());
    const Profile& profile = dialog->setupProfile();
    EXPECT_EQ(fieldText(profile.name), "Linked");
    EXPECT_EQ(fieldText(profile.ssid), "Linked");
    EXPECT_EQ(fieldText(profile.psk), kLinkPin);
    EXPECT_EQ(profile.pskLength, 13u);
    EXPECT_EQ(profile.securityType * 10 + profile.encryption, 22u);
    // The card leaving the access point at the end says so.
    EXPECT_THAT(statusLines,
                ElementsAre("This AP has not been configured", "Auto Link Start Request",
                            "Auto Link Start Response", "Auto Link Challenge Request",
                            "Auto Link Challenge Response", "Auto Link Status Request",
                            "Auto Link Status Response", "Auto Link End Request", "Disconnect"));
    EXPECT_FALSE(associated());
    // Apply writes the flag, and so does the close.
    EXPECT_THAT(mainWindow->autoLinkWrites, ElementsAre(true, true));
}

TEST_P(AutoLinkDialog, AFailedExchangeClosesAfterItsCountdownWithoutAProfile) {
    start("failure");
    expectCountdown("Preparing for Auto Link brisk setup...", 5);
    expectCountdown("Cannot Get IP address, try again...", 5);
    expectCountdown("Auto Link Failed!, Please Try Again later.", 3);
    EXPECT_EQ(run([&](Dialog& shown, UserActions& user) {
                  choose(shown, user, "Link", kLinkPin, kLinkPin);
                  user.click(fw::id::Ok);
                  letTimePass(shown, 2000);
              }),
              fw::id::Cancel);
    EXPECT_FALSE(dialog->done());
    EXPECT_FALSE(associated());
}

TEST_P(AutoLinkDialog, AnAssociationFailureKeepsTheDialogOpenForAnotherTry) {
    start("association-failure");
    mainWindow->interfaces.found = CardInterface{1, true, "10.77.0.5", {}, {}};
    expectCountdown("Preparing for Auto Link brisk setup...", 5);
    expectBox("Association Failed!\r\nPlease make sure the PIN is correct");
    run([&](Dialog& shown, UserActions& user) {
        choose(shown, user, "Link", kLinkPin, kLinkPin);
        user.click(fw::id::Ok);
        letTimePass(shown, 2000);
        ASSERT_TRUE(shown.hasWindow());
        EXPECT_THAT(statusLines, testing::Contains(
                                     "Association Failed!\r\nPlease make sure the PIN is correct"));
        EXPECT_FALSE(associated());
        user.click(fw::id::Cancel);
    });
    EXPECT_FALSE(dialog->done());
}

TEST_P(AutoLinkDialog, AConfiguredAccessPointJoinedWithItsPinClosesWithOk) {
    start();
    EXPECT_EQ(run([&](Dialog& shown, UserActions& user) {
                  choose(shown, user, "Office", kOfficePin);
                  user.click(fw::id::Ok);
                  letTimePass(shown, 2000);
              }),
              fw::id::Ok);
    EXPECT_TRUE(associated());
    const Profile& profile = dialog->setupProfile();
    EXPECT_EQ(fieldText(profile.name), "Office");
    EXPECT_EQ(fieldText(profile.psk), kOfficePin);
    EXPECT_EQ(profile.preferred, 1u);
    EXPECT_THAT(mainWindow->autoLinkWrites, IsEmpty());
}

TEST_P(AutoLinkDialog, AWrongPinFailsOnceWhenTheTimerEndsAndTheRightOneJoinsAfterwards) {
    start();
    expectBox("Association Failed!\r\nPlease make sure the PIN is correct");
    EXPECT_EQ(run([&](Dialog& shown, UserActions& user) {
                  choose(shown, user, "Office", "not-the-pin");
                  user.click(fw::id::Ok);
                  letTimePass(shown, 2000);
                  EXPECT_FALSE(associated());
                  timer(shown, 0x7000);
                  choose(shown, user, "Office", kOfficePin);
                  user.click(fw::id::Ok);
                  letTimePass(shown, 2000);
              }),
              fw::id::Ok);
    EXPECT_TRUE(associated());
}

TEST_P(AutoLinkDialog, EventsInAnyOrderOrTwiceDoNoHarm) {
    start();
    run([&](Dialog& shown, UserActions&) {
        for (uint32_t code : std::initializer_list<uint32_t>{
                 zel::EventAutoLinkSuccess, zel::EventAutoLinkFailure,
                 zel::EventAutoLinkAssociationFailed, 0xF0000006u, 1u, 5u}) {
            event(shown, code);
        }
        EXPECT_EQ(shown.ui().text(IDC_AUTO_LINK_STATUS), "Disconnect");
        event(shown, zel::EventRadioOff);
        event(shown, zel::EventAutoLinkDialog);
        event(shown, zel::EventAutoLinkDialog);
        event(shown, zel::EventCardRemoval);
    });
    EXPECT_FALSE(dialog->done());
    EXPECT_THAT(mainWindow->passed, ElementsAre(zel::EventRadioOff));
    EXPECT_THAT(mainWindow->autoLinkWrites, IsEmpty());
}

TEST_P(AutoLinkDialog, TheCardGoingAwayClosesTheDialogThroughTheMainWindow) {
    start();
    EXPECT_EQ(run([&](Dialog& shown, UserActions& user) {
                  choose(shown, user, "Office", kOfficePin);
                  dialog->cardRemoved();
                  dialog->cardRemoved();
              }),
              fw::id::Cancel);
    EXPECT_THAT(mainWindow->passed, ElementsAre(zel::EventCardRemoval));
    EXPECT_EQ(mainWindow->handle, nullptr);
}

}  // namespace
}  // namespace autolinktest
