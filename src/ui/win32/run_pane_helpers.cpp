// GetOpenFileNameW for the program to run, and SHAutoComplete for its text box.
#include "ui/win32/run_pane_helpers.h"

#include <commdlg.h>
#include <shlwapi.h>

#include <vector>

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
    if (!GetOpenFileNameW(&dialog)) return std::nullopt;
    std::string path = win32::Narrow(file.data());
    const std::size_t first = path.find_first_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    path = path.substr(first, path.find_last_not_of(' ') - first + 1);
    return path;
}

void EnableAutoComplete(HWND textBox) {
    SHAutoComplete(textBox, SHACF_DEFAULT);
}

}  // namespace bw::ui
