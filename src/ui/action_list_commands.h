// The user's own changes of the action list in the main window: removing the selected rows,
// moving one, and clearing the list. Each saves at once; nothing is saved at exit.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "actions/action_list.h"
#include "actions/list_persistence.h"
#include "platform/message_boxes.h"

namespace bw {

// The list control's selection.
class ActionSelection {
  public:
    virtual ~ActionSelection() = default;
    // 1-based positions.
    virtual std::vector<std::size_t> SelectedRows() = 0;
    // The row the keyboard works on (the focus rectangle), selected or not.
    virtual std::optional<std::size_t> FocusedRow() = 0;
    // Selects only that row, or none.
    virtual void SelectOnly(std::optional<std::size_t> position) = 0;
};

// The row Edit opens and the moves move (the menu greys them by it): the focused one when it
// is selected (of several selected rows, the one the user clicked or moved to last), else
// the first selected one.
std::optional<std::size_t> CurrentRow(ActionSelection& selection);

inline constexpr const char* kClearQuestion = "Are you sure you want to clear all remote actions?";
inline constexpr const char* kClearTitle = "Remove all Actions?";

class ActionListCommands {
  public:
    ActionListCommands(ActionList& bindings, ListPersistence& persistence,
                       ActionSelection& selection, MessageBoxes& boxes)
        : bindings_(bindings),
          persistence_(persistence),
          selection_(selection),
          boxes_(boxes) {}

    // Removes the selected rows, selects the row now where the topmost of them stood (or the
    // new last row) and saves, even when nothing was selected.
    void RemoveSelected();
    // Asks first; Yes empties the list and saves, No changes nothing.
    void NewList();
    // Moves the current row one place up (-1) or down (+1), keeps it selected and
    // saves the two rows that changed places; without a selection, or at the edge, nothing
    // changes.
    void MoveSelected(int step);
    std::optional<std::size_t> CurrentRow() const { return bw::CurrentRow(selection_); }

  private:
    ActionList& bindings_;
    ListPersistence& persistence_;
    ActionSelection& selection_;
    MessageBoxes& boxes_;
};

}  // namespace bw
