#include "pages/win32/Win32FileDialogPlatform.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "framework/win32/Win32Host.h"

namespace {

DWORD systemOptions(unsigned options) {
    static const struct {
        unsigned option;
        DWORD flag;
    } kFlags[] = {
        {fd::FileMustExist, OFN_FILEMUSTEXIST},       {fd::PathMustExist, OFN_PATHMUSTEXIST},
        {fd::OverwritePrompt, OFN_OVERWRITEPROMPT},   {fd::HideReadOnly, OFN_HIDEREADONLY},
        {fd::NoReadOnlyReturn, OFN_NOREADONLYRETURN},
    };
    DWORD flags = OFN_EXPLORER;
    for (const auto& entry : kFlags) {
        if ((options & entry.option) != 0) flags |= entry.flag;
    }
    return flags;
}

}  // namespace

std::optional<std::string> Win32FileDialogPlatform::chooseFile(const fw::Dialog& owner,
                                                               const FileDialogRequest& request) {
    // The filter's separators become the zeros the system reads, ending in two zeros.
    std::vector<char> filter(request.filter.begin(), request.filter.end());
    std::replace(filter.begin(), filter.end(), '|', '\0');
    filter.push_back('\0');
    filter.push_back('\0');
    std::vector<char> path(MAX_PATH * 4, '\0');

    OPENFILENAMEA dialog = {};
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    const HWND window = fw::Win32Host::windowOf(owner);
    dialog.hwndOwner = window ? GetAncestor(window, GA_ROOT) : nullptr;
    dialog.lpstrFilter = filter.data();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrDefExt =
        request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    dialog.Flags = systemOptions(request.options);
    const BOOL chosen = request.kind == FileDialogRequest::Kind::Open ? GetOpenFileNameA(&dialog)
                                                                      : GetSaveFileNameA(&dialog);
    if (!chosen) return std::nullopt;
    return std::string(path.data());
}
