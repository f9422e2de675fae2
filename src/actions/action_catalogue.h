// Every kind of action in one place: the four action types, the keyboard rows' key types
// and modifier bits, and the mouse and system actions by the names bindings store. The
// dialog offers these, the executors act on them and the store keeps them, so a name
// changed here changes everywhere at once.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mouse_input.h"

namespace bw {

// The stored number of a row's type, which is also the number of its icon.
enum class ActionType { Keyboard = 1, Mouse = 2, System = 3, Run = 4 };
inline constexpr std::array kActionTypes{ActionType::Keyboard, ActionType::Mouse,
                                         ActionType::System, ActionType::Run};
// What the dialog calls each type.
const char* ActionTypeName(ActionType type);

// KeyType values of a keyboard row.
inline constexpr std::int16_t kPredefinedKey = 1, kKeyWithModifiers = 2, kTextToType = 3;

// KeyShift values: summed for combinations; kWindowsKey stands alone.
inline constexpr std::int32_t kShiftMask = 1, kCtrlMask = 2, kAltMask = 4, kWindowsKey = 8;

// A click presses and releases its button clicks times; a move steps the pointer in its
// direction, scaled by the step of the repeat.
struct MouseAction {
    const char* name;
    std::uint32_t buttonFlags;  // 0 for a move
    int clicks;
    int dx, dy;
};
// "UP" in capitals beside "Down": the names are stored in bindings as they are.
inline constexpr MouseAction kMouseActions[] = {
    {"Left Mouse Click", kMouseLeftDown | kMouseLeftUp, 1, 0, 0},
    {"Right Mouse Click", kMouseRightDown | kMouseRightUp, 1, 0, 0},
    {"Middle Mouse Click", kMouseMiddleDown | kMouseMiddleUp, 1, 0, 0},
    {"Left Mouse Double Click", kMouseLeftDown | kMouseLeftUp, 2, 0, 0},
    {"Right Mouse Double Click", kMouseRightDown | kMouseRightUp, 2, 0, 0},
    {"Middle Mouse Double Click", kMouseMiddleDown | kMouseMiddleUp, 2, 0, 0},
    {"Mouse Move UP", 0, 0, 0, -1},
    {"Mouse Move Down", 0, 0, 0, 1},
    {"Mouse Move Left", 0, 0, -1, 0},
    {"Mouse Move Right", 0, 0, 1, 0},
};

enum class SystemCommand {
    CloseWindow,
    MinimizeWindow,
    SwitchWindows,
    StartMenu,
    SystemProperties,
    VolumeUp,
    VolumeDown,
    LogOff,
    Restart,
    Shutdown,
    Sleep,
    Hibernate,
    Mute,
    ScreenOff,
};
struct SystemAction {
    const char* name;
    SystemCommand command;
};
inline constexpr SystemAction kSystemActions[] = {
    {"Close the current windows", SystemCommand::CloseWindow},
    {"Minimize the current windows", SystemCommand::MinimizeWindow},
    {"Switch open windows (Alt+Tab)", SystemCommand::SwitchWindows},
    {"Open Start Menu", SystemCommand::StartMenu},
    {"Open System properties dialog", SystemCommand::SystemProperties},
    {"Volume UP", SystemCommand::VolumeUp},
    {"Volume Down", SystemCommand::VolumeDown},
    {"Log off windows", SystemCommand::LogOff},
    {"Restart windows", SystemCommand::Restart},
    {"Shutdown windows", SystemCommand::Shutdown},
    {"Sleep", SystemCommand::Sleep},
    {"Hibernate", SystemCommand::Hibernate},
    {"Mute", SystemCommand::Mute},
    {"Turn off the screen", SystemCommand::ScreenOff},
};

// A key combination, which a window of a program that runs above this one never receives.
constexpr bool SendsKeys(SystemCommand command) {
    using enum SystemCommand;
    return command == CloseWindow || command == SwitchWindows || command == StartMenu ||
           command == SystemProperties;
}

// It ends the session or puts the computer to sleep, after the countdown.
constexpr bool PowersDown(SystemCommand command) {
    using enum SystemCommand;
    return command == LogOff || command == Restart || command == Shutdown || command == Sleep ||
           command == Hibernate;
}

// Nothing for a name no action has (a binding from another version does nothing).
const MouseAction* FindMouseAction(std::string_view name);
const SystemAction* FindSystemAction(std::string_view name);

// The names in the order the dialog offers them.
std::vector<std::string> MouseActionNames();
std::vector<std::string> SystemActionNames();

}  // namespace bw
