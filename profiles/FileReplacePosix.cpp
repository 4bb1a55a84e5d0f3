#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "profiles/FileReplace.h"

bool pathExists(const std::string& path) {
    struct stat status;
    return ::stat(path.c_str(), &status) == 0;
}

NewFile writeNewFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (file < 0) return errno == EEXIST ? NewFile::Taken : NewFile::Failed;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::write(file, bytes.data() + done, bytes.size() - done);
        if (count <= 0) break;
        done += static_cast<size_t>(count);
    }
    const bool written = done == bytes.size() && ::fsync(file) == 0;
    if (::close(file) == 0 && written) return NewFile::Written;
    ::unlink(path.c_str());
    return NewFile::Failed;
}

// POSIX rename replaces an existing target atomically.
bool replaceFile(const std::string& source, const std::string& target) {
    return std::rename(source.c_str(), target.c_str()) == 0;
}

bool removeFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

// A new link fails when the name is taken; the old name goes once the new one stands.
bool moveFile(const std::string& source, const std::string& target) {
    if (::link(source.c_str(), target.c_str()) != 0) return false;
    ::unlink(source.c_str());
    return true;
}
