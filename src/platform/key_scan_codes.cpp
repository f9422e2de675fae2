// Which keys are extended, and the scan codes of keys a layout may not name.
#include "platform/key_scan_codes.h"

namespace bw {

bool IsExtendedKey(std::uint8_t vk) {
    switch (vk) {
        case 0x03:  // Break (Ctrl + Pause)
        case 0x21:  // Page Up
        case 0x22:  // Page Down
        case 0x23:  // End
        case 0x24:  // Home
        case 0x25:  // Left
        case 0x26:  // Up
        case 0x27:  // Right
        case 0x28:  // Down
        case 0x2C:  // Print Screen
        case 0x2D:  // Insert
        case 0x2E:  // Delete
        case 0x5B:  // left Windows
        case 0x5C:  // right Windows
        case 0x5D:  // Applications
        case 0x5F:  // Sleep
        case 0x6F:  // keypad divide
        case 0x90:  // Num Lock
        case 0xA3:  // right Ctrl
        case 0xA5:  // right Alt
            return true;
        default:
            return vk >= 0xA6 && vk <= 0xB7;  // browser, volume, media and launch keys
    }
}

std::uint16_t FallbackScanCode(std::uint8_t vk) {
    // Scan code set 1, as the keyboard sends them; the E0 prefix is the extended flag.
    // F13 to F24 (0x7C to 0x87), then the browser, volume, media and launch keys (0xA6 to
    // 0xB7): Back, Forward, Refresh, Stop, Search, Favorites, Home, Mute, Volume Down and
    // Up, Next and Previous Track, Stop, Play/Pause, Mail, Media Select, Launch App 1 and 2.
    static constexpr std::uint8_t kFunctionKeys[] = {0x64, 0x65, 0x66, 0x67, 0x68, 0x69,
                                                     0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x76};
    static constexpr std::uint8_t kBrowserAndMediaKeys[] = {0x6A, 0x69, 0x67, 0x68, 0x65, 0x66,
                                                            0x32, 0x20, 0x2E, 0x30, 0x19, 0x10,
                                                            0x24, 0x22, 0x6C, 0x6D, 0x6B, 0x21};
    if (vk >= 0x7C && vk <= 0x87) return kFunctionKeys[vk - 0x7C];
    if (vk >= 0xA6 && vk <= 0xB7) return kBrowserAndMediaKeys[vk - 0xA6];
    return 0;
}

}  // namespace bw
