// The saved bindings in the registry, written and read with the registry functions of the
// system, not through the program's own code.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace bw::test {

class UserSettings {
  public:
    // Software\VB and VBA Program Settings\Buttonwise\Key, under HKEY_CURRENT_USER.
    static const wchar_t kKey[];

    // Removes every saved binding.
    static void Clear();
    // Writes REG_SZ values.
    static void Write(const std::map<std::string, std::string>& values);
    // The value's text, or nothing when it is not there.
    static std::optional<std::string> Read(const std::string& name);

    // A REG_SZ value under any key of the user's.
    static void WriteValue(const std::wstring& key, const std::string& name,
                           const std::string& value);
};

}  // namespace bw::test
