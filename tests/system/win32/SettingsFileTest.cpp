// The settings file through the system's private-profile functions and a real file.
#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "system/win32/PrivateProfileStore.h"
#include "tests/support/win32/ProgramDriver.h"
#include "tests/system/SettingsSuite.h"

namespace {

using program_driver::ScratchFolder;

class PrivateProfileEnv {
public:
    sys::SettingsStore& store() { return store_; }
    void setText(const char* section, const char* key, const std::string& text) {
        WritePrivateProfileStringA(section, key, text.c_str(), store_.path().c_str());
    }
    std::string text(const char* section, const char* key) const {
        char buffer[256] = {};
        GetPrivateProfileStringA(section, key, "", buffer, sizeof(buffer), store_.path().c_str());
        return buffer;
    }
    // A folder where the file should be cannot be written as one.
    void failWrites() {
        DeleteFileA(store_.path().c_str());
        CreateDirectoryA(store_.path().c_str(), nullptr);
    }

private:
    ScratchFolder folder_;
    sys::PrivateProfileStore store_{folder_.file("Tovix.ini")};
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(PrivateProfile, SettingsBehaviour, PrivateProfileEnv);

namespace {

struct DamagedFile {
    const char* name;
    std::string content;
};

class DamagedSettingsFile : public ::testing::TestWithParam<DamagedFile> {};

TEST_P(DamagedSettingsFile, ReadsUsableValuesAndTakesNewOnes) {
    ScratchFolder folder;
    const std::string path = folder.file("Tovix.ini");
    {
        std::ofstream file(path, std::ios::binary);
        file << GetParam().content;
    }
    sys::PrivateProfileStore store(path);
    sys::Settings settings(store);
    for (const auto& documented : settings_suite::documentedKeys()) {
        const int value = settings.readSetting(documented.setting);
        EXPECT_TRUE(settings_suite::isSafe(documented.setting, value))
            << documented.name << " read " << value;
    }
    ASSERT_TRUE(settings.writeSetting(sys::Setting::DebugWin, 1));
    ASSERT_TRUE(settings.writeSetting(sys::Setting::FirstChan, 2));
    ASSERT_TRUE(settings.writeSetting(sys::Setting::LastChan, 13));
    EXPECT_EQ(settings.readSetting(sys::Setting::DebugWin), 1);
    EXPECT_EQ(settings.channelRange(), (sys::ChannelRange{2, 13}));
}

// A literal with the zero bytes inside it.
template <size_t N>
std::string bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

std::string noise() {
    std::string bytes;
    uint32_t state = 12345;
    for (int i = 0; i < 4096; ++i) {
        state = state * 1103515245u + 12345u;
        bytes += static_cast<char>(state >> 16);
    }
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedSettingsFile,
    ::testing::Values(
        DamagedFile{"Empty", ""}, DamagedFile{"Noise", noise()},
        DamagedFile{"BrokenLines",
                    "[Advanced\nFirstChan==5\n[Debug]]\nDebugWin\n=1\n[Security]\nWepKeyFmt=7\n"},
        DamagedFile{"HugeNumber",
                    "[Advanced]\r\nFirstChan=" + std::string(100000, '9') + "\r\nLastChan=14\r\n"},
        DamagedFile{"OutOfRange",
                    "[Advanced]\nFirstChan=12\nLastChan=3\nBoostMode=-7\n[Debug]\nTrace=-1\n"},
        DamagedFile{"ByteOrderMarkThenNoise", bytes("\xFF\xFE[\0A\0d\0v\0") + noise()},
        DamagedFile{"ZeroBytes", bytes("[Advanced]\nAuto Configuration\0=1\nFirstChan=\0"
                                       "4\n")},
        DamagedFile{"OnlyLineBreaks", std::string(5000, '\n')},
        DamagedFile{"OneHugeLine", "[Advanced]FirstChan=3" + std::string(70000, 'x')},
        DamagedFile{"HugeSectionName", "[" + std::string(70000, 'A') + "]\nFirstChan=3\n"},
        DamagedFile{"DuplicateSectionsAndKeys",
                    "[Debug]\nTrace=1\nTrace=9\n[Debug]\nTrace=-3\n[Advanced]\nFirstChan=14\n"
                    "[Advanced]\nLastChan=1\n"},
        DamagedFile{"KeysBeforeAnySection", "FirstChan=0\nLastChan=99\nWepKeyFmt=2\n"},
        DamagedFile{"NumbersOfEveryForm",
                    "[Advanced]\nFirstChan=0x0E\nLastChan=  +12abc\nBoostMode=-2147483648\n"
                    "[Debug]\nTrace=4294967295\nDebugWin=1e9\n[Security]\nWepKeyFmt=-0\n"},
        DamagedFile{"ControlCharacters",
                    "[Adv\x01"
                    "anced]\n\x1B[2JFirstChan=\x7F"
                    "\n[Security]\r\rWepKeyFmt=\t1\x08\n"},
        DamagedFile{"HighBytes",
                    "[\xC4"
                    "dvanced]\n\xFF\xFE=\xFD"
                    "\n[Debug]\nTestPage=\xB9\n"},
        DamagedFile{"NoLineBreakAtTheEnd", "[Advanced]\nFirstChan=5\nLastChan=2"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
