#include "pages/Statistics.h"

#include "pages/MainPageRules.h"

namespace {

const stats::Table& receiveTable() {
    static const stats::Table table{IDC_STATS_RECEIVE,
                                    {{"Total Packet", "Duplicate Frame"},
                                     {"Unicast Packet", "Received Beacons"},
                                     {"Multicast Packet", "Beacon Loss"}}};
    return table;
}

stats::Values receiveValues(const NDIS_802_11_STATISTICS& s, const ZEL_BEACON_STATS& beacons) {
    using stats::counterText;
    return {
        {counterText(s.ReceivedFragmentCount + s.MulticastReceivedFrameCount),
         counterText(s.FrameDuplicateCount)},
        {counterText(s.ReceivedFragmentCount), counterText(beacons.Received)},
        {counterText(s.MulticastReceivedFrameCount), counterText(beacons.Lost)},
    };
}

}  // namespace

const fw::MessageEntry<CStatistics> CStatistics::kMap[] = {
    fw::onTimer(stats::kTimer, &CStatistics::onTimer),
};

CStatistics::CStatistics(StatisticsHost& host)
    : CZelPage(IDD_STATISTICS, "Statistics"), host_(host) {}

bool CStatistics::onPageMessage(const fw::Message& m) { return fw::dispatch(*this, kMap, m); }

bool CStatistics::onInit() {
    for (const stats::Table* table : {&stats::transmitTable(), &receiveTable()}) {
        stats::setUpTable(ui(), *table);
    }
    ui().setRange(IDC_STATS_SIGNAL, 0, kSignalLevelMax);
    ui().show(IDC_STATS_RESET, false);
    ui().enable(IDC_STATS_RESET, false);
    return true;
}

void CStatistics::onSetActive() {
    signal_.clear();
    paused_ = false;
    ui().setTimer(stats::kTimer, stats::kTimerMs);
    tick();
}

bool CStatistics::onKillActive() {
    ui().killTimer(stats::kTimer);
    return true;
}

void CStatistics::setRadioState(bool on) { paused_ = !on; }

void CStatistics::onTimer(const fw::Message&) { tick(); }

void CStatistics::tick() {
    const ZelHandle adapter = host_.adapter();
    const ConnectionState link = host_.connection();
    if (!adapter || !(link.connected || link.adHocActive)) {
        // The tables keep what they showed last.
        ui().setPos(IDC_STATS_SIGNAL, 0);
        ui().setIcon(IDC_STATS_LINK_ICON, IDI_NO_LINK);
        signal_.clear();
        return;
    }
    if (paused_) return;

    const ZelApi& api = host_.api();
    int32_t rssi = 0;
    if (api.ZelQueryRssi(adapter, &rssi) == 0) ui().setPos(IDC_STATS_SIGNAL, signal_.add(rssi));
    ui().setIcon(IDC_STATS_LINK_ICON, status::linkIcon(link.currentWirelessMode));

    NDIS_802_11_STATISTICS statistics{};
    ZEL_BEACON_STATS beacons{};
    api.ZelQueryStatistics(adapter, &statistics);
    api.ZelQueryBeaconStatistics(adapter, &beacons);
    stats::showValues(ui(), stats::transmitTable(), stats::transmitValues(statistics));
    stats::showValues(ui(), receiveTable(), receiveValues(statistics, beacons));
}
