// The Network Status page: the link, the signal, the IP configuration and the throughput.
#pragma once

#include "pages/ZelPage.h"
#include "res/resource.h"

class CMainPage : public CZelPage {
public:
    CMainPage() : CZelPage(IDD_NETWORK_STATUS, "Network Status") {}
};
