// Bindings files: what an import finds in the files users and editors make, and an export read
// back as the Registry Editor and the import read it.
#include <gtest/gtest.h>

#include <map>

#include "actions/bindings_file.h"
#include "actions/list_persistence.h"
#include "fakes.h"
#include "platform/reg_file.h"
#include "ui/bindings_transfer.h"

namespace bw::test {
namespace {

// As the Registry Editor saves a file (UTF-16, CRLF), as an editor with UTF-8 and LF does, or
// byte for byte with CRLF: ANSI or UTF-8 without a byte order mark.
enum class Saved { Utf16, Utf8, Bytes };

// "|" ends a line.
std::string FileBytes(Saved saved, const std::string& text) {
    std::string lines;
    for (const char c : text)
        lines += c != '|' ? std::string(1, c) : saved == Saved::Utf8 ? "\n" : "\r\n";
    if (saved != Saved::Utf16) return saved == Saved::Utf8 ? "\xEF\xBB\xBF" + lines : lines;
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : Utf16Units(lines)) bytes += {char(unit & 0xFF), char(unit >> 8)};
    return bytes;
}

// Rows of three values from line 4 on, after the header, a blank line and the key.
const std::string v5 = "Windows Registry Editor Version 5.00||", v4 = "REGEDIT4||",
                  path =
                      "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Buttonwise\\Key",
                  key = "[" + path + "]|";
std::string Row(int n, const std::string& button, const std::string& type = "2",
                const std::string& name = "Left Mouse Click") {
    const std::string i = std::to_string(n);
    return "\"RemoteKey" + i + "\"=" + button + "|\"ActionType" + i + "\"=\"" + type +
           "\"|\"ActionName" + i + "\"=\"" + name + "\"|";
}
std::string Count(const std::string& n) {
    return "\"#ListCount\"=\"" + n + "\"|";
}

// "2: A,B": the count and the buttons; "-1@9": rows left out and the first one's line;
// "nobutton@7": the fault and its line.
std::string Outcome(const ImportedBindings& imported) {
    const std::map<ImportProblem, std::string> names{
        {ImportProblem::TooLarge, "large"},      {ImportProblem::NotRegFile, "notreg"},
        {ImportProblem::Malformed, "malformed"}, {ImportProblem::NoBindings, "nokey"},
        {ImportProblem::NotText, "nottext"},     {ImportProblem::NoCount, "nocount"},
        {ImportProblem::TooManyRows, "toomany"}, {ImportProblem::RowWithoutButton, "nobutton"}};
    if (const auto& f = imported.fault) return names.at(f->problem) + "@" + std::to_string(f->line);
    std::string outcome = std::to_string(imported.rowsInFile) + ":";
    for (const ActionRow& row : imported.rows)
        outcome += (outcome.back() == ':' ? " " : ",") + row.button;
    if (imported.leftOut == 0) return outcome;
    return outcome + " -" + std::to_string(imported.leftOut) + "@" +
           std::to_string(imported.firstLeftOutLine);
}

TEST(ImportBindingsTest, FindsTheRowsOrTheFirstFaultWithItsLine) {
    const std::string typed =
        "\"ActionType1\"=\"1\"|\"ActionName1\"=\"x\"|\"KeyType1\"=\"3\"|" + Count("1");
    const Saved u16 = Saved::Utf16, u8 = Saved::Utf8, raw = Saved::Bytes;
    const std::string file = v5 + key, a = Row(1, "\"A\""), b = Row(2, "\"B\"");
    // clang-format off
    const std::tuple<Saved, std::string, std::string> cases[] = {
        {u16, file + Row(1, R"("say \"hi\" C:\\x\y")") + Row(2, "\"Grüße 😀" + std::string("\0x\"", 3)) + Count("2"),
         R"(2: say "hi" C:\x\y,Grüße 😀)"},
        {u8, v5 + "; saved by hand|  |" + key + a + "  " + Count(" 1 ") + "|", "1: A"},
        {raw, v4 + key + Row(1, "\"Gr\xFC\xDF" "e\"") + Count("1"), "1: Grüße"},  // ANSI
        {raw, file + Row(1, "\"Grüße\"") + Count("1"), "1: Grüße"},              // UTF-8
        // Other keys, the key named otherwise, deletions taking back only what came before them.
        {u16, file + "\"KeyCode1\"=hex:41|[-HKCU\\Software\\VB and VBA Program Settings]|[HKCU\\Software\\Other]|" +
              Count("7") + "[hkcu\\software\\vb and vba program settings\\buttonwise\\KEY]|" + a + Count("1"), "1: A"},
        {u16, file + a + b + Count("2") + "\"RemoteKey2\"=-|", "nobutton@8"},
        {u16, file + "\"remotekey1\"=hex(1):50,00,4c,00,\\|  41,00, 59,00,00,00,\\|  00,00|@=\"x\"|\"o\"=hex(7):00|" +
              "\"b\"=hex:|" + typed, "1: PLAY"},
        {raw, v4 + key + "\"RemoteKey1\"=hex(2):47,72,fc,df,65,00|\"n\"=dword:ffffffff|" + typed, "1: Grüße"},
        {u16, file + a + Row(2, "\"B\"", "9") + Row(3, "\"C\"", "4", "") + Row(4, "\"D\"", "4") + Count("4"), "4: A,D -2@8"},
        {u16, file + a + b + Count("1"), "1: A"},                         // the count rules
        {u16, file + a + Row(3, "\"C\"") + Count("3"), "nobutton@10"},  // a gap
        {u16, file + Row(2, "\"\"") + Row(1, "dword:1", "1") + Count("2"), "nobutton@4"},  // earlier in the file
        {u16, file + a + "\"KeyCode1\"=hex:41|" + Count("1"), "nottext@7"},
        {u16, file + a + "\"#ListCount\"=dword:1|", "nottext@7"},
        {u16, file + a, "nocount@3"},
        {u16, file + Count("-1"), "nocount@4"},
        {u16, file + Count("32768"), "toomany@4"},
        {u16, v5 + "[" + path + "s]|" + Count("1") + "[-" + path + "]|", "nokey@1"},
        {u16, "Windows Registry Editor Version 4.00||" + key, "notreg@1"},
        {raw, "", "notreg@1"},
        {u16, v5 + Count("1"), "malformed@3"},  // a value before any key
        {u16, file + "\"RemoteKey1\"=\"A|", "malformed@4"},
        {u16, file + "\"RemoteKey1\"=\"A\" x|", "malformed@4"},
        {u16, file + "\"RemoteKey1\"=hex(1):41,\\|  4g|", "malformed@4"},
        {u16, file + "\"n\"=dword:123456789|", "malformed@4"},
        {u16, v5 + "[" + path + "|", "malformed@3"},
        {raw, v5 + std::string(kMaxRegFileBytes, ';'), "large@1"},
    };
    // clang-format on
    Latin1CodePage ansi;
    for (const auto& [saved, text, outcome] : cases)
        EXPECT_EQ(Outcome(ImportBindings(FileBytes(saved, text), ansi)), outcome)
            << text.substr(0, 400);
}

