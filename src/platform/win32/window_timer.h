// A timer over SetTimer on a hidden window; ticks come through the message loop, so they
// also arrive inside modal dialogs.
#pragma once

#include "platform/timer.h"
#include "platform/win32/message_window.h"

namespace bw::win32 {

class WindowTimer final : public Timer {
  public:
    WindowTimer();
    ~WindowTimer() override;

    void SetTickHandler(std::function<void()> onTick) override { onTick_ = std::move(onTick); }
    void SetInterval(int milliseconds) override;
    void SetEnabled(bool enabled) override;
    bool Enabled() const override { return enabled_; }

  private:
    void Start();

    std::function<void()> onTick_;
    int interval_ = 1000;
    bool enabled_ = false;
    MessageWindow window_;
};

}  // namespace bw::win32
