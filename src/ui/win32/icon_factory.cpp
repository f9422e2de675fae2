// A 32-bit top-down DIB section with alpha, made into an icon; image lists of such icons.
#include "ui/win32/icon_factory.h"

#include <commctrl.h>

#include <cstring>

namespace bw::ui {

win32::UniqueIcon MakeIcon(const Image& image) {
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = image.size;
    header.bV5Height = -image.size;  // top-down rows, as the image holds them
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;

    void* bits = nullptr;
    win32::WindowDc screen(nullptr);
    win32::UniqueBitmap colour(CreateDIBSection(
        screen.get(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!colour || !bits) return {};
    auto* out = static_cast<std::uint32_t*>(bits);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        const Rgba& p = image.pixels[i];
        out[i] = (std::uint32_t{p.a} << 24) | (std::uint32_t{p.r} << 16) |
                 (std::uint32_t{p.g} << 8) | p.b;
    }
    // The mask is unused for 32-bit colour with alpha, but an icon must have one.
    win32::UniqueBitmap mask(CreateBitmap(image.size, image.size, 1, 1, nullptr));

    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = colour.get();
    info.hbmMask = mask.get();
    return win32::UniqueIcon(CreateIconIndirect(&info));
}

win32::UniqueIcon MakeIcon(Picture picture, int sizePixels) {
    return MakeIcon(DrawPicture(picture, sizePixels));
}

win32::UniqueImageList MakeImageList(std::initializer_list<Picture> pictures, int sizePixels) {
    win32::UniqueImageList list(ImageList_Create(sizePixels, sizePixels, ILC_COLOR32,
                                                 static_cast<int>(pictures.size()), 0));
    for (Picture picture : pictures) {
        const win32::UniqueIcon icon = MakeIcon(picture, sizePixels);
        ImageList_AddIcon(list.get(), icon.get());
    }
    return list;
}

win32::UniqueImageList MakeActionTypeImages(int sizePixels) {
    return MakeImageList(
        {Picture::KeyboardAction, Picture::MouseAction, Picture::SystemAction, Picture::RunAction},
        sizePixels);
}

}  // namespace bw::ui
