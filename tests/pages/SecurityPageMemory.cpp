// The security page templates in memory.
#include "res/resource.h"
#include "tests/pages/ProfileMemory.h"

namespace pagestest {

Layouts securityPageLayouts() {
    using fw::Kind;
    // Both templates hold the same controls in the same order.
    const std::vector<fw::ControlSpec> page = {
        {IDC_SEC_AUTHENTICATION, Kind::DropDownList},
        {IDC_SEC_ENCRYPTION, Kind::DropDownList},
        {IDC_SEC_WEP_GROUP, Kind::Static},
        {IDC_SEC_TX_KEY1, Kind::AutoRadioButton, true},
        {IDC_SEC_TX_KEY2, Kind::AutoRadioButton},
        {IDC_SEC_TX_KEY3, Kind::AutoRadioButton},
        {IDC_SEC_TX_KEY4, Kind::AutoRadioButton},
        {IDC_SEC_WEP_KEYS, Kind::PushButton},
        {IDC_SEC_PASSPHRASE_LABEL, Kind::Static},
        {IDC_SEC_PASSPHRASE, Kind::Edit},
        {IDC_SEC_CONFIRM_LABEL, Kind::Static},
        {IDC_SEC_CONFIRM, Kind::Edit},
        {IDC_SEC_PROTOCOL_LABEL, Kind::Static},
        {IDC_SEC_PROTOCOL, Kind::DropDownList},
        {IDC_SEC_CREDENTIALS, Kind::PushButton},
    };
    return {{IDD_SECURITY, page}, {IDD_SECURITY_WIZARD, page}};
}

}  // namespace pagestest
