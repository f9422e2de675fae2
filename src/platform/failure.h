// A failure on the way of a handler, carried as an exception to its guard: a system error,
// with Windows' number for it and the system's words, or a failure of the program's own,
// in words. Either way the words are what the user is shown.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

namespace bw {

class Failure : public std::runtime_error {
  public:
    explicit Failure(const std::string& description) : std::runtime_error(description) {}
    Failure(long systemError, const std::string& description)
        : std::runtime_error(description), systemError_(systemError) {}

    // Windows' number (a system or Windows Sockets error code); nothing for the program's own.
    std::optional<long> SystemError() const { return systemError_; }
    std::string Description() const { return what(); }

  private:
    std::optional<long> systemError_;
};

}  // namespace bw
