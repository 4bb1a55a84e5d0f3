#include <windows.h>

#include "profiles/FileReplace.h"

bool pathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The C library's rename fails on Windows when the target exists; MoveFileEx replaces
// it. Windows 9x lacks MoveFileEx: there the old file is deleted first, which is the
// closest that system offers.
bool replaceFile(const std::string& source, const std::string& target) {
    if (MoveFileExA(source.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
    if (!DeleteFileA(target.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) return false;
    return MoveFileA(source.c_str(), target.c_str()) != 0;
}

// MoveFile never replaces an existing file, on every system.
bool moveFile(const std::string& source, const std::string& target) {
    return MoveFileA(source.c_str(), target.c_str()) != 0;
}
