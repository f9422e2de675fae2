// The Add Action dialog's custom key box: it takes the focus and every key, Alt
// combinations included, reports each key pressed, and shows its text centred, as a prompt
// or as the captured key's name.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/win32/unique_handle.h"
#include "ui/binding_editor.h"

namespace bw::ui {

struct KeyCapture {
    std::function<void(std::int16_t code, std::int16_t mask)> onKeyDown;
    TextRole role = TextRole::Prompt;
};

// Registers the box's window class (kKeyCaptureClass) on first use.
void RegisterKeyCaptureBox();
// The box reports to capture from now on.
void AttachKeyCapture(HWND box, KeyCapture* capture);
// While the hook lives, the dialog manager hands the boxes' keys straight to them:
// otherwise Alt+letter would be taken for the dialog's access keys.
win32::UniqueHook RouteKeysToCaptureBoxes();

}  // namespace bw::ui
