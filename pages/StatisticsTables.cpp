#include "pages/StatisticsTables.h"

#include <algorithm>

#include "res/resource.h"

namespace stats {

std::string counterText(uint64_t value) { return std::to_string(static_cast<uint32_t>(value)); }

void setUpTable(fw::Surface& ui, const Table& table) {
    const int width = ui.clientWidth(table.id);
    for (const char* heading : {"Element", "Data", "Element", "Data"}) {
        ui.addColumn(table.id, heading, width / 4 - 1);
    }
    for (size_t row = 0; row < table.rows.size(); ++row) {
        const int index =
            ui.insertRow(table.id, static_cast<int>(row), table.rows[row].left, -1, 0);
        if (index >= 0) ui.setCell(table.id, index, 2, table.rows[row].right);
    }
}

void showValues(fw::Surface& ui, const Table& table, const Values& values) {
    const auto show = [&](int row, int column, const std::string& text) {
        if (ui.cell(table.id, row, column) != text) ui.setCell(table.id, row, column, text);
    };
    const size_t rows = std::min(values.size(), table.rows.size());
    for (size_t row = 0; row < rows; ++row) {
        show(static_cast<int>(row), 1, values[row].left);
        show(static_cast<int>(row), 3, values[row].right);
    }
}

const Table& transmitTable() {
    static const Table table{IDC_STATS_TRANSMIT,
                             {{"Total Packet", "Failed Count"},
                              {"Unicast Packet", "RTS Success"},
                              {"Multicast Packet", "RTS Failure"},
                              {"Single Retries", "ACK Error"},
                              {"Multiple Retries", ""}}};
    return table;
}

Values transmitValues(const NDIS_802_11_STATISTICS& s) {
    return {
        {counterText(s.TransmittedFragmentCount + s.MulticastTransmittedFrameCount),
         counterText(s.FailedCount)},
        {counterText(s.TransmittedFragmentCount), counterText(s.RTSSuccessCount)},
        {counterText(s.MulticastTransmittedFrameCount), counterText(s.RTSFailureCount)},
        {counterText(s.RetryCount), counterText(s.ACKFailureCount)},
        {counterText(s.MultipleRetryCount), ""},
    };
}

}  // namespace stats
