// Remove and New Action list, each followed by saving the list.
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

}  // namespace bw
