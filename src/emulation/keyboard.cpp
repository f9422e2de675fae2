// Key strokes with their modifiers, typed texts, key names and the key table.
#include "emulation/keyboard.h"

#include <array>

#include "platform/failure.h"
#include "platform/plain_text.h"

namespace bw {

namespace {

constexpr std::uint8_t kVkShift = 16, kVkCtrl = 17, kVkAlt = 18, kVkLeftWindows = 91;

// The modifier keys of a mask, in the order they go down and, the same order, up.
std::vector<std::uint8_t> ModifierKeys(std::int32_t mask) {
    if (mask == kWindowsKey) return {kVkLeftWindows};
    if (mask < 1 || mask > 7) return {};
    std::vector<std::uint8_t> keys;
    if (mask & kShiftMask) keys.push_back(kVkShift);
    if (mask & kCtrlMask) keys.push_back(kVkCtrl);
    if (mask & kAltMask) keys.push_back(kVkAlt);
    return keys;
}

std::string ModifierPrefix(std::int32_t mask) {
    if (mask < 1 || mask > 7) return {};
    std::string prefix;
    if (mask & kShiftMask) prefix += "Shift + ";
    if (mask & kCtrlMask) prefix += "Ctrl + ";
    if (mask & kAltMask) prefix += "Alt + ";
    return prefix;
}

}  // namespace

void Keyboard::SendModifierKeys(std::int32_t Shift, KeyDirection Flags) {
    for (std::uint8_t key : ModifierKeys(Shift)) input_.SendKey(key, Flags);
}

void Keyboard::PressKey(std::uint8_t KeyCode, std::int32_t Shift) {
    SendModifierKeys(Shift, KeyDirection::Down);
    if (KeyCode != 0) {
        input_.SendKey(KeyCode, KeyDirection::Down);
        input_.SendKey(KeyCode, KeyDirection::Up);
    }
    SendModifierKeys(Shift, KeyDirection::Up);
}

void Keyboard::SimulateKeyboard(const std::string& Text, std::uint8_t KeyCode,
                                std::uint8_t KeyShift, std::int16_t KeyType) {
    switch (KeyType) {
        case kPredefinedKey:
            PressKey(KeyCode, 0);
            break;
        case kKeyWithModifiers:
            PressKey(KeyCode, KeyShift);
            break;
        case kTextToType: {
            // As characters, not as keys: a key stands for another character on another
            // layout (1 is & on French keyboards), and Caps Lock turns a letter's case. A
            // control character (a list from elsewhere may hold one) would be no character.
            std::u16string units = Utf16Units(Text);
            std::erase_if(units, [](char16_t c) { return c < u' ' || (c >= 0x7F && c < 0xA0); });
            if (!units.empty()) input_.SendCharacters(units);
            break;
        }
        default:
            break;
    }
}

std::string Keyboard::GetKeyName(std::int16_t KeyCode, std::int16_t Shift) const {
    const bool isModifier = KeyCode == kVkShift || KeyCode == kVkCtrl || KeyCode == kVkAlt;
    std::string name = isModifier ? std::string() : ModifierPrefix(Shift);
    for (const KeyMapEntry& entry : keyMap_) {
        if (entry.code == KeyCode) {
            name += entry.name;
            break;
        }
    }
    return name;
}

std::optional<std::int16_t> Keyboard::FindPredefinedKey(const std::string& Name) const {
    for (const KeyMapEntry& entry : keyMap_)
        if (SameIgnoringCase(entry.name, Name)) return entry.code;
    return std::nullopt;
}

void Keyboard::LoadKeyMap(ProgramFolder& folder, CodePage& ansi, EventLogWriter& log) {
    std::string path;
    try {
        path = FileInFolder(folder.Path(), kKeyMapFile);
        keyMap_ = ParseKeyMap(DecodeText(folder.ReadFile(path), ansi));
    } catch (const Failure& failure) {
        keyMap_.clear();
        std::string line = "The key table ";
        line += path.empty() ? kKeyMapFile : path;
        line += " could not be read: ";
        line += failure.Description();
        log.Write(LogKind::Error, line);
    }
}

}  // namespace bw
