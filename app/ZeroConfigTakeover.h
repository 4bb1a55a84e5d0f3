// Windows XP's wireless Zero Configuration service and this program both want to
// configure the card; at start-up the program takes the card from the service.
#pragma once

#include "adapter/ZelApi.h"

namespace app {

// Stops the service, clears the card's Zero Configuration flag and starts the service
// again. Without the service, or when it cannot be controlled, nothing changes.
void takeCardFromZeroConfiguration(const ZelApi& adapter);

}  // namespace app
