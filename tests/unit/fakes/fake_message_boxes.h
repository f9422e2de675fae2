// Answers every box with a set answer and remembers what was shown.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/message_boxes.h"

namespace bw::test {

struct ShownBox {
    std::string text, title;
    unsigned style;
    bool operator==(const ShownBox&) const = default;
};

class FakeMessageBoxes : public MessageBoxes {
  public:
    std::vector<ShownBox> shown;
    int answer = kIdOk;
    std::function<void()> whileShown;  // what the box's modal loop delivers meanwhile

    int Show(const std::string& text, const std::string& title, unsigned style) override {
        shown.push_back({text, title, style});
        if (whileShown) whileShown();
        return answer;
    }
};

}  // namespace bw::test
