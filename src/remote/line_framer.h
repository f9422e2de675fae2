// Cuts what arrives on the server connection into whole lines. TCP keeps no line
// boundaries: one read may hold several lines, and one line may come in several reads.
// Reply packets of the server (BEGIN ... END) are not button lines and are left out.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

struct FramedLine {
    enum class Kind {
        Button,      // a line for HandleLine
        ServerFull,  // the server turned this client away
    };
    Kind kind;
    std::string text;  // without its line end
    bool operator==(const FramedLine&) const = default;
};

inline constexpr const char* kServerFullLine = "Sorry the server is full.";

class LineFramer {
  public:
    // Longer lines are no button lines; they are dropped up to their line feed, which also
    // keeps a server that never sends one from growing the buffer.
    static constexpr std::size_t kMaxLineBytes = 1024;

    // The complete lines of everything received so far, in order; the rest is kept.
    std::vector<FramedLine> Feed(std::string_view bytes);

    // A new connection starts afresh: no half line, no open packet.
    void Reset() { *this = LineFramer(); }

  private:
    void Complete(std::string line, std::vector<FramedLine>& out);

    std::string partial_;
    bool discarding_ = false;  // inside a line that grew too long
    bool inPacket_ = false;    // between a BEGIN line and its END line
};

}  // namespace bw
