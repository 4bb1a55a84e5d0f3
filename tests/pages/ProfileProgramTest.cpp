// The real Tovix.exe with the simulated card and its default world, under Wine: profiles
// made with the "Create New Profile" wizard for the open network, for a WEP network (its
// key typed in the WEP key dialog) and for a WPA2-PSK network, applied from the Profile
// Manager and connected; a wrong key does not connect; a profile outlives a restart. And
// the Admin page's export and import, through the real open and save dialogs.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/ExitCode.h"
#include "profiles/ProfileFile.h"
#include "res/resource.h"
#include "tests/pages/ProgramPages.h"
#include "tests/profiles/ProfileFixtures.h"
#include "tests/support/win32/ProgramDriver.h"
#include "tests/support/win32/RemoteListView.h"

namespace {

using namespace program_driver;
using namespace program_pages;

constexpr int kAdminTab = 5;
// The Network Status page's list of profiles.
constexpr int kProfileChoice = 1071;
// The default world's open network, a WEP network with a 104-bit key in slot 1 and
// open authentication, and a WPA2-PSK network with AES.
constexpr const char* kOpenNetwork = "VORNAX-Guest";
constexpr const char* kWepNetwork = "Cafe Corner";
constexpr const char* kWepKey = "cafe+corner7!";
constexpr const char* kWpa2Network = "Studio";
constexpr const char* kWpa2Passphrase = "blue whale song";

// Tovix.exe in a folder of its own with the simulated card and its default world.
class ProfileProgram : public TovixProgram {
protected:
    void SetUp() override { ASSERT_EQ(copyProgram(folder), std::nullopt); }

    // Presses the wizard's Next. False when the wizard stays on its page: the program's
    // message is a failure of the test, and is answered.
    bool next(HWND wizard) {
        HWND before = currentPage(wizard);
        PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
        if (waitUntil([&] { return currentPage(wizard) != before; }, 3000)) return true;
        if (const auto box = driver.waitForMessageBox(1000)) {
            ADD_FAILURE() << "the wizard says: " << box->text;
            pressButton(box->window, IDOK);
        }
        return false;
    }

