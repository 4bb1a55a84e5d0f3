// The Profile Manager's platform on Windows: the list's width, the wait cursor, and
// painting before a long call.
#pragma once

#include <windows.h>

#include "pages/ProfileManager.h"

class Win32ProfileManagerPlatform final : public ProfileManagerPlatform {
public:
    int controlWidth(const fw::Page& page, int id) override;
    void beginWait() override;
    void endWait() override;
    void showNow(fw::Page& page, unsigned milliseconds) override;

private:
    HCURSOR previousCursor_ = nullptr;
};
