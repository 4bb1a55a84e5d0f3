// How long one refresh of the Network Status page keeps the window thread busy, with the
// card connected: the page on the program's own template with its real graphs, level bar
// and IP helper lookups, over Tovix.dll. Prints the figures; run it under Wine, and through
// MainPageInterface.sh to include an interface that the IP helper finds.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "adapter/ZelShared.h"
#include "controls/win32/LevelBar.h"
#include "framework/win32/Win32Host.h"
#include "tests/pages/MainPageWin32World.h"

namespace {

using mainpage_win32::pumpFor;
using mainpage_win32::Win32World;

constexpr int kTicks = 400;

double microseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) * 1e6 / double(frequency.QuadPart);
}

// The median and the mean of `samples`, in microseconds, on one line.
void report(const char* what, std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    double sum = 0;
    for (double sample : samples) sum += sample;
    std::printf("%-44s median %7.1f us  mean %7.1f us  90%% %7.1f us  (%zu runs)\n", what,
                samples[samples.size() / 2], sum / samples.size(), samples[samples.size() * 9 / 10],
                samples.size());
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    registerLevelBarClass();

    Win32World world(kCard + kNetworks);
    if (!world.ready()) {
        std::fprintf(stderr, "Tovix.dll did not load\n");
        return 1;
    }
    CardHost host(world.api(), [] { return static_cast<uint32_t>(GetTickCount()); });
    host.open();
    Profile* home = host.addProfile(homeProfile());
    host.connectProfile(home);
    pumpFor(1000);

    CMainPage page(host, *world.platform());
    fw::Sheet sheet("VORNAX TX-LM70RDV Utility", fw::Sheet::Mode::Modeless);
    sheet.addPage(page);
    world.windows().host().createSheet(sheet, nullptr);
    host.reportEvent(page, zel::EventAssociated);
    const HWND window = fw::Win32Host::windowOf(page);
    if (page.ui().text(IDC_STATUS_TEXT) != "Connected") {
        std::fprintf(stderr, "the card did not connect\n");
        return 1;
    }

    // Each refresh a few milliseconds after the last, so that each one computes rates.
    std::vector<double> ticks;
    for (int i = 0; i < kTicks + 20; ++i) {
        pumpFor(3);
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        SendMessageA(window, WM_TIMER, CMainPage::kTimer, 0);
        QueryPerformanceCounter(&end);
        if (i >= 20) ticks.push_back(microseconds(start, end));
    }
    // What the sampler's thread does for each reading, off the window thread.
    Win32IpHelper helper;
    MacAddress mac{};
    world.api().ZelGetMacAddress(host.adapter(), mac.data(), 6);
    std::vector<double> readings;
    for (int i = 0; i < kTicks / 4; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        readInterface(helper, mac, [] { return static_cast<uint32_t>(GetTickCount()); });
        QueryPerformanceCounter(&end);
        readings.push_back(microseconds(start, end));
    }

    std::printf("card's interface %s by the IP helper functions; IP address \"%s\"\n",
                helper.findInterface(mac) ? "listed" : "not listed",
                page.ui().text(IDC_STATUS_IP_ADDRESS).c_str());
    report("one refresh of the page (window thread)", ticks);
    report("one interface reading (sampler's thread)", readings);
    return 0;
}
