// The main window's class and control identifiers. Programs that read the window from
// outside (assistive tools, the project's own reader) find its parts by these.
#pragma once

namespace bw::ui {

inline constexpr wchar_t kMainWindowClass[] = L"ButtonwiseMainWindow";
inline constexpr wchar_t kMainWindowTitle[] = L"Buttonwise";

inline constexpr int kIdFraContainer = 100;
inline constexpr int kIdImgStat = 101;
inline constexpr int kIdLblWinLIRCStat = 102;
inline constexpr int kIdImgWinLIRCStat = 103;
inline constexpr int kIdLabel1 = 104;
inline constexpr int kIdLstLog = 105;
inline constexpr int kIdLstActions = 106;
inline constexpr int kIdCmdAddAction = 107;
inline constexpr int kIdCmdRemove = 108;

// The countdown before a log off, restart or shutdown.
inline constexpr wchar_t kCountdownTitle[] = L"Exit Windows";
inline constexpr int kIdImage1 = 300;
inline constexpr int kIdLblStatic = 301;
inline constexpr int kIdLblRemoteHint = 302;
inline constexpr int kIdCmdCancel = 2;  // IDCANCEL: Escape presses it

// The Add Action dialog.
inline constexpr wchar_t kAddActionTitle[] = L"Add Action";
inline constexpr wchar_t kKeyCaptureClass[] = L"ButtonwiseKeyCapture";
inline constexpr int kIdCmdAdd = 1;       // IDOK: Enter presses it
inline constexpr int kIdAddCancel = 400;  // not IDCANCEL: Escape does not cancel
inline constexpr int kIdLblKeyName = 401;
inline constexpr int kIdImgcboActions = 402;
inline constexpr int kIdOptAKeyPre = 403;
inline constexpr int kIdCboAKeyPre = 404;
inline constexpr int kIdOptAKeyCustom = 405;
inline constexpr int kIdPicAKeyCustom = 406;
inline constexpr int kIdOptAKeyText = 407;
inline constexpr int kIdTxtAKeyText = 408;
inline constexpr int kIdCboAMosPre = 409;
inline constexpr int kIdCboASysPre = 410;
inline constexpr int kIdTxtRunProgram = 411;
inline constexpr int kIdCmdBrowse = 412;
inline constexpr int kIdChkAutoAdd = 413;
inline constexpr int kIdChkOnlyRemote = 414;
inline constexpr int kIdLblRemoteName = 415;
inline constexpr int kIdCboProgram = 416;
inline constexpr int kIdCmdBrowseProgram = 417;
inline constexpr int kIdLblProgramHint = 418;
inline constexpr wchar_t kEditActionTitle[] = L"Edit Action";

// Menu items.
inline constexpr int kIdMiNewActionList = 200;
inline constexpr int kIdMiExit = 201;
inline constexpr int kIdMiAddNewAction = 210;
inline constexpr int kIdMiRemove = 211;
inline constexpr int kIdMiEdit = 212;
inline constexpr int kIdMiMoveUp = 213;
inline constexpr int kIdMiMoveDown = 214;
inline constexpr int kIdMiOpenReadme = 220;
inline constexpr int kIdMiAbout = 221;
inline constexpr int kIdMiOpenMainWindows = 230;
inline constexpr int kIdMiAddNewActionTray = 231;
inline constexpr int kIdMiAboutTray = 232;
inline constexpr int kIdMiExitTray = 233;

// The window that owns the tray icon and takes its callback, and the message the shell
// reports mouse messages over the icon with (the icon's id in wParam, the mouse message in
// lParam).
inline constexpr wchar_t kTrayWindowClass[] = L"ButtonwiseTray";
inline constexpr unsigned kTrayCallbackMessage = 0x8000 + 1;  // WM_APP + 1
inline constexpr unsigned kTrayIconId = 1;

}  // namespace bw::ui
