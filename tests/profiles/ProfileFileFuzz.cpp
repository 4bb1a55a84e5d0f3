// libFuzzer target: arbitrary bytes as a profile file. Every loaded record must have
// its texts ended inside their fields, and encoding the result must decode to itself.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "profiles/ProfileFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ProfileList list;
    decodeProfiles(std::vector<uint8_t>(data, data + size), list);
    for (const auto& profile : list) {
        if (std::strlen(profile->name) >= kNameSize || std::strlen(profile->ssid) >= kSsidSize ||
            std::strlen(profile->psk) >= kPskSize || profile->pskLength > kMaxPskLength) {
            std::abort();
        }
    }
    ProfileList again;
    if (decodeProfiles(encodeProfiles(list, SaveScope::Everything), again) != LoadStatus::Loaded ||
        again.size() != list.size()) {
        std::abort();
    }
    for (size_t i = 0; i < list.size(); ++i) {
        if (std::memcmp(list.at(i), again.at(i), sizeof(Profile)) != 0) std::abort();
    }
    return 0;
}
