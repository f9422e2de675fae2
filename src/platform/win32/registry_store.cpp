// Keys are opened per call: saving is a short burst of writes after a change by the user,
// and nothing needs to stay open between changes.
#include "platform/win32/registry_store.h"

#include "platform/failure.h"
#include "platform/win32/system_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf16.h"

namespace bw::win32 {

namespace {

// Values written by other tools may be REG_EXPAND_SZ; they are read as they stand.
constexpr DWORD kTextValues = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;

std::wstring SectionPath(const std::string& application, const std::string& section) {
    return L"Software\\VB and VBA Program Settings\\" + Widen(application) + L"\\" + Widen(section);
}

}  // namespace

std::string RegistryStore::Read(const std::string& application, const std::string& section,
                                const std::string& key, const std::string& fallback) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root_, SectionPath(application, section).c_str(), 0, KEY_QUERY_VALUE,
                      &opened) != ERROR_SUCCESS)
        return fallback;
    UniqueRegistryKey sectionKey(opened);
    const std::wstring name = Widen(key);
    DWORD bytes = 0;
    if (RegGetValueW(sectionKey.get(), nullptr, name.c_str(), kTextValues, nullptr, nullptr,
                     &bytes) != ERROR_SUCCESS)
        return fallback;
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegGetValueW(sectionKey.get(), nullptr, name.c_str(), kTextValues, nullptr, value.data(),
                     &bytes) != ERROR_SUCCESS)
        return fallback;
    value.resize(wcsnlen(value.c_str(), value.size()));
    return Narrow(value);
}

void RegistryStore::Write(const std::string& application, const std::string& section,
                          const std::string& key, const std::string& value) {
    HKEY created = nullptr;
    if (const LSTATUS status =
            RegCreateKeyExW(root_, SectionPath(application, section).c_str(), 0, nullptr, 0,
                            KEY_SET_VALUE, nullptr, &created, nullptr);
        status != ERROR_SUCCESS)
        throw SystemFailure(status);
    UniqueRegistryKey sectionKey(created);
    const std::wstring text = Widen(value);
    if (const LSTATUS status =
            RegSetValueExW(sectionKey.get(), Widen(key).c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        status != ERROR_SUCCESS)
        throw SystemFailure(status);
}

}  // namespace bw::win32
