// The one reading of decimal text, for the list, the settings store and the key table.
#include "platform/decimal_text.h"

#include <charconv>

namespace bw {

std::optional<long long> ParseWholeNumber(std::string_view text, long long low, long long high) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    const std::size_t last = text.find_last_not_of(' ');
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    if (*begin == '+') ++begin;
    long long value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end || value < low || value > high) return std::nullopt;
    return value;
}

}  // namespace bw