    // Makes a profile with the "Create New Profile" wizard from the Profile Manager page:
    // its name and SSID on the first page, then `security` on the security page, then
    // Next to the summary and Finish. Returns the summary's text.
    std::string createProfile(HWND manager, const char* name, const char* ssid,
                              const std::function<void(HWND securityPage)>& security) {
        click(manager, IDC_PM_CREATE);
        HWND wizard = driver.waitForWindow("Create New Profile");
        if (!wizard) return "no wizard";
        HWND network = currentPage(wizard);
        setText(network, IDC_NET_NAME, name);
        setText(network, IDC_NET_SSID, ssid);
        if (!next(wizard)) return "stayed on the network page";
        security(currentPage(wizard));
        while (windowText(GetDlgItem(currentPage(wizard), IDC_SUMMARY_TEXT)).empty()) {
            if (!next(wizard)) return "stayed on a page";
            EXPECT_EQ(windowText(wizard), "Create New Profile");
        }
        const std::string summary = windowText(GetDlgItem(currentPage(wizard), IDC_SUMMARY_TEXT));
        PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(wizard); }));
        return summary;
    }

    // Applies the listed profile `name` from the Profile Manager page; true once the
    // Network Status page shows it connected to `ssid`.
    bool applyAndConnect(HWND manager, const char* name, const char* ssid, DWORD patience) {
        RemoteListView list(GetDlgItem(manager, IDC_PM_LIST));
        const int row = list.find(name);
        EXPECT_GE(row, 0) << name;
        if (row < 0) return false;
        list.select(row);
        // Applied, the profile is the one in use, first of its kind.
        click(manager, IDC_PM_APPLY);
        EXPECT_TRUE(waitUntil([&] {
            const int applied = list.find(name);
            return applied >= 0 && list.image(applied) == 1;
        })) << name
            << " is not marked in use";
        HWND status = showTab(kNetworkStatusTab);
        const bool connected = waitUntil(
            [&] {
                return windowText(GetDlgItem(status, kStatusText)) == "Connected" &&
                       windowText(GetDlgItem(status, kStatusSsid)) == ssid;
            },
            patience);
        if (!connected) {
            std::printf("status after applying %s: \"%s\", SSID \"%s\"\n", name,
                        windowText(GetDlgItem(status, kStatusText)).c_str(),
                        windowText(GetDlgItem(status, kStatusSsid)).c_str());
            if (const auto box = driver.waitForMessageBox(100)) {
                ADD_FAILURE() << "the program says: " << box->text;
                pressButton(box->window, IDOK);
            }
        }
        showTab(kProfileManagerTab);
        return connected;
    }

    // The WEP key typed in the WEP key dialog: ASCII, 104 bits, key 1 as the transmit key.
    void typeWepKey(HWND securityPage, const char* key) {
        pickEntry(securityPage, IDC_SEC_ENCRYPTION, 1);  // "WEP"
        ASSERT_EQ(windowText(GetDlgItem(securityPage, IDC_SEC_ENCRYPTION)), "WEP");
        click(securityPage, IDC_SEC_WEP_KEYS);
        HWND keys = driver.waitForWindow("Configure WEP Key");
        ASSERT_TRUE(keys);
        pickEntry(keys, IDC_WEP_FORMAT, 0);  // "ASCII Characters"
        pickEntry(keys, IDC_WEP_SIZE, 1);    // 104 bits
        type(GetDlgItem(keys, IDC_WEP_KEY1), key);
        EXPECT_EQ(windowText(GetDlgItem(keys, IDC_WEP_KEY1)), key);
        EXPECT_EQ(SendDlgItemMessageA(keys, IDC_WEP_TX_KEY1, BM_GETCHECK, 0, 0), BST_CHECKED);
        picture(keys, "wep-keys");
        pressButton(keys, IDOK);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(keys); }));
        // Back on the page, key 1 can be chosen and is the transmit key.
        EXPECT_EQ(windowText(GetDlgItem(securityPage, IDC_SEC_TX_KEY1)),
                  "Select Key 1 as Transmit Key");
        EXPECT_EQ(SendDlgItemMessageA(securityPage, IDC_SEC_TX_KEY1, BM_GETCHECK, 0, 0),
                  BST_CHECKED);
        picture(securityPage, "security-wep");
    }

    // The profile file the program starts with: these profiles, "<Default>" first.
    void writeProfileFile(const std::vector<Profile>& profiles) { write("Data.cfg", profiles); }
    void write(const std::string& name, const std::vector<Profile>& profiles) {
        ProfileList list;
        for (const Profile& profile : profiles) list.append(std::make_unique<Profile>(profile));
        const std::vector<uint8_t> bytes = encodeProfiles(list, SaveScope::Everything);
        std::ofstream out(folder.file(name), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    // The names in an exported file.
    std::vector<std::string> namesIn(const std::string& name) {
        ProfileList list;
        ProfileStore(folder.file("Data.cfg")).loadProfiles(folder.file(name), list);
        std::vector<std::string> names;
        for (const auto& profile : list) names.push_back(fieldText(profile->name));
        return names;
    }
    // What the Profile Manager page and the Network Status page's list show.
    std::vector<std::string> managerRows() {
        HWND manager = showTab(kProfileManagerTab);
        return RemoteListView(GetDlgItem(manager, IDC_PM_LIST)).texts();
    }
    std::vector<std::string> statusChoices() {
        HWND status = showTab(kNetworkStatusTab);
        HWND choice = GetDlgItem(status, kProfileChoice);
        std::vector<std::string> names;
        const int count = static_cast<int>(SendMessageA(choice, CB_GETCOUNT, 0, 0));
        for (int index = 0; index < count; ++index) {
            // Wine hands the text of another process's entry over in its wide form.
            wchar_t text[64] = {};
            SendMessageW(choice, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
            char narrow[64] = {};
            WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
            names.push_back(narrow);
        }
        return names;
    }

    // The file name box of a standard file dialog.
    static HWND fileNameBox(HWND dialog) {
        // An edit inside the combo box inside the extended combo box.
        HWND combo = GetDlgItem(dialog, cmb13);
        if (!combo) return GetDlgItem(dialog, edt1);
        HWND inner = FindWindowExA(combo, nullptr, "ComboBox", nullptr);
        if (HWND edit = FindWindowExA(inner ? inner : combo, nullptr, "Edit", nullptr)) return edit;
        return FindWindowExA(combo, nullptr, "Edit", nullptr);
    }
    // The user presses a page's button and the file dialog titled `title` comes up.
    HWND openFileDialog(HWND page, int button, const char* title) {
        click(page, button);
        HWND dialog = driver.waitForWindow(title);
        EXPECT_TRUE(dialog) << title;
        return dialog;
    }
    // The user types `name` into the dialog's file name box.
    void typeFileName(HWND dialog, const std::string& name) {
        HWND box = fileNameBox(dialog);
        ASSERT_TRUE(box);
        SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        type(box, name);
        EXPECT_EQ(windowText(box), name);
    }
    // ... and presses its OK button ("Open" or "Save").
    void typeAndPressOk(HWND dialog, const std::string& name) {
        typeFileName(dialog, name);
        pressButton(dialog, IDOK);
    }
    // The dialog is gone and the program has done what the button asked.
    void waitUntilClosed(HWND dialog) {
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }));
        // The page's work runs on the window thread right after: a message to it returns
        // once that is done.
        SendMessageA(sheet, WM_NULL, 0, 0);
    }
    // Export or import through the dialog, typing the file's name.
    void chooseFile(int button, const char* title, const std::string& name) {
        HWND dialog = openFileDialog(showTab(kAdminTab), button, title);
        if (!dialog) return;
        typeAndPressOk(dialog, name);
        waitUntilClosed(dialog);
    }
    void deleteProfile(const std::string& name) {
        HWND manager = showTab(kProfileManagerTab);
        RemoteListView list(GetDlgItem(manager, IDC_PM_LIST));
        const int row = list.find(name);
        ASSERT_GE(row, 0) << name;
        list.select(row);
        SendMessageA(manager, WM_COMMAND, MAKEWPARAM(IDC_PM_DELETE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(manager, IDC_PM_DELETE)));
        EXPECT_LT(list.find(name), 0) << name;
    }
};

