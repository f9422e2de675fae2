// Opening, tracking and closing the program's two dialogs.
#include "ui/win32/program_dialogs.h"

#include "ui/add_action.h"
#include "ui/win32/frm_about.h"
#include "ui/win32/frm_add_action.h"

namespace bw::ui {

bool ProgramDialogs::BringUpOpenDialog() const {
    if (!openDialog_) return false;
    SetForegroundWindow(openDialog_);
    return true;
}

void ProgramDialogs::OpenActionDialog(std::size_t editedRow) {
    if (BringUpOpenDialog()) return;
    FrmAddAction frmAddAction;
    AddAction logic(frmAddAction, parts_.lstActions, parts_.persistence, parts_.keyboard,
                    parts_.boxes);
    if (editedRow) logic.EditRow(editedRow);
    parts_.buttons.SetLearnMode(&logic);
    frmAddAction.ShowModal(addActionOwner_(), logic, &openDialog_);
    openDialog_ = nullptr;
    parts_.buttons.SetLearnMode(nullptr);
}

void ProgramDialogs::OpenAbout() {
    if (BringUpOpenDialog()) return;
    FrmAbout frmAbout(parts_.launcher, aboutTitle_, readme_);
    frmAbout.ShowModal(aboutOwner_(), &openDialog_);
    openDialog_ = nullptr;
}

}  // namespace bw::ui
