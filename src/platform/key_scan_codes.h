// What a key event needs beyond its virtual-key code. Programs that read scan codes (games,
// emulators) see nothing without one, and without the extended flag Windows takes an arrow
// or Home pressed with Shift for the numeric keypad's key and changes the Shift state.
#pragma once

#include <cstdint>

namespace bw {

// Keys of the enhanced keyboard that share a scan code with an older key and are told apart
// by the E0 prefix: navigation, Windows, menu and Sleep keys, right Ctrl and Alt, Num Lock,
// the keypad's divide, Print Screen, Break, and the browser and media keys.
bool IsExtendedKey(std::uint8_t virtualKey);

// The scan code of keys the keyboard layout may know no scan code for (F13 to F24, the
// browser and media keys); 0 for every other key, whose scan code the layout gives.
std::uint16_t FallbackScanCode(std::uint8_t virtualKey);

}  // namespace bw
