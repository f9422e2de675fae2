// GetOpenFileNameW and GetSaveFileNameW from comdlg32.dll, loaded on first use.
#include "ui/win32/file_dialogs.h"

#include "platform/win32/com_ptr.h"
#include "platform/win32/system_library.h"

#include <commdlg.h>

#include <vector>

#include "platform/plain_text.h"
#include "platform/win32/utf16.h"

namespace bw::ui {

namespace {

std::optional<std::string> Choose(HWND owner, const FileDialog& dialog, bool save) {
    // Room for long paths: a path that does not fit would make the dialog fail.
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring proposed = win32::Widen(dialog.fileName);
    proposed.copy(file.data(), std::min(proposed.size(), file.size() - 1));
    const std::wstring title = win32::Widen(dialog.title);
    OPENFILENAMEW chosen{};
    chosen.lStructSize = sizeof chosen;
    chosen.hwndOwner = owner;
    chosen.hInstance = GetModuleHandleW(nullptr);
    chosen.lpstrFilter = dialog.filter;
    chosen.lpstrFile = file.data();
    chosen.nMaxFile = static_cast<DWORD>(file.size());
    chosen.lpstrTitle = title.c_str();
    chosen.lpstrDefExt = dialog.extension;
    // The program's current folder stays: a folder chosen here (on a stick) stays free.
    chosen.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (save) chosen.Flags |= OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN;
    if (!save && dialog.mustExist) chosen.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    static const win32::SystemLibrary comdlg32(L"comdlg32.dll");
    static const auto open = comdlg32.Find<decltype(GetOpenFileNameW)>("GetOpenFileNameW");
    static const auto saveAs = comdlg32.Find<decltype(GetSaveFileNameW)>("GetSaveFileNameW");
    const auto show = save ? saveAs : open;
    win32::EnsureCom();
    if (!show || !show(&chosen)) return std::nullopt;
    const std::string path = win32::Narrow(file.data());
    const std::string_view trimmed = TrimBlanks(path);
    if (trimmed.empty()) return std::nullopt;
    return std::string(trimmed);
}

}  // namespace

std::optional<std::string> ChooseFileToOpen(HWND owner, const FileDialog& dialog) {
    return Choose(owner, dialog, false);
}

std::optional<std::string> ChooseFileToSave(HWND owner, const FileDialog& dialog) {
    return Choose(owner, dialog, true);
}

}  // namespace bw::ui
