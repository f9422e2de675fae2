// The countdown's window: shows modally by running the test's script for as long as it is
// open, the way the real window's loop lets timers and button lines run.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "emulation/exit_countdown.h"

namespace bw::test {

class FakeCountdownWindow : public CountdownWindow {
  public:
    std::vector<std::string> texts;  // every text shown, in order
    int showings = 0, broughtToTop = 0;
    bool open = false;
    std::function<void()> whileOpen;  // the script of one showing

    void ShowModal(CountdownEvents& events) override {
        ++showings;
        open = true;
        events_ = &events;
        events.Form_Load();
        if (whileOpen) whileOpen();
        if (open) CloseBox();  // a script that leaves it open ends with the close box
        events_ = nullptr;
    }
    void SetText(const std::string& text) override { texts.push_back(text); }
    void BringToTop() override { ++broughtToTop; }
    void Close() override {
        if (!open) return;
        open = false;
        events_->Form_Unload();
    }

    // The user's ways out.
    void PressCancel() { events_->cmdCancel_Click(); }
    void CloseBox() { Close(); }

  private:
    CountdownEvents* events_ = nullptr;
};

}  // namespace bw::test
