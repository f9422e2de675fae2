#include "platform/win32/gdi_text.h"

#include "platform/twips.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf16.h"

namespace bw::win32 {

float MeasureTextTwips(HWND window, HFONT font, int dpi, const std::string& text) {
    const std::wstring wide = Widen(text);
    WindowDc dc(window);
    if (!dc.get()) return 0.0f;
    SelectedObject selected(dc.get(),
                            font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
    return PixelsToTwips(static_cast<float>(size.cx), dpi);
}

}  // namespace bw::win32
