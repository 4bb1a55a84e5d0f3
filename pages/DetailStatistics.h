// The detailed Statistics page, which the settings file can choose instead of the standard one.
#pragma once

#include "pages/ZelPage.h"
#include "res/resource.h"

class CDetailStatistics : public CZelPage {
public:
    CDetailStatistics() : CZelPage(IDD_DETAIL_STATISTICS, "Statistics") {}
};
