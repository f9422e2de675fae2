// The line a press shows, built from what the pass tells, and when it goes.
#include "ui/press_display.h"

#include <algorithm>
#include <utility>

#include "actions/action_catalogue.h"
#include "actions/list_persistence.h"
#include "emulation/exit_countdown.h"
#include "platform/failure.h"

namespace bw {

namespace {

std::string ProgramName(const std::string& program) {
    return program.empty() ? "the program in front" : program;
}

}  // namespace

std::string RowPart(const ActionRow& row, const ProgramInFront& front) {
    const std::string when = WhenSuffix(row.when);
    if (front.reach == InputReach::Dropped)
        return "Keys cannot reach " + ProgramName(front.program) + " (administrator)";
    if (front.reach == InputReach::Unknown)
        return "Keys may not reach " + ProgramName(front.program) + " (other rights)";
    switch (row.type) {
        case ActionType::Keyboard: {
            const std::string keys =
                row.stroke.kind == kTextToType ? "\"" + row.value + "\"" : row.value;
            return keys + when + (front.program.empty() ? "" : " → " + front.program);
        }
        case ActionType::Mouse:
            return row.value + when;
        case ActionType::System:
            if (const SystemAction* action = FindSystemAction(row.value);
                action && PowersDown(action->command))
                return row.value + " in " + std::to_string(kCountdownSeconds) + " s";
            return row.value + when;
        case ActionType::Run:
            return "Run " + RunItemName(row.value);
    }
    return row.value;
}

PressDisplay::PressDisplay(PressView& view, Timer& hideTimer, Clock& clock,
                           SettingsStore& settings, EventLogWriter& log)
    : view_(view), hideTimer_(hideTimer), clock_(clock), settings_(settings), log_(log) {
    // Whatever else an older or a hand-made value says, the display stays on.
    enabled_ =
        settings_.Read(kSettingsApplication, kOptionsSection, kShowPressesValue, "1") != "0";
    hideTimer_.SetInterval(kPressShownMs);
    hideTimer_.SetEnabled(false);
    hideTimer_.SetTickHandler([this] { HideTick(); });
}

PressDisplay::~PressDisplay() {
    hideTimer_.SetTickHandler(nullptr);
}

void PressDisplay::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (!enabled) Hide();
    try {
        settings_.Write(kSettingsApplication, kOptionsSection, kShowPressesValue,
                        enabled ? "1" : "0");
    } catch (const Failure& failure) {
        log_.Write(LogKind::Error,
                   "The choice to show presses could not be saved: " + failure.Description());
    }
}

void PressDisplay::Line(const std::string& button, bool first) {
    // Taken even while nothing shows: the press may end after an unlock.
    if (first || button != button_) Begin(button);
    lastLineAt_ = clock_.Now();
    if (MayShow()) Show();
}

void PressDisplay::Ran(const ActionRow& row, const ProgramInFront& front) {
    Tell(row, RowPart(row, front),
         front.reach == InputReach::Arrives ? Told::KeepTold : Told::Replace);
}

void PressDisplay::VolumeSet(int percent) {
    volume_ = percent;
    Retell("Volume " + std::to_string(percent) + " %");
}

void PressDisplay::MuteSet(bool muted) {
    Retell(muted ? "Muted" : "Sound on");
}

void PressDisplay::NotDone(const std::string& what) {
    Retell(what);
}

void PressDisplay::Failed() {
    if (lastTold_ < parts_.size())
        Retell((parts_[lastTold_].row ? parts_[lastTold_].row->value : parts_[lastTold_].text) +
               " failed");
}

void PressDisplay::Retell(const std::string& text) {
    if (!MayShow() || lastTold_ >= parts_.size()) return;
    parts_[lastTold_].text = text;
    Show();
}

void PressDisplay::NotRun(const ActionRow& row) {
    Tell(row, row.value + " was not run", Told::Replace);
}

void PressDisplay::NothingBound(const std::string& program) {
    Tell(std::nullopt, program.empty() ? "nothing bound" : "nothing bound for " + program,
         Told::Replace);
}

void PressDisplay::CountdownCancelled() {
    Tell(std::nullopt, "countdown cancelled", Told::Replace);
}

void PressDisplay::TooShort() {
    Tell(std::nullopt, "hold it for its long press", Told::Replace);
}

void PressDisplay::Tell(const std::optional<ActionRow>& row, const std::string& text,
                        Told told) {
    if (!MayShow()) return;
    // A pass that goes on after a modal loop (the countdown) tells of its own button.
    if (row && row->button != button_) Begin(row->button);
    const auto part = row ? std::ranges::find(parts_, row, &Part::row) : parts_.end();
    lastTold_ = static_cast<std::size_t>(part - parts_.begin());
    if (part == parts_.end())
        parts_.push_back({row, text});
    else if (told == Told::Replace)
        part->text = text;
    Show();
}

void PressDisplay::StepDone() {
    if (!std::exchange(changed_, false) || !MayShow()) return;
    std::string line = button_;
    for (std::size_t i = 0; i < parts_.size() && i < kMostPartsShown; ++i)
        line += (i == 0 ? " · " : ", ") + parts_[i].text;
    if (parts_.size() > kMostPartsShown) line += " …";
    view_.Show(line, volume_);
    // Whatever shows goes, also a row told after the hide (a pass that went on once the
    // countdown closed).
    if (!hideTimer_.Enabled()) ArmHide(kPressShownMs);
}

void PressDisplay::HideTick() {
    const Millis since = clock_.Now() - lastLineAt_;
    if (since >= kPressShownMs)
        Hide();
    else
        ArmHide(kPressShownMs - since);
}

void PressDisplay::ArmHide(Millis in) {
    hideTimer_.SetEnabled(false);
    hideTimer_.SetInterval(static_cast<int>(in));
    hideTimer_.SetEnabled(true);
}

void PressDisplay::Begin(const std::string& button) {
    button_ = button;
    parts_.clear();
    lastTold_ = 0;
    volume_.reset();
}

void PressDisplay::Hide() {
    changed_ = false;
    hideTimer_.SetEnabled(false);
    view_.Hide();
}

}  // namespace bw
