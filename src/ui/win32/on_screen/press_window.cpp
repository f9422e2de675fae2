// Drawing the press's line as light text on a dark translucent panel, sized by the height of
// the monitor in front (about a twentieth: readable from a sofa on a television), with
// per-pixel alpha through UpdateLayeredWindow.
#include "ui/win32/on_screen/press_window.h"

#include <algorithm>
#include <cstdint>

#include "platform/failure.h"
#include "platform/win32/utf16.h"

#include <shellapi.h>

namespace bw::ui {

namespace {

constexpr COLORREF kText = RGB(255, 255, 255), kTrack = RGB(90, 90, 90);
constexpr std::uint8_t kPanel = 24, kPanelAlpha = 208;  // grey level, opacity out of 255
// As a bitmap holds it: blue, green, red from the lowest byte.
constexpr std::uint32_t kPanelPixel = kPanel | kPanel << 8 | kPanel << 16;
// The panel's pixel once premultiplied, with its opacity: most of the picture.
constexpr std::uint32_t kPanelPremultiplied =
    (kPanel * kPanelAlpha / 255) * 0x010101u | std::uint32_t{kPanelAlpha} << 24;

// A 32-bit top-down bitmap whose pixels the drawing code can reach.
struct PixelBitmap {
    win32::UniqueBitmap bitmap;
    std::uint32_t* pixels = nullptr;
    PixelBitmap(HDC dc, int width, int height) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap.reset(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        pixels = static_cast<std::uint32_t*>(bits);
    }
};

// GDI leaves alpha at zero: the text's brightness over the panel becomes its opacity, the
// corners are cut round, and every colour is premultiplied as UpdateLayeredWindow wants.
void SetAlpha(std::uint32_t* pixels, int width, int height, int radius) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t& pixel = pixels[y * width + x];
            const bool panel = pixel == kPanelPixel;
            const int dx = std::max({radius - x, x - (width - 1 - radius), 0});
            const int dy = std::max({radius - y, y - (height - 1 - radius), 0});
            if (dx * dx + dy * dy > radius * radius) {
                pixel = 0;
                continue;
            }
            if (panel) {
                pixel = kPanelPremultiplied;
                continue;
            }
            const int level =
                std::max({int(pixel & 0xFF), int(pixel >> 8 & 0xFF), int(pixel >> 16 & 0xFF)});
            const int ink = std::clamp((level - kPanel) * 255 / (255 - kPanel), 0, 255);
            const int alpha = kPanelAlpha + (255 - kPanelAlpha) * ink / 255;
            auto channel = [&](int shift) {
                return static_cast<std::uint32_t>((pixel >> shift & 0xFF) * alpha / 255) << shift;
            };
            pixel = channel(0) | channel(8) | channel(16) | static_cast<std::uint32_t>(alpha) << 24;
        }
    }
}

}  // namespace

void PressWindow::Show(const std::string& line, std::optional<int> volumePercent) {
    // A held button tells the same line at every repeat: drawn once.
    std::wstring wide = win32::Widen(line);
    if (wanted_ && wide == line_ && volumePercent == volume_) return;
    line_ = std::move(wide);
    volume_ = volumePercent;
    wanted_ = true;
    draw_.Ask();
}

void PressWindow::Hide() {
    // At once, not after the pass: hiding draws nothing, and the computer may be going to
    // sleep, the line may not outlast it.
    wanted_ = false;
    if (window_) ShowWindow(window_.get(), SW_HIDE);
}

void PressWindow::Create() {
    try {
        static const win32::WindowClass windowClass(kPressWindowClass,
                                                    &win32::BoundProcedure<PressWindow>);
        // Click-through (layered and transparent: clicks go to whatever window is under
        // it, of any program), never active, no taskbar button and no Alt+Tab place (a tool
        // window without an owner that never activates).
        window_.reset(CreateWindowExW(
            WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW,
            windowClass.Name(), L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance_, this));
    } catch (const Failure&) {
        // No line on the screen, which only shows what the press already did.
    }
}

