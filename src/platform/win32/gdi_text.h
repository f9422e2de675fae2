// Text measurement with GDI, in twips so that the result does not depend on the DPI.
#pragma once

#include <string>

#include "platform/win32/win32_config.h"

namespace bw::win32 {

float MeasureTextTwips(HWND window, HFONT font, int dpi, const std::string& text);

}  // namespace bw::win32
