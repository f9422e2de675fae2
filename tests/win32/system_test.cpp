// Text, files and settings at the Windows boundary: UTF-16 conversion, system error texts,
// the program folder and its files, the ANSI code page, the shell's answer
// for an item that is not there, and the registry store, which writes where earlier
// installations kept their lists, as REG_SZ, keeps any character and reports a refusal.
#include <gtest/gtest.h>

#include "platform/win32/windows_api.h"

#include "platform/failure.h"
#include "platform/program_folder.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/registry_store.h"
#include "platform/win32/system_error.h"
#include "platform/win32/utf16.h"
#include "platform/win32/module_folder.h"
#include "platform/win32/desktop_shell.h"

namespace bw::test {
namespace {

TEST(Utf16Test, AnyTextSurvivesTheRoundTrip) {
    for (const std::string text : {"", "PLAY", "Grüße aus Köln", "音量 ☃", "𝄞 clef", "a\tb\nc"})
        EXPECT_EQ(win32::Narrow(win32::Widen(text)), text);
    EXPECT_EQ(win32::Widen("é"), std::wstring(L"\u00e9"));
    EXPECT_EQ(win32::Widen("\xff!").back(), L'!') << "a bad byte must not eat the rest";
}

TEST(SystemErrorTest, KnownErrorsAreWordedAndUnknownOnesNamedByNumber) {
    const std::string refused = win32::SystemErrorDescription(10061);
    EXPECT_FALSE(refused.empty());
    EXPECT_NE(refused.back(), '\n');
    EXPECT_EQ(win32::SystemErrorDescription(0x2ffff123u), "Windows error 805302563");
}

TEST(ProgramFolderTest, NamesTheRunningProgramsFolderAndReadsFilesWholeOrFailsWithReason) {
    win32::ModuleFolder folder;
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
        EXPECT_EQ(failure.SystemError(), ERROR_FILE_NOT_FOUND);
        EXPECT_FALSE(failure.Description().empty());
    }
    EXPECT_EQ(win32::DesktopShell().Open(file, win32::Narrow(temp)), ERROR_FILE_NOT_FOUND);
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

// A throwaway root under HKCU, removed afterwards, so the user's own settings stay untouched.
class RegistryStoreTest : public ::testing::Test {
  protected:
    static constexpr wchar_t kRoot[] = L"Software\\ButtonwiseTests";
    HKEY root = nullptr;
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kRoot);
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kRoot, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &root, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(root);
        RegDeleteTreeW(HKEY_CURRENT_USER, kRoot);
    }
};

TEST_F(RegistryStoreTest, WritesRegSzUnderTheClassicPathAndReadsAnyTextBackOrTheDefault) {
    win32::RegistryStore store(root);
    EXPECT_EQ(store.Read("Buttonwise", "Key", "#ListCount", "0"), "0");
    store.Write("Buttonwise", "Key", "#ListCount", "3");
    wchar_t value[16] = {};
    DWORD bytes = sizeof value, type = 0;
    ASSERT_EQ(RegGetValueW(root, L"Software\\VB and VBA Program Settings\\Buttonwise\\Key",
                           L"#ListCount", RRF_RT_ANY, &type, value, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::wstring(value), L"3");

    for (const std::string text : {"", "PLAY", "C:\\Müsik\\Grüße 音楽.m3u", "a b  c"}) {
        store.Write("Buttonwise", "Key", "Ünïcode key", text);
        EXPECT_EQ(store.Read("Buttonwise", "Key", "Ünïcode key", "default"), text);
    }
    EXPECT_EQ(store.Read("Buttonwise", "Key", "RemoteKey2", ""), "");
    EXPECT_EQ(store.Read("Other", "Key", "#ListCount", "none"), "none");
}

TEST_F(RegistryStoreTest, RefusedWriteThrowsWithTheSystemsReason) {
    // A key that has been closed: refused on Windows and under Wine alike.
    HKEY closed = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kRoot, 0, KEY_ALL_ACCESS, &closed), ERROR_SUCCESS);
    RegCloseKey(closed);
    win32::RegistryStore store(closed);
    try {
        store.Write("Buttonwise", "Key", "#ListCount", "1");
        ADD_FAILURE() << "a closed key took a write";
    } catch (const Failure& failure) {
        EXPECT_NE(failure.SystemError().value_or(0), 0);
        EXPECT_FALSE(failure.Description().empty());
    }
}

}  // namespace
}  // namespace bw::test
