// The one reading of decimal text, for the list, the settings store and the key table.
#include "platform/decimal_text.h"

#include <charconv>

#include "platform/plain_text.h"

namespace bw {

std::optional<long long> ParseWholeNumber(std::string_view text, long long low, long long high) {
    text = TrimBlanks(text);
    if (text.empty()) return std::nullopt;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    if (*begin == '+') ++begin;
    long long value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end || value < low || value > high) return std::nullopt;
    return value;
}

std::optional<std::int16_t> ParseInt16(std::string_view text) {
    const std::optional<long long> value = ParseWholeNumber(text, -32768, 32767);
    if (!value) return std::nullopt;
    return static_cast<std::int16_t>(*value);
}

}  // namespace bw
