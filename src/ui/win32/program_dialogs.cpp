// Opening, tracking and closing the program's two dialogs.
#include "ui/win32/program_dialogs.h"

#include "platform/scoped_flag.h"
#include "ui/binding_editor.h"
#include "ui/win32/about/about_box.h"
#include "ui/win32/add_action/add_action_dialog.h"

namespace bw::ui {

bool ProgramDialogs::BringUpOpenDialog() const {
    if (!openDialog_) return false;
    SetForegroundWindow(openDialog_);
    return true;
}

void ProgramDialogs::OpenActionDialog(std::size_t editedRow) {
    if (BringUpOpenDialog()) return;
    const ScopedFlag open(actionDialogOpen_);
    AddActionDialog window;
    BindingEditor logic(window, parts_.bindings, parts_.persistence, parts_.keyboard,
                        parts_.boxes, parts_.longPressMs);
    if (editedRow) logic.EditRow(editedRow);
    parts_.buttons.SetLearnMode(&logic);
    window.ShowModal(addActionOwner_(), logic, &openDialog_);
    openDialog_ = nullptr;
    parts_.buttons.SetLearnMode(nullptr);
}

void ProgramDialogs::OpenAbout() {
    if (BringUpOpenDialog()) return;
    AboutBox aboutBox(parts_.launcher, aboutTitle_, readme_);
    aboutBox.ShowModal(aboutOwner_(), &openDialog_);
    openDialog_ = nullptr;
}

}  // namespace bw::ui
