// The countdown window frmExitWindowsTimeOut: a small modal dialog without an owner, built
// at every showing. Its modal loop keeps timers and button lines running.
#pragma once

#include <string>

#include "emulation/exit_countdown.h"
#include "platform/win32/unique_handle.h"

namespace bw::ui {

class FrmExitWindowsTimeOut final : public CountdownWindow {
  public:
    void ShowModal(CountdownEvents& events) override;
    void SetText(const std::string& text) override;
    void BringToTop() override;
    void Close() override;

  private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();

    CountdownEvents* events_ = nullptr;
    HWND dialog_ = nullptr;  // owned by the dialog manager while shown
    HWND lblStatic_ = nullptr;
    bool unloaded_ = false;
    win32::UniqueFont font_;
    win32::UniqueIcon icon_;
};

}  // namespace bw::ui
