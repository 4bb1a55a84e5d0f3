// The contract suite on the in-memory back end, with the layouts of the suite's
// dialog templates (contract.rc).
#include "tests/framework/ContractIds.h"
#include "tests/framework/ContractSuite.h"

namespace fwtest {
namespace {

using fw::Kind;

std::unique_ptr<BackEnd> makeContractBackEnd() {
    const std::vector<fw::ControlSpec> page = {{IDC_PAGE_EDIT, Kind::Edit}};
    const std::map<int, std::vector<fw::ControlSpec>> layouts = {
        {IDD_CONTRACT,
         {{IDC_EDIT, Kind::Edit},
          {IDC_EDIT2, Kind::Edit},
          {IDC_COMBO, Kind::DropDownList},
          {IDC_LIST, Kind::ListBox},
          {IDC_ROWS, Kind::ListView},
          {IDC_CHECK, Kind::AutoCheckBox},
          {IDC_RADIO1, Kind::AutoRadioButton, true},
          {IDC_RADIO2, Kind::AutoRadioButton},
          {IDC_BUTTON, Kind::PushButton},
          {IDC_PROGRESS, Kind::Progress},
          {IDC_SPIN, Kind::UpDown},
          {IDC_LABEL, Kind::Static},
          {IDC_NUMBER, Kind::Edit},
          {IDC_NUMBER_SPIN, Kind::UpDown, false, IDC_NUMBER},
          {IDC_STATUS, Kind::Edit},
          {IDC_DESCRIPTION, Kind::DropDown},
          {IDC_FRAME, Kind::Static},
          {IDC_STATE_ICON, Kind::Static},
          {fw::id::Ok, Kind::PushButton},
          {fw::id::Cancel, Kind::PushButton}}},
        {IDD_CONTRACT_MODAL,
         {{IDC_EDIT, Kind::Edit},
          {fw::id::Ok, Kind::PushButton},
          {fw::id::Cancel, Kind::PushButton}}},
        {IDD_PAGE_A, page},
        {IDD_PAGE_B, page},
        {IDD_PAGE_C, page},
    };
    return makeMemoryBackEnd(layouts, {{IDD_CONTRACT, "Contract"}});
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Memory, Contract,
                         testing::Values(BackEndParam{"Memory", makeContractBackEnd}), backEndName);

}  // namespace fwtest
