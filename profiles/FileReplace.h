// Replacing a file in one step, the platform's way.
#pragma once

#include <string>

// Puts the file `source` in the place of `target`, replacing an existing target in one
// step; false when that failed.
bool replaceFile(const std::string& source, const std::string& target);
