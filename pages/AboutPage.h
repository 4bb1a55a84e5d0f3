// The About page: versions of the program, the library, the driver and the firmware.
#pragma once

#include "pages/ZelPage.h"
#include "res/resource.h"

class CAboutPage : public CZelPage {
public:
    CAboutPage() : CZelPage(IDD_ABOUT, "About") {}
};
