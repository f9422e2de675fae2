// The user's files on disk, paths of any length.
#pragma once

#include "platform/user_files.h"

namespace bw::win32 {

class DiskFiles final : public UserFiles {
  public:
    std::optional<std::string> Read(const std::string& path, std::size_t mostBytes) override;
    void Write(const std::string& path, const std::string& bytes) override;
};

}  // namespace bw::win32
