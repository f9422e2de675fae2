// Drives the button-line server (tools/buttonserver.py) through its control port.
#pragma once

#include <string>

namespace bw::test {

class ButtonServer {
  public:
    // Sends one command ("start", "stop", "press PLAY", ...) and returns the answer.
    static std::string Command(const std::string& command);
};

}  // namespace bw::test
