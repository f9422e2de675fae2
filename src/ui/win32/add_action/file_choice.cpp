// GetOpenFileNameW for the program to run, and SHAutoComplete for its text box. The file
// dialog's library, and the printing libraries it brings, load when a user first browses.
#include "ui/win32/add_action/file_choice.h"

#include "platform/win32/com_ptr.h"
#include "platform/win32/system_library.h"

#include <commdlg.h>
#include <shlwapi.h>

#include <vector>

#include "platform/plain_text.h"
#include "platform/win32/utf16.h"

namespace bw::ui {

std::optional<std::string> BrowseForFile(HWND owner, const std::string& title) {
    static const wchar_t kFilter[] = L"All Files (*.*)\0*.*\0Text Files (*.txt)\0*.txt\0";
    // Room for long paths: a path that does not fit would make the dialog fail.
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring wideTitle = win32::Widen(title);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.hInstance = GetModuleHandleW(nullptr);
    dialog.lpstrFilter = kFilter;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = wideTitle.c_str();
    dialog.Flags = OFN_EXPLORER;
    static const win32::SystemLibrary comdlg32(L"comdlg32.dll");
    static const auto open = comdlg32.Find<decltype(GetOpenFileNameW)>("GetOpenFileNameW");
    win32::EnsureCom();
    if (!open || !open(&dialog)) return std::nullopt;
    const std::string path = win32::Narrow(file.data());
    const std::string_view trimmed = TrimBlanks(path);
    if (trimmed.empty()) return std::nullopt;
    return std::string(trimmed);
}

void EnableAutoComplete(HWND textBox) {
    static const win32::SystemLibrary shlwapi(L"shlwapi.dll");
    static const auto complete = shlwapi.Find<decltype(SHAutoComplete)>("SHAutoComplete");
    win32::EnsureCom();
    if (complete) complete(textBox, SHACF_DEFAULT);
}

}  // namespace bw::ui
