// Which family of Windows the program runs on, from the system's version record.
#pragma once

#include <cstdint>

namespace sys {

enum OsKind : int {
    OsUnsupported = -1,
    OsWinXp = 0,    // NT 5.1
    OsWin2000 = 1,  // NT 5.x other than 5.1 (5.0, Server 2003's 5.2)
    OsWinNt4 = 2,   // NT 4.0
    OsWin9x = 3,    // Windows 95, 98 and Me, any version
};

// Platform ids of the version record.
constexpr uint32_t kPlatformWin9x = 1;  // VER_PLATFORM_WIN32_WINDOWS
constexpr uint32_t kPlatformNt = 2;     // VER_PLATFORM_WIN32_NT

OsKind classifyOs(uint32_t platformId, uint32_t majorVersion, uint32_t minorVersion);

}  // namespace sys
