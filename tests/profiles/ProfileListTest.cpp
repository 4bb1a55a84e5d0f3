#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "profiles/ProfileList.h"
#include "tests/profiles/ProfileFixtures.h"

using testing::ElementsAre;

TEST(ProfileRecord, DefaultProfileCreationValues) {
    const Profile p = makeDefaultProfile();
    EXPECT_EQ(fieldText(p.name), "<Default>");
    EXPECT_EQ(fieldText(p.ssid), "<ANY SSID>");
    EXPECT_EQ(p.networkType, 1u);
    EXPECT_EQ(p.wirelessMode, 255u);
    EXPECT_EQ(p.useDefaultRadio, 1u);
    EXPECT_EQ(p.preamble, 1u);
    EXPECT_EQ(p.dataRate, 255u);
    EXPECT_EQ(p.fragThreshold, 2346u);
    EXPECT_EQ(p.rtsThreshold, 2347u);
    EXPECT_EQ(p.preferred, 1u);
    // Every other byte is zero.
    Profile expected = blankProfile();
    std::memcpy(expected.name, p.name, sizeof p.name);
    std::memcpy(expected.ssid, p.ssid, sizeof p.ssid);
    expected.networkType = 1;
    expected.wirelessMode = 255;
    expected.useDefaultRadio = 1;
    expected.preamble = 1;
    expected.dataRate = 255;
    expected.fragThreshold = 2346;
    expected.rtsThreshold = 2347;
    expected.preferred = 1;
    EXPECT_EQ(std::memcmp(&p, &expected, sizeof p), 0);
    EXPECT_TRUE(isDefaultProfile(p));
    EXPECT_TRUE(isAnySsid(p));
}

TEST(ProfileRecord, FixedWidthTexts) {
    Profile p = blankProfile();
    setFieldText(p.ssid, std::string(40, 's'));
    EXPECT_EQ(fieldText(p.ssid), std::string(32, 's'));
    EXPECT_EQ(p.ssid[32], '\0');
    setFieldText(p.ssid, "ab");
    EXPECT_EQ(fieldText(p.ssid), "ab");
    EXPECT_EQ(p.ssid[3], '\0');  // the old text is gone
    // A field without a terminator reads to its end, never beyond.
    std::memset(p.name, 'n', sizeof p.name);
    EXPECT_EQ(fieldText(p.name), std::string(40, 'n'));
}

TEST(ProfileRecord, TerminatingTextFields) {
    Profile p;
    std::memset(&p, 'x', sizeof p);
    p.pskLength = 500;
    terminateTextFields(p);
    EXPECT_EQ(fieldText(p.name).size(), 39u);
    EXPECT_EQ(fieldText(p.ssid).size(), 32u);
    EXPECT_EQ(fieldText(p.psk).size(), 127u);
    EXPECT_EQ(std::strlen(p.loginName), 39u);
    EXPECT_EQ(std::strlen(p.password), 39u);
    EXPECT_EQ(std::strlen(p.domain), 39u);
    EXPECT_EQ(std::strlen(p.certIssuerName), 39u);
    EXPECT_EQ(std::strlen(p.anonymousName), 39u);
    EXPECT_EQ(p.pskLength, 127u);
    p.pskLength = 20;
    terminateTextFields(p);
    EXPECT_EQ(p.pskLength, 20u);
}

TEST(ProfileRecord, WepBlockIsCopiedAsOneUnit) {
    Profile p = blankProfile();
    p.txKeyIndex = 3;
    p.wepKeys[2].length = 13;
    p.wepKeys[2].key[12] = 0x7F;
    p.wepKeys[0].length = 5;
    const WepBlock block = wepBlockOf(p);
    EXPECT_EQ(std::memcmp(&block, reinterpret_cast<const uint8_t*>(&p) + 100, sizeof block), 0);
    Profile q = blankProfile();
    setWepBlock(q, block);
    EXPECT_EQ(std::memcmp(&p, &q, sizeof p), 0);
}

