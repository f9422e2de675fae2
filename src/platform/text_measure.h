// Measures text as the main window draws it; the log sizes its column with it.
#pragma once

#include <string>

namespace bw {

class TextMeasure {
  public:
    virtual ~TextMeasure() = default;
    // Width of text in the main window's font, in pixels at 96 DPI (the one layout unit).
    virtual float WidthAt96(const std::string& text) = 0;
};

}  // namespace bw
