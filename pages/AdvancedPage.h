// The Advanced page: the card's radio parameters, auto configuration and Auto Link.
#pragma once

#include "pages/ZelPage.h"
#include "res/resource.h"

class CAdvancedPage : public CZelPage {
public:
    CAdvancedPage() : CZelPage(IDD_ADVANCED, "Advanced") {}
};
