#include "sim/win32/Win32Host.h"

#include <dbt.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

#include "adapter/ZelShared.h"

namespace sim {
namespace {

// GUID_NDIS_LAN_CLASS, the network adapters' device interface class.
constexpr GUID kNetworkAdapterInterface = {
    0xAD498944, 0x762F, 0x11D0, {0x8D, 0xCB, 0x00, 0xC0, 0x4F, 0xC3, 0x35, 0x8C}};

// The key under HKEY_DYN_DATA that Windows 9x keeps for each device node.
constexpr const char* kDevnodeKeyFormat = "Config Manager\\Enum\\%X";

// How long one window may take to handle a broadcast.
constexpr UINT kBroadcastTimeoutMs = 5000;

class Key {
public:
    Key(HKEY root, const std::string& path, bool create) {
        const LONG result = create ? RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0,
                                                     KEY_SET_VALUE, nullptr, &key_, nullptr)
                                   : RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &key_);
        if (result != ERROR_SUCCESS) key_ = nullptr;
    }
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

bool setText(HKEY root, const std::string& key, const std::string& name, const std::string& text) {
    const Key k(root, key, true);
    return k.get() && RegSetValueExA(k.get(), name.c_str(), 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(text.c_str()),
                                     static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

BOOL CALLBACK collectOwnWindow(HWND window, LPARAM windows) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId())
        reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

void sendToOwnWindows(WPARAM event, LPARAM data) {
    std::vector<HWND> windows;
    EnumWindows(collectOwnWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(window, WM_DEVICECHANGE, event, data, SMTO_NORMAL, kBroadcastTimeoutMs,
                            &answer);
    }
}

// "PCI\VEN_...&DEV_..." as the symbolic link name of its network adapter interface.
std::string interfaceName(const std::string& hardwareId) {
    std::string name =
        "\\\\?\\" + hardwareId + "#4&1d6a70&0&00E0#{ad498944-762f-11d0-8dcb-00c04fc3358c}";
    for (size_t i = 4; i < name.size(); ++i) {
        if (name[i] == '\\') name[i] = '#';
    }
    return name;
}

void broadcastInterface(const DeviceChange& change) {
    const std::string name = interfaceName(change.hardwareId);
    std::vector<char> storage(offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name) + name.size() +
                              1);
    auto* broadcast = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_A*>(storage.data());
    broadcast->dbcc_size = static_cast<DWORD>(storage.size());
    broadcast->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    broadcast->dbcc_classguid = kNetworkAdapterInterface;
    std::memcpy(broadcast->dbcc_name, name.c_str(), name.size() + 1);
    sendToOwnWindows(change.arrival ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE,
                     reinterpret_cast<LPARAM>(broadcast));
}

std::string devnodeKey(uint32_t devnode) {
    char key[64];
    std::snprintf(key, sizeof key, kDevnodeKeyFormat, static_cast<unsigned>(devnode));
    return key;
}

// Windows 9x: the device node's dynamic key exists while the device does, so it is
// there for the arrival and for the removal broadcast, and goes after the removal.
void broadcastDevnode(const DeviceChange& change) {
    if (change.arrival) keepDevnodeKey(change.hardwareId, change.devnode);
    DEV_BROADCAST_DEVNODE broadcast{};
    broadcast.dbcd_size = sizeof broadcast;
    broadcast.dbcd_devicetype = DBT_DEVTYP_DEVNODE;
    broadcast.dbcd_devnode = change.devnode;
    sendToOwnWindows(change.arrival ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE,
                     reinterpret_cast<LPARAM>(&broadcast));
    if (!change.arrival) RegDeleteKeyA(HKEY_DYN_DATA, devnodeKey(change.devnode).c_str());
    sendToOwnWindows(DBT_DEVNODES_CHANGED, 0);
}

}  // namespace

std::optional<std::string> Win32Registry::readText(const std::string& key,
                                                   const std::string& name) {
    const Key k(HKEY_LOCAL_MACHINE, key, false);
    DWORD type = 0, size = 0;
    if (!k.get() ||
        RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::vector<BYTE> data(size + 1);
    if (RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, data.data(), &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD number;
        std::memcpy(&number, data.data(), sizeof number);
        return std::to_string(number);
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    return std::string(reinterpret_cast<const char*>(data.data()));  // data ends in a zero
}

std::optional<uint32_t> Win32Registry::readNumber(const std::string& key, const std::string& name) {
    const Key k(HKEY_LOCAL_MACHINE, key, false);
    DWORD type = 0, number = 0, size = sizeof number;
    if (!k.get() ||
        RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&number),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD) {
        return std::nullopt;
    }
    return number;
}

bool Win32Registry::writeText(const std::string& key, const std::string& name,
                              const std::string& text) {
    return setText(HKEY_LOCAL_MACHINE, key, name, text);
}

bool Win32Registry::writeNumber(const std::string& key, const std::string& name, uint32_t value) {
    const Key k(HKEY_LOCAL_MACHINE, key, true);
    const DWORD number = value;
    return k.get() &&
           RegSetValueExA(k.get(), name.c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&number), sizeof number) == ERROR_SUCCESS;
}

uint64_t Win32Host::nowMs() {
    const DWORD tick = GetTickCount();
    if (tick < lastTick_) wrapped_ += uint64_t{1} << 32;
    lastTick_ = tick;
    return wrapped_ + tick;
}

void Win32Host::postEvent(ZelWindow window, uint32_t code) {
    PostMessageA(static_cast<HWND>(window), zel::kEventMessage, code, 0);
}

void Win32Host::note(const std::string& text) {
    std::fprintf(stderr, "Tovix.dll: %s\n", text.c_str());
    std::fflush(stderr);
}

bool isWindows9x() { return (GetVersion() & 0x80000000u) != 0; }

void keepDevnodeKey(const std::string& hardwareId, uint32_t devnode) {
    if (isWindows9x()) setText(HKEY_DYN_DATA, devnodeKey(devnode), "HardWareKey", hardwareId);
}

void broadcastDeviceChange(const DeviceChange& change) {
    if (isWindows9x()) {
        broadcastDevnode(change);
    } else {
        broadcastInterface(change);
    }
}

}  // namespace sim
