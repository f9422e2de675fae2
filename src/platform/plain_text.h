// Readings of plain text that every layer shares: the blanks around a value, letter case
// in names, and the file name at the end of a path.
#pragma once

#include <string>
#include <string_view>

namespace bw {

// The text without the spaces around it; empty when it is all spaces.
std::string_view TrimBlanks(std::string_view text);

// Equal but for the case of the letters A to Z; other letters must match as they are.
bool SameIgnoringCase(std::string_view a, std::string_view b);
// The letters a to z as capitals, the rest as they are: a key that compares as
// SameIgnoringCase does.
std::string Capitals(std::string_view text);

// The part after the last "\" or "/"; the whole text when it has neither.
std::string_view FileNameOf(std::string_view path);

}  // namespace bw
