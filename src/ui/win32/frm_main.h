// The main window frmMain: a thin shell that creates the controls, places them for the
// monitor's DPI and draws what the connection logic and the event log tell it.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "platform/text_measure.h"
#include "platform/win32/unique_handle.h"
#include "remote/status_display.h"
#include "ui/event_log.h"

namespace bw::ui {

class FrmMain final : public StatusDisplay, public EventLogView, public TextMeasure {
  public:
    explicit FrmMain(HINSTANCE instance);
    ~FrmMain() override;
    FrmMain(const FrmMain&) = delete;
    FrmMain& operator=(const FrmMain&) = delete;

    HWND Handle() const { return window_.get(); }

    // The lines the log list shows; it holds no copy of its own.
    void SetLogSource(const EventLog* log);
    // Asked when the user closes the window; true lets it close and ends the loop.
    void SetCloseQuestion(std::function<bool()> question) { closeQuestion_ = std::move(question); }

    void ShowCentred();

    void SetStatusText(const std::string& text) override;
    void ShowStatusPicture(StatusPicture picture) override;
    void ShowServerPicture(ServerPicture picture) override;

    void LinesChanged(std::size_t lineCount, std::size_t droppedAtFront) override;
    void ScrollToLastLine() override;
    void SetColumnWidthTwips(float widthTwips) override;

    float WidthInTwips(const std::string& text) override;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    // Fonts, pictures and positions for a DPI; called at creation and when the DPI changes.
    void ApplyDpi(int dpi);
    void DrawPicture(const DRAWITEMSTRUCT& item);
    void FillLogItem(NMLVDISPINFOW& info);

    win32::UniqueWindow window_;
    HWND fraContainer_ = nullptr;
    HWND imgStat_ = nullptr;
    HWND lblWinLIRCStat_ = nullptr;
    HWND imgWinLIRCStat_ = nullptr;
    HWND label1_ = nullptr;
    HWND lstLog_ = nullptr;

    int dpi_ = 96;
    win32::UniqueFont font_;
    win32::UniqueIcon programIconSmall_, programIconLarge_;
    std::array<win32::UniqueIcon, 3> imgTempStat_;         // by StatusPicture
    std::array<win32::UniqueIcon, 2> imgTempWinLIRCStat_;  // by ServerPicture
    win32::UniqueImageList imgStatSmall_;
    StatusPicture statusShown_ = StatusPicture::Searching;
    ServerPicture serverShown_ = ServerPicture::Running;

    const EventLog* log_ = nullptr;
    float logColumnTwips_ = EventLog::kInitialColumnTwips;
    std::wstring itemText_;  // holds the text a list item shows until the list copies it
    std::function<bool()> closeQuestion_;
};

}  // namespace bw::ui
