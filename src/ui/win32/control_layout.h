// A window's controls as data: one table per window gives each control's class, id, text,
// place in pixels at 96 DPI, style and whether it grows to its text; one routine creates
// them and another places them for a DPI, at creation and again when the DPI changes.
#pragma once

#include <span>

#include "platform/win32/windows_api.h"

namespace bw::ui {

// Pixels at 96 DPI, the one unit every layout is designed in.
struct Rect96 {
    int left, top, width, height;
};

enum class Fit {
    Design,      // the design's size
    GrowToText,  // at least as wide as its text in the font in use: nothing is cut
};

struct ControlSpec {
    const wchar_t* kind;  // the window class
    int id;
    const wchar_t* text;
    Rect96 place;
    DWORD style = 0;  // beyond WS_CHILD | WS_VISIBLE
    DWORD exStyle = 0;
    Fit fit = Fit::Design;
    bool behind = false;  // frames: below every other control, so they never cover one
};

// Creates the controls in the order of the table, which is their tab order.
void CreateControls(HWND parent, std::span<const ControlSpec> layout);
// Sets the font and places every control of the table for the DPI.
void PlaceControls(HWND parent, std::span<const ControlSpec> layout, HFONT font, int dpi);

// Where a control stands in its parent's client area, and moving it there without resizing:
// for the parts of a layout that follow a measured text.
RECT PlaceInParent(HWND control);
void MoveControl(HWND control, int left, int top);

}  // namespace bw::ui
