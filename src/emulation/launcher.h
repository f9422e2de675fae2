// Opens what a Run binding names (a program, document, folder or Internet address) with its
// default action, the program's folder as the started program's directory.
#pragma once

#include <string>

#include "platform/event_log_writer.h"
#include "platform/program_folder.h"
#include "platform/shell.h"

namespace bw {

class Launcher {
  public:
    Launcher(Shell& shell, ProgramFolder& folder, EventLogWriter& log)
        : shell_(shell), folder_(folder), log_(log) {}

    // The item goes to the shell whole, arguments and all. A refusal is an error line, and
    // false.
    bool Open(const std::string& item);

  private:
    Shell& shell_;
    ProgramFolder& folder_;
    EventLogWriter& log_;
};

// Why the shell refused, in words, from its answer of 32 or less.
std::string LaunchFailureReason(long answer);

}  // namespace bw
