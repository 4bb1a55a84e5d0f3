// The Admin page: the normalisation after an import, import and export through the file
// dialogs, and files that are empty, cut short or hostile.
#include <gmock/gmock.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <fstream>
#include <set>

#include "res/resource.h"
#include "tests/pages/AdminSuite.h"
#include "tests/profiles/ProfileFixtures.h"

namespace pagestest {

namespace fs = std::filesystem;
using testing::ElementsAre;
using testing::ElementsAreArray;
using testing::IsEmpty;

namespace {

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// The file image of `profiles`, every one of them written ("<Default>" too).
std::vector<uint8_t> fileOf(const std::vector<Profile>& profiles) {
    ProfileList list;
    for (const Profile& profile : profiles) list.append(std::make_unique<Profile>(profile));
    return encodeProfiles(list, SaveScope::Everything);
}

void appendLength(std::vector<uint8_t>& bytes, uint32_t length) {
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<uint8_t>(length >> shift));
}

// Every rule the list keeps: infrastructure before ad-hoc, one "<Default>", names unique
// and ending inside their field.
void expectValidList(const ProfileList& list) {
    bool adHocSeen = false;
    int defaults = 0;
    std::set<std::string> names;
    for (const auto& profile : list) {
        const bool infrastructure = isInfrastructure(*profile);
        EXPECT_FALSE(infrastructure && adHocSeen) << fieldText(profile->name);
        adHocSeen = adHocSeen || !infrastructure;
        if (isDefaultProfile(*profile)) ++defaults;
        EXPECT_TRUE(std::memchr(profile->name, 0, sizeof profile->name) != nullptr);
        EXPECT_TRUE(names.insert(fieldText(profile->name)).second) << fieldText(profile->name);
    }
    EXPECT_EQ(defaults, 1);
}

}  // namespace

// ---- The normalisation ------------------------------------------------------------------

TEST(AdminNormalize, ListsComeBackIntoShape) {
    const std::string name39(39, 'A');
    const std::string name37(37, 'B');
    struct Case {
        const char* what;
        std::vector<Profile> before;
        std::vector<std::string> after;
        size_t removed;
    };
    const Case cases[] = {
        {"three of a name",
         {infra("Office"), infra("Office"), infra("Office")},
         {"Office", "Office2", "Office3"},
         0},
        {"three defaults in a row",
         {makeDefaultProfile(), makeDefaultProfile(), makeDefaultProfile()},
         {"<Default>"},
         2},
        {"defaults apart",
         {makeDefaultProfile(), infra("Home"), makeDefaultProfile(), infra("Lab")},
         {"<Default>", "Home", "Lab"},
         1},
        {"ad-hoc before infrastructure",
         {adHoc("A1"), infra("I1"), adHoc("A2"), infra("I2")},
         {"I1", "I2", "A1", "A2"},
         0},
        {"the same name in both groups", {adHoc("Lab"), infra("Lab")}, {"Lab", "Lab2"}, 0},
        {"a new name already taken",
         {infra("Home"), infra("Home"), infra("Home2")},
         {"Home", "Home3", "Home2"},
         0},
        {"a trailing number", {infra("Home1"), infra("Home1")}, {"Home1", "Home2"}, 0},
        {"ending in 9",
         {infra("Net9"), infra("Net9"), infra("Net19"), infra("Net19")},
         {"Net9", "Net10", "Net19", "Net20"},
         0},
        {"ending in 99",
         {infra("Net99"), infra("Net99"), infra("Net99")},
         {"Net99", "Net100", "Net101"},
         0},
        {"39 characters",
         {infra(name39), infra(name39), infra(name39)},
         {name39, std::string(38, 'A') + "2", std::string(38, 'A') + "3"},
         0},
        {"39 characters ending in 99",
         {infra(name37 + "99"), infra(name37 + "99")},
         {name37 + "99", std::string(36, 'B') + "100"},
         0},
        {"case counts", {infra("home"), infra("Home")}, {"home", "Home"}, 0},
    };
    for (const Case& c : cases) {
        ProfileList list;
        std::vector<const Profile*> records;
        for (const Profile& profile : c.before) {
            records.push_back(list.append(std::make_unique<Profile>(profile)));
        }
        const auto removed = normalizeProfiles(list);
        EXPECT_THAT(namesOf(list), ElementsAreArray(c.after)) << c.what;
        EXPECT_EQ(removed.size(), c.removed) << c.what;
        EXPECT_EQ(list.size() + removed.size(), records.size()) << c.what;
    }
}

// ---- The page -----------------------------------------------------------------------------

