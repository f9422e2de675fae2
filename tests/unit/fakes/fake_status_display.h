// Keeps what the status area shows now and the history of the small picture and of the
// receive animation.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "remote/status_display.h"

namespace bw::test {

class FakeStatusDisplay : public StatusDisplay {
  public:
    std::optional<std::string> text;
    std::optional<StatusPicture> status;
    std::optional<ServerPicture> server;
    std::vector<StatusPicture> statusHistory;
    std::vector<int> receiveFrames;  // every frame shown, in order

    void SetStatusText(const std::string& t) override { text = t; }
    void ShowStatusPicture(StatusPicture p) override {
        status = p;
        statusHistory.push_back(p);
    }
    void ShowServerPicture(ServerPicture p) override { server = p; }
    void ShowReceiveFrame(int frame) override { receiveFrames.push_back(frame); }
};

}  // namespace bw::test
