// The window messages, notification codes and flags that dialogs and pages handle, with
// the values Windows gives them. Portable code uses these names; the Windows back end
// checks every value against <windows.h> at compile time.
#pragma once

#include <cstdint>

namespace fw {

// Window messages.
namespace msg {
constexpr unsigned Notify = 0x004E;      // WM_NOTIFY
constexpr unsigned InitDialog = 0x0110;  // WM_INITDIALOG
constexpr unsigned Command = 0x0111;     // WM_COMMAND
constexpr unsigned Timer = 0x0113;       // WM_TIMER
// The program's private message (WM_APP): the adapter library's events and the
// program's own codes travel in wParam.
constexpr unsigned Private = 0x8000;
}  // namespace msg

// Notification codes: WM_COMMAND carries them in the high word of wParam, WM_NOTIFY in
// the code member of its header.
namespace code {
constexpr int Clicked = 0;             // BN_CLICKED; also a menu or accelerator command
constexpr int ButtonSetFocus = 6;      // BN_SETFOCUS (buttons with BS_NOTIFY)
constexpr int ButtonKillFocus = 7;     // BN_KILLFOCUS
constexpr int EditSetFocus = 0x0100;   // EN_SETFOCUS
constexpr int EditKillFocus = 0x0200;  // EN_KILLFOCUS
constexpr int EditChange = 0x0300;     // EN_CHANGE
constexpr int EditUpdate = 0x0400;     // EN_UPDATE
constexpr int EditMaxText = 0x0501;    // EN_MAXTEXT
constexpr int ComboSelChange = 1;      // CBN_SELCHANGE
constexpr int ComboSetFocus = 3;       // CBN_SETFOCUS
constexpr int ComboKillFocus = 4;      // CBN_KILLFOCUS
constexpr int ComboSelEndCancel = 10;  // CBN_SELENDCANCEL
constexpr int ListBoxSelChange = 1;    // LBN_SELCHANGE
constexpr int ListBoxDoubleClick = 2;  // LBN_DBLCLK
constexpr int ListBoxSetFocus = 4;     // LBN_SETFOCUS
constexpr int ListBoxKillFocus = 5;    // LBN_KILLFOCUS
constexpr int Click = -2;              // NM_CLICK
constexpr int DoubleClick = -3;        // NM_DBLCLK
constexpr int RightClick = -5;         // NM_RCLICK
constexpr int SetFocus = -7;           // NM_SETFOCUS
constexpr int KillFocus = -8;          // NM_KILLFOCUS
constexpr int ReleasedCapture = -16;   // NM_RELEASEDCAPTURE
constexpr int ItemChanging = -100;     // LVN_ITEMCHANGING
constexpr int ItemChanged = -101;      // LVN_ITEMCHANGED
constexpr int InsertItem = -102;       // LVN_INSERTITEM
constexpr int DeleteItem = -103;       // LVN_DELETEITEM
constexpr int DeleteAllItems = -104;   // LVN_DELETEALLITEMS
constexpr int ItemActivate = -114;     // LVN_ITEMACTIVATE
}  // namespace code

// Dialog command ids of the standard buttons, and the answers of message boxes.
namespace id {
constexpr int Ok = 1;      // IDOK
constexpr int Cancel = 2;  // IDCANCEL
constexpr int Yes = 6;     // IDYES
constexpr int No = 7;      // IDNO
}  // namespace id

// Message box buttons and icons.
namespace mb {
constexpr unsigned Ok = 0x00;               // MB_OK
constexpr unsigned OkCancel = 0x01;         // MB_OKCANCEL
constexpr unsigned YesNo = 0x04;            // MB_YESNO
constexpr unsigned IconStop = 0x10;         // MB_ICONHAND
constexpr unsigned IconQuestion = 0x20;     // MB_ICONQUESTION
constexpr unsigned IconExclamation = 0x30;  // MB_ICONEXCLAMATION
constexpr unsigned IconInformation = 0x40;  // MB_ICONASTERISK
}  // namespace mb

// What LVN_ITEMCHANGING and LVN_ITEMCHANGED report as changed.
namespace lvif {
constexpr unsigned Text = 0x0001;   // LVIF_TEXT
constexpr unsigned Image = 0x0002;  // LVIF_IMAGE
constexpr unsigned State = 0x0008;  // LVIF_STATE
}  // namespace lvif

// List-view row states, as LVN_ITEMCHANGED reports them. The check box is the row's
// state image: 1 unchecked, 2 checked.
namespace row {
constexpr unsigned Focused = 0x0001;         // LVIS_FOCUSED
constexpr unsigned Selected = 0x0002;        // LVIS_SELECTED
constexpr unsigned StateImageMask = 0xF000;  // LVIS_STATEIMAGEMASK
constexpr unsigned Unchecked = 1u << 12;     // INDEXTOSTATEIMAGEMASK(1)
constexpr unsigned Checked = 2u << 12;       // INDEXTOSTATEIMAGEMASK(2)
}  // namespace row

// Extended list-view styles.
namespace lvs {
constexpr unsigned GridLines = 0x0001;      // LVS_EX_GRIDLINES
constexpr unsigned CheckBoxes = 0x0004;     // LVS_EX_CHECKBOXES
constexpr unsigned FullRowSelect = 0x0020;  // LVS_EX_FULLROWSELECT
constexpr unsigned LabelTip = 0x4000;       // LVS_EX_LABELTIP: a cut text shows whole
}  // namespace lvs

// Wizard buttons a page enables when it becomes active.
namespace wiz {
constexpr unsigned Back = 0x1;    // PSWIZB_BACK
constexpr unsigned Next = 0x2;    // PSWIZB_NEXT
constexpr unsigned Finish = 0x4;  // PSWIZB_FINISH
}  // namespace wiz

// The buttons of a property sheet that code can press.
enum class SheetButton : int {
    Back = 0,    // PSBTN_BACK
    Next = 1,    // PSBTN_NEXT
    Finish = 2,  // PSBTN_FINISH
    Ok = 3,      // PSBTN_OK
    Cancel = 5,  // PSBTN_CANCEL
};

}  // namespace fw
