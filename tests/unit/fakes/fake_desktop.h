// The desktop as the executors see it: mouse input, the message loop, the shell, volume,
// the window in front and the end of the session. Each records what it was asked, and
// the shell, the volume and the session can be told to fail.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "platform/message_pump.h"
#include "platform/mouse_input.h"
#include "platform/shell.h"
#include "platform/system_services.h"

namespace bw::test {

// Mouse events and yields, in one stream: "6 0 0", "1 -7 0", "yield".
struct FakeMouseAndPump : MouseInput, MessagePump {
    std::vector<std::string> stream;
    std::function<void()> duringYield;
    void MouseEvent(std::uint32_t flags, int dx, int dy) override {
        stream.push_back(std::to_string(flags) + " " + std::to_string(dx) + " " +
                         std::to_string(dy));
    }
    void DoEvents() override {
        stream.push_back("yield");
        if (duringYield) duringYield();
    }
};

struct FakeShell : Shell {
    std::vector<std::string> opened;  // "item | directory"
    long answer = 42;
    long Open(const std::string& item, const std::string& directory) override {
        opened.push_back(item + " | " + directory);
        return answer;
    }
};

// The default output device, a new one for every step: "set#2" is the second device's
// write. Each call can be told to fail, and the device to be muted.
struct FakeVolume : Volume {
    std::optional<std::uint32_t> level = 0;  // nothing: no device answers
    std::optional<Failure> refuseOutput, refuseSet, refuseUnmute;
    bool muted = false;
    std::vector<std::uint32_t> set;
    std::vector<std::string> calls;
    int devices = 0;

    struct Device : AudioOutput {
        Device(FakeVolume& v, std::string n) : volume(v), number(std::move(n)) {}
        FakeVolume& volume;
        std::string number;
        void Call(const char* name, const std::optional<Failure>& refuse) {
            volume.calls.push_back(name + ("#" + number));
            if (refuse) throw *refuse;
        }
        std::optional<std::uint32_t> Level() override {
            Call("level", std::nullopt);
            return volume.level;
        }
        void SetLevel(std::uint32_t value) override {
            Call("set", volume.refuseSet);
            volume.set.push_back(value);
            if (volume.level) volume.level = value;
        }
        bool Muted() override { return volume.muted; }
        void Unmute() override {
            Call("unmute", volume.refuseUnmute);
            volume.muted = false;
        }
    };
    std::unique_ptr<AudioOutput> DefaultOutput() override {
        if (refuseOutput) throw *refuseOutput;
        return std::make_unique<Device>(*this, std::to_string(++devices));
    }
};

struct FakeWindowCommands : WindowCommands {
    int minimised = 0;
    void MinimizeForegroundWindow() override { ++minimised; }
};

struct FakeExitSession : ExitSession {
    std::vector<std::uint32_t> requests;
    std::optional<Failure> refuse;
    void EndSession(std::uint32_t flags) override {
        requests.push_back(flags);
        if (refuse) throw *refuse;
    }
};

}  // namespace bw::test
