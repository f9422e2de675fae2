// The Add Action dialog (also for editing a row) and the About box as the program opens
// them: built afresh at every opening and one at a time. Asked for again while one is open
// (the tray menu can), the open one comes to the front instead. While Add Action is open
// it learns the buttons.
#pragma once

#include <functional>
#include <string>

#include "actions/action_list.h"
#include "actions/list_persistence.h"
#include "emulation/keyboard.h"
#include "emulation/launcher.h"
#include "platform/clock.h"
#include "platform/message_boxes.h"
#include "platform/win32/windows_api.h"
#include "remote/button_messages.h"

namespace bw::ui {

class ProgramDialogs {
  public:
    struct Parts {
        ActionList& bindings;
        ListPersistence& persistence;
        const Keyboard& keyboard;
        MessageBoxes& boxes;
        ButtonMessages& buttons;
        Launcher& launcher;
        Millis longPressMs;  // for the dialog's words on a long press
    };
    // aboutTitle: the About box's first line; readme: the read-me its link opens.
    // addActionOwner and aboutOwner: the window each dialog is modal to at the moment.
    ProgramDialogs(Parts parts, std::string aboutTitle, std::string readme,
                   std::function<HWND()> addActionOwner, std::function<HWND()> aboutOwner)
        : parts_(parts),
          aboutTitle_(std::move(aboutTitle)),
          readme_(std::move(readme)),
          addActionOwner_(std::move(addActionOwner)),
          aboutOwner_(std::move(aboutOwner)) {}

    // Each returns when its dialog has closed.
    void OpenAddAction() { OpenActionDialog(0); }
    // The same dialog on the row at a 1-based position.
    void OpenEditAction(std::size_t position) { OpenActionDialog(position); }
    void OpenAbout();
    // While it is open, rows are added or edited by their place in the list.
    bool ActionDialogOpen() const { return actionDialogOpen_; }

  private:
    // True when a dialog was open and has come to the front.
    bool BringUpOpenDialog() const;
    void OpenActionDialog(std::size_t editedRow);

    Parts parts_;
    std::string aboutTitle_, readme_;
    std::function<HWND()> addActionOwner_, aboutOwner_;
    HWND openDialog_ = nullptr;
    bool actionDialogOpen_ = false;
};

}  // namespace bw::ui
