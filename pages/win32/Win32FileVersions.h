// The About page's files on Windows: version resources through the file version functions
// of version.dll, which is found when a version is first read, and file times through
// the kernel's file functions.
#pragma once

#include <windows.h>

#include "pages/FileVersions.h"

class Win32FileVersions final : public FileVersions {
public:
    Win32FileVersions() = default;
    ~Win32FileVersions() override;
    Win32FileVersions(const Win32FileVersions&) = delete;
    Win32FileVersions& operator=(const Win32FileVersions&) = delete;

    std::string programPath() const override;
    std::string executableName() const override;
    std::optional<ProductVersion> productVersion(const std::string& fileName) override;
    std::optional<FileDate> lastWriteDate(const std::string& path) override;

    // The file version functions; all null when any one is missing.
    struct Version {
        DWORD(WINAPI* infoSize)(LPCSTR, LPDWORD) = nullptr;
        BOOL(WINAPI* info)(LPCSTR, DWORD, DWORD, LPVOID) = nullptr;
        BOOL(WINAPI* queryValue)(LPCVOID, LPCSTR, LPVOID*, PUINT) = nullptr;
    };

private:
    // The functions, version.dll loaded the first time a version is read.
    const Version& version();

    bool loaded_ = false;
    HMODULE library_ = nullptr;
    Version version_;
};
