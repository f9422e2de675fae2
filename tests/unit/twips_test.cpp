// The window's design is in twips; these are the pixel sizes people see at common scales.
#include "platform/twips.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

TEST(TwipsTest, DesignSizesBecomeTheExpectedPixelsAtCommonScales) {
    struct Case {
        int twips, dpi, pixels;
    };
    for (const Case& c : {Case{6180, 96, 412}, Case{6360, 96, 424}, Case{15, 96, 1},
                          Case{6180, 144, 618}, Case{360, 144, 36}, Case{480, 120, 40},
                          Case{7, 96, 0}, Case{8, 96, 1}, Case{0, 192, 0}, Case{-15, 96, -1}})
        EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
    EXPECT_FLOAT_EQ(PixelsToTwips(20, 96), 300.0f);
    EXPECT_FLOAT_EQ(PixelsToTwips(30, 144), 300.0f);
}

}  // namespace
}  // namespace bw::test
