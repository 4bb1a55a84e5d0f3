// What only the Windows back end has to show: the window procedures' exception
// boundary, the embedded sheet's place, and the ids a template lacks.
#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/Sheet.h"
#include "framework/win32/Win32Host.h"
#include "framework/win32/Win32Surface.h"
#include "tests/framework/ContractIds.h"
#include "tests/support/win32/Win32User.h"

namespace fwtest {
namespace {

class Throwing : public fw::Dialog {
public:
    Throwing() : Dialog(IDD_CONTRACT) {}
    int clicks = 0;

protected:
    bool onMessage(const fw::Message& m) override {
        if (m.message == fw::msg::Command && m.id == IDC_BUTTON) {
            ++clicks;
            throw std::runtime_error("handler failed");
        }
        return false;
    }
};

TEST(Win32Host, AnExceptionStopsAtTheWindowProcedure) {
    fw::Win32Host host(GetModuleHandleA(nullptr));
    Throwing dialog;
    host.createModeless(dialog, nullptr);
    Win32User user(fw::Win32Host::windowOf(dialog));
    user.click(IDC_BUTTON);
    user.click(IDC_BUTTON);
    EXPECT_EQ(dialog.clicks, 2);
    EXPECT_TRUE(dialog.hasWindow());
}

TEST(Win32Host, AnEmbeddedSheetIsAChildOverItsFrame) {
    fw::Win32Host host(GetModuleHandleA(nullptr));
    fw::Dialog dialog(IDD_CONTRACT);
    host.createModeless(dialog, nullptr);
    fw::Page page(IDD_PAGE_A, "Network Info");
    fw::Sheet editor("", fw::Sheet::Mode::Modeless);
    editor.addPage(page);
    host.embedSheet(editor, dialog, {IDC_FRAME, 2, 20, 2, 0});

    HWND parent = fw::Win32Host::windowOf(dialog);
    HWND sheet = fw::Win32Host::windowOf(editor);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(GetParent(sheet), parent);
    EXPECT_TRUE(GetWindowLongA(sheet, GWL_STYLE) & WS_CHILD);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(sheet, IDOK)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(sheet, IDCANCEL)));

    RECT frame, placed;
    GetWindowRect(GetDlgItem(parent, IDC_FRAME), &frame);
    GetWindowRect(sheet, &placed);
    EXPECT_EQ(placed.left, frame.left + 2);
    EXPECT_EQ(placed.top, frame.top + 20);
    EXPECT_EQ(placed.right, frame.right - 2);
    EXPECT_EQ(placed.bottom, frame.bottom);
}

TEST(Win32Surface, RemembersTheIdsTheTemplateLacks) {
    fw::Win32Host host(GetModuleHandleA(nullptr));
    fw::Dialog dialog(IDD_CONTRACT);
    host.createModeless(dialog, nullptr);
    dialog.ui().setText(IDC_EDIT, "there");
    dialog.ui().setText(4242, "nowhere");
    EXPECT_EQ(dialog.ui().text(4243), "");
    const auto& surface = dynamic_cast<const fw::Win32Surface&>(dialog.ui());
    EXPECT_EQ(surface.missingControls(), (std::set<int>{4242, 4243}));
}

}  // namespace
}  // namespace fwtest
