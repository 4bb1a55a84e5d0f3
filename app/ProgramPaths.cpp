#include "app/ProgramPaths.h"

namespace app {

std::string programFolder(const std::string& modulePath, LeadBytePredicate isLeadByte) {
    std::string::size_type folderEnd = 0;
    for (std::string::size_type i = 0; i < modulePath.size(); ++i) {
        const char c = modulePath[i];
        if (isLeadByte(static_cast<unsigned char>(c))) {
            ++i;  // the trail byte is part of this character, never a separator
        } else if (c == '\\' || c == '/') {
            folderEnd = i + 1;
        }
    }
    return modulePath.substr(0, folderEnd);
}

ProgramPaths programPaths(const std::string& modulePath, LeadBytePredicate isLeadByte) {
    const std::string folder = programFolder(modulePath, isLeadByte);
    return {folder + kProfileFileName, folder + kSettingsFileName};
}

}  // namespace app
