// The program's own path, read the way start-up reads it.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "app/ModulePath.h"
#include "app/ProgramPaths.h"
#include "tests/support/win32/ProgramDriver.h"

namespace {

TEST(ModulePath, IsThisProgramsFullPathInUpperCase) {
    const std::optional<std::string> path = app::upperCaseModulePath();
    ASSERT_TRUE(path);
    const std::string name = "\\APP_WIN32.EXE";
    ASSERT_GT(path->size(), name.size());
    EXPECT_EQ(path->substr(path->size() - name.size()), name);
    EXPECT_TRUE(std::none_of(path->begin(), path->end(),
                             [](char c) { return std::islower(static_cast<unsigned char>(c)); }));
    EXPECT_NE(GetFileAttributesA(path->c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(ModulePath, APathThatDoesNotFitFailsInsteadOfBeingCut) {
    const std::optional<std::string> path = app::upperCaseModulePath();
    ASSERT_TRUE(path);
    const DWORD length = static_cast<DWORD>(path->size());
    EXPECT_FALSE(app::upperCaseModulePath(length));  // no room for the terminator
    EXPECT_FALSE(app::upperCaseModulePath(10));
    EXPECT_EQ(app::upperCaseModulePath(length + 1), path);
}

TEST(ModulePath, TheProgramFilesLieBesideTheProgramWhateverTheCurrentFolder) {
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    program_driver::ScratchFolder elsewhere;
    ASSERT_TRUE(SetCurrentDirectoryA(elsewhere.path().c_str()));

    const app::ProgramPaths paths =
        app::programPaths(*app::upperCaseModulePath(), app::isAnsiLeadByte);
    const std::string folder = program_driver::ownFolder();
    EXPECT_EQ(lstrcmpiA(paths.profilePath.c_str(), (folder + "Data.cfg").c_str()), 0)
        << paths.profilePath;
    EXPECT_EQ(lstrcmpiA(paths.settingsPath.c_str(), (folder + "Tovix.ini").c_str()), 0)
        << paths.settingsPath;
    EXPECT_EQ(paths.settingsPath.substr(paths.settingsPath.size() - 9), "Tovix.ini");

    SetCurrentDirectoryA(previous);
}

}  // namespace
