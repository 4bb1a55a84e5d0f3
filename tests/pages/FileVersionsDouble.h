// A stand-in for the program's files on the About page: the versions and dates the test
// gives, and the files the page asked about.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "pages/FileVersions.h"

class FakeFileVersions final : public FileVersions {
public:
    std::string programPath() const override { return path; }
    std::string executableName() const override { return name; }
    std::optional<ProductVersion> productVersion(const std::string& fileName) override {
        asked.push_back(fileName);
        const auto found = versions.find(fileName);
        if (found == versions.end()) return std::nullopt;
        return found->second;
    }
    std::optional<FileDate> lastWriteDate(const std::string& file) override {
        const auto found = dates.find(file);
        if (found == dates.end()) return std::nullopt;
        return found->second;
    }

    std::string path = "C:\\PROGRAM FILES\\VORNAX\\TOVIX.EXE";
    std::string name = "Tovix";
    std::map<std::string, ProductVersion> versions;
    std::map<std::string, FileDate> dates;
    std::vector<std::string> asked;
};
