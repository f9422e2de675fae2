// One button line of the receiver server, "<code> <repeat, hex> <button> <remote>", taken
// apart into what the dispatch needs. A short or malformed line is never an error: what it
// lacks keeps its default.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace bw {

struct ButtonLine {
    std::int16_t repeat = 0;  // 0 for the first line of a press, counting up while held
    std::string button;   // as the server names the button; empty when missing
    std::string remote;   // the remote that sent it; empty when missing
    bool operator==(const ButtonLine&) const = default;
};

// One line without its line end.
ButtonLine ParseButtonLine(std::string_view text);

}  // namespace bw