TEST(ProfileListMarkInUse, InfrastructureMovesToTheTop) {
    auto list = listOf({infra("I1"), infra("I2"), infra("I3"), adHoc("A1")});
    list.markInUse(list.at(0));
    EXPECT_THAT(namesOf(list), ElementsAre("I1", "I2", "I3", "A1"));
    list.markInUse(list.at(2));
    EXPECT_THAT(namesOf(list), ElementsAre("I3", "I1", "I2", "A1"));
    EXPECT_EQ(fieldText(list.inUse()->name), "I3");
    EXPECT_EQ(list.inUse()->preferred, 1u);
}

TEST(ProfileListMarkInUse, AdHocMovesToTheHeadOfItsGroup) {
    auto list = listOf({infra("I1"), infra("I2"), adHoc("A1"), adHoc("A2"), adHoc("A3")});
    list.markInUse(list.at(4));
    EXPECT_THAT(namesOf(list), ElementsAre("I1", "I2", "A3", "A1", "A2"));
    list.markInUse(list.at(2));  // already in place
    EXPECT_THAT(namesOf(list), ElementsAre("I1", "I2", "A3", "A1", "A2"));
}

TEST(ProfileListMarkInUse, AdHocNeverOvertakesALeadingInfrastructureProfile) {
    // A mixed list after an import: the Ad-Hoc profile goes before the first profile
    // that is not Infrastructure, counted without itself.
    auto list = listOf({infra("I1"), adHoc("A1"), infra("I2"), adHoc("A2")});
    list.markInUse(list.at(3));
    EXPECT_THAT(namesOf(list), ElementsAre("I1", "A2", "A1", "I2"));
    // With no other Ad-Hoc profile it goes to the end.
    list = listOf({adHoc("A1"), infra("I1"), infra("I2")});
    list.markInUse(list.at(0));
    EXPECT_THAT(namesOf(list), ElementsAre("I1", "I2", "A1"));
    // Any network type but 1 counts as Ad-Hoc.
    list = listOf({infra("I1"), adHoc("A1"), adHoc("X")});
    list.at(2)->networkType = 7;
    list.markInUse(list.at(2));
    EXPECT_THAT(namesOf(list), ElementsAre("I1", "X", "A1"));
}

TEST(ProfileListMarkInUse, SetsPreferredAndTheProfileInUse) {
    auto list = listOf({infra("I1"), infra("I2")});
    list.at(1)->preferred = 0;
    Profile* i2 = list.at(1);
    list.markInUse(i2);
    EXPECT_EQ(i2->preferred, 1u);
    EXPECT_EQ(list.inUse(), i2);
    // A record that is not listed, or none, leaves no profile in use.
    Profile outside = infra("Outside");
    list.markInUse(&outside);
    EXPECT_EQ(list.inUse(), nullptr);
    EXPECT_THAT(namesOf(list), ElementsAre("I2", "I1"));
    list.markInUse(i2);
    list.markInUse(nullptr);
    EXPECT_EQ(list.inUse(), nullptr);
}

TEST(ProfileListEditing, RemoveMoveAndFind) {
    auto list = listOf({infra("I1"), infra("I2"), adHoc("A1")});
    Profile* i2 = list.at(1);
    list.markInUse(i2);
    EXPECT_EQ(list.findByName("A1"), list.at(2));
    EXPECT_EQ(list.findByName("A"), nullptr);
    EXPECT_EQ(list.indexOf(i2), 0u);
    list.move(0, 2);
    EXPECT_THAT(namesOf(list), ElementsAre("I1", "A1", "I2"));
    list.move(2, 1);
    EXPECT_THAT(namesOf(list), ElementsAre("I1", "I2", "A1"));
    EXPECT_EQ(list.inUse(), i2);  // moving keeps the profile in use
    const auto removed = list.remove(i2);
    EXPECT_EQ(removed.get(), i2);
    EXPECT_EQ(list.inUse(), nullptr);
    EXPECT_FALSE(list.indexOf(i2));
    EXPECT_FALSE(list.contains(i2));
    EXPECT_EQ(list.remove(i2), nullptr);
    for (const auto& record : list) EXPECT_TRUE(list.contains(record.get()));
}

