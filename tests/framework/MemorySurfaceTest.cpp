// What the in-memory surface does beyond the contract that both back ends share.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/MemoryHost.h"

namespace {

using fw::Kind;
using testing::ElementsAre;
using testing::IsEmpty;

// A dialog that records every notification as "<id> <code>", and may act on one.
class Recorder : public fw::Dialog {
public:
    Recorder() : Dialog(200) {}
    std::vector<std::string> log;
    std::function<void(const fw::Message&)> react;

protected:
    bool onMessage(const fw::Message& m) override {
        log.push_back(std::to_string(m.id) + " " + std::to_string(m.code));
        if (react) react(m);
        return true;
    }
};

class MemorySurfaceTest : public testing::Test {
protected:
    MemorySurfaceTest() {
        host.declare(200, {{10, Kind::Edit},
                           {20, Kind::AutoRadioButton, true},
                           {21, Kind::AutoRadioButton},
                           {30, Kind::AutoRadioButton, true},
                           {31, Kind::AutoRadioButton},
                           {40, Kind::ListView},
                           {50, Kind::UpDown}});
        host.createModeless(dialog, nullptr);
        ui = &host.surfaceOf(dialog);
        dialog.log.clear();  // the first edit took the focus
    }
    std::vector<std::string> take() { return std::exchange(dialog.log, {}); }

