// Drawings in units of the picture's side; see canvas.h.
#include "ui/pictures/pictures.h"

#include <cmath>

namespace bw {

namespace {

using namespace shapes;
using namespace paints;

constexpr Rgba kWhite{255, 255, 255, 255};

struct BallColours {
    Rgba light, dark, rim;
};

constexpr BallColours kGreen{{150, 225, 140, 255}, {25, 125, 45, 255}, {15, 90, 30, 255}};
constexpr BallColours kRed{{250, 140, 130, 255}, {195, 30, 30, 255}, {130, 15, 15, 255}};
constexpr BallColours kBlue{{140, 190, 250, 255}, {30, 90, 200, 255}, {15, 55, 140, 255}};

void Ball(Canvas& c, const BallColours& colours) {
    c.Fill(Circle(0.5f, 0.5f, 0.47f), Solid(colours.rim));
    c.Fill(Circle(0.5f, 0.5f, 0.43f), Gloss(colours.light, colours.dark, 0.38f, 0.30f, 0.62f));
    c.Fill(Ellipse(0.5f, 0.27f, 0.27f, 0.13f), Solid({255, 255, 255, 80}));
}

void Check(Canvas& c) {
    c.Fill(Segment(0.28f, 0.52f, 0.43f, 0.67f, 0.07f), Solid(kWhite));
    c.Fill(Segment(0.43f, 0.67f, 0.72f, 0.35f, 0.07f), Solid(kWhite));
}

void Cross(Canvas& c) {
    c.Fill(Segment(0.33f, 0.33f, 0.67f, 0.67f, 0.07f), Solid(kWhite));
    c.Fill(Segment(0.67f, 0.33f, 0.33f, 0.67f, 0.07f), Solid(kWhite));
}

void Magnifier(Canvas& c) {
    c.Fill(Ring(0.44f, 0.44f, 0.12f, 0.19f), Solid(kWhite));
    c.Fill(Segment(0.58f, 0.58f, 0.71f, 0.71f, 0.065f), Solid(kWhite));
}

void Globe(Canvas& c) {
    Ball(c, kBlue);
    const Shape inside = Circle(0.5f, 0.5f, 0.34f);
    const Paint line = Solid({255, 255, 255, 230});
    c.Fill(Ring(0.5f, 0.5f, 0.31f, 0.35f), line);
    c.Fill(Both(EllipseRing(0.5f, 0.5f, 0.13f, 0.33f, 0.04f), inside), line);
    c.Fill(Both(Rect(0.1f, 0.48f, 0.9f, 0.52f), inside), line);
    c.Fill(Both(EllipseRing(0.5f, 0.12f, 0.40f, 0.26f, 0.04f), inside), line);
    c.Fill(Both(EllipseRing(0.5f, 0.88f, 0.40f, 0.26f, 0.04f), inside), line);
}

void Discs(Canvas& c) {
    const Rgba side{25, 70, 160, 255}, top{110, 165, 240, 255}, edge{15, 45, 110, 255};
    for (int i = 0; i < 3; ++i) {
        const float y = 0.70f - 0.20f * i;
        c.Fill(Ellipse(0.5f, y + 0.09f, 0.40f, 0.14f), Solid(edge));
        c.Fill(Rect(0.10f, y, 0.90f, y + 0.09f), Solid(side));
        c.Fill(Ellipse(0.5f, y + 0.08f, 0.38f, 0.12f), Solid(side));
        c.Fill(Ellipse(0.5f, y, 0.40f, 0.14f), Solid(edge));
        c.Fill(Ellipse(0.5f, y, 0.38f, 0.12f), Vertical(top, side, y - 0.12f, y + 0.12f));
        c.Fill(Ellipse(0.5f, y, 0.09f, 0.035f), Solid(edge));
    }
}

void Computer(Canvas& c) {
    const Rgba casing{70, 74, 86, 255}, casingDark{35, 38, 46, 255};
    c.Fill(RoundRect(0.04f, 0.10f, 0.72f, 0.62f, 0.05f), Solid(casingDark));
    c.Fill(RoundRect(0.06f, 0.12f, 0.70f, 0.60f, 0.04f), Solid(casing));
    c.Fill(Rect(0.11f, 0.17f, 0.65f, 0.54f),
           Vertical({120, 185, 250, 255}, {30, 80, 185, 255}, 0.17f, 0.54f));
    c.Fill(Rect(0.32f, 0.62f, 0.44f, 0.72f), Solid(casingDark));
    c.Fill(RoundRect(0.20f, 0.71f, 0.56f, 0.79f, 0.03f), Solid(casing));
    // The receiver: a small box with its red window, on a cable to the computer.
    c.Fill(Segment(0.56f, 0.82f, 0.74f, 0.82f, 0.018f), Solid(casingDark));
    c.Fill(RoundRect(0.72f, 0.64f, 0.97f, 0.90f, 0.05f), Solid({30, 30, 34, 255}));
    c.Fill(Circle(0.845f, 0.74f, 0.065f),
           Gloss({255, 120, 110, 255}, {150, 10, 10, 255}, 0.825f, 0.72f, 0.08f));
    const Shape aboveRight = [](float x, float y) { return x > 0.845f && y < 0.74f; };
    c.Fill(Both(Ring(0.845f, 0.74f, 0.12f, 0.15f), aboveRight), Solid({200, 40, 40, 255}));
    c.Fill(Both(Ring(0.845f, 0.74f, 0.20f, 0.23f), aboveRight), Solid({200, 40, 40, 200}));
}

void Prohibition(Canvas& c) {
    const Rgba red{215, 25, 25, 235};
    c.Fill(Ring(0.5f, 0.5f, 0.35f, 0.45f), Solid(red));
    c.Fill(Both(Segment(0.25f, 0.25f, 0.75f, 0.75f, 0.05f), Circle(0.5f, 0.5f, 0.37f)), Solid(red));
}

void Remote(Canvas& c) {
    const Rgba body{55, 60, 72, 255}, bodyLight{95, 102, 118, 255}, key{205, 210, 220, 255};
    c.Fill(RoundRect(0.27f, 0.10f, 0.69f, 0.96f, 0.12f), Solid({25, 28, 34, 255}));
    c.Fill(RoundRect(0.29f, 0.12f, 0.67f, 0.94f, 0.10f),
           Gloss(bodyLight, body, 0.36f, 0.20f, 0.70f));
    c.Fill(RoundRect(0.40f, 0.15f, 0.56f, 0.20f, 0.02f), Solid({200, 30, 30, 255}));
    c.Fill(Circle(0.48f, 0.33f, 0.085f), Gloss(kBlue.light, kBlue.dark, 0.46f, 0.30f, 0.10f));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            c.Fill(Circle(0.38f + 0.10f * col, 0.52f + 0.12f * row, 0.04f), Solid(key));
    // The beam leaving the top of the remote.
    const Shape above = [](float, float y) { return y < 0.10f; };
    c.Fill(Both(Ring(0.48f, 0.16f, 0.10f, 0.13f), above), Solid({220, 50, 50, 255}));
    c.Fill(Both(Ring(0.48f, 0.16f, 0.17f, 0.20f), above), Solid({220, 50, 50, 190}));
}

void Keyboard(Canvas& c) {
    const Rgba key{245, 246, 250, 255};
    c.Fill(RoundRect(0.03f, 0.24f, 0.97f, 0.80f, 0.08f), Solid({40, 44, 54, 255}));
    c.Fill(RoundRect(0.06f, 0.27f, 0.94f, 0.77f, 0.06f),
           Vertical({120, 126, 140, 255}, {70, 75, 88, 255}, 0.27f, 0.77f));
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 5; ++col) {
            const float x = 0.11f + 0.165f * col, y = 0.32f + 0.15f * row;
            c.Fill(RoundRect(x, y, x + 0.13f, y + 0.11f, 0.02f), Solid(key));
        }
    c.Fill(RoundRect(0.25f, 0.62f, 0.75f, 0.72f, 0.02f), Solid(key));  // the space bar
}

void Mouse(Canvas& c) {
    const Rgba outline{40, 44, 54, 255};
    c.Fill(RoundRect(0.22f, 0.06f, 0.78f, 0.96f, 0.27f), Solid(outline));
    c.Fill(RoundRect(0.25f, 0.09f, 0.75f, 0.93f, 0.24f),
           Gloss({255, 255, 255, 255}, {175, 182, 196, 255}, 0.40f, 0.30f, 0.80f));
    c.Fill(Rect(0.25f, 0.42f, 0.75f, 0.45f), Solid(outline));
    c.Fill(Rect(0.485f, 0.09f, 0.515f, 0.43f), Solid(outline));
    c.Fill(RoundRect(0.455f, 0.17f, 0.545f, 0.34f, 0.04f), Solid({30, 90, 200, 255}));
}

void Gear(Canvas& c) {
    constexpr int kTeeth = 8;
    constexpr float kPi = 3.14159265f;
    const Shape teeth = [](float x, float y) {
        const float dx = x - 0.5f, dy = y - 0.5f;
        const float r = std::sqrt(dx * dx + dy * dy);
        const float angle = std::atan2(dy, dx) * kTeeth / (2 * kPi);
        const float fromTooth = std::fabs(angle - std::round(angle));
        return r < 0.47f && fromTooth < 0.22f;
    };
    const Rgba rim{35, 55, 100, 255};
    const Paint metal = Gloss({175, 205, 245, 255}, {45, 85, 165, 255}, 0.38f, 0.32f, 0.6f);
    c.Fill(Without(Both(teeth, Circle(0.5f, 0.5f, 0.49f)), Circle(0.5f, 0.5f, 0.13f)), Solid(rim));
    c.Fill(Without(Circle(0.5f, 0.5f, 0.36f), Circle(0.5f, 0.5f, 0.16f)), Solid(rim));
    c.Fill(Without(Both(teeth, Circle(0.5f, 0.5f, 0.45f)), Circle(0.5f, 0.5f, 0.16f)), metal);
    c.Fill(Without(Circle(0.5f, 0.5f, 0.33f), Circle(0.5f, 0.5f, 0.16f)), metal);
}

void ProgramWindow(Canvas& c) {
    c.Fill(RoundRect(0.04f, 0.10f, 0.86f, 0.82f, 0.05f), Solid({40, 44, 54, 255}));
    c.Fill(Rect(0.07f, 0.13f, 0.83f, 0.27f), Vertical(kBlue.light, kBlue.dark, 0.13f, 0.27f));
    c.Fill(Rect(0.07f, 0.29f, 0.83f, 0.79f), Solid({248, 248, 250, 255}));
    // The start arrow over the window's lower right corner.
    const Shape arrow = [](float x, float y) {
        const float left = 0.46f, right = 0.98f, top = 0.42f, bottom = 0.98f;
        const float middle = (top + bottom) / 2;
        if (x < left || x > right) return false;
        const float half = (bottom - top) / 2 * (right - x) / (right - left);
        return y > middle - half && y < middle + half;
    };
    const Shape outline = [arrow](float x, float y) {
        return arrow(x, y) || arrow(x + 0.05f, y) || arrow(x, y + 0.04f) || arrow(x, y - 0.04f);
    };
    c.Fill(outline, Solid({15, 90, 30, 255}));
    c.Fill(arrow, Gloss(kGreen.light, kGreen.dark, 0.60f, 0.55f, 0.45f));
}

void Information(Canvas& c) {
    const Rgba blue{30, 90, 200, 255};
    const Shape balloon = Both(Ellipse(0.5f, 0.42f, 0.46f, 0.38f), Rect(0, 0, 1, 1));
    const Shape tail = [](float x, float y) {
        // A triangle from the balloon's lower left down to a point.
        return y > 0.66f && y < 0.96f && x > 0.20f && x < 0.42f - (y - 0.66f) * 0.6f;
    };
    c.Fill(balloon, Solid(blue));
    c.Fill(tail, Solid(blue));
    c.Fill(Ellipse(0.5f, 0.42f, 0.42f, 0.34f),
           Vertical({255, 255, 255, 255}, {215, 228, 248, 255}, 0.1f, 0.8f));
    c.Fill([&](float x, float y) { return tail(x + 0.035f, y + 0.05f) && y < 0.86f; },
           Solid({225, 235, 250, 255}));
    c.Fill(Circle(0.5f, 0.22f, 0.06f), Solid(blue));
    c.Fill(RoundRect(0.445f, 0.32f, 0.555f, 0.64f, 0.02f), Solid(blue));
}

}  // namespace