TEST(ExportBindingsTest, HoldsWhatTheStoreGetsAndImportsAsTheSameList) {
    CoreRig rig;
    ActionList& list = rig.list;
    list.AddKey("1", "PLAY", "F5", "116", "0", {"player.exe", "tv", 0, When::Held});
    list.AddKey("3", "TEXT \"q\"", "C:\\dir\\ \"x\" Grüße ✓ 😀", "0", "0");
    list.AddKey("2", "MENU", "Ctrl + A", "65", "2", {"", "", 0, When::Long});
    list.AddMouse("OK", MouseName("Left Mouse Click"), {"", "remote \\ 2", 0, When::Held});
    list.AddSys("POWER", SystemName("Log off windows"), {"explorer.exe", ""});
    list.AddRun("R", "\\\\server\\a \"b\".exe", {"", "", 0, When::Long});
    list.AddRun("lines", "one\r\ntwo\nthree ü " + std::string(60, '\\'));
    const std::string bytes = ExportBindings(list);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xFEW\0", 4));
    std::size_t lineEnds = 0, crlf = 0;
    for (std::size_t i = 4; i < bytes.size(); i += 2) {
        lineEnds += bytes.compare(i, 2, std::string("\n\0", 2)) == 0;
        crlf += bytes.compare(i - 2, 4, std::string("\r\0\n\0", 4)) == 0;
    }
    EXPECT_EQ(crlf, lineEnds);

    FakeSettingsStore store;
    ListPersistence(store, list, rig.log).SaveList();
    Latin1CodePage ansi;
    const RegFile file = ReadRegFile(bytes, ansi);
    ASSERT_EQ(file.keys.size(), 1u);
    EXPECT_EQ(file.keys[0].path, path);
    Strings values;
    for (const RegValue& value : file.keys[0].values)
        values.push_back(value.name + "=" + value.text);
    EXPECT_EQ(values, store.writes);

    const ImportedBindings imported = ImportBindings(bytes, ansi);
    ASSERT_FALSE(imported.fault);
    EXPECT_EQ(imported.rows, list.Rows());
}

