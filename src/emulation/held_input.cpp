// Holding and letting go, and the key repeat of a held key.
#include "emulation/held_input.h"

#include <utility>

#include "actions/action_catalogue.h"

namespace bw {

namespace {

constexpr std::uint32_t kMouseDownFlags = kMouseLeftDown | kMouseRightDown | kMouseMiddleDown;

}  // namespace

bool HeldInput::LetUp(const Down& held) {
    return held.key ? keyboard_.SendKey(held.key, KeyDirection::Up) : mouse_.Send(held.upFlags);
}

void HeldInput::Hold(const ActionRow& row) {
    if (!CanHold(row)) return;
    for (const Down& held : std::exchange(stuck_, {}))
        if (!LetUp(held)) stuck_.push_back(held);
    if (row.type == ActionType::Mouse) {
        const std::uint32_t flags = FindMouseAction(row.value)->buttonFlags;
        mouse_.Send(flags & kMouseDownFlags);
        down_.push_back({0, flags & ~kMouseDownFlags});
        return;
    }
    for (const std::uint8_t key : Keyboard::KeysDown(row.stroke)) {
        keyboard_.SendKey(key, KeyDirection::Down);
        down_.push_back({key, 0});
    }
    // The user's settings of the moment, as the keyboard itself would use them.
    repeat_ = keyRepeat_();
    nextRepeat_ = clock_.Now() + repeat_.delay;
    repeating_ = true;
}

void HeldInput::ReleaseAll() {
    // Taken out first, so that nothing can be let up twice.
    std::vector<Down> down = std::exchange(stuck_, {});
    for (auto held = down_.rbegin(); held != down_.rend(); ++held) down.push_back(*held);
    down_.clear();
    for (const Down& held : down)
        if (!LetUp(held)) stuck_.push_back(held);
}

std::optional<Millis> HeldInput::NextDeadline() const {
    // Only the key that went down last repeats, as on a keyboard; a mouse button never does.
    if (down_.empty() || down_.back().key == 0 || !repeating_) return std::nullopt;
    return nextRepeat_;
}

void HeldInput::OnTime() {
    const Millis now = clock_.Now();
    if (!NextDeadline() || now < nextRepeat_) return;
    // A key-down of a key that is down is what a real key's repeat is: the system marks it
    // as a repeat. A late tick sends one, not the ones it missed. A repeat the system does
    // not take (input blocked, a secure desktop in front) ends the repeats: one line in the
    // log, not thirty a second.
    repeating_ = keyboard_.SendKey(down_.back().key, KeyDirection::Down);
    nextRepeat_ += repeat_.period;
    if (nextRepeat_ <= now) nextRepeat_ = now + repeat_.period;
}

}  // namespace bw
