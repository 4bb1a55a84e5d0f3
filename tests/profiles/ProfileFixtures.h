// Small helpers that build profiles and lists for the tests of this area.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "profiles/ProfileList.h"

inline Profile infra(const std::string& name, const std::string& ssid = "") {
    Profile p = blankProfile();
    setFieldText(p.name, name);
    setFieldText(p.ssid, ssid.empty() ? name : ssid);
    p.networkType = NetworkInfrastructure;
    p.wirelessMode = WirelessAuto;
    p.preferred = 1;
    p.useDefaultRadio = 1;
    return p;
}

inline Profile adHoc(const std::string& name, const std::string& ssid = "") {
    Profile p = infra(name, ssid);
    p.networkType = NetworkAdHoc;
    p.adHocWirelessMode = Wireless80211b;
    return p;
}

inline ProfileList listOf(std::initializer_list<Profile> profiles) {
    ProfileList list;
    for (const Profile& p : profiles) list.append(std::make_unique<Profile>(p));
    return list;
}

inline std::vector<std::string> namesOf(const ProfileList& list) {
    std::vector<std::string> names;
    for (const auto& p : list) names.push_back(fieldText(p->name));
    return names;
}
