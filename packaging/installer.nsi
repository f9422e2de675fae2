; The Buttonwise installer: per-user (the default) or per-machine, a Start-menu shortcut,
; an optional start at logon, and an uninstaller that keeps the user's bindings unless
; asked to remove them. Silent with /S; /AllUsers or /CurrentUser choose the mode then,
; and the uninstaller's /RemoveBindings removes the bindings too.
;   makensis -DVERSION=1.0.0 -DSOURCE=<folder with the files> -DOUTFILE=<setup.exe> installer.nsi
;
; Rights: the installer asks for none (asInvoker), so a per-user install never shows a UAC
; prompt. A per-machine install needs an administrator: the installer then starts itself
; again, elevated, silent, for the machine's part only (files, shortcut, uninstall entry),
; and waits for it. What belongs to the user who runs it (the Run key, the bindings, the
; finish page's start of Buttonwise) stays in the first, unelevated instance: elevated
; with another account's password, its HKCU would be that account's.

Target amd64-unicode
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define APP "Buttonwise"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define BINDINGS_KEY "Software\VB and VBA Program Settings\${APP}"
; The hidden window of a running Buttonwise: closed, it ends the program without a question.
!define TRAY_WINDOW_CLASS "ButtonwiseTray"

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include nsDialogs.nsh
!include WinMessages.nsh

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${APP} ${VERSION}"

Var AllUsers   ; 1: installed for everyone
Var Elevated   ; 1: the instance this installer started elevated, for the machine's part
Var Delegated  ; 1: an elevated instance did the machine's part
Var IsAdmin    ; 1: this instance runs with an administrator's rights
Var ModeGiven  ; 1: /AllUsers or /CurrentUser on the command line
Var FolderGiven  ; 1: /D= on the command line
Var ForMe
Var ForEveryone

!define MUI_ICON "${NSISDIR}\Contrib\Graphics\Icons\modern-install.ico"
!define MUI_UNICON "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Buttonwise.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Readme.txt"

!insertmacro MUI_PAGE_LICENSE "${SOURCE}\LICENSE.txt"
Page custom ModePage ModePageLeave
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; Set right before the page it belongs to: the next page macro takes it.
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishShow
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${APP}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${APP} installer"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "MIT licence"

; The mode and whether this instance is the elevated one (from the command line), and the
; rights it runs with, for the installer and the uninstaller alike.
!macro READ_COMMAND_LINE UN
Function ${UN}ReadModeAndRights
  ${GetParameters} $R0
  StrCpy $AllUsers 0
  StrCpy $ModeGiven 0
  ClearErrors
  ${GetOptions} $R0 "/AllUsers" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
    StrCpy $ModeGiven 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/CurrentUser" $R1
  ${IfNot} ${Errors}
    StrCpy $ModeGiven 1
  ${EndIf}
  StrCpy $Elevated 0
  ClearErrors
  ${GetOptions} $R0 "/Elevated" $R1
  ${IfNot} ${Errors}
    StrCpy $Elevated 1
  ${EndIf}
  StrCpy $IsAdmin 0
  UserInfo::GetAccountType
  Pop $R1
  ${If} $R1 == "Admin"
    StrCpy $IsAdmin 1
  ${EndIf}
  StrCpy $Delegated 0
FunctionEnd
!macroend
!insertmacro READ_COMMAND_LINE ""
!insertmacro READ_COMMAND_LINE "un."

; Where the mode puts things: the context of $SMPROGRAMS and SHCTX, and in $R9 the mode's
; default folder.
!macro APPLY_MODE UN
Function ${UN}ApplyMode
  ${If} $AllUsers == 1
    SetShellVarContext all
    StrCpy $R9 "$PROGRAMFILES64\${APP}"
  ${Else}
    SetShellVarContext current
    StrCpy $R9 "$LOCALAPPDATA\Programs\${APP}"
  ${EndIf}
FunctionEnd
!macroend
!insertmacro APPLY_MODE ""
!insertmacro APPLY_MODE "un."

; Starts this installer or uninstaller again with an administrator's rights (Windows asks
; the user) and waits for it: $0 is its exit code, or "refused" when it could not start.
!macro RUN_ELEVATED UN
Function ${UN}RunElevated
  Pop $R8  ; its parameters
  !define /ReDef /math SHELLEXECUTEINFO_SIZE 14 * ${NSIS_PTR_SIZE}
  System::Call '*(&i${SHELLEXECUTEINFO_SIZE})p.r9'
  ; cbSize, SEE_MASK_NOCLOSEPROCESS, the window, "runas", the program, its parameters
  System::Call '*$9(i ${SHELLEXECUTEINFO_SIZE}, i 0x40, p $HWNDPARENT, w "runas", w "$EXEPATH", w R8, p 0, i ${SW_SHOWNORMAL})'
  System::Call 'shell32::ShellExecuteExW(p r9) i.r1'
  StrCpy $0 "refused"
  ${If} $1 <> 0
    ; hProcess, the last member: without it there is nothing to wait for or to tell
    System::Call '*$9(i, i, p, p, p, p, p, p, p, p, p, p, p, p, p.r2)'
    ${If} $2 P<> 0
      System::Call 'kernel32::WaitForSingleObject(p r2, i -1)'
      System::Call 'kernel32::GetExitCodeProcess(p r2, *i.r0)'
      System::Call 'kernel32::CloseHandle(p r2)'
    ${EndIf}
  ${EndIf}
  System::Free $9
