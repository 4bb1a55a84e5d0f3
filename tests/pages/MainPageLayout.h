// The controls of the Network Status page's template (dialog 101), in template order, for
// the in-memory surface.
#pragma once

#include <vector>

#include "framework/MemorySurface.h"
#include "res/resource.h"

inline std::vector<fw::ControlSpec> mainPageLayout() {
    using fw::Kind;
    return {
        {IDC_STATUS_PROFILES, Kind::DropDownList},
        {IDC_STATUS_TEXT, Kind::Edit},
        {IDC_STATUS_SSID, Kind::Edit},
        {IDC_STATUS_NETWORK_TYPE, Kind::Edit},
        {IDC_STATUS_BSSID, Kind::Edit},
        {IDC_STATUS_SECURITY, Kind::Edit},
        {IDC_STATUS_LINK_SPEED, Kind::Edit},
        {IDC_STATUS_LINK_ICON, Kind::Static},
        {IDC_STATUS_SIGNAL, Kind::Progress},
        {IDC_STATUS_DHCP, Kind::Edit},
        {IDC_STATUS_IP_ADDRESS, Kind::Edit},
        {IDC_STATUS_SUBNET_MASK, Kind::Edit},
        {IDC_STATUS_GATEWAY, Kind::Edit},
        {IDC_STATUS_RENEW, Kind::PushButton},
        {IDC_STATUS_PROPERTIES, Kind::PushButton},
        {IDC_STATUS_CHANNEL, Kind::Static},
        {IDC_STATUS_TX_TOP, Kind::Static},
        {IDC_STATUS_TX_MIDDLE, Kind::Static},
        {IDC_STATUS_TX_FRAME, Kind::Static},
        {IDC_STATUS_TX_RATE, Kind::Static},
        {IDC_STATUS_RX_TOP, Kind::Static},
        {IDC_STATUS_RX_MIDDLE, Kind::Static},
        {IDC_STATUS_RX_FRAME, Kind::Static},
        {IDC_STATUS_RX_RATE, Kind::Static},
    };
}
