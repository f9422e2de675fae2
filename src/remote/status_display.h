// The server status area of the main window, as the connection logic drives it.
#pragma once

#include <string>

namespace bw {

// Pictures that can stand in the small status picture. The values are their places in the
// window's picture store, which the receive animation shares.
enum class StatusPicture { Connected = 0, Error = 1, Searching = 2 };

// The large picture beside the status text.
enum class ServerPicture { Running = 0, NotRunning = 1 };

class StatusDisplay {
  public:
    virtual ~StatusDisplay() = default;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void ShowStatusPicture(StatusPicture picture) = 0;
    virtual void ShowServerPicture(ServerPicture picture) = 0;
    // A frame, 1 to 6, of the receive animation in the small status picture's place.
    virtual void ShowReceiveFrame(int frame) = 0;
};

}  // namespace bw
