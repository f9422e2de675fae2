// Remove, Move and New Action list, each followed by saving the list.
#include "ui/action_list_commands.h"

#include "platform/failure.h"

namespace bw {

namespace {

// Removing and clearing go on whatever happens to the save: its failure is in the log.
void SaveAfterChange(ListPersistence& persistence) {
    try {
        persistence.SaveList();
    } catch (const Failure&) {
    }
}

}  // namespace

void ActionListCommands::cmdRemove_Click() {
    const std::vector<std::size_t> selected = selection_.SelectedRows();
    if (!selected.empty()) selection_.SelectOnly(lstActions_.RemoveRows(selected));
    SaveAfterChange(persistence_);
}

void ActionListCommands::miNewActionList_Click() {
    if (boxes_.Show(kClearQuestion, kClearTitle, kMbYesNo | kMbIconQuestion) != kIdYes) return;
    lstActions_.Clear();
    selection_.SelectOnly(std::nullopt);
    SaveAfterChange(persistence_);
}

void ActionListCommands::MoveSelected(int step) {
    const std::optional<std::size_t> row = RowToEdit();
    if (!row) return;
    const std::optional<std::size_t> moved = lstActions_.Move(*row, step);
    if (!moved) return;
    selection_.SelectOnly(moved);
    SaveAfterChange(persistence_);
}

std::optional<std::size_t> ActionListCommands::RowToEdit() const {
    const std::vector<std::size_t> selected = selection_.SelectedRows();
    if (selected.empty()) return std::nullopt;
    return selected.front();
}

}  // namespace bw
