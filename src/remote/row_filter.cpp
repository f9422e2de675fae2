// One walk over the list for the rows bound to the button; copies only of those that apply.
#include "remote/row_filter.h"

#include <algorithm>

#include "platform/plain_text.h"

namespace bw {

bool HasExtension(std::string_view program) {
    return program.find('.') != std::string_view::npos;
}

bool ProgramMatches(std::string_view rowProgram, std::string_view programInFront) {
    if (rowProgram.empty() || programInFront.empty()) return false;
    if (SameIgnoringCase(rowProgram, programInFront)) return true;
    const std::size_t dot = programInFront.rfind('.');
    return !HasExtension(rowProgram) && dot != std::string_view::npos &&
           SameIgnoringCase(rowProgram, programInFront.substr(0, dot));
}

namespace {

bool Bound(const ActionRow& row, const std::string& button, const std::string& remote) {
    return row.button == button && (row.remote.empty() || row.remote == remote);
}

}  // namespace

bool ButtonPowersDown(const ActionList& list, const std::string& button,
                       const std::string& remote) {
    for (std::size_t i = 1; i <= list.Count(); ++i) {
        const ActionRow& row = list.Row(i);
        const SystemAction* action =
            row.type == ActionType::System ? FindSystemAction(row.value) : nullptr;
        if (Bound(row, button, remote) && action && PowersDown(action->command)) return true;
    }
    return false;
}

std::vector<ActionRow> RowsForLine(const ActionList& list, const std::string& button,
                                   const std::string& remote, ForegroundWatch& foreground) {
    std::vector<const ActionRow*> bound;
    bool anyProgram = false;
    for (std::size_t i = 1; i <= list.Count(); ++i) {
        const ActionRow& row = list.Row(i);
        if (!Bound(row, button, remote)) continue;
        bound.push_back(&row);
        anyProgram = anyProgram || !row.program.empty();
    }
    // Whether the program in front has rows of its own for the button.
    const std::string inFront = anyProgram ? foreground.Current().program : std::string();
    const bool forFront = std::ranges::any_of(
        bound, [&](const ActionRow* row) { return ProgramMatches(row->program, inFront); });
    std::vector<ActionRow> rows;
    for (const ActionRow* row : bound)
        if (forFront ? ProgramMatches(row->program, inFront) : row->program.empty())
            rows.push_back(*row);
    return rows;
}

}  // namespace bw
