// The Add Action dialog's controls as data: positions are the dialog's design in pixels at
// 96 DPI,
// relative to the dialog. All four panes share the place of the first one; only the chosen
// type's pane shows.
#pragma once

#include "actions/action_catalogue.h"
#include "platform/win32/windows_api.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/control_layout.h"

namespace bw::ui::add_action_layout {

inline constexpr int kClientWidth = 331, kClientHeight = 492;

// The labels' ids: only the layout uses them.
inline constexpr int kIdKeyNameCaption = 420, kIdActionCaption = 421, kIdMouseCaption = 422,
                     kIdSystemCaption = 423, kIdRunCaption = 424, kIdRunHint = 425,
                     kIdStep2Line = 426, kIdStep2 = 427, kIdStep1Line = 428, kIdStep1 = 429,
                     kIdProgramCaption = 430, kIdStep3 = 431, kIdWhenFrame = 435;

inline constexpr DWORD kLabel = SS_LEFT | WS_GROUP;
inline constexpr DWORD kDropDown = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
inline constexpr Fit kGrow = Fit::GrowToText;

// In the tab order of the design. Every control is a group of its own (WS_GROUP), but for
// the keyboard options and their inputs, so that arrow keys move between the options only
// and never click one from outside. The frames and their first lines come last and go
// below the rest.
// clang-format off
inline constexpr ControlSpec kLayout[] = {
    {L"STATIC", kIdKeyNameCaption, L"&Key Name:", {34, 41, 52, 13}, kLabel, 0, kGrow},
    {L"STATIC", kIdButtonName, L"Press a Key", {138, 40, 180, 18},
     SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX | SS_NOTIFY | WS_GROUP, WS_EX_CLIENTEDGE},
    {L"STATIC", kIdActionCaption, L"&Action:", {36, 116, 33, 13}, kLabel, 0, kGrow},
    {WC_COMBOBOXEXW, kIdActionType, L"", {138, 114, 180, 22 * 6}, kDropDown | WS_GROUP},
    // The keyboard pane.
    {L"BUTTON", kIdPredefinedOption, L"&Predefined Key", {50, 146, 217, 18},
     WS_TABSTOP | BS_AUTORADIOBUTTON | WS_GROUP, 0, kGrow},
    {L"COMBOBOX", kIdPredefinedKeys, L"", {69, 167, 180, 21 * 8}, kDropDown},
    {L"BUTTON", kIdCustomOption, L"&Custom Key", {50, 192, 217, 18}, BS_AUTORADIOBUTTON, 0,
     kGrow},
    {kKeyCaptureClass, kIdCustomKey, L" Press a Key", {69, 214, 180, 18}, WS_TABSTOP,
     WS_EX_CLIENTEDGE},
    {L"BUTTON", kIdTextOption, L"Custom &Text", {50, 235, 217, 18}, BS_AUTORADIOBUTTON, 0,
     kGrow},
    {L"EDIT", kIdTextToType, L"Text to type", {69, 257, 180, 19},
     WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    // The mouse, system and run panes.
    {L"STATIC", kIdMouseCaption, L"&Mouse actions:", {50, 148, 72, 13}, kLabel, 0, kGrow},
    {L"COMBOBOX", kIdMouseActions, L"", {69, 167, 180, 21 * 11}, kDropDown | WS_GROUP},
    {L"STATIC", kIdSystemCaption, L"&System actions:", {50, 148, 74, 13}, kLabel, 0, kGrow},
    {L"COMBOBOX", kIdSystemActions, L"", {69, 167, 180, 21 * 11}, kDropDown | WS_GROUP},
    {L"STATIC", kIdRunCaption, L"&Run a specified program", {50, 148, 115, 13}, kLabel, 0,
     kGrow},
    {L"EDIT", kIdRunPath, L"", {69, 167, 180, 21},
     WS_TABSTOP | ES_AUTOHSCROLL | WS_GROUP, WS_EX_CLIENTEDGE},
    {L"BUTTON", kIdBrowseRun, L"...", {250, 166, 27, 22},
     WS_TABSTOP | BS_PUSHBUTTON | WS_GROUP},
    {L"STATIC", kIdRunHint,
     L"You can type any File, Folder, Document or even  Internet address here.",
     {71, 193, 203, 40}, kLabel},
    // When it acts: a group of three options of its own, arrows moving between them.
    {L"BUTTON", kIdWhenPressed, L"Pr&essed", {14, 314, 80, 18},
     WS_TABSTOP | BS_AUTORADIOBUTTON | WS_GROUP, 0, kGrow},
    {L"BUTTON", kIdWhenHeld, L"&Held down", {108, 314, 92, 18}, BS_AUTORADIOBUTTON, 0, kGrow},
    {L"BUTTON", kIdWhenLong, L"&Long press", {214, 314, 100, 18}, BS_AUTORADIOBUTTON, 0, kGrow},
    {L"STATIC", kIdWhenExplanation, L"", {14, 334, 304, 13},
     SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS | WS_GROUP},
    // Where the binding acts: empty and unchecked, everywhere.
    {L"BUTTON", kIdOnlyForRemote, L"&Only for this remote", {14, 373, 157, 18},
     WS_TABSTOP | BS_AUTOCHECKBOX | WS_GROUP, 0, kGrow},
    {L"STATIC", kIdRemoteName, L"", {176, 375, 142, 15},
     SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS | WS_GROUP},
    {L"STATIC", kIdProgramCaption, L"Only while this program is in &front:",
     {14, 396, 184, 13}, kLabel, 0, kGrow},
    {L"COMBOBOX", kIdProgram, L"", {31, 412, 218, 21 * 8},
     WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_SORT | WS_GROUP},
    {L"BUTTON", kIdBrowseProgram, L"...", {250, 411, 27, 22},
     WS_TABSTOP | BS_PUSHBUTTON | WS_GROUP},
    {L"STATIC", kIdProgramHint, L"", {31, 438, 246, 13},
     SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS | WS_GROUP},
    {L"BUTTON", kIdContinueAdding, L"Continue adding buttons", {9, 467, 145, 18},
     WS_TABSTOP | BS_AUTOCHECKBOX | WS_GROUP, 0, kGrow},
    {L"BUTTON", kIdAdd, L"Add", {164, 465, 79, 21},
     WS_TABSTOP | BS_DEFPUSHBUTTON | WS_GROUP},
    {L"BUTTON", kIdCancel, L"Cancel", {248, 465, 79, 21},
     WS_TABSTOP | BS_PUSHBUTTON | WS_GROUP},
    {L"BUTTON", kIdWhenFrame, L" When the button is ", {6, 297, 320, 55},
     BS_GROUPBOX | WS_GROUP, 0, Fit::Design, true},
    {L"BUTTON", kIdStep3, L" Step 3 (optional) ", {6, 355, 320, 102},
     BS_GROUPBOX | WS_GROUP, 0, Fit::Design, true},
    {L"STATIC", kIdStep2Line, L"Choose the action performed by pressing the key:",
     {15, 93, 233, 13}, kLabel, 0, kGrow, true},
    {L"BUTTON", kIdStep2, L" Step 2 ", {6, 76, 320, 218}, BS_GROUPBOX | WS_GROUP, 0,
     Fit::Design, true},
    {L"STATIC", kIdStep1Line, L"Press a button on the remote control:", {14, 19, 174, 13},
     kLabel, 0, kGrow, true},
    {L"BUTTON", kIdStep1, L" Step 1 ", {6, 2, 320, 71}, BS_GROUPBOX | WS_GROUP, 0,
     Fit::Design, true},
};
// clang-format on

// The controls each action type's pane shows.
struct PaneControl {
    ActionType pane;
    int id;
};
inline constexpr PaneControl kPanes[] = {
    {ActionType::Keyboard, kIdPredefinedOption},    {ActionType::Keyboard, kIdPredefinedKeys},
    {ActionType::Keyboard, kIdCustomOption}, {ActionType::Keyboard, kIdCustomKey},
    {ActionType::Keyboard, kIdTextOption},   {ActionType::Keyboard, kIdTextToType},
    {ActionType::Mouse, kIdMouseCaption},     {ActionType::Mouse, kIdMouseActions},
    {ActionType::System, kIdSystemCaption},   {ActionType::System, kIdSystemActions},
    {ActionType::Run, kIdRunCaption},         {ActionType::Run, kIdRunPath},
    {ActionType::Run, kIdBrowseRun},          {ActionType::Run, kIdRunHint},
};

}  // namespace bw::ui::add_action_layout