// Files by path; a missing one cannot be read, "big.reg" is past the limit.
struct FakeUserFiles : UserFiles {
    std::map<std::string, std::string> files;
    std::optional<std::string> Read(const std::string& path, std::size_t) override {
        if (path == "big.reg") return std::nullopt;
        if (!files.contains(path)) throw Failure(2, "The system cannot find the file specified.");
        return files[path];
    }
    void Write(const std::string& path, const std::string& bytes) override {
        if (path.starts_with("Z:")) throw Failure(3, "The system cannot find the path specified.");
        files[path] = bytes;
    }
};

// A list of one row, OLD, saved in a store, and the transfer over them.
struct TransferRig : CoreRig {
    FakeSettingsStore store;
    ListPersistence persistence{store, list, log};
    FakeUserFiles files;
    Latin1CodePage ansi;
    BindingsTransfer transfer{list, persistence, files, ansi, boxes, log};
    TransferRig() { list.AddMouse("OLD", "Left Mouse Click"); }
};

// From the menu (the answers given in turn) or the command line: what the list holds after,
// the result, and each question, box and log line on the way; the store holds the same list.
TEST(BindingsTransferTest, AnImportAsksThenReplacesOrAddsInOneSaveAndKeepsTheListOnAnyFailure) {
    using Mode = BindingsTransfer::Mode;
    using Answers = std::vector<std::optional<std::size_t>>;
    const std::string good = FileBytes(Saved::Utf16, v5 + key + Row(1, "\"A\"") + Row(2, "\"B\"") + Count("2")),
                      unknown = FileBytes(Saved::Utf16, v5 + key + Row(1, "\"A\"") + Row(2, "\"B\"", "9") + Count("2")),
                      ask = "Import bindings: b.reg holds 2 bindings. Replace the list with them, or add them to it? "
                            "[&Replace the list|&Add to the list]",
                      rest = "Import bindings: b.reg: 1 binding this version cannot use, of an action it does not know "
                             "or with nothing to run (the first on line 8).";
    // clang-format off
    const std::tuple<std::string, Mode, Answers, bool, std::string, TransferResult, Strings> cases[] = {
        {good, Mode::Ask, {0}, false, "A,B", TransferResult::Done, {ask, "Imported 2 bindings from b.reg"}},
        {good, Mode::Ask, {1}, false, "OLD,A,B", TransferResult::Done, {ask, "Imported 2 bindings from b.reg"}},
        {good, Mode::Ask, {std::nullopt}, false, "OLD", TransferResult::Refused, {ask}},
        {good, Mode::Add, {}, false, "OLD,A,B", TransferResult::Done, {"Imported 2 bindings from b.reg"}},
        {unknown, Mode::Ask, {0, 0}, false, "A", TransferResult::Done,
         {rest + " Import the other 1 binding? [&Import the rest]",
          "Import bindings: b.reg holds 1 binding. Replace the list with them, or add them to it? "
          "[&Replace the list|&Add to the list]", "Imported 1 binding from b.reg"}},
        {unknown, Mode::Ask, {std::nullopt}, false, "OLD", TransferResult::Refused,
         {rest + " Import the other 1 binding? [&Import the rest]"}},
        {unknown, Mode::Replace, {}, false, "OLD", TransferResult::Refused,
         {rest.substr(17) + " Nothing was imported."}},
        {FileBytes(Saved::Utf16, v5 + key + Count("x")), Mode::Ask, {}, false, "OLD", TransferResult::Refused,
         {"Import bindings: b.reg was not imported. Line 4: the file does not say how many bindings it holds: "
          "\"#ListCount\" is missing or no number. (16)", "b.reg was not imported. Line 4: the file does not say "
          "how many bindings it holds: \"#ListCount\" is missing or no number."}},
        {"", Mode::Replace, {}, false, "OLD", TransferResult::Failed,
         {"none.reg could not be read: The system cannot find the file specified."}},
        {"", Mode::Replace, {}, false, "OLD", TransferResult::Refused,
         {"big.reg was not imported. The file is larger than 10 MB, far more than any list of bindings."}},
        {good, Mode::Ask, {1}, true, "OLD", TransferResult::Failed,
         {ask, "Import bindings: b.reg was not imported: the list could not be saved (Access is denied.). The list is "
          "as it was here; the saved one could not be put back and may hold part of the import until the next "
          "change saves it whole. (16)",
          "The action list could not be saved: Access is denied.", "The action list could not be saved: Access is denied.",
          "b.reg was not imported: the list could not be saved (Access is denied.). The list is as it was here; "
          "the saved one could not be put back and may hold part of the import until the next change saves it "
          "whole."}},
        {FileBytes(Saved::Utf16, v5 + key + Count("0")), Mode::Add, {}, false, "OLD", TransferResult::Refused,
         {"b.reg was not imported: it holds no bindings this version can use."}},
    };
    // clang-format on
    for (const auto& [bytes, mode, answers, refuse, after, result, said] : cases) {
        TransferRig rig;
        const std::string path = said.back().starts_with("none") ? "none.reg"
                                 : said.back().starts_with("big")  ? "big.reg"
                                                                   : "C:\\x\\b.reg";
        if (path != "none.reg") rig.files.files[path] = bytes;
        if (refuse) rig.store.failFromWrite = 0;
        rig.boxes.choices = answers;
        EXPECT_EQ(rig.transfer.Import(path, mode), result) << said.back();
        std::string buttons;
        for (const ActionRow& row : rig.list.Rows()) buttons += (buttons.empty() ? "" : ",") + row.button;
        EXPECT_EQ(buttons, after) << said.back();
        EXPECT_EQ(rig.boxes.calls + rig.log.Texts(), said) << said.back();
        if (refuse || result != TransferResult::Done) continue;
        ActionList stored(rig.log);
        ListPersistence(rig.store, stored, rig.log).LoadList();
        EXPECT_EQ(stored.Rows(), rig.list.Rows());
    }
}

