// The lines of a .reg file read one at a time, and one key written the way the Registry
// Editor exports it.
#include "platform/reg_file.h"

#include <cstdint>

#include "platform/plain_text.h"

namespace bw {

namespace {

constexpr std::string_view kVersion5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kVersion4 = "REGEDIT4";

// Version 5 keeps hex(1) and hex(2) strings as UTF-16, version 4 in the ANSI code page.
enum class Version { Four, Five };

std::string_view TrimLeft(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

std::string_view TrimRight(std::string_view text) {
    const std::size_t last = text.find_last_not_of(" \t");
    return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && SameIgnoringCase(text.substr(0, start.size()), start);
}

std::optional<std::uint32_t> HexNumber(std::string_view digits, std::size_t most) {
    if (digits.empty() || digits.size() > most) return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : digits) {
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0) return std::nullopt;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return value;
}

std::string Utf16LeText(std::string_view bytes) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                       static_cast<unsigned char>(bytes[i + 1]) << 8);
    return Utf8Text(units);
}

std::string FileText(std::string_view bytes, CodePage& ansi) {
    if (bytes.starts_with("\xFF\xFE")) return Utf16LeText(bytes.substr(2));
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    // Notepad saves UTF-8 by default, so a hand-made version 4 file may well be UTF-8.
    return DecodeText(bytes, ansi);
}

// One line at a time, so that a file of nothing but line ends costs no table of lines.
class Lines {
  public:
    explicit Lines(std::string_view text) : rest_(text) {}
    std::optional<std::string_view> Next() {
        if (done_) return std::nullopt;
        ++number_;
        const std::size_t end = rest_.find('\n');
        std::string_view line = rest_.substr(0, end);
        if (end == std::string_view::npos)
            done_ = true;
        else
            rest_.remove_prefix(end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        return line;
    }
    std::size_t Number() const { return number_; }

  private:
    std::string_view rest_;
    std::size_t number_ = 0;
    bool done_ = false;
};

// The text after an opening quote up to its closing one, which rest is left behind; \\ and \"
// stand for \ and ", and a backslash before anything else is a backslash as typed by hand.
std::optional<std::string> ReadQuoted(std::string_view& rest) {
    std::string text;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == '"') {
            rest.remove_prefix(i + 1);
            return text;
        }
        if (rest[i] == '\\' && i + 1 < rest.size() && (rest[i + 1] == '\\' || rest[i + 1] == '"'))
            ++i;
        text += rest[i];
    }
    return std::nullopt;
}

// "aa,bb,\" lines joined: the bytes, or nothing when an item is no byte. A trailing comma is
// allowed, as the Registry Editor ends continued lines with one.
std::optional<std::string> ReadHexBytes(std::string_view first, Lines& lines) {
    std::string joined;
    for (std::string_view piece = first;;) {
        piece = TrimRight(piece);
        const bool continued = piece.ends_with('\\');
        if (continued) piece.remove_suffix(1);
        joined += piece;
        const std::optional<std::string_view> next = continued ? lines.Next() : std::nullopt;
        if (!next) break;
        piece = TrimLeft(*next);
    }
    std::string bytes;
    std::string_view rest = joined;
    while (!TrimRight(rest).empty()) {
        const std::size_t comma = rest.find(',');
        const std::optional<std::uint32_t> byte =
            HexNumber(TrimRight(TrimLeft(rest.substr(0, comma))), 2);
        if (!byte) return std::nullopt;
        bytes += static_cast<char>(*byte);
        rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
    }
    return bytes;
}

// What the settings store reads back of a string: up to its first NUL.
std::string UpToNul(std::string text) {
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    return text;
}

// The part after "=": kind and text; nothing when it is no value the Registry Editor knows.
std::optional<RegValue> ReadData(std::string_view data, Lines& lines, Version version,
                                 CodePage& ansi) {
    RegValue value;
    if (data.starts_with('"')) {
        data.remove_prefix(1);
        std::optional<std::string> text = ReadQuoted(data);
        if (!text || !TrimLeft(data).empty()) return std::nullopt;
        value.kind = RegValueKind::Text;
        value.text = UpToNul(std::move(*text));
        return value;
    }
    if (TrimRight(data) == "-") {
        value.kind = RegValueKind::Deletion;
        return value;
    }
    if (StartsWithIgnoringCase(data, "dword:")) {
        if (!HexNumber(TrimRight(data.substr(6)), 8)) return std::nullopt;
        return value;
    }
    if (!StartsWithIgnoringCase(data, "hex")) return std::nullopt;
    data.remove_prefix(3);
    std::uint32_t type = 3;  // REG_BINARY, plain "hex:"
    if (data.starts_with('(')) {
        const std::size_t close = data.find(')');
        const auto number = HexNumber(data.substr(1, close - 1), 8);
        if (close == std::string_view::npos || !number) return std::nullopt;
        type = *number;
        data.remove_prefix(close + 1);
    }
    if (!data.starts_with(':')) return std::nullopt;
    const std::optional<std::string> bytes = ReadHexBytes(data.substr(1), lines);
    if (!bytes) return std::nullopt;
    // REG_SZ and REG_EXPAND_SZ: the store reads both as text, the second unexpanded.
    if (type == 1 || type == 2) {
        value.kind = RegValueKind::Text;
        value.text =
            UpToNul(version == Version::Five ? Utf16LeText(*bytes) : DecodeText(*bytes, ansi));
    }
    return value;
}

