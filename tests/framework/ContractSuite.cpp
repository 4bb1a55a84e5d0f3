#include "tests/framework/ContractSuite.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "framework/Sheet.h"
#include "tests/framework/ContractIds.h"

namespace fwtest {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using Log = std::vector<std::string>;

std::string hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", value);
    return text;
}

// One line per notification, as the test expects it: "<id> <notification> [details]".
std::string describe(const fw::Message& m) {
    static const std::map<int, const char*> kCommandNames = {
        {fw::code::EditSetFocus, "EN_SETFOCUS"}, {fw::code::EditKillFocus, "EN_KILLFOCUS"},
        {fw::code::EditChange, "EN_CHANGE"},     {fw::code::EditUpdate, "EN_UPDATE"},
        {fw::code::EditMaxText, "EN_MAXTEXT"},
    };
    static const std::map<int, const char*> kNotifyNames = {
        {fw::code::Click, "NM_CLICK"},
        {fw::code::DoubleClick, "NM_DBLCLK"},
        {fw::code::RightClick, "NM_RCLICK"},
        {fw::code::SetFocus, "NM_SETFOCUS"},
        {fw::code::KillFocus, "NM_KILLFOCUS"},
        {fw::code::ReleasedCapture, "NM_RELEASEDCAPTURE"},
        {fw::code::ItemActivate, "LVN_ITEMACTIVATE"},
        {fw::code::ItemChanging, "LVN_ITEMCHANGING"},
        {fw::code::ItemChanged, "LVN_ITEMCHANGED"},
        {fw::code::InsertItem, "LVN_INSERTITEM"},
        {fw::code::DeleteItem, "LVN_DELETEITEM"},
        {fw::code::DeleteAllItems, "LVN_DELETEALLITEMS"},
        {fw::code::KeyDown, "LVN_KEYDOWN"},
    };
    const std::string id = std::to_string(m.id) + " ";
    if (m.message == fw::msg::Timer) return "timer " + std::to_string(m.id);
    if (m.message == fw::msg::Command) {
        // Combo box, list box and button codes share values: the control tells them apart.
        if (m.id == IDC_COMBO) {
            if (m.code == fw::code::ComboSelChange) return id + "CBN_SELCHANGE";
            if (m.code == fw::code::ComboSetFocus) return id + "CBN_SETFOCUS";
            if (m.code == fw::code::ComboKillFocus) return id + "CBN_KILLFOCUS";
            if (m.code == fw::code::ComboSelEndCancel) return id + "CBN_SELENDCANCEL";
        } else if (m.id == IDC_LIST) {
            if (m.code == fw::code::ListBoxSelChange) return id + "LBN_SELCHANGE";
            if (m.code == fw::code::ListBoxSetFocus) return id + "LBN_SETFOCUS";
            if (m.code == fw::code::ListBoxKillFocus) return id + "LBN_KILLFOCUS";
        } else if (m.id != IDC_EDIT && m.id != IDC_EDIT2 && m.id != IDC_PAGE_EDIT &&
                   m.id != IDC_NUMBER && m.id != IDC_STATUS && m.code == fw::code::Clicked) {
            return id + "BN_CLICKED";
        }
        const auto name = kCommandNames.find(m.code);
        return id + (name != kCommandNames.end() ? name->second : "command " + hex(m.code));
    }
    const auto name = kNotifyNames.find(m.code);
    std::string line =
        id + (name != kNotifyNames.end() ? name->second : "notify " + std::to_string(m.code));
    if (m.code == fw::code::ItemChanging || m.code == fw::code::ItemChanged) {
        line += " row " + std::to_string(m.row) + " " + hex(m.oldState) + "->" + hex(m.newState) +
                " changed " + hex(m.changed);
    } else if (m.code == fw::code::InsertItem || m.code == fw::code::DeleteItem ||
               m.code == fw::code::DeleteAllItems) {
        line += " row " + std::to_string(m.row);
    } else if (m.code == fw::code::Click || m.code == fw::code::DoubleClick ||
               m.code == fw::code::RightClick) {
        line += " row " + std::to_string(m.row) + (m.x < 16 ? " on box" : " on text");
    } else if (m.code == fw::code::KeyDown) {
        line += " key " + hex(static_cast<unsigned>(m.key));
    }
    return line;
}

// Notifications that only painting raises.
bool isPainting(const fw::Message& m) {
    constexpr int kCustomDraw = -12;  // NM_CUSTOMDRAW
    constexpr int kCacheHint = -113;  // LVN_ODCACHEHINT: an owner-data list about to draw rows
    return m.message == fw::msg::Notify && (m.code == kCustomDraw || m.code == kCacheHint);
}

// A dialog that records what reaches it, with a small message map of its own.
class RecordingDialog : public fw::Dialog {
public:
    explicit RecordingDialog(int templateId) : Dialog(templateId) {}
    // What the dialog answers a device broadcast it refuses (BROADCAST_QUERY_DENY).
    static constexpr intptr_t kRefused = 0x424D5144;

    Log take() { return std::exchange(log_, {}); }
    bool onInit() override {
        log_.push_back("init");
        return true;
    }
    void onOk() override {
        okText_ = ui().text(IDC_EDIT);
        Dialog::onOk();
    }
    const std::string& okText() const { return okText_; }
    void vetoChangesOf(int row) { vetoedRow_ = row; }
    // Where the focus was while a list view or an edit heard that it lost it.
    std::vector<int> focusAtKillFocus;

protected:
    bool onMessage(const fw::Message& m) override;

private:
    void onButton(const fw::Message&) { log_.push_back("button handler"); }
    // Vetoes a change of the row `vetoedRow`; leaves every other to the list view.
    fw::Reply onRowChanging(const fw::Message& m) {
        return m.row == vetoedRow_ ? fw::answer(1) : fw::decline();
    }
    void onTick(const fw::Message&) { log_.push_back("tick handler"); }
    // Records a device broadcast; refuses an arrival, leaves the others to the system.
    fw::Reply onDeviceChange(const fw::Message& m) {
        static const char* const kKinds[] = {"none", "interface", "node"};
        log_.push_back("device " + hex(m.code) + " " + kKinds[static_cast<int>(m.deviceKind)] +
                       " " + m.device);
        return m.code == fw::dbt::Arrival ? fw::answer(kRefused) : fw::decline();
    }

    static const fw::MessageEntry<RecordingDialog> kMap[];
    Log log_;
    std::string okText_;
    int vetoedRow_ = -2;
};

const fw::MessageEntry<RecordingDialog> RecordingDialog::kMap[] = {
    fw::onClick(IDC_BUTTON, &RecordingDialog::onButton),
    fw::onTimer(7, &RecordingDialog::onTick),
    fw::onNotify(fw::code::ItemChanging, IDC_ROWS, &RecordingDialog::onRowChanging),
    fw::onMessage(fw::msg::DeviceChange, &RecordingDialog::onDeviceChange),
};

bool RecordingDialog::onMessage(const fw::Message& m) {
    const bool recorded = m.message == fw::msg::Command || m.message == fw::msg::Notify ||
                          m.message == fw::msg::Timer;
    if (recorded && !isPainting(m)) log_.push_back(describe(m));
    if (m.code == fw::code::KillFocus || m.code == fw::code::EditKillFocus) {
        focusAtKillFocus.push_back(ui().focus());
    }
    return fw::dispatch(*this, kMap, m);
}

// The contract dialog, open as a modeless window, with the focus on the push button
// (which raises no focus notifications), and an empty record.
class Bench {
public:
    explicit Bench(const BackEndParam& param) : backEnd_(param.make()) {
        backEnd_->host().createModeless(dialog_, nullptr);
        ui().setFocus(IDC_BUTTON);
        dialog_.take();
    }
    ~Bench() { expectCleanEnd(*backEnd_, &dialog_); }

    fw::Surface& ui() { return dialog_.ui(); }
    fw::UserActions& user() { return backEnd_->user(dialog_); }
    fw::UserActions& user(const fw::Dialog& other) { return backEnd_->user(other); }
    fw::Script& script() { return backEnd_->script(); }
    fw::Host& host() { return backEnd_->host(); }
    RecordingDialog& dialog() { return dialog_; }
    Log take() { return dialog_.take(); }

private:
    std::unique_ptr<BackEnd> backEnd_;
    RecordingDialog dialog_{IDD_CONTRACT};
};

TEST_P(Contract, ANewDialogGivesTheFocusToItsFirstControl) {
    auto backEnd = GetParam().make();
    RecordingDialog dialog(IDD_CONTRACT);
    backEnd->host().createModeless(dialog, nullptr);
    EXPECT_EQ(dialog.ui().focus(), IDC_EDIT);
    EXPECT_THAT(dialog.take(), ElementsAre("init", "1001 EN_SETFOCUS"));
}

TEST_P(Contract, AWindowRemembersTheIdsItsTemplateLacks) {
    auto backEnd = GetParam().make();
    RecordingDialog dialog(IDD_CONTRACT);
    backEnd->host().createModeless(dialog, nullptr);
    dialog.ui().setText(IDC_EDIT, "there");
    dialog.ui().setText(4242, "nowhere");
    EXPECT_EQ(dialog.ui().text(4243), "");
    EXPECT_EQ(backEnd->missingControls(dialog), (std::set<int>{4242, 4243}));
}

