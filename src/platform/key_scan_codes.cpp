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
    switch (vk) {
        case 0x7C:
            return 0x64;  // F13
        case 0x7D:
            return 0x65;  // F14
        case 0x7E:
            return 0x66;  // F15
        case 0x7F:
            return 0x67;  // F16
        case 0x80:
            return 0x68;  // F17
        case 0x81:
            return 0x69;  // F18
        case 0x82:
            return 0x6A;  // F19
        case 0x83:
            return 0x6B;  // F20
        case 0x84:
            return 0x6C;  // F21
        case 0x85:
            return 0x6D;  // F22
        case 0x86:
            return 0x6E;  // F23
        case 0x87:
            return 0x76;  // F24
        case 0xA6:
            return 0x6A;  // Browser Back
        case 0xA7:
            return 0x69;  // Browser Forward
        case 0xA8:
            return 0x67;  // Browser Refresh
        case 0xA9:
            return 0x68;  // Browser Stop
        case 0xAA:
            return 0x65;  // Browser Search
        case 0xAB:
            return 0x66;  // Browser Favorites
        case 0xAC:
            return 0x32;  // Browser Home
        case 0xAD:
            return 0x20;  // Volume Mute
        case 0xAE:
            return 0x2E;  // Volume Down
        case 0xAF:
            return 0x30;  // Volume Up
        case 0xB0:
            return 0x19;  // Next Track
        case 0xB1:
            return 0x10;  // Previous Track
        case 0xB2:
            return 0x24;  // Stop
        case 0xB3:
            return 0x22;  // Play/Pause
        case 0xB4:
            return 0x6C;  // Mail
        case 0xB5:
            return 0x6D;  // Media Select
        case 0xB6:
            return 0x6B;  // Launch App 1
        case 0xB7:
            return 0x21;  // Launch App 2
        default:
            return 0;
    }
}

}  // namespace bw