TEST(ProfileListEditing, SortInfrastructureFirstKeepsEachGroupsOrder) {
    auto list = listOf({adHoc("A1"), infra("I1"), adHoc("A2"), infra("I2"), infra("I3")});
    list.sortInfrastructureFirst();
    EXPECT_THAT(namesOf(list), ElementsAre("I1", "I2", "I3", "A1", "A2"));
}

TEST(ProfileListEditing, AutoLinkReplacesProfilesOfTheSameNetwork) {
    auto list = listOf({infra("Home", "net"), adHoc("Peer", "net"), infra("Office", "work"),
                        infra("Home2", "net")});
    list.markInUse(list.at(3));
    const Profile* home = list.at(1);
    auto added = std::make_unique<Profile>(infra("net", "net"));
    Profile* record = list.replaceSameNetwork(std::move(added));
    EXPECT_EQ(list.at(0), record);
    EXPECT_THAT(namesOf(list), ElementsAre("net", "Peer", "Office"));
    EXPECT_EQ(list.inUse(), nullptr);  // the profile in use was one of the removed
    EXPECT_TRUE(list.contains(record));
    EXPECT_FALSE(list.contains(home));
}

TEST(ProfileNames, TheTrailingNumberCountsUpWithinThirtyNineCharacters) {
    const std::string a36(36, 'a'), a37(37, 'a'), a38(38, 'a');
    const struct {
        std::string name;
        std::string next;
    } cases[] = {
        {"Home", "Home2"},
        {"Home1", "Home2"},
        {"Home0", "Home1"},
        {"Net9", "Net10"},
        {"Net19", "Net20"},
        {"Net99", "Net100"},
        {"Net999", "Net1000"},
        {"Net09", "Net10"},
        {"9", "10"},
        {"", "2"},
        // At 39 characters the characters before the number give way.
        {a38 + "a", a38 + "2"},
        {a38 + "8", a38 + "9"},
        {a38 + "9", a37 + "10"},
        {a37 + "99", a36 + "100"},
        {a36 + "999", std::string(35, 'a') + "1000"},
        // A name of nothing but nines keeps its last 39 digits.
        {std::string(39, '9'), std::string(39, '0')},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(nextProfileName(c.name), c.next) << c.name;
        EXPECT_LE(nextProfileName(c.name).size(), kMaxNameLength) << c.name;
    }
}

TEST(ProfileNames, UniqueInTheWholeList) {
    auto list = listOf({infra("Office"), infra("Office2"), infra("Office3"), adHoc("Net9")});
    EXPECT_EQ(uniqueProfileName(list, "Office"), "Office4");
    EXPECT_EQ(uniqueProfileName(list, "Office2"), "Office4");
    EXPECT_EQ(uniqueProfileName(list, "Net9"), "Net10");
    EXPECT_EQ(uniqueProfileName(list, "Fresh"), "Fresh");
    EXPECT_EQ(uniqueProfileName(list, std::string(45, 'x')), std::string(39, 'x'));
    // Renaming later duplicates one by one: Office, Office, Office -> Office, Office2, Office3.
    list = listOf({infra("Office"), infra("Office"), infra("Office")});
    for (size_t i = 1; i < list.size(); ++i) {
        setFieldText(list.at(i)->name, uniqueProfileName(list, fieldText(list.at(i)->name)));
    }
    EXPECT_THAT(namesOf(list), ElementsAre("Office", "Office2", "Office3"));
}

TEST(ProfileNames, LongNamesEndingInNinesBecomeUnique) {
    const std::string nines = std::string(37, 'n') + "99";
    auto list = listOf({infra(nines), infra(std::string(36, 'n') + "100")});
    EXPECT_EQ(uniqueProfileName(list, nines), std::string(36, 'n') + "101");
    EXPECT_EQ(list.size(), 2u);
}
