#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/MemoryHost.h"
#include "framework/Sheet.h"

namespace {

using testing::ElementsAre;
using testing::IsEmpty;

class Editor : public fw::Dialog {
public:
    Editor() : Dialog(121) {}
    int inits = 0;
    bool onInit() override {
        ++inits;
        ui().setText(1054, "*****");
        return true;
    }
};

TEST(Dialog, BeforeItsWindowExistsEveryControlOperationDoesNothing) {
    Editor editor;
    EXPECT_FALSE(editor.hasWindow());
    editor.ui().setText(1054, "abc");
    editor.ui().setCheck(1050, true);
    editor.ui().addItem(1064, "ASCII", 0);
    editor.ui().insertRow(1000, 0, "Home", 0, 0);
    editor.ui().setTimer(4096, 1000);
    EXPECT_EQ(editor.ui().text(1054), "");
    EXPECT_FALSE(editor.ui().isChecked(1050));
    EXPECT_EQ(editor.ui().itemCount(1064), 0);
    EXPECT_EQ(editor.ui().selection(1064), -1);
    EXPECT_EQ(editor.ui().rowCount(1000), 0);
    EXPECT_EQ(editor.ui().selectedRow(1000), -1);
    EXPECT_EQ(editor.ui().focus(), 0);
    EXPECT_EQ(editor.ui().messageBox("Shown?", "Tovix", fw::mb::Ok), 0);
    EXPECT_THROW(editor.host(), std::logic_error);
}

TEST(Dialog, TheWindowComesAndGoesWithItsHost) {
    Editor editor;
    {
        fw::MemoryHost host;
        host.createModeless(editor, nullptr);
        EXPECT_TRUE(editor.hasWindow());
        EXPECT_EQ(editor.inits, 1);
        EXPECT_EQ(editor.ui().text(1054), "*****");
        EXPECT_EQ(&editor.host(), &host);
    }
    EXPECT_FALSE(editor.hasWindow());
    EXPECT_EQ(editor.ui().text(1054), "");
}

TEST(Dialog, OkAndCancelEndTheDialogUnlessTheMapTakesThem) {
    fw::MemoryHost host;
    Editor editor;
    host.createModeless(editor, nullptr);
    fw::Message cancel;
    cancel.message = fw::msg::Command;
    cancel.id = fw::id::Cancel;
    EXPECT_TRUE(editor.deliver(cancel));
    EXPECT_FALSE(editor.hasWindow());

    fw::Message other = cancel;
    other.id = 1070;
    EXPECT_FALSE(editor.deliver(other));
}

TEST(Dialog, ADialogThatGoesAwayClosesItsWindow) {
    fw::MemoryHost host;
    fw::MemorySurface* surface = nullptr;
    {
        Editor editor;
        host.createModeless(editor, nullptr);
        surface = &host.surfaceOf(editor);
    }
    EXPECT_TRUE(surface->closed());
}

class Page : public fw::Page {
public:
    Page(int templateId, const char* title) : fw::Page(templateId, title) {}
};

TEST(Sheet, KeepsItsPagesInOrderWithoutAWindow) {
    Page network(107, "Network Info"), security(111, "Security"), protocol(110, "Protocol");
    fw::Sheet sheet("", fw::Sheet::Mode::Modeless);
    sheet.addPage(network);
    sheet.addPage(security);
    sheet.addPage(protocol);
    EXPECT_EQ(sheet.pageCount(), 3);
    EXPECT_EQ(sheet.indexOf(protocol), 2);
    EXPECT_EQ(security.sheet(), &sheet);
    EXPECT_EQ(sheet.page(1).title(), "Security");

    sheet.removePage(security);
    EXPECT_EQ(security.sheet(), nullptr);
    EXPECT_EQ(sheet.indexOf(security), -1);
    EXPECT_EQ(sheet.indexOf(protocol), 1);
    sheet.removePage(security);
    EXPECT_EQ(sheet.pageCount(), 2);

    EXPECT_EQ(sheet.activeIndex(), -1);
    EXPECT_FALSE(sheet.select(0));
}

TEST(Sheet, APageBelongsToOneSheetAndLeavesItWhenItGoes) {
    fw::Sheet first("One", fw::Sheet::Mode::Modeless);
    fw::Sheet second("Two", fw::Sheet::Mode::Modeless);
    Page kept(101, "Kept");
    {
        Page moved(102, "Moved");
        first.addPage(moved);
        first.addPage(kept);
        second.addPage(moved);
        EXPECT_EQ(first.pageCount(), 1);
        EXPECT_EQ(second.indexOf(moved), 0);
    }
    EXPECT_EQ(second.pageCount(), 0);
    EXPECT_EQ(first.indexOf(kept), 0);
}

TEST(Sheet, SetPagesRebuildsTheSetAndSelectsItsFirstPage) {
    fw::MemoryHost host;
    Page status(101, "Network Status"), manager(102, "Profile Manager"),
        statistics(104, "Statistics"), about(105, "About"), readme(130, "Readme");
    fw::Sheet sheet("VORNAX TX-LM70RDV Utility", fw::Sheet::Mode::Modeless);
    for (Page* page : {&status, &manager, &statistics, &about}) sheet.addPage(*page);
    host.createSheet(sheet, nullptr);
    sheet.select(2);

    const std::vector<fw::Page*> reduced = {&status, &statistics, &about, &readme};
    sheet.setPages(reduced);
    ASSERT_EQ(sheet.pageCount(), 4);
    for (int index = 0; index < 4; ++index) EXPECT_EQ(&sheet.page(index), reduced[index]);
    EXPECT_EQ(sheet.activeIndex(), 0);
    EXPECT_EQ(manager.sheet(), nullptr);
    EXPECT_FALSE(statistics.hasWindow());

    const std::vector<fw::Page*> full = {&status, &manager, &statistics, &about};
    sheet.setPages(full);
    for (int index = 0; index < 4; ++index) EXPECT_EQ(&sheet.page(index), full[index]);
    EXPECT_FALSE(readme.hasWindow());
    EXPECT_TRUE(status.hasWindow());

    // A set without the first page moves it out last.
    sheet.setPages({&about, &status});
    EXPECT_EQ(&sheet.page(0), &about);
    EXPECT_EQ(&sheet.page(1), &status);
    EXPECT_EQ(sheet.activeIndex(), 0);
    EXPECT_TRUE(about.hasWindow());
}

TEST(Sheet, ASheetThatGoesAwayTakesItsPagesWindowsAlong) {
    fw::MemoryHost host;
    Page network(107, "Network Info");
    {
        fw::Sheet sheet("", fw::Sheet::Mode::Modeless);
        sheet.addPage(network);
        host.createSheet(sheet, nullptr);
        EXPECT_TRUE(network.hasWindow());
    }
    EXPECT_FALSE(network.hasWindow());
    EXPECT_EQ(network.sheet(), nullptr);
}

}  // namespace
