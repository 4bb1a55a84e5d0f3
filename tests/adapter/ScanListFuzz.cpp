// libFuzzer target: arbitrary bytes as the scan list of either call. Every value of
// every record and every byte of every element is read, so AddressSanitizer sees any
// read outside the data.
#include <cstddef>
#include <cstdint>

#include "adapter/ScanList.h"

namespace {

unsigned readEverything(const scan::Entry& entry) {
    unsigned sum = static_cast<unsigned>(entry.ssid().size() + entry.bssidText().size());
    sum += entry.channel() + entry.band() + entry.infrastructureMode() + entry.privacy();
    sum += static_cast<unsigned>(entry.signalPercent()) + entry.driverBand().value_or(0);
    for (const scan::Element element : entry.elements()) {
        sum += element.id;
        for (unsigned i = 0; i < element.length; ++i) sum += element.body[i];
    }
    return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    volatile unsigned sink = 0;
    for (const scan::Layout layout : {scan::Layout::ScanList, scan::Layout::ScanListLength}) {
        for (const scan::Entry entry : scan::ScanList(data, size, layout)) {
            sink = sink + readEverything(entry);
        }
    }
    // Security detection for the first record's BSSID, and for one nobody has.
    if (const auto first = scan::ScanList(data, size, scan::Layout::ScanListLength).at(0)) {
        scan::detectSecurity(data, size, first->bssid());
    }
    scan::detectSecurity(data, size, scan::Bssid{});
    return 0;
}