// A line that starts with a quote or "@".
std::optional<RegValue> ReadValue(std::string_view line, Lines& lines, Version version,
                                  CodePage& ansi) {
    std::string name;
    if (line.starts_with('@')) {
        line.remove_prefix(1);
    } else {
        line.remove_prefix(1);
        std::optional<std::string> quoted = ReadQuoted(line);
        if (!quoted) return std::nullopt;
        name = std::move(*quoted);
    }
    line = TrimLeft(line);
    if (!line.starts_with('=')) return std::nullopt;
    const std::size_t start = lines.Number();
    std::optional<RegValue> value = ReadData(TrimLeft(line.substr(1)), lines, version, ansi);
    if (value) {
        value->name = std::move(name);
        value->line = start;
    }
    return value;
}

std::optional<RegKey> ReadKey(std::string_view line, std::size_t number) {
    line = TrimRight(line);
    if (!line.ends_with(']')) return std::nullopt;
    RegKey key;
    std::string_view path = line.substr(1, line.size() - 2);
    key.deletion = path.starts_with('-');
    if (key.deletion) path.remove_prefix(1);
    path = TrimRight(TrimLeft(path));
    if (path.empty()) return std::nullopt;
    key.path = std::string(path);
    key.line = number;
    return key;
}

std::u16string Quoted(std::string_view text) {
    std::u16string quoted = u"\"";
    for (const char16_t unit : Utf16Units(text)) {
        if (unit == u'\\' || unit == u'"') quoted += u'\\';
        quoted += unit;
    }
    return quoted + u"\"";
}

// REG_SZ data, terminating NUL and all, as hex(1) bytes in lines of at most 80 columns.
std::u16string HexText(std::u16string line, std::string_view text) {
    std::u16string units = Utf16Units(text) + u'\0', lines;
    line += u"hex(1):";
    for (std::size_t i = 0; i < units.size() * 2; ++i) {
        const unsigned byte = i % 2 == 0 ? units[i / 2] & 0xFF : units[i / 2] >> 8;
        const bool last = i + 1 == units.size() * 2;
        std::u16string item{u"0123456789abcdef"[byte >> 4], u"0123456789abcdef"[byte & 0xF]};
        if (!last) item += u',';
        if (line.size() + item.size() + 1 > 80) {
            lines += line + u"\\\r\n";
            line = u"  ";
        }
        line += item;
    }
    return lines + line;
}

}  // namespace

RegFile ReadRegFile(std::string_view bytes, CodePage& ansi) {
    RegFile file;
    if (bytes.size() > kMaxRegFileBytes) {
        file.fault = RegFileFault{RegFileProblem::TooLarge, 1};
        return file;
    }
    const std::string text = FileText(bytes, ansi);
    Lines lines(text);
    const std::string_view header = TrimRight(lines.Next().value_or(""));
    if (header != kVersion5 && header != kVersion4) {
        file.fault = RegFileFault{RegFileProblem::NotRegFile, 1};
        return file;
    }
    const Version version = header == kVersion5 ? Version::Five : Version::Four;
    while (const std::optional<std::string_view> next = lines.Next()) {
        const std::string_view line = TrimLeft(*next);
        const std::size_t number = lines.Number();
        if (line.empty() || line.starts_with(';')) continue;
        if (line.starts_with('[')) {
            if (std::optional<RegKey> key = ReadKey(line, number)) {
                file.keys.push_back(std::move(*key));
                continue;
            }
        } else if ((line.starts_with('"') || line.starts_with('@')) && !file.keys.empty()) {
            if (std::optional<RegValue> value = ReadValue(line, lines, version, ansi)) {
                file.keys.back().values.push_back(std::move(*value));
                continue;
            }
        }
        file.fault = RegFileFault{RegFileProblem::Malformed, number};
        return file;
    }
    return file;
}

std::string WriteRegFile(std::string_view keyPath,
                         const std::vector<std::pair<std::string, std::string>>& values) {
    std::u16string text = Utf16Units(kVersion5) + u"\r\n\r\n[" + Utf16Units(keyPath) + u"]\r\n";
    for (const auto& [name, value] : values) {
        const std::u16string start = Quoted(name) + u"=";
        // A quoted string cannot hold a line break, and the Registry Editor ends it at a NUL.
        const bool quotable =
            value.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos;
        text += (quotable ? start + Quoted(value) : HexText(start, value)) + u"\r\n";
    }
    text += u"\r\n";
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

}  // namespace bw
