// The message font from the non-client metrics of a DPI.
#include "ui/win32/window_toolkit.h"

#include <cstdlib>

namespace bw::ui {

win32::UniqueFont MessageFont(int dpi, bool underlined, int* height) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                               static_cast<UINT>(dpi));
    if (height) *height = std::abs(metrics.lfMessageFont.lfHeight);
    metrics.lfMessageFont.lfUnderline = underlined ? TRUE : FALSE;
    return win32::UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
}

void MoveToSuggestedRect(HWND window, LPARAM suggested) {
    const RECT* r = reinterpret_cast<const RECT*>(suggested);
    SetWindowPos(window, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace bw::ui
