// What the program's dialogs share: a modal run from an empty template (each dialog makes
// its controls itself when it opens, at the window's DPI), the message font for that DPI,
// and a place centred on the monitor's work area.
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

    int Dpi() const;
    // The system's message font at the dialog's DPI, and its metrics' height.
    win32::UniqueFont MessageFont(LONG* height = nullptr, bool underlined = false) const;
    // Gives the dialog that client size, centred on the screen.
    void SizeAndCentre(int clientWidth, int clientHeight, DWORD style) const;

    HWND dialog_ = nullptr;  // owned by the dialog manager while shown

  private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace bw::ui
