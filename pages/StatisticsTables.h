// What the standard and the detailed Statistics page share: what they need of the main
// window, their refresh timer, the counter texts and the tables that show the driver's
// counters.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "adapter/ZelApi.h"
#include "framework/Surface.h"
#include "profiles/ConnectionMonitor.h"

namespace stats {

// Both pages refresh themselves on this timer while they are visible; the detailed page
// goes on while it is hidden.
constexpr int kTimer = 8192;
constexpr unsigned kTimerMs = 1000;

// A counter as the pages show it: its low 32 bits, unsigned and in decimal.
std::string counterText(uint64_t value);

// The fixed labels of a table row, in columns 0 and 2 (empty: none).
struct RowLabels {
    const char* left;
    const char* right;
};
// What a row shows in columns 1 and 3.
struct RowValues {
    std::string left;
    std::string right;
};
using Values = std::vector<RowValues>;

// A table: a list view of four equal columns headed "Element", "Data", "Element", "Data",
// with the labels of its rows.
struct Table {
    int id;
    std::vector<RowLabels> rows;
};

// Gives the list view of `table` its columns, each a quarter of its client width less
// one pixel, and its rows with their labels and no values.
void setUpTable(fw::Surface& ui, const Table& table);
// Shows `values` in the value columns, row by row; a cell that already shows its text is
// left alone.
void showValues(fw::Surface& ui, const Table& table, const Values& values);

// The transmit table (both pages) and its values.
const Table& transmitTable();
Values transmitValues(const NDIS_802_11_STATISTICS& statistics);

}  // namespace stats

// What the Statistics pages need of the main window that owns the card.
class StatisticsHost {
public:
    virtual ~StatisticsHost() = default;

    // The adapter library, and the adapter handle (null while no card is open).
    virtual const ZelApi& api() const = 0;
    virtual ZelHandle adapter() const = 0;
    // A copy of the connection state block.
    virtual ConnectionState connection() const = 0;
};
