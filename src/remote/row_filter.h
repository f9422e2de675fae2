// Which rows act on one button line: the rows bound to the button that are for any remote
// or for the line's; of those, when any is for the program in front, only the rows for it,
// otherwise only the rows for every program. A list without programs or remotes acts as
// it always did.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "actions/action_list.h"
#include "remote/foreground_watch.h"

namespace bw {

// Whether a row's program is the program in front (its file name): the same name, or, for
// a name without an extension (no dot), the same name less its extension ("player" for
// player.exe); without letter case, as Windows compares file names (for the letters A to
// Z; executable names rarely have others).
bool ProgramMatches(std::string_view rowProgram, std::string_view programInFront);
// A program name with a dot in it is taken for a name with its extension.
bool HasExtension(std::string_view program);

// Whether the button has a row that ends the session or puts the computer to sleep for the
// line's remote, for whatever program: while the countdown shows, the program in front may
// be the countdown itself.
bool ButtonPowersDown(const ActionList& list, const std::string& button,
                       const std::string& remote);

// Copies of the rows that act on the line, in list order, taken when the line arrives: an
// executor's modal loop (the countdown, a click's yield) lets the user move, edit and remove
// rows while the pass goes on, and the pass must still run what the press meant. Asks for
// the program in front only when a row bound to the button names a program.
std::vector<ActionRow> RowsForLine(const ActionList& list, const std::string& button,
                                   const std::string& remote, ForegroundWatch& foreground);

}  // namespace bw
