// The release's installer under Wine, as an administrator runs it: silently, with a
// prepared profile file beside it or without, into Program Files or a folder of one's
// choice. The installed program starts and shows its window; the uninstaller removes
// everything the installer made and keeps the user's profiles and settings unless told to
// remove them.
#include <windows.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <memory>
#include <set>
#include <string>

#include "app/ExitCode.h"
#include "profiles/ProfileFile.h"
#include "res/resource.h"
#include "tests/support/win32/ProgramDriver.h"

namespace {

using namespace program_driver;

constexpr const char* kTitle = "VORNAX TX-LM70RDV Utility";
constexpr const char* kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tovix";
constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string shellFolder(int folder) {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The names in a folder; empty when there is no such folder.
std::set<std::string> filesIn(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = entry.cFileName;
        if (name != "." && name != "..") names.insert(name);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return names;
}

bool keyExists(const char* key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

// The program's start-up entry; empty when there is none.
std::string startupEntry() {
    HKEY handle = nullptr;
    char value[MAX_PATH] = {};
    DWORD size = sizeof value - 1;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return {};
    RegQueryValueExA(handle, kTitle, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(handle);
    return value;
}

struct Case {
    const char* what;
    const char* installOptions;  // after /S
    const char* folder;          // where the program lands; empty: Program Files\Tovix
    bool preparedProfiles;       // a Data.cfg beside the installer
    bool startup;
    bool exitBeforeUninstall;  // else the uninstaller ends the running program
    const char* uninstallOptions;
    std::set<std::string> kept;
};

const Case kCases[] = {
    {"IntoProgramFilesWithPreparedProfilesKeptAfterwards",
     "/STARTUP",
     "",
     true,
     true,
     false,
     "",
     {"Data.cfg", "Tovix.ini"}},
    {"IntoAFolderOfOnesOwnRemovedWhole",
     "/D=C:\\Tools\\Tovix",
     "C:\\Tools\\Tovix",
     false,
     false,
     true,
     "/REMOVEDATA",
     {}},
};

class Installer : public testing::TestWithParam<Case> {
protected:
    std::string folder() const {
        const std::string chosen = GetParam().folder;
        return chosen.empty() ? shellFolder(CSIDL_PROGRAM_FILES) + "\\Tovix" : chosen;
    }
    std::string menuFolder() const { return shellFolder(CSIDL_COMMON_PROGRAMS) + "\\" + kTitle; }
    // Runs a program to its end; its exit code.
    static DWORD run(const std::string& program, const std::string& arguments) {
        ProgramDriver driver;
        if (!driver.start(program, ownFolder(), arguments)) return 255;
        return driver.waitForExit().value_or(255);
    }

    ScratchFolder media;  // what the administrator hands out: the installer, a profile file
};

TEST_P(Installer, InstallsStartsAndUninstalls) {
    const Case& c = GetParam();
    const std::string setup = media.file(TOVIX_INSTALLER_NAME);
    ASSERT_TRUE(CopyFileA((ownFolder() + "..\\package\\" TOVIX_INSTALLER_NAME).c_str(),
                          setup.c_str(), FALSE));
    if (c.preparedProfiles) {
        ProfileList list;
        auto deployed = std::make_unique<Profile>(makeDefaultProfile());
        setFieldText(deployed->name, "Deployed");
        setFieldText(deployed->ssid, "VORNAX-Guest");
        list.append(std::move(deployed));
        ASSERT_TRUE(
            ProfileStore(media.file("Data.cfg")).saveProfiles(media.file("Data.cfg"), list));
    }

    // The administrator's settings: no Auto Link dialog comes up between the program and
    // the uninstaller's Exit, which the program declines while a dialog of its own is up.
    WritePrivateProfileStringA("Advanced", "AutoLink", "0", media.file("Tovix.ini").c_str());

    ASSERT_EQ(run(setup, std::string("/S ") + c.installOptions), 0u);
    const std::set<std::string> installed = {"Tovix.exe", "Tovix.dll", "Tovix.scn", "ReadMe.txt",
                                             "Uninstall.exe"};
    std::set<std::string> expected = installed;
    expected.insert("Tovix.ini");
    if (c.preparedProfiles) expected.insert("Data.cfg");
    EXPECT_EQ(filesIn(folder()), expected);
    EXPECT_EQ(filesIn(menuFolder()), (std::set<std::string>{std::string(kTitle) + ".lnk",
                                                            "Read Me.lnk", "Uninstall.lnk"}));
    EXPECT_EQ(startupEntry(), c.startup ? "\"" + folder() + "\\Tovix.exe\"" : "");
    EXPECT_TRUE(keyExists(kUninstallKey));

    // The installed program runs from its folder and keeps its files there.
    ProgramDriver program;
    ASSERT_TRUE(program.start(folder() + "\\Tovix.exe", folder()));
    const HWND sheet = program.waitForWindow(kTitle);
    ASSERT_TRUE(sheet);
    if (c.exitBeforeUninstall) {
        PostMessageA(sheet, WM_COMMAND, ID_TRAY_EXIT, 0);
        EXPECT_EQ(program.waitForExit(), static_cast<DWORD>(app::ExitNormal));
    }

    // The uninstaller hands its work to a copy of itself in the temporary folder and ends.
    EXPECT_EQ(run(folder() + "\\Uninstall.exe", std::string("/S ") + c.uninstallOptions), 0u);
    EXPECT_TRUE(waitUntil([&] { return !keyExists(kUninstallKey); }));
    EXPECT_EQ(program.waitForExit(), static_cast<DWORD>(app::ExitNormal)) << "asked to exit";
    EXPECT_TRUE(waitUntil([&] { return filesIn(folder()) == c.kept; }));
    EXPECT_EQ(filesIn(folder()), c.kept);
    EXPECT_FALSE(exists(menuFolder()));
    EXPECT_EQ(startupEntry(), "");

    if (c.preparedProfiles) {
        ProfileList saved;
        const std::string profiles = folder() + "\\Data.cfg";
        ASSERT_EQ(ProfileStore(profiles).loadProfiles(profiles, saved), LoadStatus::Loaded);
        EXPECT_NE(saved.findByName("Deployed"), nullptr) << "the prepared profiles were used";
    }
    // What the user kept goes with the folder, so that the next case starts afresh.
    for (const std::string& name : c.kept) DeleteFileA((folder() + "\\" + name).c_str());
    RemoveDirectoryA(folder().c_str());
}

INSTANTIATE_TEST_SUITE_P(Silently, Installer, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.what; });

}  // namespace
