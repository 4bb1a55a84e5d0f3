// The card as the main window's pages that show and set it reach it: the adapter library,
// the adapter handle and the connection state block, all the main window's.
#pragma once

#include "adapter/ZelApi.h"
#include "profiles/ConnectionMonitor.h"

class AdapterAccess {
public:
    virtual ~AdapterAccess() = default;
    virtual const ZelApi& api() const = 0;
    // Null while no card is open.
    virtual ZelHandle adapter() const = 0;
    // A copy of the connection state block.
    virtual ConnectionState connection() const = 0;
};
