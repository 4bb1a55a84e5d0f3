#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "profiles/FileReplace.h"
#include "profiles/ProfileFile.h"
#include "tests/profiles/ProfileFileFixtures.h"
#include "tests/profiles/ProfileFixtures.h"

namespace fs = std::filesystem;
using testing::ElementsAre;

namespace {

Profile fullProfile(const std::string& name) {
    Profile p = infra(name, "ssid-" + name);
    p.securityType = SecurityWpa2Peap;
    p.encryption = EncryptionAes;
    p.txKeyIndex = 2;
    p.wepKeys[1].length = 13;
    for (int i = 0; i < 13; ++i) p.wepKeys[1].key[i] = static_cast<uint8_t>(0xA0 + i);
    setFieldText(p.psk, "a passphrase");
    p.pskLength = 12;
    setFieldText(p.loginName, "login");
    setFieldText(p.anonymousName, "anonymous");
    p.certHash[19] = 0x99;
    p.ipAddress = 0xC0A80001;
    p.rtsThreshold = 2347;
    return p;
}

}  // namespace

TEST(ProfileFileFormat, ScrambledRecordsWithPlainLengths) {
    ProfileList list = listOf({fullProfile("one"), fullProfile("two")});
    const auto image = encodeProfiles(list, SaveScope::Everything);
    ASSERT_EQ(image.size(), 2u * (4 + 792));
    const auto key = scrambleKey();
    EXPECT_NE(key[0], 0);
    EXPECT_NE(key[1], 0);
    EXPECT_NE(key[0], key[1]);
    for (size_t record = 0; record < 2; ++record) {
        const size_t start = record * 796;
        EXPECT_THAT(std::vector<uint8_t>(image.begin() + start, image.begin() + start + 4),
                    ElementsAre(0x18, 0x03, 0, 0));  // 792, little-endian
        const auto plain = bytesOf(*list.at(record));
        for (size_t i = 0; i < 792; ++i) {
            ASSERT_EQ(image[start + 4 + i] ^ plain[i], key[i & 1])
                << "record " << record << " byte " << i;
        }
    }
}

TEST(ProfileFileFormat, RoundTripKeepsEveryByte) {
    TempFolder folder;
    ProfileStore store(folder.path("Data.cfg"));
    ProfileList saved = listOf({fullProfile("one"), adHoc("two"), fullProfile("three")});
    ASSERT_TRUE(store.saveProfiles(folder.path("Data.cfg"), saved));
    ProfileList loaded;
    EXPECT_EQ(store.loadProfiles(folder.path("Data.cfg"), loaded), LoadStatus::Loaded);
    ASSERT_EQ(loaded.size(), 3u);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(bytesOf(*loaded.at(i)), bytesOf(*saved.at(i)));
}

TEST(ProfileFileLoad, ARecordShorterThan792LeavesTheRestZero) {
    const Profile full = fullProfile("old");
    auto body = bytesOf(full);
    body.resize(101);  // an odd length: the next record still starts its own scrambling
    TempFolder folder;
    writeBytes(folder.path("old.cfg"), join(fileRecord(101, body), fileRecord(792, bytesOf(full))));
    ProfileList list;
    EXPECT_EQ(ProfileStore(folder.path("Data.cfg")).loadProfiles(folder.path("old.cfg"), list),
              LoadStatus::Loaded);
    ASSERT_EQ(list.size(), 2u);
    Profile expected = blankProfile();
    std::memcpy(&expected, &full, 101);
    EXPECT_EQ(bytesOf(*list.at(0)), bytesOf(expected));
    EXPECT_EQ(bytesOf(*list.at(1)), bytesOf(full));
}

TEST(ProfileFileLoad, ALongerRecordKeeps792BytesAndSkipsTheRest) {
    const Profile first = fullProfile("first");
    auto body = bytesOf(first);
    body.resize(800, 0xEE);
    ProfileList list;
    EXPECT_EQ(decodeProfiles(
                  join(fileRecord(800, body), fileRecord(792, bytesOf(fullProfile("next")))), list),
              LoadStatus::Loaded);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(bytesOf(*list.at(0)), bytesOf(first));
    EXPECT_EQ(fieldText(list.at(1)->name), "next");
    // Skipping past the end of the file is a short record.
    list = ProfileList();
    EXPECT_EQ(decodeProfiles(fileRecord(0xFFFFFFFFu, body), list), LoadStatus::Truncated);
    EXPECT_TRUE(list.empty());
}

