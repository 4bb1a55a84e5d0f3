// Tovix.dll as the program meets it: loaded with LoadLibraryA, every operation found by
// its plain name, the card opened and read, its scan list decoded by the published
// offsets, an association reported to a window, and the card unplugged and plugged back
// by editing the scenario file. Each library is a copy in a folder of its own with a
// scenario written for the test, which also shows that it reads the scenario beside itself.
#include <windows.h>
// After windows.h, which it needs.
#include <dbt.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "adapter/ZelApi.h"
#include "adapter/ZelShared.h"
#include "tests/sim/ScanBytes.h"

namespace {

const std::string kCard = R"(
card
    mac                 00:1D:6A:5E:77:01
    region              0x40
    hardware-id         PCI\VEN_1D6A&DEV_7002&SUBSYS_00000000
    devnode             0x2C
    association-delay   300
)";
const std::string kNetworks = R"(
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

// The longest any step may take before the test gives up on it.
constexpr DWORD kPatienceMs = 5000;

std::string ownFolder() {
    char path[MAX_PATH * 2];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string file(path, length);
    return file.substr(0, file.find_last_of('\\') + 1);
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

// Handles this thread's messages until `done` holds; false when that takes too long.
bool pumpUntil(const std::function<bool()>& done) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > kPatienceMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    return true;
}

// A copy of Tovix.dll in a folder of its own, beside a scenario of the test's.
class PrivateLibrary {
public:
    explicit PrivateLibrary(const std::string& scenario) {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        static int count = 0;
        folder_ = std::string(temp) + "tovix-sim-" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(++count) + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        if (!CopyFileA((ownFolder() + "Tovix.dll").c_str(), path().c_str(), FALSE)) return;
        writeScenario(scenario);
        module_ = LoadLibraryA(path().c_str());
    }

