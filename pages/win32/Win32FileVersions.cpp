#include "pages/win32/Win32FileVersions.h"

#include <vector>

#include "pages/win32/LibraryFunction.h"

Win32FileVersions::~Win32FileVersions() {
    if (library_) FreeLibrary(library_);
}

const Win32FileVersions::Version& Win32FileVersions::version() {
    if (loaded_) return version_;
    loaded_ = true;
    library_ = LoadLibraryA("version.dll");
    Version& f = version_;
    f.infoSize = libraryFunction<decltype(f.infoSize)>(library_, "GetFileVersionInfoSizeA");
    f.info = libraryFunction<decltype(f.info)>(library_, "GetFileVersionInfoA");
    f.queryValue = libraryFunction<decltype(f.queryValue)>(library_, "VerQueryValueA");
    if (!f.infoSize || !f.info || !f.queryValue) f = Version{};
    return version_;
}

std::string Win32FileVersions::programPath() const {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), size);
        if (length == 0) return {};
        if (length < size) return std::string(path.data(), length);
        path.resize(path.size() * 2);
    }
}

std::string Win32FileVersions::executableName() const {
    const std::string path = programPath();
    // The name starts after the last folder separator and ends at its last dot; the
    // walk goes by characters, since a second byte may look like a separator.
    const char* name = path.c_str();
    const char* dot = nullptr;
    for (const char* c = path.c_str(); *c; c = CharNextA(c)) {
        if (*c == '\\' || *c == '/' || *c == ':') {
            name = c + 1;
            dot = nullptr;
        } else if (*c == '.') {
            dot = c;
        }
    }
    return dot ? std::string(name, dot) : std::string(name);
}

std::optional<ProductVersion> Win32FileVersions::productVersion(const std::string& fileName) {
    const Version& f = version();
    if (!f.infoSize) return std::nullopt;
    DWORD ignored = 0;
    const DWORD size = f.infoSize(fileName.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    std::vector<char> block(size);
    if (!f.info(fileName.c_str(), 0, size, block.data())) return std::nullopt;
    void* value = nullptr;
    UINT length = 0;
    if (!f.queryValue(block.data(), "\\", &value, &length) || !value ||
        length < sizeof(VS_FIXEDFILEINFO)) {
        return std::nullopt;
    }
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    if (fixed->dwSignature != VS_FFI_SIGNATURE) return std::nullopt;
    return ProductVersion{HIWORD(fixed->dwProductVersionMS), LOWORD(fixed->dwProductVersionMS),
                          HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS)};
}

std::optional<FileDate> Win32FileVersions::lastWriteDate(const std::string& path) {
    // A path with wildcards names no one file.
    if (path.find_first_of("*?") != std::string::npos) return std::nullopt;
    // The file's entry in its folder: what every version of Windows can read of a file
    // that runs.
    WIN32_FIND_DATAA entry = {};
    const HANDLE found = FindFirstFileA(path.c_str(), &entry);
    if (found == INVALID_HANDLE_VALUE) return std::nullopt;
    FindClose(found);
    FILETIME local = {};
    SYSTEMTIME date = {};
    if (!FileTimeToLocalFileTime(&entry.ftLastWriteTime, &local) ||
        !FileTimeToSystemTime(&local, &date)) {
        return std::nullopt;
    }
    return FileDate{date.wMonth, date.wDay, date.wYear};
}
