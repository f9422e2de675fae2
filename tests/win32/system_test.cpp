// Text, files and settings at the Windows boundary where no journey reaches: a bad byte, error
// texts, long and missing files, the ANSI code page, and a registry write the system refuses.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/failure.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/module_folder.h"
#include "platform/win32/registry_store.h"
#include "platform/win32/system_error.h"
#include "platform/win32/utf16.h"

namespace bw::test {
namespace {

// The rest of UTF-8 to UTF-16 and back is the journeys' (they type and read every plane).
TEST(TextTest, ABadUtf8ByteDoesNotEatTheRestAndAnsiTextBecomesUtf8) {
    EXPECT_EQ(win32::Widen("\xff!").back(), L'!');
    ASSERT_EQ(GetACP(), 1252u) << "the test's bytes are Windows-1252";
    EXPECT_EQ(win32::AnsiCodePage().AnsiToUtf8("Gr\xFC\xDF\x65 \x80"), "Grüße €");
    EXPECT_EQ(win32::AnsiCodePage().AnsiToUtf8(""), "");
}

TEST(SystemErrorTest, KnownErrorsAreWordedAndUnknownOnesNamedByNumber) {
    const std::string refused = win32::SystemErrorDescription(10061);
    EXPECT_FALSE(refused.empty());
    EXPECT_NE(refused.back(), '\n');
    EXPECT_EQ(win32::SystemErrorDescription(0x2ffff123u), "Windows error 805302563");
}

// The system error the call fails with, with words for it; 0 when it does not fail so.
long SystemErrorOf(const std::function<void()>& call) try {
    call();
    return 0;
} catch (const Failure& failure) {
    EXPECT_FALSE(failure.Description().empty());
    return failure.SystemError().value_or(0);
}

TEST(ModuleFolderTest, ReadsAFileWholeBeyondOneReadOrFailsWithTheReason) {
    const auto file = std::filesystem::temp_directory_path() / L"Tasten \u00fc\u2603.ini";
    const std::string content = std::string(20000, 'x') + "\r\n65,A\r\n";
    std::ofstream(file, std::ios::binary) << content;
    win32::ModuleFolder folder;
    EXPECT_EQ(folder.ReadFile(win32::Narrow(file.wstring())), content);
    std::filesystem::remove(file);
    EXPECT_EQ(SystemErrorOf([&] { folder.ReadFile(win32::Narrow(file.wstring())); }),
              ERROR_FILE_NOT_FOUND);
}

TEST(RegistryStoreTest, ARefusedWriteThrowsWithTheSystemsReason) {
    // A key that has been closed: refused on Windows and under Wine alike.
    HKEY closed = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, &closed), ERROR_SUCCESS);
    RegCloseKey(closed);
    EXPECT_NE(SystemErrorOf([&] {
                  win32::RegistryStore(closed).Write("Buttonwise", "Key", "#ListCount", "1");
              }),
              0);
}

}  // namespace
}  // namespace bw::test
