#include <windows.h>

#include <string>

#include "profiles/FileReplace.h"

bool pathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

NewFile writeNewFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
                       GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES
                   ? NewFile::Taken
                   : NewFile::Failed;
    }
    DWORD written = 0;
    const bool whole =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && FlushFileBuffers(file);
    if (CloseHandle(file) && whole) return NewFile::Written;
    DeleteFileA(path.c_str());
    return NewFile::Failed;
}

// The C library's rename fails on Windows when the target exists; MoveFileEx replaces
// it. Windows 9x lacks MoveFileEx: there the old file steps aside under a free name, the
// new one takes its place, and only then is the old one deleted (or, when the new one
// could not take its place, put back).
bool replaceFile(const std::string& source, const std::string& target) {
    if (MoveFileExA(source.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
    if (!pathExists(target)) return moveFile(source, target);
    for (int n = 1; n < 100; ++n) {
        const std::string aside = target + ".old" + std::to_string(n);
        if (!moveFile(target, aside)) {
            if (pathExists(aside)) continue;
            return false;
        }
        if (!moveFile(source, target)) {
            moveFile(aside, target);
            return false;
        }
        DeleteFileA(aside.c_str());
        return true;
    }
    return false;
}

bool removeFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

// MoveFile never replaces an existing file, on every system.
bool moveFile(const std::string& source, const std::string& target) {
    return MoveFileA(source.c_str(), target.c_str()) != 0;
}
