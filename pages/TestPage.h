// The Test page, which the settings file switches on: channel range, thresholds, radar.
#pragma once

#include "pages/ZelPage.h"
#include "res/resource.h"

class CTestPage : public CZelPage {
public:
    CTestPage() : CZelPage(IDD_TEST, "Test") {}
};
