// Window positions are given in twips (1/1440 inch); this turns them into pixels at a DPI.
#pragma once

namespace bw {

inline constexpr int kTwipsPerInch = 1440;

// Rounds to the nearest pixel, so that 15 twips are one pixel at 96 DPI.
constexpr int TwipsToPixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + kTwipsPerInch / 2) / kTwipsPerInch
                                        : -((-scaled + kTwipsPerInch / 2) / kTwipsPerInch));
}

constexpr float PixelsToTwips(float pixels, int dpi) {
    return pixels * static_cast<float>(kTwipsPerInch) / static_cast<float>(dpi);
}

}  // namespace bw
