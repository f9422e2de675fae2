// Collects the log lines written through the core's log interface.
#pragma once

#include <string>
#include <vector>

#include "platform/event_log_writer.h"

namespace bw::test {

struct RecordedLine {
    LogKind kind;
    std::string text;
    bool operator==(const RecordedLine&) const = default;
};

class RecordingLog : public EventLogWriter {
  public:
    std::vector<RecordedLine> lines;
    void Write(LogKind kind, const std::string& message) override {
        lines.push_back({kind, message});
    }
};

}  // namespace bw::test
