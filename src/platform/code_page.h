// Text from outside (server lines, KeyMap.ini) comes as bytes: UTF-8 from newer tools, the
// system's ANSI code page from older ones. Inside, all text is UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace bw {

class CodePage {
  public:
    virtual ~CodePage() = default;
    virtual std::string AnsiToUtf8(std::string_view bytes) = 0;
};

bool IsValidUtf8(std::string_view bytes);

// The UTF-16 units of UTF-8 text; a byte that is no part of well-formed UTF-8 becomes U+FFFD.
std::u16string Utf16Units(std::string_view utf8);

// UTF-16 units as UTF-8; a surrogate without its other half becomes U+FFFD.
std::string Utf8Text(std::u16string_view units);

// UTF-8 as it is; anything else is read in the ANSI code page. Text in a single-byte code
// page is almost never valid UTF-8 by accident, so the two cannot be mistaken in practice.
std::string DecodeText(std::string_view bytes, CodePage& ansi);

}  // namespace bw
