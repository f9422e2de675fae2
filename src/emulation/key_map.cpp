// Reading KeyMap.ini's records: fields split at commas and line ends, quotes allowed.
#include "emulation/key_map.h"

#include <optional>

#include "platform/decimal_text.h"
#include "platform/plain_text.h"

namespace bw {

namespace {

bool IsLineEnd(char c) {
    return c == '\n' || c == '\r';
}

// Splits the text into fields: a comma ends a field, so does a line end. A line that holds
// nothing but spaces gives no field, so a blank line never shifts the pairing of fields.
std::vector<std::string> Fields(std::string_view text) {
    std::vector<std::string> fields;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
        if (i == text.size()) break;
        if (IsLineEnd(text[i])) {
            ++i;  // a blank line, or the line end after a quoted field
            continue;
        }
        std::string field;
        if (text[i] == '"') {
            const std::size_t close = text.find('"', i + 1);
            const std::size_t stop = close == std::string_view::npos ? text.size() : close;
            field = std::string(text.substr(i + 1, stop - i - 1));
            i = stop == text.size() ? stop : stop + 1;
            // Whatever follows the closing quote up to the separator is not part of it.
            while (i < text.size() && text[i] != ',' && !IsLineEnd(text[i])) ++i;
        } else {
            const std::size_t start = i;
            while (i < text.size() && text[i] != ',' && !IsLineEnd(text[i])) ++i;
            field = std::string(TrimBlanks(text.substr(start, i - start)));
        }
        fields.push_back(std::move(field));
        if (i < text.size() && text[i] == ',') {
            ++i;
            // A comma right before the line end leaves an empty last field on that line.
            std::size_t j = i;
            while (j < text.size() && (text[j] == ' ' || text[j] == '\t')) ++j;
            if (j == text.size() || IsLineEnd(text[j])) {
                fields.emplace_back();
                i = j;
            }
        }
    }
    return fields;
}

}  // namespace

std::vector<KeyMapEntry> ParseKeyMap(std::string_view text) {
    // A byte order mark from an editor that saves UTF-8 so is not part of the first code.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    const std::vector<std::string> fields = Fields(text);
    std::vector<KeyMapEntry> entries;
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        const std::optional<std::int16_t> code = ParseInt16(fields[i]);
        std::string name(TrimBlanks(fields[i + 1]));
        if (!code || *code == 0 || name.empty()) continue;
        entries.push_back({*code, std::move(name)});
    }
    return entries;
}

}  // namespace bw