TEST(ProfileFileLoad, AFileShorterThanItsLastLengthLosesOnlyThatRecord) {
    auto image = encodeProfiles(listOf({fullProfile("a"), fullProfile("b"), fullProfile("c")}),
                                SaveScope::Everything);
    image.resize(image.size() - 1);
    ProfileList list;
    EXPECT_EQ(decodeProfiles(image, list), LoadStatus::Truncated);
    EXPECT_THAT(namesOf(list), ElementsAre("a", "b"));
    // A length field cut short ends the file the same way.
    image.resize(2 * 796 + 2);
    list = ProfileList();
    EXPECT_EQ(decodeProfiles(image, list), LoadStatus::Truncated);
    EXPECT_THAT(namesOf(list), ElementsAre("a", "b"));
}

TEST(ProfileFileLoad, AZeroLengthEndsTheFileAndWhatFollowsItIsNotRead) {
    const auto first = join(fileRecord(792, bytesOf(fullProfile("a"))), fileRecord(0, {}));
    ProfileList list;
    EXPECT_EQ(decodeProfiles(first, list), LoadStatus::Loaded);
    EXPECT_THAT(namesOf(list), ElementsAre("a"));
    list = ProfileList();
    EXPECT_EQ(decodeProfiles(join(first, fileRecord(792, bytesOf(fullProfile("b")))), list),
              LoadStatus::Truncated);
    EXPECT_THAT(namesOf(list), ElementsAre("a"));
    list = ProfileList();
    EXPECT_EQ(decodeProfiles({}, list), LoadStatus::Loaded);
    EXPECT_TRUE(list.empty());
}

// The file route reads what the memory route reads, record by record.
TEST(ProfileFileLoad, AFileLoadsAsItsImageDecodes) {
    TempFolder folder;
    auto longer = bytesOf(fullProfile("long"));
    longer.resize(5000, 0xEE);
    const std::vector<uint8_t> next = fileRecord(792, bytesOf(fullProfile("next")));
    const std::vector<std::vector<uint8_t>> images = {
        join(fileRecord(5000, longer), next),
        fileRecord(0xFFFFFFFFu, longer),
        join(next, fileRecord(0, {})),
        join(join(next, fileRecord(0, {})), next),
        std::vector<uint8_t>(next.begin(), next.end() - 1),
        {},
    };
    ProfileStore store(folder.path("Data.cfg"));
    for (size_t i = 0; i < images.size(); ++i) {
        SCOPED_TRACE(i);
        writeBytes(folder.path("image.cfg"), images[i]);
        ProfileList fromMemory, fromFile;
        EXPECT_EQ(store.loadProfiles(folder.path("image.cfg"), fromFile),
                  decodeProfiles(images[i], fromMemory));
        EXPECT_EQ(namesOf(fromFile), namesOf(fromMemory));
    }
}

TEST(ProfileFileLoad, AHugeFileLoadsWhatItCanAndIsReadInPart) {
    TempFolder folder;
    const std::string path = folder.path("Data.cfg");
    constexpr uintmax_t kHuge = 300u << 20;
    // Zeros: the records end at once, 300 MB follow.
    writeBytes(path, {});
    fs::resize_file(path, kHuge);
    ProfileStore store(path);
    ProfileList list;
    EXPECT_EQ(store.loadAtStartup(list), LoadStatus::Truncated);
    EXPECT_THAT(namesOf(list), ElementsAre("<Default>"));
    // One good record, then one of 256 MB (skipped past but for its first 792 bytes),
    // then zeros again.
    auto image = join(fileRecord(792, bytesOf(fullProfile("a"))), fileRecord(0x10000000u, {}));
    writeBytes(path, image);
    fs::resize_file(path, kHuge);
    list = ProfileList();
    EXPECT_EQ(store.loadProfiles(path, list), LoadStatus::Truncated);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(fieldText(list.at(0)->name), "a");
}

