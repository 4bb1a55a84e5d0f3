// The IP helper functions behind IpHelper: GetAdaptersInfo and GetIfEntry.
#pragma once

#include "pages/IpHelper.h"

class Win32IpHelper final : public IpHelper {
public:
    std::optional<CardInterface> findInterface(const MacAddress& mac) override;
    std::optional<OctetCounters> readCounters(uint32_t index, const MacAddress& mac) override;
};
