// Text measurement with GDI: in pixels for placing controls, in pixels at 96 DPI for what
// must not depend on the DPI.
#pragma once

#include <string>
#include <string_view>

#include "platform/win32/windows_api.h"

namespace bw::win32 {

// The width of the text in the font, on the window's screen.
int TextWidthPixels(HWND window, HFONT font, std::wstring_view text);
float MeasureTextAt96(HWND window, HFONT font, int dpi, const std::string& text);

}  // namespace bw::win32
