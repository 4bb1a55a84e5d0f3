// The card and Windows XP's wireless Zero Configuration service: the service holds the
// card while bit 0x8000 of the "ControlFlags" value of the card's interface key is set.
#pragma once

#include <cstdint>

#include "adapter/ZelApi.h"

namespace shell {

constexpr uint32_t kZeroConfigControlFlag = 0x8000;
constexpr const char* kZeroConfigInterfacesKey =
    "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\";

// Takes the card from the service: opens the card just long enough to learn its driver's
// registry key, finds the card's interface from there and clears the flag, leaving the
// value's other bits as they are. The value is written only after it was read. False
// when any step failed; nothing was written then.
bool clearZeroConfigFlag(const ZelApi& api);

}  // namespace shell