FunctionEnd
!macroend
!insertmacro RUN_ELEVATED ""
!insertmacro RUN_ELEVATED "un."

; After RunElevated: a refusal and a failure each end this instance with a code of its own
; (5: no administrator's rights given; else the elevated instance's code).
!macro REPORT_DELEGATION DOING
  ${If} $0 == "refused"
    MessageBox MB_OK|MB_ICONSTOP "${DOING} ${APP} for everyone needs an administrator's rights." /SD IDOK
    SetErrorLevel 5
    Quit
  ${ElseIf} $0 != 0
    MessageBox MB_OK|MB_ICONSTOP "${DOING} ${APP} for everyone did not complete (code $0)." /SD IDOK
    SetErrorLevel $0
    Quit
  ${EndIf}
!macroend

; A running copy would keep its file: it is asked to end, the way its own window would end
; it, and given ten seconds. A forced end would leave a dead icon in the tray. Only a copy
; whose hidden window is titled "${APP}" ends when that window is closed; an older one (or
; one that does not end) is left to the user, who is asked to end it.
!macro CLOSE_RUNNING_COPY UN
Function ${UN}CloseRunningCopy
  FindWindow $0 "${TRAY_WINDOW_CLASS}" "${APP}"
  ${If} $0 != 0
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i.r1)'
    ; SYNCHRONIZE
    System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r1) p.r2'
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    ${If} $2 P<> 0
      System::Call 'kernel32::WaitForSingleObject(p r2, i 10000)'
      System::Call 'kernel32::CloseHandle(p r2)'
    ${Else}
      ; A copy this installer may not wait on (it runs with other rights): its window goes
      ; with it.
      ${For} $3 1 50
        Sleep 200
        FindWindow $0 "${TRAY_WINDOW_CLASS}" "${APP}"
        ${IfThen} $0 == 0 ${|} ${ExitFor} ${|}
      ${Next}
    ${EndIf}
  ${EndIf}
  FindWindow $0 "${TRAY_WINDOW_CLASS}"
  ${If} $0 != 0
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "${APP} is running. End it with Exit in its tray icon's menu, then choose Retry." \
      /SD IDCANCEL IDRETRY retry
    SetErrorLevel 3
    Quit
retry:
    Call ${UN}CloseRunningCopy
  ${EndIf}
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_COPY ""
!insertmacro CLOSE_RUNNING_COPY "un."

Section "!${APP}" SecProgram
  SectionIn RO
  ${If} $Delegated == 1
    Return
  ${EndIf}
  Call CloseRunningCopy
  SetOutPath "$INSTDIR"
  File "${SOURCE}\Buttonwise.exe"
  File "${SOURCE}\KeyMap.ini"
  File "${SOURCE}\Readme.txt"
  File "${SOURCE}\LICENSE.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ; Under the mode's own root: HKCU for one user, HKLM for everyone.
  ${If} $AllUsers == 1
    StrCpy $R0 "/AllUsers"
  ${Else}
    StrCpy $R0 "/CurrentUser"
  ${EndIf}
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "The ${APP} developers"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Buttonwise.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe" $R0'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" $R0 /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Start menu shortcut" SecShortcut
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/NoShortcut" $R1
  ${If} $Delegated == 1
  ${OrIfNot} ${Errors}
    Return
  ${EndIf}
  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\Buttonwise.exe"
SectionEnd

; The Run key of the user who runs the installer, never of the account that elevated it.
Section "Start ${APP} when I log on" SecLogon
  ${If} $Elevated == 1
    Return
  ${EndIf}
  WriteRegStr HKCU "${RUN_KEY}" "${APP}" '"$INSTDIR\Buttonwise.exe"'
