// The registry store writes where earlier installations kept their lists, as REG_SZ, keeps
// any character, answers the default for what is not there, and reports a refused write.
#include "platform/win32/registry_store.h"

#include <gtest/gtest.h>

#include "platform/failure.h"
#include "platform/win32/utf16.h"

namespace bw::test {
namespace {

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
        EXPECT_NE(failure.Number(), 0);
        EXPECT_FALSE(failure.Description().empty());
    }
}

}  // namespace
}  // namespace bw::test
