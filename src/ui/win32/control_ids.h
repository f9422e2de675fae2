// The main window's class and control identifiers. Programs that read the window from
// outside (assistive tools, the project's own reader) find its parts by these.
#pragma once

namespace bw::ui {

inline constexpr wchar_t kMainWindowClass[] = L"ButtonwiseMainWindow";
inline constexpr wchar_t kMainWindowTitle[] = L"Buttonwise";

inline constexpr int kIdServerFrame = 100;
inline constexpr int kIdStatusPicture = 101;
inline constexpr int kIdStatusText = 102;
inline constexpr int kIdServerPicture = 103;
inline constexpr int kIdLogCaption = 104;
inline constexpr int kIdEventLog = 105;
inline constexpr int kIdActionList = 106;
inline constexpr int kIdAddActionButton = 107;
inline constexpr int kIdRemoveButton = 108;

// The countdown before a log off, restart or shutdown.
inline constexpr wchar_t kCountdownTitle[] = L"Exit Windows";
inline constexpr int kIdCountdownIcon = 300;
inline constexpr int kIdCountdownText = 301;
inline constexpr int kIdCountdownHint = 302;
inline constexpr int kIdCountdownCancel = 2;  // IDCANCEL: Escape presses it

// The Add Action dialog.
inline constexpr wchar_t kAddActionTitle[] = L"Add Action";
inline constexpr wchar_t kKeyCaptureClass[] = L"ButtonwiseKeyCapture";
inline constexpr int kIdAdd = 1;       // IDOK: Enter presses it
inline constexpr int kIdCancel = 400;  // not IDCANCEL: Escape does not cancel
inline constexpr int kIdButtonName = 401;
inline constexpr int kIdActionType = 402;
inline constexpr int kIdPredefinedOption = 403;
inline constexpr int kIdPredefinedKeys = 404;
inline constexpr int kIdCustomOption = 405;
inline constexpr int kIdCustomKey = 406;
inline constexpr int kIdTextOption = 407;
inline constexpr int kIdTextToType = 408;
inline constexpr int kIdMouseActions = 409;
inline constexpr int kIdSystemActions = 410;
inline constexpr int kIdRunPath = 411;
inline constexpr int kIdBrowseRun = 412;
inline constexpr int kIdContinueAdding = 413;
inline constexpr int kIdOnlyForRemote = 414;
inline constexpr int kIdRemoteName = 415;
inline constexpr int kIdProgram = 416;
inline constexpr int kIdBrowseProgram = 417;
inline constexpr int kIdProgramHint = 418;
inline constexpr int kIdWhenPressed = 436;  // "When the button is": three choices in a row
inline constexpr int kIdWhenHeld = 437;
inline constexpr int kIdWhenLong = 438;
inline constexpr int kIdWhenExplanation = 439;
inline constexpr wchar_t kEditActionTitle[] = L"Edit Action";

// Menu items.
inline constexpr int kIdMenuNewList = 200;
inline constexpr int kIdMenuExit = 201;
inline constexpr int kIdMenuExport = 202;
inline constexpr int kIdMenuImport = 203;
inline constexpr int kIdMenuAddAction = 210;
inline constexpr int kIdMenuRemove = 211;
inline constexpr int kIdMenuEdit = 212;
inline constexpr int kIdMenuMoveUp = 213;
inline constexpr int kIdMenuMoveDown = 214;
inline constexpr int kIdMenuShowPresses = 215;
inline constexpr int kIdMenuReadme = 220;
inline constexpr int kIdMenuAbout = 221;
inline constexpr int kIdMenuOpenWindow = 230;
inline constexpr int kIdTrayAddAction = 231;
inline constexpr int kIdTrayAbout = 232;
inline constexpr int kIdTrayExit = 233;

// The window that owns the tray icon and takes its callback, and the message the shell
// reports mouse messages over the icon with (the icon's id in wParam, the mouse message in
// lParam).
inline constexpr wchar_t kTrayWindowClass[] = L"ButtonwiseTray";
inline constexpr unsigned kTrayCallbackMessage = 0x8000 + 1;  // WM_APP + 1
inline constexpr unsigned kTrayIconId = 1;

}  // namespace bw::ui
