#include "system/OsKind.h"

namespace sys {

OsKind classifyOs(uint32_t platformId, uint32_t majorVersion, uint32_t minorVersion) {
    if (platformId == kPlatformWin9x) return OsWin9x;
    if (platformId != kPlatformNt) return OsUnsupported;
    if (majorVersion == 5) return minorVersion == 1 ? OsWinXp : OsWin2000;
    if (majorVersion == 4 && minorVersion == 0) return OsWinNt4;
    return OsUnsupported;
}

}  // namespace sys
