// Registry Editor files (.reg): reading one into its keys and values as they stand in the file,
// and writing one key's text values so that the Registry Editor sets exactly those strings.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/code_page.h"

namespace bw {

// No file of settings comes near this; a larger one is refused unread.
inline constexpr std::size_t kMaxRegFileBytes = 10 * 1024 * 1024;

// Text: REG_SZ or REG_EXPAND_SZ, quoted or as hex(1)/hex(2) bytes, read the way the settings
// store reads them back: up to the first NUL. Other: any other type (dword, hex, hex(7)...).
enum class RegValueKind { Text, Deletion, Other };

struct RegValue {
    std::string name;  // empty for the default value, "@"
    RegValueKind kind = RegValueKind::Other;
    std::string text;      // Text only, as UTF-8
    std::size_t line = 0;  // 1-based, where the value starts
};

struct RegKey {
    std::string path;       // as written between the brackets, without the "-" of a deletion
    bool deletion = false;  // "[-path]"
    std::size_t line = 0;
    std::vector<RegValue> values;
};

enum class RegFileProblem { TooLarge, NotRegFile, Malformed };

struct RegFileFault {
    RegFileProblem problem;
    std::size_t line;  // 1 for the file as a whole
    bool operator==(const RegFileFault&) const = default;
};

struct RegFile {
    std::vector<RegKey> keys;  // in the order of the file
    // The first problem; reading stops there, so the keys are only those before it.
    std::optional<RegFileFault> fault;
};

// "Windows Registry Editor Version 5.00" files are UTF-16 with a byte order mark as the
// Registry Editor writes them, or UTF-8 with or without one as other editors save them;
// "REGEDIT4" files are in the ANSI code page. Any bytes are safe to read.
RegFile ReadRegFile(std::string_view bytes, CodePage& ansi);

// A version 5 file, UTF-16 with a byte order mark and CRLF, of one key and its REG_SZ values
// in order. keyPath starts with the root key's full name, as the Registry Editor needs it.
std::string WriteRegFile(std::string_view keyPath,
                         const std::vector<std::pair<std::string, std::string>>& values);

}  // namespace bw
