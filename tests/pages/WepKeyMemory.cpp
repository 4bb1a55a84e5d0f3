// The WEP key dialog's template in memory.
#include "res/resource.h"
#include "tests/pages/ProfileMemory.h"

namespace pagestest {

Layouts wepKeyLayouts() {
    using fw::Kind;
    return {{IDD_WEP_KEYS,
             {
                 {IDC_WEP_FORMAT, Kind::ComboBox},
                 {IDC_WEP_SIZE, Kind::ComboBox},
                 {IDC_WEP_TX_KEY1, Kind::RadioButton, true},
                 {IDC_WEP_KEY1, Kind::Edit},
                 {IDC_WEP_TX_KEY2, Kind::RadioButton},
                 {IDC_WEP_KEY2, Kind::Edit},
                 {IDC_WEP_TX_KEY3, Kind::RadioButton},
                 {IDC_WEP_KEY3, Kind::Edit},
                 {IDC_WEP_TX_KEY4, Kind::RadioButton},
                 {IDC_WEP_KEY4, Kind::Edit},
                 {fw::id::Ok, Kind::PushButton},
                 {fw::id::Cancel, Kind::PushButton},
             }}};
}

}  // namespace pagestest
