// Adding the tray icon until the shell takes it, and again when the taskbar comes back.
#include "ui/tray_presence.h"

namespace bw {

TrayPresence::TrayPresence(NotifyArea& area, Timer& retry) : area_(area), retry_(retry) {
    retry_.SetInterval(kTrayRetryMs);
    retry_.SetEnabled(false);
    retry_.SetTickHandler([this] { TryToAdd(); });
}

TrayPresence::~TrayPresence() {
    RemoveTrayIcon();
    retry_.SetTickHandler(nullptr);
}

void TrayPresence::AddTrayIcon() {
    wanted_ = true;
    TryToAdd();
}

void TrayPresence::TaskbarCreated() {
    shown_ = false;
    if (wanted_) TryToAdd();
}

void TrayPresence::RemoveTrayIcon() {
    wanted_ = false;
    retry_.SetEnabled(false);
    if (shown_) area_.RemoveIcon();
    shown_ = false;
}

void TrayPresence::TryToAdd() {
    shown_ = area_.AddIcon();
    retry_.SetEnabled(!shown_);
}

}  // namespace bw
