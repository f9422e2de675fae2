// A timer that ticks when the test says so, and only while enabled, like the real one.
#pragma once

#include "platform/timer.h"

namespace bw::test {

class FakeTimer : public Timer {
  public:
    int interval = 0;

    void SetTickHandler(std::function<void()> onTick) override { onTick_ = std::move(onTick); }
    void SetInterval(int milliseconds) override { interval = milliseconds; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    bool Enabled() const override { return enabled_; }

    // Returns whether a tick happened.
    bool Tick() {
        if (!enabled_ || !onTick_) return false;
        onTick_();
        return true;
    }

  private:
    std::function<void()> onTick_;
    bool enabled_ = false;
};

}  // namespace bw::test
