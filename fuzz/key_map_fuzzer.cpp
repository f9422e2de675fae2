// KeyMap.ini of any content: the table holds only usable entries, trimmed, whatever the file.
#include <cstdlib>
#include <string_view>

#include "emulation/key_map.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const bw::KeyMapEntry& entry : bw::ParseKeyMap(text)) {
        if (entry.code == 0 || entry.name.empty()) std::abort();
        if (entry.name.front() == ' ' || entry.name.back() == ' ') std::abort();
    }
    return 0;
}
