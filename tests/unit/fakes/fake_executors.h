// Records every executor call in order. Any call can be told to fail, and a test can run
// code inside a call, as a modal window's loop would.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "remote/action_dispatch.h"

namespace bw::test {

class FakeExecutors : public ActionExecutors {
  public:
    std::vector<std::string> calls;
    std::optional<Failure> failOn;  // thrown by the call whose text starts with ...
    std::string failingCall;
    std::function<void(const std::string& call)> during;

    void SimulateKeyboard(const std::string& text, std::uint8_t code, std::uint8_t shift,
                          std::int16_t type) override {
        Record("key " + text + " " + std::to_string(code) + " " + std::to_string(shift) + " " +
               std::to_string(type));
    }
    void DoMouseAction(const std::string& name, std::int16_t NumRpt, std::int16_t step) override {
        Record("mouse " + name + " " + std::to_string(NumRpt) + " " + std::to_string(step));
    }
    void RunSys(const std::string& name, std::int16_t NumRpt) override {
        Record("sys " + name + " " + std::to_string(NumRpt));
    }
    void RunFile(const std::string& path) override { Record("run " + path); }

  private:
    void Record(const std::string& call) {
        calls.push_back(call);
        if (during) during(call);
        if (failOn && call.rfind(failingCall, 0) == 0) throw *failOn;
    }
};

}  // namespace bw::test
