// Text conversion at the Windows boundary, system error texts, measurement, and drawn
// pictures turned into icons with the right colours.
#include <gtest/gtest.h>

#include "platform/win32/win32_config.h"

#include "platform/win32/gdi_text.h"
#include "platform/win32/system_error.h"
#include "platform/win32/utf16.h"
#include "ui/win32/icon_factory.h"

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

// The colour of one pixel of an icon, as Windows holds it.
COLORREF IconPixel(HICON icon, int x, int y, int& size) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return CLR_INVALID;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    size = bitmap.bmWidth;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, info.hbmColor);
    const COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return colour;
}

TEST(IconFactoryTest, IconsKeepTheirSizeAndColours) {
    struct Case {
        Picture picture;
        int size;
        bool red, green, blue;  // which channel dominates below-left of the symbol
    };
    for (const Case& c : {Case{Picture::Connected, 24, false, true, false},
                          Case{Picture::Error, 36, true, false, false},
                          Case{Picture::Searching, 16, false, false, true}}) {
        win32::UniqueIcon icon = ui::MakeIcon(c.picture, c.size);
        ASSERT_TRUE(icon);
        int size = 0;
        const COLORREF p = IconPixel(icon.get(), c.size / 4, c.size * 3 / 4, size);
        ASSERT_NE(p, CLR_INVALID);
        EXPECT_EQ(size, c.size);
        const int r = GetRValue(p), g = GetGValue(p), b = GetBValue(p);
        const bool dominant = c.red ? r > g && r > b : c.green ? g > r && g > b : b > r && b > g;
        EXPECT_TRUE(dominant) << "r " << r << " g " << g << " b " << b;
    }
}

}  // namespace
}  // namespace bw::test
