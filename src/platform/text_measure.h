// Measures text as the main window draws it; the log sizes its column with it.
#pragma once

#include <string>

namespace bw {

class TextMeasure {
  public:
    virtual ~TextMeasure() = default;
    // Width of text in the main window's font, in twips (1/1440 inch).
    virtual float WidthInTwips(const std::string& text) = 0;
};

}  // namespace bw
