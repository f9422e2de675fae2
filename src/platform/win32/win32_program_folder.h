// The folder of Buttonwise.exe and the files that come with it.
#pragma once

#include "platform/code_page.h"
#include "platform/program_folder.h"

namespace bw::win32 {

class Win32ProgramFolder final : public ProgramFolder {
  public:
    std::string Path() override;
    std::string ReadFile(const std::string& path) override;
};

class AnsiCodePage final : public CodePage {
  public:
    std::string AnsiToUtf8(std::string_view bytes) override;
};

}  // namespace bw::win32
