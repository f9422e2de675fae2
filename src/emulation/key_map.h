// The predefined keys offered by name: pairs of a virtual-key code and a display name, read
// from KeyMap.ini beside the program.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

struct KeyMapEntry {
    std::int16_t code;
    std::string name;  // trimmed
    bool operator==(const KeyMapEntry&) const = default;
};

// Records of two fields, the key code and the name, separated by commas and line ends
// ("65,A" per line). A name in double quotes may hold commas. Records with code 0, a code
// that is no whole 16-bit number, or an empty name are left out; blank lines are ignored.
std::vector<KeyMapEntry> ParseKeyMap(std::string_view text);

}  // namespace bw