TEST_F(ProfileProgram, AProfileMadeWithTheWizardConnectsAndOutlivesARestart) {
    start();
    HWND manager = showTab(kProfileManagerTab);
    ASSERT_TRUE(manager);

    const std::string summary = createProfile(manager, "Guest", kOpenNetwork, [](HWND) {});
    EXPECT_NE(summary.find("Profile Name = Guest\r\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find(std::string("Network SSID = ") + kOpenNetwork + "\r\n"),
              std::string::npos);

    // Listed before any ad-hoc profile, selected; applied, it is the profile in use.
    RemoteListView list(GetDlgItem(manager, IDC_PM_LIST));
    const int created = list.find("Guest");
    ASSERT_GE(created, 0) << "rows: " << list.texts().size();
    click(manager, IDC_PM_APPLY);
    EXPECT_TRUE(waitUntil([&] {
        const int row = list.find("Guest");
        return row >= 0 && list.image(row) == 1;
    })) << "the in-use mark";

    // Space on the selected row takes it off the prefer list.
    pressKey(GetDlgItem(manager, IDC_PM_LIST), VK_SPACE);
    EXPECT_FALSE(list.checked(list.find("Guest")));

    HWND status = showTab(kNetworkStatusTab);
    EXPECT_TRUE(waitUntil([&] {
        return windowText(GetDlgItem(status, kStatusText)) == "Connected";
    })) << windowText(GetDlgItem(status, kStatusText));
    EXPECT_EQ(windowText(GetDlgItem(status, kStatusSsid)), kOpenNetwork);
    exitProgram();

    // The profile file holds it, and the restarted program lists it; Space puts it back
    // on the prefer list, and the file keeps that too.
    const auto savedGuest = [&]() -> std::optional<Profile> {
        ProfileList saved;
        if (ProfileStore(folder.file("Data.cfg")).loadAtStartup(saved) != LoadStatus::Loaded) {
            return std::nullopt;
        }
        const Profile* guest = saved.findByName("Guest");
        return guest ? std::optional<Profile>(*guest) : std::nullopt;
    };
    const std::optional<Profile> guest = savedGuest();
    ASSERT_TRUE(guest);
    EXPECT_EQ(fieldText(guest->ssid), kOpenNetwork);
    EXPECT_EQ(guest->preferred, 0u);

    start();
    // Connecting selects the profile in use again: the row is chosen once the card is on.
    status = showTab(kNetworkStatusTab);
    ASSERT_TRUE(waitUntil([&] {
        return windowText(GetDlgItem(status, kStatusText)) == "Connected";
    })) << windowText(GetDlgItem(status, kStatusText));
    manager = showTab(kProfileManagerTab);
    RemoteListView restarted(GetDlgItem(manager, IDC_PM_LIST));
    const int row = restarted.find("Guest");
    ASSERT_GE(row, 0);
    EXPECT_FALSE(restarted.checked(row));
    restarted.select(row);
    pressKey(GetDlgItem(manager, IDC_PM_LIST), VK_SPACE);
    EXPECT_TRUE(restarted.checked(row));
    exitProgram();
    const std::optional<Profile> preferred = savedGuest();
    ASSERT_TRUE(preferred);
    EXPECT_EQ(preferred->preferred, 1u);
}

TEST_F(ProfileProgram, WepAndWpa2PskProfilesMadeWithTheSecurityPageConnect) {
    start();
    HWND manager = showTab(kProfileManagerTab);
    ASSERT_TRUE(manager);

    const std::string wep = createProfile(manager, "Cafe", kWepNetwork,
                                          [&](HWND security) { typeWepKey(security, kWepKey); });
    EXPECT_NE(wep.find("Security = WEP\r\nAuthentication = Open System\r\n"), std::string::npos)
        << wep;
    EXPECT_TRUE(applyAndConnect(manager, "Cafe", kWepNetwork, kPatience));

    const std::string wpa2 = createProfile(manager, "Studio", kWpa2Network, [&](HWND security) {
        pickEntry(security, IDC_SEC_AUTHENTICATION, 7);  // "WPA2", on the way
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(security, IDC_SEC_CREDENTIALS)));
        picture(security, "security-8021x");
        pickEntry(security, IDC_SEC_AUTHENTICATION, 5);  // "WPA2-PSK"
        ASSERT_EQ(windowText(GetDlgItem(security, IDC_SEC_AUTHENTICATION)), "WPA2-PSK");
        pickEntry(security, IDC_SEC_ENCRYPTION, 1);  // "AES"
        ASSERT_EQ(windowText(GetDlgItem(security, IDC_SEC_ENCRYPTION)), "AES");
        setText(security, IDC_SEC_PASSPHRASE, kWpa2Passphrase);
        setText(security, IDC_SEC_CONFIRM, kWpa2Passphrase);
        picture(security, "security-psk");
    });
    EXPECT_NE(wpa2.find("Security = AES\r\nAuthentication = WPA2-PSK\r\n"), std::string::npos)
        << wpa2;
    EXPECT_TRUE(applyAndConnect(manager, "Studio", kWpa2Network, kPatience));
    exitProgram();

    // The file keeps what the pages stored.
    ProfileList saved;
    ASSERT_EQ(ProfileStore(folder.file("Data.cfg")).loadAtStartup(saved), LoadStatus::Loaded);
    const Profile* cafe = saved.findByName("Cafe");
    ASSERT_TRUE(cafe);
    EXPECT_EQ(cafe->encryption, EncryptionWep);
    EXPECT_EQ(cafe->securityType, SecurityOpenSystem);
    EXPECT_EQ(cafe->txKeyIndex, 1u);
    EXPECT_EQ(cafe->wepKeys[0].length, 13u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(cafe->wepKeys[0].key), 13), kWepKey);
    const Profile* studio = saved.findByName("Studio");
    ASSERT_TRUE(studio);
    EXPECT_EQ(studio->securityType, SecurityWpa2Psk);
    EXPECT_EQ(studio->encryption, EncryptionAes);
    EXPECT_EQ(fieldText(studio->psk), kWpa2Passphrase);
    EXPECT_EQ(studio->pskLength, std::string(kWpa2Passphrase).size());
}

