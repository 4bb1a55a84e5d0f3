// Micro-benchmarks of the portable code (Google Benchmark): decoding a full scan list set
// beside the time the machine's memory takes to read the same bytes, loading and saving
// the profile file, and one refresh of the Network Status page with the card connected.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "adapter/ZelShared.h"
#include "framework/Sheet.h"
#include "profiles/ProfileFile.h"
#include "sim/NativeCard.h"
#include "tests/adapter/ScanListBuilder.h"
#include "tests/pages/MainPageBench.h"
#include "tests/pages/MainPageSuite.h"
#include "tests/support/BackEnd.h"

namespace {

// Each benchmark's repetitions give their minimum and maximum beside the median.
void minimumAndMaximum(benchmark::internal::Benchmark* b) {
    b->ComputeStatistics(
        "min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
    b->ComputeStatistics(
        "max", [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); });
}

// A list as full as the driver's buffer allows: records with an RSN element, a rates
// element and a vendor element, in the layout of ZelQueryScanListLength.
std::vector<uint8_t> fullScanList() {
    const std::vector<uint8_t> rsn = {1,    0, 0x00, 0x0F, 0xAC, 4,    1,    0, 0x00, 0x0F,
                                      0xAC, 4, 1,    0,    0x00, 0x0F, 0xAC, 2, 0,    0};
    std::vector<scantest::Network> networks;
    size_t bytes = 4;
    for (int i = 0;; ++i) {
        scantest::Network n;
        n.bssid = {0x00, 0x14, 0xBF, 0x3C, static_cast<uint8_t>(i >> 8), static_cast<uint8_t>(i)};
        n.ssid = "Network " + std::to_string(i);
        n.privacy = i % 3 != 0;
        n.rssi = -40 - i % 50;
        n.frequencyKhz = i % 4 == 0 ? 5745000 : 2412000 + 5000 * (i % 11);
        n.infrastructureMode = i % 5 != 0;
        n.rates = {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24};
        n.elements = scantest::element(0x30, rsn);
        const auto rates = scantest::element(1, {0x82, 0x84, 0x8B, 0x96});
        const auto vendor = scantest::element(0xDD, {0x00, 0x50, 0xF2, 0x02, 0x01, 0x01, 0x00});
        n.elements.insert(n.elements.end(), rates.begin(), rates.end());
        n.elements.insert(n.elements.end(), vendor.begin(), vendor.end());
        const size_t size = scantest::record(n, scan::Layout::ScanListLength).size();
        if (bytes + size > kScanListBufferSize) break;
        bytes += size;
        networks.push_back(n);
    }
    return scantest::scanList(networks, scan::Layout::ScanListLength);
}

const std::vector<uint8_t>& scanBytes() {
    static const std::vector<uint8_t> bytes = fullScanList();
    return bytes;
}

// Copying the list's bytes, which stay in the cache as the walk's do.
void ScanListBytesCopy(benchmark::State& state) {
    const std::vector<uint8_t>& bytes = scanBytes();
    std::vector<uint8_t> copy(bytes.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), bytes.data(), bytes.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(ScanListBytesCopy)->Apply(minimumAndMaximum);

// The machine's memory bandwidth, copying 64 MiB that no cache holds; the time shown is
// that of the list's 24,576 bytes at this rate: the bound that no walk over them beats
// once they are out of the cache. The time is counted per list, so the runs are counted.
void ScanListBytesAtMemoryBandwidth(benchmark::State& state) {
    const size_t size = size_t{64} << 20;
    std::vector<uint8_t> from(size, 1), to(size, 2);
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        std::memcpy(to.data(), from.data(), size);
        benchmark::ClobberMemory();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - begin;
        state.SetIterationTime(took.count() * kScanListBufferSize / double(size));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kScanListBufferSize));
}
BENCHMARK(ScanListBytesAtMemoryBandwidth)
    ->Apply(minimumAndMaximum)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMicrosecond);

