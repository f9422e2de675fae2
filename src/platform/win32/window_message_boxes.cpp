// MessageBoxW, and a task dialog for answers in words, with the owner asked for at the
// moment of showing.
#include "platform/win32/window_message_boxes.h"

#include <commctrl.h>

#include "platform/win32/utf16.h"

namespace bw::win32 {

int WindowMessageBoxes::Show(const std::string& text, const std::string& title, unsigned style) {
    return MessageBoxW(owner_ ? owner_() : nullptr, Widen(text).c_str(), Widen(title).c_str(),
                       style);
}

std::optional<std::size_t> WindowMessageBoxes::Choose(const std::string& text,
                                                      const std::string& title,
                                                      const std::vector<std::string>& answers) {
    constexpr int kFirstAnswer = 100;  // clear of IDCANCEL and the other common buttons
    std::vector<std::wstring> words;
    for (const std::string& answer : answers) words.push_back(Widen(answer));
    std::vector<TASKDIALOG_BUTTON> buttons;
    for (std::size_t i = 0; i < words.size(); ++i)
        buttons.push_back({kFirstAnswer + static_cast<int>(i), words[i].c_str()});
    const std::wstring wideText = Widen(text), wideTitle = Widen(title);
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.hwndParent = owner_ ? owner_() : nullptr;
    config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
    config.dwCommonButtons = TDCBF_CANCEL_BUTTON;
    config.pszWindowTitle = wideTitle.c_str();
    config.pszContent = wideText.c_str();
    config.cButtons = static_cast<UINT>(buttons.size());
    config.pButtons = buttons.data();
    config.nDefaultButton = kFirstAnswer;
    int chosen = 0;
    if (FAILED(TaskDialogIndirect(&config, &chosen, nullptr, nullptr)) || chosen < kFirstAnswer ||
        chosen >= kFirstAnswer + static_cast<int>(answers.size()))
        return std::nullopt;
    return static_cast<std::size_t>(chosen - kFirstAnswer);
}

}  // namespace bw::win32
