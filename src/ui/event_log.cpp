// Appending is the whole life of the log: it is never saved, read back or cleared.
#include "ui/event_log.h"

#include <algorithm>

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
    while (lines_.size() >= capacity_) {
        lines_.pop_front();
        ++droppedUnshown_;
    }
    lines_.push_back({kind, message});
    unshown_ = std::min(unshown_ + 1, lines_.size());
    view_.LinesWritten();
}

void EventLog::ShowWrittenLines() {
    if (unshown_ == 0) return;
    view_.LinesChanged(lines_.size(), droppedUnshown_);
    view_.ScrollToLastLine();

    // Known texts are not measured again; the set is let go of now and then, so that a log
    // of ever new texts does not keep them all twice.
    constexpr std::size_t kMeasuredTextsKept = 1000;
    if (measured_.size() > kMeasuredTextsKept) measured_.clear();
    float widest = columnWidth_;
    for (std::size_t i = lines_.size() - unshown_; i < lines_.size(); ++i) {
        if (!measured_.insert(lines_[i].text).second) continue;
        widest = std::max(widest, measure_.WidthAt96(lines_[i].text) + kMargin);
    }
    unshown_ = 0;
    droppedUnshown_ = 0;
    if (widest > columnWidth_) {
        columnWidth_ = widest;
        view_.SetColumnWidth(columnWidth_);
    }
}

}  // namespace bw
