// The Admin page: exports profiles to a file and imports them from one.
#pragma once

#include "pages/ZelPage.h"
#include "res/resource.h"

class CAdminTool : public CZelPage {
public:
    CAdminTool() : CZelPage(IDD_ADMIN, "Admin") {}
};
