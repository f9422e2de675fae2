// Deciding once per line whether the program in front has rows of its own for the button.
#include "remote/row_filter.h"

#include "platform/plain_text.h"

namespace bw {

RowFilter::RowFilter(const ActionList& list, const std::string& button, const std::string& remote,
                     ForegroundWatch& foreground)
    : button_(button), remote_(remote) {
    const std::string* inFront = nullptr;
    for (std::size_t i = 1; i <= list.Count(); ++i) {
        const ActionRow& row = list.Row(i);
        if (row.Program.empty() || !Bound(row)) continue;
        if (!inFront) inFront = &foreground.Current().program;
        if (!inFront->empty() && SameIgnoringCase(row.Program, *inFront)) {
            program_ = *inFront;
            return;
        }
    }
}

bool RowFilter::Bound(const ActionRow& row) const {
    return row.RemKey == button_ && (row.Remote.empty() || row.Remote == remote_);
}

bool RowFilter::Applies(const ActionRow& row) const {
    if (!Bound(row)) return false;
    return program_.empty() ? row.Program.empty() : SameIgnoringCase(row.Program, program_);
}

}  // namespace bw