TEST_P(Contract, AWindowsTitleStartsAsItsTemplatesCaptionAndChangesQuietly) {
    Bench bench(GetParam());
    EXPECT_EQ(bench.ui().title(), "Contract");
    bench.ui().setTitle("WPA Contract");
    EXPECT_EQ(bench.ui().title(), "WPA Contract");
    EXPECT_THAT(bench.take(), IsEmpty());
}

TEST_P(Contract, SettingAnEditsTextNotifiesAndTypingHonoursTheLimit) {
    Bench bench(GetParam());
    bench.ui().setText(IDC_EDIT, "abc");
    EXPECT_EQ(bench.ui().text(IDC_EDIT), "abc");
    EXPECT_THAT(bench.take(), ElementsAre("1001 EN_UPDATE", "1001 EN_CHANGE"));

    bench.ui().setText(IDC_EDIT, "abc");
    EXPECT_THAT(bench.take(), ElementsAre("1001 EN_UPDATE", "1001 EN_CHANGE"));

    bench.ui().limitText(IDC_EDIT, 5);
    bench.user().type(IDC_EDIT, "def");
    EXPECT_EQ(bench.ui().text(IDC_EDIT), "abcde");
    EXPECT_EQ(bench.ui().caret(IDC_EDIT), 5);
    EXPECT_THAT(bench.take(), ElementsAre("1001 EN_SETFOCUS", "1001 EN_UPDATE", "1001 EN_CHANGE",
                                          "1001 EN_UPDATE", "1001 EN_CHANGE", "1001 EN_MAXTEXT",
                                          "1001 EN_UPDATE", "1001 EN_CHANGE"));

    // The limit binds the user, not the code.
    bench.ui().setText(IDC_EDIT, "abcdefgh");
    EXPECT_EQ(bench.ui().text(IDC_EDIT), "abcdefgh");
    bench.ui().setCaret(IDC_EDIT, 2);
    EXPECT_EQ(bench.ui().caret(IDC_EDIT), 2);
}

TEST_P(Contract, AReadOnlyEditNotifiesLikeAnyEdit) {
    Bench bench(GetParam());
    bench.ui().setText(IDC_STATUS, "Connected");
    EXPECT_EQ(bench.ui().text(IDC_STATUS), "Connected");
    EXPECT_THAT(bench.take(), ElementsAre("1016 EN_UPDATE", "1016 EN_CHANGE"));
}

TEST_P(Contract, AComboShowsItsSelectedEntryAsItsText) {
    Bench bench(GetParam());
    bench.ui().addItem(IDC_COMBO, "Open System", 0);
    bench.ui().addItem(IDC_COMBO, "Shared Key", 1);
    bench.ui().select(IDC_COMBO, 1);
    EXPECT_EQ(bench.ui().text(IDC_COMBO), "Shared Key");
    bench.ui().select(IDC_COMBO, -1);
    EXPECT_EQ(bench.ui().text(IDC_COMBO), "");

    bench.ui().addItem(IDC_DESCRIPTION, "TX-LM70RDV PC Card", 0);
    bench.ui().select(IDC_DESCRIPTION, 0);
    EXPECT_EQ(bench.ui().text(IDC_DESCRIPTION), "TX-LM70RDV PC Card");
    bench.ui().setText(IDC_DESCRIPTION, "Unknown adapter");
    EXPECT_EQ(bench.ui().text(IDC_DESCRIPTION), "Unknown adapter");
    EXPECT_EQ(bench.ui().selection(IDC_DESCRIPTION), 0);
    EXPECT_THAT(bench.take(), IsEmpty());
}

TEST_P(Contract, LabelsAndButtonsChangeWithoutNotifying) {
    Bench bench(GetParam());
    bench.ui().setText(IDC_LABEL, "Channel 6");
    bench.ui().setText(IDC_BUTTON, "Configure");
    bench.ui().setCheck(IDC_CHECK, true);
    bench.ui().setCheck(IDC_RADIO2, true);
    EXPECT_EQ(bench.ui().text(IDC_LABEL), "Channel 6");
    EXPECT_EQ(bench.ui().text(IDC_BUTTON), "Configure");
    EXPECT_TRUE(bench.ui().isChecked(IDC_CHECK));
    EXPECT_TRUE(bench.ui().isChecked(IDC_RADIO2));
    EXPECT_FALSE(bench.ui().isChecked(IDC_RADIO1));

    bench.ui().enable(IDC_LABEL, false);
    bench.ui().show(IDC_CHECK, false);
    EXPECT_FALSE(bench.ui().isEnabled(IDC_LABEL));
    EXPECT_TRUE(bench.ui().isEnabled(IDC_CHECK));
    EXPECT_FALSE(bench.ui().isVisible(IDC_CHECK));
    EXPECT_TRUE(bench.ui().isVisible(IDC_LABEL));
    EXPECT_THAT(bench.take(), IsEmpty());
}

TEST_P(Contract, ClickingButtonsTogglesThemAndReachesTheMessageMap) {
    Bench bench(GetParam());
    bench.user().click(IDC_CHECK);
    EXPECT_TRUE(bench.ui().isChecked(IDC_CHECK));
    bench.user().click(IDC_CHECK);
    EXPECT_FALSE(bench.ui().isChecked(IDC_CHECK));
    EXPECT_THAT(bench.take(), ElementsAre("1006 BN_CLICKED", "1006 BN_CLICKED"));

    bench.ui().setCheck(IDC_RADIO1, true);
    bench.user().click(IDC_RADIO2);
    EXPECT_TRUE(bench.ui().isChecked(IDC_RADIO2));
    EXPECT_FALSE(bench.ui().isChecked(IDC_RADIO1));
    EXPECT_THAT(bench.take(), ElementsAre("1008 BN_CLICKED"));

    bench.user().click(IDC_BUTTON);
    EXPECT_THAT(bench.take(), ElementsAre("1009 BN_CLICKED", "button handler"));
    EXPECT_EQ(bench.ui().focus(), IDC_BUTTON);
}

TEST_P(Contract, FocusMovesWithItsNotifications) {
    Bench bench(GetParam());
    bench.ui().setFocus(IDC_EDIT);
    bench.ui().setFocus(IDC_COMBO);
    bench.ui().setFocus(IDC_ROWS);
    bench.ui().setFocus(IDC_LIST);
    EXPECT_EQ(bench.ui().focus(), IDC_LIST);
    EXPECT_THAT(bench.take(),
                ElementsAre("1001 EN_SETFOCUS", "1001 EN_KILLFOCUS", "1003 CBN_SETFOCUS",
                            "1003 CBN_SELENDCANCEL", "1003 CBN_KILLFOCUS", "1005 NM_SETFOCUS",
                            "1005 NM_KILLFOCUS", "1004 LBN_SETFOCUS"));

    bench.user().focus(IDC_EDIT2);
    EXPECT_THAT(bench.take(), ElementsAre("1004 LBN_KILLFOCUS", "1002 EN_SETFOCUS"));
    EXPECT_EQ(bench.ui().focus(), IDC_EDIT2);
}

TEST_P(Contract, AControlLosingTheFocusSeesWhereItWent) {
    Bench bench(GetParam());
    bench.ui().setFocus(IDC_ROWS);
    bench.dialog().focusAtKillFocus.clear();
    bench.user().click(IDC_BUTTON);
    bench.ui().setFocus(IDC_EDIT);
    bench.ui().setFocus(IDC_LIST);
    EXPECT_THAT(bench.dialog().focusAtKillFocus, ElementsAre(IDC_BUTTON, IDC_LIST));
}

TEST_P(Contract, HidingTheFocusedControlGivesTheFocusToTheFirstControl) {
    Bench bench(GetParam());
    bench.ui().setFocus(IDC_COMBO);
    bench.take();
    bench.ui().show(IDC_COMBO, false);
    EXPECT_EQ(bench.ui().focus(), IDC_EDIT);
    EXPECT_THAT(bench.take(),
                ElementsAre("1003 CBN_SELENDCANCEL", "1003 CBN_KILLFOCUS", "1001 EN_SETFOCUS"));

    bench.ui().enable(IDC_EDIT, false);
    bench.ui().setFocus(IDC_LIST);
    bench.take();
    bench.ui().show(IDC_LIST, false);
    EXPECT_EQ(bench.ui().focus(), IDC_EDIT2);
    EXPECT_THAT(bench.take(), ElementsAre("1004 LBN_KILLFOCUS", "1002 EN_SETFOCUS"));
}

TEST_P(Contract, DisablingTheFocusedControlLeavesNoFocus) {
    Bench bench(GetParam());
    bench.ui().setFocus(IDC_EDIT);
    bench.take();
    bench.ui().enable(IDC_EDIT, false);
    EXPECT_EQ(bench.ui().focus(), 0);
    EXPECT_THAT(bench.take(), ElementsAre("1001 EN_KILLFOCUS"));
}