TEST_F(ProfileProgram, AWrongWepKeyDoesNotConnect) {
    start();
    HWND manager = showTab(kProfileManagerTab);
    ASSERT_TRUE(manager);
    createProfile(manager, "Cafe", kWepNetwork,
                  [&](HWND security) { typeWepKey(security, "cafe+corner8!"); });
    // Longer than the connect engine gives an association; the card never joins.
    EXPECT_FALSE(applyAndConnect(manager, "Cafe", kWepNetwork, 10000));
    exitProgram();
}

TEST_F(ProfileProgram, AnExportImportedAfterDeletingGivesTheListAsBefore) {
    writeProfileFile({makeDefaultProfile(), infra("Home"), infra("Office"), adHoc("Lab")});
    start();
    const std::vector<std::string> before = {"<Default>", "Home", "Office", "Lab"};
    ASSERT_EQ(managerRows(), before);

    HWND admin = showTab(kAdminTab);
    EXPECT_EQ(windowText(GetDlgItem(admin, IDC_ADMIN_IMPORT)), "&Import Profiles");
    EXPECT_EQ(windowText(GetDlgItem(admin, IDC_ADMIN_EXPORT)), "&Export Profiles");
    picture(admin, "admin");
    HWND save = openFileDialog(admin, IDC_ADMIN_EXPORT, "Save As");
    ASSERT_TRUE(save);
    // Typed without its extension, the file gets ".cfg".
    // The dialog is modal over the main window, and has no read-only check box.
    EXPECT_FALSE(IsWindowEnabled(sheet));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(save, chx1)));
    typeFileName(save, folder.file("mine"));
    picture(save, "admin-save");
    pressButton(save, IDOK);
    waitUntilClosed(save);
    EXPECT_EQ(namesIn("mine.cfg"), (std::vector<std::string>{"Home", "Office", "Lab"}));

    deleteProfile("Office");
    deleteProfile("Lab");
    deleteProfile("Home");
    EXPECT_EQ(managerRows(), std::vector<std::string>{"<Default>"});

    HWND open = openFileDialog(showTab(kAdminTab), IDC_ADMIN_IMPORT, "Open");
    ASSERT_TRUE(open);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(open, chx1)));
    picture(open, "admin-open");
    typeAndPressOk(open, folder.file("mine.cfg"));
    waitUntilClosed(open);
    EXPECT_EQ(managerRows(), before);
    EXPECT_EQ(statusChoices(), before);
    exitProgram();
}

