// Appending is the whole life of the log: it is never saved, read back or cleared.
#include "ui/event_log.h"

namespace bw {

int LogIconNumber(LogKind kind) {
    switch (kind) {
        case LogKind::OK:
            return 1;
        case LogKind::Error:
            return 2;
        case LogKind::Change:
            return 4;
        case LogKind::Data:
            return 5;
    }
    return 4;
}

EventLog::EventLog(TextMeasure& measure, EventLogView& view, std::size_t capacity)
    : measure_(measure), view_(view), capacity_(capacity == 0 ? 1 : capacity) {}

void EventLog::Write(LogKind kind, const std::string& message) {
    std::size_t dropped = 0;
    while (lines_.size() >= capacity_) {
        lines_.pop_front();
        ++dropped;
    }
    lines_.push_back({kind, message});
    view_.LinesChanged(lines_.size(), dropped);
    view_.ScrollToLastLine();

    const float needed = measure_.WidthInTwips(message) + kMarginTwips;
    if (needed > columnTwips_) {
        columnTwips_ = needed;
        view_.SetColumnWidthTwips(columnTwips_);
    }
}

}  // namespace bw
