// Numbers are kept as plain decimal text in the list and in the settings store; this reads
// them back the one way everywhere.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace bw {

// A whole decimal number within [low, high], blanks around it and a leading sign allowed.
// Empty when the text is no such number.
std::optional<long long> ParseWholeNumber(std::string_view text, long long low, long long high);

// The same within the 16-bit range, as stored counts, types and key codes must be.
std::optional<std::int16_t> ParseInt16(std::string_view text);

}  // namespace bw
