// The window messages, notification codes and flags that dialogs and pages handle, with
// the values Windows gives them. Portable code uses these names; the Windows back end
// checks every value against <windows.h> at compile time.
#pragma once

#include <cstdint>
#include <type_traits>

namespace fw {

// Window messages.
namespace msg {
constexpr unsigned Notify = 0x004E;        // WM_NOTIFY
constexpr unsigned InitDialog = 0x0110;    // WM_INITDIALOG
constexpr unsigned Command = 0x0111;       // WM_COMMAND
constexpr unsigned Timer = 0x0113;         // WM_TIMER
constexpr unsigned DeviceChange = 0x0219;  // WM_DEVICECHANGE
// The program's private message (WM_APP): the adapter library's events and the
// program's own codes travel in wParam.
constexpr unsigned Private = 0x8000;
}  // namespace msg

// Notification codes: WM_COMMAND carries them in the high word of wParam, WM_NOTIFY in
// the code member of its header. Each family of controls has a type of its own that
// names the message carrying its codes, so a code cannot be bound to the other message
// (many codes share their numbers: CBN_SELCHANGE and LBN_SELCHANGE are both 1). A code
// reads as its number wherever it is compared with one.
template <class Family>
struct Code {
    int value;
    constexpr operator int() const { return value; }
};

struct ButtonFamily {
    static constexpr unsigned kMessage = msg::Command;
};
struct EditFamily {
    static constexpr unsigned kMessage = msg::Command;
};
struct ComboFamily {
    static constexpr unsigned kMessage = msg::Command;
};
struct ListBoxFamily {
    static constexpr unsigned kMessage = msg::Command;
};
struct ListViewFamily {
    static constexpr unsigned kMessage = msg::Notify;
};
// The codes every common control sends (NM_*).
struct CommonFamily {
    static constexpr unsigned kMessage = msg::Notify;
};

using ButtonCode = Code<ButtonFamily>;
using EditCode = Code<EditFamily>;
using ComboCode = Code<ComboFamily>;
using ListBoxCode = Code<ListBoxFamily>;
using ListViewCode = Code<ListViewFamily>;
using CommonCode = Code<CommonFamily>;

// A code of any family that `Message` carries; nothing else converts to it.
template <unsigned Message>
struct CarriedCode {
    int value;
    template <class Family, std::enable_if_t<Family::kMessage == Message, int> = 0>
    constexpr CarriedCode(Code<Family> code) : value(code.value) {}
    constexpr operator int() const { return value; }
};
using CommandCode = CarriedCode<msg::Command>;
using NotifyCode = CarriedCode<msg::Notify>;

namespace code {
constexpr ButtonCode Clicked{0};              // BN_CLICKED; also a menu or accelerator command
constexpr ButtonCode ButtonSetFocus{6};       // BN_SETFOCUS (buttons with BS_NOTIFY)
constexpr ButtonCode ButtonKillFocus{7};      // BN_KILLFOCUS
constexpr EditCode EditSetFocus{0x0100};      // EN_SETFOCUS
constexpr EditCode EditKillFocus{0x0200};     // EN_KILLFOCUS
constexpr EditCode EditChange{0x0300};        // EN_CHANGE
constexpr EditCode EditUpdate{0x0400};        // EN_UPDATE
constexpr EditCode EditMaxText{0x0501};       // EN_MAXTEXT
constexpr ComboCode ComboSelChange{1};        // CBN_SELCHANGE
constexpr ComboCode ComboSetFocus{3};         // CBN_SETFOCUS
constexpr ComboCode ComboKillFocus{4};        // CBN_KILLFOCUS
constexpr ComboCode ComboSelEndCancel{10};    // CBN_SELENDCANCEL
constexpr ListBoxCode ListBoxSelChange{1};    // LBN_SELCHANGE
constexpr ListBoxCode ListBoxDoubleClick{2};  // LBN_DBLCLK
constexpr ListBoxCode ListBoxSetFocus{4};     // LBN_SETFOCUS
constexpr ListBoxCode ListBoxKillFocus{5};    // LBN_KILLFOCUS
constexpr CommonCode Click{-2};               // NM_CLICK
constexpr CommonCode DoubleClick{-3};         // NM_DBLCLK
constexpr CommonCode RightClick{-5};          // NM_RCLICK
constexpr CommonCode SetFocus{-7};            // NM_SETFOCUS
constexpr CommonCode KillFocus{-8};           // NM_KILLFOCUS
constexpr CommonCode CustomDraw{-12};         // NM_CUSTOMDRAW
constexpr CommonCode ReleasedCapture{-16};    // NM_RELEASEDCAPTURE
constexpr ListViewCode ItemChanging{-100};    // LVN_ITEMCHANGING
constexpr ListViewCode ItemChanged{-101};     // LVN_ITEMCHANGED
constexpr ListViewCode InsertItem{-102};      // LVN_INSERTITEM
constexpr ListViewCode DeleteItem{-103};      // LVN_DELETEITEM
constexpr ListViewCode DeleteAllItems{-104};  // LVN_DELETEALLITEMS
constexpr ListViewCode ItemActivate{-114};    // LVN_ITEMACTIVATE
constexpr ListViewCode KeyDown{-155};         // LVN_KEYDOWN: a key pressed in the list
}  // namespace code

// Virtual keys, as LVN_KEYDOWN reports them.
namespace vk {
constexpr int Space = 0x20;  // VK_SPACE
}  // namespace vk

// What a device-change broadcast (msg::DeviceChange) announces: its code.
namespace dbt {
constexpr int NodesChanged = 0x0007;    // DBT_DEVNODES_CHANGED
constexpr int Arrival = 0x8000;         // DBT_DEVICEARRIVAL
constexpr int RemoveComplete = 0x8004;  // DBT_DEVICEREMOVECOMPLETE
}  // namespace dbt

// What a device-change broadcast names.
enum class DeviceKind {
    None,       // no device, or a kind of broadcast the program does not read
    Interface,  // a device interface, by its name
    Node,       // a device node (Windows 9x), by its hardware key
};

// Dialog command ids of the standard buttons, and the answers of message boxes.
namespace id {
constexpr int Ok = 1;      // IDOK
constexpr int Cancel = 2;  // IDCANCEL
constexpr int Retry = 4;   // IDRETRY
constexpr int Yes = 6;     // IDYES
constexpr int No = 7;      // IDNO
}  // namespace id

// Message box buttons and icons.
namespace mb {
constexpr unsigned Ok = 0x00;               // MB_OK
constexpr unsigned OkCancel = 0x01;         // MB_OKCANCEL
constexpr unsigned YesNo = 0x04;            // MB_YESNO
constexpr unsigned RetryCancel = 0x05;      // MB_RETRYCANCEL
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
