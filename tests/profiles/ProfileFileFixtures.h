// Files for the tests of the profile file: a scratch folder, reading and writing whole
// files, and file records built by hand.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "profiles/ProfileFile.h"

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

inline long testProcessId() {
#ifdef _WIN32
    return _getpid();
#else
    return getpid();
#endif
}

// A fresh folder for one test, removed afterwards. Its name holds the process, so that
// two builds' tests run at once never share one.
class TempFolder {
public:
    TempFolder() {
        static std::atomic<int> counter{0};
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("tovix-") + test->name() + "-" +
                           std::to_string(testProcessId()) + "-" + std::to_string(counter++);
        std::replace(name.begin(), name.end(), '/', '-');  // the name of a row of a table
        folder_ = fs::temp_directory_path() / name;
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    fs::path folder_;
};

inline std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<uint8_t> bytesOf(const Profile& p) {
    const auto* raw = reinterpret_cast<const uint8_t*>(&p);
    return {raw, raw + sizeof p};
}

// The scrambling key, read back from the image of an all-zero record.
inline std::array<uint8_t, 2> scrambleKey() {
    ProfileList list;
    list.append(std::make_unique<Profile>(blankProfile()));
    const auto image = encodeProfiles(list, SaveScope::Everything);
    return {image[4], image[5]};
}

// One file record: the plain length, then `body` scrambled from its first byte.
inline std::vector<uint8_t> fileRecord(uint32_t length, const std::vector<uint8_t>& body) {
    const auto key = scrambleKey();
    std::vector<uint8_t> bytes(4 + body.size());
    for (size_t i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(length >> (8 * i));
    for (size_t i = 0; i < body.size(); ++i) bytes[4 + i] = body[i] ^ key[i & 1];
    return bytes;
}

inline std::vector<uint8_t> join(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
