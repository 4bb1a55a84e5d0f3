// libFuzzer target: arbitrary bytes as a file the Admin page imports into a list that
// holds profiles already. After the list is brought into shape every name is unique and
// ends inside its field, one "<Default>" at most is left, and every infrastructure
// profile stands before every ad-hoc one.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <vector>

#include "pages/AdminTool.h"
#include "profiles/ProfileFile.h"

namespace {

Profile named(const char* name, uint32_t networkType) {
    Profile p = makeDefaultProfile();
    setFieldText(p.name, name);
    p.networkType = networkType;
    return p;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ProfileList list;
    for (const Profile& p : {makeDefaultProfile(), named("Home", NetworkInfrastructure),
                             named("Net99", NetworkInfrastructure), named("Peer", NetworkAdHoc)}) {
        list.append(std::make_unique<Profile>(p));
    }
    ProfileList read;
    decodeProfiles(std::vector<uint8_t>(data, data + size), read);
    list.appendAll(std::move(read));
    normalizeProfiles(list);
    std::set<std::string> names;
    bool adHocSeen = false;
    for (const auto& profile : list) {
        const std::string name = fieldText(profile->name);
        if (name.size() > kMaxNameLength || !names.insert(name).second) std::abort();
        if (isInfrastructure(*profile) && adHocSeen) std::abort();
        adHocSeen = adHocSeen || !isInfrastructure(*profile);
    }
    return 0;
}
