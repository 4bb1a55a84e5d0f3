// Values that the program and the adapter control library must agree on.
#pragma once

#include <cstdint>

namespace zel {

// Private message the library posts its events with (wParam = event code).
constexpr unsigned kEventMessage = 0x8000;

// Library event codes (wParam of kEventMessage).
enum Event : uint32_t {
    EventDisassociated = 0,
    EventAssociated = 1,
    EventCardRemoval = 2,
    EventReassociated = 3,
    EventLinkLost = 4,
    EventMediaCheck = 5,
    EventRadioOn = 8,
    EventRadioOff = 9,
    // Auto Link exchange steps, sent to the Auto Link dialog while it is open.
    EventAutoLinkFirst = 0xF0000000u,
    EventAutoLinkSuccess = 0xF0000007u,
    EventAutoLinkFailure = 0xF0000008u,
    EventAutoLinkAssociationFailed = 0xF0000009u,
    EventAutoLinkDialog = 1008,
};

// ZelSetSsid result: the card is already associated with this SSID. It counts as
// success only when the refreshed connection state shows that SSID and network type.
constexpr int32_t kSetSsidAlreadyAssociated = 4;

// ZelQueryWZCStatusCheck result: the check failed. Any other result delivers the status.
constexpr int32_t kZeroConfigCheckFailed = 1;

// ZelQueryRadioControl value of a card without a radio switch state.
constexpr uint32_t kRadioNoSwitch = 2;

// OUI of the Auto Link vendor information element (element id 221, length >= 7).
constexpr uint8_t kAutoLinkOui[3] = {0x00, 0x1D, 0x6A};

// The 128-byte block carried in every Auto Link security information request.
constexpr uint8_t kAutoLinkConstantBlock[128] = {
    0x0A, 0x1C, 0xAA, 0x54, 0x6B, 0x7E, 0x98, 0x2B, 0x61, 0x73, 0xA7, 0x1A, 0x0C, 0x6D, 0xB9, 0x9C,
    0x0B, 0xF7, 0x5D, 0x51, 0xE1, 0xE7, 0x0B, 0xFC, 0x28, 0x9D, 0x70, 0xB9, 0x9B, 0xD5, 0x22, 0xBE,
    0x2E, 0x9E, 0xF4, 0xD0, 0x21, 0xE5, 0x6F, 0x3A, 0x3F, 0x94, 0xCB, 0x5C, 0xF3, 0x10, 0xDC, 0x0F,
    0x85, 0xE5, 0x98, 0xCA, 0xB3, 0xE0, 0xE1, 0xBC, 0x0A, 0x33, 0xD2, 0x31, 0xDC, 0x9C, 0x84, 0x64,
    0xB7, 0x40, 0x5C, 0xF4, 0x4D, 0x2A, 0x48, 0xDE, 0xA7, 0xAB, 0xCB, 0x78, 0x94, 0x27, 0xA1, 0xF1,
    0x10, 0x02, 0x8C, 0xAB, 0xD5, 0x7B, 0x1E, 0x5A, 0xC9, 0xCD, 0x80, 0xF5, 0x52, 0xE3, 0x12, 0x1B,
    0x2C, 0x7D, 0x7F, 0xCD, 0x4E, 0x62, 0x6E, 0x1E, 0xF3, 0xCB, 0x03, 0xD4, 0xBE, 0x6D, 0xF8, 0xC8,
    0x72, 0xC9, 0x6D, 0x61, 0xD5, 0x4F, 0xB5, 0xF1, 0x92, 0x48, 0x7C, 0x62, 0x2F, 0x2B, 0x40, 0xA7,
};

// Hardware identification texts (upper case) that name this card in device
// broadcasts: two PCI prefixes, two USB prefixes and the legacy device name.
constexpr const char* kHardwareIds[5] = {
    "VEN_1D6A&DEV_70", "VEN_1D6A&DEV_71", "VID_1D6A&PID_700", "VID_1D6A&PID_701", "TXLM70RDV",
};

// Authentication modes of ZelSetAuthMode / ZelQueryAuthMode: Microsoft's
// NDIS_802_11_AUTHENTICATION_MODE values.
enum AuthMode : uint32_t {
    AuthOpen = 0,
    AuthShared = 1,
    AuthAutoSwitch = 2,
    AuthWpa = 3,
    AuthWpaPsk = 4,
    AuthWpa2 = 6,
    AuthWpa2Psk = 7,
};

// WEP status values of ZelSetWepStatus / ZelQueryWepStatus: Microsoft's
// NDIS_802_11_ENCRYPTION_STATUS values (2, 5 and 7 mean that a key is absent).
enum WepStatus : uint32_t {
    WepEnabled = 0,
    WepDisabled = 1,
    WepKeyAbsent = 2,
    TkipEnabled = 4,
    TkipKeyAbsent = 5,
    AesEnabled = 6,
    AesKeyAbsent = 7,
};

}  // namespace zel
