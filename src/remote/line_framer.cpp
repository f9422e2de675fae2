// Line ends, over-long lines dropped to their end, reply packets skipped, the full server.
#include "remote/line_framer.h"

namespace bw {

std::vector<FramedLine> LineFramer::Feed(std::string_view bytes) {
    std::vector<FramedLine> out;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::string_view piece = bytes.substr(0, end);
        if (!discarding_) {
            if (partial_.size() + piece.size() > kMaxLineBytes) {
                partial_.clear();
                discarding_ = true;
            } else {
                partial_.append(piece);
            }
        }
        if (end == std::string_view::npos) break;
        if (!discarding_) Complete(std::move(partial_), out);
        partial_.clear();
        discarding_ = false;
        bytes.remove_prefix(end + 1);
    }
    return out;
}

void LineFramer::Complete(std::string line, std::vector<FramedLine>& out) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (inPacket_) {
        if (line == "END") inPacket_ = false;
        return;
    }
    if (line == "BEGIN") {
        inPacket_ = true;
        return;
    }
    const bool full = line == kServerFullLine;
    out.push_back(
        {full ? FramedLine::Kind::ServerFull : FramedLine::Kind::Button, std::move(line)});
}

}  // namespace bw
