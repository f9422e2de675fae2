// Modal message boxes. Styles and answers are the Windows MB_ and ID values, because the
// program's boxes are specified by them (0x10 stop box, 0x24 yes/no question).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace bw {

inline constexpr unsigned kMbOk = 0x00;
inline constexpr unsigned kMbYesNo = 0x04;
inline constexpr unsigned kMbIconStop = 0x10;
inline constexpr unsigned kMbIconQuestion = 0x20;
inline constexpr int kIdOk = 1;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// The title of the box that shows a failure's description.
inline constexpr const char* kErrorBoxTitle = "Error happened";

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // Returns the answer (kIdOk, kIdYes, kIdNo, ...).
    virtual int Show(const std::string& text, const std::string& title, unsigned style) = 0;
    // A question answered in its own words ("&Replace the list"), or with Cancel, Escape or
    // the close box: the chosen answer's index, or nothing.
    virtual std::optional<std::size_t> Choose(const std::string& text, const std::string& title,
                                              const std::vector<std::string>& answers) = 0;

    // The stop box with a failure's description.
    void ShowFailure(const std::string& description) {
        Show(description, kErrorBoxTitle, kMbOk | kMbIconStop);
    }
};

}  // namespace bw
