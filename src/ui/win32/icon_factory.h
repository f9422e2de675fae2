// Turns a drawn picture into a Windows icon with its alpha channel.
#pragma once

#include "platform/win32/unique_handle.h"
#include "ui/pictures/pictures.h"

namespace bw::ui {

win32::UniqueIcon MakeIcon(const Image& image);
win32::UniqueIcon MakeIcon(Picture picture, int sizePixels);

}  // namespace bw::ui
