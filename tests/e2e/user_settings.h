// The saved bindings in the registry, written and read the way an administrator would: with
// the reg command of the system, not through the program's own code.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace bw::test {

class UserSettings {
  public:
    // HKCU\Software\VB and VBA Program Settings\Buttonwise\Key
    static const std::string kKey;

    // Removes every saved binding.
    static void Clear();
    // Writes REG_SZ values, each with one reg command.
    static void Write(const std::map<std::string, std::string>& values);
    // The value's text, or nothing when it is not there.
    static std::optional<std::string> Read(const std::string& name);

    // A REG_SZ value under any key of the user's.
    static void WriteValue(const std::string& key, const std::string& name,
                           const std::string& value);
};

}  // namespace bw::test
