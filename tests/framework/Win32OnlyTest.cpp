// What only the Windows back end has to show: the window procedures' exception
// boundary, the embedded sheet's place, the ids a template lacks, and the window services
// as the system sees them (client widths, image lists, icons, the wait cursor), and the
// test script's watch for windows nobody expected.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

#include "framework/Sheet.h"
#include "framework/win32/Win32Host.h"
#include "tests/framework/ContractIds.h"
#include "tests/support/win32/Win32BackEnd.h"
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

// Answers every message with the same value.
class Answering : public fw::Dialog {
public:
    static constexpr intptr_t kAnswer = 0x5A5A;
    Answering() : Dialog(IDD_CONTRACT) {}

protected:
    bool onMessage(const fw::Message& m) override;

private:
    fw::Reply onAny(const fw::Message&) { return fw::answer(kAnswer); }
    static const fw::MessageEntry<Answering> kMap[];
};
const fw::MessageEntry<Answering> Answering::kMap[] = {
    fw::onMessage(WM_CTLCOLORSTATIC, &Answering::onAny),
    fw::onMessage(WM_CTLCOLORDLG, &Answering::onAny),
    fw::onMessage(WM_CTLCOLOREDIT, &Answering::onAny),
    fw::onMessage(WM_QUERYDRAGICON, &Answering::onAny),
    fw::onMessage(WM_COMPAREITEM, &Answering::onAny),
    fw::onMessage(WM_VKEYTOITEM, &Answering::onAny),
    fw::onMessage(fw::msg::Private, &Answering::onAny),
};
bool Answering::onMessage(const fw::Message& m) { return fw::dispatch(*this, kMap, m); }

