#include "pages/DetailStatistics.h"

namespace {

using stats::counterText;

const stats::Table& receiveTable() {
    static const stats::Table table{IDC_STATS_RECEIVE,
                                    {{"Total Packet", "FCS Error"},
                                     {"Unicast Packet", "FCS Per Sec"},
                                     {"Multicast Packet", "Received Beacons"},
                                     {"Duplicate Frame", "Beacon Loss"}}};
    return table;
}

const stats::Table& rssiTable() {
    static const stats::Table table{IDC_STATS_RSSI,
                                    {{"0 -- 19", "40 -- 59"}, {"20 -- 39", "60 & Up"}}};
    return table;
}

}  // namespace

void CounterBaselines::take(const NDIS_802_11_STATISTICS& reading) {
    for (auto counter : kCounters) baselines_.*counter = reading.*counter;
}

NDIS_802_11_STATISTICS CounterBaselines::apply(const NDIS_802_11_STATISTICS& reading,
                                               bool measured) {
    NDIS_802_11_STATISTICS shown = reading;
    for (auto counter : kCounters) {
        uint64_t& baseline = baselines_.*counter;
        if (reading.*counter >= baseline) {
            shown.*counter = reading.*counter - baseline;
        } else if (measured) {
            baseline = 0;
        }
    }
    return shown;
}

const fw::MessageEntry<CDetailStatistics> CDetailStatistics::kMap[] = {
    fw::onTimer(stats::kTimer, &CDetailStatistics::onTimer),
    fw::onClick(IDC_STATS_RESET, &CDetailStatistics::onResetClick),
};

CDetailStatistics::CDetailStatistics(StatisticsHost& host)
    : CZelPage(IDD_DETAIL_STATISTICS, "Statistics"), host_(host) {}

bool CDetailStatistics::onPageMessage(const fw::Message& m) { return fw::dispatch(*this, kMap, m); }

bool CDetailStatistics::onInit() {
    for (const stats::Table* table : {&stats::transmitTable(), &receiveTable(), &rssiTable()}) {
        stats::setUpTable(ui(), *table);
    }
    return true;
}

void CDetailStatistics::onSetActive() {
    previousFcsErrors_ = 0;
    ui().setTimer(stats::kTimer, stats::kTimerMs);
    tick();
}

void CDetailStatistics::onTimer(const fw::Message&) { tick(); }

void CDetailStatistics::onResetClick(const fw::Message&) {
    const ZelHandle adapter = host_.adapter();
    if (!adapter) return;
    NDIS_802_11_STATISTICS reading{};
    host_.api().ZelQueryStatistics(adapter, &reading);
    baselines_.take(reading);
    previousFcsErrors_ = 0;
    host_.api().ZelResetStatistics(adapter);
    tick();
}

void CDetailStatistics::tick() {
    // What the library leaves in the structures is shown, whatever it answers.
    NDIS_802_11_STATISTICS reading{};
    ZEL_BEACON_STATS beacons{};
    ZEL_RSSI_STATS rssi{};
    bool measured = false;
    if (const ZelHandle adapter = host_.adapter()) {
        const ZelApi& api = host_.api();
        api.ZelQueryRssiStat(adapter, &rssi);
        measured = api.ZelQueryStatistics(adapter, &reading) == 0;
        api.ZelQueryBeaconStatistics(adapter, &beacons);
    }
    const NDIS_802_11_STATISTICS s = baselines_.apply(reading, measured);
    stats::showValues(ui(), stats::transmitTable(), stats::transmitValues(s));
    stats::showValues(
        ui(), receiveTable(),
        {
            {counterText(s.ReceivedFragmentCount + s.MulticastReceivedFrameCount),
             counterText(s.FCSErrorCount)},
            {counterText(s.ReceivedFragmentCount), fcsPerSecond(s.FCSErrorCount)},
            {counterText(s.MulticastReceivedFrameCount), counterText(beacons.Received)},
            {counterText(s.FrameDuplicateCount), counterText(beacons.Lost)},
        });
    stats::showValues(ui(), rssiTable(),
                      {
                          {counterText(rssi.Bucket[0]), counterText(rssi.Bucket[2])},
                          {counterText(rssi.Bucket[1]), counterText(rssi.Bucket[3])},
                      });
}

std::string CDetailStatistics::fcsPerSecond(uint64_t fcsErrors) {
    const uint64_t previous = previousFcsErrors_;
    previousFcsErrors_ = fcsErrors;
    return fcsErrors > previous ? counterText(fcsErrors - previous) : "0";
}
