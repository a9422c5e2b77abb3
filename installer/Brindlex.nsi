; Brindlex's installer: installs for the current user only, without administrator rights.
; Built by the Windows build (installer/CMakeLists.txt) with
;   makensis -DVERSION=1.1 -DVERSION_QUAD=1.1.0.0 -DCOPYRIGHT=... -DSTAGE=DIR -DICON=FILE
;            -DOUTFILE=FILE -DWM_EXIT_APP=NUMBER Brindlex.nsi
; where DIR holds Brindlex.exe, Brindlex.chm, README.txt and LICENSE.txt, and NUMBER is the
; program's WM_EXIT_APP as core/app/CommandIds.h defines it.
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
; The program's private message that makes it save its library and exit: given by the build.
!ifndef WM_EXIT_APP
  !error "WM_EXIT_APP is not defined: the build passes it from core/app/CommandIds.h"
!endif
!define SYNCHRONIZE 0x00100000
!define MOVEFILE_REPLACE_EXISTING_WRITE_THROUGH 9
!define TOKEN_QUERY 8
!define TokenElevationType 18
!define TokenElevationTypeFull 2

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
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE PlaceInFolderOfItsOwn
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

; Set when the install asked a running Brindlex to exit and it did.
Var ClosedBrindlex

; Brindlex installs for the user who runs the setup. Started with "Run as administrator" (the
; full token of an administrator whose ordinary runs get a limited one) its files would belong to
; the administrator, and where another account's password was given they would go to that
; account's profile and registry; so it stops there. An administrator's ordinary run, and a run
; on a system without limited tokens, installs as usual.
Function .onInit
  System::Call 'kernel32::GetCurrentProcess() p .r1'
  System::Call 'advapi32::OpenProcessToken(p r1, i ${TOKEN_QUERY}, *p .r2) i .r0'
  ${If} $0 == 0
    Return
  ${EndIf}
  System::Call 'advapi32::GetTokenInformation(p r2, i ${TokenElevationType}, *i .r3, i 4, *i .r4) i .r0'
  System::Call 'kernel32::CloseHandle(p r2)'
  ${If} $0 != 0
  ${AndIf} $3 == ${TokenElevationTypeFull}
    MessageBox MB_OK|MB_ICONSTOP "Brindlex installs for the current user only and needs no administrator rights, but this setup was started as administrator.$\r$\n$\r$\nStart it again without $\"Run as administrator$\"." /SD IDOK
    SetErrorLevel 3
    Quit
  ${EndIf}
FunctionEnd

; A chosen folder that already holds other files, but no Brindlex, gets a Brindlex folder inside
; it, so that the install never replaces its README.txt, LICENSE.txt or Uninstall.exe and the
; uninstaller never removes them. Used by the directory page and, for /D= of a silent install,
; by the install itself.
Function PlaceInFolderOfItsOwn
  ${Do}
    ${DirState} "$INSTDIR" $0
    ${If} $0 != 1
    ${OrIf} ${FileExists} "$INSTDIR\Brindlex.exe"
      ${Break}
    ${EndIf}
    StrCpy $1 "$INSTDIR" "" -1
    ${If} $1 == "\"
      StrCpy $INSTDIR "$INSTDIRBrindlex"
    ${Else}
      StrCpy $INSTDIR "$INSTDIR\Brindlex"
    ${EndIf}
  ${Loop}
FunctionEnd

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
    ${If} $R4 == 0
      StrCpy $ClosedBrindlex 1
    ${EndIf}
    ; Windows have come and gone: look again from the first one.
    StrCpy $R0 0
    Goto next_window
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_BRINDLEX ""
!insertmacro CLOSE_RUNNING_BRINDLEX "un."

Section "Brindlex"
  Call PlaceInFolderOfItsOwn
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

  ; A silent upgrade puts back the program it closed (the finish page offers that otherwise).
  ${If} ${Silent}
  ${AndIf} $ClosedBrindlex == 1
    Exec '"$INSTDIR\Brindlex.exe"'
  ${EndIf}
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
  ; Only a value that starts this copy goes; another one (a portable copy's) stays.
  ReadRegStr $0 HKCU "${RUN_KEY}" "Brindlex"
  ${If} $0 == '"$INSTDIR\Brindlex.exe"'
  ${OrIf} $0 == "$INSTDIR\Brindlex.exe"
    DeleteRegValue HKCU "${RUN_KEY}" "Brindlex"
  ${EndIf}
  DetailPrint "Your library and settings are kept in $APPDATA\Brindlex."
SectionEnd