TEST_F(ProfileProgram, AnImportWithDuplicatesLeavesTheNormalisedList) {
    writeProfileFile({makeDefaultProfile(), infra("Home"), adHoc("Lab")});
    write("others.cfg", {adHoc("Cafe"), infra("Office"), makeDefaultProfile(), infra("Office"),
                         infra("Home"), makeDefaultProfile(), infra("Office")});
    start();
    ASSERT_EQ(managerRows(), (std::vector<std::string>{"<Default>", "Home", "Lab"}));
    // The Profile Manager is open on a profile while the import runs.
    chooseFile(IDC_ADMIN_IMPORT, "Open", folder.file("others.cfg"));
    const std::vector<std::string> normalised = {"<Default>", "Home",    "Office", "Office2",
                                                 "Home2",     "Office3", "Lab",    "Cafe"};
    EXPECT_EQ(managerRows(), normalised);
    EXPECT_EQ(statusChoices(), normalised);
    EXPECT_FALSE(driver.waitForMessageBox(300).has_value());
    exitProgram();

    // The list as shown is the list saved at exit.
    ProfileList saved;
    ASSERT_EQ(ProfileStore(folder.file("Data.cfg")).loadAtStartup(saved), LoadStatus::Loaded);
    std::vector<std::string> names;
    for (const auto& profile : saved) names.push_back(fieldText(profile->name));
    EXPECT_EQ(names, normalised);
}

