// MultiByteToWideChar from CP_ACP, then the one UTF-16 helper.
#include "platform/win32/ansi_code_page.h"

#include "platform/win32/utf16.h"
#include "platform/win32/windows_api.h"

namespace bw::win32 {

std::string AnsiCodePage::AnsiToUtf8(std::string_view bytes) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), length);
    return Narrow(text);
}

}  // namespace bw::win32
