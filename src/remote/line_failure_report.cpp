#include "remote/line_failure_report.h"

namespace bw {

void LineFailureReport::Report(const std::string& description) {
    if (boxOpen_) {
        log_.Write(LogKind::Error, description);
        return;
    }
    boxOpen_ = true;
    // Reset however the box ends: its modal loop runs nested passes that may throw.
    struct Closed {
        bool& open;
        ~Closed() { open = false; }
    } closed{boxOpen_};
    boxes_.Show(description, kErrorBoxTitle, kMbOk | kMbIconStop);
}

}  // namespace bw
