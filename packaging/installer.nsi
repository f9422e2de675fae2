; The Buttonwise installer: per-user (the default) or per-machine, a Start-menu shortcut,
; an optional start at logon, and an uninstaller that keeps the user's bindings unless
; asked to remove them. Silent with /S; /AllUsers or /CurrentUser choose the mode then,
; and the uninstaller's /RemoveBindings removes the bindings too.
;   makensis -DVERSION=1.0.0 -DSOURCE=<folder with the files> -DOUTFILE=<setup.exe> installer.nsi

Target amd64-unicode
Unicode true
SetCompressor /SOLID lzma

!define APP "Buttonwise"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define BINDINGS_KEY "Software\VB and VBA Program Settings\${APP}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "${APP}"
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_MUI
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
BrandingText "${APP} ${VERSION}"

!define MUI_ICON "${NSISDIR}\Contrib\Graphics\Icons\modern-install.ico"
!define MUI_UNICON "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Buttonwise.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Readme.txt"

!insertmacro MUI_PAGE_LICENSE "${SOURCE}\LICENSE.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
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

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "!${APP}" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${SOURCE}\Buttonwise.exe"
  File "${SOURCE}\KeyMap.ini"
  File "${SOURCE}\Readme.txt"
  File "${SOURCE}\LICENSE.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ; Under the mode's own root: HKCU for one user, HKLM for everyone.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "The ${APP} developers"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Buttonwise.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Start menu shortcut" SecShortcut
  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\Buttonwise.exe"
SectionEnd

; Set by the installer, not by the program: the user's own Run key, for the installing user.
Section "Start ${APP} when I log on" SecLogon
  WriteRegStr HKCU "${RUN_KEY}" "${APP}" '"$INSTDIR\Buttonwise.exe"'
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "Buttonwise.exe, its key table and its read-me."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecShortcut} "A shortcut in the Start menu."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecLogon} "Buttonwise starts in the notification area each time you log on."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  ; A running copy would keep its file: end it first.
  nsExec::Exec 'taskkill /IM Buttonwise.exe /F'
  Delete "$INSTDIR\Buttonwise.exe"
  Delete "$INSTDIR\KeyMap.ini"
  Delete "$INSTDIR\Readme.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${APP}.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "${APP}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"

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
