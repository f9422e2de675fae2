// Opening a program, document, folder or Internet address with its default action.
#pragma once

#include <string>

namespace bw {

class Shell {
  public:
    virtual ~Shell() = default;
    // What the Windows shell answers: above 32 on success, else the reason's number, or
    // kNotAtNormalRights.
    virtual long Open(const std::string& item, const std::string& directory) = 0;
};

// Run as administrator, this program starts items through the desktop's own shell, so that
// they run with the user's normal rights; this answer says the shell could not be asked.
inline constexpr long kNotAtNormalRights = -1;

}  // namespace bw
