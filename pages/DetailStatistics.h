// The detailed Statistics page, which the settings file can choose instead of the
// standard one: the driver's transmit and receive counters with the FCS errors of the
// last second, the received frames by signal strength, and "&Reset", after which the
// page shows what the card counted since. Once shown, it reads the counters every second
// also while another page is visible.
#pragma once

#include <cstdint>

#include "pages/StatisticsTables.h"
#include "pages/ZelPage.h"
#include "res/resource.h"

// The counters of the transmit table that "&Reset" starts again from, whether or not the
// driver resets its own.
class CounterBaselines {
public:
    // The counters of `reading` become the baselines.
    void take(const NDIS_802_11_STATISTICS& reading);
    // `reading` with each counter that has a baseline shown from it: less the baseline
    // when the counter is at least the baseline, else the counter itself. A counter
    // `measured` below its baseline was started over by the driver, so the baseline is
    // dropped: the counter counts from its own zero from now on.
    NDIS_802_11_STATISTICS apply(const NDIS_802_11_STATISTICS& reading, bool measured);

private:
    static constexpr uint64_t NDIS_802_11_STATISTICS::*kCounters[] = {
        &NDIS_802_11_STATISTICS::RetryCount,      &NDIS_802_11_STATISTICS::MultipleRetryCount,
        &NDIS_802_11_STATISTICS::FailedCount,     &NDIS_802_11_STATISTICS::RTSSuccessCount,
        &NDIS_802_11_STATISTICS::RTSFailureCount, &NDIS_802_11_STATISTICS::ACKFailureCount,
    };
    NDIS_802_11_STATISTICS baselines_{};
};

class CDetailStatistics : public CZelPage {
public:
    explicit CDetailStatistics(StatisticsHost& host);

    bool onInit() override;
    // Shown: the FCS count starts again from 0, and the refresh timer runs with one tick
    // at once. The timer goes on when the page is left.
    void onSetActive() override;

protected:
    bool onPageMessage(const fw::Message& m) override;

private:
    void onTimer(const fw::Message&);
    void onResetClick(const fw::Message&);
    void tick();
    // "FCS Per Sec": the FCS errors since the previous tick.
    std::string fcsPerSecond(uint64_t fcsErrors);

    static const fw::MessageEntry<CDetailStatistics> kMap[];

    StatisticsHost& host_;
    CounterBaselines baselines_;
    uint64_t previousFcsErrors_ = 0;
};
