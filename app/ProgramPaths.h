// The files the program keeps beside itself, found from the program's own path so that
// the current folder never matters.
#pragma once

#include <string>

namespace app {

constexpr const char* kProfileFileName = "Data.cfg";
constexpr const char* kSettingsFileName = "Tovix.ini";

// Whether a byte opens a two-byte character of the system's ANSI code page; such a
// character's second byte may look like a backslash.
using LeadBytePredicate = bool (*)(unsigned char byte);

// The folder of `modulePath`, up to and including its last separator ('\' or '/');
// empty when the path names no folder.
std::string programFolder(const std::string& modulePath, LeadBytePredicate isLeadByte);

struct ProgramPaths {
    std::string profilePath;   // Data.cfg
    std::string settingsPath;  // Tovix.ini
};

// The two files joined to the folder of `modulePath`.
ProgramPaths programPaths(const std::string& modulePath, LeadBytePredicate isLeadByte);

}  // namespace app
