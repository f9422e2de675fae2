// What the program's dialogs share: a modal run from an empty template (each dialog makes
// its controls itself when it opens), following the DPI of the monitor it is on, and a
// place centred on the monitor's work area.
#pragma once

#include <string>

#include "platform/win32/unique_handle.h"

namespace bw::ui {

// Places a window of that outer size centred on its monitor's work area.
void CentreOnWorkArea(HWND window, int width, int height);

class ModalDialog {
  public:
    virtual ~ModalDialog() = default;

  protected:
    // Runs the dialog modally; returns once it has closed. The window is dialog_ meanwhile.
    void RunModal(const std::wstring& title, DWORD style, HWND owner);
    // WM_INITDIALOG included; dialog_ is set before it arrives.
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Fonts, places and pictures for a DPI: once the controls exist, and when the dialog
    // moves to a monitor of another DPI.
    virtual void ApplyDpi(int dpi) = 0;

    int Dpi() const;
    // Gives the dialog that client size, centred on its monitor or where it stands.
    void SetClientSize(int clientWidth, int clientHeight, bool centre) const;

    HWND dialog_ = nullptr;  // owned by the dialog manager while shown

  private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    DWORD style_ = 0;
};

}  // namespace bw::ui
