// An in-memory settings store that reads numbers the way the private-profile integer
// read does: leading blanks, an optional sign, then decimal digits up to the first other
// character, wrapping at 32 bits; text without digits reads 0, a blank value the fallback.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "system/Settings.h"

class MemorySettingsStore : public sys::SettingsStore {
public:
    int readInt(const char* section, const char* key, int fallback) const override {
        const auto found = values_.find({section, key});
        if (found == values_.end()) return fallback;
        const std::string& text = found->second;
        std::string::size_type i = text.find_first_not_of(" \t");
        if (i == std::string::npos) return fallback;
        const bool negative = text[i] == '-';
        if (text[i] == '-' || text[i] == '+') ++i;
        uint32_t value = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            value = value * 10 + static_cast<uint32_t>(text[i] - '0');
        }
        return static_cast<int>(negative ? 0u - value : value);
    }

    bool writeText(const char* section, const char* key, const char* text) override {
        if (failWrites_) return false;
        values_[{section, key}] = text;
        return true;
    }

    // The stored text, empty when the key is missing.
    std::string text(const char* section, const char* key) const {
        const auto found = values_.find({section, key});
        return found == values_.end() ? std::string() : found->second;
    }

    void failWrites() { failWrites_ = true; }

private:
    std::map<std::pair<std::string, std::string>, std::string> values_;
    bool failWrites_ = false;
};
