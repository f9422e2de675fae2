// Records every executor call in order. Any call can be told to fail, and a test can run
// code inside a call, as a modal window's loop would. And the windows in front as a test
// sets them.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "platform/foreground_program.h"
#include "remote/action_dispatch.h"

namespace bw::test {

// Answers for each window what the test says of it; a window it says nothing of has no
// program that can be read.
struct FakeForeground : ForegroundProgram {
    WindowInFront front;
    std::map<WindowInFront, ProgramInFront> programs;
    int lookups = 0;
    WindowInFront Window() override { return front; }
    ProgramInFront Describe(const WindowInFront& window) override {
        ++lookups;
        const auto it = programs.find(window);
        return it == programs.end() ? ProgramInFront{} : it->second;
    }
    // A window of that program comes to the front.
    void Show(std::uintptr_t handle, std::uint32_t process, ProgramInFront program) {
        front = {handle, process};
        programs[front] = std::move(program);
    }
};

class FakeExecutors {
  public:
    std::vector<std::string> calls;
    std::optional<Failure> failOn;  // thrown by the call whose text starts with failingCall
    std::string failingCall;
    std::function<void(const std::string& call)> during;

    // What the system executor answers: false as when an exit takes the countdown over.
    bool systemGoesOn = true;

    ActionExecutors Wire() {
        auto n = [](int value) { return " " + std::to_string(value); };
        return {
            [this, n](const std::string& value, const KeyStroke& stroke) {
                Record("key " + value + n(stroke.key) + n(stroke.modifiers) + n(stroke.kind));
            },
            [this, n](const std::string& name, std::int16_t repeats, std::int16_t step) {
                Record("mouse " + name + n(repeats) + n(step));
            },
            [this, n](const std::string& name, std::int16_t repeats) {
                Record("sys " + name + n(repeats));
                return systemGoesOn;
            },
            [this](const std::string& path) { Record("run " + path); }};
    }

  private:
    void Record(const std::string& call) {
        calls.push_back(call);
        if (during) during(call);
        if (failOn && call.rfind(failingCall, 0) == 0) throw *failOn;
    }
};

}  // namespace bw::test
