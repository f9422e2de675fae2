// The per-user settings store: text values addressed by application, section and key.
#pragma once

#include <string>

namespace bw {

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // A key that is not there yields the default.
    virtual std::string Read(const std::string& application, const std::string& section,
                             const std::string& key, const std::string& fallback) = 0;
    // Replaces or creates the value. Throws Failure when the store refuses.
    virtual void Write(const std::string& application, const std::string& section,
                       const std::string& key, const std::string& value) = 0;
};

}  // namespace bw
