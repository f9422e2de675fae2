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

bool Keyboard::SendKey(std::uint8_t key, KeyDirection direction) {
    if (input_.SendKey(key, direction) || input_.SendKey(key, direction)) return true;
    std::string name = KeyName(key, 0);
    if (name.empty()) name = "number " + std::to_string(key);
    log_.Write(LogKind::Error, "The key " + name + " could not be sent " +
                                   (direction == KeyDirection::Down ? "down" : "up") +
                                   ": Windows did not take it.");
    return false;
}

std::vector<std::uint8_t> Keyboard::KeysDown(const KeyStroke& stroke) {
    std::vector<std::uint8_t> keys;
    if (stroke.kind == kKeyWithModifiers) keys = ModifierKeys(stroke.modifiers);
    if (stroke.key != 0) keys.push_back(stroke.key);
    return keys;
}

void Keyboard::SendModifierKeys(std::int32_t modifiers, KeyDirection direction) {
    for (std::uint8_t key : ModifierKeys(modifiers)) SendKey(key, direction);
}

void Keyboard::PressKey(std::uint8_t key, std::int32_t modifiers) {
    SendModifierKeys(modifiers, KeyDirection::Down);
    if (key != 0) {
        SendKey(key, KeyDirection::Down);
        SendKey(key, KeyDirection::Up);
    }
    SendModifierKeys(modifiers, KeyDirection::Up);
}

void Keyboard::Run(const std::string& value, const KeyStroke& stroke) {
    switch (stroke.kind) {
        case kPredefinedKey:
            PressKey(stroke.key, 0);
            break;
        case kKeyWithModifiers:
            PressKey(stroke.key, stroke.modifiers);
            break;
        case kTextToType: {
            // As characters, not as keys: a key stands for another character on another
            // layout (1 is & on French keyboards), and Caps Lock turns a letter's case. A
            // control character (a list from elsewhere may hold one) would be no character.
            std::u16string units = Utf16Units(value);
            std::erase_if(units, [](char16_t c) { return c < u' ' || (c >= 0x7F && c < 0xA0); });
            if (!units.empty()) input_.SendCharacters(units);
            break;
        }
        default:
            break;
    }
}

std::string Keyboard::KeyName(std::int16_t key, std::int16_t modifiers) const {
    const bool isModifier = key == kVkShift || key == kVkCtrl || key == kVkAlt;
    std::string name = isModifier ? std::string() : ModifierPrefix(modifiers);
    for (const KeyMapEntry& entry : keyMap_) {
        if (entry.code == key) {
            name += entry.name;
            break;
        }
    }
    return name;
}

std::optional<std::int16_t> Keyboard::FindPredefinedKey(const std::string& name) const {
    for (const KeyMapEntry& entry : keyMap_)
        if (SameIgnoringCase(entry.name, name)) return entry.code;
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
