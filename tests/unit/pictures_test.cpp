// The pictures must be recognisable in their roles at every size the window asks for:
// the right colour at the centre, a white symbol, transparent corners, soft edges.
#include "ui/pictures/pictures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace bw::test {
namespace {

enum class Hue { Red, Green, Blue };

Hue DominantHue(const Rgba& p) {
    if (p.r >= p.g && p.r >= p.b) return Hue::Red;
    return p.g >= p.b ? Hue::Green : Hue::Blue;
}

int CountWhite(const Image& image) {
    int n = 0;
    for (const Rgba& p : image.pixels) n += p.a == 255 && p.r > 230 && p.g > 230 && p.b > 230;
    return n;
}

struct Role {
    Picture picture;
    Hue hue;
};

class StatusPictureTest : public ::testing::TestWithParam<std::tuple<Role, int>> {};

TEST_P(StatusPictureTest, ShowsItsColourAWhiteSymbolAndTransparentCorners) {
    const auto [role, size] = GetParam();
    const Image image = DrawPicture(role.picture, size);
    ASSERT_EQ(image.size, size);
    ASSERT_EQ(image.pixels.size(), static_cast<std::size_t>(size * size));

    // Just inside the rim, below-left of the symbol: the ball's own colour.
    const Rgba& body = image.At(size / 4, size * 3 / 4);
    EXPECT_EQ(body.a, 255);
    EXPECT_EQ(DominantHue(body), role.hue);
    EXPECT_GT(CountWhite(image), size / 2) << "symbol missing";
    for (const auto& [x, y] : {std::pair{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}})
        EXPECT_EQ(image.At(x, y).a, 0) << x << "," << y;

    int partial = 0;
    for (const Rgba& p : image.pixels) partial += p.a > 0 && p.a < 255;
    EXPECT_GT(partial, 0) << "edges are not anti-aliased";
}

INSTANTIATE_TEST_SUITE_P(AtEveryScale, StatusPictureTest,
                         ::testing::Combine(::testing::Values(Role{Picture::Connected, Hue::Green},
                                                              Role{Picture::Error, Hue::Red},
                                                              Role{Picture::Searching, Hue::Blue}),
                                            ::testing::Values(16, 24, 36, 48)));

TEST(PicturesTest, ServerNotRunningIsTheRunningPictureCrossedOutInRed) {
    const Image running = DrawPicture(Picture::ServerRunning, 32);
    const Image stopped = DrawPicture(Picture::ServerNotRunning, 32);
    // The screen's centre is blue; the bar of the sign crosses it in red.
    EXPECT_EQ(DominantHue(running.At(13, 13)), Hue::Blue);
    EXPECT_EQ(DominantHue(stopped.At(13, 13)), Hue::Red);
    int changed = 0;
    for (std::size_t i = 0; i < running.pixels.size(); ++i) {
        const Rgba &a = running.pixels[i], &b = stopped.pixels[i];
        changed += a.r != b.r || a.g != b.g || a.b != b.b || a.a != b.a;
    }
    EXPECT_GT(changed, 32 * 32 / 8);
    EXPECT_LT(changed, 32 * 32 / 2) << "the computer should still show through";
}

TEST(PicturesTest, EveryPictureDrawsSomethingAtEverySize) {
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
}

// Where the brightest part of the picture lies.
std::pair<float, float> HighlightCentre(const Image& image) {
    float x = 0, y = 0, weight = 0;
    for (int py = 0; py < image.size; ++py)
        for (int px = 0; px < image.size; ++px) {
            const Rgba& p = image.At(px, py);
            if (p.a == 255 && p.r > 200 && p.g > 200) {
                x += static_cast<float>(px);
                y += static_cast<float>(py);
                weight += 1;
            }
        }
    return {x / weight, y / weight};
}

TEST(PicturesTest, TheReceiveAnimationsHighlightGoesRoundClockwiseFrameByFrame) {
    constexpr float kPi = 3.14159265f;
    float previous = 0;
    for (int frame = 1; frame <= 6; ++frame) {
        const Image image = DrawReceiveFrame(frame, 24);
        EXPECT_EQ(DominantHue(image.At(12, 12)), Hue::Blue);
        const auto [x, y] = HighlightCentre(image);
        const float angle = std::atan2(y - 11.5f, x - 11.5f);
        if (frame > 1) {
            float step = angle - previous;
            if (step < 0) step += 2 * kPi;
            EXPECT_NEAR(step, 2 * kPi / 6, 0.35f) << "frame " << frame;
        }
        previous = angle;
    }
}

}  // namespace
}  // namespace bw::test
