// The action list to and from a bindings file, as the File menu and the command line ask for
// it: the export writes the whole list; the import builds the new list first, saves it in one
// pass and keeps the list the user had when anything goes wrong.
#pragma once

#include <string>
#include <vector>

#include "actions/action_list.h"
#include "actions/list_persistence.h"
#include "platform/code_page.h"
#include "platform/event_log_writer.h"
#include "platform/message_boxes.h"
#include "platform/user_files.h"

namespace bw {

// Also the exit codes of "Buttonwise.exe /export FILE", "/import FILE" and "/add FILE".
enum class TransferResult : int {
    Done = 0,
    Refused = 1,  // the file, or the user, said no; nothing changed
    Failed = 2,   // anything else: the list in memory is as it was
};

inline constexpr const char* kExportTitle = "Export bindings";
inline constexpr const char* kImportTitle = "Import bindings";
inline constexpr const char* kBindingsFileName = "Buttonwise bindings.reg";

// What a start is asked to do without a window: "/export FILE", "/import FILE" (replaces
// the list), "/add FILE" (adds to it); any case, "-" for "/". The values travel from a
// second start to the running copy.
enum class TransferCommand { None = 0, Export = 1, Import = 2, Add = 3 };
struct CommandLineTransfer {
    TransferCommand command = TransferCommand::None;
    std::string path = {};  // empty when the command came without its file
};
// Arguments the program does not know start it as before.
CommandLineTransfer ParseCommandLine(const std::vector<std::string>& arguments);

class BindingsTransfer {
  public:
    BindingsTransfer(ActionList& list, ListPersistence& persistence, UserFiles& files,
                     CodePage& ansi, MessageBoxes& boxes, EventLogWriter& log)
        : list_(list),
          persistence_(persistence),
          files_(files),
          ansi_(ansi),
          boxes_(boxes),
          log_(log) {}

    // Ask: from the menu, with a question for each choice and a box for each failure.
    // Replace and Add: from the command line, without either; rows of an unknown type
    // refuse the file then. Every outcome is a log line.
    enum class Mode { Ask, Replace, Add };

    TransferResult Export(const std::string& path, Mode mode);
    TransferResult Import(const std::string& path, Mode mode);
    // A command from the command line, without questions or boxes.
    TransferResult Run(TransferCommand command, const std::string& path);

  private:
    // The error line, and the box when the user asked.
    TransferResult Fail(TransferResult result, Mode mode, const char* title,
                        const std::string& text);
    // The new list, of which `added` rows came from the file, saved in one pass or not at all.
    TransferResult Apply(std::vector<ActionRow> rows, std::size_t added, Mode asked,
                         const std::string& name);

    ActionList& list_;
    ListPersistence& persistence_;
    UserFiles& files_;
    CodePage& ansi_;
    MessageBoxes& boxes_;
    EventLogWriter& log_;
    // A second start's command may come while a question of the user's own import is open.
    bool busy_ = false;
};

}  // namespace bw
