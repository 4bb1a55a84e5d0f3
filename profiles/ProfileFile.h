// The profile file: Data.cfg beside the program, and exported profile files of the
// same format. No header, version or count: a sequence of records, each a 32-bit
// little-endian length N (the writer always writes 792) followed by N bytes of the
// profile record, scrambled with a two-byte key that restarts with every record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "profiles/ProfileList.h"

enum class LoadStatus {
    Loaded,      // every record was read
    Missing,     // there is no such file; nothing was appended
    Unreadable,  // the file exists but could not be opened or read; nothing was appended
    // Only part of the file could be read: it ends inside a record, bytes follow the
    // zero length that ends the records, or the list would pass kMaxLoadedProfiles. The
    // records before were appended.
    Truncated,
};

// The most records a load leaves in a list (about 52 MB of them): a file of any size
// loads within that memory.
constexpr size_t kMaxLoadedProfiles = 65536;

// Appends the records encoded in `bytes` to `list`, each forced to be safe to use
// (terminateTextFields). A record shorter than 792 bytes leaves the rest zero; of a
// longer one the first 792 bytes are kept and the rest is skipped. A length of 0 ends
// the sequence (with bytes after it the file was read only in part).
LoadStatus decodeProfiles(const std::vector<uint8_t>& bytes, ProfileList& list);

// The file image of `list`; an export leaves out "<Default>" and "<Site Survey>".
enum class SaveScope { Everything, Export };
std::vector<uint8_t> encodeProfiles(const ProfileList& list, SaveScope scope);

// Reads and writes the profile file at `profilePath` and files at other paths.
class ProfileStore {
public:
    explicit ProfileStore(std::string profilePath);

    // The load at start-up: appends the profile file's records and then ensures the
    // "<Default>" profile. An existing file that cannot be read is reported here (the
    // caller tells the user) and is never overwritten by this store afterwards. A file
    // read only in part is kept as it is under the name damagedCopyPath() by the first
    // save that replaces it.
    LoadStatus loadAtStartup(ProfileList& list);

    // Where the profile file read only in part at start-up is kept: the first of
    // "Data.cfg.bad", "Data.cfg.bad2", ... that was free at start-up. Empty when the
    // file was read whole.
    const std::string& damagedCopyPath() const { return damagedCopy_; }
    // Whether saves to the profile file write it: not when it could not be read.
    bool writesProfileFile() const { return !profileFileUnreadable_; }

    // Appends every record of the file at `path` (an import, or the profile file).
    LoadStatus loadProfiles(const std::string& path, ProfileList& list) const;

    // Writes the list to `path`: the whole list to the profile file, and without the
    // special profiles to any other path. A complete new file, flushed to the disk under
    // a temporary name that nothing left from before can block, replaces the old one in
    // one step, so a failed save leaves the previous file as it was.
    bool saveProfiles(const std::string& path, const ProfileList& list);

private:
    // Moves the profile file read only in part to the first free name from
    // damagedCopyPath() on; false when it could not be moved.
    bool keepDamagedFile();

    std::string profilePath_;
    bool profileFileUnreadable_ = false;
    std::string damagedCopy_;
    int damagedCopyNumber_ = 1;
    // The damaged file still stands at the profile file's path.
    bool damagedFileInPlace_ = false;
};

// Inserts the "<Default>" profile unless the list holds one among its leading
// Infrastructure profiles and the first Ad-Hoc one: before the first Ad-Hoc profile, or
// at the end.
void ensureDefaultProfile(ProfileList& list);