TEST_F(ProfileProgram, CancelChangesNothingAndOverwritingAnExportAsksFirst) {
    writeProfileFile({makeDefaultProfile(), infra("Home")});
    write("old.cfg", {infra("Old")});
    start();
    HWND admin = showTab(kAdminTab);

    // Cancel in either dialog.
    HWND open = openFileDialog(admin, IDC_ADMIN_IMPORT, "Open");
    ASSERT_TRUE(open);
    typeFileName(open, folder.file("old.cfg"));
    pressButton(open, IDCANCEL);
    waitUntilClosed(open);
    HWND save = openFileDialog(admin, IDC_ADMIN_EXPORT, "Save As");
    ASSERT_TRUE(save);
    typeFileName(save, folder.file("new.cfg"));
    pressButton(save, IDCANCEL);
    waitUntilClosed(save);
    EXPECT_EQ(managerRows(), (std::vector<std::string>{"<Default>", "Home"}));
    EXPECT_EQ(GetFileAttributesA(folder.file("new.cfg").c_str()), INVALID_FILE_ATTRIBUTES);

    // An existing file: the dialog asks; No keeps the dialog and the file.
    save = openFileDialog(showTab(kAdminTab), IDC_ADMIN_EXPORT, "Save As");
    ASSERT_TRUE(save);
    typeAndPressOk(save, folder.file("old.cfg"));
    auto question = driver.waitForMessageBox();
    ASSERT_TRUE(question);
    EXPECT_NE(question->text.find("replace"), std::string::npos) << question->text;
    pressButton(question->window, IDNO);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(question->window); }));
    EXPECT_TRUE(IsWindow(save));
    EXPECT_EQ(namesIn("old.cfg"), std::vector<std::string>{"Old"});
    // Yes replaces it.
    typeAndPressOk(save, folder.file("old.cfg"));
    question = driver.waitForMessageBox();
    ASSERT_TRUE(question);
    pressButton(question->window, IDYES);
    waitUntilClosed(save);
    EXPECT_EQ(namesIn("old.cfg"), std::vector<std::string>{"Home"});
    exitProgram();
}

TEST_F(ProfileProgram, AFileCutShortIsReportedWithWhatItBrought) {
    writeProfileFile({makeDefaultProfile(), infra("Home")});
    write("cut.cfg", {infra("Home"), infra("Office")});
    {
        const std::string path = folder.file("cut.cfg");
        std::vector<char> bytes(800 + 400);
        std::ifstream(path, std::ios::binary)
            .read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    start();
    HWND open = openFileDialog(showTab(kAdminTab), IDC_ADMIN_IMPORT, "Open");
    ASSERT_TRUE(open);
    typeAndPressOk(open, folder.file("cut.cfg"));
    const auto box = driver.waitForMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "The file " + folder.file("cut.cfg") +
                             " could not be read completely; 1 profile(s) were imported from it.");
    EXPECT_TRUE(box->hasIcon);
    pressButton(box->window, IDOK);
    waitUntilClosed(open);
    EXPECT_EQ(managerRows(), (std::vector<std::string>{"<Default>", "Home", "Home2"}));
    exitProgram();
}

