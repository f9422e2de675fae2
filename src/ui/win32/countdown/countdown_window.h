// The countdown window countdownWindow: a small topmost modal dialog without an
// owner, built at every showing. Its modal loop keeps timers and button lines running.
#pragma once

#include <string>

#include "emulation/exit_countdown.h"
#include "platform/win32/unique_handle.h"
#include "ui/win32/modal_dialog.h"

namespace bw::ui {

class CountdownWindow final : public CountdownView, private ModalDialog {
  public:
    void ShowModal(CountdownEvents& events) override;
    void SetText(const std::string& text) override;
    void BringToTop() override;
    void Close() override;

  private:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ApplyDpi(int dpi) override;

    CountdownEvents* events_ = nullptr;
    SIZE client_{};
    bool unloaded_ = false;
    win32::UniqueFont font_;
    win32::UniqueIcon icon_;
};

}  // namespace bw::ui
