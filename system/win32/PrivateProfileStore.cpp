#include "system/win32/PrivateProfileStore.h"

#include <windows.h>

namespace sys {

int PrivateProfileStore::readInt(const char* section, const char* key, int fallback) const {
    // The system hands negative numbers back as their unsigned bit pattern.
    return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, path_.c_str()));
}

bool PrivateProfileStore::writeText(const char* section, const char* key, const char* text) {
    return WritePrivateProfileStringA(section, key, text, path_.c_str()) != FALSE;
}

}  // namespace sys
