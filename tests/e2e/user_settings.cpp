#include "user_settings.h"

#include <gtest/gtest.h>

#include "platform/win32/utf16.h"
#include "platform/win32/win32_config.h"

namespace bw::test {

const wchar_t UserSettings::kKey[] = L"Software\\VB and VBA Program Settings\\Buttonwise\\Key";

void UserSettings::Clear() {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Buttonwise");
    ASSERT_FALSE(Read("#ListCount")) << "the saved bindings could not be removed";
}

void UserSettings::Write(const std::map<std::string, std::string>& values) {
    for (const auto& [name, value] : values) WriteValue(kKey, name, value);
}

void UserSettings::WriteValue(const std::wstring& key, const std::string& name,
                              const std::string& value) {
    const std::wstring text = win32::Widen(value);
    ASSERT_EQ(
        RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), win32::Widen(name).c_str(), REG_SZ,
                        text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
        ERROR_SUCCESS)
        << name;
}

std::optional<std::string> UserSettings::Read(const std::string& name) {
    wchar_t text[4096] = {};
    DWORD bytes = sizeof text;
    if (RegGetValueW(HKEY_CURRENT_USER, kKey, win32::Widen(name).c_str(), RRF_RT_REG_SZ, nullptr,
                     text, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return win32::Narrow(text);
}

}  // namespace bw::test
