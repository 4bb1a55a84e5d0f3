// The memory host's script: what it does with windows that come against it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "framework/MemoryHost.h"
#include "framework/Sheet.h"

namespace {

using testing::ElementsAre;
using testing::IsEmpty;

class KeyDialog : public fw::Dialog {
public:
    explicit KeyDialog(int endAtInit = 0) : Dialog(121), endAtInit_(endAtInit) {}
    bool onInit() override {
        if (endAtInit_) endDialog(endAtInit_);
        return true;
    }

private:
    int endAtInit_;
};

TEST(MemoryHost, AnUnexpectedMessageBoxIsAFailureAndIsCancelled) {
    fw::MemoryHost host;
    KeyDialog dialog;
    host.createModeless(dialog, nullptr);
    EXPECT_EQ(dialog.ui().messageBox("Please select a Tx WEP Key!", "Tovix", fw::mb::Ok),
              fw::id::Cancel);
    EXPECT_THAT(host.script().failures(),
                ElementsAre("unexpected message box \"Please select a Tx WEP Key!\" "
                            "(nothing more was expected)"));
    ASSERT_EQ(host.script().shownBoxes().size(), 1u);
    EXPECT_EQ(host.script().shownBoxes()[0].caption, "Tovix");
}

TEST(MemoryHost, ExpectationsAreMetInOrder) {
    fw::MemoryHost host;
    KeyDialog dialog;
    host.script().expectDialog(121);
    host.script().expectMessageBox("Saved.", fw::id::Ok);
    host.script().expectSheet("Configure Network", {});
    EXPECT_THAT(host.script().unmet(),
                ElementsAre("dialog 121", "message box \"Saved.\"", "sheet \"Configure Network\""));
    // The default user clicks OK.
    EXPECT_EQ(host.runModal(dialog, nullptr), fw::id::Ok);
    EXPECT_FALSE(dialog.hasWindow());
    EXPECT_THAT(host.script().unmet(),
                ElementsAre("message box \"Saved.\"", "sheet \"Configure Network\""));
    EXPECT_THAT(host.script().failures(), IsEmpty());
}

TEST(MemoryHost, AMenuAgainstTheScriptChoosesNothing) {
    fw::MemoryHost host;
    KeyDialog dialog;
    host.createModeless(dialog, nullptr);
    host.script().expectMenu(130, 32774);
    EXPECT_EQ(dialog.ui().popupMenu(129, 0), 0);
    EXPECT_THAT(host.script().failures(), ElementsAre("unexpected menu 129 (expected menu 130)"));
    EXPECT_EQ(dialog.ui().popupMenu(130, 0), 32774);
}

TEST(MemoryHost, AModalDialogAgainstTheScriptIsCancelled) {
    fw::MemoryHost host;
    KeyDialog dialog;
    host.script().expectMessageBox("First a box", fw::id::Ok);
    EXPECT_EQ(host.runModal(dialog, nullptr), fw::id::Cancel);
    EXPECT_FALSE(dialog.hasWindow());
    EXPECT_THAT(host.script().failures(),
                ElementsAre("unexpected dialog 121 (expected message box \"First a box\")"));
}

TEST(MemoryHost, AModalDialogTheUserLeavesOpenIsAFailure) {
    fw::MemoryHost host;
    KeyDialog dialog;
    host.script().expectDialog(121, [](fw::Dialog&, fw::UserActions&) {});
    EXPECT_EQ(host.runModal(dialog, nullptr), fw::id::Cancel);
    EXPECT_THAT(host.script().failures(), ElementsAre("dialog 121 did not end"));
}

TEST(MemoryHost, ADialogThatEndsAtOnceNeedsNoUser) {
    fw::MemoryHost host;
    KeyDialog dialog(fw::id::Yes);
    EXPECT_EQ(host.runModal(dialog, nullptr), fw::id::Yes);
    EXPECT_THAT(host.script().failures(), IsEmpty());
}

class Page : public fw::Page {
public:
    explicit Page(std::vector<std::string>& log) : fw::Page(111, "Security"), log_(log) {}
    void onSetActive() override { sheet()->setWizardButtons(fw::wiz::Back | fw::wiz::Next); }
    void onReset() override { log_.push_back("reset"); }

private:
    std::vector<std::string>& log_;
};

TEST(MemoryHost, ASheetTheUserLeavesOpenIsCancelled) {
    fw::MemoryHost host;
    std::vector<std::string> log;
    Page page(log);
    fw::Sheet sheet("Configure Network", fw::Sheet::Mode::Modal);
    sheet.addPage(page);
    host.script().expectSheet("Configure Network", [&](fw::Dialog&, fw::UserActions&) {
        EXPECT_EQ(host.wizardButtons(sheet), fw::wiz::Back | fw::wiz::Next);
    });
    EXPECT_EQ(host.runSheet(sheet, nullptr), fw::id::Cancel);
    EXPECT_THAT(log, ElementsAre("reset"));
    EXPECT_FALSE(sheet.hasWindow());
    EXPECT_EQ(host.wizardButtons(sheet), 0u);
    EXPECT_THAT(host.script().failures(), ElementsAre("sheet \"Configure Network\" did not end"));
}

TEST(MemoryHost, TheSheetsOwnOkButtonPressesOk) {
    fw::MemoryHost host;
    std::vector<std::string> log;
    Page page(log);
    fw::Sheet sheet("Configure Network", fw::Sheet::Mode::Modal);
    sheet.addPage(page);
    host.script().expectSheet("Configure Network",
                              [](fw::Dialog&, fw::UserActions& user) { user.click(fw::id::Ok); });
    EXPECT_EQ(host.runSheet(sheet, nullptr), fw::id::Ok);
    EXPECT_THAT(log, IsEmpty());
}

}  // namespace
