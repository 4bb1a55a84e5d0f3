// The editor stores into listed records while the worker thread copies and reorders
// them: both keep to the profile lock, so that no record is ever read half written.
// Meant for the ThreadSanitizer build as much as for the others.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "pages/BasicSettgPage.h"
#include "res/resource.h"
#include "tests/pages/ProfileMemory.h"
#include "tests/pages/ProfileSuite.h"
#include "tests/support/BackEnd.h"

namespace pagestest {
namespace {

TEST(ProfileSheetThreads, StoresAndTheWorkersCopiesTakeTurns) {
    auto backEnd = fwtest::makeMemoryBackEnd();
    FakeMainWindow mainWindow(profileText);
    Profile* home = mainWindow.add("Home");
    mainWindow.add("Office");
    CProfileSheet editor(mainWindow, CProfileSheet::Purpose::Editor);
    backEnd->host().createSheet(editor, nullptr);
    editor.load(home);

    std::atomic<bool> stop{false};
    std::atomic<int> torn{0};
    std::thread worker([&] {
        while (!stop) {
            std::lock_guard<std::mutex> lock(mainWindow.lock);
            for (const auto& record : mainWindow.list) {
                const Profile copy = *record;
                const std::string ssid = fieldText(copy.ssid);
                if (ssid != "Net" && ssid.rfind("Edit", 0) != 0) ++torn;
            }
            mainWindow.list.markInUse(mainWindow.list.at(mainWindow.list.size() - 1));
        }
    });
    for (int round = 0; round < 200; ++round) {
        editor.networkPage()->ui().setText(IDC_NET_SSID, "Edit" + std::to_string(round));
        ASSERT_TRUE(editor.store(home));
    }
    stop = true;
    worker.join();
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(fieldText(home->ssid), "Edit199");
}

}  // namespace
}  // namespace pagestest
