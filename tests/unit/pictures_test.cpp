// The pictures must be recognisable in their roles at every size the window asks for.
#include "ui/pictures/pictures.h"

#include <gtest/gtest.h>

#include <vector>

namespace bw::test {
namespace {

enum class Hue { Red, Green, Blue };

Hue DominantHue(const Rgba& p) {
    if (p.r >= p.g && p.r >= p.b) return Hue::Red;
    return p.g >= p.b ? Hue::Green : Hue::Blue;
}

TEST(PicturesTest, StatusPicturesShowTheirColourAndAWhiteSymbolOnATransparentGround) {
    const std::pair<Picture, Hue> roles[] = {{Picture::Connected, Hue::Green},
                                             {Picture::Error, Hue::Red},
                                             {Picture::Searching, Hue::Blue}};
    for (const auto& [picture, hue] : roles) {
        for (int size : {16, 24, 48}) {
            const Image image = DrawPicture(picture, size);
            // Just inside the rim, below-left of the symbol: the ball's own colour.
            EXPECT_EQ(DominantHue(image.At(size / 4, size * 3 / 4)), hue) << size;
            int white = 0;
            for (const Rgba& p : image.pixels)
                white += p.a == 255 && p.r > 230 && p.g > 230 && p.b > 230;
            EXPECT_GT(white, size / 2) << "symbol missing at " << size;
            EXPECT_EQ(image.At(0, 0).a, 0);
            EXPECT_EQ(image.At(size - 1, size - 1).a, 0);
        }
    }
    // The server that is not running: its screen crossed out in red.
    EXPECT_EQ(DominantHue(DrawPicture(Picture::ServerRunning, 32).At(13, 13)), Hue::Blue);
    EXPECT_EQ(DominantHue(DrawPicture(Picture::ServerNotRunning, 32).At(13, 13)), Hue::Red);
}

TEST(PicturesTest, EveryPictureDrawsSomethingAtEverySizeAndTheSixFramesDiffer) {
    for (Picture p : {Picture::Connected, Picture::Error, Picture::Searching, Picture::Globe,
                      Picture::Discs, Picture::ServerRunning, Picture::ServerNotRunning,
                      Picture::ProgramIcon, Picture::KeyboardAction, Picture::MouseAction,
                      Picture::SystemAction, Picture::RunAction}) {
        for (int size : {16, 20, 24, 32, 48, 256}) {
            const Image image = DrawPicture(p, size);
            int opaque = 0;
            for (const Rgba& px : image.pixels) opaque += px.a == 255;
            EXPECT_GT(opaque, size * size / 6) << static_cast<int>(p) << " at " << size;
        }
    }
    std::vector<Image> frames;
    for (int frame = 1; frame <= 6; ++frame) {
        frames.push_back(DrawReceiveFrame(frame, 24));
        EXPECT_EQ(DominantHue(frames.back().At(12, 12)), Hue::Blue);
        for (std::size_t earlier = 0; earlier + 1 < frames.size(); ++earlier) {
            int differ = 0;
            for (std::size_t i = 0; i < frames.back().pixels.size(); ++i) {
                const Rgba &a = frames.back().pixels[i], &b = frames[earlier].pixels[i];
                differ += a.r != b.r || a.g != b.g || a.b != b.b;
            }
            EXPECT_GT(differ, 0) << "frames " << earlier + 1 << " and " << frame;
        }
    }
}

}  // namespace
}  // namespace bw::test
