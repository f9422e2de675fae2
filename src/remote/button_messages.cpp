// A line: the animation step, the Add Action dialog's hand-off, the dispatch.
#include "remote/button_messages.h"

#include "platform/failure_guard.h"
#include "remote/button_line.h"

namespace bw {

void ButtonMessages::HandleLine(const std::string& text) {
    const ButtonLine line = ParseButtonLine(text);
    if (line.button.find('\0') != std::string::npos ||
        line.remote.find('\0') != std::string::npos) {
        std::string shown;
        for (const char c : text) {
            if (c == '\0')
                shown += "\\0";
            else
                shown += c;
        }
        log_.Write(LogKind::Error, "The line \"" + shown +
                                       "\" was refused: a button or remote name in it holds a "
                                       "NUL character.");
        return;
    }

    // One step per press and one per third repeat of a held button.
    if (line.repeat % 3 == 0) {
        receiveFrame_ = static_cast<std::int16_t>(receiveFrame_ % kReceiveFrames + 1);
        display_.ShowReceiveFrame(receiveFrame_);
    }

    RunGuarded(
        [&] {
            if (learnMode_ && learnMode_->IsOpen())
                learnMode_->Learn(line.button, line.remote);
            dispatch_(line.button, line.repeat, line.remote);
        },
        [this](const std::string& description) { failures_.Report(description); });
}

}  // namespace bw
