// The open dialog for the program to run, and SHAutoComplete for its text box.
#include "ui/win32/add_action/file_choice.h"

#include "platform/win32/com_ptr.h"
#include "platform/win32/system_library.h"

#include <shlwapi.h>

#include "ui/win32/file_dialogs.h"

namespace bw::ui {

std::optional<std::string> BrowseForFile(HWND owner, const std::string& title) {
    return ChooseFileToOpen(owner, {title, L"All Files (*.*)\0*.*\0Text Files (*.txt)\0*.txt\0"});
}

void EnableAutoComplete(HWND textBox) {
    static const win32::SystemLibrary shlwapi(L"shlwapi.dll");
    static const auto complete = shlwapi.Find<decltype(SHAutoComplete)>("SHAutoComplete");
    win32::EnsureCom();
    if (complete) complete(textBox, SHACF_DEFAULT);
}

}  // namespace bw::ui
