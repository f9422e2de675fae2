// Which rows act on one button line: the rows bound to the button that are for any remote
// or for the line's; of those, when any is for the program in front, only the rows for it,
// otherwise only the rows for every program. A list without programs or remotes acts as
// it always did. Program file names compare without letter case, as Windows compares them
// (for the letters A to Z; executable names rarely have others).
#pragma once

#include <string>

#include "actions/action_list.h"
#include "remote/foreground_watch.h"

namespace bw {

class RowFilter {
  public:
    // Asks for the program in front only when a row bound to the button names a program.
    RowFilter(const ActionList& list, const std::string& button, const std::string& remote,
              ForegroundWatch& foreground);

    // Checked again for each row as the pass reaches it: an executor's modal loop may
    // change the list under the pass.
    bool Applies(const ActionRow& row) const;

  private:
    bool Bound(const ActionRow& row) const;

    const std::string& button_;
    const std::string& remote_;
    std::string program_;  // the program whose rows run; empty: the rows for every program
};

}  // namespace bw
