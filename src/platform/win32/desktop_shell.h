// The Windows shell's default action for an item.
#pragma once

#include "platform/shell.h"

namespace bw::win32 {

class DesktopShell final : public Shell {
  public:
    long Open(const std::string& item, const std::string& directory) override;
};

}  // namespace bw::win32
