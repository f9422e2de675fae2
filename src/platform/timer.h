// A periodic timer whose ticks arrive on the user-interface thread, also inside modal loops.
#pragma once

#include <functional>

namespace bw {

class Timer {
  public:
    virtual ~Timer() = default;
    virtual void SetTickHandler(std::function<void()> onTick) = 0;
    virtual void SetInterval(int milliseconds) = 0;
    // Enabling an enabled timer keeps its phase; the first tick comes one interval after enabling.
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Enabled() const = 0;
};

}  // namespace bw