SectionEnd

Function .onInit
  Call ReadModeAndRights
  Call ApplyMode
  StrCpy $FolderGiven 1
  ${If} $INSTDIR == ""
    StrCpy $FolderGiven 0
    StrCpy $INSTDIR $R9
  ${EndIf}
  ; Silent for everyone without the rights: the machine's part in an elevated instance.
  ${If} ${Silent}
  ${AndIf} $AllUsers == 1
    Call DelegateWhenNeeded
  ${EndIf}
FunctionEnd

; The machine's part in an elevated instance, when this one has not the rights; the running
; copy is asked to end first, by this instance, where the user can answer if it does not.
Function DelegateWhenNeeded
  ${If} $IsAdmin == 1
  ${OrIf} $Elevated == 1
    Return
  ${EndIf}
  Call CloseRunningCopy
  StrCpy $R7 ""
  ${IfNot} ${SectionIsSelected} ${SecShortcut}
    StrCpy $R7 "/NoShortcut "
  ${EndIf}
  Push "/S /AllUsers /Elevated $R7/D=$INSTDIR"
  Call RunElevated
  !insertmacro REPORT_DELEGATION "Installing"
  StrCpy $Delegated 1
FunctionEnd

Function ModePage
  ${If} $ModeGiven == 1
  ${OrIf} $Elevated == 1
    Abort  ; chosen already
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "Choose who can use ${APP}" "Install it for yourself or for everyone."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateRadioButton} 0 0 100% 12u "Only for &me (no administrator's rights needed)"
  Pop $ForMe
  ${NSD_CreateRadioButton} 0 18u 100% 12u "For &everyone who uses this computer (asks for an administrator's rights)"
  Pop $ForEveryone
  ${If} $AllUsers == 1
    ${NSD_Check} $ForEveryone
  ${Else}
    ${NSD_Check} $ForMe
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function ModePageLeave
  ${NSD_GetState} $ForEveryone $AllUsers
  ${If} $AllUsers == ${BST_CHECKED}
    StrCpy $AllUsers 1
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
  Call ApplyMode
  ${If} $FolderGiven == 0
    StrCpy $INSTDIR $R9
  ${EndIf}
FunctionEnd

Function DirectoryLeave
  ${If} $AllUsers == 1
    Call DelegateWhenNeeded
  ${EndIf}
FunctionEnd

; Elevated, the finish page would start Buttonwise with the administrator's rights, and as
; the administrator when another account's password was given: it does not offer to.
Function FinishShow
  ${If} $IsAdmin == 1
    SendMessage $mui.FinishPage.Run ${BM_SETCHECK} ${BST_UNCHECKED} 0
    ShowWindow $mui.FinishPage.Run ${SW_HIDE}
  ${EndIf}
FunctionEnd

Function un.onInit
  Call un.ReadModeAndRights
  Call un.ApplyMode
FunctionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "Buttonwise.exe, its key table and its read-me."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecShortcut} "A shortcut in the Start menu."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecLogon} "Buttonwise starts in the notification area each time you log on."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  ; Confirmed: the machine's part, in an elevated instance when this one has not the rights.
  ${If} $AllUsers == 1
  ${AndIf} $IsAdmin == 0
  ${AndIf} $Elevated == 0
    Call un.CloseRunningCopy
    ; Silent: the questions are this instance's, which is the user's.
    Push "/S /AllUsers /Elevated _?=$INSTDIR"
    Call un.RunElevated
    !insertmacro REPORT_DELEGATION "Removing"
    StrCpy $Delegated 1
  ${EndIf}
  ${If} $Delegated == 0
    Call un.CloseRunningCopy
    Delete "$INSTDIR\Buttonwise.exe"
    Delete "$INSTDIR\KeyMap.ini"
    Delete "$INSTDIR\Readme.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${APP}.lnk"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ${EndIf}
  ; The rest is the user's who runs the uninstaller.
  ${If} $Elevated == 1
    Return
  ${EndIf}
  DeleteRegValue HKCU "${RUN_KEY}" "${APP}"

  ; The bindings are the user's: kept unless asked for.
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/RemoveBindings" $R1
  IfErrors 0 remove
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "Also remove your button bindings?$\r$\n$\r$\nKeep them to find them again when you install ${APP} later." \
    /SD IDNO IDYES remove
  Goto done
remove:
  DeleteRegKey HKCU "${BINDINGS_KEY}"
done:
SectionEnd
