// Malformed profile files, grouped by what is wrong with them: the length fields, the
// records' sizes, the text fields and the file as a whole. Each file is read from the
// disk the way start-up and an import read it; every row compares one summary of what
// the load gave.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "profiles/ProfileFile.h"
#include "tests/profiles/ProfileFileFixtures.h"
#include "tests/profiles/ProfileFixtures.h"
#include "tests/support/EscapedText.h"

using Bytes = std::vector<uint8_t>;

namespace {

const char* statusName(LoadStatus status) {
    switch (status) {
        case LoadStatus::Loaded:
            return "Loaded";
        case LoadStatus::Missing:
            return "Missing";
        case LoadStatus::Unreadable:
            return "Unreadable";
        case LoadStatus::Truncated:
            return "Truncated";
    }
    return "?";
}

template <size_t N>
bool ends(const char (&field)[N]) {
    return std::memchr(field, 0, N) != nullptr;
}

// Whether the program may hand the record to the library and the pages as it is.
bool safe(const Profile& p) {
    return ends(p.name) && ends(p.ssid) && ends(p.psk) && ends(p.loginName) && ends(p.password) &&
           ends(p.domain) && ends(p.certIssuerName) && ends(p.anonymousName) &&
           p.pskLength <= kMaxPskLength;
}

// "Status: name,name" with control and high bytes escaped; "!" marks a record the
// program could not use safely. With many records only their number is given.
std::string summary(LoadStatus status, const ProfileList& list) {
    std::string out = std::string(statusName(status)) + ":";
    if (list.size() > 8) return out + std::to_string(list.size()) + " records";
    const char* separator = " ";
    for (const auto& p : list) {
        out += separator + escaped(fieldText(p->name)) + (safe(*p) ? "" : "!");
        separator = ",";
    }
    return out;
}

Bytes recordOf(const Profile& p, uint32_t length = 792) {
    Bytes body = bytesOf(p);
    body.resize(length, 0);
    return fileRecord(length, body);
}

Bytes named(const std::string& name) { return recordOf(infra(name)); }

Bytes cut(Bytes bytes, size_t size) {
    bytes.resize(size);
    return bytes;
}

Bytes plainLength(uint32_t length) { return cut(fileRecord(length, {}), 4); }

// A record whose bytes are all `fill`, with a readable name.
Bytes filled(uint8_t fill, const std::string& name) {
    Profile p;
    std::memset(&p, fill, sizeof p);
    std::memcpy(p.name, name.c_str(), name.size() + 1);
    return recordOf(p);
}

// A record whose text field at `offset` of `size` bytes holds no zero.
Bytes unterminated(size_t offset, size_t size) {
    Profile p = infra("open");
    std::memset(reinterpret_cast<uint8_t*>(&p) + offset, 'z', size);
    return recordOf(p);
}

Bytes withPskLength(uint32_t length) {
    Profile p = infra("psk");
    p.pskLength = length;
    return recordOf(p);
}

Bytes noise(size_t size, uint32_t seed) {
    Bytes bytes(size);
    for (uint8_t& b : bytes) {
        seed = seed * 1103515245u + 12345u;
        b = static_cast<uint8_t>(seed >> 16);
    }
    return bytes;
}

Bytes text(const std::string& t) { return Bytes(t.begin(), t.end()); }

struct HostileFile {
    const char* name;
    Bytes bytes;
    std::string expected;
};

std::vector<HostileFile> files() {
    const Bytes a = named("a");
    const Bytes b = named("b");
    Bytes thousand;
    for (int i = 0; i < 1000; ++i)
        thousand = join(std::move(thousand), named("n" + std::to_string(i)));
    Profile longName = infra("x");
    std::memset(longName.name, 'L', sizeof longName.name);
    return {
        // The length field.
        {"Length_EmptyFile", {}, "Loaded:"},
        {"Length_OneByte", {0x18}, "Truncated:"},
        {"Length_ThreeBytes", {0x18, 0x03, 0x00}, "Truncated:"},
        {"Length_WithoutItsRecord", plainLength(792), "Truncated:"},
        {"Length_ZeroAlone", plainLength(0), "Loaded:"},
        {"Length_ZeroThenNoise", join(plainLength(0), noise(100, 1)), "Truncated:"},
        {"Length_ZeroThenZeros", join(join(a, plainLength(0)), Bytes(50, 0)), "Truncated: a"},
        {"Length_AllOnes", join(plainLength(0xFFFFFFFFu), cut(a, 796)), "Truncated:"},
        {"Length_HighBit", join(plainLength(0x80000000u), a), "Truncated:"},
        {"Length_BigEndian", join(Bytes{0, 0, 3, 0x18}, cut(a, 796)), "Truncated:"},
        {"Length_CutAfterAGoodRecord", join(a, {0x18, 0x03}), "Truncated: a"},
        {"Length_OneByteAfterAGoodRecord", join(a, {0x18}), "Truncated: a"},
        // Records longer or shorter than the profile record.
        {"Record_OneByte", recordOf(infra("Q"), 1), "Loaded: Q"},
        {"Record_OnlyTheName", recordOf(infra("short"), 40), "Loaded: short"},
        {"Record_NameCutShort", recordOf(infra("abcdef"), 3), "Loaded: abc"},
        {"Record_OneByteShortOf792", join(recordOf(infra("s"), 791), b), "Loaded: s,b"},
        {"Record_OneByteOver792", join(recordOf(infra("o"), 793), b), "Loaded: o,b"},
        {"Record_FiveThousandBytes", join(recordOf(infra("big"), 5000), b), "Loaded: big,b"},
        {"Record_CutInsideItsBody", join(a, cut(b, 400)), "Truncated: a"},
        {"Record_CutOneByteShort", join(a, cut(b, b.size() - 1)), "Truncated: a"},
        {"Record_LongerOneCutInsideItsTail", join(a, cut(recordOf(infra("t"), 5000), 4000)),
         "Truncated: a"},
        {"Record_LongerOneCutInsideItsFirst792", cut(recordOf(infra("t"), 5000), 500),
         "Truncated:"},
        {"Record_AlternatingSizes", join(join(recordOf(infra("p"), 1), a), recordOf(infra("q"), 1)),
         "Loaded: p,a,q"},
        // Text fields: unterminated, control characters, reserved names.
        {"Text_NameWithoutTerminator", recordOf(longName), "Loaded: " + std::string(39, 'L')},
        {"Text_NameAllHighBytes", filled(0xFF, std::string(39, '\xFF')),
         "Loaded: " + escaped(std::string(39, '\xFF'))},
        {"Text_NameEmpty", named(""), "Loaded: "},
        {"Text_NameWithLineBreaks", named("a\r\nb\tc"), "Loaded: a\\x0D\\x0Ab\\x09c"},
        {"Text_NameWithEscapeCodes", named("\x1B[31m\x07"), "Loaded: \\x1B[31m\\x07"},
        {"Text_NameWithFormatDirectives", named("%s%n%p"), "Loaded: %s%n%p"},
        {"Text_DefaultTwice", join(named("<Default>"), named("<Default>")),
         "Loaded: <Default>,<Default>"},
        {"Text_SiteSurvey", named("<Site Survey>"), "Loaded: <Site Survey>"},
        {"Text_SsidWithoutTerminator", unterminated(offsetof(Profile, ssid), kSsidSize),
         "Loaded: open"},
        {"Text_PskWithoutTerminator", unterminated(offsetof(Profile, psk), kPskSize),
         "Loaded: open"},
        {"Text_LoginWithoutTerminator", unterminated(offsetof(Profile, loginName), kCredentialSize),
         "Loaded: open"},
        {"Text_PasswordWithoutTerminator",
         unterminated(offsetof(Profile, password), kCredentialSize), "Loaded: open"},
        {"Text_DomainWithoutTerminator", unterminated(offsetof(Profile, domain), kCredentialSize),
         "Loaded: open"},
        {"Text_CertificateWithoutTerminator",
         unterminated(offsetof(Profile, certIssuerName), kCredentialSize), "Loaded: open"},
        {"Text_AnonymousWithoutTerminator",
         unterminated(offsetof(Profile, anonymousName), kCredentialSize), "Loaded: open"},
        {"Text_EveryByteSet", filled(0xA5, "set"), "Loaded: set"},
        // Numbers at their extremes.
        {"Number_PskLengthAllOnes", withPskLength(0xFFFFFFFFu), "Loaded: psk"},
        {"Number_PskLength128", withPskLength(128), "Loaded: psk"},
        {"Number_EveryIntegerAllOnes", filled(0xFF, "ones"), "Loaded: ones"},
        // Whole files that are something else.
        {"File_Noise", noise(4096, 7), "Truncated:"},
        {"File_Zeros", Bytes(10000, 0), "Truncated:"},
        {"File_SettingsText", text("[Advanced]\r\nFirstChan=1\r\nLastChan=11\r\n"), "Truncated:"},
        {"File_Utf16Text", text("\xFF\xFE<\0D\0e\0f\0>\0"), "Truncated:"},
        {"File_UnscrambledRecordLengthOnly", join(plainLength(792), Bytes(10, 0)), "Truncated:"},
        {"File_AThousandRecords", thousand, "Loaded:1000 records"},
        {"File_AThousandRecordsCut", cut(thousand, thousand.size() - 500), "Truncated:999 records"},
    };
}

class HostileProfileFile : public testing::TestWithParam<HostileFile> {};

TEST_P(HostileProfileFile, LoadsTheRecordsBeforeTheDamageEachSafeToUse) {
    TempFolder folder;
    const std::string path = folder.path("hostile.cfg");
    writeBytes(path, GetParam().bytes);
    ProfileStore store(folder.path("Data.cfg"));
    ProfileList list;
    const LoadStatus status = store.loadProfiles(path, list);
    EXPECT_EQ(summary(status, list), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Files, HostileProfileFile, testing::ValuesIn(files()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
