// Saving every row in the order earlier installations wrote them, and loading what can be trusted.
#include "actions/list_persistence.h"

#include <cstdint>
#include <optional>

#include "platform/decimal_text.h"
#include "platform/failure.h"

namespace bw {

std::string ListPersistence::Read(const std::string& key, const std::string& fallback) const {
    return store_.Read(kSettingsApplication, kSettingsSection, key, fallback);
}

void ListPersistence::Write(const std::string& key, const std::string& value) {
    store_.Write(kSettingsApplication, kSettingsSection, key, value);
}

void ListPersistence::SaveList() {
    try {
        const std::size_t n = list_.Count();
        for (std::size_t i = 1; i <= n; ++i) {
            const ActionRow& row = list_.Row(i);
            const std::string number = std::to_string(i);
            Write("RemoteKey" + number, row.RemKey);
            Write("ActionType" + number, std::to_string(static_cast<int>(row.type)));
            Write("ActionName" + number, row.KeyName);
            Write("KeyCode" + number, row.KeyCode);
            Write("KeyShift" + number, row.KeyShift);
            Write("KeyType" + number, row.KeyType);
            // Written for every row, so that no value of a longer list saved before stays
            // behind under a row that has none.
            Write("Program" + number, row.Program);
            Write("Remote" + number, row.Remote);
        }
        Write("#ListCount", std::to_string(n));
    } catch (const Failure& failure) {
        log_.Write(LogKind::Error, "The action list could not be saved: " + failure.Description());
        throw;
    }
}

void ListPersistence::LoadList() {
    const std::string countText = Read("#ListCount", "0");
    const std::optional<std::int16_t> count = ParseInt16(countText);
    if (!count) {
        log_.Write(LogKind::Error, "The saved action list cannot be read: its count is \"" +
                                       countText + "\". Nothing was loaded.");
        return;
    }
    for (int i = 1; i <= *count; ++i) {
        const std::string number = std::to_string(i);
        const std::optional<std::int16_t> type = ParseInt16(Read("ActionType" + number));
        const std::string button = Read("RemoteKey" + number);
        const std::string name = Read("ActionName" + number);
        // Lists saved before rows had these load as rows for any program and any remote.
        const RowPlacement placement{Read("Program" + number), Read("Remote" + number)};
        switch (static_cast<ActionType>(type.value_or(0))) {
            case ActionType::Keyboard: {
                const std::string keyType = Read("KeyType" + number);
                const std::string keyCode = Read("KeyCode" + number);
                const std::string keyShift = Read("KeyShift" + number);
                list_.AddKey(keyType, button, name, keyCode, keyShift, placement);
                break;
            }
            case ActionType::Mouse:
                list_.AddMouse(button, name, placement);
                break;
            case ActionType::System:
                list_.AddSys(button, name, placement);
                break;
            case ActionType::Run:
                list_.AddRun(button, name, placement);
                break;
            default:
                break;  // an unknown type skips its row only
        }
    }
}

}  // namespace bw
