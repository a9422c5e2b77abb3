; Brindlex's installer: installs for the current user only, without administrator rights.
; Built by the Windows build (installer/CMakeLists.txt) with
;   makensis -DVERSION=1.1 -DVERSION_QUAD=1.1.0.0 -DCOPYRIGHT=... -DSTAGE=DIR -DICON=FILE
;            -DOUTFILE=FILE Brindlex.nsi
; where DIR holds Brindlex.exe, Brindlex.chm, README.txt and LICENSE.txt.
Unicode true
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma
AllowSkipFiles off
ShowUninstDetails show

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define PUBLISHER "The Brindlex developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brindlex"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The program's private message that makes it save its library and exit.
!define WM_EXIT_APP 0x464
!define SYNCHRONIZE 0x00100000
!define MOVEFILE_REPLACE_EXISTING_WRITE_THROUGH 9

Name "Brindlex"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Brindlex"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Brindlex ${VERSION}"

VIProductVersion "${VERSION_QUAD}"
VIAddVersionKey "ProductName" "Brindlex"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Brindlex ${VERSION} setup"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "This will install Brindlex ${VERSION} for you alone; it needs no administrator rights.$\r$\n$\r$\nIf Brindlex is running, it is asked to save its library and exit before its files are replaced.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "Brindlex ${VERSION} is installed. It is in the Start menu, and once started it lives in the notification area.$\r$\n$\r$\nYour library and settings are kept in $APPDATA\Brindlex."
!define MUI_FINISHPAGE_RUN "$INSTDIR\Brindlex.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Brindlex now"
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "Brindlex will be removed from the folder below, with its Start menu entry and its start with Windows. Your library and settings in $APPDATA\Brindlex are kept."
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Asks every running Brindlex to save its library and exit, and waits until its process has
; ended, so that its files can be replaced or removed. Its main window is a dialog titled
; "Brindlex" that holds the folder list (control 1008); its message boxes have the same title
; but not that list. Aborts when a copy does not end and the user does not retry.
!macro CLOSE_RUNNING_BRINDLEX UN
Function ${UN}CloseRunningBrindlex
  StrCpy $R0 0
  next_window:
    FindWindow $R0 "#32770" "Brindlex" "" $R0
    ${If} $R0 == 0
      Return
    ${EndIf}
    GetDlgItem $R1 $R0 1008
    ${If} $R1 == 0
      Goto next_window
    ${EndIf}
    DetailPrint "Asking the running Brindlex to save its library and exit..."
    System::Call 'user32::GetWindowThreadProcessId(p R0, *i .R2) i'
    System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i R2) p .R3'
    SendMessage $R0 ${WM_EXIT_APP} 0 0 /TIMEOUT=15000
    ${If} $R3 != 0
      System::Call 'kernel32::WaitForSingleObject(p R3, i 15000) i .R4'
      System::Call 'kernel32::CloseHandle(p R3)'
    ${Else}
      StrCpy $R4 1
    ${EndIf}
    ${If} $R4 != 0
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Brindlex is still running and did not exit when asked.$\r$\n$\r$\nExit it with Exit in the menu of its notification-area icon, then click Retry." /SD IDCANCEL IDRETRY retry
      DetailPrint "Brindlex is still running: nothing was changed."
      SetErrorLevel 2
      Abort
      retry:
    ${EndIf}
    ; Windows have come and gone: look again from the first one.
    StrCpy $R0 0
    Goto next_window
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_BRINDLEX ""
!insertmacro CLOSE_RUNNING_BRINDLEX "un."

Section "Brindlex"
  Call CloseRunningBrindlex
  SetOutPath "$INSTDIR"
  ; The new program is written beside the old one and then put in its place in one step, so
  ; that a failed copy never leaves a half-written Brindlex.exe.
  File "/oname=Brindlex.exe.new" "${STAGE}/Brindlex.exe"
  System::Call 'kernel32::MoveFileExW(w "$INSTDIR\Brindlex.exe.new", w "$INSTDIR\Brindlex.exe", i ${MOVEFILE_REPLACE_EXISTING_WRITE_THROUGH}) i .r0'
  ${If} $0 == 0
    Delete "$INSTDIR\Brindlex.exe.new"
    MessageBox MB_OK|MB_ICONSTOP "Brindlex.exe could not be replaced in $INSTDIR." /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
  File "${STAGE}/Brindlex.chm"
  File "${STAGE}/README.txt"
  File "${STAGE}/LICENSE.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  SetShellVarContext current
  CreateShortcut "$SMPROGRAMS\Brindlex.lnk" "$INSTDIR\Brindlex.exe" "" "$INSTDIR\Brindlex.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Brindlex"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Brindlex.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  Call un.CloseRunningBrindlex
  Delete "$INSTDIR\Brindlex.exe"
  Delete "$INSTDIR\Brindlex.exe.new"
  Delete "$INSTDIR\Brindlex.chm"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  SetShellVarContext current
  Delete "$SMPROGRAMS\Brindlex.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; After the program has exited: its exit writes this value again while start with Windows is on.
  DeleteRegValue HKCU "${RUN_KEY}" "Brindlex"
  DetailPrint "Your library and settings are kept in $APPDATA\Brindlex."
SectionEnd
