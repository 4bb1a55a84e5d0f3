// Files of the profile store, the platform's way.
#pragma once

#include <string>

// Whether anything (a file, a folder) stands at `path`.
bool pathExists(const std::string& path);

// Puts the file `source` in the place of `target`, replacing an existing target in one
// step; false when that failed.
bool replaceFile(const std::string& source, const std::string& target);

// Gives the file `source` the name `target`, which must be free: never replaces
// anything; false when that failed.
bool moveFile(const std::string& source, const std::string& target);
