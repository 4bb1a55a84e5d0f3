// The rules of the tab strip with disabled tabs.
#include <gtest/gtest.h>

#include <vector>

#include "shell/TabRules.h"

namespace {

// The main window's seven tabs, with Site Survey, Statistics and Advanced (2, 3, 4)
// disabled as while the radio is off.
constexpr int kTabs = 7;

TabRules radioOff() {
    TabRules rules;
    for (int tab : {2, 3, 4}) EXPECT_TRUE(rules.enable(tab, false, kTabs, 0).done);
    return rules;
}

TEST(TabRules, EveryTabOfTheStripIsEnabledAtFirstAndNoneOutsideIt) {
    const TabRules rules;
    for (int tab = 0; tab < kTabs; ++tab) EXPECT_TRUE(rules.isEnabled(tab, kTabs)) << tab;
    EXPECT_FALSE(rules.isEnabled(-1, kTabs));
    EXPECT_FALSE(rules.isEnabled(kTabs, kTabs));
}

TEST(TabRules, DisablingAndEnablingReportWhetherAnythingChanged) {
    TabRules rules;
    const TabRules::Change first = rules.enable(3, false, kTabs, 0);
    EXPECT_TRUE(first.done);
    EXPECT_TRUE(first.changed);
    EXPECT_EQ(first.select, -1);
    EXPECT_FALSE(rules.isEnabled(3, kTabs));

    const TabRules::Change again = rules.enable(3, false, kTabs, 0);
    EXPECT_TRUE(again.done);
    EXPECT_FALSE(again.changed);
    EXPECT_EQ(rules.disabled(), std::vector<int>{3}) << "a tab is listed once";

    EXPECT_TRUE(rules.enable(3, true, kTabs, 0).changed);
    EXPECT_TRUE(rules.isEnabled(3, kTabs));
    const TabRules::Change enabledAlready = rules.enable(3, true, kTabs, 0);
    EXPECT_TRUE(enabledAlready.done);
    EXPECT_FALSE(enabledAlready.changed);
    EXPECT_TRUE(rules.disabled().empty());
}

TEST(TabRules, AnIndexOutsideTheStripIsRefused) {
    TabRules rules;
    EXPECT_FALSE(rules.enable(kTabs, false, kTabs, 0).done);
    EXPECT_FALSE(rules.enable(-1, true, kTabs, 0).done);
    EXPECT_TRUE(rules.disabled().empty());
}

TEST(TabRules, DisablingTheSelectedTabMovesTheSelectionToTheNextEnabledTabOnItsRight) {
    TabRules rules = radioOff();
    rules.enable(2, true, kTabs, 0);
    // Tab 2 is selected; 3 and 4 are disabled, so the selection goes to 5.
    const TabRules::Change change = rules.enable(2, false, kTabs, 2);
    EXPECT_TRUE(change.done);
    EXPECT_EQ(change.select, 5);
    EXPECT_FALSE(rules.isEnabled(2, kTabs));
}

TEST(TabRules, DisablingTheSelectedLastTabWrapsToTheFirstEnabledTab) {
    TabRules rules;
    rules.enable(0, false, kTabs, 3);
    EXPECT_EQ(rules.enable(kTabs - 1, false, kTabs, kTabs - 1).select, 1);
}

TEST(TabRules, TheSelectedTabStaysEnabledWhenNoOtherTabIs) {
    TabRules rules;
    for (int tab = 1; tab < kTabs; ++tab) rules.enable(tab, false, kTabs, 0);
    const TabRules::Change change = rules.enable(0, false, kTabs, 0);
    EXPECT_FALSE(change.done);
    EXPECT_FALSE(change.changed);
    EXPECT_TRUE(rules.isEnabled(0, kTabs));
}

TEST(TabRules, FindingAnEnabledTabWrapsAroundInBothDirections) {
    const TabRules rules = radioOff();
    EXPECT_EQ(rules.findEnabled(2, true, kTabs), 5);
    EXPECT_EQ(rules.findEnabled(4, false, kTabs), 1);
    EXPECT_EQ(rules.findEnabled(6, true, kTabs), 6);
    EXPECT_EQ(rules.findEnabled(0, false, kTabs), 0);

    TabRules rightHalfOff;
    for (int tab : {0, 1, 5, 6}) rightHalfOff.enable(tab, false, kTabs, 3);
    EXPECT_EQ(rightHalfOff.findEnabled(5, true, kTabs), 2) << "forward wraps to the start";
    EXPECT_EQ(rightHalfOff.findEnabled(1, false, kTabs), 4) << "backward wraps to the end";
    EXPECT_EQ(rightHalfOff.findEnabled(kTabs, true, kTabs), -1);
}

TEST(TabRules, NoTabIsFoundWhenEveryTabIsDisabled) {
    TabRules rules;
    for (int tab = 0; tab < 3; ++tab) rules.enable(tab, false, 3, -1);
    EXPECT_EQ(rules.findEnabled(0, true, 3), -1);
    EXPECT_EQ(rules.findEnabled(2, false, 3), -1);
    EXPECT_EQ(rules.redirect(0, 1, 3), -1);
}

TEST(TabRules, ASelectionRequestForAnEnabledTabStands) {
    const TabRules rules = radioOff();
    EXPECT_EQ(rules.redirect(1, 5, kTabs), 5);
    EXPECT_EQ(rules.redirect(5, 0, kTabs), 0);
    EXPECT_EQ(rules.redirect(1, kTabs, kTabs), -1) << "outside the strip";
}

TEST(TabRules, AStepOntoADisabledTabGoesOnToTheNextEnabledTabThatWay) {
    const TabRules rules = radioOff();
    EXPECT_EQ(rules.redirect(1, 2, kTabs), 5) << "Right on tab 1";
    EXPECT_EQ(rules.redirect(5, 4, kTabs), 1) << "Left on tab 5";
}

TEST(TabRules, AJumpBetweenTheEndsOntoADisabledTabIsRedirectedInTheWrapDirection) {
    TabRules lastOff;
    lastOff.enable(kTabs - 1, false, kTabs, 0);
    // Left on the first tab asks for the last one: on backward from there.
    EXPECT_EQ(lastOff.redirect(0, kTabs - 1, kTabs), kTabs - 2);

    TabRules firstOff;
    firstOff.enable(0, false, kTabs, 3);
    // Right on the last tab asks for the first one: on forward from there.
    EXPECT_EQ(firstOff.redirect(kTabs - 1, 0, kTabs), 1);
}

TEST(TabRules, AFarJumpOntoADisabledTabIsRefused) {
    const TabRules rules = radioOff();
    EXPECT_EQ(rules.redirect(1, 4, kTabs), -1);
    EXPECT_EQ(rules.redirect(6, 2, kTabs), -1);
}

}  // namespace
