// The About box aboutBox: the program's name and version, what it does, a link to the
// receiver server's home page and one to the program's read-me. Built at every opening.
#pragma once

#include <array>
#include <string>

#include "emulation/launcher.h"
#include "platform/win32/unique_handle.h"
#include "ui/win32/modal_dialog.h"

namespace bw::ui {

inline constexpr const char* kWinLircHomePage = "http://winlirc.sourceforge.net/";

class AboutBox final : private ModalDialog {
  public:
    // The maker's link opens the read-me that comes with the program.
    // version: "Buttonwise 1.0", as the first line shows it.
    AboutBox(Launcher& launcher, std::string version, std::string readmePath)
        : launcher_(launcher), version_(std::move(version)), readmePath_(std::move(readmePath)) {}
    // Modal to the owner, which takes no input meanwhile; returns when closed. *shown names
    // it while it is open.
    void ShowModal(HWND owner, HWND* shown);

  private:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ApplyDpi(int dpi) override;
    void CreateControls();
    void OpenLink(int index);

    Launcher& launcher_;
    std::string version_;
    std::string readmePath_;
    HWND* shown_ = nullptr;
    std::array<HWND, 2> links_{};
    std::array<bool, 2> clicked_{};
    win32::UniqueFont font_, linkFont_;
    win32::UniqueIcon icon_;
};

}  // namespace bw::ui
