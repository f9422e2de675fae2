// Each pixel is sampled 4 by 4 times; coverage becomes alpha, so edges are smooth at 16 px.
#include "ui/pictures/canvas.h"

#include <algorithm>
#include <cmath>

namespace bw {

namespace {

constexpr int kSamples = 4;

float Clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

Rgba Mix(Rgba a, Rgba b, float t) {
    auto m = [t](std::uint8_t x, std::uint8_t y) {
        return static_cast<std::uint8_t>(std::lround(x + (y - x) * t));
    };
    return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b), m(a.a, b.a)};
}

}  // namespace

namespace shapes {

Shape Circle(float cx, float cy, float r) {
    return [=](float x, float y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

Shape Ellipse(float cx, float cy, float rx, float ry) {
    return [=](float x, float y) {
        const float dx = (x - cx) / rx, dy = (y - cy) / ry;
        return dx * dx + dy * dy <= 1.0f;
    };
}

Shape Ring(float cx, float cy, float rInner, float rOuter) {
    return Without(Circle(cx, cy, rOuter), Circle(cx, cy, rInner));
}

Shape EllipseRing(float cx, float cy, float rx, float ry, float width) {
    return Without(
        Ellipse(cx, cy, rx + width / 2, ry + width / 2),
        Ellipse(cx, cy, std::max(rx - width / 2, 0.001f), std::max(ry - width / 2, 0.001f)));
}

Shape Segment(float x0, float y0, float x1, float y1, float halfWidth) {
    return [=](float x, float y) {
        const float vx = x1 - x0, vy = y1 - y0;
        const float length2 = vx * vx + vy * vy;
        const float t = length2 > 0 ? Clamp01(((x - x0) * vx + (y - y0) * vy) / length2) : 0.0f;
        const float dx = x - (x0 + t * vx), dy = y - (y0 + t * vy);
        return dx * dx + dy * dy <= halfWidth * halfWidth;
    };
}

Shape Rect(float x0, float y0, float x1, float y1) {
    return [=](float x, float y) { return x >= x0 && x <= x1 && y >= y0 && y <= y1; };
}

Shape RoundRect(float x0, float y0, float x1, float y1, float radius) {
    return [=](float x, float y) {
        if (x < x0 || x > x1 || y < y0 || y > y1) return false;
        const float cx = std::clamp(x, x0 + radius, x1 - radius);
        const float cy = std::clamp(y, y0 + radius, y1 - radius);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
    };
}

Shape Both(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](float x, float y) { return a(x, y) && b(x, y); };
}

Shape Without(Shape a, Shape cut) {
    return [a = std::move(a), cut = std::move(cut)](float x, float y) {
        return a(x, y) && !cut(x, y);
    };
}

}  // namespace shapes

namespace paints {

Paint Solid(Rgba colour) {
    return [colour](float, float) { return colour; };
}

Paint Gloss(Rgba light, Rgba dark, float hx, float hy, float reach) {
    return [=](float x, float y) {
        const float d = std::sqrt((x - hx) * (x - hx) + (y - hy) * (y - hy));
        return Mix(light, dark, Clamp01(d / reach));
    };
}

Paint Vertical(Rgba top, Rgba bottom, float y0, float y1) {
    return [=](float, float y) { return Mix(top, bottom, Clamp01((y - y0) / (y1 - y0))); };
}

}  // namespace paints

Canvas::Canvas(int size) {
    image_.size = std::max(size, 1);
    image_.pixels.assign(static_cast<std::size_t>(image_.size * image_.size), Rgba{});
}

void Canvas::Fill(const Shape& shape, const Paint& paint) {
    const float side = static_cast<float>(image_.size);
    for (int py = 0; py < image_.size; ++py) {
        for (int px = 0; px < image_.size; ++px) {
            float r = 0, g = 0, b = 0, a = 0;
            int covered = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const float x = (px + (sx + 0.5f) / kSamples) / side;
                    const float y = (py + (sy + 0.5f) / kSamples) / side;
                    if (!shape(x, y)) continue;
                    const Rgba c = paint(x, y);
                    const float ca = c.a / 255.0f;
                    r += c.r * ca;
                    g += c.g * ca;
                    b += c.b * ca;
                    a += ca;
                    ++covered;
                }
            }
            if (covered == 0 || a <= 0) continue;
            // Source colour (straight) and its alpha over the whole pixel.
            const float srcA = a / (kSamples * kSamples);
            const float sr = r / a, sg = g / a, sb = b / a;
            Rgba& dst = image_.pixels[static_cast<std::size_t>(py * image_.size + px)];
            const float dstA = dst.a / 255.0f;
            const float outA = srcA + dstA * (1 - srcA);
            auto over = [&](float s, std::uint8_t d) {
                return static_cast<std::uint8_t>(
                    std::lround((s * srcA + d * dstA * (1 - srcA)) / outA));
            };
            dst = {over(sr, dst.r), over(sg, dst.g), over(sb, dst.b),
                   static_cast<std::uint8_t>(std::lround(outA * 255))};
        }
    }
}

}  // namespace bw
