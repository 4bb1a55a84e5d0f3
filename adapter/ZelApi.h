// The contract of the adapter control library Tovix.dll: every operation the program
// calls, declared once. ZEL_OPERATIONS(X) expands X(name, parameters, arguments) for
// each export; the function table, the loader, the simulated card's exports and the
// recording fake of the tests are all generated from this one list.
//
// Conventions: every operation returns a 32-bit int. Queries, ZelSetSsid,
// ZelQueryScanList and the registry operations return 0 for success. ZelGetConnectStatus
// returns non-zero while associated. ZelQueryWZCStatusCheck returns 1 when the check
// failed and otherwise reports through its out-argument whether Zero Configuration
// controls the card. Text and byte buffers are passed with their size.
#pragma once

#include "adapter/ZelTypes.h"

// clang-format off
#define ZEL_OPERATIONS(X)                                                                      \
    /* Opening */                                                                              \
    X(ZelOpenAdapter, (ZelHandle * handle), (handle))                                          \
    X(ZelCloseAdapter, (ZelHandle * handle), (handle))                                         \
    X(ZelInitialize, (ZelWindow window), (window))                                             \
    X(ZelSetGUIMonitorMode, (ZelHandle h, uint32_t mode), (h, mode))                           \
    X(ZelUnlockPages, (ZelHandle h), (h))                                                      \
    X(ZelQueryWZCStatusCheck, (uint32_t * status), (status))                                   \
    /* Identity */                                                                             \
    X(ZelGetMacAddress, (ZelHandle h, uint8_t * buffer, uint32_t size), (h, buffer, size))     \
    X(ZelQueryDeviceDesc, (ZelHandle h, char* buffer, uint32_t size), (h, buffer, size))       \
    X(ZelQueryChipVersion, (ZelHandle h, uint32_t * value), (h, value))                        \
    X(ZelQueryFirmwareVersion, (ZelHandle h, uint32_t * value), (h, value))                    \
    X(ZelQueryDriverVersion, (ZelHandle h, char* buffer, uint32_t size), (h, buffer, size))    \
    X(ZelQueryDriverDate, (ZelHandle h, char* buffer, uint32_t size), (h, buffer, size))       \
    X(ZelQueryRegionCode, (ZelHandle h, uint32_t * value), (h, value))                         \
    X(ZelSetRegionCode, (ZelHandle h, uint32_t value), (h, value))                             \
    /* Connection */                                                                           \
    X(ZelGetConnectStatus, (ZelHandle h), (h))                                                 \
    X(ZelQueryRssi, (ZelHandle h, int32_t * rssi), (h, rssi))                                  \
    X(ZelQueryLinkSpeed, (ZelHandle h, uint32_t * value), (h, value))                          \
    X(ZelQuerySsid, (ZelHandle h, char* buffer, uint32_t size), (h, buffer, size))             \
    X(ZelSetSsid, (ZelHandle h, const char* ssid, uint32_t length, uint32_t hidden),           \
      (h, ssid, length, hidden))                                                               \
    X(ZelQueryBssid, (ZelHandle h, uint8_t * buffer, uint32_t size), (h, buffer, size))        \
    X(ZelSetBssid, (ZelHandle h, const uint8_t* bssid, uint32_t size), (h, bssid, size))       \
    /* Modes and radio parameters (query/set pairs of unsigned 32-bit values) */               \
    X(ZelQueryNetworkMode, (ZelHandle h, uint32_t * value), (h, value))                        \
    X(ZelSetNetworkMode, (ZelHandle h, uint32_t value), (h, value))                            \
    X(ZelQueryWlanMode, (ZelHandle h, uint32_t * value), (h, value))                           \
    X(ZelSetWlanMode, (ZelHandle h, uint32_t value), (h, value))                               \
    X(ZelQueryAdHocWlanMode, (ZelHandle h, uint32_t * value), (h, value))                      \
    X(ZelSetAdHocWlanMode, (ZelHandle h, uint32_t value), (h, value))                          \
    X(ZelQueryChannel, (ZelHandle h, uint32_t * value), (h, value))                            \
    X(ZelSetChannel, (ZelHandle h, uint32_t value), (h, value))                                \
    X(ZelQueryChannelRange, (ZelHandle h, uint32_t * value), (h, value))                       \
    X(ZelSetChannelRange, (ZelHandle h, uint32_t value), (h, value))                           \
    X(ZelQueryAuthMode, (ZelHandle h, uint32_t * value), (h, value))                           \
    X(ZelSetAuthMode, (ZelHandle h, uint32_t value), (h, value))                               \
    X(ZelQueryWepStatus, (ZelHandle h, uint32_t * value), (h, value))                          \
    X(ZelSetWepStatus, (ZelHandle h, uint32_t value), (h, value))                              \
    X(ZelQueryWepKey, (ZelHandle h, uint32_t slot, uint8_t * key, uint32_t size, uint32_t * length), \
      (h, slot, key, size, length))                                                            \
    X(ZelSetWepKey, (ZelHandle h, uint32_t slot, const uint8_t* key, uint32_t length, uint32_t transmit), \
      (h, slot, key, length, transmit))                                                        \
    X(ZelQueryPowerMode, (ZelHandle h, uint32_t * value), (h, value))                          \
    X(ZelSetPowerMode, (ZelHandle h, uint32_t value), (h, value))                              \
    X(ZelQueryPreamble, (ZelHandle h, uint32_t * value), (h, value))                           \
    X(ZelSetPreamble, (ZelHandle h, uint32_t value), (h, value))                               \
    X(ZelQueryDataRate, (ZelHandle h, uint32_t * value), (h, value))                           \
    X(ZelSetDataRate, (ZelHandle h, uint32_t value), (h, value))                               \
    X(ZelQueryFragThreshold, (ZelHandle h, uint32_t * value), (h, value))                      \
    X(ZelSetFragThreshold, (ZelHandle h, uint32_t value), (h, value))                          \
    X(ZelQueryRTSThreshold, (ZelHandle h, uint32_t * value), (h, value))                       \
    X(ZelSetRTSThreshold, (ZelHandle h, uint32_t value), (h, value))                           \
    X(ZelQueryTxPower, (ZelHandle h, uint32_t * value), (h, value))                            \
    X(ZelSetTxPower, (ZelHandle h, uint32_t value), (h, value))                                \
    X(ZelQueryTxAntenna, (ZelHandle h, uint32_t * value), (h, value))                          \
    X(ZelSetTxAntenna, (ZelHandle h, uint32_t value), (h, value))                              \
    X(ZelQueryRxAntenna, (ZelHandle h, uint32_t * value), (h, value))                          \
    X(ZelSetRxAntenna, (ZelHandle h, uint32_t value), (h, value))                              \
    X(ZelQueryBoostMode, (ZelHandle h, uint32_t * value), (h, value))                          \
    X(ZelSetBoostMode, (ZelHandle h, uint32_t value), (h, value))                              \
    X(ZelQueryRadioControl, (ZelHandle h, uint32_t * value), (h, value))                       \
    X(ZelSetRadioControl, (ZelHandle h, uint32_t value), (h, value))                           \
    X(ZelQuerySignalThreshold, (ZelHandle h, uint32_t * value), (h, value))                    \
    X(ZelSetSignalThreshold, (ZelHandle h, uint32_t value), (h, value))                        \
    X(ZelQueryTxFailThreshold, (ZelHandle h, uint32_t * value), (h, value))                    \
    X(ZelSetTxFailThreshold, (ZelHandle h, uint32_t value), (h, value))                        \
    X(ZelQueryProfileInUse, (ZelHandle h, char* buffer, uint32_t size), (h, buffer, size))     \
    X(ZelSetProfileInUse, (ZelHandle h, const char* name, uint32_t length), (h, name, length)) \
    /* Scanning */                                                                             \
    X(ZelScan, (ZelHandle h), (h))                                                             \
    X(ZelSsidScan, (ZelHandle h, const ZEL_SSID_SCAN* request, uint32_t networkType),          \
      (h, request, networkType))                                                               \
    X(ZelBssidScan, (ZelHandle h, const uint8_t* bssid, uint32_t size), (h, bssid, size))      \
    X(ZelQueryScanList, (ZelHandle h, uint8_t * buffer, uint32_t size), (h, buffer, size))     \
    X(ZelQueryScanListLength, (ZelHandle h, uint8_t * buffer, uint32_t size, uint32_t * written), \
      (h, buffer, size, written))                                                              \
    /* Security */                                                                             \
    X(ZelSetWPAInformation,                                                                    \
      (ZelHandle h, uint32_t networkType, uint32_t securityType, uint32_t encryption,          \
       const char* psk, const char* ssid),                                                     \
      (h, networkType, securityType, encryption, psk, ssid))                                   \
    X(ZelSetFswCCXNetworkEap, (ZelHandle h, uint32_t value), (h, value))                       \
    X(ZelWPACreateIdentityLEAP, (const char* login, const char* domain, const char* password), \
      (login, domain, password))                                                               \
    X(ZelWPACreateIdentityPEAP, (const char* login, const char* domain, const char* password), \
      (login, domain, password))                                                               \
    X(ZelWPACreateIdentityTtls,                                                                \
      (const char* login, const char* domain, const char* password, const char* anonymous),    \
      (login, domain, password, anonymous))                                                    \
    X(ZelWPACreateIdentityTLS, (const char* login, const uint8_t* certHash), (login, certHash)) \
    X(ZelWPAPortDown, (ZelHandle h), (h))                                                      \
    /* Statistics */                                                                           \
    X(ZelQueryStatistics, (ZelHandle h, NDIS_802_11_STATISTICS * stats), (h, stats))           \
    X(ZelQueryRssiStat, (ZelHandle h, ZEL_RSSI_STATS * stats), (h, stats))                     \
    X(ZelQueryBeaconStatistics, (ZelHandle h, ZEL_BEACON_STATS * stats), (h, stats))           \
    X(ZelResetStatistics, (ZelHandle h), (h))                                                  \
    /* Registers */                                                                            \
    X(ZelQueryRfRegister, (ZelHandle h, uint32_t index, uint32_t * value), (h, index, value))  \
    X(ZelSetRfRegister, (ZelHandle h, uint32_t index, uint32_t value), (h, index, value))      \
    X(ZelQueryBbRegister, (ZelHandle h, uint32_t index, uint32_t * value), (h, index, value))  \
    X(ZelSetBbRegister, (ZelHandle h, uint32_t index, uint32_t value), (h, index, value))      \
    X(ZelQueryMacRegister, (ZelHandle h, uint32_t index, uint32_t * value), (h, index, value)) \
    X(ZelSetMacRegister, (ZelHandle h, uint32_t index, uint32_t value), (h, index, value))     \
    /* Registry of the card's driver */                                                        \
    X(ZelQueryRegistryPath, (ZelHandle h, char* buffer, uint32_t size), (h, buffer, size))     \
    X(ZelQueryRegistry, (const char* path, const char* valueName, char* buffer, uint32_t size), \
      (path, valueName, buffer, size))                                                         \
    X(ZelSetRegistry, (const char* path, const char* valueName, uint32_t value),               \
      (path, valueName, value))                                                                \
    /* Auto Link (brisk setup), radar, DHCP on Windows 9x */                                   \
    X(ZelQueryBriskSetupAPInfo, (ZelHandle h, TSRA_BRISKSETUP_SSID_INFO * info), (h, info))    \
    X(ZelSetBSSecurityInfo, (ZelHandle h, const TSRA_BRISKSETUP_SEC_INFO* info), (h, info))    \
    X(ZelSetBSSetupRequest, (ZelHandle h, const TSRA_BRISKSETUP_SETUP_REQ* request), (h, request)) \
    X(ZelRadarDetected, (ZelHandle h), (h))                                                    \
    X(ZelQueryDhcp9x, (ZelHandle h), (h))
// clang-format on

// The function table the program calls the library through.
struct ZelApi {
#define ZEL_API_FIELD(name, params, args) int32_t(ZEL_CALL* name) params = nullptr;
    ZEL_OPERATIONS(ZEL_API_FIELD)
#undef ZEL_API_FIELD
};

// Number of operations in the contract.
constexpr int kZelOperationCount = 0
#define ZEL_API_COUNT(name, params, args) +1
    ZEL_OPERATIONS(ZEL_API_COUNT)
#undef ZEL_API_COUNT
    ;
