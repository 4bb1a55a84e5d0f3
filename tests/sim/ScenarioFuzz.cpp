// libFuzzer target: arbitrary bytes as a scenario file. Text that parses becomes the
// world of a card that then scans, writes both scan list layouts and tries to join its
// first network, so that every scenario the parser takes is one the card can live in.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "sim/NativeCard.h"
#include "sim/Scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<sim::ScenarioError> errors;
    const std::optional<sim::Scenario> scenario = sim::parseScenario(text, errors);
    if (!scenario) return 0;

    sim::NativeCard card(text);
    const ZelApi& api = card.api();
    ZelHandle handle = nullptr;
    if (api.ZelOpenAdapter(&handle) != 0) return 0;
    api.ZelScan(handle);
    std::vector<uint8_t> buffer(kScanListBufferSize);
    api.ZelQueryScanList(handle, buffer.data(), kScanListBufferSize);
    uint32_t written = 0;
    api.ZelQueryScanListLength(handle, buffer.data(), kScanListBufferSize, &written);
    if (!scenario->networks.empty()) {
        const std::string& ssid = scenario->networks.front().ssid;
        api.ZelSetSsid(handle, ssid.data(), static_cast<uint32_t>(ssid.size()), 0);
        card.advance(60000);
    }
    return 0;
}
