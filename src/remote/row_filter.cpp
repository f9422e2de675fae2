// One walk over the list for the rows bound to the button; copies only of those that apply.
#include "remote/row_filter.h"

#include "platform/plain_text.h"

namespace bw {

bool ProgramMatches(std::string_view rowProgram, std::string_view programInFront) {
    if (rowProgram.empty() || programInFront.empty()) return false;
    if (SameIgnoringCase(rowProgram, programInFront)) return true;
    const std::size_t dot = programInFront.rfind('.');
    return rowProgram.find('.') == std::string_view::npos && dot != std::string_view::npos &&
           SameIgnoringCase(rowProgram, programInFront.substr(0, dot));
}

std::vector<ActionRow> RowsForLine(const ActionList& list, const std::string& button,
                                   const std::string& remote, ForegroundWatch& foreground) {
    std::vector<const ActionRow*> bound;
    bool anyProgram = false;
    for (std::size_t i = 1; i <= list.Count(); ++i) {
        const ActionRow& row = list.Row(i);
        if (row.RemKey != button || !(row.Remote.empty() || row.Remote == remote)) continue;
        bound.push_back(&row);
        anyProgram = anyProgram || !row.Program.empty();
    }
    // The program whose rows run; empty: the rows for every program.
    std::string program;
    if (anyProgram) {
        const std::string& inFront = foreground.Current().program;
        for (const ActionRow* row : bound)
            if (ProgramMatches(row->Program, inFront)) program = inFront;
    }
    std::vector<ActionRow> rows;
    for (const ActionRow* row : bound)
        if (program.empty() ? row->Program.empty() : ProgramMatches(row->Program, program))
            rows.push_back(*row);
    return rows;
}

}  // namespace bw
