// Lets the events already waiting for the user-interface thread run before going on.
#pragma once

namespace bw {

class MessagePump {
  public:
    virtual ~MessagePump() = default;
    virtual void DoEvents() = 0;
};

}  // namespace bw
