// Tovix.dll as the program meets it: loaded with LoadLibraryA, every operation found by
// its plain name, the card opened and read, its scan list decoded by the published
// offsets. The library is copied into a folder of its own with a scenario written for
// the test, which also shows that it reads the scenario beside itself.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "adapter/ZelApi.h"
#include "adapter/ZelShared.h"
#include "tests/sim/ScanBytes.h"

namespace {

const char* const kScenario = R"(
card
    mac                 00:1D:6A:5E:77:01
    region              0x40
    association-delay   300
network
    ssid        "Plain"
    bssid       00:11:22:00:00:01
    channel     6
    rssi        -48
network
    ssid        "Vault"
    bssid       00:11:22:00:00:02
    channel     11
    band        g
    rssi        -57
    security    wpa2-psk
    passphrase  "correct horse"
network
    ssid        "Fifth"
    bssid       00:11:22:00:00:03
    channel     149
    rssi        -66
)";

std::string folderOf(const std::string& path) {
    return path.substr(0, path.find_last_of('\\') + 1);
}

std::string ownFolder() {
    char path[MAX_PATH * 2];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return folderOf(std::string(path, length));
}

// Replaces the file in one step, so that the library never reads half of it.
void writeFile(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".new";
    const HANDLE file =
        CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, text.size());
    ASSERT_TRUE(MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
}

class LibraryByName : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        folder_ = std::string(temp) + "tovix-sim-" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        ASSERT_TRUE(
            CopyFileA((ownFolder() + "Tovix.dll").c_str(), (folder_ + "Tovix.dll").c_str(), FALSE));
        writeFile(folder_ + "Tovix.scn", kScenario);
        library_ = LoadLibraryA((folder_ + "Tovix.dll").c_str());
        ASSERT_NE(library_, nullptr);
    }

    static void TearDownTestSuite() {
        FreeLibrary(library_);
        DeleteFileA((folder_ + "Tovix.dll").c_str());
        DeleteFileA((folder_ + "Tovix.scn").c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    // Every operation by its name, as the program fills its table.
    static ZelApi bind(std::vector<std::string>& missing) {
        ZelApi api;
#define BIND_BY_NAME(name, params, args)                                \
    api.name = reinterpret_cast<decltype(api.name)>(                    \
        reinterpret_cast<void (*)()>(GetProcAddress(library_, #name))); \
    if (!api.name) missing.push_back(#name);
        ZEL_OPERATIONS(BIND_BY_NAME)
#undef BIND_BY_NAME
        return api;
    }

    void SetUp() override {
        std::vector<std::string> missing;
        api_ = bind(missing);
        ASSERT_TRUE(missing.empty())
            << "missing " << missing.front() << " and " << missing.size() - 1 << " more";
    }

    static std::string folder_;
    static HMODULE library_;
    ZelApi api_;
};

std::string LibraryByName::folder_;
HMODULE LibraryByName::library_ = nullptr;

TEST_F(LibraryByName, EveryOperationIsExportedUnderItsPlainName) {
    std::vector<std::string> missing;
    bind(missing);
    EXPECT_TRUE(missing.empty());
    EXPECT_EQ(GetProcAddress(library_, "ZelOpenAdapter@4"), nullptr);
}

TEST_F(LibraryByName, OpensTheCardAndReadsItsIdentity) {
    ZelHandle handle = nullptr;
    ASSERT_EQ(api_.ZelOpenAdapter(&handle), 0);
    ASSERT_NE(handle, nullptr);
    uint8_t mac[6] = {};
    ASSERT_EQ(api_.ZelGetMacAddress(handle, mac, sizeof mac), 0);
    EXPECT_EQ(std::vector<uint8_t>(mac, mac + 6),
              (std::vector<uint8_t>{0x00, 0x1D, 0x6A, 0x5E, 0x77, 0x01}));
    uint32_t region = 0;
    ASSERT_EQ(api_.ZelQueryRegionCode(handle, &region), 0);
    EXPECT_EQ(region, 0x40u);
    char description[200] = {};
    ASSERT_EQ(api_.ZelQueryDeviceDesc(handle, description, sizeof description), 0);
    EXPECT_GT(std::strlen(description), 0u);
    ASSERT_EQ(api_.ZelCloseAdapter(&handle), 0);
    EXPECT_EQ(handle, nullptr);
}

TEST_F(LibraryByName, ScanListDecodesByThePublishedOffsets) {
    ZelHandle handle = nullptr;
    ASSERT_EQ(api_.ZelOpenAdapter(&handle), 0);
    ASSERT_EQ(api_.ZelScan(handle), 0);
    std::vector<uint8_t> buffer(kScanListBufferSize);
    ASSERT_EQ(api_.ZelQueryScanList(handle, buffer.data(), kScanListBufferSize), 0);
    const std::vector<simtest::Record> list = simtest::records(buffer.data(), buffer.size(), false);
    ASSERT_EQ(simtest::le32(buffer.data()), 3u);
    ASSERT_EQ(list.size(), 3u);

    std::vector<std::string> ssids;
    for (const simtest::Record& r : list) ssids.push_back(r.ssid());
    std::sort(ssids.begin(), ssids.end());
    EXPECT_EQ(ssids, (std::vector<std::string>{"Fifth", "Plain", "Vault"}));
    for (const simtest::Record& r : list) {
        if (r.ssid() == "Plain") {
            EXPECT_EQ(r.bssid(), (std::vector<uint8_t>{0x00, 0x11, 0x22, 0x00, 0x00, 0x01}));
            EXPECT_EQ(r.privacy(), 0u);
            EXPECT_EQ(r.rssi(), -48);
            EXPECT_EQ(r.dsConfigKhz(), 2437000u);
            EXPECT_EQ(r.infrastructureMode(), 1u);
            EXPECT_EQ(r.band(), 0u);
        } else if (r.ssid() == "Vault") {
            EXPECT_EQ(r.privacy(), 1u);
            EXPECT_EQ(r.dsConfigKhz(), 2462000u);
        } else {
            EXPECT_EQ(r.dsConfigKhz(), 5745000u);
            EXPECT_EQ(r.band(), 2u);
        }
    }

    uint32_t written = 0;
    std::fill(buffer.begin(), buffer.end(), 0);
    ASSERT_EQ(api_.ZelQueryScanListLength(handle, buffer.data(), kScanListBufferSize, &written), 0);
    const std::vector<simtest::Record> full = simtest::records(buffer.data(), written, true);
    ASSERT_EQ(full.size(), 3u);
    for (const simtest::Record& r : full) {
        const std::vector<simtest::Element> elements = r.elements();
        const bool rsn =
            std::any_of(elements.begin(), elements.end(), [](const simtest::Element& e) {
                return e.id == 48 && e.body.size() > 17 && e.body[11] == 4 && e.body[17] == 2;
            });
        EXPECT_EQ(rsn, r.ssid() == "Vault") << r.ssid();
    }
    ASSERT_EQ(api_.ZelCloseAdapter(&handle), 0);
}

}  // namespace
