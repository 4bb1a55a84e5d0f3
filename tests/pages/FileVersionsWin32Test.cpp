// The About page's files through the system: the version resource of this program (the
// program's own resources, linked in), and the dates of files the test writes.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "TovixVersion.h"
#include "pages/win32/Win32FileVersions.h"

namespace {

class FileVersionsWin32 : public testing::Test {
protected:
    void SetUp() override {
        char folder[MAX_PATH];
        GetTempPathA(sizeof folder, folder);
        file_ = std::string(folder) + "tovix-date-" + std::to_string(GetCurrentProcessId());
        const HANDLE handle =
            CreateFileA(file_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE);
        CloseHandle(handle);
    }
    void TearDown() override { DeleteFileA(file_.c_str()); }

    // Gives the file a last write at `local`, a time of the local calendar.
    void writtenAt(const SYSTEMTIME& local) {
        FILETIME localTime = {};
        FILETIME time = {};
        ASSERT_TRUE(SystemTimeToFileTime(&local, &localTime));
        ASSERT_TRUE(LocalFileTimeToFileTime(&localTime, &time));
        const HANDLE handle =
            CreateFileA(file_.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE);
        EXPECT_TRUE(SetFileTime(handle, nullptr, nullptr, &time));
        CloseHandle(handle);
    }

    Win32FileVersions files_;
    std::string file_;
};

TEST_F(FileVersionsWin32, TheProgramIsNamedByItsFileWithoutFolderAndExtension) {
    const std::string path = files_.programPath();
    const std::string name = files_.executableName();
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(name.find_first_of("\\/."), std::string::npos) << name;
    EXPECT_EQ(path.substr(path.size() - name.size() - 4), name + ".exe");
}

TEST_F(FileVersionsWin32, TheProgramsOwnVersionResourceGivesTheProductsVersion) {
    const std::optional<ProductVersion> version =
        files_.productVersion(files_.executableName() + ".exe");
    ASSERT_TRUE(version);
    EXPECT_EQ(*version, (ProductVersion{TOVIX_VERSION_MAJOR, TOVIX_VERSION_MINOR,
                                        TOVIX_VERSION_PATCH, TOVIX_VERSION_TWEAK}));
}

TEST_F(FileVersionsWin32, FilesWithoutAVersionResourceHaveNone) {
    EXPECT_FALSE(files_.productVersion("NoSuchLibrary.dll"));
    EXPECT_FALSE(files_.productVersion(file_));
}

TEST_F(FileVersionsWin32, TheDateIsTheLastWriteOnTheLocalCalendar) {
    struct Case {
        WORD year, month, day, hour;
    };
    // Late and early hours: the date is the local one whatever the time zone.
    for (const Case& c : {Case{2005, 3, 7, 12}, Case{2005, 3, 7, 23}, Case{1999, 12, 31, 0},
                          Case{2010, 11, 2, 1}}) {
        SYSTEMTIME local = {};
        local.wYear = c.year;
        local.wMonth = c.month;
        local.wDay = c.day;
        local.wHour = c.hour;
        writtenAt(local);
        const std::optional<FileDate> date = files_.lastWriteDate(file_);
        ASSERT_TRUE(date);
        EXPECT_EQ(date->month, c.month);
        EXPECT_EQ(date->day, c.day);
        EXPECT_EQ(date->year, c.year);
    }
    EXPECT_FALSE(files_.lastWriteDate(file_ + ".missing"));
    EXPECT_FALSE(files_.lastWriteDate(file_ + "*"));
}

}  // namespace
