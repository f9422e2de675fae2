// MessageBoxW with the owner asked for at the moment of showing.
#include "platform/win32/window_message_boxes.h"

#include "platform/win32/utf16.h"

namespace bw::win32 {

int WindowMessageBoxes::Show(const std::string& text, const std::string& title, unsigned style) {
    return MessageBoxW(owner_ ? owner_() : nullptr, Widen(text).c_str(), Widen(title).c_str(),
                       style);
}

}  // namespace bw::win32