TEST(ProfileFileLoad, ALoadStopsWhenTheListHoldsTheMostItMay) {
    ProfileList list;
    for (size_t i = 0; i + 1 < kMaxLoadedProfiles; ++i) {
        list.append(std::make_unique<Profile>(blankProfile()));
    }
    const auto image = encodeProfiles(listOf({infra("a"), infra("b")}), SaveScope::Everything);
    EXPECT_EQ(decodeProfiles(image, list), LoadStatus::Truncated);
    EXPECT_EQ(list.size(), kMaxLoadedProfiles);
    EXPECT_EQ(fieldText(list.at(kMaxLoadedProfiles - 1)->name), "a");
}

TEST(ProfileFileLoad, TextFieldsAreForcedToEndInsideTheirFields) {
    Profile p;
    std::memset(&p, 'x', sizeof p);
    p.pskLength = 0xFFFFFFFFu;
    ProfileList list;
    decodeProfiles(fileRecord(792, bytesOf(p)), list);
    ASSERT_EQ(list.size(), 1u);
    const Profile& loaded = *list.at(0);
    EXPECT_EQ(fieldText(loaded.name), std::string(39, 'x'));
    EXPECT_EQ(fieldText(loaded.ssid), std::string(32, 'x'));
    EXPECT_EQ(fieldText(loaded.psk), std::string(127, 'x'));
    EXPECT_EQ(fieldText(loaded.anonymousName), std::string(39, 'x'));
    EXPECT_EQ(fieldText(loaded.certIssuerName), std::string(39, 'x'));
    EXPECT_EQ(loaded.pskLength, 127u);
}

TEST(ProfileFileLoad, AMissingOrUnreadableFileAppendsNothing) {
    TempFolder folder;
    ProfileList list = listOf({infra("kept")});
    ProfileStore store(folder.path("Data.cfg"));
    EXPECT_EQ(store.loadProfiles(folder.path("none.cfg"), list), LoadStatus::Missing);
    fs::create_directory(folder.path("folder.cfg"));
    EXPECT_EQ(store.loadProfiles(folder.path("folder.cfg"), list), LoadStatus::Unreadable);
    EXPECT_THAT(namesOf(list), ElementsAre("kept"));
}

TEST(ProfileFileImport, AppendsAfterTheListDuplicatesIncluded) {
    TempFolder folder;
    ProfileStore store(folder.path("Data.cfg"));
    ASSERT_TRUE(
        store.saveProfiles(folder.path("export.cfg"), listOf({infra("Home"), adHoc("Peer")})));
    ProfileList list = listOf({infra("Home"), infra("Office")});
    EXPECT_EQ(store.loadProfiles(folder.path("export.cfg"), list), LoadStatus::Loaded);
    EXPECT_THAT(namesOf(list), ElementsAre("Home", "Office", "Home", "Peer"));
}

TEST(ProfileFileSave, AnExportLeavesOutTheSpecialProfiles) {
    TempFolder folder;
    ProfileStore store(folder.path("Data.cfg"));
    ProfileList list =
        listOf({makeDefaultProfile(), infra("Home"), infra("<Site Survey>"), adHoc("Peer")});
    ASSERT_TRUE(store.saveProfiles(folder.path("export.cfg"), list));
    ASSERT_TRUE(store.saveProfiles(folder.path("Data.cfg"), list));
    ProfileList exported, everything;
    store.loadProfiles(folder.path("export.cfg"), exported);
    store.loadProfiles(folder.path("Data.cfg"), everything);
    EXPECT_THAT(namesOf(exported), ElementsAre("Home", "Peer"));
    EXPECT_THAT(namesOf(everything), ElementsAre("<Default>", "Home", "<Site Survey>", "Peer"));
    // The profile file is recognised by its exact path text only.
    ASSERT_TRUE(store.saveProfiles(folder.path("./Data.cfg"), list));
    ProfileList other;
    store.loadProfiles(folder.path("./Data.cfg"), other);
    EXPECT_THAT(namesOf(other), ElementsAre("Home", "Peer"));
}

