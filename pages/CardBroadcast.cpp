#include "pages/CardBroadcast.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string>

#include "adapter/ZelShared.h"

bool namesThisCard(const fw::Message& broadcast, sys::OsKind osKind) {
    const fw::DeviceKind wanted =
        osKind == sys::OsWin9x ? fw::DeviceKind::Node : fw::DeviceKind::Interface;
    if (broadcast.message != fw::msg::DeviceChange || broadcast.deviceKind != wanted) return false;
    std::string device = broadcast.device;
    std::transform(device.begin(), device.end(), device.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return std::any_of(std::begin(zel::kHardwareIds), std::end(zel::kHardwareIds),
                       [&](const char* id) { return device.find(id) != std::string::npos; });
}
