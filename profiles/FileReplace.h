// Files of the profile store, the platform's way.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Whether anything (a file, a folder) stands at `path`.
bool pathExists(const std::string& path);

enum class NewFile {
    Written,  // the file is complete on the disk
    Taken,    // something stands at the path already; it is left as it is
    Failed,   // the file could not be written whole; nothing is left behind
};
// Creates the file `path`, which must not exist yet, with `bytes`, and flushes it to the
// disk before it is closed.
NewFile writeNewFile(const std::string& path, const std::vector<uint8_t>& bytes);

// Puts the file `source` in the place of `target`, replacing an existing target in one
// step; false when that failed.
bool replaceFile(const std::string& source, const std::string& target);

// Deletes the file `path`; never a folder. False when nothing was deleted.
bool removeFile(const std::string& path);

// Gives the file `source` the name `target`, which must be free: never replaces
// anything; false when that failed.
bool moveFile(const std::string& source, const std::string& target);
