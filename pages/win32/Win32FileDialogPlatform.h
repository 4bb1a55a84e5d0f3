// The standard open and save dialogs of comdlg32, in the structure size that every
// Windows the program runs on accepts (Windows 9x and NT 4 refuse the larger one).
#pragma once

#include "pages/FileDialogPlatform.h"

class Win32FileDialogPlatform final : public FileDialogPlatform {
public:
    std::optional<std::string> chooseFile(const fw::Dialog& owner,
                                          const FileDialogRequest& request) override;
};
