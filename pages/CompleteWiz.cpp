#include "pages/CompleteWiz.h"

#include "pages/AdvSettgPage.h"
#include "pages/BasicSettgPage.h"
#include "pages/ProfileSheet.h"
#include "res/resource.h"

namespace {

std::string line(const char* item, const std::string& value) {
    return std::string(item) + " = " + value + "\r\n";
}

}  // namespace

CCompleteWiz::CCompleteWiz(CProfileSheet& sheet)
    : Page(IDD_SUMMARY, sheet.mainWindow().text(IDS_COMPLETE)), sheet_(sheet) {}

std::string CCompleteWiz::summary() const {
    const CBasicSettgPage& network = *sheet_.networkPage();
    const CAdvSettgPage& protocol = *sheet_.protocolPage();
    const CProfilePage* security = sheet_.securityPage();
    return line("Profile Name", network.profileName()) + line("Network SSID", network.ssid()) +
           line("Network Type", network.selectedText(IDC_NET_TYPE)) +
           line("Channel", network.selectedText(IDC_NET_CHANNEL)) +
           line("Security", security ? security->selectedText(IDC_SEC_ENCRYPTION) : "") +
           line("Authentication", security ? security->selectedText(IDC_SEC_AUTHENTICATION) : "") +
           line("Power Mode", protocol.selectedText(IDC_PROTO_POWER_SAVE)) +
           line("Radio Preamble", protocol.selectedText(IDC_PROTO_PREAMBLE)) +
           line("Transmit Data Rate", protocol.selectedText(IDC_PROTO_RATE)) +
           line("Fragmentation Threshold", std::to_string(protocol.fragThreshold())) +
           line("RTS Threshold", std::to_string(protocol.rtsThreshold()));
}

void CCompleteWiz::onSetActive() {
    sheet_.setWizardButtons(fw::wiz::Back | fw::wiz::Finish);
    ui().setText(IDC_SUMMARY_TEXT, summary());
    ui().setText(IDC_SUMMARY_NOTE, "");
}

bool CCompleteWiz::onWizardFinish() {
    if (sheet_.createNewProfile()) return true;
    // A page that refused may have taken the sheet to itself; it has its own buttons.
    if (sheet_.activeIndex() == sheet_.indexOf(*this)) {
        sheet_.setWizardButtons(fw::wiz::Back | fw::wiz::Finish);
    }
    return false;
}
