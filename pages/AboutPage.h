// The About page: each time it is shown, the versions of the program and of the adapter
// control library from their version resources with the program file's date, and with a
// card the chip and firmware versions, the driver's version and date, the MAC address and
// the name of the card's region.
#pragma once

#include <cstdint>
#include <string>

#include "adapter/ZelApi.h"
#include "pages/FileVersions.h"
#include "pages/ZelPage.h"
#include "profiles/ConnectionMonitor.h"

// What the About page needs of the main window.
class AboutHost {
public:
    virtual ~AboutHost() = default;
    // The adapter library, and the adapter handle (null while no card is open).
    virtual const ZelApi& api() const = 0;
    virtual ZelHandle adapter() const = 0;
    // A copy of the connection state block, which holds the card's region.
    virtual ConnectionState connection() const = 0;
};

class CAboutPage : public CZelPage {
public:
    CAboutPage(AboutHost& host, FileVersions& files);

    void onSetActive() override;

private:
    // The version line of the program's file named `extension`: "1.0.0.1 (3-7-2005)".
    std::string versionLine(const std::string& extension, const std::string& date);
    // The date of the running program's file, "month-day-year"; empty when unreadable.
    std::string programDate();

    AboutHost& host_;
    FileVersions& files_;
};

// The name of a region code: "ETSI (Europe)"; a code not known is the United States'.
std::string regionName(uint32_t regionCode);
