// Keeps what the status area shows now and the history of the small picture.
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

    void SetStatusText(const std::string& t) override { text = t; }
    void ShowStatusPicture(StatusPicture p) override {
        status = p;
        statusHistory.push_back(p);
    }
    void ShowServerPicture(ServerPicture p) override { server = p; }
};

}  // namespace bw::test
