// The Readme page: shown while Zero Configuration holds the card, it says how to hand the
// card back. Its template holds everything it shows.
#pragma once

#include "pages/ZelPage.h"
#include "res/resource.h"

class CReadmePage : public CZelPage {
public:
    CReadmePage() : CZelPage(IDD_README, "Readme") {}
};
