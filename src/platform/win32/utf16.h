// The one place where text changes between UTF-8 (everywhere inside) and UTF-16 (the W
// functions of Windows).
#pragma once

#include <string>
#include <string_view>

namespace bw::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace bw::win32
