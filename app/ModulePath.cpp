#include "app/ModulePath.h"

#include <vector>

namespace app {

std::optional<std::string> upperCaseModulePath(DWORD capacity) {
    std::vector<char> buffer(capacity);
    // A path that does not fit fills the whole buffer (Windows XP leaves it unterminated).
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), capacity);
    if (length == 0 || length >= capacity) return std::nullopt;
    CharUpperBuffA(buffer.data(), length);
    return std::string(buffer.data(), length);
}

bool isAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace app
