// How a failure while handling a button line reaches the user: in the "Error happened" box,
// but only one such box at a time. A held button repeats its failing pass ten times a
// second and every box's modal loop receives the next line, so the failures that come
// while a box is open go to the event log instead of stacking boxes.
#pragma once

#include <functional>
#include <string>

#include "platform/event_log_writer.h"
#include "platform/message_boxes.h"

namespace bw {

class LineFailureReport {
  public:
    LineFailureReport(MessageBoxes& boxes, EventLogWriter& log) : boxes_(boxes), log_(log) {}

    // Shows the box, or writes an error line while a box of ours is open already.
    void Report(const std::string& description);
    // Called before a box opens: its loop may last, and nothing may stay held meanwhile.
    void SetBeforeBox(std::function<void()> beforeBox) { beforeBox_ = std::move(beforeBox); }

  private:
    MessageBoxes& boxes_;
    EventLogWriter& log_;
    bool boxOpen_ = false;
    std::function<void()> beforeBox_;
};

}  // namespace bw
