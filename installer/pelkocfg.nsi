; The per-user installer of one build: the files of its release package into
; %LOCALAPPDATA%\Programs\<product> (the folder may be changed), Start menu entries for the
; settings program and the companion, an uninstall entry under HKCU and, when chosen, the
; companion started with Windows. No administrator rights are asked for. Silent with /S, the
; folder with /D=<folder>; /NOAUTOSTART leaves the companion out of the Windows start.
;
; Built by scripts/installer:
;   makensis -DDEFINES=<build>/installer/defines.nsh -DFILES=<package's files.nsh>
;            -DOUTFILE=<setup.exe> installer/pelkocfg.nsi
; DEFINES holds the version, the names and the companion's Run value and window (CMake writes
; it from the headers); FILES the macros that install and remove the package's files.

Unicode true
!include "${DEFINES}"
!include "${FILES}"
!if "${PLATFORM}" == "win64"
  Target amd64-unicode
!else
  Target x86-unicode
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"
!define SETTINGS_PROGRAM "pelkocfg.exe"
!define COMPANION "pelkotray.exe"
!define UNINSTALLER "uninstall.exe"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ManifestDPIAware true
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

Var companionWasRunning

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "${PRODUCT} has been removed from your computer.$\r$\n$\r$\n\
Your settings are kept under HKEY_CURRENT_USER\Software\${PUBLISHER}: a later installation \
finds them again. The mouse keeps its own profiles."
!insertmacro MUI_UNPAGE_FINISH
!insertmacro MUI_LANGUAGE "English"

; Asks every running companion to end (WM_CLOSE to its window, as Windows' end of a session
; would) and waits for its process to end, so that its program file can be replaced or removed.
; $companionWasRunning: 1 when one was running.
!macro CLOSE_COMPANION un
Function ${un}closeCompanion
  StrCpy $companionWasRunning 0
  ${ForEach} $R0 1 5 + 1
    FindWindow $0 "${COMPANION_CLASS}" "${COMPANION_TITLE}"
    ${If} $0 == 0
      ${Break}
    ${EndIf}
    StrCpy $companionWasRunning 1
    System::Call "user32::GetWindowThreadProcessId(p r0, *i 0 r1)"
    System::Call "kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2" ; SYNCHRONIZE
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    ${If} $2 != 0
      System::Call "kernel32::WaitForSingleObject(p r2, i 10000)"
      System::Call "kernel32::CloseHandle(p r2)"
    ${Else}
      Sleep 1000
    ${EndIf}
  ${Next}
FunctionEnd
!macroend
!insertmacro CLOSE_COMPANION ""
!insertmacro CLOSE_COMPANION "un."

Section "${PRODUCT}" secProgram
  SectionIn RO
  Call closeCompanion
  SetOutPath "$INSTDIR"
  !insertmacro PELKO_INSTALL_FILES
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateDirectory "${MENU_FOLDER}"
  CreateShortCut "${MENU_FOLDER}\${PRODUCT}.lnk" "$INSTDIR\${SETTINGS_PROGRAM}"
  CreateShortCut "${MENU_FOLDER}\${PRODUCT} companion.lnk" "$INSTDIR\${COMPANION}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${SETTINGS_PROGRAM},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${secProgram} $0 ; KB, as Windows reads EstimatedSize
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The same value the companion's menu entry "Start with Windows" writes.
Section "Start the companion with Windows" secStartWithWindows
  WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\${COMPANION}"'
SectionEnd

; Left out, the choice removes a value an earlier installation wrote.
Section "-companion left out of the Windows start"
  ${IfNot} ${SectionIsSelected} ${secStartWithWindows}
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
SectionEnd

; The choice starts as it was: chosen on a first installation, as the Run value says on an
; upgrade; /NOAUTOSTART leaves it out.
Function .onInit
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $1 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $0 != ""
  ${AndIf} $1 == ""
    !insertmacro UnselectSection ${secStartWithWindows}
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/NOAUTOSTART" $1
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${secStartWithWindows}
  ${EndIf}
FunctionEnd

; The companion starts when the installer ends: when it is to start with Windows, and again
; when the installation ended a running one.
Function .onInstSuccess
  ${If} ${SectionIsSelected} ${secStartWithWindows}
  ${OrIf} $companionWasRunning == 1
    SetOutPath "$INSTDIR"
    Exec '"$INSTDIR\${COMPANION}"'
  ${EndIf}
FunctionEnd

; Removes what the installer made; the user's settings under HKCU\Software\<publisher> stay.
; The Run value goes when it starts this installation's companion (a value naming a copy
; elsewhere, set from that copy's menu, is that copy's), and Task Manager's switch for it with
; it, or alone when no Run value is left.
Section "Uninstall"
  Call un.closeCompanion
  !insertmacro PELKO_REMOVE_FILES
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"

  Delete "${MENU_FOLDER}\${PRODUCT}.lnk"
  Delete "${MENU_FOLDER}\${PRODUCT} companion.lnk"
  RMDir "${MENU_FOLDER}"

  ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $0 == '"$INSTDIR\${COMPANION}"'
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
    StrCpy $0 ""
  ${EndIf}
  ${If} $0 == ""
    DeleteRegValue HKCU "${STARTUP_APPROVED_KEY}" "${RUN_VALUE}"
  ${EndIf}
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
