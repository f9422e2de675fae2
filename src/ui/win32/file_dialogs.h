// The system's open and save dialogs, for a program to run and for a bindings file. The
// dialogs' library, and the printing libraries it brings, load when a user first needs one.
#pragma once

#include <optional>
#include <string>

#include "platform/win32/windows_api.h"

namespace bw::ui {

struct FileDialog {
    std::string title;
    const wchar_t* filter;  // pairs of name and pattern, each ended by a NUL, then a NUL
    std::string fileName = {};           // proposed in a save dialog
    const wchar_t* extension = nullptr;  // given to a name typed without one
    bool mustExist = false;              // in an open dialog
};

// The chosen path, or nothing when the user cancelled or the dialog failed. An open dialog
// takes any name typed unless mustExist (a program to run need not exist yet); a save dialog
// asks before replacing a file.
std::optional<std::string> ChooseFileToOpen(HWND owner, const FileDialog& dialog);
std::optional<std::string> ChooseFileToSave(HWND owner, const FileDialog& dialog);

}  // namespace bw::ui
