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
// Names tried for the temporary file of a save: "Data.cfg.tmp", "Data.cfg.tmp2", ...
constexpr int kTemporaryNames = 100;

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

// The bytes of a profile file in memory.
class MemorySource {
public:
    explicit MemorySource(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    // Reads up to `count` bytes; fewer at the end.
    size_t read(uint8_t* into, size_t count) {
        const size_t taken = std::min(count, bytes_.size() - offset_);
        if (taken == 0) return 0;  // an empty image has no data to copy from
        std::memcpy(into, bytes_.data() + offset_, taken);
        offset_ += taken;
        return taken;
    }
    // Passes over `count` bytes; false when fewer are left.
    bool skip(uint32_t count) {
        if (bytes_.size() - offset_ < count) return false;
        offset_ += count;
        return true;
    }
    bool failed() const { return false; }

private:
    const std::vector<uint8_t>& bytes_;
    size_t offset_ = 0;
};

// A profile file read record by record, so that a file of any size costs the memory of
// the records kept and no more.
class FileSource {
public:
    explicit FileSource(std::FILE* file) : file_(file) {}
    size_t read(uint8_t* into, size_t count) { return std::fread(into, 1, count, file_); }
    bool skip(uint32_t count) {
        if (count == 0) return true;
        // Seeking past the end succeeds; the last byte passed over must be there.
        constexpr uint32_t kStep = 1u << 30;
        for (uint32_t left = count - 1; left > 0;) {
            const uint32_t step = std::min(left, kStep);
            if (std::fseek(file_, static_cast<long>(step), SEEK_CUR) != 0) return false;
            left -= step;
        }
        uint8_t last;
        return read(&last, 1) == 1;
    }
    bool failed() const { return std::ferror(file_) != 0; }

private:
    std::FILE* file_;
};

// Reads the records of `source` into `records` until the records end, `room` records
// were read or the source ends early.
template <class Source>
LoadStatus readRecords(Source& source, size_t room, ProfileList& records) {
    for (;;) {
        uint8_t lengthBytes[4];
        const size_t lengthRead = source.read(lengthBytes, sizeof lengthBytes);
        if (lengthRead == 0) return LoadStatus::Loaded;
        if (lengthRead < sizeof lengthBytes) return LoadStatus::Truncated;
        const uint32_t length = readLength(lengthBytes);
        if (length == 0) {
            uint8_t after;
            return source.read(&after, 1) == 0 ? LoadStatus::Loaded : LoadStatus::Truncated;
        }
        if (records.size() >= room) return LoadStatus::Truncated;
        auto profile = std::make_unique<Profile>(blankProfile());
        auto* record = reinterpret_cast<uint8_t*>(profile.get());
        const uint32_t kept = std::min(length, kRecordSize);
        if (source.read(record, kept) < kept || !source.skip(length - kept)) {
            return LoadStatus::Truncated;
        }
        scramble(record, kept);
        terminateTextFields(*profile);
        records.append(std::move(profile));
    }
}

// Room for records in `list`.
size_t roomIn(const ProfileList& list) {
    return kMaxLoadedProfiles - std::min(list.size(), kMaxLoadedProfiles);
}

// The n-th name for a copy of the profile file: "Data.cfg.bad", "Data.cfg.bad2", ...
std::string damagedCopyName(const std::string& profilePath, int n) {
    return profilePath + ".bad" + (n > 1 ? std::to_string(n) : std::string());
}

}  // namespace

LoadStatus decodeProfiles(const std::vector<uint8_t>& bytes, ProfileList& list) {
    MemorySource source(bytes);
    ProfileList records;
    const LoadStatus status = readRecords(source, roomIn(list), records);
    list.appendAll(std::move(records));
    return status;
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
    errno = 0;
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) return errno == ENOENT ? LoadStatus::Missing : LoadStatus::Unreadable;
    FileSource source(file.get());
    ProfileList records;
    const LoadStatus status = readRecords(source, roomIn(list), records);
    // A file that fails to be read appends nothing.
    if (source.failed()) return LoadStatus::Unreadable;
    list.appendAll(std::move(records));
    return status;
}

bool ProfileStore::saveProfiles(const std::string& path, const ProfileList& list) {
    const bool profileFile = path == profilePath_;
    if (profileFile && profileFileUnreadable_) return false;
    const auto bytes =
        encodeProfiles(list, profileFile ? SaveScope::Everything : SaveScope::Export);
    // The new file is written whole beside the old one and then takes its place. A file
    // under the temporary name is what a save that never finished left: it goes. A name
    // taken by anything else is passed over.
    std::string temporary;
    NewFile written = NewFile::Taken;
    for (int n = 1; written == NewFile::Taken && n <= kTemporaryNames; ++n) {
        temporary = path + ".tmp" + (n > 1 ? std::to_string(n) : std::string());
        written = writeNewFile(temporary, bytes);
        if (written == NewFile::Taken && removeFile(temporary)) {
            written = writeNewFile(temporary, bytes);
        }
    }
    if (written == NewFile::Written) {
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
        std::remove(temporary.c_str());
    }
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
