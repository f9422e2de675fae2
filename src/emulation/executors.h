// The executors of the four action types, as the dispatch calls them.
#pragma once

#include "emulation/keyboard.h"
#include "emulation/launcher.h"
#include "emulation/mouse.h"
#include "emulation/system_actions.h"
#include "remote/action_dispatch.h"

namespace bw {

class Executors final : public ActionExecutors {
  public:
    Executors(Keyboard& keyboard, Mouse& mouse, SystemActions& system, Launcher& launcher)
        : keyboard_(keyboard), mouse_(mouse), system_(system), launcher_(launcher) {}

    void SimulateKeyboard(const std::string& Text, std::uint8_t KeyCode, std::uint8_t KeyShift,
                          std::int16_t KeyType) override {
        keyboard_.SimulateKeyboard(Text, KeyCode, KeyShift, KeyType);
    }
    void DoMouseAction(const std::string& ActionMouse, std::int16_t NumRpt,
                       std::int16_t MoveStep) override {
        mouse_.DoMouseAction(ActionMouse, NumRpt, MoveStep);
    }
    void RunSys(const std::string& ActionSys, std::int16_t NumRpt) override {
        system_.RunSys(ActionSys, NumRpt);
    }
    void RunFile(const std::string& FilePath) override { launcher_.RunFile(FilePath); }

  private:
    Keyboard& keyboard_;
    Mouse& mouse_;
    SystemActions& system_;
    Launcher& launcher_;
};

}  // namespace bw
