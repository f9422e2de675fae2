// An in-memory settings store that records every write in order and can be told to refuse
// writes from a given one on.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "platform/settings_store.h"

namespace bw::test {

class FakeSettingsStore : public SettingsStore {
  public:
    std::map<std::string, std::string> values;  // by "application\section\key"
    std::vector<std::string> writes;            // "key=value", in order
    std::optional<std::size_t> failFromWrite;   // 0 refuses the first write

    static std::string Path(const std::string& a, const std::string& s, const std::string& k) {
        return a + "\\" + s + "\\" + k;
    }

    std::string Read(const std::string& a, const std::string& s, const std::string& k,
                     const std::string& fallback) override {
        const auto it = values.find(Path(a, s, k));
        return it == values.end() ? fallback : it->second;
    }
    void Write(const std::string& a, const std::string& s, const std::string& k,
               const std::string& value) override {
        if (failFromWrite && writes.size() >= *failFromWrite) throw Failure(5, "Access is denied.");
        writes.push_back(k + "=" + value);
        values[Path(a, s, k)] = value;
    }

    // The list's own section.
    std::string& Key(const std::string& key) { return values[Path("Buttonwise", "Key", key)]; }
};

}  // namespace bw::test
