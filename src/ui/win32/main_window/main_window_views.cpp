// What the main window shows: the status pictures and text, the event log and the action
// list (both owner-data lists that read their rows from the core), drawn when told.
#include "ui/win32/main_window/main_window.h"

#include "platform/win32/gdi_text.h"
#include "platform/win32/utf16.h"
#include "platform/win32/window_class.h"

namespace bw::ui {

namespace {

// Accessible names of the pictures: what a screen reader says, and what the picture shows.
const wchar_t* StatusPictureName(StatusPicture picture) {
    switch (picture) {
        case StatusPicture::Connected:
            return L"Connected";
        case StatusPicture::Error:
            return L"Error";
        case StatusPicture::Searching:
            return L"Searching";
    }
    return L"";
}

// The button and the action show what the row is limited to.
std::string ActionColumnText(const ActionRow& row, int column) {
    switch (column) {
        case 1:
            return ButtonText(row);
        case 2:
            return ActionText(row);
        default:
            return {};
    }
}

const wchar_t* ServerPictureName(ServerPicture picture) {
    return picture == ServerPicture::Running ? L"WinLIRC running" : L"WinLIRC not running";
}

}  // namespace

void MainWindow::SetLogSource(EventLog* log) {
    log_ = log;
    ListView_SetItemCountEx(eventLogView_, log ? log->Count() : 0, 0);
}

void MainWindow::SetStatusText(const std::string& text) {
    SetWindowTextW(statusText_, win32::Widen(text).c_str());
}

void MainWindow::ShowStatusPicture(StatusPicture picture) {
    statusShown_ = picture;
    receiveFrameShown_ = 0;
    receiveFrameDrawn_ = true;
    SetWindowTextW(statusPicture_, StatusName().c_str());
    InvalidateRect(statusPicture_, nullptr, FALSE);
}

void MainWindow::ShowReceiveFrame(int frame) {
    if (frame < 1 || frame > 6) return;
    receiveFrameShown_ = frame;
    // Setting the picture's name repaints it at once: that waits for the refresh.
    receiveFrameDrawn_ = false;
    refresh_.Ask();
}

void MainWindow::RefreshViews() {
    if (log_) log_->ShowWrittenLines();
    if (!receiveFrameDrawn_) {
        receiveFrameDrawn_ = true;
        SetWindowTextW(statusPicture_, StatusName().c_str());
        InvalidateRect(statusPicture_, nullptr, FALSE);
    }
}

HICON MainWindow::StatusIcon() const {
    if (receiveFrameShown_ > 0)
        return receiveIcons_[static_cast<std::size_t>(receiveFrameShown_ - 1)].get();
    return statusIcons_[static_cast<std::size_t>(statusShown_)].get();
}

std::wstring MainWindow::StatusName() const {
    if (receiveFrameShown_ > 0) return L"Receiving " + std::to_wstring(receiveFrameShown_);
    return StatusPictureName(statusShown_);
}

void MainWindow::SetActionSource(const ActionList* actions) {
    list_ = actions;
    ActionRowsChanged(actions ? actions->Count() : 0);
}

void MainWindow::ActionRowsChanged(std::size_t count) {
    ListView_SetItemCountEx(actionListView_, static_cast<int>(count), LVSICF_NOSCROLL);
    // Rows below a removed one moved up; every shown row may have changed.
    InvalidateRect(actionListView_, nullptr, FALSE);
}

std::vector<std::size_t> MainWindow::SelectedRows() {
    std::vector<std::size_t> rows;
    for (int i = ListView_GetNextItem(actionListView_, -1, LVNI_SELECTED); i >= 0;
         i = ListView_GetNextItem(actionListView_, i, LVNI_SELECTED))
        rows.push_back(static_cast<std::size_t>(i) + 1);
    return rows;
}

std::optional<std::size_t> MainWindow::FocusedRow() {
    const int item = ListView_GetNextItem(actionListView_, -1, LVNI_FOCUSED);
    if (item < 0) return std::nullopt;
    return static_cast<std::size_t>(item) + 1;
}

void MainWindow::SelectOnly(std::optional<std::size_t> position) {
    ListView_SetItemState(actionListView_, -1, 0, LVIS_SELECTED);
    if (!position) return;
    const int item = static_cast<int>(*position) - 1;
    // Focused too: the arrow keys and Alt+Up go on from the row that was moved to.
    ListView_SetItemState(actionListView_, item, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(actionListView_, item, FALSE);
}

void MainWindow::ShowServerPicture(ServerPicture picture) {
    serverShown_ = picture;
    SetWindowTextW(serverPicture_, ServerPictureName(picture));
    InvalidateRect(serverPicture_, nullptr, FALSE);
}

void MainWindow::LinesWritten() {
    refresh_.Ask();
}

void MainWindow::LinesChanged(std::size_t lineCount, std::size_t droppedAtFront) {
    ListView_SetItemCountEx(eventLogView_, static_cast<int>(lineCount), LVSICF_NOSCROLL);
    // Every shown row moved up when old lines went.
    if (droppedAtFront > 0) InvalidateRect(eventLogView_, nullptr, FALSE);
}

void MainWindow::ScrollToLastLine() {
    if (log_ && log_->Count() > 0) ListView_EnsureVisible(eventLogView_, log_->Count() - 1, FALSE);
}

void MainWindow::SetColumnWidth(float widthAt96) {
    logColumnWidth_ = widthAt96;
    ListView_SetColumnWidth(eventLogView_, 0, win32::ScaleForDpi(widthAt96, dpi_));
}

float MainWindow::WidthAt96(const std::string& text) {
    return win32::MeasureTextAt96(window_.get(), font_.get(), dpi_, text);
}

void MainWindow::DrawPicture(const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    HICON icon = nullptr;
    int size = 0;
    if (item.hwndItem == statusPicture_) {
        icon = StatusIcon();
        size = win32::ScaleForDpi(24, dpi_);
    } else if (item.hwndItem == serverPicture_) {
        icon = serverIcons_[static_cast<std::size_t>(serverShown_)].get();
        size = win32::ScaleForDpi(32, dpi_);
    }
    if (icon)
        DrawIconEx(item.hDC, item.rcItem.left, item.rcItem.top, icon, size, size, 0, nullptr,
                   DI_NORMAL);
}

void MainWindow::FillLogItem(NMLVDISPINFOW& info) {
    LVITEMW& item = info.item;
    if (!log_ || item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= log_->Count()) return;
    const LogLine& line = log_->Line(static_cast<std::size_t>(item.iItem));
    if (item.mask & LVIF_TEXT) {
        itemText_ = win32::Widen(line.text);
        if (item.pszText && item.cchTextMax > 0) {
            lstrcpynW(item.pszText, itemText_.c_str(), item.cchTextMax);
        }
    }
    if (item.mask & LVIF_IMAGE) item.iImage = LogIconNumber(line.kind) - 1;
}

void MainWindow::FillActionItem(NMLVDISPINFOW& info) {
    LVITEMW& item = info.item;
    if (!list_ || item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= list_->Count())
        return;
    const ActionRow& row = list_->Row(static_cast<std::size_t>(item.iItem) + 1);
    if (item.mask & LVIF_TEXT) {
        itemText_ = win32::Widen(ActionColumnText(row, item.iSubItem));
        if (item.pszText && item.cchTextMax > 0)
            lstrcpynW(item.pszText, itemText_.c_str(), item.cchTextMax);
    }
    // The icon is the action type: 1 to 4, the list's images 0 to 3.
    if (item.mask & LVIF_IMAGE) item.iImage = static_cast<int>(row.type) - 1;
}

}  // namespace bw::ui
