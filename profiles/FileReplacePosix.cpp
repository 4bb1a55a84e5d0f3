#include <cstdio>

#include "profiles/FileReplace.h"

// POSIX rename replaces an existing target atomically.
bool replaceFile(const std::string& source, const std::string& target) {
    return std::rename(source.c_str(), target.c_str()) == 0;
}
