// Export and import go through ListPersistence on a store in memory, so that the file holds
// what the settings store would, and an import loads what starting with that store would.
#include "actions/bindings_file.h"

#include <algorithm>
#include <array>
#include <climits>
#include <map>
#include <utility>
#include <variant>

#include "actions/list_persistence.h"
#include "platform/decimal_text.h"
#include "platform/plain_text.h"
#include "platform/reg_file.h"
#include "platform/settings_store.h"

namespace bw {

namespace {

// Registry value and key names are the same in any letter case: compared in Capitals.
// The list's section only, which is all ListPersistence reads and writes; names in capitals.
class SectionInMemory final : public SettingsStore {
  public:
    std::vector<std::pair<std::string, std::string>> written;  // in order, for the export

    std::string Read(const std::string&, const std::string&, const std::string& key,
                     const std::string& fallback) override {
        const auto it = values_.find(Capitals(key));
        return it == values_.end() ? fallback : it->second;
    }
    void Write(const std::string&, const std::string&, const std::string& key,
               const std::string& value) override {
        written.emplace_back(key, value);
        values_[Capitals(key)] = value;
    }

  private:
    std::map<std::string, std::string> values_;
};

// The values of row n, in the order ListPersistence writes them.
constexpr std::array<const char*, 11> kRowValues{"RemoteKey", "ActionType", "ActionName", "KeyCode",
                                                 "KeyShift",  "KeyType",    "Program",    "Remote",
                                                 "Press",     "Check",      "PressCheck"};
constexpr std::size_t kButton = 0, kType = 1, kName = 2;
using RowValues = std::array<const RegValue*, kRowValues.size()>;

// The root as the Registry Editor and reg.exe both name it, and the rest in capitals.
std::string ComparablePath(std::string_view path) {
    std::string capitals = Capitals(path);
    if (capitals.starts_with("HKCU\\")) capitals.replace(0, 4, "HKEY_CURRENT_USER");
    return capitals;
}

// Row n's value for "RemoteKey12" and the like, as ListPersistence spells the number.
std::optional<std::pair<std::size_t, std::size_t>> RowValue(const std::string& capitals) {
    for (std::size_t field = 0; field < kRowValues.size(); ++field) {
        const std::string prefix = Capitals(kRowValues[field]);
        if (!capitals.starts_with(prefix)) continue;
        const std::string_view digits = std::string_view(capitals).substr(prefix.size());
        if (digits.empty() || digits.size() > 5 || digits[0] == '0' ||
            digits.find_first_not_of("0123456789") != std::string_view::npos)
            continue;
        return std::pair{field, static_cast<std::size_t>(std::stoi(std::string(digits)))};
    }
    return std::nullopt;
}

// The file's values under the list's key, by name in capitals, as importing the file into an
// empty key would leave them; nothing when the key is not there.
std::optional<std::map<std::string, const RegValue*>> ListValues(const RegFile& file,
                                                                 std::size_t& keyLine) {
    const std::string own = ComparablePath(BindingsKeyPath());
    std::optional<std::map<std::string, const RegValue*>> values;
    for (const RegKey& key : file.keys) {
        const std::string path = ComparablePath(key.path);
        if (key.deletion && values && (own == path || own.starts_with(path + "\\")))
            values->clear();
        if (key.deletion || path != own) continue;
        if (!values) {
            values.emplace();
            keyLine = key.line;
        }
        for (const RegValue& value : key.values) {
            if (value.kind == RegValueKind::Deletion)
                values->erase(Capitals(value.name));
            else
                (*values)[Capitals(value.name)] = &value;
        }
    }
    return values;
}

ImportProblem FromRegFile(RegFileProblem problem) {
    switch (problem) {
        case RegFileProblem::TooLarge:
            return ImportProblem::TooLarge;
        case RegFileProblem::NotRegFile:
            return ImportProblem::NotRegFile;
        case RegFileProblem::Malformed:
            break;
    }
    return ImportProblem::Malformed;
}

// The count, or the fault that stops the import there.
std::variant<std::size_t, ImportFault> ReadCount(const RegValue* count, std::size_t keyLine) {
    if (!count) return ImportFault{ImportProblem::NoCount, keyLine, "#ListCount"};
    if (count->kind != RegValueKind::Text)
        return ImportFault{ImportProblem::NotText, count->line, "#ListCount"};
    const std::optional<long long> rows = ParseWholeNumber(count->text, 0, LLONG_MAX);
    if (!rows) return ImportFault{ImportProblem::NoCount, count->line, "#ListCount"};
    if (*rows > static_cast<long long>(ActionList::kMaxRows))
        return ImportFault{ImportProblem::TooManyRows, count->line, "#ListCount"};
    return static_cast<std::size_t>(*rows);
}

// The earliest fault among the rows, which the user finds first reading the file.
std::optional<ImportFault> RowFault(const std::vector<RowValues>& rows, std::size_t countLine) {
    std::optional<ImportFault> first;
    auto consider = [&first](ImportFault fault) {
        if (!first || fault.line < first->line) first = std::move(fault);
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        std::size_t rowLine = countLine;  // a row with no value at all: the count claims it
        bool anyValue = false;
        for (std::size_t field = 0; field < kRowValues.size(); ++field) {
            const RegValue* value = rows[i][field];
            if (!value) continue;
            rowLine = anyValue ? std::min(rowLine, value->line) : value->line;
            anyValue = true;
            if (value->kind != RegValueKind::Text)
                consider({ImportProblem::NotText, value->line, kRowValues[field] + n});
        }
        const RegValue* button = rows[i][kButton];
        if (!button || (button->kind == RegValueKind::Text && button->text.empty()))
            consider({ImportProblem::RowWithoutButton, button ? button->line : rowLine,
                      kRowValues[kButton] + n});
    }
    return first;
}

const std::string& TextOf(const RegValue* value) {
    static const std::string none;
    return value ? value->text : none;
}

}  // namespace

std::string BindingsKeyPath() {
    return std::string("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\") +
           kSettingsApplication + "\\" + kSettingsSection;
}

std::string ImportFaultText(const ImportFault& fault) {
    const std::string line = "Line " + std::to_string(fault.line) + ": ";
    switch (fault.problem) {
        case ImportProblem::TooLarge:
            return "The file is larger than 10 MB, far more than any list of bindings.";
        case ImportProblem::NotRegFile:
            return "This is not a Registry Editor file: its first line is neither \"Windows "
                   "Registry Editor Version 5.00\" nor \"REGEDIT4\".";
        case ImportProblem::Malformed:
            return line + "this is no line of a Registry Editor file.";
        case ImportProblem::NoBindings:
            return "The file holds no Buttonwise bindings: it has no key [" + BindingsKeyPath() +
                   "].";
        case ImportProblem::NotText:
            return line + "\"" + fault.value + "\" is not text (REG_SZ).";
        case ImportProblem::NoCount:
            return line +
                   "the file does not say how many bindings it holds: \"#ListCount\" is "
                   "missing or no number.";
        case ImportProblem::TooManyRows:
            return line + "the file counts more bindings than the list can hold (at most " +
                   std::to_string(ActionList::kMaxRows) + ").";
        case ImportProblem::RowWithoutButton:
            return line + "a binding has no button: \"" + fault.value + "\" is missing or empty.";
    }
    return line;
}

std::string ExportBindings(const ActionList& list) {
    SectionInMemory store;
    DiscardingLog log;
    ActionList copy(list);  // saving reads the list only, but ListPersistence can also load
    ListPersistence(store, copy, log).SaveList();
    return WriteRegFile(BindingsKeyPath(), store.written);
}

ImportedBindings ImportBindings(std::string_view bytes, CodePage& ansi) {
    ImportedBindings imported;
    const RegFile file = ReadRegFile(bytes, ansi);
    if (file.fault) {
        imported.fault = ImportFault{FromRegFile(file.fault->problem), file.fault->line};
        return imported;
    }
    std::size_t keyLine = 1;
    const auto values = ListValues(file, keyLine);
    if (!values) {
        imported.fault = ImportFault{ImportProblem::NoBindings, 1};
        return imported;
    }
    const auto countEntry = values->find("#LISTCOUNT");
    const RegValue* count = countEntry == values->end() ? nullptr : countEntry->second;
    const auto counted = ReadCount(count, keyLine);
    if (const auto* fault = std::get_if<ImportFault>(&counted)) {
        imported.fault = *fault;
        return imported;
    }
    imported.rowsInFile = std::get<std::size_t>(counted);

    // Rows above the count stay unread, as the store's loading leaves them.
    std::vector<RowValues> rows(imported.rowsInFile, RowValues{});
    SectionInMemory store;
    for (const auto& [name, value] : *values) {
        if (value->kind == RegValueKind::Text) store.Write({}, {}, name, value->text);
        const auto row = RowValue(name);
        if (row && row->second >= 1 && row->second <= rows.size())
            rows[row->second - 1][row->first] = value;
    }
    if ((imported.fault = RowFault(rows, count->line))) return imported;

    for (const RowValues& row : rows) {
        const std::int16_t type = ParseInt16(TextOf(row[kType])).value_or(0);
        const bool known = type >= static_cast<int>(ActionType::Keyboard) &&
                           type <= static_cast<int>(ActionType::Run);
        const bool runsNothing =
            type == static_cast<int>(ActionType::Run) && TextOf(row[kName]).empty();
        if (known && !runsNothing) continue;
        if (imported.leftOut++ == 0)
            imported.firstLeftOutLine = (row[kType] ? row[kType] : row[kButton])->line;
    }
    DiscardingLog log;
    ActionList list(log);
    ListPersistence(store, list, log).LoadList();
    for (std::size_t i = 1; i <= list.Count(); ++i) imported.rows.push_back(list.Row(i));
    return imported;
}

}  // namespace bw