TEST_P(Contract, FocusingARadioButtonFromCodeDoesNotClickIt) {
    Bench bench(GetParam());
    bench.ui().setFocus(IDC_RADIO1);
    EXPECT_EQ(bench.ui().focus(), IDC_RADIO1);
    EXPECT_FALSE(bench.ui().isChecked(IDC_RADIO1));
    EXPECT_THAT(bench.take(), IsEmpty());
}

TEST_P(Contract, ComboAndListBoxEntriesCarryDataAndOnlyTheUsersPickNotifies) {
    Bench bench(GetParam());
    for (int id : {IDC_COMBO, IDC_LIST}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(bench.ui().addItem(id, "Open System", 0), 0);
        EXPECT_EQ(bench.ui().addItem(id, "Shared Key", 1), 1);
        EXPECT_EQ(bench.ui().addItem(id, "WPA-PSK", 2), 2);
        EXPECT_EQ(bench.ui().selection(id), -1);
        bench.ui().select(id, 1);
        EXPECT_EQ(bench.ui().itemCount(id), 3);
        EXPECT_EQ(bench.ui().selection(id), 1);
        EXPECT_EQ(bench.ui().itemText(id, 2), "WPA-PSK");
        EXPECT_EQ(bench.ui().itemData(id, 2), 2);
        bench.ui().select(id, -1);
        EXPECT_EQ(bench.ui().selection(id), -1);
        EXPECT_THAT(bench.take(), IsEmpty());
    }

    bench.user().pick(IDC_COMBO, 2);
    EXPECT_EQ(bench.ui().selection(IDC_COMBO), 2);
    bench.user().pick(IDC_LIST, 0);
    EXPECT_EQ(bench.ui().selection(IDC_LIST), 0);
    EXPECT_THAT(bench.take(),
                ElementsAre("1003 CBN_SETFOCUS", "1003 CBN_SELCHANGE", "1003 CBN_SELENDCANCEL",
                            "1003 CBN_KILLFOCUS", "1004 LBN_SETFOCUS", "1004 LBN_SELCHANGE"));

    bench.ui().clearItems(IDC_COMBO);
    EXPECT_EQ(bench.ui().itemCount(IDC_COMBO), 0);
    EXPECT_EQ(bench.ui().selection(IDC_COMBO), -1);
    EXPECT_THAT(bench.take(), IsEmpty());
}

// A list view with check boxes, two columns and three rows.
void fillRows(Bench& bench) {
    bench.ui().setListStyle(IDC_ROWS, fw::lvs::CheckBoxes | fw::lvs::FullRowSelect);
    bench.ui().setImages(IDC_ROWS, {IDI_ROW, IDI_ROW_IN_USE}, 16, 4);
    bench.ui().addColumn(IDC_ROWS, "Network", 120);
    bench.ui().addColumn(IDC_ROWS, "Channel", 60);
    EXPECT_EQ(bench.ui().insertRow(IDC_ROWS, 0, "Home", 0, 100), 0);
    EXPECT_EQ(bench.ui().insertRow(IDC_ROWS, 1, "Office", 1, 200), 1);
    EXPECT_EQ(bench.ui().insertRow(IDC_ROWS, 1, "Cafe", 0, 300), 1);
}

TEST_P(Contract, ListViewRowsKeepTextImagesAndData) {
    Bench bench(GetParam());
    fillRows(bench);
    EXPECT_THAT(bench.take(), ElementsAre("1005 LVN_INSERTITEM row 0", "1005 LVN_INSERTITEM row 1",
                                          "1005 LVN_INSERTITEM row 1"));
    bench.ui().setCell(IDC_ROWS, 2, 1, "11");
    EXPECT_THAT(bench.take(), IsEmpty());
    // The row's own image and text are item changes.
    bench.ui().setRowImage(IDC_ROWS, 0, 1);
    bench.ui().setRowImage(IDC_ROWS, 0, 1);
    bench.ui().setCell(IDC_ROWS, 0, 0, "House");
    EXPECT_THAT(bench.take(), ElementsAre("1005 LVN_ITEMCHANGING row 0 0->0 changed 2",
                                          "1005 LVN_ITEMCHANGED row 0 0->0 changed 2",
                                          "1005 LVN_ITEMCHANGING row 0 0->0 changed 2",
                                          "1005 LVN_ITEMCHANGING row 0 0->0 changed 1",
                                          "1005 LVN_ITEMCHANGED row 0 0->0 changed 1"));
    EXPECT_EQ(bench.ui().rowCount(IDC_ROWS), 3);
    EXPECT_EQ(bench.ui().cell(IDC_ROWS, 0, 0), "House");
    EXPECT_EQ(bench.ui().cell(IDC_ROWS, 1, 0), "Cafe");
    EXPECT_EQ(bench.ui().cell(IDC_ROWS, 2, 0), "Office");
    EXPECT_EQ(bench.ui().cell(IDC_ROWS, 2, 1), "11");
    EXPECT_EQ(bench.ui().cell(IDC_ROWS, 0, 1), "");
    EXPECT_EQ(bench.ui().rowImage(IDC_ROWS, 0), 1);
    EXPECT_EQ(bench.ui().rowImage(IDC_ROWS, 2), 1);
    EXPECT_EQ(bench.ui().rowData(IDC_ROWS, 1), 300);
    EXPECT_FALSE(bench.ui().isRowChecked(IDC_ROWS, 0));
    EXPECT_EQ(bench.ui().selectedRow(IDC_ROWS), -1);
    EXPECT_THAT(bench.take(), IsEmpty());
}

TEST_P(Contract, TurningCheckBoxesOnGivesEveryRowAnEmptyBox) {
    Bench bench(GetParam());
    bench.ui().addColumn(IDC_ROWS, "Network", 120);
    bench.ui().insertRow(IDC_ROWS, 0, "Home", 0, 1);
    bench.ui().insertRow(IDC_ROWS, 1, "Office", 0, 2);
    bench.take();
    bench.ui().setListStyle(IDC_ROWS, fw::lvs::CheckBoxes | fw::lvs::GridLines);
    EXPECT_EQ(bench.ui().rowState(IDC_ROWS, 1), fw::row::Unchecked);
    EXPECT_THAT(bench.take(), ElementsAre("1005 LVN_ITEMCHANGING row 0 0->1000 changed 8",
                                          "1005 LVN_ITEMCHANGED row 0 0->1000 changed 8",
                                          "1005 LVN_ITEMCHANGING row 1 0->1000 changed 8",
                                          "1005 LVN_ITEMCHANGED row 1 0->1000 changed 8"));
    bench.ui().setListStyle(IDC_ROWS, fw::lvs::CheckBoxes);
    EXPECT_THAT(bench.take(), IsEmpty());
}

TEST_P(Contract, ChangingARowsStateOrCheckBoxNotifies) {
    Bench bench(GetParam());
    fillRows(bench);
    bench.take();
    const unsigned both = fw::row::Selected | fw::row::Focused;
    bench.ui().setRowState(IDC_ROWS, 1, both, both);
    EXPECT_EQ(bench.ui().selectedRow(IDC_ROWS), 1);
    EXPECT_EQ(bench.ui().rowState(IDC_ROWS, 1) & both, both);
    EXPECT_THAT(bench.take(), ElementsAre("1005 LVN_ITEMCHANGING row 1 1000->1003 changed 8",
                                          "1005 LVN_ITEMCHANGED row 1 1000->1003 changed 8"));

    bench.ui().setRowState(IDC_ROWS, 2, both, both);
    EXPECT_EQ(bench.ui().selectedRow(IDC_ROWS), 2);
    EXPECT_EQ(bench.ui().rowState(IDC_ROWS, 1) & both, 0u);
    EXPECT_THAT(bench.take(), ElementsAre("1005 LVN_ITEMCHANGING row 2 1000->1003 changed 8",
                                          "1005 LVN_ITEMCHANGING row 1 1003->1001 changed 8",
                                          "1005 LVN_ITEMCHANGED row 1 1003->1001 changed 8",
                                          "1005 LVN_ITEMCHANGING row 1 1001->1000 changed 8",
                                          "1005 LVN_ITEMCHANGED row 1 1001->1000 changed 8",
                                          "1005 LVN_ITEMCHANGED row 2 1000->1003 changed 8"));

    // Clearing the selection leaves the focus.
    bench.ui().setRowState(IDC_ROWS, 2, 0, fw::row::Selected);
    EXPECT_EQ(bench.ui().selectedRow(IDC_ROWS), -1);
    EXPECT_EQ(bench.ui().rowState(IDC_ROWS, 2), fw::row::Unchecked | fw::row::Focused);
    EXPECT_THAT(bench.take(), ElementsAre("1005 LVN_ITEMCHANGING row 2 1003->1001 changed 8",
                                          "1005 LVN_ITEMCHANGED row 2 1003->1001 changed 8"));

    bench.ui().setRowChecked(IDC_ROWS, 0, true);
    EXPECT_TRUE(bench.ui().isRowChecked(IDC_ROWS, 0));
    EXPECT_THAT(bench.take(), ElementsAre("1005 LVN_ITEMCHANGING row 0 1000->2000 changed 8",
                                          "1005 LVN_ITEMCHANGED row 0 1000->2000 changed 8"));
    bench.ui().setRowChecked(IDC_ROWS, 0, true);
    EXPECT_THAT(bench.take(), ElementsAre("1005 LVN_ITEMCHANGING row 0 2000->2000 changed 8"));
}

