// Numbers are kept as plain decimal text in the list and in the settings store; this reads
// them back the one way everywhere.
#pragma once

#include <optional>
#include <string_view>

namespace bw {

// A whole decimal number within [low, high], blanks around it and a leading sign allowed.
// Empty when the text is no such number.
std::optional<long long> ParseWholeNumber(std::string_view text, long long low, long long high);

}  // namespace bw
