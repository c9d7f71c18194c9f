; The Windows installer: the program and its data folder into Program Files,
; a Start-menu entry, an uninstaller in the system's programs list. The
; player's saves live in the per-user application-data folder and are never
; touched. makensis gets VERSION (x.y.z), STAGE (the folder to install) and
; OUTFILE.
Unicode true
!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnoka"

Name "Varnoka"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Varnoka"
InstallDirRegKey HKLM "Software\Tellgrave\Varnoka" "InstallFolder"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Varnoka"
VIAddVersionKey "CompanyName" "Tellgrave"
VIAddVersionKey "LegalCopyright" "Tellgrave"
VIAddVersionKey "FileDescription" "Varnoka installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"

!define MUI_ICON "${STAGE}/icon32.ico"
!define MUI_UNICON "${STAGE}/icon32.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\varnoka.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Varnoka"
  SetOutPath "$INSTDIR"
  File "${STAGE}/varnoka.exe"
  File "${STAGE}/icon32.ico"
  File /r "${STAGE}/data"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  SetShellVarContext all
  CreateShortcut "$SMPROGRAMS\Varnoka.lnk" "$INSTDIR\varnoka.exe" "" "$INSTDIR\varnoka.exe" 0

  WriteRegStr HKLM "Software\Tellgrave\Varnoka" "InstallFolder" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Varnoka"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Tellgrave"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\varnoka.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Varnoka.lnk"
  RMDir /r "$INSTDIR\data"
  Delete "$INSTDIR\varnoka.exe"
  Delete "$INSTDIR\icon32.ico"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "Software\Tellgrave\Varnoka"
SectionEnd
