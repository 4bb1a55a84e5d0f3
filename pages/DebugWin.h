// The Debug page, which the settings file switches on: registers and calibration values.
#pragma once

#include "pages/ZelPage.h"
#include "res/resource.h"

class CDebugWin : public CZelPage {
public:
    CDebugWin() : CZelPage(IDD_DEBUG, "Debug") {}
};