    // Lets the library go, waits until it is unmapped (its scenario watch ends by itself
    // once nobody listens), and removes the folder.
    ~PrivateLibrary() {
        if (module_) release();
        DeleteFileA(path().c_str());
        DeleteFileA(scenarioPath().c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    bool release() {
        FreeLibrary(module_);
        module_ = nullptr;
        return pumpUntil([this] { return GetModuleHandleA(path().c_str()) == nullptr; });
    }

    HMODULE module() const { return module_; }
    void writeScenario(const std::string& text) const { writeFile(scenarioPath(), text); }
    std::string scenarioPath() const { return folder_ + "Tovix.scn"; }

    // Every operation by its name, as the program fills its table.
    ZelApi bind(std::vector<std::string>& missing) const {
        ZelApi api;
#define BIND_BY_NAME(name, params, args)                               \
    api.name = reinterpret_cast<decltype(api.name)>(                   \
        reinterpret_cast<void (*)()>(GetProcAddress(module_, #name))); \
    if (!api.name) missing.push_back(#name);
        ZEL_OPERATIONS(BIND_BY_NAME)
#undef BIND_BY_NAME
        return api;
    }

private:
    std::string path() const { return folder_ + "Tovix.dll"; }

    std::string folder_;
    HMODULE module_ = nullptr;
};

// What a window of the program receives from the library.
struct Received {
    std::vector<uint32_t> events;
    std::vector<WPARAM> arrivals;  // device broadcasts that name the card
    std::vector<WPARAM> removals;
    int devnodesChanged = 0;  // Windows 9x

    bool hasEvent(uint32_t code) const {
        return std::count(events.begin(), events.end(), code) > 0;
    }
};
Received received;

bool namesTheCard(std::string name) {
    for (char& c : name) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return std::any_of(std::begin(zel::kHardwareIds), std::end(zel::kHardwareIds),
                       [&name](const char* id) { return name.find(id) != std::string::npos; });
}

// Windows 9x: the hardware key that the device node's dynamic registry key holds.
std::string hardwareKeyOf(DWORD devnode) {
    char path[64];
    std::snprintf(path, sizeof path, "Config Manager\\Enum\\%X", static_cast<unsigned>(devnode));
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_DYN_DATA, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::string();
    char value[201] = {};
    DWORD size = sizeof value - 1;
    RegQueryValueExA(key, "HardWareKey", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return value;
}

// Whether a device broadcast names the card, the way the program recognises it.
bool broadcastNamesTheCard(LPARAM lParam) {
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
    if (header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE) {
        return namesTheCard(
            reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_A*>(lParam)->dbcc_name);
    }
    if (header->dbch_devicetype == DBT_DEVTYP_DEVNODE) {
        return namesTheCard(
            hardwareKeyOf(reinterpret_cast<const DEV_BROADCAST_DEVNODE*>(lParam)->dbcd_devnode));
    }
    return false;
}

LRESULT CALLBACK recordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == zel::kEventMessage) {
        received.events.push_back(static_cast<uint32_t>(wParam));
        return 0;
    }
    if (message == WM_DEVICECHANGE) {
        if (wParam == DBT_DEVNODES_CHANGED) ++received.devnodesChanged;
        if (lParam && broadcastNamesTheCard(lParam)) {
            (wParam == DBT_DEVICEARRIVAL ? received.arrivals : received.removals).push_back(wParam);
        }
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A hidden top-level window like the program's main window.
HWND createWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = recordingProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TovixSimTestWindow";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, "Tovix test", WS_OVERLAPPEDWINDOW, 0, 0,
                           100, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
}

// Unplugs and plugs the card of `library` by its scenario and checks what the window
// registered with the library receives.
void unplugAndPlugIn(const PrivateLibrary& library, const ZelApi& api) {
    ZelHandle handle = nullptr;
    ASSERT_EQ(api.ZelOpenAdapter(&handle), 0);
    received = Received{};

    const DWORD unplugged = GetTickCount();
    library.writeScenario(kCard + "    present no\n" + kNetworks);
    EXPECT_TRUE(pumpUntil(
        [] { return received.hasEvent(zel::EventCardRemoval) && !received.removals.empty(); }));
    std::printf("event 2 and the removal broadcast arrived after %lu ms\n",
                static_cast<unsigned long>(GetTickCount() - unplugged));
    EXPECT_EQ(received.removals, std::vector<WPARAM>{DBT_DEVICEREMOVECOMPLETE});
    uint32_t region = 0;
    EXPECT_EQ(api.ZelQueryRegionCode(handle, &region), 1);
    ZelHandle none = nullptr;
    EXPECT_EQ(api.ZelOpenAdapter(&none), 1);

    library.writeScenario(kCard + kNetworks);
    EXPECT_TRUE(pumpUntil([] { return !received.arrivals.empty(); }));
    EXPECT_EQ(received.arrivals, std::vector<WPARAM>{DBT_DEVICEARRIVAL});
    ASSERT_EQ(api.ZelOpenAdapter(&handle), 0);
    ASSERT_EQ(api.ZelQueryRegionCode(handle, &region), 0);
    EXPECT_EQ(region, 0x40u);
    ASSERT_EQ(api.ZelCloseAdapter(&handle), 0);
}

class LibraryByName : public ::testing::Test {
protected:
    static void SetUpTestSuite() { library_ = new PrivateLibrary(kCard + kNetworks); }
    static void TearDownTestSuite() {
        delete library_;
        library_ = nullptr;
    }

    void SetUp() override {
        ASSERT_NE(library_->module(), nullptr);
        std::vector<std::string> missing;
        api_ = library_->bind(missing);
        ASSERT_TRUE(missing.empty())
            << "missing " << missing.front() << " and " << missing.size() - 1 << " more";
        received = Received{};
    }

    static PrivateLibrary* library_;
    ZelApi api_;
};

PrivateLibrary* LibraryByName::library_ = nullptr;

TEST_F(LibraryByName, EveryOperationIsExportedUnderItsPlainName) {
    std::vector<std::string> missing;
    library_->bind(missing);
    EXPECT_TRUE(missing.empty());
    EXPECT_EQ(GetProcAddress(library_->module(), "ZelOpenAdapter@4"), nullptr);
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

TEST_F(LibraryByName, AssociatesWithWpa2PskAndTellsTheWindow) {
    const HWND window = createWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(api_.ZelInitialize(window), 0);
    ZelHandle handle = nullptr;
    ASSERT_EQ(api_.ZelOpenAdapter(&handle), 0);
    ASSERT_EQ(api_.ZelScan(handle), 0);

    // As the connect engine programs a WPA2-PSK profile.
    char psk[128] = "correct horse";
    ASSERT_EQ(api_.ZelSetAuthMode(handle, zel::AuthWpa2Psk), 0);
    ASSERT_EQ(api_.ZelSetFswCCXNetworkEap(handle, 0), 0);
    ASSERT_EQ(api_.ZelSetWPAInformation(handle, 1, 9, 3, psk, "Vault"), 0);
    ASSERT_EQ(api_.ZelSetWepStatus(handle, zel::AesEnabled), 0);
    ASSERT_EQ(api_.ZelSetNetworkMode(handle, 1), 0);
    ASSERT_EQ(api_.ZelSetWlanMode(handle, 255), 0);
    ASSERT_EQ(api_.ZelSetSsid(handle, "Vault", 5, 0), 0);
    EXPECT_TRUE(pumpUntil([] { return received.hasEvent(zel::EventAssociated); }));
    EXPECT_EQ(api_.ZelGetConnectStatus(handle), 1);
    char ssid[33] = {};
    ASSERT_EQ(api_.ZelQuerySsid(handle, ssid, 32), 0);
    EXPECT_STREQ(ssid, "Vault");

    ASSERT_EQ(api_.ZelCloseAdapter(&handle), 0);
    DestroyWindow(window);
}

TEST_F(LibraryByName, UnpluggingAndPluggingInTheScenarioReachTheWindow) {
    const HWND window = createWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(api_.ZelInitialize(window), 0);
    unplugAndPlugIn(*library_, api_);
    EXPECT_EQ(received.devnodesChanged, 0);
    DestroyWindow(window);
}

// A scenario that changes while someone holds the file (as a replacement does on Windows
// 9x, which shares no deletion) is read once the file is free, not left unread.
TEST_F(LibraryByName, AScenarioChangedWhileTheFileIsHeldIsReadOnceItIsFree) {
    const HWND window = createWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(api_.ZelInitialize(window), 0);
    ZelHandle handle = nullptr;
    ASSERT_EQ(api_.ZelOpenAdapter(&handle), 0);
    const HANDLE held = CreateFileA(library_->scenarioPath().c_str(), GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::string unplugged = kCard + "    present no\n" + kNetworks;
    DWORD written = 0;
    WriteFile(held, unplugged.data(), static_cast<DWORD>(unplugged.size()), &written, nullptr);
    SetEndOfFile(held);
    // The library wakes for the change and finds the file held.
    const DWORD freed = GetTickCount() + 500;
    pumpUntil([freed] { return GetTickCount() >= freed; });
    CloseHandle(held);
    EXPECT_TRUE(pumpUntil([] { return received.hasEvent(zel::EventCardRemoval); }));
    library_->writeScenario(kCard + kNetworks);
    EXPECT_TRUE(pumpUntil([] { return !received.arrivals.empty(); }));
    ASSERT_EQ(api_.ZelOpenAdapter(&handle), 0);
    ASSERT_EQ(api_.ZelCloseAdapter(&handle), 0);
    DestroyWindow(window);
}

// Wine reports Windows 98 to a program named in AppDefaults: this test runs the one below
// in a second copy of this program so named.
TEST(LibraryOnWindows9x, UnpluggingSendsDeviceNodeBroadcasts) {
    char self[MAX_PATH];
    const std::string path(self, GetModuleFileNameA(nullptr, self, sizeof self));
    const std::string key =
        "Software\\Wine\\AppDefaults\\" + path.substr(path.find_last_of('\\') + 1);
    HKEY appDefaults = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &appDefaults, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(appDefaults, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win98"), 6);
    RegCloseKey(appDefaults);

    std::string command =
        "\"" + path +
        "\" --gtest_also_run_disabled_tests --gtest_filter=LibraryOnWindows9x.DISABLED_*";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    const bool started = CreateProcessA(path.c_str(), &command[0], nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &child);
    DWORD exitCode = 99;
    if (started) {
        WaitForSingleObject(child.hProcess, 6 * kPatienceMs);
        GetExitCodeProcess(child.hProcess, &exitCode);
        CloseHandle(child.hProcess);
        CloseHandle(child.hThread);
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    ASSERT_TRUE(started);
    EXPECT_EQ(exitCode, 0u);
}

TEST(LibraryOnWindows9x, DISABLED_InTheSecondCopy) {
    ASSERT_NE(GetVersion() & 0x80000000u, 0u) << "not running as Windows 9x";
    PrivateLibrary library(kCard + kNetworks);
    ASSERT_NE(library.module(), nullptr);
    std::vector<std::string> missing;
    const ZelApi api = library.bind(missing);
    const HWND window = createWindow();
    ASSERT_EQ(api.ZelInitialize(window), 0);
    unplugAndPlugIn(library, api);
    // Each change of the device nodes is broadcast as well.
    EXPECT_TRUE(pumpUntil([] { return received.devnodesChanged == 2; }));
    EXPECT_TRUE(namesTheCard(hardwareKeyOf(0x2C)));
    DestroyWindow(window);
}

TEST(LibraryLifetime, TheScenarioWatchEndsWhenNobodyListensAndTheLibraryUnloads) {
    PrivateLibrary library(kCard);
    ASSERT_NE(library.module(), nullptr);
    std::vector<std::string> missing;
    const ZelApi api = library.bind(missing);
    const HWND window = createWindow();
    ASSERT_EQ(api.ZelInitialize(window), 0);
    ZelHandle handle = nullptr;
    ASSERT_EQ(api.ZelOpenAdapter(&handle), 0);
    ASSERT_EQ(api.ZelCloseAdapter(&handle), 0);
    DestroyWindow(window);
    EXPECT_TRUE(library.release());
}

}  // namespace
