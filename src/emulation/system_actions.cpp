// The system actions, the volume arithmetic and the exit actions' countdown.
#include "emulation/system_actions.h"

#include "actions/action_catalogue.h"
#include "platform/failure.h"

namespace bw {

namespace {

constexpr std::uint8_t kVkTab = 9, kVkPause = 19, kVkF4 = 115;
constexpr std::int32_t kMaxLevel = 65535;

}  // namespace

std::int32_t SystemActions::ChangeVolume(std::int16_t step) {
    const std::unique_ptr<AudioOutput> output = volume_.DefaultOutput();
    // A step from a level that could not be read would be a step from silence: a press of
    // Volume Up on a loud device would all but mute it.
    const std::optional<std::uint32_t> current = output->Level();
    if (!current) throw Failure("its level could not be read.");
    std::int32_t level = static_cast<std::int32_t>(*current) + step;
    if (level <= 1) level = 0;
    if (level >= kMaxLevel - 1) level = kMaxLevel;
    output->SetLevel(static_cast<std::uint32_t>(level));
    // A step is meant to be heard.
    if (output->Muted().value_or(false)) output->SetMuted(false);
    return level;
}

void SystemActions::ToggleMute() {
    try {
        const std::unique_ptr<AudioOutput> output = volume_.DefaultOutput();
        // A mute that cannot be read would always turn into "Muted".
        const std::optional<bool> muted = output->Muted();
        if (!muted) throw Failure("the device does not say whether it is muted.");
        const bool mute = !*muted;
        output->SetMuted(mute);
        log_.LogChange(mute ? "Muted" : "Sound on");
        outcome_->MuteSet(mute);
    } catch (const Failure& failure) {
        log_.Write(LogKind::Error, "The sound could not be muted or turned on: " +
                                       failure.Description());
        outcome_->NotDone("Mute not changed");
    }
}

bool SystemActions::Run(const std::string& name, std::int16_t repeat) {
    const SystemAction* action = FindSystemAction(name);
    if (!action) {
        // A name of no action is still said, as every action's first press is.
        if (repeat < 1) log_.LogChange(name);
        return true;
    }
    const bool up = action->command == SystemCommand::VolumeUp;
    if ((up || action->command == SystemCommand::VolumeDown) && (repeat < 1 || repeat > 5)) {
        try {
            const std::int32_t level = ChangeVolume(up ? kVolumeStep : -kVolumeStep);
            const auto percent = static_cast<int>(static_cast<double>(level) / kMaxLevel * 100);
            log_.LogChange("Volume set to: " + std::to_string(percent) + "%");
            outcome_->VolumeSet(percent);
        } catch (const Failure& failure) {
            // Said as it is: a volume line after a refused step would claim what did not happen.
            log_.Write(LogKind::Error, "The volume could not be set: " + failure.Description());
            outcome_->NotDone("Volume not set");
        }
    }
    if (repeat >= 1) return true;

    log_.LogChange(name);
    // Alt+F4 and Alt+Tab: what closing and switching windows are on Windows.
    switch (action->command) {
        case SystemCommand::CloseWindow:
            keyboard_.PressKey(kVkF4, kAltMask);
            return true;
        case SystemCommand::MinimizeWindow:
            windows_.MinimizeForegroundWindow();
            return true;
        case SystemCommand::SwitchWindows:
            keyboard_.PressKey(kVkTab, kAltMask);
            return true;
        case SystemCommand::StartMenu:
            keyboard_.PressKey(0, kWindowsKey);
            return true;
        case SystemCommand::SystemProperties:
            keyboard_.PressKey(kVkPause, kWindowsKey);
            return true;
        case SystemCommand::LogOff:
            return countdown_.Show(kLogOffExit);
        case SystemCommand::Restart:
            return countdown_.Show(kRestartExit);
        case SystemCommand::Shutdown:
            return countdown_.Show(kShutdownExit);
        case SystemCommand::Sleep:
            return countdown_.Show(kSleepExit);
        case SystemCommand::Hibernate:
            return countdown_.Show(kHibernateExit);
        case SystemCommand::Mute:
            ToggleMute();
            return true;
        case SystemCommand::ScreenOff:
            windows_.TurnOffScreen();
            return true;
        case SystemCommand::VolumeUp:
        case SystemCommand::VolumeDown:
            return true;
    }
    return true;
}

}  // namespace bw
