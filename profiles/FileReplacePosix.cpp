#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "profiles/FileReplace.h"

bool pathExists(const std::string& path) {
    struct stat status;
    return ::stat(path.c_str(), &status) == 0;
}

// POSIX rename replaces an existing target atomically.
bool replaceFile(const std::string& source, const std::string& target) {
    return std::rename(source.c_str(), target.c_str()) == 0;
}

// A new link fails when the name is taken; the old name goes once the new one stands.
bool moveFile(const std::string& source, const std::string& target) {
    if (::link(source.c_str(), target.c_str()) != 0) return false;
    ::unlink(source.c_str());
    return true;
}
