// Text as tests show it: control and high bytes as \xNN, everything else as it is.
#pragma once

#include <cstdio>
#include <string>

inline std::string escaped(const std::string& text) {
    std::string out;
    for (const unsigned char c : text) {
        if (c < 0x20 || c >= 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}