// A dialog procedure answers most messages through DWLP_MSGRESULT, but the colour
// messages and a few others by its return value: either way the sender gets the answer.
TEST(Win32Host, TheSenderGetsAHandlersAnswer) {
    fw::Win32Host host(GetModuleHandleA(nullptr));
    Answering dialog;
    host.createModeless(dialog, nullptr);
    HWND window = fw::Win32Host::windowOf(dialog);
    const UINT messages[] = {WM_CTLCOLORSTATIC, WM_CTLCOLORDLG, WM_CTLCOLOREDIT, WM_QUERYDRAGICON,
                             WM_COMPAREITEM,    WM_VKEYTOITEM,  fw::msg::Private};
    for (UINT message : messages) {
        EXPECT_EQ(SendMessageA(window, message, 0, 0), Answering::kAnswer) << message;
    }
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

// A list view draws its border as a sunken edge, two pixels a side.
TEST(Win32Surface, TellsTheClientWidthInsideTheBorder) {
    fw::Win32Host host(GetModuleHandleA(nullptr));
    fw::Dialog dialog(IDD_CONTRACT);
    host.createModeless(dialog, nullptr);
    HWND list = GetDlgItem(fw::Win32Host::windowOf(dialog), IDC_ROWS);
    RECT client, outside;
    GetClientRect(list, &client);
    GetWindowRect(list, &outside);
    EXPECT_EQ(dialog.ui().clientWidth(IDC_ROWS), client.right);
    EXPECT_EQ(dialog.ui().clientWidth(IDC_ROWS), outside.right - outside.left - 4);
}

TEST(Win32Surface, MakesTheImageListOfTheSizeAndDepthAsked) {
    fw::Win32Host host(GetModuleHandleA(nullptr));
    fw::Dialog dialog(IDD_CONTRACT);
    host.createModeless(dialog, nullptr);
    HWND list = GetDlgItem(fw::Win32Host::windowOf(dialog), IDC_ROWS);
    for (const auto& [size, bits] : {std::pair{16, 4}, std::pair{32, 8}, std::pair{16, 32}}) {
        dialog.ui().setImages(IDC_ROWS, {IDI_ROW, IDI_ROW_IN_USE}, size, bits);
        auto images =
            reinterpret_cast<HIMAGELIST>(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
        int width = 0, height = 0;
        ASSERT_TRUE(ImageList_GetIconSize(images, &width, &height));
        EXPECT_EQ(width, size);
        EXPECT_EQ(height, size);
        EXPECT_EQ(ImageList_GetImageCount(images), 2);
        IMAGEINFO info = {};
        ASSERT_TRUE(ImageList_GetImageInfo(images, 0, &info));
        BITMAP picture = {};
        GetObjectA(info.hbmImage, sizeof picture, &picture);
        EXPECT_EQ(picture.bmBitsPixel, bits) << size;
    }
}

TEST(Win32Surface, AnIconTheResourcesLackLeavesTheIconShown) {
    fw::Win32Host host(GetModuleHandleA(nullptr));
    fw::Dialog dialog(IDD_CONTRACT);
    host.createModeless(dialog, nullptr);
    dialog.ui().setIcon(IDC_STATE_ICON, IDI_ROW);
    HWND icon = GetDlgItem(fw::Win32Host::windowOf(dialog), IDC_STATE_ICON);
    const LRESULT shown = SendMessageA(icon, STM_GETICON, 0, 0);
    EXPECT_NE(shown, 0);
    dialog.ui().setIcon(IDC_STATE_ICON, 4242);
    EXPECT_EQ(dialog.ui().icon(IDC_STATE_ICON), IDI_ROW);
    EXPECT_EQ(SendMessageA(icon, STM_GETICON, 0, 0), shown);
}

TEST(Win32Surface, APageInBusyModeShowsTheWaitCursorOverItsWholeSheet) {
    fw::Win32Host host(GetModuleHandleA(nullptr));
    fw::Page page(IDD_PAGE_A, "Network Info");
    fw::Sheet sheet("Busy", fw::Sheet::Mode::Modeless);
    sheet.addPage(page);
    host.createSheet(sheet, nullptr);
    Win32User frame(fw::Win32Host::windowOf(sheet));
    EXPECT_EQ(frame.cursorOver(IDOK), fw::Cursor::Arrow);
    page.ui().setWaitCursor(true);
    EXPECT_EQ(frame.cursorOver(IDOK), fw::Cursor::Wait);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
    page.ui().setWaitCursor(false);
    EXPECT_EQ(frame.cursorOver(IDOK), fw::Cursor::Arrow);
    sheet.ui().endDialog(fw::id::Cancel);
}

// Typing a letter in an owner-data list moves to the next row whose name begins with it, as
// in any list: the list asks its row source through the window's answer.
TEST(Win32Surface, ALetterTypedInAnOwnerDataListSelectsTheRowItBegins) {
    struct Rows : fw::RowSource {
        fw::RowView rowView(int row) const override {
            static const char* const names[] = {"Home", "Cafe", "office", "Hotel"};
            return {names[row], 0, false, row};
        }
    } rows;
    struct Case {
        int from;
        char typed;
        int selected;
    };
    const Case cases[] = {{0, 'c', 1}, {0, 'O', 2}, {0, 'h', 3}, {3, 'h', 0}, {2, 'z', 2}};
    for (const Case& c : cases) {
        fw::Win32Host host(GetModuleHandleA(nullptr));
        fw::Dialog dialog(IDD_CONTRACT);
        host.createModeless(dialog, nullptr);
        dialog.ui().setRowSource(IDC_OWNER_ROWS, &rows);
        dialog.ui().addColumn(IDC_OWNER_ROWS, "", 200);
        dialog.ui().setRowCount(IDC_OWNER_ROWS, 4);
        const unsigned both = fw::row::Selected | fw::row::Focused;
        dialog.ui().setRowState(IDC_OWNER_ROWS, c.from, both, both);
        HWND list = GetDlgItem(fw::Win32Host::windowOf(dialog), IDC_OWNER_ROWS);
        SendMessageA(list, WM_CHAR, static_cast<WPARAM>(c.typed), 1);
        EXPECT_EQ(dialog.ui().selectedRow(IDC_OWNER_ROWS), c.selected)
            << "'" << c.typed << "' from row " << c.from;
        DestroyWindow(fw::Win32Host::windowOf(dialog));
    }
}

// A window that the script was not told of, here the system's open dialog, fails the test
// at once, named, and is closed instead of waiting for a user.
TEST(Win32Script, AnUnexpectedWindowFailsAtOnceNamingIt) {
    const auto backEnd = makeWin32BackEnd();
    char file[MAX_PATH] = {};
    OPENFILENAMEA open = {};
    open.lStructSize = sizeof open;
    open.lpstrFile = file;
    open.nMaxFile = sizeof file;
    open.lpstrTitle = "Import Profiles";
    EXPECT_FALSE(GetOpenFileNameA(&open));
    EXPECT_THAT(
        backEnd->script().failures(),
        testing::ElementsAre(R"(unexpected window: class "#32770", title "Import Profiles")"));
}

}  // namespace
}  // namespace fwtest
