; The Windows installer: the program, its players' README, its Start-menu shortcut and an
; uninstaller listed among the system's programs. Built by the Windows build's "installer"
; target:
;   makensis -DVERSION=1.0 -DPROGRAM=quindra.exe -DLICENSE=LICENSE -DREADME=README.txt
;            -DICON=quindra.ico -DOUTFILE=quindra-1.0-setup.exe quindra.nsi
; Both install and uninstall run silently with /S. Neither touches the game's files while
; the game runs: they ask the player to close it (Retry, Cancel), or silently end with
; status 2 having changed nothing.
Target amd64-unicode
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "FileFunc.nsh"
!include "MUI2.nsh"
!include "x64.nsh"

!define NAME "Quindra"
!define PUBLISHER "The Quindra developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quindra"

; The game holds this mutex while it runs (win32/main.cpp).
!define RUNNING_MUTEX "Global\QuindraRunning"

Name "${NAME} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${NAME}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${NAME}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${NAME} ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "GNU General Public License, version 3 or later"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Avvia Quindra"
!define MUI_FINISHPAGE_RUN_FUNCTION startGame
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Italian"

; Until the game is closed: asks to close it (Retry, Cancel: Cancel ends with status 1);
; silently, ends at once with status 2. Either way nothing has been changed.
!macro WAIT_FOR_THE_GAME UN
Function ${UN}waitForTheGame
  check:
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RUNNING_MUTEX}") p .r0'
    IntPtrCmp $0 0 closed
    System::Call 'kernel32::CloseHandle(p r0)'
    IfSilent 0 ask
    SetErrorLevel 2
    Quit
  ask:
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Quindra è aperto. Chiudi il gioco, poi scegli Riprova." IDRETRY check
    SetErrorLevel 1
    Quit
  closed:
FunctionEnd
!macroend
!insertmacro WAIT_FOR_THE_GAME ""
!insertmacro WAIT_FOR_THE_GAME "un."

Function .onInit
  ; The program and its entries are the whole machine's, in its 64-bit view.
  SetRegView 64
  SetShellVarContext all
  Call waitForTheGame
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
  Call un.waitForTheGame
FunctionEnd

; The game starts as the player, not with the installer's administrator rights: the
; shell starts it.
Function startGame
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\quindra.exe"'
FunctionEnd

Section "Quindra"
  SetOutPath "$INSTDIR"
  File "/oname=quindra.exe" "${PROGRAM}"
  File "/oname=README.txt" "${README}"
  File "/oname=LICENSE.txt" "${LICENSE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\quindra.exe" "" "$INSTDIR\quindra.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quindra.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${NAME}.lnk"
  Delete "$INSTDIR\quindra.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
