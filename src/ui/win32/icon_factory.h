// Turns drawn pictures into Windows icons with their alpha channel, and into image lists.
#pragma once

#include <initializer_list>

#include "platform/win32/unique_handle.h"
#include "ui/pictures/pictures.h"

namespace bw::ui {

win32::UniqueIcon MakeIcon(const Image& image);
win32::UniqueIcon MakeIcon(Picture picture, int sizePixels);
// The pictures in the order given, as a list's images 0, 1, ...
win32::UniqueImageList MakeImageList(std::initializer_list<Picture> pictures, int sizePixels);
// The four action types' pictures, in the order of their numbers.
win32::UniqueImageList MakeActionTypeImages(int sizePixels);

}  // namespace bw::ui
