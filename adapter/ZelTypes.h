// Structures, handle types and security codes of the adapter control library Tovix.dll.
// Byte layouts are fixed by the driver; every structure is checked at compile time.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#define ZEL_CALL __stdcall
#else
#define ZEL_CALL
#endif

// Opaque card handle returned by ZelOpenAdapter; null while no card is open.
using ZelHandle = void*;
// Window that receives the library's event message (an HWND on Windows).
using ZelWindow = void*;

// The encryption of a network, as security detection reports it and Profile::encryption
// stores it.
enum Encryption : uint32_t {
    EncryptionOff = 0,
    EncryptionWep = 1,
    EncryptionTkip = 2,
    EncryptionAes = 3,
};

// The security type of a network: the authentication and, for 802.1x, its method, as
// security detection reports it and Profile::securityType stores it. The group codes
// from 100 up name a family whose method is still to be chosen; they come from security
// detection and the security page and are never stored.
enum SecurityType : uint32_t {
    SecurityOpenSystem = 0,
    SecuritySharedKey = 1,
    SecurityWpaPsk = 2,
    SecurityWpaLeap = 3,
    SecurityAutoSwitch = 4,
    SecurityWpaTls = 5,
    SecurityWpaPeap = 6,
    SecurityWpaTtls = 7,
    SecurityCcxLeap = 8,
    SecurityWpa2Psk = 9,
    SecurityWpa2Tls = 10,
    SecurityWpa2Peap = 11,
    SecurityWpa2Ttls = 12,
    SecurityCcxPeap = 13,
    SecurityWpa2Leap = 14,
    Security8021xTls = 15,
    Security8021xPeap = 16,
    Security8021xTtls = 17,
    SecurityGroupWpa = 100,
    SecurityGroupWpa2 = 101,
    SecurityGroupCcx = 102,
    SecurityGroup8021x = 103,
};

// Size of every scan list buffer handed to the library.
constexpr uint32_t kScanListBufferSize = 24576;

// Scan request for one SSID on a list of channels.
struct ZEL_SSID_SCAN {
    uint32_t SsidLength;
    uint8_t Ssid[32];
    uint8_t Channels[14];
    uint8_t Padding[2];
};
static_assert(sizeof(ZEL_SSID_SCAN) == 52, "request size");
static_assert(offsetof(ZEL_SSID_SCAN, Channels) == 36, "channel list offset");

// Microsoft's NDIS_802_11_STATISTICS: a 32-bit length, then 64-bit counters on
// 8-byte boundaries (104 bytes).
struct NDIS_802_11_STATISTICS {
    uint32_t Length;
    alignas(8) uint64_t TransmittedFragmentCount;
    uint64_t MulticastTransmittedFrameCount;
    uint64_t FailedCount;
    uint64_t RetryCount;
    uint64_t MultipleRetryCount;
    uint64_t RTSSuccessCount;
    uint64_t RTSFailureCount;
    uint64_t ACKFailureCount;
    uint64_t FrameDuplicateCount;
    uint64_t ReceivedFragmentCount;
    uint64_t MulticastReceivedFrameCount;
    uint64_t FCSErrorCount;
};
static_assert(sizeof(NDIS_802_11_STATISTICS) == 104, "statistics size");
static_assert(offsetof(NDIS_802_11_STATISTICS, TransmittedFragmentCount) == 8, "first counter");

struct ZEL_BEACON_STATS {
    uint32_t Received;
    uint32_t Lost;
};
static_assert(sizeof(ZEL_BEACON_STATS) == 8, "beacon statistics size");

// Received frames by signal bucket: 0-19, 20-39, 40-59, 60 and up.
struct ZEL_RSSI_STATS {
    uint32_t Bucket[4];
};
static_assert(sizeof(ZEL_RSSI_STATS) == 16, "signal statistics size");

// Auto Link (brisk setup) exchange.
struct TSRA_BRISKSETUP_SEC_INFO {
    uint8_t Length;  // 168
    uint8_t ApTag;
    uint8_t Pin[32];
    uint8_t ConstantBlock[128];
    uint16_t IpMode;  // 2 with DHCP, 1 otherwise
    uint8_t IpAddress[4];
};
static_assert(sizeof(TSRA_BRISKSETUP_SEC_INFO) == 168, "security info size");
static_assert(offsetof(TSRA_BRISKSETUP_SEC_INFO, IpMode) == 162, "IP mode offset");

struct TSRA_BRISKSETUP_SETUP_REQ {
    uint8_t Length;  // 8
    uint8_t ApTag;
    uint16_t Field1;  // 1
    uint16_t Field2;  // 1
    uint16_t Reserved;
};
static_assert(sizeof(TSRA_BRISKSETUP_SETUP_REQ) == 8, "setup request size");

struct TSRA_BRISKSETUP_SSID_INFO {
    uint32_t SsidLength;
    uint8_t Ssid[32];
};
static_assert(sizeof(TSRA_BRISKSETUP_SSID_INFO) == 36, "SSID info size");
