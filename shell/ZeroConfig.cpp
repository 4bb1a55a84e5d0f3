#include "shell/ZeroConfig.h"

#include <cstdlib>
#include <optional>
#include <string>

namespace shell {
namespace {

constexpr uint32_t kRegistryPathSize = 400;
constexpr uint32_t kInstanceIdSize = 100;
// A 32-bit number in decimal, with its terminating zero.
constexpr uint32_t kNumberSize = 16;

// The library's text in `buffer`, cut to end inside it.
std::string textOf(char* buffer, uint32_t size) {
    buffer[size - 1] = '\0';
    return buffer;
}

std::optional<std::string> registryPath(const ZelApi& api) {
    ZelHandle adapter = nullptr;
    api.ZelOpenAdapter(&adapter);
    if (adapter == nullptr) return std::nullopt;
    char path[kRegistryPathSize] = {};
    const int32_t result = api.ZelQueryRegistryPath(adapter, path, sizeof path);
    api.ZelCloseAdapter(&adapter);
    if (result != 0) return std::nullopt;
    return textOf(path, sizeof path);
}

// A registry value that the library reads as text.
std::optional<std::string> registryText(const ZelApi& api, const std::string& key, const char* name,
                                        char* buffer, uint32_t size) {
    if (api.ZelQueryRegistry(key.c_str(), name, buffer, size) != 0) return std::nullopt;
    return textOf(buffer, size);
}

// A whole decimal number of 32 bits, nothing else.
std::optional<uint32_t> parseNumber(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
    if (text.size() > 10 || value > UINT32_MAX) return std::nullopt;
    return static_cast<uint32_t>(value);
}

}  // namespace

bool clearZeroConfigFlag(const ZelApi& api) {
    const std::optional<std::string> driverKey = registryPath(api);
    if (!driverKey) return false;
    char instance[kInstanceIdSize] = {};
    const std::optional<std::string> instanceId =
        registryText(api, *driverKey, "NetCfgInstanceId", instance, sizeof instance);
    if (!instanceId) return false;

    const std::string interfaceKey = kZeroConfigInterfacesKey + *instanceId;
    char number[kNumberSize] = {};
    const std::optional<std::string> text =
        registryText(api, interfaceKey, "ControlFlags", number, sizeof number);
    const std::optional<uint32_t> flags = text ? parseNumber(*text) : std::nullopt;
    if (!flags) return false;
    return api.ZelSetRegistry(interfaceKey.c_str(), "ControlFlags",
                              *flags & ~kZeroConfigControlFlag) == 0;
}

}  // namespace shell
