// GetTextExtentPoint32W in the window's device context.
#include "platform/win32/gdi_text.h"

#include "platform/win32/unique_handle.h"
#include "platform/win32/utf16.h"

namespace bw::win32 {

int TextWidthPixels(HWND window, HFONT font, std::wstring_view text) {
    WindowDc dc(window);
    if (!dc.get()) return 0;
    SelectedObject selected(dc.get(),
                            font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

float MeasureTextAt96(HWND window, HFONT font, int dpi, const std::string& text) {
    return static_cast<float>(TextWidthPixels(window, font, Widen(text))) * 96.0f /
           static_cast<float>(dpi);
}

}  // namespace bw::win32
