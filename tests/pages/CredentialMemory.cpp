// The credential and certificate dialogs' templates in memory.
#include "res/resource.h"
#include "tests/pages/ProfileMemory.h"

namespace pagestest {

Layouts credentialLayouts() {
    using fw::Kind;
    const fw::ControlSpec ok = {fw::id::Ok, Kind::PushButton};
    const fw::ControlSpec cancel = {fw::id::Cancel, Kind::PushButton};
    return {
        {IDD_LEAP,
         {{IDC_CRED_LOGIN, Kind::Edit},
          {IDC_CRED_PASSWORD, Kind::Edit},
          {IDC_CRED_DOMAIN, Kind::Edit},
          ok,
          cancel}},
        {IDD_PEAP,
         {{IDC_CRED_INNER_PROTOCOL, Kind::DropDownList},
          {IDC_CRED_LOGIN, Kind::Edit},
          {IDC_CRED_PASSWORD, Kind::Edit},
          {IDC_CRED_DOMAIN, Kind::Edit},
          ok,
          cancel}},
        {IDD_TLS,
         {{IDC_CRED_LOGIN, Kind::Edit},
          {IDC_CRED_CERTIFICATE, Kind::Edit},
          {IDC_CRED_VIEW, Kind::PushButton},
          {IDC_CRED_BROWSE, Kind::PushButton},
          ok,
          cancel}},
        {IDD_SELECT_CERT,
         {{IDC_CERT_LIST, Kind::ListView}, {IDC_CERT_VIEW, Kind::PushButton}, ok, cancel}},
        {IDD_VIEW_CERT, {{IDC_CERT_FIELDS, Kind::ListView}, ok}},
    };
}

std::map<int, std::string> credentialCaptions() {
    return {
        {IDD_LEAP, "LEAP Radius Configuration"},   {IDD_PEAP, "PEAP Radius Configuration"},
        {IDD_TLS, "EAP/TLS Radius Configuration"}, {IDD_SELECT_CERT, "Select Certificate"},
        {IDD_VIEW_CERT, "View Certificate"},
    };
}

}  // namespace pagestest
