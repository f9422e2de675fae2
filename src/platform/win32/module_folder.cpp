// The executable's folder, and whole files read through CreateFileW.
#include "platform/win32/module_folder.h"

#include <vector>

#include "platform/program_folder.h"
#include "platform/win32/system_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf16.h"
#include "platform/win32/windows_api.h"

namespace bw::win32 {

std::string ModuleFolder::Path() {
    // Long paths need more than MAX_PATH; grow until the whole name fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) throw LastErrorFailure();
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    // The folder without its last "\", except at the root of a drive ("C:\").
    if (slash != std::wstring::npos) path.resize(slash == 2 ? slash + 1 : slash);
    return Narrow(path);
}

std::string ModuleFolder::ReadFile(const std::string& path) {
    // Beside a program unpacked deeper than 260 characters too, on every Windows.
    HANDLE opened =
        CreateFileW(Widen(ExtendedLengthPath(path)).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) throw LastErrorFailure();
    UniqueKernelHandle file(opened);
    std::string bytes;
    char buffer[8192];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr))
            throw LastErrorFailure();
        if (read == 0) return bytes;
        bytes.append(buffer, read);
    }
}

}  // namespace bw::win32
