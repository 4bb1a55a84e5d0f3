// The profile editing suites on the in-memory back end: the layouts of the templates
// the pages use, and the texts of res/ProfileEditing.rc.
#include "tests/pages/ProfileMemory.h"

#include <map>

#include "res/resource.h"
#include "tests/pages/AdminSuite.h"
#include "tests/pages/CredentialSuite.h"
#include "tests/pages/ProfileSuite.h"
#include "tests/pages/SecurityPageSuite.h"
#include "tests/pages/WepKeySuite.h"

namespace pagestest {

std::string profileText(int stringId) {
    static const std::map<int, std::string> kTexts = {
#include "ProfileTexts.inc"
    };
    const auto text = kTexts.find(stringId);
    return text == kTexts.end() ? std::string() : text->second;
}

std::unique_ptr<fwtest::BackEnd> makeProfileMemoryBackEnd() {
    using fw::Kind;
    const std::vector<fw::ControlSpec> network = {
        {IDC_NET_NAME, Kind::Edit},
        {IDC_NET_SSID, Kind::Edit},
        {IDC_NET_TYPE, Kind::DropDownList},
        {IDC_NET_INFRA_MODE_LABEL, Kind::Static},
        {IDC_NET_INFRA_MODE, Kind::DropDownList},
        {IDC_NET_ADHOC_GROUP, Kind::Static},
        {IDC_NET_ADHOC_MODE_LABEL, Kind::Static},
        {IDC_NET_ADHOC_MODE, Kind::DropDownList},
        {IDC_NET_CHANNEL_LABEL, Kind::Static},
        {IDC_NET_CHANNEL, Kind::DropDownList},
        {IDC_NET_HIDDEN_SSID, Kind::AutoCheckBox},
    };
    const std::vector<fw::ControlSpec> protocol = {
        {IDC_PROTO_KEEP, Kind::AutoCheckBox},
        {IDC_PROTO_GROUP, Kind::Static},
        {IDC_PROTO_POWER_SAVE_LABEL, Kind::Static},
        {IDC_PROTO_POWER_SAVE, Kind::DropDownList},
        {IDC_PROTO_PREAMBLE_LABEL, Kind::Static},
        {IDC_PROTO_PREAMBLE, Kind::DropDownList},
        {IDC_PROTO_RATE_LABEL, Kind::Static},
        {IDC_PROTO_RATE, Kind::DropDownList},
        {IDC_PROTO_FRAG_LABEL, Kind::Static},
        {IDC_PROTO_FRAG, Kind::Edit},
        {IDC_PROTO_FRAG_SPIN, Kind::UpDown, false, IDC_PROTO_FRAG},
        {IDC_PROTO_RTS_LABEL, Kind::Static},
        {IDC_PROTO_RTS, Kind::Edit},
        {IDC_PROTO_RTS_SPIN, Kind::UpDown, false, IDC_PROTO_RTS},
        {IDC_PROTO_RESET, Kind::PushButton},
    };
    const std::vector<fw::ControlSpec> security = {{IDC_SEC_ENCRYPTION, Kind::DropDownList},
                                                   {IDC_SEC_AUTHENTICATION, Kind::DropDownList}};
    const std::vector<fw::ControlSpec> manager = {
        {IDC_PM_LIST, Kind::ListView},        {IDC_PM_CREATE, Kind::PushButton},
        {IDC_PM_DELETE, Kind::PushButton},    {IDC_PM_MOVE_UP, Kind::PushButton},
        {IDC_PM_MOVE_DOWN, Kind::PushButton}, {IDC_PM_APPLY, Kind::PushButton},
        {IDC_PM_SAVE, Kind::PushButton},      {IDC_PM_SETTING, Kind::Static},
    };
    Layouts layouts = {
        {IDD_PROFILE_MANAGER, manager},
        {IDD_ADMIN, {{IDC_ADMIN_IMPORT, Kind::PushButton}, {IDC_ADMIN_EXPORT, Kind::PushButton}}},
        {IDD_NETWORK_INFO, network},
        {IDD_NETWORK_INFO_WIZARD, network},
        {IDD_PROTOCOL, protocol},
        {IDD_PROTOCOL_WIZARD, protocol},
        {IDD_SUMMARY, {{IDC_SUMMARY_TEXT, Kind::Static}, {IDC_SUMMARY_NOTE, Kind::Static}}},
        {StubSecurityPage::kEditorTemplate, security},
        {StubSecurityPage::kWizardTemplate, security},
    };
    for (const Layouts& area : {securityPageLayouts(), wepKeyLayouts(), credentialLayouts()}) {
        layouts.insert(area.begin(), area.end());
    }
    return fwtest::makeMemoryBackEnd(layouts, credentialCaptions());
}

INSTANTIATE_PROFILE_SUITES(Memory, ProfileBackEnd{"Memory", makeProfileMemoryBackEnd, profileText});

}  // namespace pagestest
