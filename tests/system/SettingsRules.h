// The settings file as the program documents it, and which values its readers can use;
// for the settings tests and the settings fuzz target.
#pragma once

#include <vector>

#include "system/Settings.h"

namespace settings_suite {

using sys::Setting;

// The settings file as the program documents it, with a legal value other than the
// default for each key.
struct DocumentedKey {
    Setting setting;
    const char* section;
    const char* name;
    int defaultValue;
    int otherValue;
};

inline const std::vector<DocumentedKey>& documentedKeys() {
    static const std::vector<DocumentedKey> keys = {
        {Setting::AutoConfiguration, "Advanced", "Auto Configuration", 1, 0},
        {Setting::AutoLink, "Advanced", "AutoLink", 1, 0},
        {Setting::BoostMode, "Advanced", "BoostMode", 1, 0},
        {Setting::FirstChan, "Advanced", "FirstChan", 1, 3},
        {Setting::LastChan, "Advanced", "LastChan", 11, 9},
        {Setting::Trace, "Debug", "Trace", 0, 1},
        {Setting::RefreshRatePS, "Debug", "RefreshRatePS", 0, 1},
        {Setting::RefreshRfCal, "Debug", "RefreshRfCal", 0, 1},
        {Setting::Statistics, "Debug", "Statistics", 0, 1},
        {Setting::DebugWin, "Debug", "DebugWin", 0, 1},
        {Setting::TestPage, "Debug", "TestPage", 0, 1},
        {Setting::WepKeyFmt, "Security", "WepKeyFmt", 0, 1},
    };
    return keys;
}

// Whether `value` is one the key's readers can use as it is.
inline bool isSafe(Setting setting, int value) {
    switch (setting) {
        case Setting::BoostMode:
            return value >= 0;
        case Setting::FirstChan:
        case Setting::LastChan:
            return value >= sys::kLowestChannel && value <= sys::kHighestChannel;
        default:
            return value == 0 || value == 1;
    }
}

}  // namespace settings_suite
