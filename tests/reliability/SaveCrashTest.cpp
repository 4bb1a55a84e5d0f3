// A save and an export of 200 profiles, killed part way: a child process saves and ends
// at a chosen byte of what it writes, and the file must then read as the old list or as
// the new one, never as anything else. TOVIX_KILL_POINTS sets how many points are tried
// over each save (the default keeps the test quick; 1000 or more for a thorough run).
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "profiles/ProfileFile.h"
#include "tests/profiles/ProfileFileFixtures.h"
#include "tests/profiles/ProfileFixtures.h"
#include "tests/reliability/Faults.h"

namespace {

ProfileList manyProfiles(const std::string& prefix) {
    ProfileList list;
    for (int i = 0; i < 200; ++i) {
        list.append(std::make_unique<Profile>(infra(prefix + std::to_string(i))));
    }
    return list;
}

int killPoints() {
    const char* text = std::getenv("TOVIX_KILL_POINTS");
    const int points = text ? std::atoi(text) : 0;
    return points > 0 ? points : 120;
}

class SaveCrash : public testing::TestWithParam<const char*> {};

TEST_P(SaveCrash, TheFileReadsAsTheOldOrTheNewList) {
    TempFolder folder;
    const std::string profilePath = folder.path("Data.cfg");
    const std::string path = folder.path(GetParam());
    const SaveScope scope = path == profilePath ? SaveScope::Everything : SaveScope::Export;
    const ProfileList oldProfiles = manyProfiles("old");
    const ProfileList newProfiles = manyProfiles("new");
    const auto oldNames = namesOf(oldProfiles);
    const auto newNames = namesOf(newProfiles);
    const long image = static_cast<long>(encodeProfiles(newProfiles, scope).size());
    const int points = killPoints();
    int sawOld = 0, sawNew = 0;
    // The points spread over every byte of the new file, and one past its end, after
    // which only the step that puts it in place is left.
    for (int point = 0; point <= points; ++point) {
        const long bytes = image * point / points;
        fs::remove_all(path);
        ProfileStore(profilePath).saveProfiles(path, oldProfiles);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            faults::killAfterWrittenBytes(point == points ? image + 1 : bytes);
            ProfileStore(profilePath).saveProfiles(path, newProfiles);
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        ProfileList read;
        const LoadStatus loaded = ProfileStore(profilePath).loadProfiles(path, read);
        const auto names = namesOf(read);
        ASSERT_TRUE(loaded == LoadStatus::Loaded && (names == oldNames || names == newNames))
            << "killed after " << bytes << " of " << image << " bytes";
        ++(names == oldNames ? sawOld : sawNew);
    }
    EXPECT_EQ(sawNew, 1) << "only a save that wrote everything replaces the file";
    std::cout << GetParam() << ": " << points << " kill points and one whole save, " << sawOld
              << " old, " << sawNew << " new\n";
}

INSTANTIATE_TEST_SUITE_P(Files, SaveCrash, testing::Values("Data.cfg", "export.cfg"),
                         [](const auto& info) {
                             return std::string(info.param) == "Data.cfg" ? "Save" : "Export";
                         });

}  // namespace
