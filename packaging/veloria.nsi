; Veloria's installer, built by scripts/package with makensis:
;   makensis -DVERSION=2.0.0 -DMAJOR=2 -DARCH=x64|x86 -DSOURCE=<folder with
;            veloria.exe and language\> -DICON=<icon> -DOUTFILE=<setup.exe>
; It installs for the current user only, into a folder the user can write
; (so that Veloria can save its Config.ini beside itself without
; administrator rights), adds a Start-menu shortcut, offers to start
; Veloria at the end and registers an uninstaller. The uninstaller removes
; the program, its settings, its shortcut and the start-with-Windows value
; Veloria wrote for this folder, under the user's Run key and the
; machine's.
Unicode true
!if "${ARCH}" == "x64"
  Target amd64-unicode
!endif
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"
!include "WinMessages.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Veloria"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Veloria ${MAJOR}"

Name "Veloria ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Veloria"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "Veloria"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "Veloria ${VERSION} setup (${ARCH})"
VIAddVersionKey /LANG=0 "LegalCopyright" "Veloria"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\veloria.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Spanish"

; A running Veloria holds its files: ask every copy to close (its main
; window's class is "Veloria"), for five seconds at most.
!macro CloseVeloria
  StrCpy $1 0
  ${Do}
    FindWindow $0 "Veloria"
    ${If} $0 = 0
    ${OrIf} $1 >= 20
      ${Break}
    ${EndIf}
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=2000
    Sleep 250
    IntOp $1 $1 + 1
  ${Loop}
!macroend

; The start-with-Windows value under ROOT, when it starts this folder's
; veloria.exe (quoted or not; NSIS compares without regard to case).
!macro RemoveRunValue ROOT
  ReadRegStr $0 ${ROOT} "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $0 == "$INSTDIR\veloria.exe"
  ${OrIf} $0 == "$\"$INSTDIR\veloria.exe$\""
    DeleteRegValue ${ROOT} "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
!macroend

Function .onInit
!if "${ARCH}" == "x64"
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "This is Veloria for 64-bit Windows. Please use the 32-bit setup." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
!endif
FunctionEnd

Function un.onInit
!if "${ARCH}" == "x64"
  SetRegView 64
!endif
FunctionEnd

Section "Veloria"
  !insertmacro CloseVeloria
  SetOutPath "$INSTDIR"
  File "${SOURCE}\veloria.exe"
  SetOutPath "$INSTDIR\language"
  File "${SOURCE}\language\*.ini"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Veloria.lnk" "$INSTDIR\veloria.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Veloria"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Veloria"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\veloria.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\uninstall.exe$\""
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\uninstall.exe$\" /S"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  !insertmacro CloseVeloria
  !insertmacro RemoveRunValue HKCU
  !insertmacro RemoveRunValue HKLM
  Delete "$INSTDIR\veloria.exe"
  Delete "$INSTDIR\Config.ini"
  Delete "$INSTDIR\Config.ini.new"
  Delete "$INSTDIR\language\*.ini"
  RMDir "$INSTDIR\language"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Veloria.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The page engine's mode the program asked for, by its file name.
  DeleteRegValue HKCU "Software\Microsoft\Internet Explorer\Main\FeatureControl\FEATURE_BROWSER_EMULATION" "veloria.exe"
SectionEnd
