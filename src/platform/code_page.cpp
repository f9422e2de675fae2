// Telling UTF-8 from ANSI bytes (only well-formed UTF-8 passes as it is), UTF-8 as the
// UTF-16 units that typed text goes out in, and UTF-16 text from files back as UTF-8.
#include "platform/code_page.h"

#include <optional>
#include <utility>

namespace bw {

namespace {

// The code point at the start of the bytes and its length in bytes; nothing for bytes that
// are no well-formed UTF-8 there (overlong forms, UTF-16 surrogates, points beyond Unicode).
std::optional<std::pair<char32_t, std::size_t>> NextCodePoint(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    std::size_t length;
    char32_t point;
    if (lead < 0x80) return std::pair{char32_t{lead}, std::size_t{1}};
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        point = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        point = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        point = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (length > bytes.size()) return std::nullopt;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[k]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        point = (point << 6) | (next & 0x3F);
    }
    const char32_t smallest = length == 3 ? 0x800 : length == 4 ? 0x10000 : 0x80;
    if (point < smallest || (point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF)
        return std::nullopt;
    return std::pair{point, length};
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        const auto next = NextCodePoint(bytes);
        if (!next) return false;
        bytes.remove_prefix(next->second);
    }
    return true;
}

std::u16string Utf16Units(std::string_view utf8) {
    std::u16string units;
    while (!utf8.empty()) {
        const auto next = NextCodePoint(utf8);
        const char32_t point = next ? next->first : U'\uFFFD';
        utf8.remove_prefix(next ? next->second : 1);
        if (point < 0x10000) {
            units += static_cast<char16_t>(point);
        } else {
            units += static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
        }
    }
    return units;
}

std::string Utf8Text(std::u16string_view units) {
    std::string text;
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t point = units[i];
        const bool high = point >= 0xD800 && point <= 0xDBFF;
        if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF)
            point = 0x10000 + ((point - 0xD800) << 10) + (units[++i] - 0xDC00);
        else if (point >= 0xD800 && point <= 0xDFFF)
            point = 0xFFFD;
        if (point < 0x80) {
            text += static_cast<char>(point);
        } else if (point < 0x800) {
            text += static_cast<char>(0xC0 | (point >> 6));
            text += static_cast<char>(0x80 | (point & 0x3F));
        } else if (point < 0x10000) {
            text += static_cast<char>(0xE0 | (point >> 12));
            text += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            text += static_cast<char>(0xF0 | (point >> 18));
            text += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
            text += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (point & 0x3F));
        }
    }
    return text;
}

std::string DecodeText(std::string_view bytes, CodePage& ansi) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    return ansi.AnsiToUtf8(bytes);
}

}  // namespace bw