TEST_P(Contract, DeletingRowsNotifies) {
    Bench bench(GetParam());
    fillRows(bench);
    const unsigned both = fw::row::Selected | fw::row::Focused;
    bench.ui().setRowState(IDC_ROWS, 1, both, both);
    bench.take();
    bench.ui().deleteRow(IDC_ROWS, 1);
    EXPECT_EQ(bench.ui().rowCount(IDC_ROWS), 2);
    EXPECT_EQ(bench.ui().cell(IDC_ROWS, 1, 0), "Office");
    EXPECT_EQ(bench.ui().selectedRow(IDC_ROWS), -1);
    EXPECT_THAT(bench.take(), ElementsAre("1005 LVN_ITEMCHANGING row 1 1003->1000 changed 8",
                                          "1005 LVN_ITEMCHANGED row 1 1003->1000 changed 8",
                                          "1005 LVN_DELETEITEM row 1"));
    bench.ui().deleteRow(IDC_ROWS, 0);
    EXPECT_THAT(bench.take(), ElementsAre("1005 LVN_ITEMCHANGING row 0 1000->1000 changed 8",
                                          "1005 LVN_DELETEITEM row 0"));
    bench.ui().insertRow(IDC_ROWS, 1, "Cafe", 0, 300);
    bench.take();
    bench.ui().deleteAllRows(IDC_ROWS);
    EXPECT_EQ(bench.ui().rowCount(IDC_ROWS), 0);
    EXPECT_THAT(bench.take(),
                ElementsAre("1005 LVN_DELETEALLITEMS row -1", "1005 LVN_DELETEITEM row 1",
                            "1005 LVN_DELETEITEM row 0"));
}

TEST_P(Contract, TheDialogMayVetoARowsChange) {
    Bench bench(GetParam());
    fillRows(bench);
    bench.dialog().vetoChangesOf(1);
    bench.take();
    bench.ui().setRowState(IDC_ROWS, 1, fw::row::Selected, fw::row::Selected);
    bench.ui().setCell(IDC_ROWS, 1, 0, "Library");
    bench.ui().setRowChecked(IDC_ROWS, 1, true);
    EXPECT_EQ(bench.ui().selectedRow(IDC_ROWS), -1);
    EXPECT_EQ(bench.ui().cell(IDC_ROWS, 1, 0), "Cafe");
    EXPECT_FALSE(bench.ui().isRowChecked(IDC_ROWS, 1));
    EXPECT_THAT(bench.take(), ElementsAre("1005 LVN_ITEMCHANGING row 1 1000->1002 changed 8",
                                          "1005 LVN_ITEMCHANGING row 1 0->0 changed 1",
                                          "1005 LVN_ITEMCHANGING row 1 1000->2000 changed 8"));
    // The other rows change as ever.
    bench.ui().setRowState(IDC_ROWS, 2, fw::row::Selected, fw::row::Selected);
    EXPECT_EQ(bench.ui().selectedRow(IDC_ROWS), 2);
    EXPECT_THAT(bench.take(), ElementsAre("1005 LVN_ITEMCHANGING row 2 1000->1002 changed 8",
                                          "1005 LVN_ITEMCHANGED row 2 1000->1002 changed 8"));
}

TEST_P(Contract, ClickingRowsSelectsAndChecksThem) {
    Bench bench(GetParam());
    fillRows(bench);
    bench.take();
    bench.user().clickRow(IDC_ROWS, 2);
    EXPECT_EQ(bench.ui().selectedRow(IDC_ROWS), 2);
    EXPECT_EQ(bench.ui().focus(), IDC_ROWS);
    EXPECT_THAT(bench.take(), ElementsAre("1005 NM_RELEASEDCAPTURE",
                                          "1005 LVN_ITEMCHANGING row 2 1000->1003 changed 8",
                                          "1005 LVN_ITEMCHANGED row 2 1000->1003 changed 8",
                                          "1005 NM_SETFOCUS", "1005 NM_CLICK row 2 on text"));

    // The click comes before the box changes.
    bench.user().clickCheckBox(IDC_ROWS, 0);
    EXPECT_TRUE(bench.ui().isRowChecked(IDC_ROWS, 0));
    EXPECT_EQ(bench.ui().selectedRow(IDC_ROWS), 2);
    EXPECT_THAT(bench.take(), ElementsAre("1005 NM_RELEASEDCAPTURE", "1005 NM_CLICK row 0 on box",
                                          "1005 LVN_ITEMCHANGING row 0 1000->2000 changed 8",
                                          "1005 LVN_ITEMCHANGED row 0 1000->2000 changed 8"));

    bench.user().doubleClickRow(IDC_ROWS, 1);
    EXPECT_THAT(bench.take(), ElementsAre("1005 NM_RELEASEDCAPTURE",
                                          "1005 LVN_ITEMCHANGING row 2 1003->1001 changed 8",
                                          "1005 LVN_ITEMCHANGED row 2 1003->1001 changed 8",
                                          "1005 LVN_ITEMCHANGING row 1 1000->1003 changed 8",
                                          "1005 LVN_ITEMCHANGING row 2 1001->1000 changed 8",
                                          "1005 LVN_ITEMCHANGED row 2 1001->1000 changed 8",
                                          "1005 LVN_ITEMCHANGED row 1 1000->1003 changed 8",
                                          "1005 NM_CLICK row 1 on text", "1005 NM_RELEASEDCAPTURE",
                                          "1005 NM_DBLCLK row 1 on text", "1005 LVN_ITEMACTIVATE"));

    // Clicking the selected row again changes nothing.
    bench.user().clickRow(IDC_ROWS, 1);
    EXPECT_THAT(bench.take(),
                ElementsAre("1005 NM_RELEASEDCAPTURE", "1005 NM_CLICK row 1 on text"));

    // A right click focuses the row first, then selects it; giving the focus to the row
    // that has it takes it away and back.
    bench.user().rightClickRow(IDC_ROWS, 0);
    EXPECT_EQ(bench.ui().selectedRow(IDC_ROWS), 0);
    EXPECT_EQ(bench.ui().rowState(IDC_ROWS, 0),
              fw::row::Checked | fw::row::Selected | fw::row::Focused);
    EXPECT_THAT(bench.take(), ElementsAre("1005 NM_RELEASEDCAPTURE",
                                          "1005 LVN_ITEMCHANGING row 0 2000->2001 changed 8",
                                          "1005 LVN_ITEMCHANGING row 1 1003->1002 changed 8",
                                          "1005 LVN_ITEMCHANGED row 1 1003->1002 changed 8",
                                          "1005 LVN_ITEMCHANGED row 0 2000->2001 changed 8",
                                          "1005 LVN_ITEMCHANGING row 1 1002->1000 changed 8",
                                          "1005 LVN_ITEMCHANGED row 1 1002->1000 changed 8",
                                          "1005 LVN_ITEMCHANGING row 0 2001->2003 changed 8",
                                          "1005 LVN_ITEMCHANGING row 0 2003->2002 changed 8",
                                          "1005 LVN_ITEMCHANGED row 0 2003->2002 changed 8",
                                          "1005 LVN_ITEMCHANGED row 0 2001->2003 changed 8",
                                          "1005 NM_RCLICK row 0 on text"));
}

TEST_P(Contract, ClickingARowsCheckBoxLeavesFocusAndSelection) {
    Bench bench(GetParam());
    fillRows(bench);
    bench.take();
    bench.user().clickCheckBox(IDC_ROWS, 1);
    EXPECT_TRUE(bench.ui().isRowChecked(IDC_ROWS, 1));
    EXPECT_EQ(bench.ui().focus(), IDC_BUTTON);
    EXPECT_EQ(bench.ui().selectedRow(IDC_ROWS), -1);
    EXPECT_THAT(bench.take(), ElementsAre("1005 NM_RELEASEDCAPTURE", "1005 NM_CLICK row 1 on box",
                                          "1005 LVN_ITEMCHANGING row 1 1000->2000 changed 8",
                                          "1005 LVN_ITEMCHANGED row 1 1000->2000 changed 8"));
}

// The rows an owner-data list shows: a name, an image and a check box each.
class Rows : public fw::RowSource {
public:
    std::vector<fw::RowView> views = {
        {"Home", 0, true, 100}, {"Cafe", 1, false, 200}, {"Office", 0, false, 300}};
    fw::RowView rowView(int row) const override { return views.at(row); }
};

// An owner-data list with check boxes and the three rows: turning the boxes on tells of
// every row at once.
void showOwnerRows(Bench& bench, Rows& rows) {
    bench.ui().setRowSource(IDC_OWNER_ROWS, &rows);
    bench.ui().setListStyle(IDC_OWNER_ROWS, fw::lvs::CheckBoxes);
    bench.ui().setImages(IDC_OWNER_ROWS, {IDI_ROW, IDI_ROW_IN_USE}, 16, 4);
    bench.ui().addColumn(IDC_OWNER_ROWS, "", 200);
    bench.ui().setRowCount(IDC_OWNER_ROWS, 3);
    EXPECT_THAT(bench.take(), ElementsAre("1019 LVN_ITEMCHANGED row -1 0->1000 changed 8"));
}

