// libFuzzer target: arbitrary text as the values of the settings file, one line per key
// in the order of the keys, read the way the private-profile integer read does. Every
// setting must come out as a value its readers can use.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/system/MemorySettingsStore.h"
#include "tests/system/SettingsRules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    MemorySettingsStore store;
    size_t start = 0;
    for (const sys::SettingKey& key : sys::kSettingKeys) {
        if (start > text.size()) break;
        const size_t end = std::min(text.find('\n', start), text.size());
        store.writeText(key.section, key.name, text.substr(start, end - start).c_str());
        start = end + 1;
    }
    const sys::Settings settings(store);
    for (const sys::SettingKey& key : sys::kSettingKeys) {
        if (!settings_suite::isSafe(key.setting, settings.readSetting(key.setting))) std::abort();
    }
    const sys::ChannelRange range = settings.channelRange();
    if (range.first > range.last) std::abort();
    return 0;
}
