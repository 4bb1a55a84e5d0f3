#include "pages/CountdownDlg.h"

#include <cstdio>
#include <utility>

#include "res/resource.h"

std::string countdownTitle(int secondsLeft) {
    char title[48];
    std::snprintf(title, sizeof title, " %d seconds remaining...", secondsLeft);
    return title;
}

const fw::MessageEntry<CCountdownDlg> CCountdownDlg::kMap[] = {
    fw::onTimer(kCountdownTimer, &CCountdownDlg::onTick),
};

CCountdownDlg::CCountdownDlg(std::string text, int seconds)
    : fw::Dialog(IDD_COUNTDOWN), text_(std::move(text)), seconds_(seconds) {}

bool CCountdownDlg::onInit() {
    ui().coverOwner();
    ui().setTimer(kCountdownTimer, kCountdownTickMs);
    ui().setRange(IDC_COUNTDOWN_PROGRESS, 0, seconds_);
    ui().setText(IDC_COUNTDOWN_TEXT, text_);
    show();
    return true;
}

bool CCountdownDlg::onMessage(const fw::Message& m) { return fw::dispatch(*this, kMap, m); }

void CCountdownDlg::onTick(const fw::Message&) {
    ++elapsed_;
    if (elapsed_ < seconds_) {
        show();
        return;
    }
    ui().killTimer(kCountdownTimer);
    endDialog(fw::id::Ok);
}

void CCountdownDlg::show() {
    ui().setTitle(countdownTitle(seconds_ - elapsed_));
    ui().setPos(IDC_COUNTDOWN_PROGRESS, elapsed_);
}
