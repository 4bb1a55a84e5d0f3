// The system's standard open and save dialogs, as a page asks for them: which kind, the
// filter, the default extension and the options. The Windows layer runs the real
// dialogs; tests give a double that answers from a script.
#pragma once

#include <optional>
#include <string>

#include "framework/Dialog.h"

namespace fd {

// Options of a file dialog.
enum : unsigned {
    FileMustExist = 1u << 0,     // the user may only name a file that exists
    PathMustExist = 1u << 1,     // ... in a folder that exists
    OverwritePrompt = 1u << 2,   // naming an existing file asks before it is replaced
    HideReadOnly = 1u << 3,      // no "Open as read-only" check box
    NoReadOnlyReturn = 1u << 4,  // a read-only file cannot be chosen
};

}  // namespace fd

struct FileDialogRequest {
    enum class Kind { Open, Save };
    Kind kind = Kind::Open;
    // Pairs of description and pattern, each ended by '|', the whole ended by one more
    // '|': "cfg Files (*.cfg)|*.cfg||".
    std::string filter;
    // Appended to a file name typed without one; empty for none.
    std::string defaultExtension;
    unsigned options = 0;  // fd flags
};

class FileDialogPlatform {
public:
    virtual ~FileDialogPlatform() = default;

    // Runs the dialog modally over the top-level window of `owner`, with no file name to
    // start from; the full path of the file chosen, none when the user cancelled.
    virtual std::optional<std::string> chooseFile(const fw::Dialog& owner,
                                                  const FileDialogRequest& request) = 0;
};
