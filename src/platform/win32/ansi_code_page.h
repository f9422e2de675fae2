// Bytes in the system's ANSI code page to UTF-8.
#pragma once

#include "platform/code_page.h"

namespace bw::win32 {

class AnsiCodePage final : public CodePage {
  public:
    std::string AnsiToUtf8(std::string_view bytes) override;
};

}  // namespace bw::win32
