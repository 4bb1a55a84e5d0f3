#include <gtest/gtest.h>

#include "app/ProgramPaths.h"

namespace {

bool noLeadBytes(unsigned char) { return false; }

// Shift-JIS lead bytes.
bool shiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

TEST(ProgramPaths, BothFilesLieInTheProgramsFolder) {
    const app::ProgramPaths paths =
        app::programPaths("C:\\PROGRAM FILES\\VORNAX\\TOVIX.EXE", noLeadBytes);
    EXPECT_EQ(paths.profilePath, "C:\\PROGRAM FILES\\VORNAX\\Data.cfg");
    EXPECT_EQ(paths.settingsPath, "C:\\PROGRAM FILES\\VORNAX\\Tovix.ini");
}

TEST(ProgramPaths, AFolderNamedLikeTheProgramIsKept) {
    const app::ProgramPaths paths =
        app::programPaths("D:\\TOVIX.EXE\\TOVIX.EXE.BAK\\TOVIX.EXE", noLeadBytes);
    EXPECT_EQ(paths.profilePath, "D:\\TOVIX.EXE\\TOVIX.EXE.BAK\\Data.cfg");
    EXPECT_EQ(paths.settingsPath, "D:\\TOVIX.EXE\\TOVIX.EXE.BAK\\Tovix.ini");
}

TEST(ProgramPaths, TheFolderEndsAtTheLastSeparatorOfEitherKind) {
    EXPECT_EQ(app::programFolder("C:\\A\\B/TOVIX.EXE", noLeadBytes), "C:\\A\\B/");
    EXPECT_EQ(app::programFolder("\\\\SERVER\\SHARE\\TOVIX.EXE", noLeadBytes),
              "\\\\SERVER\\SHARE\\");
    EXPECT_EQ(app::programFolder("C:\\", noLeadBytes), "C:\\");
    EXPECT_EQ(app::programFolder("TOVIX.EXE", noLeadBytes), "");
    EXPECT_EQ(app::programPaths("", noLeadBytes).settingsPath, "Tovix.ini");
}

TEST(ProgramPaths, ATwoByteCharacterEndingInABackslashByteIsNoSeparator) {
    // 0x95 0x5C is one Shift-JIS character whose second byte is the backslash's code.
    const std::string path = "C:\\\x95\x5C\\TOVIX.EXE";
    EXPECT_EQ(app::programFolder(path, shiftJisLeadByte), "C:\\\x95\x5C\\");
    const std::string folderEndingInTrailByte = "C:\\\x95\x5CTOVIX.EXE";
    EXPECT_EQ(app::programFolder(folderEndingInTrailByte, shiftJisLeadByte), "C:\\");
    // The same bytes without a two-byte code page: the 0x5C is a separator.
    EXPECT_EQ(app::programFolder(folderEndingInTrailByte, noLeadBytes), "C:\\\x95\x5C");
}

TEST(ProgramPaths, ALeadByteAtTheEndStaysInsideThePath) {
    EXPECT_EQ(app::programFolder("C:\\DIR\\\x95", shiftJisLeadByte), "C:\\DIR\\");
}

}  // namespace
