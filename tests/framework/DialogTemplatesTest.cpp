// The reader of compiled dialog templates, on the contract suite's own script.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/framework/ContractIds.h"
#include "tests/support/DialogTemplates.h"

namespace fwtest {
namespace {

using testing::ElementsAre;

std::vector<std::string> described(const DialogTemplate& dialog) {
    static const char* const kNames[] = {
        "Unknown",      "Static",   "Edit",    "PushButton", "AutoCheckBox", "AutoRadioButton",
        "DropDownList", "DropDown", "ListBox", "ListView",   "Progress",     "UpDown",
    };
    std::vector<std::string> lines;
    for (const fw::ControlSpec& control : dialog.controls) {
        std::string line = std::to_string(control.id) + " " + kNames[int(control.kind)];
        if (control.group) line += " group";
        if (control.tabStop) line += " tab";
        if (control.buddy) line += " buddy " + std::to_string(control.buddy);
        lines.push_back(line);
    }
    return lines;
}

TEST(DialogTemplates, ATemplateReadsAsItsScriptSaysWithTheResourceCompilersDefaults) {
    const DialogTemplates& templates = builtTemplates();
    ASSERT_EQ(templates.count(IDD_CONTRACT), 1u);
    const DialogTemplate& contract = templates.at(IDD_CONTRACT);
    EXPECT_EQ(contract.caption, "Contract");
    // EDITTEXT, the buttons and the check and radio boxes have a tab stop unless told
    // otherwise, LTEXT starts a group, CONTROL has neither; the group box is a static to
    // the surface.
    EXPECT_THAT(
        described(contract),
        ElementsAre("1001 Edit tab", "1002 Edit tab", "1003 DropDownList tab", "1004 ListBox tab",
                    "1005 ListView tab", "1006 AutoCheckBox tab", "1007 AutoRadioButton group tab",
                    "1008 AutoRadioButton tab", "1009 PushButton group tab", "1010 Progress",
                    "1011 UpDown", "1012 Static group", "1014 Edit tab", "1015 UpDown buddy 1014",
                    "1016 Edit tab", "1017 DropDown tab", "1013 Static", "1018 Static",
                    "1 PushButton tab", "2 PushButton tab", "1019 ListView tab"));
    EXPECT_EQ(templates.at(IDD_PAGE_B).caption, "Page B");
    EXPECT_THAT(described(templates.at(IDD_PAGE_B)), ElementsAre("1020 Edit tab"));
}

TEST(DialogTemplates, AFileCutAnywhereReadsWhatItHoldsOrFails) {
    const auto [data, size] = builtResources();
    std::size_t failed = 0;
    for (std::size_t cut = 0; cut < size; ++cut) {
        try {
            // The templates of the resources before the cut, each whole.
            for (const auto& [id, dialog] : readDialogTemplates(data, cut)) {
                EXPECT_EQ(described(dialog), described(builtTemplates().at(id))) << cut;
            }
        } catch (const std::runtime_error&) {
            ++failed;
        }
    }
    // A cut inside a resource fails; only one between two resources reads cleanly.
    EXPECT_GT(failed, size * 9 / 10);
}

}  // namespace
}  // namespace fwtest
