// The real Tovix.exe under Wine with a profile file of 10,000 profiles, all on the prefer
// list and none in range: every page shows, the Profile Manager lists them all and moves
// one, the window answers after each step while auto configuration walks the list, and
// the list is saved whole at exit. Nothing is timed against a limit; the times are
// printed for people to read.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "profiles/ProfileFile.h"
#include "tests/pages/ProgramPages.h"
#include "tests/profiles/ProfileFixtures.h"
#include "tests/support/win32/RemoteListView.h"

namespace {

using namespace program_driver;
using namespace program_pages;

constexpr int kProfiles = 10000;
// The row the test moves: a profile in the middle of the list.
constexpr int kMovedRow = 5000;

std::string nameOf(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "Net%05d", number);
    return name;
}

class ScaleProgram : public TovixProgram {
protected:
    void SetUp() override {
        ASSERT_EQ(copyProgram(folder), std::nullopt);
        ProfileList list;
        list.append(std::make_unique<Profile>(makeDefaultProfile()));
        for (int number = 0; number < kProfiles; ++number) {
            list.append(std::make_unique<Profile>(infra(nameOf(number))));
        }
        const std::vector<uint8_t> bytes = encodeProfiles(list, SaveScope::Everything);
        std::ofstream out(folder.file("Data.cfg"), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    // The main window handles a message within the driver's patience.
    bool answers() {
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(sheet, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kPatience, &result) != 0;
    }
};

TEST_F(ScaleProgram, TenThousandProfilesAreShownMovedAndSavedWithTheWindowAnswering) {
    DWORD began = GetTickCount();
    start();
    std::printf("start-up with %d profiles: %lu ms\n", kProfiles + 1, GetTickCount() - began);
    ASSERT_TRUE(answers());

    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    const int pages = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    ASSERT_GE(pages, 6);
    for (int tab = 0; tab < pages; ++tab) {
        began = GetTickCount();
        HWND page = showTab(tab);
        std::printf("page %d (%s): %lu ms\n", tab, windowText(page).c_str(),
                    GetTickCount() - began);
        EXPECT_TRUE(answers()) << "page " << tab;
    }

    HWND manager = showTab(kProfileManagerTab);
    HWND list = GetDlgItem(manager, IDC_PM_LIST);
    RemoteListView rows(list);
    ASSERT_EQ(rows.rows(), kProfiles + 1);
    EXPECT_EQ(rows.cell(kMovedRow + 1, 0), nameOf(kMovedRow));
    picture(manager, "scale-profile-manager");

    rows.select(kMovedRow + 1);
    began = GetTickCount();
    PostMessageA(manager, WM_COMMAND, MAKEWPARAM(IDC_PM_MOVE_DOWN, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(manager, IDC_PM_MOVE_DOWN)));
    EXPECT_TRUE(waitUntil([&] { return rows.cell(kMovedRow + 2, 0) == nameOf(kMovedRow); }));
    std::printf("move down: %lu ms\n", GetTickCount() - began);
    EXPECT_TRUE(answers());

    began = GetTickCount();
    exitProgram();
    std::printf("exit with the save: %lu ms\n", GetTickCount() - began);
    ProfileList saved;
    ASSERT_EQ(ProfileStore(folder.file("Data.cfg")).loadAtStartup(saved), LoadStatus::Loaded);
    ASSERT_EQ(saved.size(), static_cast<size_t>(kProfiles + 1));
    EXPECT_EQ(fieldText(saved.at(kMovedRow + 2)->name), nameOf(kMovedRow));
    EXPECT_EQ(fieldText(saved.at(kMovedRow + 1)->name), nameOf(kMovedRow + 1));
}

}  // namespace