Image DrawReceiveFrame(int frame, int sizePixels) {
    constexpr float kPi = 3.14159265f;
    // From the top left, clockwise: one sixth of the way round per frame.
    const float angle = kPi * 1.25f + (frame - 1) * (2 * kPi / 6);
    const float hx = 0.5f + 0.22f * std::cos(angle), hy = 0.5f + 0.22f * std::sin(angle);
    Canvas c(sizePixels);
    c.Fill(Circle(0.5f, 0.5f, 0.47f), Solid(kBlue.rim));
    c.Fill(Circle(0.5f, 0.5f, 0.43f), Gloss({225, 240, 255, 255}, kBlue.dark, hx, hy, 0.62f));
    c.Fill(Circle(hx, hy, 0.10f), Solid({255, 255, 255, 170}));
    return c.Take();
}

Image DrawPicture(Picture picture, int sizePixels) {
    Canvas c(sizePixels);
    switch (picture) {
        case Picture::Connected:
            Ball(c, kGreen);
            Check(c);
            break;
        case Picture::Error:
            Ball(c, kRed);
            Cross(c);
            break;
        case Picture::Searching:
            Ball(c, kBlue);
            Magnifier(c);
            break;
        case Picture::Globe:
            Globe(c);
            break;
        case Picture::Discs:
            Discs(c);
            break;
        case Picture::ServerRunning:
            Computer(c);
            break;
        case Picture::ServerNotRunning:
            Computer(c);
            Prohibition(c);
            break;
        case Picture::ProgramIcon:
            Remote(c);
            break;
        case Picture::KeyboardAction:
            Keyboard(c);
            break;
        case Picture::MouseAction:
            Mouse(c);
            break;
        case Picture::SystemAction:
            Gear(c);
            break;
        case Picture::RunAction:
            ProgramWindow(c);
            break;
        case Picture::Information:
            Information(c);
            break;
    }
    return c.Take();
}

}  // namespace bw