namespace {

fs::path makeScratchFolder() {
    static std::atomic<int> count{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path folder = fs::temp_directory_path() /
                      ("tovix-admin-" + std::to_string(stamp) + "-" + std::to_string(++count));
    fs::create_directories(folder);
    return folder;
}

}  // namespace

AdminPage::AdminPage()
    : folder_(makeScratchFolder()),
      backEnd_(GetParam().make()),
      mainWindow(GetParam().text, (folder_ / "Data.cfg").string()) {}

AdminPage::~AdminPage() {
    fwtest::expectCleanEnd(*backEnd_);
    EXPECT_EQ(files.unexpected(), 0);
    EXPECT_EQ(files.unanswered(), 0u);
    if (page_) {
        EXPECT_THAT(backEnd_->missingControls(*page_), IsEmpty());
    }
    if (mainSheet_.hasWindow()) mainSheet_.ui().endDialog(fw::id::Cancel);
    page_.reset();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

CAdminTool& AdminPage::open() {
    page_ = std::make_unique<CAdminTool>(mainWindow, files);
    mainSheet_.addPage(*page_);
    backEnd_->host().createSheet(mainSheet_, nullptr);
    return *page_;
}

std::vector<std::string> AdminPage::messages() const {
    std::vector<std::string> texts;
    for (const fw::ShownBox& box : backEnd_->script().shownBoxes()) texts.push_back(box.text);
    return texts;
}

TEST_P(AdminPage, TheDialogsAskForCfgFiles) {
    CAdminTool& page = open();
    files.expect(std::nullopt);
    hands().click(IDC_ADMIN_IMPORT);
    files.expect(std::nullopt);
    hands().click(IDC_ADMIN_EXPORT);
    ASSERT_EQ(files.requests.size(), 2u);
    const FileDialogRequest& import = files.requests[0];
    EXPECT_EQ(import.kind, FileDialogRequest::Kind::Open);
    EXPECT_EQ(import.filter, "cfg Files (*.cfg)|*.cfg||");
    EXPECT_EQ(import.defaultExtension, "cfg");
    EXPECT_EQ(import.options, fd::FileMustExist | fd::PathMustExist);
    const FileDialogRequest& exported = files.requests[1];
    EXPECT_EQ(exported.kind, FileDialogRequest::Kind::Save);
    EXPECT_EQ(exported.filter, import.filter);
    EXPECT_EQ(exported.defaultExtension, "cfg");
    EXPECT_EQ(exported.options,
              fd::OverwritePrompt | fd::HideReadOnly | fd::PathMustExist | fd::NoReadOnlyReturn);
    EXPECT_THAT(files.owners, ElementsAre(&page, &page));
}

TEST_P(AdminPage, CancellingEitherDialogChangesNothing) {
    mainWindow.list.append(std::make_unique<Profile>(makeDefaultProfile()));
    mainWindow.list.append(std::make_unique<Profile>(infra("Home")));
    writeBytes(file("old.cfg"), fileOf({infra("Old")}));
    open();
    files.expect(std::nullopt);
    hands().click(IDC_ADMIN_EXPORT);
    files.expect(std::nullopt);
    hands().click(IDC_ADMIN_IMPORT);
    EXPECT_THAT(namesOf(mainWindow.list), ElementsAre("<Default>", "Home"));
    ProfileList old;
    EXPECT_EQ(ProfileStore(file("Data.cfg")).loadProfiles(file("old.cfg"), old),
              LoadStatus::Loaded);
    EXPECT_THAT(namesOf(old), ElementsAre("Old"));
    EXPECT_THAT(messages(), IsEmpty());
}

TEST_P(AdminPage, AnExportImportedAgainGivesTheListAsBefore) {
    mainWindow.list.append(std::make_unique<Profile>(makeDefaultProfile()));
    Profile home = infra("Home");
    home.encryption = EncryptionWep;
    home.wepKeys[0].length = 5;
    std::memcpy(home.wepKeys[0].key, "abcde", 5);
    mainWindow.list.append(std::make_unique<Profile>(home));
    mainWindow.list.append(std::make_unique<Profile>(adHoc("Lab")));
    mainWindow.list.append(std::make_unique<Profile>(infra(std::string(kSiteSurveyProfileName))));
    open();
    files.expect(file("all.cfg"));
    hands().click(IDC_ADMIN_EXPORT);

    // The special profiles stay out of an exported file.
    ProfileList exported;
    ASSERT_EQ(ProfileStore(file("Data.cfg")).loadProfiles(file("all.cfg"), exported),
              LoadStatus::Loaded);
    EXPECT_THAT(namesOf(exported), ElementsAre("Home", "Lab"));

    mainWindow.list.remove(mainWindow.list.at(1));
    mainWindow.list.remove(mainWindow.list.at(1));
    files.expect(file("all.cfg"));
    hands().click(IDC_ADMIN_IMPORT);
    EXPECT_THAT(namesOf(mainWindow.list), ElementsAre("<Default>", "<Site Survey>", "Home", "Lab"));
    EXPECT_EQ(std::memcmp(mainWindow.list.at(2), &home, sizeof home), 0);
    EXPECT_THAT(messages(), IsEmpty());
    EXPECT_THAT(mainWindow.forgotten, IsEmpty());
}

TEST_P(AdminPage, AnImportWithDuplicatesAndDefaultsLeavesTheNormalisedList) {
    mainWindow.list.append(std::make_unique<Profile>(makeDefaultProfile()));
    const Profile* home = mainWindow.list.append(std::make_unique<Profile>(infra("Home")));
    mainWindow.list.append(std::make_unique<Profile>(adHoc("Lab")));
    writeBytes(file("office.cfg"),
               fileOf({adHoc("Cafe"), infra("Office"), makeDefaultProfile(), infra("Office"),
                       infra("Home"), makeDefaultProfile(), infra("Office")}));
    open();
    files.expect(file("office.cfg"));
    hands().click(IDC_ADMIN_IMPORT);
    EXPECT_THAT(namesOf(mainWindow.list), ElementsAre("<Default>", "Home", "Office", "Office2",
                                                      "Home2", "Office3", "Lab", "Cafe"));
    EXPECT_EQ(mainWindow.list.at(1), home);
    // The two extra "<Default>" profiles left the list, and the pages were told.
    ASSERT_EQ(mainWindow.forgotten.size(), 2u);
    for (const Profile* gone : mainWindow.forgotten) {
        EXPECT_FALSE(mainWindow.list.indexOf(gone).has_value());
    }
    EXPECT_THAT(messages(), IsEmpty());
}

TEST_P(AdminPage, AFailedExportSaysSoAndLeavesWhatStoodThere) {
    mainWindow.list.append(std::make_unique<Profile>(infra("Home")));
    fs::create_directories(folder_ / "taken.cfg");
    const std::string nowhere = (folder_ / "missing" / "profiles.cfg").string();
    open();
    for (const std::string& path : {file("taken.cfg"), nowhere}) {
        script().expectMessageBox("The profiles could not be saved to " + path + ".", fw::id::Ok);
        files.expect(path);
        hands().click(IDC_ADMIN_EXPORT);
    }
    EXPECT_TRUE(fs::is_directory(folder_ / "taken.cfg"));
    EXPECT_FALSE(fs::exists(nowhere));
    EXPECT_THAT(namesOf(mainWindow.list), ElementsAre("Home"));
}

TEST_P(AdminPage, BadFilesLeaveAValidListAndKeepEveryProfile) {
    std::vector<uint8_t> good = fileOf({infra("Good")});
    std::vector<uint8_t> truncated = fileOf({infra("First"), infra("Second")});
    truncated.resize(truncated.size() - 100);
    std::vector<uint8_t> hugeLength = good;
    appendLength(hugeLength, 0xFFFFFFFFu);
    hugeLength.insert(hugeLength.end(), 50, 0x41);
    std::vector<uint8_t> onlyHuge;
    appendLength(onlyHuge, 0xFFFFFFFFu);
    std::vector<Profile> many;
    for (int i = 0; i < 10000; ++i) {
        many.push_back(i % 100 == 0 ? makeDefaultProfile()
                       : i % 7 == 0 ? adHoc("Mesh")
                                    : infra("Home"));
    }
    // Text fields without a terminating zero, after the scrambling.
    Profile unterminated = infra("");
    std::memset(unterminated.name, 'N', sizeof unterminated.name);
    std::memset(unterminated.ssid, 'S', sizeof unterminated.ssid);
    std::memset(unterminated.loginName, 'L', sizeof unterminated.loginName);
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        size_t brought;
        bool complete;
    };
    const Case cases[] = {
        {"empty.cfg", {}, 0, true},
        {"truncated.cfg", truncated, 1, false},
        {"huge-length.cfg", hugeLength, 1, false},
        {"only-huge.cfg", onlyHuge, 0, false},
        {"many.cfg", fileOf(many), many.size(), true},
        {"unterminated.cfg", fileOf({unterminated, unterminated}), 2, true},
    };

    mainWindow.list.append(std::make_unique<Profile>(makeDefaultProfile()));
    mainWindow.list.append(std::make_unique<Profile>(infra("Home")));
    mainWindow.list.append(std::make_unique<Profile>(adHoc("Mesh")));
    std::vector<std::pair<const Profile*, std::string>> kept;
    for (const auto& profile : mainWindow.list)
        kept.emplace_back(profile.get(), fieldText(profile->name));
    open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(file(c.name), c.bytes);
        const size_t before = mainWindow.list.size();
        const size_t forgotten = mainWindow.forgotten.size();
        if (!c.complete) {
            script().expectMessageBox(
                "The file " + file(c.name) + " could not be read completely; " +
                    std::to_string(c.brought) + " profile(s) were imported from it.",
                fw::id::Ok);
        }
        files.expect(file(c.name));
        hands().click(IDC_ADMIN_IMPORT);
        EXPECT_EQ(mainWindow.list.size() + (mainWindow.forgotten.size() - forgotten),
                  before + c.brought);
        expectValidList(mainWindow.list);
        for (const auto& [record, name] : kept) {
            ASSERT_TRUE(mainWindow.list.indexOf(record).has_value()) << name;
            EXPECT_EQ(fieldText(record->name), name);
        }
    }
    // What the unterminated records became: names and texts cut inside their fields.
    const Profile* cut = mainWindow.list.findByName(std::string(39, 'N'));
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(fieldText(cut->ssid), std::string(32, 'S'));
    EXPECT_NE(mainWindow.list.findByName(std::string(38, 'N') + "2"), nullptr);
}

}  // namespace pagestest
