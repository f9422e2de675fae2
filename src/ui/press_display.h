// What the person at the remote sees of each press, on the screen in front: the button and
// what it did in one line ("VOL+ · Volume 45 %", "PLAY · Space → player.exe"), or why it did
// nothing, until a moment after the press's last line. The notes are taken on the path of
// the press; the view draws them afterwards.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "emulation/press_outcome.h"
#include "platform/clock.h"
#include "platform/event_log_writer.h"
#include "platform/settings_store.h"
#include "platform/timer.h"

namespace bw {

inline constexpr int kPressShownMs = 1500;                       // after the press's last line
inline constexpr const char* kShowPressesValue = "ShowPresses";  // "0" or "1", under Settings
// At most this many rows' parts in the line; more end in "…".
inline constexpr std::size_t kMostPartsShown = 3;

// The window that shows the line. Cheap to call: it draws once the pass is over.
class PressView {
  public:
    virtual ~PressView() = default;
    // volumePercent: a bar under the line, after a volume step.
    virtual void Show(const std::string& line, std::optional<int> volumePercent) = 0;
    virtual void Hide() = 0;
};

class PressDisplay final : public PressOutcome {
  public:
    // On unless the settings say "0".
    PressDisplay(PressView& view, Timer& hideTimer, Clock& clock, SettingsStore& settings,
                 EventLogWriter& log);
    ~PressDisplay() override;
    PressDisplay(const PressDisplay&) = delete;
    PressDisplay& operator=(const PressDisplay&) = delete;

    bool Enabled() const { return enabled_; }
    // Saved at once; a store that refuses is said in the log, and the choice holds until
    // the program ends.
    void SetEnabled(bool enabled);
    // Nothing shows under a locked screen, nor while the computer sleeps; a wake does not
    // end a lock.
    void SetLocked(bool locked) {
        locked_ = locked;
        if (locked) Hide();
    }
    void SetAsleep(bool asleep) {
        asleep_ = asleep;
        if (asleep) Hide();
    }

    void Line(const std::string& button, bool first) override;
    void Ran(const ActionRow& row, const ProgramInFront& front) override;
    void VolumeSet(int percent) override;
    void MuteSet(bool muted) override;
    void NotDone(const std::string& what) override;
    void Failed() override;
    void TooShort() override;
    void StepDone() override;
    void NotRun(const ActionRow& row) override;
    void NothingBound(const std::string& program) override;
    void CountdownCancelled() override;

  private:
    struct Part {
        std::optional<ActionRow> row;  // the row it tells of; none for what no row did
        std::string text;
    };
    bool MayShow() const { return enabled_ && !locked_ && !asleep_; }
    // Whether a row's part, told again, keeps what its action said (the level of a volume
    // step) or takes the new text.
    enum class Told { KeepTold, Replace };
    // The row's part, said again at a later line of the press, keeps its place.
    void Tell(const std::optional<ActionRow>& row, const std::string& text, Told told);
    // A new press's line, empty.
    void Begin(const std::string& button);
    // What the last row told its action did, in place of its part.
    void Retell(const std::string& text);
    void Hide();
    // The hide's tick: the line goes once its press's last line is kPressShownMs old; a
    // line that came since moves the tick on, so that a held button or a flood does not
    // set the timer again at every line (each a round trip to the window system).
    void HideTick();
    void ArmHide(Millis in);
    // Taken note of, for the end of the step: nothing on the path of a press waits for
    // the window or a timer.
    void Show() { changed_ = true; }

    PressView& view_;
    Timer& hideTimer_;
    Clock& clock_;
    SettingsStore& settings_;
    EventLogWriter& log_;
    bool enabled_ = true, locked_ = false, asleep_ = false;
    bool changed_ = false;   // since the line was last shown
    Millis lastLineAt_ = 0;  // the hide is counted from it
    std::string button_;
    std::vector<Part> parts_;
    std::size_t lastTold_ = 0;  // the part an action's volume or mute is about
    std::optional<int> volume_;
};

// The part a row gives, before its action says more: "Space → player.exe", "Right (held)",
// "Sleep in 10 s", "Run notepad.exe", "Keys cannot reach player.exe (administrator)".
std::string RowPart(const ActionRow& row, const ProgramInFront& front);

}  // namespace bw
