// The program folder and its files, text in the ANSI code page, and the shell's answer for
// an item that is not there, on the real system.
#include <gtest/gtest.h>

#include "platform/win32/win32_config.h"

#include "platform/failure.h"
#include "platform/program_folder.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_program_folder.h"
#include "platform/win32/win32_shell.h"

namespace bw::test {
namespace {

TEST(ProgramFolderTest, NamesTheRunningProgramsFolderAndReadsFilesWholeOrFailsWithReason) {
    win32::Win32ProgramFolder folder;
    const std::string path = folder.Path();
    ASSERT_FALSE(path.empty());
    EXPECT_NE(path.back(), '\\');
    const std::string self = FileInFolder(path, "win32_tests.exe");
    EXPECT_NE(GetFileAttributesW(win32::Widen(self).c_str()), INVALID_FILE_ATTRIBUTES);

    // Beyond one read's buffer, with a name outside ASCII.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::string file = win32::Narrow(temp) + "Tasten \xC3\xBC\xE2\x98\x83.ini";
    const std::string content = std::string(20000, 'x') + "\r\n65,A\r\n";
    HANDLE out = CreateFileW(win32::Widen(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(out, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(out, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(out);
    EXPECT_EQ(folder.ReadFile(file), content);
    DeleteFileW(win32::Widen(file).c_str());
    try {
        folder.ReadFile(file);
        FAIL() << "a missing file was read";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.Number(), ERROR_FILE_NOT_FOUND);
        EXPECT_FALSE(failure.Description().empty());
    }
    EXPECT_EQ(win32::Win32Shell().Open(file, win32::Narrow(temp)), ERROR_FILE_NOT_FOUND);
}

TEST(AnsiCodePageTest, SingleByteTextBecomesUtf8) {
    win32::AnsiCodePage ansi;
    ASSERT_EQ(GetACP(), 1252u) << "the test's bytes are Windows-1252";
    EXPECT_EQ(ansi.AnsiToUtf8("Gr\xFC\xDF"
                              "e \x80"),
              "Gr\xC3\xBC\xC3\x9F"
              "e \xE2\x82\xAC");
    EXPECT_EQ(ansi.AnsiToUtf8(""), "");
}

}  // namespace
}  // namespace bw::test