TEST_P(Contract, AnOwnerDataListReadsItsRowsFromItsSource) {
    Bench bench(GetParam());
    Rows rows;
    showOwnerRows(bench, rows);
    EXPECT_EQ(bench.ui().rowCount(IDC_OWNER_ROWS), 3);
    EXPECT_EQ(bench.ui().cell(IDC_OWNER_ROWS, 1, 0), "Cafe");
    EXPECT_EQ(bench.ui().rowImage(IDC_OWNER_ROWS, 1), 1);
    EXPECT_EQ(bench.ui().rowData(IDC_OWNER_ROWS, 2), 300);
    EXPECT_TRUE(bench.ui().isRowChecked(IDC_OWNER_ROWS, 0));
    EXPECT_EQ(bench.ui().rowState(IDC_OWNER_ROWS, 1), fw::row::Unchecked);
    rows.views[1] = {"Library", 0, true, 400};
    bench.ui().redrawRows(IDC_OWNER_ROWS);
    EXPECT_EQ(bench.ui().cell(IDC_OWNER_ROWS, 1, 0), "Library");
    EXPECT_EQ(bench.ui().rowState(IDC_OWNER_ROWS, 1), fw::row::Checked);
    // Its boxes are the source's: the list keeps none.
    bench.ui().setRowChecked(IDC_OWNER_ROWS, 2, true);
    EXPECT_FALSE(bench.ui().isRowChecked(IDC_OWNER_ROWS, 2));
    EXPECT_THAT(bench.take(), IsEmpty());
}

// Selection and focus change with LVN_ITEMCHANGED alone; the rows that lose the
// selection are told of at once, as row -1.
TEST_P(Contract, AnOwnerDataListKeepsOnlyItsSelectionAndFocus) {
    Bench bench(GetParam());
    Rows rows;
    showOwnerRows(bench, rows);
    const unsigned both = fw::row::Selected | fw::row::Focused;
    struct Step {
        int row;
        unsigned state;
        unsigned mask;
        Log notified;
    };
    const Step steps[] = {
        {1, both, both, {"1019 LVN_ITEMCHANGED row 1 0->3 changed 8"}},
        {1, both, both, {}},
        {2,
         both,
         both,
         {"1019 LVN_ITEMCHANGED row -1 2->0 changed 8", "1019 LVN_ITEMCHANGED row 1 1->0 changed 8",
          "1019 LVN_ITEMCHANGED row 2 0->3 changed 8"}},
        {2, 0, fw::row::Selected, {"1019 LVN_ITEMCHANGED row 2 3->1 changed 8"}},
        {0, fw::row::Selected, fw::row::Selected, {"1019 LVN_ITEMCHANGED row 0 0->2 changed 8"}},
    };
    for (const Step& step : steps) {
        bench.ui().setRowState(IDC_OWNER_ROWS, step.row, step.state, step.mask);
        EXPECT_EQ(bench.take(), step.notified) << "row " << step.row;
    }
    // Fewer rows drop the selection past the end, quietly; more keep it.
    bench.ui().setRowState(IDC_OWNER_ROWS, 2, both, both);
    bench.take();
    bench.ui().setRowCount(IDC_OWNER_ROWS, 2);
    EXPECT_EQ(bench.ui().selectedRow(IDC_OWNER_ROWS), -1);
    bench.ui().setRowState(IDC_OWNER_ROWS, 0, both, both);
    bench.ui().setRowCount(IDC_OWNER_ROWS, 3);
    EXPECT_EQ(bench.ui().selectedRow(IDC_OWNER_ROWS), 0);
    EXPECT_EQ(bench.ui().rowState(IDC_OWNER_ROWS, 0), fw::row::Checked | both);
    EXPECT_THAT(bench.take(), ElementsAre("1019 LVN_ITEMCHANGED row 0 0->3 changed 8"));
    bench.ui().deleteAllRows(IDC_OWNER_ROWS);
    EXPECT_EQ(bench.ui().rowCount(IDC_OWNER_ROWS), 0);
    EXPECT_THAT(bench.take(), ElementsAre("1019 LVN_DELETEALLITEMS row -1"));
}

TEST_P(Contract, ClickingAnOwnerDataRowSelectsItAndItsBoxIsTheSourcesBusiness) {
    Bench bench(GetParam());
    Rows rows;
    showOwnerRows(bench, rows);
    bench.user().clickRow(IDC_OWNER_ROWS, 2);
    EXPECT_EQ(bench.ui().selectedRow(IDC_OWNER_ROWS), 2);
    EXPECT_THAT(bench.take(),
                ElementsAre("1019 NM_RELEASEDCAPTURE", "1019 LVN_ITEMCHANGED row 2 0->3 changed 8",
                            "1019 NM_SETFOCUS", "1019 NM_CLICK row 2 on text"));
    bench.user().clickCheckBox(IDC_OWNER_ROWS, 1);
    EXPECT_FALSE(bench.ui().isRowChecked(IDC_OWNER_ROWS, 1));
    EXPECT_EQ(bench.ui().selectedRow(IDC_OWNER_ROWS), 2);
    EXPECT_THAT(bench.take(), ElementsAre("1019 NM_RELEASEDCAPTURE", "1019 NM_CLICK row 1 on box"));
    // A right click focuses the row first, then selects it.
    bench.user().rightClickRow(IDC_OWNER_ROWS, 0);
    EXPECT_THAT(
        bench.take(),
        ElementsAre("1019 NM_RELEASEDCAPTURE", "1019 LVN_ITEMCHANGED row 2 3->2 changed 8",
                    "1019 LVN_ITEMCHANGED row 0 0->1 changed 8",
                    "1019 LVN_ITEMCHANGED row -1 2->0 changed 8",
                    "1019 LVN_ITEMCHANGED row 0 3->2 changed 8",
                    "1019 LVN_ITEMCHANGED row 0 1->3 changed 8", "1019 NM_RCLICK row 0 on text"));
    bench.user().clickRow(IDC_OWNER_ROWS, 0);
    EXPECT_THAT(bench.take(),
                ElementsAre("1019 NM_RELEASEDCAPTURE", "1019 NM_CLICK row 0 on text"));
}

// Space on the selected row of a list with check boxes: the list takes the focus and
// hears the key first; then a list turns its own box over, while an owner-data list
// leaves the box to its source, and the row is selected again (an owner-data list clears
// its selection first).
TEST_P(Contract, AKeyPressedOnAListReachesTheMapWithItsKey) {
    const unsigned both = fw::row::Selected | fw::row::Focused;
    struct Case {
        int list;
        Log notified;
    };
    const Case cases[] = {
        {IDC_ROWS,
         {"1005 NM_SETFOCUS", "1005 LVN_KEYDOWN key 20",
          "1005 LVN_ITEMCHANGING row 1 1003->2003 changed 8",
          "1005 LVN_ITEMCHANGED row 1 1003->2003 changed 8",
          "1005 LVN_ITEMCHANGING row 1 2003->2003 changed 8"}},
        {IDC_OWNER_ROWS,
         {"1019 NM_SETFOCUS", "1019 LVN_KEYDOWN key 20",
          "1019 LVN_ITEMCHANGED row -1 2->0 changed 8", "1019 LVN_ITEMCHANGED row 1 3->2 changed 8",
          "1019 LVN_ITEMCHANGED row 1 1->3 changed 8"}},
    };
    for (const Case& c : cases) {
        Bench bench(GetParam());
        Rows rows;
        fillRows(bench);
        bench.take();
        showOwnerRows(bench, rows);
        bench.ui().setRowState(c.list, 1, both, both);
        bench.take();
        bench.user().pressKey(c.list, fw::vk::Space);
        EXPECT_EQ(bench.take(), c.notified) << c.list;
    }
}

TEST_P(Contract, AControlCarriesItsTooltip) {
    Bench bench(GetParam());
    EXPECT_EQ(bench.ui().tip(IDC_ROWS), "");
    bench.ui().addTip(IDC_ROWS, "Add/Remove Profile from Auto Configuration Prefer List.", 0, 15,
                      200);
    EXPECT_EQ(bench.ui().tip(IDC_ROWS), "Add/Remove Profile from Auto Configuration Prefer List.");
    EXPECT_THAT(bench.take(), IsEmpty());
}

TEST_P(Contract, ProgressBarsAndSpinsKeepRangeAndPosition) {
    Bench bench(GetParam());
    bench.ui().setRange(IDC_PROGRESS, 0, 40);
    bench.ui().setPos(IDC_PROGRESS, 25);
    bench.ui().setRange(IDC_SPIN, 1, 14);
    bench.ui().setPos(IDC_SPIN, 6);
    EXPECT_EQ(bench.ui().range(IDC_PROGRESS), std::make_pair(0, 40));
    EXPECT_EQ(bench.ui().pos(IDC_PROGRESS), 25);
    EXPECT_EQ(bench.ui().range(IDC_SPIN), std::make_pair(1, 14));
    EXPECT_EQ(bench.ui().pos(IDC_SPIN), 6);
    EXPECT_THAT(bench.take(), IsEmpty());
}

