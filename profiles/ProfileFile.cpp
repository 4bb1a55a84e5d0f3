#include "profiles/ProfileFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "profiles/FileReplace.h"

namespace {

// The scrambling key of the profile file. Changing it makes every existing file unreadable.
constexpr uint8_t kScrambleKey[2] = {0x5A, 0xC3};

constexpr uint32_t kRecordSize = sizeof(Profile);

// XORs bytes at even offsets with the first key byte, at odd offsets with the second.
void scramble(uint8_t* bytes, size_t count) {
    for (size_t i = 0; i < count; ++i) bytes[i] ^= kScrambleKey[i & 1];
}

uint32_t readLength(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

void appendLength(std::vector<uint8_t>& out, uint32_t length) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(length >> shift));
}

bool isSpecialProfile(const Profile& profile) {
    const std::string name = fieldText(profile.name);
    return name == kDefaultProfileName || name == kSiteSurveyProfileName;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

LoadStatus readFile(const std::string& path, std::vector<uint8_t>& bytes) {
    errno = 0;
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) return errno == ENOENT ? LoadStatus::Missing : LoadStatus::Unreadable;
    uint8_t chunk[4096];
    size_t count;
    while ((count = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + count);
    }
    return std::ferror(file.get()) ? LoadStatus::Unreadable : LoadStatus::Loaded;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written =
        std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
    return std::fclose(file) == 0 && written;
}

// The n-th name for a copy of the profile file: "Data.cfg.bad", "Data.cfg.bad2", ...
std::string damagedCopyName(const std::string& profilePath, int n) {
    return profilePath + ".bad" + (n > 1 ? std::to_string(n) : std::string());
}

}  // namespace

LoadStatus decodeProfiles(const std::vector<uint8_t>& bytes, ProfileList& list) {
    size_t offset = 0;
    while (offset < bytes.size()) {
        if (bytes.size() - offset < 4) return LoadStatus::Truncated;
        const uint32_t length = readLength(&bytes[offset]);
        offset += 4;
        if (length == 0) return offset < bytes.size() ? LoadStatus::Truncated : LoadStatus::Loaded;
        if (bytes.size() - offset < length) return LoadStatus::Truncated;
        auto profile = std::make_unique<Profile>(blankProfile());
        auto* record = reinterpret_cast<uint8_t*>(profile.get());
        const size_t kept = std::min(length, kRecordSize);
        std::memcpy(record, &bytes[offset], kept);
        scramble(record, kept);
        terminateTextFields(*profile);
        list.append(std::move(profile));
        offset += length;
    }
    return LoadStatus::Loaded;
}

std::vector<uint8_t> encodeProfiles(const ProfileList& list, SaveScope scope) {
    std::vector<uint8_t> out;
    for (const auto& profile : list) {
        if (scope == SaveScope::Export && isSpecialProfile(*profile)) continue;
        appendLength(out, kRecordSize);
        const auto* record = reinterpret_cast<const uint8_t*>(profile.get());
        const size_t start = out.size();
        out.insert(out.end(), record, record + kRecordSize);
        scramble(&out[start], kRecordSize);
    }
    return out;
}

void ensureDefaultProfile(ProfileList& list) {
    size_t position = 0;
    for (; position < list.size(); ++position) {
        const Profile& profile = *list.at(position);
        if (isDefaultProfile(profile)) return;
        if (!isInfrastructure(profile)) break;
    }
    list.insert(position, std::make_unique<Profile>(makeDefaultProfile()));
}

ProfileStore::ProfileStore(std::string profilePath) : profilePath_(std::move(profilePath)) {}

LoadStatus ProfileStore::loadAtStartup(ProfileList& list) {
    const LoadStatus status = loadProfiles(profilePath_, list);
    profileFileUnreadable_ = status == LoadStatus::Unreadable;
    if (status == LoadStatus::Truncated) {
        damagedFileInPlace_ = true;
        while (pathExists(damagedCopyName(profilePath_, damagedCopyNumber_))) ++damagedCopyNumber_;
        damagedCopy_ = damagedCopyName(profilePath_, damagedCopyNumber_);
    }
    ensureDefaultProfile(list);
    return status;
}

LoadStatus ProfileStore::loadProfiles(const std::string& path, ProfileList& list) const {
    std::vector<uint8_t> bytes;
    const LoadStatus status = readFile(path, bytes);
    if (status != LoadStatus::Loaded) return status;
    return decodeProfiles(bytes, list);
}

bool ProfileStore::saveProfiles(const std::string& path, const ProfileList& list) {
    const bool profileFile = path == profilePath_;
    if (profileFile && profileFileUnreadable_) return false;
    const auto bytes =
        encodeProfiles(list, profileFile ? SaveScope::Everything : SaveScope::Export);
    // The new file is written beside the old one and then takes its place.
    const std::string temporary = path + ".tmp";
    if (writeFile(temporary, bytes)) {
        if (profileFile && damagedFileInPlace_) {
            // The damaged file steps aside first; the new one takes its free place.
            if (keepDamagedFile()) {
                if (moveFile(temporary, path)) return true;
                moveFile(damagedCopy_, path);
                damagedFileInPlace_ = true;
            }
        } else if (replaceFile(temporary, path)) {
            return true;
        }
    }
    std::remove(temporary.c_str());
    return false;
}

bool ProfileStore::keepDamagedFile() {
    // A copy that appeared since start-up is never replaced: the next free name is taken.
    for (;; ++damagedCopyNumber_) {
        damagedCopy_ = damagedCopyName(profilePath_, damagedCopyNumber_);
        if (moveFile(profilePath_, damagedCopy_)) {
            damagedFileInPlace_ = false;
            return true;
        }
        if (!pathExists(damagedCopy_)) return false;
    }
}