// Visiting each record: its length and position.
void ScanListWalk(benchmark::State& state) {
    const std::vector<uint8_t>& bytes = scanBytes();
    int records = 0;
    for (auto _ : state) {
        records = 0;
        for (const scan::Entry& entry : scan::ScanList(bytes, scan::Layout::ScanListLength)) {
            benchmark::DoNotOptimize(entry);
            ++records;
        }
    }
    state.counters["records"] = records;
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(ScanListWalk)->Apply(minimumAndMaximum);

// Every field of every record, its elements walked.
void ScanListDecode(benchmark::State& state) {
    const std::vector<uint8_t>& bytes = scanBytes();
    for (auto _ : state) {
        uint64_t sum = 0;
        for (const scan::Entry& entry : scan::ScanList(bytes, scan::Layout::ScanListLength)) {
            const scan::Bssid bssid = entry.bssid();
            const std::string ssid = entry.ssid();
            sum += bssid[5] + ssid.size() + entry.privacy() + entry.band() + entry.channel() +
                   static_cast<uint32_t>(entry.signalPercent()) + entry.isAdHoc() +
                   entry.supportedRates()[0];
            for (const scan::Element& element : entry.elements()) sum += element.id;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(ScanListDecode)->Apply(minimumAndMaximum);

std::string scratchFile() {
    char path[] = "/tmp/tovix-bench-XXXXXX";
    const int fd = mkstemp(path);
    if (fd >= 0) close(fd);
    return path;
}

ProfileList someProfiles(int count) {
    ProfileList list;
    for (int i = 0; i < count; ++i) {
        Profile profile = homeProfile();
        setFieldText(profile.name, "Profile " + std::to_string(i));
        list.append(std::make_unique<Profile>(profile));
    }
    return list;
}

void ProfileSave(benchmark::State& state) {
    const std::string path = scratchFile();
    ProfileStore store(path);
    const ProfileList list = someProfiles(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(store.saveProfiles(path, list));
    std::remove(path.c_str());
}
BENCHMARK(ProfileSave)->Apply(minimumAndMaximum)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);

void ProfileLoad(benchmark::State& state) {
    const std::string path = scratchFile();
    ProfileStore store(path);
    store.saveProfiles(path, someProfiles(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        ProfileList list;
        benchmark::DoNotOptimize(store.loadProfiles(path, list));
    }
    std::remove(path.c_str());
}
BENCHMARK(ProfileLoad)->Apply(minimumAndMaximum)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);

// One timer tick of the page, connected, on the in-memory surface over the simulated card.
void NetworkStatusRefresh(benchmark::State& state) {
    sim::NativeCard card(kCard + kNetworks);
    const auto windows = fwtest::makeMemoryBackEndAdding(
        {{IDD_NETWORK_STATUS,
          {{IDC_STATUS_TX_GRAPH, fw::Kind::Unknown, false, 0, false},
           {IDC_STATUS_RX_GRAPH, fw::Kind::Unknown, false, 0, false}}}});
    RecordingPlatform platform;
    platform.clock = [&card] { return static_cast<uint32_t>(card.now()); };
    platform.ip.card = CardInterface{7, true, "10.77.0.5", "255.255.255.0", "10.77.0.1"};
    platform.ip.counters = OctetCounters{};
    platform.ip.growth = {125000, 250000};
    CardHost host(card.api(), [&card] { return static_cast<uint32_t>(card.now()); });
    host.open();
    Profile* home = host.addProfile(homeProfile());
    host.connectProfile(home);
    card.advance(1000);
    CMainPage page(host, platform);
    fw::Sheet sheet("VORNAX TX-LM70RDV Utility", fw::Sheet::Mode::Modeless);
    sheet.addPage(page);
    windows->host().createSheet(sheet, nullptr);
    host.reportEvent(page, zel::EventAssociated);
    if (page.ui().text(IDC_STATUS_TEXT) != "Connected") {
        state.SkipWithError("the card did not connect");
        return;
    }
    for (auto _ : state) {
        card.advance(1000);
        windows->user(page).fireTimer(CMainPage::kTimer);
        // The recording platform keeps every graph value; now and then they are let go.
        if (platform.transmit.values.size() > 100000) {
            platform.transmit.values.clear();
            platform.receive.values.clear();
        }
    }
}
BENCHMARK(NetworkStatusRefresh)->Apply(minimumAndMaximum)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
