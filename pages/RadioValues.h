// The card's radio values as pages offer and read them: the transmit rates of a wireless
// mode as rate codes in units of 500 kbit/s (2 = 1 Mbit/s, 11 = 5.5 Mbit/s, 108 =
// 54 Mbit/s) with their texts, and the number in a threshold's edit.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The rate code of "Auto": the card chooses.
constexpr uint32_t kAutoRate = 255;

// The rates of a wireless mode: 802.11b the four rates up to 11 Mbit/s, 802.11a the
// eight from 6 to 54 Mbit/s, any other mode all twelve.
const std::vector<uint32_t>& ratesOfMode(uint32_t wirelessMode);

// The text of a rate code: "11 Mbps", "5.5 Mbps".
std::string rateText(uint32_t code);

// The fragmentation and RTS/CTS thresholds the card takes, in bytes.
constexpr int32_t kFragMin = 256;
constexpr int32_t kFragMax = 2346;
constexpr int32_t kRtsMin = 0;
constexpr int32_t kRtsMax = 2347;

// The number a threshold's edit holds: decimal digits, with a minus sign in front for a
// negative number. A number beyond 32 bits reads as the nearest 32-bit end; nothing when
// the text is empty or no number.
std::optional<int32_t> thresholdNumber(const std::string& text);