    fw::MemoryHost host;
    Recorder dialog;
    fw::MemorySurface* ui = nullptr;
};

TEST_F(MemorySurfaceTest, ControlsTakeTheirKindFromTheLayoutOrFromTheirFirstUse) {
    EXPECT_EQ(ui->kind(10), Kind::Edit);
    EXPECT_EQ(ui->kind(99), Kind::Unknown);
    ui->setText(99, "Label");
    ui->addItem(98, "Open System", 0);
    ui->limitText(97, 39);
    ui->insertRow(96, 0, "Home", 0, 0);
    ui->setCheck(95, true);
    EXPECT_EQ(ui->kind(99), Kind::Static);
    EXPECT_EQ(ui->kind(98), Kind::DropDownList);
    EXPECT_EQ(ui->kind(97), Kind::Edit);
    EXPECT_EQ(ui->kind(96), Kind::ListView);
    EXPECT_EQ(ui->kind(95), Kind::AutoCheckBox);
    EXPECT_EQ(ui->textLimit(97), 39);
    EXPECT_EQ(ui->textLimit(10), 30000);
    // Only the edits and the list view spoke.
    EXPECT_THAT(take(), ElementsAre("96 -102"));
    ui->setText(97, "x");
    EXPECT_THAT(take(), ElementsAre("97 1024", "97 768"));
}

TEST_F(MemorySurfaceTest, ARadioButtonClearsOnlyItsOwnGroup) {
    ui->setCheck(20, true);
    ui->setCheck(30, true);
    ui->click(21);
    EXPECT_FALSE(ui->isChecked(20));
    EXPECT_TRUE(ui->isChecked(21));
    EXPECT_TRUE(ui->isChecked(30));
    EXPECT_FALSE(ui->isChecked(31));
}

TEST_F(MemorySurfaceTest, TimersRunUntilKilledAndOnlyARunningTimerFires) {
    ui->setTimer(4096, 1000);
    EXPECT_TRUE(ui->isTimerRunning(4096));
    EXPECT_EQ(ui->timerPeriod(4096), 1000u);
    ui->fireTimer(4096);
    EXPECT_THAT(take(), ElementsAre("4096 0"));
    ui->killTimer(4096);
    EXPECT_FALSE(ui->isTimerRunning(4096));
    EXPECT_EQ(ui->timerPeriod(4096), 0u);
    EXPECT_THROW(ui->fireTimer(4096), std::logic_error);
}

TEST_F(MemorySurfaceTest, AUserCannotReachADisabledOrHiddenControl) {
    ui->enable(10, false);
    EXPECT_THROW(ui->type(10, "abc"), std::logic_error);
    ui->addItem(80, "Auto", 255);
    ui->show(80, false);
    EXPECT_THROW(ui->pick(80, 0), std::logic_error);
    ui->insertRow(40, 0, "Home", 0, 0);
    ui->enable(40, false);
    take();
    EXPECT_THROW(ui->clickRow(40, 0), std::logic_error);
    EXPECT_EQ(ui->text(10), "");
    EXPECT_EQ(ui->selection(80), -1);
    EXPECT_THAT(take(), IsEmpty());
}

TEST_F(MemorySurfaceTest, AUserCannotClickADisabledOrHiddenButton) {
    ui->enable(70, false);
    EXPECT_THROW(ui->click(70), std::logic_error);
    ui->enable(70, true);
    ui->show(70, false);
    EXPECT_THROW(ui->click(70), std::logic_error);
    EXPECT_THAT(take(), IsEmpty());
}

TEST_F(MemorySurfaceTest, ListViewsKeepColumnsAndImagesForTests) {
    ui->setImages(40, {154, 153}, 16, 4);
    ui->addColumn(40, "Network SSID", 100);
    ui->addColumn(40, "MAC Address", 75);
    EXPECT_THAT(ui->images(40), ElementsAre(154, 153));
    EXPECT_THAT(ui->columns(40), ElementsAre("Network SSID", "MAC Address"));
    // Rows go at the end when asked past it; other rows' focus follows insertions.
    EXPECT_EQ(ui->insertRow(40, 7, "A", 0, 0), 0);
    ui->setRowState(40, 0, fw::row::Focused, fw::row::Focused);
    EXPECT_EQ(ui->insertRow(40, 0, "B", 0, 0), 0);
    EXPECT_EQ(ui->rowState(40, 1), fw::row::Focused);
    ui->deleteRow(40, 0);
    EXPECT_EQ(ui->rowState(40, 0), fw::row::Focused);
    EXPECT_EQ(ui->cell(40, 5, 0), "");
    EXPECT_EQ(ui->rowImage(40, 5), -1);
}

TEST_F(MemorySurfaceTest, ATooltipKeepsItsStripAndDelay) {
    ui->addTip(40, "Prefer list", 0, 15, 200);
    EXPECT_EQ(ui->tipOf(40).left, 0);
    EXPECT_EQ(ui->tipOf(40).right, 15);
    EXPECT_EQ(ui->tipOf(40).delay, 200u);
    EXPECT_EQ(ui->tipOf(41).text, "");
}

TEST_F(MemorySurfaceTest, AHandlerMayDeleteTheRowThatIsChanging) {
    ui->insertRow(40, 0, "Home", 0, 1);
    dialog.react = [this](const fw::Message& m) {
        if (m.code == fw::code::ItemChanging) ui->deleteAllRows(40);
    };
    ui->setRowState(40, 0, fw::row::Selected, fw::row::Selected);
    EXPECT_EQ(ui->rowCount(40), 0);
    EXPECT_EQ(ui->selectedRow(40), -1);
}

TEST_F(MemorySurfaceTest, ProgressBarsAndUpDownControlsKeepThePositionInTheirRange) {
    ui->setRange(60, 0, 40);
    ui->setPos(60, 55);
    EXPECT_EQ(ui->pos(60), 40);
    ui->setPos(60, 20);
    ui->setRange(60, 0, 10);
    EXPECT_EQ(ui->pos(60), 10);
    ui->setRange(50, 14, 1);
    ui->setPos(50, 0);
    EXPECT_EQ(ui->pos(50), 1);
}

TEST_F(MemorySurfaceTest, NothingReachesADialogWhoseWindowIsGone) {
    ui->endDialog(fw::id::Ok);
    EXPECT_TRUE(ui->closed());
    EXPECT_FALSE(dialog.hasWindow());
    // The edit that had the focus hears of it as the window goes; then nothing more.
    EXPECT_THAT(take(), ElementsAre("10 512"));
    ui->setText(10, "late");
    ui->click(70);
    EXPECT_THAT(take(), IsEmpty());
}

TEST_F(MemorySurfaceTest, CombosShowTheEntryWhoseCodeMatchesOrTheFirst) {
    ui->addItem(80, "Auto", 255);
    ui->addItem(80, "802.11b", 1);
    ui->addItem(80, "802.11g", 0);
    EXPECT_EQ(fw::selectByData(*ui, 80, 0), 2);
    EXPECT_EQ(fw::selectedData(*ui, 80, -1), 0);
    EXPECT_EQ(fw::selectByData(*ui, 80, 2), 0);
    EXPECT_EQ(fw::selectedData(*ui, 80, -1), 255);
    ui->clearItems(80);
    EXPECT_EQ(fw::selectByData(*ui, 80, 1), -1);
    EXPECT_EQ(fw::selectedData(*ui, 80, -1), -1);
    EXPECT_THAT(take(), IsEmpty());
}

}  // namespace
