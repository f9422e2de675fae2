// The ten system actions, the volume arithmetic and the exit actions' countdown.
#include "emulation/system_actions.h"

#include "platform/failure.h"

namespace bw {

namespace {

constexpr std::uint8_t kVkTab = 9, kVkPause = 19, kVkF4 = 115;
constexpr std::int32_t kMaxLevel = 65535;

struct ExitAction {
    const char* name;
    std::int32_t type;
    const char* typeName;
};

constexpr ExitAction kExits[] = {
    {"Log off windows", kExitLogOff, "Log off"},
    {"Restart windows", kExitRestart, "Restart"},
    {"Shutdown windows", kExitShutdown, "Shutdown"},
};

}  // namespace

std::int32_t SystemActions::ChangeVolume(std::int16_t VolumeStep) {
    const std::unique_ptr<AudioOutput> output = volume_.DefaultOutput();
    const std::uint32_t current = output->Levels().value_or(0);  // no answer counts as silence
    std::int32_t level = static_cast<std::int32_t>(current & 0xFFFF) + VolumeStep;
    if (level <= 1) level = 0;
    if (level >= kMaxLevel - 1) level = kMaxLevel;
    const auto both = static_cast<std::uint32_t>(level);
    output->SetLevels(both << 16 | both);
    // A step is meant to be heard.
    if (output->Muted()) output->Unmute();
    return level;
}

void SystemActions::RunSys(const std::string& ActionSys, std::int16_t NumRpt) {
    const bool up = ActionSys == "Volume UP", down = ActionSys == "Volume Down";
    if ((up || down) && (NumRpt < 1 || NumRpt > 5)) {
        try {
            const std::int32_t level = ChangeVolume(up ? kVolumeStep : -kVolumeStep);
            const auto percent = static_cast<int>(static_cast<double>(level) / kMaxLevel * 100);
            log_.LogChange("Volume set to: " + std::to_string(percent) + "%");
        } catch (const Failure& failure) {
            // Said as it is: a volume line after a refused step would claim what did not happen.
            log_.Write(LogKind::Error, "The volume could not be set: " + failure.Description());
        }
    }
    if (NumRpt >= 1) return;

    log_.LogChange(ActionSys);
    // Alt+F4 and Alt+Tab: what closing and switching windows are on Windows.
    if (ActionSys == "Close the current windows") {
        keyboard_.PressKey(kVkF4, kAltMask);
    } else if (ActionSys == "Minimize the current windows") {
        MinimizeForegroundWindow();
    } else if (ActionSys == "Switch open windows (Alt+Tab)") {
        keyboard_.PressKey(kVkTab, kAltMask);
    } else if (ActionSys == "Open Start Menu") {
        keyboard_.PressKey(0, kWindowsKey);
    } else if (ActionSys == "Open System properties dialog") {
        keyboard_.PressKey(kVkPause, kWindowsKey);
    } else {
        for (const ExitAction& exit : kExits) {
            if (ActionSys != exit.name) continue;
            countdown_.ExitType = exit.type;
            countdown_.ExitTypeName = exit.typeName;
            countdown_.Show();
            break;
        }
    }
}

}  // namespace bw