// Ten thousand profiles, all on the prefer list, and no network in range: every page shows
// while auto configuration walks the list, the Profile Manager moves one, the window answers
// after each step, and the list is saved whole at exit. Nothing is timed against a
// limit; the times are printed for people to read.
TEST_F(ProfileProgram, TenThousandProfilesAreShownMovedAndSavedWithTheWindowAnswering) {
    constexpr int kProfiles = 10000;
    // A profile in the middle of the list, behind "<Default>".
    constexpr int kMovedRow = 5001;
    const auto nameOf = [](int row) { return "Profile " + std::to_string(row); };
    ProfileList list;
    list.append(std::make_unique<Profile>(makeDefaultProfile()));
    for (int row = 1; row <= kProfiles; ++row) {
        list.append(std::make_unique<Profile>(infra(nameOf(row), "Elsewhere")));
    }
    ASSERT_TRUE(ProfileStore(folder.file("Data.cfg")).saveProfiles(folder.file("Data.cfg"), list));
    // With nothing to join no link event comes to select another row meanwhile.
    std::ofstream(folder.file("Tovix.scn"), std::ios::binary | std::ios::trunc)
        << "card\n    mac 00:1D:6A:70:42:17\n";
    const auto answers = [&] {
        DWORD_PTR answer = 0;
        return SendMessageTimeoutA(sheet, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kPatience, &answer) != 0;
    };
    DWORD began = GetTickCount();
    start();
    std::printf("start-up with %d profiles: %lu ms\n", kProfiles + 1, GetTickCount() - began);

    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    const int pages = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    ASSERT_GE(pages, kAdminTab + 1);
    for (int tab = 0; tab < pages; ++tab) {
        began = GetTickCount();
        HWND page = showTab(tab);
        std::printf("showing %s: %lu ms\n", windowText(page).c_str(), GetTickCount() - began);
        EXPECT_TRUE(answers()) << windowText(page);
    }
    HWND status = showTab(kNetworkStatusTab);
    EXPECT_EQ(SendDlgItemMessageA(status, IDC_STATUS_PROFILES, CB_GETCOUNT, 0, 0), kProfiles + 1);

    HWND manager = showTab(kProfileManagerTab);
    RemoteListView rows(GetDlgItem(manager, IDC_PM_LIST));
    ASSERT_EQ(rows.rows(), kProfiles + 1) << "with \"<Default>\"";
    EXPECT_EQ(rows.cell(kMovedRow, 0), nameOf(kMovedRow));
    picture(manager, "profile-manager-10000");
    rows.select(kMovedRow);
    began = GetTickCount();
    click(manager, IDC_PM_MOVE_DOWN);
    EXPECT_TRUE(waitUntil([&] { return rows.cell(kMovedRow + 1, 0) == nameOf(kMovedRow); }));
    std::printf("moving one down: %lu ms\n", GetTickCount() - began);
    EXPECT_TRUE(answers());

    began = GetTickCount();
    // Saving ten thousand records at exit takes a while under Wine.
    PostMessageA(sheet, WM_COMMAND, ID_TRAY_EXIT, 0);
    EXPECT_EQ(driver.waitForExit(3 * kPatience), static_cast<DWORD>(app::ExitNormal));
    std::printf("exit with the save: %lu ms\n", GetTickCount() - began);
    ProfileList saved;
    ASSERT_EQ(ProfileStore(folder.file("Data.cfg")).loadAtStartup(saved), LoadStatus::Loaded);
    ASSERT_EQ(saved.size(), static_cast<size_t>(kProfiles + 1));
    EXPECT_EQ(fieldText(saved.at(kMovedRow)->name), nameOf(kMovedRow + 1));
    EXPECT_EQ(fieldText(saved.at(kMovedRow + 1)->name), nameOf(kMovedRow));
}

// "<Default>" chosen while the card is on the open network it joins: the card answers
// that it is already there and tells nothing more; the page shows the link again.
TEST_F(ProfileProgram, ChoosingTheProfileInUseAgainShowsTheLinkAgain) {
    start();
    HWND status = showTab(kNetworkStatusTab);
    ASSERT_TRUE(waitUntil([&] {
        return windowText(GetDlgItem(status, kStatusText)) == "Connected";
    })) << windowText(GetDlgItem(status, kStatusText));
    ASSERT_EQ(windowText(GetDlgItem(status, IDC_STATUS_PROFILES)), "<Default>");
    const HWND profiles = GetDlgItem(status, IDC_STATUS_PROFILES);
    const int entry =
        static_cast<int>(SendMessageA(profiles, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>("<Default>")));
    ASSERT_GE(entry, 0);
    pickEntry(status, IDC_STATUS_PROFILES, entry);
    EXPECT_EQ(windowText(GetDlgItem(status, kStatusText)), "Connected");
    EXPECT_EQ(windowText(GetDlgItem(status, kStatusSsid)), kOpenNetwork);
    EXPECT_EQ(windowText(profiles), "<Default>");
    exitProgram();
}

}  // namespace