// The export writes what an import reads back, or says why it could not; the command line
// names the command and its file.
TEST(BindingsTransferTest, AnExportWritesTheFileOrSaysWhyAndTheCommandLineNamesItsFile) {
    using Mode = BindingsTransfer::Mode;
    TransferRig rig;
    EXPECT_EQ(rig.transfer.Export("C:\\e.reg", Mode::Ask), TransferResult::Done);
    EXPECT_EQ(rig.files.files["C:\\e.reg"], ExportBindings(rig.list));
    EXPECT_EQ(rig.transfer.Export("Z:\\e.reg", Mode::Ask), TransferResult::Failed);
    EXPECT_EQ(rig.boxes.calls, Strings{"Export bindings: e.reg could not be written: The system cannot find the "
                                       "path specified. (16)"});
    EXPECT_EQ(rig.log.Texts(), (Strings{"Exported 1 binding to e.reg",
                                        "e.reg could not be written: The system cannot find the path specified."}));
    // The command line: the first command word, its file the word after it, other words left.
    using C = TransferCommand;
    const std::tuple<Strings, C, std::string> lines[] = {
        {{}, C::None, ""}, {{"/tray", "x"}, C::None, ""}, {{"/export", "a b.reg"}, C::Export, "a b.reg"},
        {{"x", "-IMPORT", "f", "/add", "g"}, C::Import, "f"}, {{"/Add"}, C::Add, ""}, {{"/"}, C::None, ""}, {{"/export", "/add"}, C::Export, ""}};
    for (const auto& [words, command, file] : lines) {
        const CommandLineTransfer parsed = ParseCommandLine(words);
        EXPECT_EQ(std::pair(parsed.command, parsed.path), std::pair(command, file)) << file;
    }
    EXPECT_EQ(rig.transfer.Run(C::Import, ""), TransferResult::Failed);  // a command without its file
}

}  // namespace
}  // namespace bw::test
