// The event log shown in the main window: one line per event with its kind's icon, newest
// last and in view, in a single column that widens to fit its texts and never narrows.
// Writing a line only stores it: the view is brought up to date later, once for a whole
// burst of lines, so that a press's key never waits for the log to be drawn.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <unordered_set>

#include "platform/event_log_writer.h"
#include "platform/text_measure.h"

namespace bw {

struct LogLine {
    LogKind kind;
    std::string text;
};

// The icon each kind of line carries: its place (counting from 1) in the log's picture list,
// which holds OK, error, magnifier (unused), globe and discs in that order.
int LogIconNumber(LogKind kind);

// What the log asks of the list that shows it.
class EventLogView {
  public:
    virtual ~EventLogView() = default;
    // A line was written: the view calls EventLog::ShowWrittenLines when it next refreshes,
    // after the work at hand. Said for every line, so that a view that refreshes at a pace
    // sees a flood of lines go on.
    virtual void LinesWritten() = 0;
    // The lines changed: lineCount lines now, the first droppedAtFront of the old ones gone.
    virtual void LinesChanged(std::size_t lineCount, std::size_t droppedAtFront) = 0;
    virtual void ScrollToLastLine() = 0;
    virtual void SetColumnWidth(float widthAt96) = 0;
};

class EventLog : public EventLogWriter {
  public:
    // A log that runs for months keeps only its newest lines.
    static constexpr std::size_t kDefaultCapacity = 10000;
    // In pixels at 96 DPI: the column starts 20 wide, and every text gets 32 of margin.
    static constexpr float kInitialColumnWidth = 20.0f;
    static constexpr float kMargin = 32.0f;

    EventLog(TextMeasure& measure, EventLogView& view, std::size_t capacity = kDefaultCapacity);

    void Write(LogKind kind, const std::string& message) override;
    // Tells the view of every line written since the last call: the new count, one scroll to
    // the newest line, and the column widened for the widest new text.
    void ShowWrittenLines();

    std::size_t Count() const { return lines_.size(); }
    const LogLine& Line(std::size_t index) const { return lines_.at(index); }

  private:
    TextMeasure& measure_;
    EventLogView& view_;
    std::size_t capacity_;
    std::deque<LogLine> lines_;
    std::size_t unshown_ = 0;         // the newest lines the view has not been told of
    std::size_t droppedUnshown_ = 0;  // lines dropped at the front since it was told
    // Texts the column is already wide enough for: a held button writes the same text
    // again and again, and measuring text is drawing work.
    std::unordered_set<std::string> measured_;
    float columnWidth_ = kInitialColumnWidth;
};

}  // namespace bw
