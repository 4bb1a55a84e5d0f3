// The running program's own path.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace app {

// The program file's full path in upper case; nullopt when it cannot be read or does not
// fit in `capacity` characters.
std::optional<std::string> upperCaseModulePath(DWORD capacity = MAX_PATH);

// Whether `byte` opens a two-byte character of the system's ANSI code page.
bool isAnsiLeadByte(unsigned char byte);

}  // namespace app
