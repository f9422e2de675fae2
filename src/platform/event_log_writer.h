// Where every subsystem writes its log lines. The main window's event log implements it;
// the interface sits here so that the core can write lines without knowing the window.
#pragma once

#include <string>

namespace bw {

enum class LogKind { OK, Error, Change, Data };

class EventLogWriter {
  public:
    virtual ~EventLogWriter() = default;
    // Appends one line; it carries no time stamp.
    virtual void Write(LogKind kind, const std::string& message) = 0;

    void LogChange(const std::string& message) { Write(LogKind::Change, message); }
    void LogData(const std::string& message) { Write(LogKind::Data, message); }
};

// For a list that no one reads the lines of: a copy made to be saved, a command-line run.
class DiscardingLog final : public EventLogWriter {
  public:
    void Write(LogKind, const std::string&) override {}
};

}  // namespace bw
