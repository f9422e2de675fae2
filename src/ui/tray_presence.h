// The icon in the notification area, kept up for the whole run. Started at logon, the
// program may come before the taskbar: an add that fails is tried again every two seconds
// until it succeeds, and again whenever the taskbar comes back. Minimising hides the window
// only while the icon is there to bring it back.
#pragma once

#include "platform/notify_area.h"
#include "platform/timer.h"

namespace bw {

inline constexpr int kTrayRetryMs = 2000;

class TrayPresence {
  public:
    TrayPresence(NotifyArea& area, Timer& retry);
    ~TrayPresence();
    TrayPresence(const TrayPresence&) = delete;
    TrayPresence& operator=(const TrayPresence&) = delete;

    void AddTrayIcon();
    // The shell started again; the icons it held are gone.
    void TaskbarCreated();
    void RemoveTrayIcon();

    bool IconShown() const { return shown_; }

  private:
    void TryToAdd();

    NotifyArea& area_;
    Timer& retry_;
    bool wanted_ = false;
    bool shown_ = false;
};

}  // namespace bw
