// The notification area of the taskbar, where the program keeps its icon.
#pragma once

namespace bw {

class NotifyArea {
  public:
    virtual ~NotifyArea() = default;
    // Puts the icon up, or finds it up already; false when the shell does not take it, as
    // while the taskbar is not there yet.
    virtual bool AddIcon() = 0;
    virtual void RemoveIcon() = 0;
};

}  // namespace bw
