// The Network Status page's platform on Windows: the two throughput graph windows made
// over their placeholders, and the IP helper functions on a thread of their own.
#pragma once

#include <windows.h>

#include "controls/win32/ThroughputGraph.h"
#include "pages/MainPageHost.h"
#include "pages/win32/Win32IpHelper.h"

class Win32MainPagePlatform final : public MainPagePlatform {
public:
    void createControls(fw::Page& page) override;
    void setGraphRange(Graph graph, int lower, int upper) override;
    void addGraphValue(Graph graph, uint32_t value) override;
    void setGraphsRunning(bool running) override;
    std::optional<InterfaceReading> cardInterface(const MacAddress& mac) override {
        return interface_.latest(mac);
    }

private:
    CThroughputGraph& graph(Graph which) { return which == Graph::Transmit ? transmit_ : receive_; }

    CThroughputGraph transmit_;
    CThroughputGraph receive_;
    Win32IpHelper ipHelper_;
    // Readings at most every half second: each refresh of the page finds a fresh one.
    InterfaceSampler interface_{ipHelper_, [] { return static_cast<uint32_t>(GetTickCount()); },
                                std::chrono::milliseconds(500)};
};
