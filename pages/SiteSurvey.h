// The Site Survey page: scans, filters and lists the networks in range and joins one.
#pragma once

#include "pages/ZelPage.h"
#include "res/resource.h"

class CSiteSurvey : public CZelPage {
public:
    CSiteSurvey() : CZelPage(IDD_SITE_SURVEY, "Site Survey") {}
};
