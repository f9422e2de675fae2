// Writing rows in the order earlier installations wrote them, and loading what can be trusted.
#include "actions/list_persistence.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/decimal_text.h"
#include "platform/failure.h"

namespace bw {

namespace {

// A row as stored: the six older values, then the newer ones and the check that vouches
// for them.
struct StoredRow {
    OlderRowValues older;
    std::string program, remote, press, check, pressCheck;
};

// A failed save is said in the log, and the caller decides whether it also needs a box.
template <typename Body>
void SaveLoggingFailure(EventLogWriter& log, Body&& body) {
    try {
        body();
    } catch (const Failure& failure) {
        log.Write(LogKind::Error, "The action list could not be saved: " + failure.Description());
        throw;
    }
}

}  // namespace

std::string RowCheck(const OlderRowValues& values, const std::string& press) {
    // FNV-1a over each value with its length before it, so that no two different rows
    // run together into the same bytes.
    std::uint64_t hash = 14695981039346656037ull;
    auto add = [&hash](const std::string& bytes) {
        for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    };
    for (const std::string* value : {&values.button, &values.type, &values.name, &values.keyCode,
                                     &values.keyShift, &values.keyType}) {
        add(std::to_string(value->size()) + ":");
        add(*value);
    }
    if (!press.empty()) {
        add(std::to_string(press.size()) + ":");
        add(press);
    }
    std::string text(16, '0');
    for (std::size_t i = 16; i-- > 0; hash >>= 4) text[i] = "0123456789abcdef"[hash & 0xF];
    return text;
}

std::string ListPersistence::Read(const std::string& key) const {
    return store_.Read(kSettingsApplication, kSettingsSection, key, "");
}

void ListPersistence::Write(const std::string& key, const std::string& value) {
    store_.Write(kSettingsApplication, kSettingsSection, key, value);
}

void ListPersistence::WriteRow(std::size_t position) {
    const ActionRow& row = list_.Row(position);
    const OlderRowValues older{row.button,   std::to_string(static_cast<int>(row.type)),
                               row.value,  row.keyCode,
                               row.keyShift, row.keyType};
    const std::string n = std::to_string(position);
    Write("RemoteKey" + n, older.button);
    Write("ActionType" + n, older.type);
    Write("ActionName" + n, older.name);
    Write("KeyCode" + n, older.keyCode);
    Write("KeyShift" + n, older.keyShift);
    Write("KeyType" + n, older.keyType);
    // Written for every row, so that no value of a longer list saved before stays behind
    // under a row that has none; the check last, once the values it vouches for are there.
    Write("Program" + n, row.program);
    Write("Remote" + n, row.remote);
    const std::string press = StoredWhen(row.when);
    Write("Press" + n, press);
    // The installation before press values reads Check as the six values' alone.
    Write("Check" + n, RowCheck(older));
    Write("PressCheck" + n, RowCheck(older, press));
}

void ListPersistence::WriteCount() {
    Write("#ListCount", std::to_string(list_.Count()));
    storedCount_ = list_.Count();
}

void ListPersistence::SaveList() {
    SaveLoggingFailure(log_, [&] {
        storeHoldsList_ = false;
        for (std::size_t i = 1; i <= list_.Count(); ++i) WriteRow(i);
        WriteCount();
        storeHoldsList_ = true;
    });
}

void ListPersistence::SaveRows(std::size_t first, std::size_t last) {
    if (!storeHoldsList_) return SaveList();
    SaveLoggingFailure(log_, [&] {
        storeHoldsList_ = false;
        for (std::size_t i = first; i <= last; ++i) WriteRow(i);
        if (list_.Count() != storedCount_) WriteCount();
        storeHoldsList_ = true;
    });
}

void ListPersistence::LoadList() {
    const std::string countText =
        store_.Read(kSettingsApplication, kSettingsSection, "#ListCount", "0");
    const std::optional<std::int16_t> count = ParseInt16(countText);
    if (!count) {
        log_.Write(LogKind::Error, "The saved action list cannot be read: its count is \"" +
                                       countText + "\". Nothing was loaded.");
        return;
    }
    const std::size_t countBefore = list_.Count();
    std::vector<StoredRow> rows;
    bool anyChecked = false, allChecked = true;
    for (int i = 1; i <= *count; ++i) {
        const std::string n = std::to_string(i);
        StoredRow& row = rows.emplace_back();
        row.older = {Read("RemoteKey" + n), Read("ActionType" + n), Read("ActionName" + n),
                     Read("KeyCode" + n),   Read("KeyShift" + n),   Read("KeyType" + n)};
        row.program = Read("Program" + n);
        row.remote = Read("Remote" + n);
        row.press = Read("Press" + n);
        row.check = Read("Check" + n);
        row.pressCheck = Read("PressCheck" + n);
        anyChecked = anyChecked || !row.check.empty();
    }
    for (const StoredRow& row : rows) {
        // A row without a check in a list that has checks was saved by an earlier
        // installation past the end of the list this one saved; one with a check that does
        // not match, rewritten by one (the version before this one also writes Program and
        // Remote, but no check: its rewritten row loses them too, as there is no telling).
        const bool checked = row.check == RowCheck(row.older);
        // A press value left behind under a row the installation before rewrote: that one
        // writes Check, not PressCheck.
        const bool pressChecked = row.pressCheck == RowCheck(row.older, row.press);
        allChecked = allChecked && checked && pressChecked;
        const bool own = row.check.empty() ? !anyChecked : checked;
        // Lists saved before rows had these load as rows for any program and any remote.
        RowPlacement placement = own ? RowPlacement{row.program, row.remote} : RowPlacement{};
        if (pressChecked) placement.when = ReadWhen(row.press);
        const OlderRowValues& v = row.older;
        switch (static_cast<ActionType>(ParseInt16(v.type).value_or(0))) {
            case ActionType::Keyboard:
                list_.AddKey(v.keyType, v.button, v.name, v.keyCode, v.keyShift, placement);
                break;
            case ActionType::Mouse:
                list_.AddMouse(v.button, v.name, placement);
                break;
            case ActionType::System:
                list_.AddSys(v.button, v.name, placement);
                break;
            case ActionType::Run:
                list_.AddRun(v.button, v.name, placement);
                break;
            default:
                break;  // an unknown type skips its row only
        }
    }
    storedCount_ = rows.size();
    // A list with rows that have no matching check is saved whole at its first change: a
    // move that wrote checks on two rows of a list without any would take every other
    // row's program at the next start.
    storeHoldsList_ = countBefore == 0 && list_.Count() == rows.size() && allChecked;
}

}  // namespace bw
