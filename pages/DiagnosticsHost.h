// What the engineering pages (Debug and Test) need of the main window: the card, the
// settings file, and the two switches the main window keeps for the other pages.
#pragma once

#include "adapter/ZelApi.h"
#include "system/Settings.h"

class DiagnosticsHost {
public:
    virtual ~DiagnosticsHost() = default;

    // The adapter library, and the adapter handle (null while no card is open).
    virtual const ZelApi& api() const = 0;
    virtual ZelHandle adapter() const = 0;
    virtual sys::Settings& settings() = 0;

    // The Network Status page shows the link speed of each second ("RefreshRatePS").
    virtual bool refreshRateEverySecond() const = 0;
    virtual void setRefreshRateEverySecond(bool on) = 0;
    // The trace switch ("Trace").
    virtual bool trace() const = 0;
    virtual void setTrace(bool on) = 0;
};
