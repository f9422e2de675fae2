// One failure box at a time; the rest to the log.
#include "remote/line_failure_report.h"

#include "platform/scoped_flag.h"

namespace bw {

void LineFailureReport::Report(const std::string& description) {
    if (boxOpen_) {
        log_.Write(LogKind::Error, description);
        return;
    }
    const ScopedFlag open(boxOpen_);
    if (beforeBox_) beforeBox_();
    boxes_.ShowFailure(description);
}

}  // namespace bw
