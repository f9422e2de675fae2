// A tiny anti-aliased rasteriser for the program's pictures. Shapes are given in units of
// the picture's side (0..1), so one drawing serves every pixel size a monitor's DPI asks for.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace bw {

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
};

// Straight (not premultiplied) alpha, rows top to bottom.
struct Image {
    int size = 0;
    std::vector<Rgba> pixels;
    const Rgba& At(int x, int y) const { return pixels[static_cast<std::size_t>(y * size + x)]; }
};

using Shape = std::function<bool(float x, float y)>;
using Paint = std::function<Rgba(float x, float y)>;

namespace shapes {
Shape Circle(float cx, float cy, float r);
Shape Ellipse(float cx, float cy, float rx, float ry);
Shape Ring(float cx, float cy, float rInner, float rOuter);
Shape EllipseRing(float cx, float cy, float rx, float ry, float width);
// A thick line with round ends.
Shape Segment(float x0, float y0, float x1, float y1, float halfWidth);
Shape Rect(float x0, float y0, float x1, float y1);
Shape RoundRect(float x0, float y0, float x1, float y1, float radius);
Shape Both(Shape a, Shape b);
Shape Without(Shape a, Shape cut);
}  // namespace shapes

namespace paints {
Paint Solid(Rgba colour);
// Light at (hx, hy) fading to dark at distance `reach`: the glossy look of a round button.
Paint Gloss(Rgba light, Rgba dark, float hx, float hy, float reach);
// Top-to-bottom blend between y0 and y1.
Paint Vertical(Rgba top, Rgba bottom, float y0, float y1);
}  // namespace paints

class Canvas {
  public:
    explicit Canvas(int size);
    // Paints shape over what is drawn already.
    void Fill(const Shape& shape, const Paint& paint);
    Image Take() { return std::move(image_); }

  private:
    Image image_;
};

}  // namespace bw
