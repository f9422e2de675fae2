// FormatMessageW for an error number, and the Failure of the last error.
#include "platform/win32/system_error.h"

#include "platform/win32/utf16.h"
#include "platform/win32/windows_api.h"

namespace bw::win32 {

std::string SystemErrorDescription(unsigned long code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length && buffer ? std::wstring(buffer, length) : std::wstring();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    if (text.empty()) return "Windows error " + std::to_string(code);
    return Narrow(text);
}

Failure SystemFailure(unsigned long code) {
    return Failure(static_cast<long>(code), SystemErrorDescription(code));
}

Failure LastErrorFailure() {
    return SystemFailure(GetLastError());
}

}  // namespace bw::win32
