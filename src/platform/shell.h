// Opening a program, document, folder or Internet address with its default action.
#pragma once

#include <string>

namespace bw {

class Shell {
  public:
    virtual ~Shell() = default;
    // What the Windows shell answers: above 32 on success, else the reason's number, or one
    // of the two answers below.
    virtual long Open(const std::string& item, const std::string& directory) = 0;
};

// Run with other rights than the desktop (as administrator), this program starts items
// through the desktop's own shell, so that they run with the user's normal rights; this
// answer says the desktop could not be asked.
inline constexpr long kDesktopCouldNotStart = -1;
// The shell takes no path of 260 characters or more, and the volume keeps no short name.
inline constexpr long kPathTooLong = -2;

}  // namespace bw
