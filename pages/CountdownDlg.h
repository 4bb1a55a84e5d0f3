// The countdown dialog: a message shown over its parent for a number of seconds, with the
// seconds left in its title and a progress bar that fills as they pass.
#pragma once

#include <string>

#include "framework/Dialog.h"

constexpr int kCountdownTimer = 0x7100;
constexpr unsigned kCountdownTickMs = 1000;

// " 4 seconds remaining...".
std::string countdownTitle(int secondsLeft);

class CCountdownDlg : public fw::Dialog {
public:
    CCountdownDlg(std::string text, int seconds);

    bool onInit() override;

protected:
    bool onMessage(const fw::Message& m) override;

private:
    void onTick(const fw::Message&);
    void show();

    static const fw::MessageEntry<CCountdownDlg> kMap[];

    std::string text_;
    int seconds_;
    int elapsed_ = 0;
};
