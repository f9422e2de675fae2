// Export and import, the questions between, and what is said of each outcome.
#include "ui/bindings_transfer.h"

#include "actions/bindings_file.h"
#include "platform/failure.h"
#include "platform/plain_text.h"
#include "platform/reg_file.h"
#include "platform/scoped_flag.h"

namespace bw {

namespace {

std::string Bindings(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " binding" : " bindings");
}

}  // namespace

CommandLineTransfer ParseCommandLine(const std::vector<std::string>& arguments) {
    const std::pair<const char*, TransferCommand> commands[] = {
        {"export", TransferCommand::Export},
        {"import", TransferCommand::Import},
        {"add", TransferCommand::Add}};
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view word = arguments[i];
        if (word.size() < 2 || (word[0] != '/' && word[0] != '-')) continue;
        for (const auto& [name, command] : commands)
            if (SameIgnoringCase(word.substr(1), name)) {
                // "/export /add" names no file: "/add" is no file to write.
                const bool named = i + 1 < arguments.size() &&
                                   ParseCommandLine({arguments[i + 1]}).command ==
                                       TransferCommand::None;
                return {command, named ? arguments[i + 1] : std::string()};
            }
    }
    return {};
}

TransferResult BindingsTransfer::Run(TransferCommand command, const std::string& path) {
    if (path.empty()) return TransferResult::Failed;
    switch (command) {
        case TransferCommand::Export:
            return Export(path, Mode::Replace);
        case TransferCommand::Import:
            return Import(path, Mode::Replace);
        case TransferCommand::Add:
            return Import(path, Mode::Add);
        case TransferCommand::None:
            break;
    }
    return TransferResult::Failed;
}

TransferResult BindingsTransfer::Fail(TransferResult result, Mode mode, const char* title,
                                      const std::string& text) {
    log_.Write(LogKind::Error, text);
    if (mode == Mode::Ask) boxes_.Show(text, title, kMbOk | kMbIconStop);
    return result;
}

TransferResult BindingsTransfer::Export(const std::string& path, Mode mode) {
    const std::string name(FileNameOf(path));
    const std::string bytes = ExportBindings(list_);
    try {
        files_.Write(path, bytes);
    } catch (const Failure& failure) {
        return Fail(TransferResult::Failed, mode, kExportTitle,
                    name + " could not be written: " + failure.Description());
    }
    log_.LogChange("Exported " + Bindings(list_.Count()) + " to " + name);
    if (bytes.size() > kMaxRegFileBytes)
        log_.Write(LogKind::Error, name + " is larger than 10 MB: Buttonwise cannot import it "
                                          "back, the Registry Editor can.");
    return TransferResult::Done;
}

TransferResult BindingsTransfer::Import(const std::string& path, Mode mode) {
    const std::string name(FileNameOf(path));
    if (busy_)
        return Fail(TransferResult::Failed, Mode::Replace, kImportTitle,
                    name + " was not imported: another import is waiting for an answer.");
    const ScopedFlag busy(busy_);
    ImportedBindings imported;
    try {
        const std::optional<std::string> bytes = files_.Read(path, kMaxRegFileBytes);
        if (bytes)
            imported = ImportBindings(*bytes, ansi_);
        else
            imported.fault = ImportFault{ImportProblem::TooLarge, 1};
    } catch (const Failure& failure) {
        return Fail(TransferResult::Failed, mode, kImportTitle,
                    name + " could not be read: " + failure.Description());
    }
    if (imported.fault)
        return Fail(TransferResult::Refused, mode, kImportTitle,
                    name + " was not imported. " + ImportFaultText(*imported.fault));
    // A file with nothing to import would only empty the list.
    if (imported.rows.empty())
        return Fail(TransferResult::Refused, mode, kImportTitle,
                    name + " was not imported: it holds no bindings this version can use.");
    if (imported.leftOut > 0) {
        const std::string unknown =
            name + ": " + Bindings(imported.leftOut) +
            " this version cannot use, of an action it does not know or with nothing to run "
            "(the first on line " +
            std::to_string(imported.firstLeftOutLine) + ").";
        if (mode != Mode::Ask)
            return Fail(TransferResult::Refused, mode, kImportTitle,
                        unknown + " Nothing was imported.");
        if (!boxes_.Choose(unknown + " Import the other " + Bindings(imported.rows.size()) + "?",
                           kImportTitle, {"&Import the rest"}))
            return TransferResult::Refused;
    }
    const Mode asked = mode;  // failures from here on still get their box
    if (mode == Mode::Ask) {
        const std::optional<std::size_t> choice =
            boxes_.Choose(name + " holds " + Bindings(imported.rows.size()) +
                              ". Replace the list with them, or add them to it?",
                          kImportTitle, {"&Replace the list", "&Add to the list"});
        if (!choice) return TransferResult::Refused;
        mode = *choice == 0 ? Mode::Replace : Mode::Add;
    }
    std::vector<ActionRow> rows = mode == Mode::Add ? list_.Rows() : std::vector<ActionRow>{};
    if (rows.size() + imported.rows.size() > ActionList::kMaxRows)
        return Fail(TransferResult::Refused, asked, kImportTitle,
                    name + " was not imported: the list would hold more than " +
                        std::to_string(ActionList::kMaxRows) + " bindings.");
    rows.insert(rows.end(), imported.rows.begin(), imported.rows.end());
    return Apply(std::move(rows), imported.rows.size(), asked, name);
}

TransferResult BindingsTransfer::Apply(std::vector<ActionRow> rows, std::size_t added, Mode asked,
                                       const std::string& name) {
    std::vector<ActionRow> before = list_.Rows();
    list_.Replace(std::move(rows));
    try {
        persistence_.SaveList();
    } catch (const Failure& failure) {
        // The list the user had, in memory and, as far as the store lets, stored again.
        list_.Replace(std::move(before));
        std::string stored = "The list is as it was.";
        try {
            persistence_.SaveList();
        } catch (const Failure&) {
            stored = "The list is as it was here; the saved one could not be put back and may "
                     "hold part of the import until the next change saves it whole.";
        }
        return Fail(TransferResult::Failed, asked, kImportTitle,
                    name + " was not imported: the list could not be saved (" +
                        failure.Description() + "). " + stored);
    }
    log_.LogChange("Imported " + Bindings(added) + " from " + name);
    return TransferResult::Done;
}

}  // namespace bw
