// The run pane's helpers: the file-open dialog and auto-completion of paths and
// Internet addresses in a text box.
#pragma once

#include <optional>
#include <string>

#include "platform/win32/windows_api.h"

namespace bw::ui {

// The chosen path, or nothing when the user cancelled or the dialog failed.
std::optional<std::string> BrowseForFile(HWND owner, const std::string& title);

void EnableAutoComplete(HWND textBox);

}  // namespace bw::ui