TEST_P(Contract, ASpinSetsItsEditsNumberAndReadsItBack) {
    Bench bench(GetParam());
    bench.ui().setRange(IDC_NUMBER_SPIN, 256, 2346);
    EXPECT_THAT(bench.take(), IsEmpty());
    bench.ui().setPos(IDC_NUMBER_SPIN, 2346);
    EXPECT_EQ(bench.ui().text(IDC_NUMBER), "2346");
    EXPECT_THAT(bench.take(), ElementsAre("1014 EN_UPDATE", "1014 EN_CHANGE"));
    bench.ui().setText(IDC_NUMBER, "500");
    EXPECT_EQ(bench.ui().pos(IDC_NUMBER_SPIN), 500);
    // A number the spin cannot take leaves the last one it took.
    bench.ui().setText(IDC_NUMBER, "9999");
    EXPECT_EQ(bench.ui().pos(IDC_NUMBER_SPIN), 500);
    bench.ui().setText(IDC_NUMBER, "");
    EXPECT_EQ(bench.ui().pos(IDC_NUMBER_SPIN), 500);
}

TEST_P(Contract, TimersFireIntoTheMessageMapUntilKilled) {
    Bench bench(GetParam());
    bench.ui().setTimer(7, 10);
    bench.user().fireTimer(7);
    EXPECT_THAT(bench.take(), ElementsAre("timer 7", "tick handler"));
    bench.ui().killTimer(7);
    bench.ui().setTimer(8, 10);
    bench.user().fireTimer(8);
    bench.ui().killTimer(8);
    EXPECT_THAT(bench.take(), ElementsAre("timer 8"));
}

TEST_P(Contract, APauseGoesOnHandlingTheWindowsMessages) {
    Bench bench(GetParam());
    bench.ui().setTimer(7, 20);
    bench.ui().pause(200);
    bench.ui().killTimer(7);
    const Log log = bench.take();
    const auto ticks = std::count(log.begin(), log.end(), "tick handler");
    EXPECT_GE(ticks, 3);
    EXPECT_LE(ticks, 10);
    EXPECT_EQ(std::count(log.begin(), log.end(), "timer 7"), ticks);
}

// The system's device broadcasts reach the message map with the device they name; a
// handler may answer one (refuse it) or leave it to the system.
TEST_P(Contract, DeviceBroadcastsReachTheMapWithTheDeviceTheyName) {
    Bench bench(GetParam());
    const std::string card =
        R"(\\?\PCI#VEN_1D6A&DEV_7001#4&1d6a70&0&00E0#{ad498944-762f-11d0-8dcb-00c04fc3358c})";
    EXPECT_EQ(bench.user().deviceChange(fw::dbt::Arrival, card), RecordingDialog::kRefused);
    bench.user().deviceChange(fw::dbt::RemoveComplete, card);
    bench.user().deviceChange(fw::dbt::NodesChanged, "");
    EXPECT_THAT(bench.take(), ElementsAre("device 8000 interface " + card,
                                          "device 8004 interface " + card, "device 7 none "));
}

// A window's handle, for the library and the system, is its own while it lives.
TEST_P(Contract, EachWindowHasAHandleOfItsOwnWhileItLives) {
    Bench bench(GetParam());
    RecordingDialog other(IDD_CONTRACT);
    bench.host().createModeless(other, nullptr);
    EXPECT_NE(bench.ui().handle(), nullptr);
    EXPECT_NE(other.ui().handle(), bench.ui().handle());
    other.ui().endDialog(fw::id::Cancel);
    EXPECT_EQ(other.ui().handle(), nullptr);
}

TEST_P(Contract, AControlKeepsItsClientWidthHiddenOrDisabled) {
    Bench bench(GetParam());
    const int width = bench.ui().clientWidth(IDC_ROWS);
    EXPECT_GT(width, 0);
    bench.ui().show(IDC_ROWS, false);
    EXPECT_EQ(bench.ui().clientWidth(IDC_ROWS), width);
    bench.ui().enable(IDC_ROWS, false);
    EXPECT_EQ(bench.ui().clientWidth(IDC_ROWS), width);
    EXPECT_THAT(bench.take(), IsEmpty());
}

TEST_P(Contract, BusyModeShowsTheWaitCursorOverEveryControlUntilItEnds) {
    Bench bench(GetParam());
    EXPECT_EQ(bench.user().cursorOver(IDC_EDIT), fw::Cursor::IBeam);
    EXPECT_EQ(bench.user().cursorOver(IDC_BUTTON), fw::Cursor::Arrow);
    bench.ui().setWaitCursor(true);
    // Each move of the mouse asks again: the answer stays the wait cursor.
    for (int id : {IDC_EDIT, IDC_BUTTON, IDC_ROWS, IDC_EDIT}) {
        EXPECT_EQ(bench.user().cursorOver(id), fw::Cursor::Wait) << id;
    }
    bench.ui().setWaitCursor(true);
    bench.ui().setWaitCursor(false);
    EXPECT_EQ(bench.user().cursorOver(IDC_EDIT), fw::Cursor::IBeam);
    EXPECT_EQ(bench.user().cursorOver(IDC_ROWS), fw::Cursor::Arrow);
    EXPECT_THAT(bench.take(), IsEmpty());
}

TEST_P(Contract, ARefillWithRedrawSuspendedNotifiesAllTheSame) {
    Bench bench(GetParam());
    fillRows(bench);
    bench.take();
    bench.ui().setRedraw(IDC_ROWS, false);
    bench.ui().deleteAllRows(IDC_ROWS);
    bench.ui().insertRow(IDC_ROWS, 0, "Cafe", 0, 300);
    bench.ui().setRowState(IDC_ROWS, 0, fw::row::Selected, fw::row::Selected);
    bench.ui().redrawNow();
    EXPECT_THAT(bench.take(), ElementsAre("1005 LVN_DELETEALLITEMS row -1",
                                          "1005 LVN_DELETEITEM row 2", "1005 LVN_DELETEITEM row 1",
                                          "1005 LVN_DELETEITEM row 0", "1005 LVN_INSERTITEM row 0",
                                          "1005 LVN_ITEMCHANGING row 0 1000->1002 changed 8",
                                          "1005 LVN_ITEMCHANGED row 0 1000->1002 changed 8"));
    bench.ui().setRedraw(IDC_ROWS, true);
    EXPECT_TRUE(bench.ui().isVisible(IDC_ROWS));
    EXPECT_EQ(bench.ui().cell(IDC_ROWS, 0, 0), "Cafe");
    EXPECT_EQ(bench.ui().selectedRow(IDC_ROWS), 0);
    EXPECT_THAT(bench.take(), IsEmpty());
}

TEST_P(Contract, AnIconControlShowsIconResourcesQuietly) {
    Bench bench(GetParam());
    EXPECT_EQ(bench.ui().icon(IDC_STATE_ICON), 0);
    bench.ui().setIcon(IDC_STATE_ICON, IDI_ROW);
    EXPECT_EQ(bench.ui().icon(IDC_STATE_ICON), IDI_ROW);
    bench.ui().setIcon(IDC_STATE_ICON, IDI_ROW_IN_USE);
    bench.ui().setIcon(IDC_STATE_ICON, IDI_ROW_IN_USE);
    EXPECT_EQ(bench.ui().icon(IDC_STATE_ICON), IDI_ROW_IN_USE);
    EXPECT_THAT(bench.take(), IsEmpty());
}

TEST_P(Contract, ADialogGoesOverItsOwner) {
    Bench bench(GetParam());
    RecordingDialog owned(IDD_CONTRACT_MODAL);
    bench.host().createModeless(owned, &bench.dialog());
    EXPECT_FALSE(bench.user(owned).centredOverOwner());
    owned.ui().centreOverOwner();
    EXPECT_TRUE(bench.user(owned).centredOverOwner());
    owned.ui().endDialog(fw::id::Cancel);
}

TEST_P(Contract, ADialogComesToTheFrontWithItsFocus) {
    Bench bench(GetParam());
    RecordingDialog owned(IDD_CONTRACT);
    bench.host().createModeless(owned, &bench.dialog());
    fw::UserActions& over = bench.user(owned);
    EXPECT_TRUE(over.inFront());
    EXPECT_FALSE(bench.user().inFront());

    // The window that comes to the front gives the focus back to where it had it.
    owned.ui().setFocus(IDC_EDIT2);
    bench.ui().bringToFront();
    EXPECT_TRUE(bench.user().inFront());
    EXPECT_FALSE(over.inFront());
    EXPECT_EQ(bench.ui().focus(), IDC_BUTTON);
    owned.take();
    owned.ui().bringToFront();
    EXPECT_TRUE(over.inFront());
    EXPECT_EQ(owned.ui().focus(), IDC_EDIT2);
    EXPECT_THAT(owned.take(), ElementsAre("1002 EN_SETFOCUS"));
    EXPECT_THAT(bench.take(), IsEmpty());
    owned.ui().endDialog(fw::id::Cancel);
}

