// Remove and New Action list, each followed by saving the list.
#include "ui/action_list_commands.h"

namespace bw {

void ActionListCommands::cmdRemove_Click() {
    const std::vector<std::size_t> selected = selection_.SelectedRows();
    if (!selected.empty()) selection_.SelectOnly(lstActions_.RemoveRows(selected));
    persistence_.SaveList();
}

void ActionListCommands::miNewActionList_Click() {
    if (boxes_.Show(kClearQuestion, kClearTitle, kMbYesNo | kMbIconQuestion) != kIdYes) return;
    lstActions_.Clear();
    selection_.SelectOnly(std::nullopt);
    persistence_.SaveList();
}

}  // namespace bw
