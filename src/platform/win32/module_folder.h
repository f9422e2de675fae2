// The folder of Buttonwise.exe and the files that come with it.
#pragma once

#include "platform/program_folder.h"

namespace bw::win32 {

class ModuleFolder final : public ProgramFolder {
  public:
    std::string Path() override;
    std::string ReadFile(const std::string& path) override;
};

}  // namespace bw::win32