TEST_P(Contract, MessageBoxesAreAnsweredByTheScriptAndRecorded) {
    Bench bench(GetParam());
    bench.script().expectMessageBox("Change WEP key size?", fw::id::No);
    bench.script().expectMessageBox("Please select a Tx WEP Key!", fw::id::Ok);
    EXPECT_EQ(bench.ui().messageBox("Change WEP key size?", "Tovix",
                                    fw::mb::YesNo | fw::mb::IconQuestion),
              fw::id::No);
    EXPECT_EQ(bench.ui().messageBox("Please select a Tx WEP Key!", "Tovix",
                                    fw::mb::Ok | fw::mb::IconExclamation),
              fw::id::Ok);
    ASSERT_EQ(bench.script().shownBoxes().size(), 2u);
    EXPECT_EQ(bench.script().shownBoxes()[0].caption, "Tovix");
    EXPECT_EQ(bench.script().shownBoxes()[0].flags, fw::mb::YesNo | fw::mb::IconQuestion);
    EXPECT_EQ(bench.script().shownBoxes()[1].text, "Please select a Tx WEP Key!");
    EXPECT_EQ(bench.script().shownBoxes()[1].flags, fw::mb::Ok | fw::mb::IconExclamation);
}

TEST_P(Contract, AMessageBoxAgainstTheScriptIsAFailure) {
    auto backEnd = GetParam().make();
    RecordingDialog dialog(IDD_CONTRACT);
    backEnd->host().createModeless(dialog, nullptr);
    backEnd->script().expectMessageBox("Expected", fw::id::Ok);
    dialog.ui().messageBox("Something else", "Tovix", fw::mb::Ok);
    ASSERT_EQ(backEnd->script().failures().size(), 1u);
    EXPECT_EQ(backEnd->script().failures()[0],
              "unexpected message box \"Something else\" (expected message box \"Expected\")");
    EXPECT_THAT(backEnd->script().unmet(), ElementsAre("message box \"Expected\""));
}

TEST_P(Contract, APopupMenuReturnsTheCommandChosen) {
    Bench bench(GetParam());
    bench.script().expectMenu(IDM_ROWS, ID_ADD);
    bench.script().expectMenu(IDM_ROWS, 0);
    EXPECT_EQ(bench.ui().popupMenu(IDM_ROWS, 0), ID_ADD);
    EXPECT_EQ(bench.ui().popupMenu(IDM_ROWS, 0), 0);
    EXPECT_THAT(bench.take(), IsEmpty());
}

TEST_P(Contract, ModalDialogsRunThroughTheHost) {
    Bench bench(GetParam());
    RecordingDialog modal(IDD_CONTRACT_MODAL);
    bench.script().expectDialog(IDD_CONTRACT_MODAL, [](fw::Dialog&, fw::UserActions& user) {
        user.type(IDC_EDIT, "key");
        user.click(fw::id::Ok);
    });
    EXPECT_EQ(bench.host().runModal(modal, &bench.dialog()), fw::id::Ok);
    EXPECT_EQ(modal.okText(), "key");
    EXPECT_FALSE(modal.hasWindow());

    bench.script().expectDialog(
        IDD_CONTRACT_MODAL, [](fw::Dialog&, fw::UserActions& user) { user.click(fw::id::Cancel); });
    EXPECT_EQ(bench.host().runModal(modal, &bench.dialog()), fw::id::Cancel);
}

TEST_P(Contract, AModalDialogTheUserLeavesOpenIsAFailureAndIsCancelled) {
    auto backEnd = GetParam().make();
    RecordingDialog modal(IDD_CONTRACT_MODAL);
    backEnd->script().expectDialog(IDD_CONTRACT_MODAL, [](fw::Dialog&, fw::UserActions& user) {
        user.type(IDC_EDIT, "half");
    });
    EXPECT_EQ(backEnd->host().runModal(modal, nullptr), fw::id::Cancel);
    EXPECT_THAT(backEnd->script().failures(), ElementsAre("dialog 101 did not end"));
}

// A page that records the sheet's notifications, and may refuse to be left or applied.
class RecordingPage : public fw::Page {
public:
    RecordingPage(int templateId, std::string name, Log& log)
        : Page(templateId, name), name_(std::move(name)), log_(log) {}

    bool refuseLeaving = false;
    bool refuseApply = false;
    bool refuseFinish = false;
    bool refuseCancel = false;

    bool onInit() override { return note("init", true); }
    void onSetActive() override {
        note("set-active", true);
        if (sheet()->mode() == fw::Sheet::Mode::Wizard) {
            sheet()->setWizardButtons(fw::wiz::Back | fw::wiz::Next);
        }
    }
    bool onKillActive() override { return note("kill-active", !refuseLeaving); }
    bool onApply() override { return note("apply", !refuseApply); }
    bool onQueryCancel() override { return note("query-cancel", !refuseCancel); }
    void onReset() override { note("reset", true); }
    bool onWizardBack() override { return note("back", true); }
    bool onWizardNext() override { return note("next", true); }
    bool onWizardFinish() override { return note("finish", !refuseFinish); }

protected:
    bool onMessage(const fw::Message& m) override {
        if (m.message == fw::msg::Command && m.code == fw::code::EditSetFocus) note("focus", true);
        if (m.message == fw::msg::Command && m.code == fw::code::EditKillFocus) note("blur", true);
        return false;
    }

private:
    bool note(const char* what, bool result) {
        log_.push_back(name_ + " " + what);
        return result;
    }
    std::string name_;
    Log& log_;
};

class RecordingSheet : public fw::Sheet {
public:
    RecordingSheet(std::string caption, Mode mode, Log& log)
        : Sheet(std::move(caption), mode), log_(log) {}
    bool onInit() override {
        log_.push_back("sheet init");
        return true;
    }

private:
    Log& log_;
};

struct Pages {
    Log log;
    RecordingPage a{IDD_PAGE_A, "Page A", log};
    RecordingPage b{IDD_PAGE_B, "Page B", log};
    RecordingPage c{IDD_PAGE_C, "Page C", log};
    Log take() { return std::exchange(log, {}); }
};

TEST_P(Contract, ASheetShowsItsPagesInOrderAndAPageMayRefuseToBeLeft) {
    auto backEnd = GetParam().make();
    Pages pages;
    RecordingSheet sheet("Settings", fw::Sheet::Mode::Modeless, pages.log);
    sheet.addPage(pages.a);
    sheet.addPage(pages.b);
    backEnd->host().createSheet(sheet, nullptr);
    EXPECT_THAT(pages.take(),
                ElementsAre("sheet init", "Page A init", "Page A set-active", "Page A focus"));
    EXPECT_EQ(sheet.activeIndex(), 0);
    EXPECT_TRUE(pages.a.hasWindow());
    EXPECT_FALSE(pages.b.hasWindow());

    EXPECT_TRUE(sheet.select(1));
    EXPECT_EQ(sheet.activeIndex(), 1);
    EXPECT_THAT(pages.take(), ElementsAre("Page A kill-active", "Page B init", "Page B set-active",
                                          "Page A blur", "Page B focus"));

    pages.b.refuseLeaving = true;
    EXPECT_FALSE(sheet.select(0));
    EXPECT_EQ(sheet.activeIndex(), 1);
    EXPECT_THAT(pages.take(), ElementsAre("Page B kill-active"));
    pages.b.refuseLeaving = false;
}

// Switching pages as Ctrl+Tab does: a focus left on a control of the page hidden goes to
// the first control of the page shown that can take it, or to the tabs when it has none;
// a focus on the sheet's own controls stays.
TEST_P(Contract, ThePageShownTakesTheFocusLeftOnThePageHidden) {
    struct Case {
        int focusedOn;  // a control of the first page, or one of the sheet's own
        bool secondPageFocusable;
        const char* focusAfter;
    };
    const Case kCases[] = {
        {IDC_PAGE_EDIT, true, "second page's edit"},
        {IDC_PAGE_EDIT, false, "tabs"},
        {fw::id::Ok, true, "sheet's OK"},
    };
    for (const Case& c : kCases) {
        auto backEnd = GetParam().make();
        Pages pages;
        RecordingSheet sheet("Settings", fw::Sheet::Mode::Modeless, pages.log);
        sheet.addPage(pages.a);
        sheet.addPage(pages.b);
        backEnd->host().createSheet(sheet, nullptr);
        sheet.select(1);
        pages.b.ui().enable(IDC_PAGE_EDIT, c.secondPageFocusable);
        sheet.select(0);
        backEnd->user(c.focusedOn == IDC_PAGE_EDIT ? static_cast<fw::Dialog&>(pages.a) : sheet)
            .focus(c.focusedOn);
        sheet.select(1);
        const std::string focus = pages.b.ui().focus() == IDC_PAGE_EDIT    ? "second page's edit"
                                  : pages.a.ui().focus() != 0              ? "first page"
                                  : sheet.ui().focus() == fw::Sheet::kTabs ? "tabs"
                                  : sheet.ui().focus() == fw::id::Ok       ? "sheet's OK"
                                                                           : "elsewhere";
        EXPECT_EQ(focus, c.focusAfter) << "focused on " << c.focusedOn;
    }
}

