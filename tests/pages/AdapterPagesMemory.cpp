// The Advanced and About page suites on the in-memory back end: the layouts of their
// templates, and the texts of the resource scripts they read.
#include <map>

#include "res/resource.h"
#include "tests/pages/AdapterPagesSuite.h"

namespace adaptertest {
namespace {

std::string adapterText(int stringId) {
    static const std::map<int, std::string> kTexts = {
#include "AdapterTexts.inc"
    };
    const auto text = kTexts.find(stringId);
    return text == kTexts.end() ? std::string() : text->second;
}

std::unique_ptr<fwtest::BackEnd> makeMemoryBackEnd() {
    using fw::Kind;
    const std::vector<fw::ControlSpec> advanced = {
        {IDC_ADV_DESCRIPTION, Kind::DropDown},
        {IDC_ADV_POWER_SAVE, Kind::DropDownList},
        {IDC_ADV_PREAMBLE, Kind::DropDownList},
        {IDC_ADV_RX_ANTENNA_LABEL, Kind::Static},
        {IDC_ADV_RX_ANTENNA, Kind::DropDownList},
        {IDC_ADV_TX_ANTENNA_LABEL, Kind::Static},
        {IDC_ADV_TX_ANTENNA, Kind::DropDownList},
        {IDC_ADV_TX_POWER_LABEL, Kind::Static},
        {IDC_ADV_TX_POWER, Kind::DropDownList},
        {IDC_ADV_RATE, Kind::DropDownList},
        {IDC_ADV_FRAG, Kind::Edit},
        {IDC_ADV_FRAG_SPIN, Kind::UpDown, false, IDC_ADV_FRAG},
        {IDC_ADV_RTS, Kind::Edit},
        {IDC_ADV_RTS_SPIN, Kind::UpDown, false, IDC_ADV_RTS},
        {IDC_ADV_APPLY, Kind::PushButton},
        {IDC_ADV_DEFAULT, Kind::PushButton},
        {IDC_ADV_AUTO_CONNECT, Kind::AutoCheckBox},
        {IDC_ADV_AUTO_LINK, Kind::AutoCheckBox},
    };
    const std::vector<fw::ControlSpec> about = {
        {IDC_ABOUT_PROGRAM, Kind::Static}, {IDC_ABOUT_LIBRARY, Kind::Static},
        {IDC_ABOUT_DRIVER, Kind::Static},  {IDC_ABOUT_FIRMWARE, Kind::Static},
        {IDC_ABOUT_MAC, Kind::Static},     {IDC_ABOUT_REGION_LABEL, Kind::Static},
        {IDC_ABOUT_REGION, Kind::Static},  {IDC_ABOUT_CHIP, Kind::Static},
    };
    return fwtest::makeMemoryBackEnd(
        {{IDD_ADVANCED, advanced}, {IDD_ABOUT, about}, {IDD_README, {}}});
}

}  // namespace

INSTANTIATE_ADAPTER_PAGE_SUITES(Memory,
                                AdapterPagesParam{"Memory", makeMemoryBackEnd, adapterText});

}  // namespace adaptertest
