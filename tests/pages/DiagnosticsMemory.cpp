// The Debug and Test pages' suite natively, on the in-memory back end.
#include "framework/MemorySurface.h"
#include "res/resource.h"
#include "tests/pages/DiagnosticsSuite.h"

namespace {

std::map<int, std::vector<fw::ControlSpec>> diagnosticsLayouts() {
    using fw::Kind;
    return {
        {IDD_DEBUG,
         {
             {IDC_DEBUG_RF_INDEX, Kind::Edit},
             {IDC_DEBUG_RF_VALUE, Kind::Edit},
             {IDC_DEBUG_RF_READ, Kind::PushButton},
             {IDC_DEBUG_RF_WRITE, Kind::PushButton},
             {IDC_DEBUG_BB_INDEX, Kind::Edit},
             {IDC_DEBUG_BB_VALUE, Kind::Edit},
             {IDC_DEBUG_BB_READ, Kind::PushButton},
             {IDC_DEBUG_BB_WRITE, Kind::PushButton},
             {IDC_DEBUG_MAC_INDEX, Kind::Edit},
             {IDC_DEBUG_MAC_VALUE, Kind::Edit},
             {IDC_DEBUG_MAC_READ, Kind::PushButton},
             {IDC_DEBUG_MAC_WRITE, Kind::PushButton},
             {IDC_DEBUG_HW_VERSION, Kind::Static},
             {IDC_DEBUG_CAL_NAME1, Kind::Static},
             {IDC_DEBUG_CAL_VALUE1, Kind::Static},
             {IDC_DEBUG_CAL_RANGE1, Kind::Static},
             {IDC_DEBUG_CAL_NAME2, Kind::Static},
             {IDC_DEBUG_CAL_VALUE2, Kind::Static},
             {IDC_DEBUG_CAL_RANGE2, Kind::Static},
             {IDC_DEBUG_CAL_NAME3, Kind::Static},
             {IDC_DEBUG_CAL_VALUE3, Kind::Static},
             {IDC_DEBUG_CAL_RANGE3, Kind::Static},
             {IDC_DEBUG_CAL_NAME4, Kind::Static},
             {IDC_DEBUG_CAL_VALUE4, Kind::Static},
             {IDC_DEBUG_CAL_RANGE4, Kind::Static},
             {IDC_DEBUG_REFRESH, Kind::PushButton},
             {IDC_DEBUG_REFRESH_EVERY_SECOND, Kind::AutoCheckBox},
             {IDC_DEBUG_RATE_EVERY_SECOND, Kind::AutoCheckBox},
             {IDC_DEBUG_TRACE, Kind::AutoCheckBox},
             {IDC_DEBUG_TX_POWER_LABEL, Kind::Static},
             {IDC_DEBUG_TX_POWER, Kind::DropDownList},
         }},
        {IDD_TEST,
         {
             {IDC_TEST_FROM, Kind::Edit},
             {IDC_TEST_TO, Kind::Edit},
             {IDC_TEST_RANGE_GET, Kind::PushButton},
             {IDC_TEST_RANGE_SET, Kind::PushButton},
             {IDC_TEST_SIGNAL, Kind::Edit},
             {IDC_TEST_SIGNAL_GET, Kind::PushButton},
             {IDC_TEST_SIGNAL_SET, Kind::PushButton},
             {IDC_TEST_TX_FAIL, Kind::Edit},
             {IDC_TEST_TX_FAIL_GET, Kind::PushButton},
             {IDC_TEST_TX_FAIL_SET, Kind::PushButton},
             {IDC_TEST_MISC, Kind::DropDownList},
             {IDC_TEST_MISC_GET, Kind::PushButton},
             {IDC_TEST_MISC_SET, Kind::PushButton},
             {IDC_TEST_RADAR, Kind::PushButton},
         }},
    };
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Memory, DiagnosticsSuite,
                         testing::Values(fwtest::BackEndParam{
                             "Memory",
                             [] { return fwtest::makeMemoryBackEnd(diagnosticsLayouts()); }}),
                         fwtest::backEndName);
