// Files the user names, such as a bindings file to export to or import from.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace bw {

class UserFiles {
  public:
    virtual ~UserFiles() = default;
    // The whole file, or nothing when it is larger than mostBytes (none of it is read then).
    // Throws Failure when it cannot be read.
    virtual std::optional<std::string> Read(const std::string& path, std::size_t mostBytes) = 0;
    // Replaces the file whole, or leaves what was there: a failure half-way never leaves a
    // file cut short. Throws Failure.
    virtual void Write(const std::string& path, const std::string& bytes) = 0;
};

}  // namespace bw