HFONT PressWindow::FontFor(int height) {
    if (!font_ || fontHeight_ != height) {
        // The user's message face, at the size the screen calls for, smoothed in grey: the
        // panel's alpha comes from the text's brightness, which colour fringes would spoil.
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        LOGFONTW face = metrics.lfMessageFont;  // zeroed, a failed read is the default face
        face.lfHeight = -height;
        face.lfWidth = 0;
        face.lfWeight = FW_SEMIBOLD;
        face.lfQuality = ANTIALIASED_QUALITY;
        font_.reset(CreateFontIndirectW(&face));
        fontHeight_ = height;
    }
    return font_.get();
}

void PressWindow::Draw() {
    if (!wanted_) return;
    // A game that holds the screen exclusively would drop out of it for a topmost window.
    QUERY_USER_NOTIFICATION_STATE state{};
    if (SHQueryUserNotificationState(&state) == S_OK && state == QUNS_RUNNING_D3D_FULL_SCREEN)
        return Hide();
    if (!window_) Create();
    // A line that cannot be drawn is hidden: a layered window keeps its last picture, which
    // would be the press before.
    if (!window_ || !DrawLine()) Hide();
}

bool PressWindow::DrawLine() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(GetForegroundWindow(), MONITOR_DEFAULTTOPRIMARY),
                         &monitor))
        return false;
    const RECT& screen = monitor.rcMonitor;  // a full-screen player covers the taskbar too
    const int screenWidth = screen.right - screen.left, screenHeight = screen.bottom - screen.top;
    const int textHeight = std::max(16, screenHeight / 20), pad = textHeight / 2;

    const win32::UniqueMemoryDc memory(CreateCompatibleDC(nullptr));
    const HDC dc = memory.get();
    const HFONT font = FontFor(textHeight);
    if (!dc || !font) return false;
    const HGDIOBJ oldFont = SelectObject(dc, font);
    RECT measured{0, 0, 0, 0};
    DrawTextW(dc, line_.c_str(), static_cast<int>(line_.size()), &measured,
              DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    const int lineHeight = measured.bottom, barHeight = volume_ ? std::max(4, textHeight / 5) : 0;
    const int width = std::min<int>(measured.right + 2 * pad, screenWidth - 2 * pad);
    const int height = lineHeight + 2 * pad + (volume_ ? pad / 2 + barHeight : 0);

    bool drawn = false;
    PixelBitmap canvas(dc, width, height);
    if (canvas.pixels) {
        const HGDIOBJ oldBitmap = SelectObject(dc, canvas.bitmap.get());
        std::fill_n(canvas.pixels, width * height, kPanelPixel);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kText);
        RECT text{pad, pad, width - pad, pad + lineHeight};
        DrawTextW(dc, line_.c_str(), static_cast<int>(line_.size()), &text,
                  DT_SINGLELINE | DT_NOPREFIX | DT_CENTER | DT_END_ELLIPSIS);
        if (volume_) {
            RECT track{pad, height - pad - barHeight, width - pad, height - pad};
            const win32::UniqueBrush grey(CreateSolidBrush(kTrack)), white(CreateSolidBrush(kText));
            FillRect(dc, &track, grey.get());
            track.right =
                track.left + (track.right - track.left) * std::clamp(*volume_, 0, 100) / 100;
            FillRect(dc, &track, white.get());
        }
        GdiFlush();
        SetAlpha(canvas.pixels, width, height, pad / 2);
        POINT at{screen.left + (screenWidth - width) / 2,
                 screen.bottom - height - screenHeight / 12};
        SIZE size{width, height};
        POINT origin{0, 0};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        // The text too, for whatever reads windows from outside.
        SetWindowTextW(window_.get(), line_.c_str());
        drawn = UpdateLayeredWindow(window_.get(), nullptr, &at, &size, dc, &origin, 0, &blend,
                                    ULW_ALPHA);
        // Again at the top of the topmost windows at every press: a player that went full
        // screen since, itself topmost, would cover it.
        if (drawn)
            SetWindowPos(window_.get(), HWND_TOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        SelectObject(dc, oldBitmap);
    }
    SelectObject(dc, oldFont);
    return drawn;
}

LRESULT PressWindow::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCHITTEST:
            return HTTRANSPARENT;  // for windows of this thread; the styles do it for others
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace bw::ui
