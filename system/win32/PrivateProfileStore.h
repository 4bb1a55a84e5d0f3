// The settings file as a private-profile (INI) file.
#pragma once

#include <string>
#include <utility>

#include "system/Settings.h"

namespace sys {

class PrivateProfileStore : public SettingsStore {
public:
    explicit PrivateProfileStore(std::string path) : path_(std::move(path)) {}

    int readInt(const char* section, const char* key, int fallback) const override;
    bool writeText(const char* section, const char* key, const char* text) override;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace sys