TEST_P(Contract, PagesComeAndGoWhileTheSheetIsOpen) {
    auto backEnd = GetParam().make();
    Pages pages;
    RecordingSheet sheet("Settings", fw::Sheet::Mode::Modeless, pages.log);
    sheet.addPage(pages.a);
    sheet.addPage(pages.b);
    backEnd->host().createSheet(sheet, nullptr);
    sheet.select(1);
    pages.take();

    sheet.addPage(pages.c);
    EXPECT_EQ(sheet.pageCount(), 3);
    EXPECT_FALSE(pages.c.hasWindow());
    EXPECT_THAT(pages.take(), IsEmpty());

    sheet.removePage(pages.b);
    EXPECT_FALSE(pages.b.hasWindow());
    EXPECT_EQ(sheet.pageCount(), 2);
    EXPECT_EQ(&sheet.page(sheet.activeIndex()), &pages.a);
    EXPECT_THAT(pages.take(), ElementsAre("Page A set-active", "Page B blur", "Page A focus"));

    sheet.setPages({&pages.c, &pages.b});
    EXPECT_EQ(sheet.pageCount(), 2);
    EXPECT_EQ(&sheet.page(0), &pages.c);
    EXPECT_EQ(&sheet.page(1), &pages.b);
    EXPECT_EQ(sheet.activeIndex(), 0);
    EXPECT_FALSE(pages.a.hasWindow());
    EXPECT_THAT(pages.take(),
                ElementsAre("Page C init", "Page C set-active", "Page A blur", "Page C focus",
                            "Page C kill-active", "Page C set-active"));
}

TEST_P(Contract, OkAppliesEveryShownPageAndClosesAModelessSheet) {
    auto backEnd = GetParam().make();
    Pages pages;
    RecordingSheet sheet("Settings", fw::Sheet::Mode::Modeless, pages.log);
    sheet.addPage(pages.a);
    sheet.addPage(pages.b);
    sheet.addPage(pages.c);
    backEnd->host().createSheet(sheet, nullptr);
    sheet.select(2);
    pages.take();

    pages.a.refuseApply = true;
    sheet.pressButton(fw::SheetButton::Ok);
    EXPECT_TRUE(sheet.hasWindow());
    EXPECT_EQ(sheet.activeIndex(), 0);
    EXPECT_THAT(pages.take(),
                ElementsAre("Page C kill-active", "Page A apply", "Page C blur", "Page A focus"));

    pages.a.refuseApply = false;
    sheet.pressButton(fw::SheetButton::Ok);
    EXPECT_FALSE(sheet.hasWindow());
    EXPECT_FALSE(pages.a.hasWindow());
    EXPECT_THAT(pages.take(),
                ElementsAre("Page A kill-active", "Page A apply", "Page C apply", "Page A blur"));
}

TEST_P(Contract, AModalSheetEndsWithOkOrCancel) {
    Bench bench(GetParam());
    Pages pages;
    RecordingSheet sheet("Configure Network", fw::Sheet::Mode::Modal, pages.log);
    sheet.addPage(pages.a);
    sheet.addPage(pages.b);
    bench.script().expectSheet("Configure Network", [](fw::Dialog& dialog, fw::UserActions&) {
        auto& sheet = static_cast<fw::Sheet&>(dialog);
        sheet.select(1);
        sheet.pressButton(fw::SheetButton::Ok);
    });
    EXPECT_EQ(bench.host().runSheet(sheet, &bench.dialog()), fw::id::Ok);
    // The focus goes along with the tabs, and leaves with the window.
    EXPECT_THAT(pages.take(),
                ElementsAre("sheet init", "Page A init", "Page A set-active", "Page A focus",
                            "Page A kill-active", "Page B init", "Page B set-active", "Page A blur",
                            "Page B focus", "Page B kill-active", "Page A apply", "Page B apply",
                            "Page B blur"));
    EXPECT_FALSE(pages.a.hasWindow());

    bench.script().expectSheet("Configure Network", [](fw::Dialog& dialog, fw::UserActions&) {
        static_cast<fw::Sheet&>(dialog).pressButton(fw::SheetButton::Cancel);
    });
    EXPECT_EQ(bench.host().runSheet(sheet, &bench.dialog()), fw::id::Cancel);
    EXPECT_THAT(pages.take(),
                ElementsAre("sheet init", "Page A init", "Page A set-active", "Page A focus",
                            "Page A query-cancel", "Page A reset", "Page A blur"));
}

TEST_P(Contract, TheShownPageMayRefuseCancel) {
    Bench bench(GetParam());
    Pages pages;
    RecordingSheet sheet("Configure Network", fw::Sheet::Mode::Modal, pages.log);
    sheet.addPage(pages.a);
    sheet.addPage(pages.b);
    bench.script().expectSheet("Configure Network", [&pages](fw::Dialog& dialog, fw::UserActions&) {
        auto& sheet = static_cast<fw::Sheet&>(dialog);
        pages.a.refuseCancel = true;
        sheet.pressButton(fw::SheetButton::Cancel);
        EXPECT_TRUE(sheet.hasWindow());
        pages.a.refuseCancel = false;
        sheet.pressButton(fw::SheetButton::Cancel);
    });
    EXPECT_EQ(bench.host().runSheet(sheet, &bench.dialog()), fw::id::Cancel);
    EXPECT_THAT(pages.take(), ElementsAre("sheet init", "Page A init", "Page A set-active",
                                          "Page A focus", "Page A query-cancel",
                                          "Page A query-cancel", "Page A reset", "Page A blur"));
}

TEST_P(Contract, AWizardWalksItsPagesAndFinishMayBeRefused) {
    Bench bench(GetParam());
    Pages pages;
    RecordingSheet wizard("Create New Profile", fw::Sheet::Mode::Wizard, pages.log);
    wizard.setWizardImages(IDB_WATERMARK, IDB_HEADER);
    wizard.addPage(pages.a);
    wizard.addPage(pages.b);
    pages.b.refuseFinish = true;
    bench.script().expectSheet("Create New Profile", [&](fw::Dialog& dialog, fw::UserActions&) {
        auto& sheet = static_cast<fw::Sheet&>(dialog);
        sheet.pressButton(fw::SheetButton::Next);
        sheet.setWizardButtons(fw::wiz::Back | fw::wiz::Finish);
        EXPECT_TRUE(sheet.ui().isEnabled(fw::Sheet::kBackButton));
        EXPECT_TRUE(sheet.ui().isVisible(fw::Sheet::kFinishButton));
        EXPECT_FALSE(sheet.ui().isVisible(fw::Sheet::kNextButton));
        sheet.pressButton(fw::SheetButton::Finish);
        EXPECT_EQ(sheet.activeIndex(), 1);
        pages.b.refuseFinish = false;
        sheet.pressButton(fw::SheetButton::Back);
        sheet.pressButton(fw::SheetButton::Next);
        sheet.pressButton(fw::SheetButton::Finish);
    });
    EXPECT_EQ(bench.host().runSheet(wizard, &bench.dialog()), fw::id::Ok);
    EXPECT_THAT(pages.take(),
                // A page turn takes the focus along; a refused Finish leaves it.
                ElementsAre("sheet init", "Page A init", "Page A set-active", "Page A focus",
                            "Page A next", "Page A kill-active", "Page A blur", "Page B init",
                            "Page B set-active", "Page B focus", "Page B finish", "Page B back",
                            "Page B kill-active", "Page B blur", "Page A set-active",
                            "Page A focus", "Page A next", "Page A kill-active", "Page A blur",
                            "Page B set-active", "Page B focus", "Page B finish", "Page B blur"));
}

TEST_P(Contract, ASheetEmbeddedInADialogHostsItsPages) {
    Bench bench(GetParam());
    Pages pages;
    RecordingSheet editor("", fw::Sheet::Mode::Modeless, pages.log);
    editor.addPage(pages.a);
    editor.addPage(pages.b);
    bench.host().embedSheet(editor, bench.dialog(), {IDC_FRAME, 2, 20, 2, 0});
    EXPECT_TRUE(editor.hasWindow());
    EXPECT_EQ(editor.activeIndex(), 0);
    pages.a.ui().setText(IDC_PAGE_EDIT, "Home");
    EXPECT_EQ(pages.a.ui().text(IDC_PAGE_EDIT), "Home");
    EXPECT_TRUE(editor.select(1));
    bench.script().expectMessageBox("Please enter the network information:", fw::id::Ok);
    EXPECT_EQ(pages.b.ui().messageBox("Please enter the network information:", "Tovix",
                                      fw::mb::Ok | fw::mb::IconExclamation),
              fw::id::Ok);
    // The message box takes the focus from the second page's edit and gives it back.
    EXPECT_THAT(pages.take(),
                ElementsAre("sheet init", "Page A init", "Page A set-active", "Page A focus",
                            "Page A kill-active", "Page B init", "Page B set-active", "Page A blur",
                            "Page B focus", "Page B blur", "Page B focus"));
}

}  // namespace
}  // namespace fwtest
