// Fields are cut at every single space, so two spaces make an empty field; nothing is
// trimmed. The repeat count is the run of hexadecimal digits the field starts with.
#include "remote/button_line.h"

#include <limits>

namespace bw {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Counts beyond what a 16-bit count holds stay at its largest value.
std::int16_t ReadRepeatCount(std::string_view field) {
    constexpr long kMax = std::numeric_limits<std::int16_t>::max();
    long value = 0;
    for (char c : field) {
        const int digit = HexDigit(c);
        if (digit < 0) break;
        value = std::min(value * 16 + digit, kMax);
    }
    return static_cast<std::int16_t>(value);
}

}  // namespace

ButtonLine ParseButtonLine(std::string_view text) {
    ButtonLine line;
    std::size_t start = 0;
    for (int field = 1; field <= 4; ++field) {
        const std::size_t space = text.find(' ', start);
        const std::string_view value = text.substr(
            start, space == std::string_view::npos ? text.size() - start : space - start);
        if (field == 2) line.repeat = ReadRepeatCount(value);
        if (field == 3) line.button = std::string(value);
        if (field == 4) line.remote = std::string(value);
        if (space == std::string_view::npos) break;
        start = space + 1;
    }
    return line;
}

}  // namespace bw
