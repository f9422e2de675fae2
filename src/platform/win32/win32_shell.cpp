// ShellExecuteW with no verb and no parameters, in the given folder.
#include "platform/win32/win32_shell.h"

#include "platform/win32/utf16.h"
#include "platform/win32/win32_config.h"

#include <shellapi.h>

namespace bw::win32 {

long Win32Shell::Open(const std::string& item, const std::string& directory) {
    // No verb: the item's default action, as double-clicking it would do.
    const HINSTANCE answer = ShellExecuteW(nullptr, nullptr, Widen(item).c_str(), nullptr,
                                           Widen(directory).c_str(), SW_SHOWNORMAL);
    return static_cast<long>(reinterpret_cast<INT_PTR>(answer));
}

}  // namespace bw::win32
