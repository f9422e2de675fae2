// The program's pictures, drawn at any pixel size: status, server and log pictures and the
// program icon. Each is recognisable by its colour and symbol at 16 pixels and up.
#pragma once

#include "ui/pictures/canvas.h"

namespace bw {

enum class Picture {
    Connected,         // green round button, white check mark
    Error,             // red round button, white cross
    Searching,         // blue round button, white magnifying glass
    Globe,             // blue globe: a change in the log
    Discs,             // blue stack of discs: data in the log
    ServerRunning,     // a computer with an infra-red receiver
    ServerNotRunning,  // the same, crossed out by a red prohibition sign
    ProgramIcon,       // a remote control sending
    // The action types, in the order of their type codes.
    KeyboardAction,  // a keyboard
    MouseAction,     // a mouse
    SystemAction,    // a gear
    RunAction,       // a program window with a green start arrow
    Information,     // a white speech balloon with a blue letter i
};

Image DrawPicture(Picture picture, int sizePixels);

// Frame 1 to 6 of the receive animation: a blue glossy ball whose highlight goes round it.
Image DrawReceiveFrame(int frame, int sizePixels);

}  // namespace bw