TEST(ProfileFileSave, AShorterListLeavesNoStaleRecords) {
    TempFolder folder;
    const std::string path = folder.path("Data.cfg");
    ProfileStore store(path);
    ASSERT_TRUE(store.saveProfiles(path, listOf({infra("a"), infra("b"), infra("c")})));
    ASSERT_TRUE(store.saveProfiles(path, listOf({infra("z")})));
    EXPECT_EQ(readBytes(path).size(), 796u);
    ProfileList list;
    store.loadProfiles(path, list);
    EXPECT_THAT(namesOf(list), ElementsAre("z"));
    EXPECT_THAT(folder.files(), ElementsAre("Data.cfg"));  // no temporary file is left
}

TEST(ProfileFileSave, WhatALaterSaveFindsLeftFromBeforeDoesNotBlockIt) {
    TempFolder folder;
    const std::string path = folder.path("Data.cfg");
    ProfileStore store(path);
    fs::create_directory(path + ".tmp");
    writeBytes(path + ".tmp2", {7});  // the file of a save that never finished
    ASSERT_TRUE(store.saveProfiles(path, listOf({infra("a")})));
    ProfileList list;
    EXPECT_EQ(store.loadProfiles(path, list), LoadStatus::Loaded);
    EXPECT_THAT(namesOf(list), ElementsAre("a"));
    EXPECT_THAT(folder.files(), ElementsAre("Data.cfg", "Data.cfg.tmp"));
}

TEST(ProfileFileSave, AFailedSaveLeavesThePreviousFileAndNothingElse) {
    TempFolder folder;
    const std::string path = folder.path("Data.cfg");
    ProfileStore store(path);
    // The new file cannot take the place of a folder that holds a file.
    fs::create_directory(path);
    writeBytes(path + "/inside", {1});
    EXPECT_FALSE(store.saveProfiles(path, listOf({infra("z")})));
    EXPECT_THAT(folder.files(), ElementsAre("Data.cfg"));
    EXPECT_FALSE(store.saveProfiles(folder.path("no/such/folder.cfg"), listOf({infra("z")})));
}

TEST(ProfileFileStartup, AMissingFileGivesOnlyTheDefaultProfile) {
    TempFolder folder;
    ProfileStore store(folder.path("Data.cfg"));
    ProfileList list;
    EXPECT_EQ(store.loadAtStartup(list), LoadStatus::Missing);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(bytesOf(*list.at(0)), bytesOf(makeDefaultProfile()));
    // Saving at exit creates the file.
    EXPECT_TRUE(store.saveProfiles(folder.path("Data.cfg"), list));
    EXPECT_EQ(readBytes(folder.path("Data.cfg")).size(), 796u);
}

TEST(ProfileFileStartup, AnUnreadableFileIsReportedAndNeverOverwritten) {
    TempFolder folder;
    const std::string path = folder.path("Data.cfg");
    fs::create_directory(path);  // exists, cannot be read as a file
    ProfileStore store(path);
    ProfileList list;
    EXPECT_EQ(store.loadAtStartup(list), LoadStatus::Unreadable);
    EXPECT_THAT(namesOf(list), ElementsAre("<Default>"));
    EXPECT_FALSE(store.saveProfiles(path, list));
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_THAT(folder.files(), ElementsAre("Data.cfg"));
    // Exports still work.
    EXPECT_TRUE(store.saveProfiles(folder.path("export.cfg"), listOf({infra("x")})));
}

// A file read only in part: the records before the damage, and the file as it was.
struct DamagedFile {
    explicit DamagedFile(const std::string& path) {
        auto image = encodeProfiles(listOf({infra("a"), infra("b")}), SaveScope::Everything);
        image.resize(image.size() - 10);
        writeBytes(path, image);
        bytes = image;
    }
    std::vector<uint8_t> bytes;
};

