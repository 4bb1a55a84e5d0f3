// What the About page reads of the program's files: the version resources of the files
// beside it and the date the running program's file was written.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// A version resource's product version: the four 16-bit parts, most significant first.
using ProductVersion = std::array<uint16_t, 4>;

// A date of the local calendar.
struct FileDate {
    int month;
    int day;
    int year;
};

class FileVersions {
public:
    virtual ~FileVersions() = default;

    // The running program's file, as its module path names it.
    virtual std::string programPath() const = 0;
    // The program's executable name: its file name without folder and extension.
    virtual std::string executableName() const = 0;
    // The product version of the file `fileName`, found as the system finds a library
    // (the program's folder first); nothing when the file or its version resource is
    // missing.
    virtual std::optional<ProductVersion> productVersion(const std::string& fileName) = 0;
    // The local date of the last write of the file at `path`; nothing when it cannot be
    // read.
    virtual std::optional<FileDate> lastWriteDate(const std::string& path) = 0;
};
