// What a button line does: steps the receive animation, hands the button to the Add Action
// dialog while it learns one, and dispatches the button's actions.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/code_page.h"
#include "platform/event_log_writer.h"
#include "remote/line_failure_report.h"
#include "remote/status_display.h"

namespace bw {

// The Add Action dialog, as far as learning a button goes.
class LearnMode {
  public:
    virtual ~LearnMode() = default;
    virtual bool IsOpen() const = 0;
    // The button the dialog's Add will bind, and the remote that sent it; it also enables
    // Add. Throws Failure.
    virtual void Learn(const std::string& button, const std::string& remote) = 0;
};

inline constexpr int kReceiveFrames = 6;

class ButtonMessages {
  public:
    using Dispatch = std::function<void(const std::string& button, std::int16_t repeat,
                                        const std::string& remote)>;

    ButtonMessages(StatusDisplay& display, LineFailureReport& failures, EventLogWriter& log,
                   CodePage& ansi, Dispatch dispatch)
        : display_(display),
          failures_(failures),
          log_(log),
          ansi_(ansi),
          dispatch_(std::move(dispatch)) {}

    // The dialog while it is open; nullptr when there is none.
    void SetLearnMode(LearnMode* dialog) { learnMode_ = dialog; }

    // One line as received, without its line end.
    void OnLine(const std::string& bytes) { HandleLine(DecodeText(bytes, ansi_)); }
    // A button or remote name that holds a NUL character is refused with an error line:
    // the store would keep it cut short at the NUL, and the binding would stop matching.
    void HandleLine(const std::string& line);

  private:
    StatusDisplay& display_;
    LineFailureReport& failures_;
    EventLogWriter& log_;
    CodePage& ansi_;
    Dispatch dispatch_;
    LearnMode* learnMode_ = nullptr;
    std::int16_t receiveFrame_ = 0;
};

}  // namespace bw
