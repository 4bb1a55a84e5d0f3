// The standard Statistics page: the driver's transmit and receive counters and the signal.
#pragma once

#include "pages/ZelPage.h"
#include "res/resource.h"

class CStatistics : public CZelPage {
public:
    CStatistics() : CZelPage(IDD_STATISTICS, "Statistics") {}
};
