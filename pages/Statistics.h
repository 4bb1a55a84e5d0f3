// The standard Statistics page: the driver's transmit and receive counters with the
// received and lost beacons, and the signal as a level bar with the link icon, as the
// Network Status page shows them. It refreshes itself once a second while it is the
// visible page and the radio is on.
#pragma once

#include "pages/SignalLevel.h"
#include "pages/StatisticsTables.h"
#include "pages/ZelPage.h"
#include "res/resource.h"

class CStatistics : public CZelPage {
public:
    explicit CStatistics(StatisticsHost& host);

    bool onInit() override;
    // Shown: fresh signal samples and the refresh timer with one tick at once. Left: the
    // timer stops.
    void onSetActive() override;
    bool onKillActive() override;
    void onSheetHidden() override { onKillActive(); }
    // While the radio is off the page stands still.
    void setRadioState(bool on) override;

protected:
    bool onPageMessage(const fw::Message& m) override;

private:
    void onTimer(const fw::Message&);
    void tick();

    static const fw::MessageEntry<CStatistics> kMap[];

    StatisticsHost& host_;
    SignalSamples signal_;
    bool paused_ = false;
};
