// A failure of a platform call, carried as an exception to the guard of the handler
// that made the call: a number (Windows Sockets or system error code) and a description.
#pragma once

#include <stdexcept>
#include <string>

namespace bw {

class Failure : public std::runtime_error {
  public:
    Failure(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}

    int Number() const { return number_; }
    std::string Description() const { return what(); }

  private:
    int number_;
};

// Showing a window modally while it is already shown modally: dispatch passes over it.
inline constexpr int kFailureAlreadyShown = 400;

}  // namespace bw
