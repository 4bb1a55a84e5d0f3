// The About page: each time it is shown, the versions of the program and of the adapter
// control library from their version resources with the program file's date, and with a
// card the chip and firmware versions, the driver's version and date, the MAC address and
// the name of the card's region.
#pragma once

#include <cstdint>
#include <string>

#include "pages/AdapterAccess.h"
#include "pages/FileVersions.h"
#include "pages/ZelPage.h"

class CAboutPage : public CZelPage {
public:
    // The card's region comes from the connection state block.
    CAboutPage(AdapterAccess& host, FileVersions& files);

    void onSetActive() override;

private:
    // The version line of the program's file named `extension`: "1.0.0.1 (3-7-2005)".
    std::string versionLine(const std::string& extension, const std::string& date);
    // The date of the running program's file, "month-day-year"; empty when unreadable.
    std::string programDate();

    AdapterAccess& host_;
    FileVersions& files_;
};

// The name of a region code: "ETSI (Europe)"; a code not known is the United States'.
std::string regionName(uint32_t regionCode);
