// The action list as a Registry Editor file: exported with exactly the values the settings
// store holds for it, so that opening the file in the Registry Editor restores the list, and
// imported by reading those values back the way the store's loading does.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "actions/action_list.h"
#include "platform/code_page.h"

namespace bw {

// The list's key under HKEY_CURRENT_USER; an import also takes it as HKCU\..., any case.
std::string BindingsKeyPath();

enum class ImportProblem {
    TooLarge,          // more than kMaxRegFileBytes
    NotRegFile,        // the first line is no Registry Editor header
    Malformed,         // a line the Registry Editor would not take
    NoBindings,        // no [BindingsKeyPath()] key
    NotText,           // a value the list is read from is of another type than REG_SZ
    NoCount,           // "#ListCount" missing, or no whole number of rows
    TooManyRows,       // a count above ActionList::kMaxRows
    RowWithoutButton,  // a row up to the count without its "RemoteKey<n>", or with it empty
};

struct ImportFault {
    ImportProblem problem;
    std::size_t line;        // 1-based; 1 for the file as a whole
    std::string value = {};  // the value's name where one is at fault: "RemoteKey3"
    bool operator==(const ImportFault&) const = default;
};

// What a message box says of the fault, with its line.
std::string ImportFaultText(const ImportFault& fault);

struct ImportedBindings {
    std::optional<ImportFault> fault;  // the earliest in the file; then nothing is imported
    std::size_t rowsInFile = 0;        // what the count says
    // The rows as the list would load them from the store: a row's program and remote only
    // where its check vouches for them, its press value where its press check does.
    std::vector<ActionRow> rows;
    // Rows the list cannot hold: of an unknown action type, or to run nothing. They are not
    // in rows, so the caller may offer to import the rest.
    std::size_t leftOut = 0;
    std::size_t firstLeftOutLine = 0;
};

// The file's bytes: version 5, UTF-16 with a byte order mark.
std::string ExportBindings(const ActionList& list);

// Only the values under the list's key count; other keys are never read, and deletions in
// the file only take back what the file itself set before them. Safe on any bytes.
ImportedBindings ImportBindings(std::string_view bytes, CodePage& ansi);

}  // namespace bw
