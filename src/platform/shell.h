// Opening a program, document, folder or Internet address with its default action.
#pragma once

#include <string>

namespace bw {

class Shell {
  public:
    virtual ~Shell() = default;
    // What the Windows shell answers: above 32 on success, else the reason's number.
    virtual long Open(const std::string& item, const std::string& directory) = 0;
};

}  // namespace bw
