// The Add Action dialog's controls as data: positions are the dialog's design in twips,
// relative to the dialog. All four panes share the place of the first one; only the chosen
// type's pane shows.
#pragma once

#include "actions/action_catalogue.h"
#include "platform/win32/windows_api.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/control_layout.h"

namespace bw::ui::add_action_layout {

inline constexpr int kClientWidthTwips = 4965, kClientHeightTwips = 6510;

// The labels' ids: only the layout uses them.
inline constexpr int kIdKeyNameCaption = 420, kIdActionCaption = 421, kIdMouseCaption = 422,
                     kIdSystemCaption = 423, kIdRunCaption = 424, kIdRunHint = 425,
                     kIdStep2Line = 426, kIdStep2 = 427, kIdStep1Line = 428, kIdStep1 = 429,
                     kIdProgramCaption = 430, kIdStep3 = 431;

inline constexpr DWORD kLabel = SS_LEFT | WS_GROUP;
inline constexpr DWORD kDropDown = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
inline constexpr Fit kGrow = Fit::GrowToText;

// In the tab order of the design. Every control is a group of its own (WS_GROUP), but for
// the keyboard options and their inputs, so that arrow keys move between the options only
// and never click one from outside. The frames and their first lines come last and go
// below the rest.
// clang-format off
inline constexpr ControlSpec kLayout[] = {
    {L"STATIC", kIdKeyNameCaption, L"&Key Name:", {510, 615, 780, 195}, kLabel, 0, kGrow},
    {L"STATIC", kIdLblKeyName, L"Press a Key", {2070, 600, 2700, 270},
     SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX | SS_NOTIFY | WS_GROUP, WS_EX_CLIENTEDGE},
    {L"STATIC", kIdActionCaption, L"&Action:", {540, 1740, 495, 195}, kLabel, 0, kGrow},
    {WC_COMBOBOXEXW, kIdImgcboActions, L"", {2070, 1710, 2700, 330 * 6}, kDropDown | WS_GROUP},
    // The keyboard pane.
    {L"BUTTON", kIdOptAKeyPre, L"&Predefined Key", {750, 2190, 3255, 270},
     WS_TABSTOP | BS_AUTORADIOBUTTON | WS_GROUP, 0, kGrow},
    {L"COMBOBOX", kIdCboAKeyPre, L"", {1035, 2505, 2700, 315 * 8}, kDropDown},
    {L"BUTTON", kIdOptAKeyCustom, L"&Custom Key", {750, 2883, 3255, 270}, BS_AUTORADIOBUTTON, 0,
     kGrow},
    {kKeyCaptureClass, kIdPicAKeyCustom, L" Press a Key", {1035, 3207, 2700, 270}, WS_TABSTOP,
     WS_EX_CLIENTEDGE},
    {L"BUTTON", kIdOptAKeyText, L"Custom &Text", {750, 3531, 3255, 270}, BS_AUTORADIOBUTTON, 0,
     kGrow},
    {L"EDIT", kIdTxtAKeyText, L"Text to type", {1035, 3855, 2700, 285},
     WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    // The mouse, system and run panes.
    {L"STATIC", kIdMouseCaption, L"&Mouse actions:", {750, 2220, 1080, 195}, kLabel, 0, kGrow},
    {L"COMBOBOX", kIdCboAMosPre, L"", {1035, 2505, 2700, 315 * 11}, kDropDown | WS_GROUP},
    {L"STATIC", kIdSystemCaption, L"&System actions:", {750, 2220, 1110, 195}, kLabel, 0, kGrow},
    {L"COMBOBOX", kIdCboASysPre, L"", {1035, 2505, 2700, 315 * 11}, kDropDown | WS_GROUP},
    {L"STATIC", kIdRunCaption, L"&Run a specified program", {750, 2220, 1725, 195}, kLabel, 0,
     kGrow},
    {L"EDIT", kIdTxtRunProgram, L"", {1035, 2505, 2700, 315},
     WS_TABSTOP | ES_AUTOHSCROLL | WS_GROUP, WS_EX_CLIENTEDGE},
    {L"BUTTON", kIdCmdBrowse, L"...", {3750, 2490, 405, 330},
     WS_TABSTOP | BS_PUSHBUTTON | WS_GROUP},
    {L"STATIC", kIdRunHint,
     L"You can type any File, Folder, Document or even  Internet address here.",
     {1065, 2895, 3045, 600}, kLabel},
    // Where the binding acts: empty and unchecked, everywhere.
    {L"BUTTON", kIdChkOnlyRemote, L"&Only for this remote", {210, 4725, 2355, 270},
     WS_TABSTOP | BS_AUTOCHECKBOX | WS_GROUP, 0, kGrow},
    {L"STATIC", kIdLblRemoteName, L"", {2640, 4755, 2130, 225},
     SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS | WS_GROUP},
    {L"STATIC", kIdProgramCaption, L"Only while this program is in &front:",
     {210, 5070, 2760, 195}, kLabel, 0, kGrow},
    {L"COMBOBOX", kIdCboProgram, L"", {465, 5310, 3270, 315 * 8},
     WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_SORT | WS_GROUP},
    {L"BUTTON", kIdCmdBrowseProgram, L"...", {3750, 5295, 405, 330},
     WS_TABSTOP | BS_PUSHBUTTON | WS_GROUP},
    {L"STATIC", kIdLblProgramHint, L"", {465, 5700, 3690, 195},
     SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS | WS_GROUP},
    {L"BUTTON", kIdChkAutoAdd, L"Continue adding buttons", {135, 6135, 2175, 270},
     WS_TABSTOP | BS_AUTOCHECKBOX | WS_GROUP, 0, kGrow},
    {L"BUTTON", kIdCmdAdd, L"Add", {2460, 6105, 1185, 315},
     WS_TABSTOP | BS_DEFPUSHBUTTON | WS_GROUP},
    {L"BUTTON", kIdAddCancel, L"Cancel", {3720, 6105, 1185, 315},
     WS_TABSTOP | BS_PUSHBUTTON | WS_GROUP},
    {L"BUTTON", kIdStep3, L" Step 3 (optional) ", {90, 4455, 4800, 1530},
     BS_GROUPBOX | WS_GROUP, 0, Fit::Design, true},
    {L"STATIC", kIdStep2Line, L"Choose the action performed by pressing the key:",
     {225, 1395, 3495, 195}, kLabel, 0, kGrow, true},
    {L"BUTTON", kIdStep2, L" Step 2 ", {90, 1140, 4800, 3270}, BS_GROUPBOX | WS_GROUP, 0,
     Fit::Design, true},
    {L"STATIC", kIdStep1Line, L"Press a button on the remote control:", {210, 285, 2610, 195},
     kLabel, 0, kGrow, true},
    {L"BUTTON", kIdStep1, L" Step 1 ", {90, 30, 4800, 1065}, BS_GROUPBOX | WS_GROUP, 0,
     Fit::Design, true},
};
// clang-format on

// The controls each action type's pane shows.
struct PaneControl {
    ActionType pane;
    int id;
};
inline constexpr PaneControl kPanes[] = {
    {ActionType::Keyboard, kIdOptAKeyPre},    {ActionType::Keyboard, kIdCboAKeyPre},
    {ActionType::Keyboard, kIdOptAKeyCustom}, {ActionType::Keyboard, kIdPicAKeyCustom},
    {ActionType::Keyboard, kIdOptAKeyText},   {ActionType::Keyboard, kIdTxtAKeyText},
    {ActionType::Mouse, kIdMouseCaption},     {ActionType::Mouse, kIdCboAMosPre},
    {ActionType::System, kIdSystemCaption},   {ActionType::System, kIdCboASysPre},
    {ActionType::Run, kIdRunCaption},         {ActionType::Run, kIdTxtRunProgram},
    {ActionType::Run, kIdCmdBrowse},          {ActionType::Run, kIdRunHint},
};

}  // namespace bw::ui::add_action_layout
