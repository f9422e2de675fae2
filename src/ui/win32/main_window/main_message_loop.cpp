// The dialog manager looks for a control with the typed access key before the menu bar
// does; a character that is an access key of the menu bar goes past it to the window, whose
// default handling opens that menu (Alt) or ignores it (a plain letter on a button).
#include "ui/win32/main_window/main_message_loop.h"

#include <cwctype>
#include <iterator>

namespace bw::ui {

namespace {

bool IsMenuBarAccessKey(HWND window, WPARAM character) {
    HMENU bar = GetMenu(window);
    const int items = bar ? GetMenuItemCount(bar) : 0;
    for (int i = 0; i < items; ++i) {
        wchar_t text[128] = {};
        GetMenuStringW(bar, static_cast<UINT>(i), text, static_cast<int>(std::size(text)),
                       MF_BYPOSITION);
        for (const wchar_t* c = text; c[0] && c[1]; ++c) {
            if (c[0] != L'&') continue;
            if (c[1] == L'&') {  // a literal ampersand
                ++c;
                continue;
            }
            if (std::towupper(c[1]) == std::towupper(static_cast<wint_t>(character))) return true;
            break;
        }
    }
    return false;
}

bool BelongsTo(HWND window, HWND target) {
    return target == window || IsChild(window, target);
}

}  // namespace

int RunMessageLoop(HWND mainWindow, const std::function<bool(const MSG&)>& ownKeys) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (ownKeys(message)) continue;
        const bool character = message.message == WM_CHAR || message.message == WM_SYSCHAR;
        if (!(character && BelongsTo(mainWindow, message.hwnd) &&
              IsMenuBarAccessKey(mainWindow, message.wParam)) &&
            IsDialogMessageW(mainWindow, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace bw::ui
