// GetOpenFileNameW for the program to run, and SHAutoComplete for its text box.
#include "ui/win32/add_action/file_choice.h"

#include "platform/win32/com_ptr.h"

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
    win32::EnsureCom();
    if (!GetOpenFileNameW(&dialog)) return std::nullopt;
    const std::string path = win32::Narrow(file.data());
    const std::string_view trimmed = TrimBlanks(path);
    if (trimmed.empty()) return std::nullopt;
    return std::string(trimmed);
}

void EnableAutoComplete(HWND textBox) {
    win32::EnsureCom();
    SHAutoComplete(textBox, SHACF_DEFAULT);
}

}  // namespace bw::ui
