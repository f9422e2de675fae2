// The line a press shows, on the screen the user looks at: a layered, topmost window at the
// bottom centre of the monitor of the window in front, above a full-screen player, that
// never takes the focus, the foreground or a click, and is in neither the taskbar nor
// Alt+Tab.
#pragma once

#include <optional>
#include <string>

#include "platform/win32/paced_call.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/window_class.h"
#include "ui/press_display.h"

namespace bw::ui {

// Its class, by which it can be found from outside; its text is the line it shows.
inline constexpr wchar_t kPressWindowClass[] = L"ButtonwisePresses";

class PressWindow final : public PressView {
  public:
    explicit PressWindow(HINSTANCE instance) : instance_(instance) {}
    PressWindow(const PressWindow&) = delete;
    PressWindow& operator=(const PressWindow&) = delete;

    void Show(const std::string& line, std::optional<int> volumePercent) override;
    void Hide() override;

  private:
    friend LRESULT CALLBACK win32::BoundProcedure<PressWindow>(HWND, UINT, WPARAM, LPARAM);
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // After the pass: the window is made on the first press, drawn for the monitor in front.
    void Draw();
    // False when the line could not be drawn.
    bool DrawLine();
    void Create();
    HFONT FontFor(int height);

    HINSTANCE instance_;
    win32::UniqueWindow window_;
    win32::UniqueFont font_;
    int fontHeight_ = 0;
    std::wstring line_;
    std::optional<int> volume_;
    bool wanted_ = false;
    // Once a burst of lines is over; under a flood, twice a second, as the views: a draw
    // takes Wine about 5 ms, which the lines behind it wait for.
    win32::PacedCall draw_{[this] { Draw(); }, std::chrono::milliseconds(10),
                           std::chrono::milliseconds(500)};
};

}  // namespace bw::ui