TEST(ProfileFileStartup, AFileReadInPartIsKeptAsItWasBeforeTheFirstSaveReplacesIt) {
    TempFolder folder;
    const std::string path = folder.path("Data.cfg");
    const DamagedFile damaged(path);
    ProfileStore store(path);
    ProfileList list;
    EXPECT_EQ(store.loadAtStartup(list), LoadStatus::Truncated);
    EXPECT_THAT(namesOf(list), ElementsAre("a", "<Default>"));
    EXPECT_EQ(store.damagedCopyPath(), path + ".bad");
    EXPECT_THAT(folder.files(), ElementsAre("Data.cfg")) << "nothing moves before a save";

    ASSERT_TRUE(store.saveProfiles(path, list));
    EXPECT_EQ(readBytes(path + ".bad"), damaged.bytes);
    EXPECT_EQ(readBytes(path).size(), 2u * 796);
    // Later saves replace the new file only.
    ASSERT_TRUE(store.saveProfiles(path, listOf({infra("z")})));
    EXPECT_EQ(readBytes(path + ".bad"), damaged.bytes);
    EXPECT_THAT(folder.files(), ElementsAre("Data.cfg", "Data.cfg.bad"));
    // A file read whole keeps no copy.
    ProfileStore again(path);
    list = ProfileList();
    EXPECT_EQ(again.loadAtStartup(list), LoadStatus::Loaded);
    EXPECT_EQ(again.damagedCopyPath(), "");
}

TEST(ProfileFileStartup, AnEarlierCopyOfADamagedFileIsNeverReplaced) {
    TempFolder folder;
    const std::string path = folder.path("Data.cfg");
    writeBytes(path + ".bad", {1});
    const DamagedFile damaged(path);
    ProfileStore store(path);
    ProfileList list;
    EXPECT_EQ(store.loadAtStartup(list), LoadStatus::Truncated);
    EXPECT_EQ(store.damagedCopyPath(), path + ".bad2");
    // A copy that appears meanwhile is left alone as well.
    writeBytes(path + ".bad2", {2});
    ASSERT_TRUE(store.saveProfiles(path, list));
    EXPECT_EQ(store.damagedCopyPath(), path + ".bad3");
    EXPECT_EQ(readBytes(path + ".bad"), std::vector<uint8_t>{1});
    EXPECT_EQ(readBytes(path + ".bad2"), std::vector<uint8_t>{2});
    EXPECT_EQ(readBytes(path + ".bad3"), damaged.bytes);
}

TEST(ProfileDefault, InsertedBeforeTheFirstAdHocProfileUnlessPresent) {
    ProfileList list;
    ensureDefaultProfile(list);
    EXPECT_THAT(namesOf(list), ElementsAre("<Default>"));

    list = listOf({infra("I1"), infra("I2"), adHoc("A1"), adHoc("A2")});
    ensureDefaultProfile(list);
    EXPECT_THAT(namesOf(list), ElementsAre("I1", "I2", "<Default>", "A1", "A2"));

    list = listOf({infra("I1"), infra("<Default>"), adHoc("A1")});
    ensureDefaultProfile(list);
    EXPECT_THAT(namesOf(list), ElementsAre("I1", "<Default>", "A1"));

    // The walk ends after the first Ad-Hoc profile, which is examined too.
    list = listOf({infra("I1"), adHoc("<Default>"), infra("I2")});
    ensureDefaultProfile(list);
    EXPECT_THAT(namesOf(list), ElementsAre("I1", "<Default>", "I2"));
    list = listOf({infra("I1"), adHoc("A1"), infra("<Default>")});
    ensureDefaultProfile(list);
    EXPECT_THAT(namesOf(list), ElementsAre("I1", "<Default>", "A1", "<Default>"));
}

TEST(ProfileFileReplace, TakesThePlaceOfAnExistingFile) {
    TempFolder folder;
    writeBytes(folder.path("old"), {1, 2, 3});
    writeBytes(folder.path("new"), {4, 5});
    EXPECT_TRUE(replaceFile(folder.path("new"), folder.path("old")));
    EXPECT_EQ(readBytes(folder.path("old")), (std::vector<uint8_t>{4, 5}));
    EXPECT_THAT(folder.files(), ElementsAre("old"));
    EXPECT_FALSE(replaceFile(folder.path("gone"), folder.path("old")));
    EXPECT_EQ(readBytes(folder.path("old")), (std::vector<uint8_t>{4, 5}));
}
