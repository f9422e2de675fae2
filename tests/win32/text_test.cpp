// Text conversion at the Windows boundary, system error texts and text measurement.
#include <gtest/gtest.h>

#include "platform/win32/win32_config.h"

#include "platform/win32/gdi_text.h"
#include "platform/win32/system_error.h"
#include "platform/win32/utf16.h"

namespace bw::test {
namespace {

TEST(Utf16Test, AnyTextSurvivesTheRoundTrip) {
    for (const std::string text : {"", "PLAY", "Grüße aus Köln", "音量 ☃", "𝄞 clef", "a\tb\nc"})
        EXPECT_EQ(win32::Narrow(win32::Widen(text)), text);
    EXPECT_EQ(win32::Widen("é"), std::wstring(L"\u00e9"));
    EXPECT_EQ(win32::Widen("\xff"
                           "a")
                  .back(),
              L'a')
        << "a bad byte must not eat the rest";
}

TEST(SystemErrorTest, KnownErrorsAreWordedAndUnknownOnesNamedByNumber) {
    const std::string refused = win32::SystemErrorDescription(10061);
    EXPECT_FALSE(refused.empty());
    EXPECT_NE(refused.back(), '\n');
    EXPECT_EQ(win32::SystemErrorDescription(0x2ffff123u), "Windows error 805302563");
}

TEST(MeasureTest, WiderTextsMeasureWiderAndEmptyIsZero) {
    HWND window =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    const float empty = win32::MeasureTextTwips(window, nullptr, 96, "");
    const float narrow = win32::MeasureTextTwips(window, nullptr, 96, "WinLIRC");
    const float wide = win32::MeasureTextTwips(window, nullptr, 96, "WinLIRC is not running!");
    EXPECT_EQ(empty, 0.0f);
    EXPECT_GT(narrow, 0.0f);
    EXPECT_GT(wide, narrow * 2);
    // The same pixels are fewer twips at a higher DPI.
    EXPECT_FLOAT_EQ(win32::MeasureTextTwips(window, nullptr, 192, "WinLIRC"), narrow / 2);
    DestroyWindow(window);
}

}  // namespace
}  // namespace bw::test
