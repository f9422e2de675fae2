// Remove, Move and New Action list, each followed by saving what it changed.
#include "ui/action_list_commands.h"

#include <algorithm>

#include "platform/failure.h"

namespace bw {

namespace {

// The list's commands go on whatever happens to the save: its failure is in the log.
template <typename Save>
void SaveAfterChange(Save&& save) {
    try {
        save();
    } catch (const Failure&) {
    }
}

}  // namespace

void ActionListCommands::RemoveSelected() {
    const std::vector<std::size_t> selected = selection_.SelectedRows();
    if (!selected.empty()) selection_.SelectOnly(bindings_.RemoveRows(selected));
    SaveAfterChange([this] { persistence_.SaveList(); });
}

void ActionListCommands::NewList() {
    if (boxes_.Show(kClearQuestion, kClearTitle, kMbYesNo | kMbIconQuestion) != kIdYes) return;
    bindings_.Clear();
    selection_.SelectOnly(std::nullopt);
    SaveAfterChange([this] { persistence_.SaveList(); });
}

void ActionListCommands::MoveSelected(int step) {
    const std::optional<std::size_t> row = CurrentRow();
    if (!row) return;
    const std::optional<std::size_t> moved = bindings_.Move(*row, step);
    if (!moved) return;
    selection_.SelectOnly(moved);
    // Alt+Down held on a long list repeats faster than the whole list could be rewritten.
    SaveAfterChange([&] { persistence_.SaveRows(std::min(*row, *moved), std::max(*row, *moved)); });
}

std::optional<std::size_t> CurrentRow(ActionSelection& selection) {
    const std::vector<std::size_t> selected = selection.SelectedRows();
    if (selected.empty()) return std::nullopt;
    const std::optional<std::size_t> focused = selection.FocusedRow();
    if (focused && std::ranges::find(selected, *focused) != selected.end()) return focused;
    return selected.front();
}

}  // namespace bw
