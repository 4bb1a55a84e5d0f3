// The card's scan list as the library hands it out: the list header of
// NDIS_802_11_BSSID_LIST_EX, then one record per network heard, in one of two layouts, each
// record carrying the network's beacon information elements.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sim/Scenario.h"

namespace sim {

// One network as the card heard it in its last scan.
struct HeardNetwork {
    Network network;
    int32_t rssi;
    bool ssidRevealed;  // a directed scan found the SSID that the network hides
    uint64_t timestampUs;
};

enum class ScanLayout {
    // ZelQueryScanList: NDIS_WLAN_BSSID_EX's first 112 bytes, the driver's band and
    // channel, then the elements from byte 120.
    Driver,
    // ZelQueryScanListLength: plain NDIS_WLAN_BSSID_EX with IELength at byte 112 and the
    // fixed beacon fields (timestamp, interval, capability) before the elements at 128.
    Ndis,
};

// The beacon's information elements: the Auto Link element first when the access point
// has one, then SSID, rates, channel, extended rates and the RSN or WPA element.
std::vector<uint8_t> informationElements(const HeardNetwork& heard);

// Writes the list into `buffer`; records that would not fit whole are left out. Returns
// the bytes written: at least the 4-byte header, or 0 when not even that fits.
size_t writeScanList(const std::vector<HeardNetwork>& networks, ScanLayout layout, uint8_t* buffer,
                     size_t size);

}  // namespace sim
