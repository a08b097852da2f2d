; Orlimo's setup program and uninstaller.
;
; The setup program puts Orlimo.exe, VarnRunCom.exe and the four sound cues into one folder, lets
; the Users group change files there (Orlimo writes Setup.ini and Logs.txt beside itself under each
; child's account), starts Orlimo at every log-on through the machine-wide Run value VarnTime, and
; registers the uninstaller in the system's program list. Setup.ini and Logs.txt are never shipped,
; so an upgrade leaves the family's settings and log as they are.
;
; Built by the Windows build:
;   makensis -DVERSION=1.2.13 -DDIST=<build>/dist -DOUTFILE=<build>/Orlimo-1.2.13-setup.exe orlimo.nsi
; Silent use: Orlimo-1.2.13-setup.exe /S [/D=C:\folder]   uninstall.exe /S (keeps the family data)

Unicode true
; Orlimo is a 64-bit program: the setup program is one too, so it sees the same Program Files
; folder and registry view as the program that later deletes VarnTime.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!ifndef VERSION
  !error "define VERSION, e.g. makensis -DVERSION=1.2.13"
!endif
!ifndef DIST
  !error "define DIST, the program folder holding Orlimo.exe, VarnRunCom.exe and the WAV files"
!endif
!ifndef OUTFILE
  !define OUTFILE "Orlimo-${VERSION}-setup.exe"
!endif

!define PRODUCT "Orlimo"
!define PUBLISHER "Orlimo"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "VarnTime"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orlimo"
!define UNINSTALLER "uninstall.exe"
; The parents' guide, one page, and its shortcut in the Start menu of every user.
!define GUIDE "사용설명서.html"
!define GUIDE_SHORTCUT "$SMPROGRAMS\Orlimo\사용 설명서.lnk"
; Paths are relative to this folder (makensis works from the script's folder).
!define ICON "../src/win32/resources/orlimo.ico"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "nsDialogs.nsh"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Orlimo"
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (C) ${PUBLISHER}"

; ---- Pages -------------------------------------------------------------------------------------
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; The chosen language is kept with the registration, so the uninstaller speaks it too.
!define MUI_LANGDLL_REGISTRY_ROOT HKLM
!define MUI_LANGDLL_REGISTRY_KEY "${UNINST_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "Installer Language"
!define MUI_LANGDLL_WINDOWTITLE "설치 언어 / Installer Language"
!define MUI_LANGDLL_INFO "설치에 쓸 언어를 고르십시오.$\r$\nPlease select a language."

!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$(FinishText)"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Orlimo.exe"
!define MUI_FINISHPAGE_RUN_TEXT "$(RunText)"
!insertmacro MUI_PAGE_FINISH

UninstPage custom un.RemovalPageCreate un.RemovalPageLeave
!insertmacro MUI_UNPAGE_INSTFILES

; Korean first: it is the default, English is offered beside it.
!insertmacro MUI_LANGUAGE "Korean"
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_RESERVEFILE_LANGDLL

!include "texts.nsh"

; ---- Shared by the setup program and the uninstaller ------------------------------------------
; StopOrlimo: ends every running VarnRunCom.exe and Orlimo.exe, then waits until the program
; files in $INSTDIR can be replaced. The companion goes first, because it would start Orlimo.exe
; again; it is stopped once more afterwards in case Orlimo.exe started it while being stopped.
!macro DEFINE_STOP_ORLIMO prefix
Function ${prefix}StopOrlimo
  DetailPrint "$(StoppingText)"
  nsExec::ExecToLog '"$SYSDIR\taskkill.exe" /F /IM VarnRunCom.exe'
  Pop $0
  nsExec::ExecToLog '"$SYSDIR\taskkill.exe" /F /IM Orlimo.exe'
  Pop $0
  nsExec::ExecToLog '"$SYSDIR\taskkill.exe" /F /IM VarnRunCom.exe'
  Pop $0
  Push "$INSTDIR\VarnRunCom.exe"
  Call ${prefix}WaitUntilReplaceable
  Push "$INSTDIR\Orlimo.exe"
  Call ${prefix}WaitUntilReplaceable
FunctionEnd

; WaitUntilReplaceable <path>: a stopped program's file stays in use for a moment after taskkill
; returns; wait up to ten seconds until it can be opened for writing.
Function ${prefix}WaitUntilReplaceable
  Exch $R0
  Push $R1
  Push $R2
  StrCpy $R2 0
  ${DoWhile} ${FileExists} "$R0"
    ClearErrors
    FileOpen $R1 "$R0" a
    ${IfNot} ${Errors}
      FileClose $R1
      ${Break}
    ${EndIf}
    ${If} $R2 >= 40
      ${Break}
    ${EndIf}
    Sleep 250
    IntOp $R2 $R2 + 1
  ${Loop}
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd
!macroend
!insertmacro DEFINE_STOP_ORLIMO ""
!insertmacro DEFINE_STOP_ORLIMO "un."

; ---- Setup -------------------------------------------------------------------------------------
Function .onInit
  SetRegView 64
  ; Korean is preselected whatever the language of Windows; a language chosen before wins.
  StrCpy $LANGUAGE ${LANG_KOREAN}
  !insertmacro MUI_LANGDLL_DISPLAY
FunctionEnd

Section "Orlimo" SecProgram
  SectionIn RO
  SetRegView 64
  SetShellVarContext all

  Call StopOrlimo

  SetOutPath "$INSTDIR"
  SetOverwrite on
  ; Setup.ini and Logs.txt are the family's: never shipped, never touched.
  File "${DIST}/Orlimo.exe"
  File "${DIST}/VarnRunCom.exe"
  File "${DIST}/CHIMES.WAV"
  File "${DIST}/BUTTON.WAV"
  File "${DIST}/CASHREG.WAV"
  File "${DIST}/GLASS.WAV"
  File "${DIST}/${GUIDE}"
  CreateDirectory "$SMPROGRAMS\Orlimo"
  CreateShortcut "${GUIDE_SHORTCUT}" "$INSTDIR\${GUIDE}"

  ; Modify rights for the built-in Users group, named by its SID so that it works on Windows in
  ; any language. A failure leaves a warning in the details and the installation goes on.
  nsExec::ExecToLog '"$SYSDIR\icacls.exe" "$INSTDIR" /grant *S-1-5-32-545:(OI)(CI)M /T /C /Q'
  Pop $0
  ${If} $0 != 0
    DetailPrint "$(PermissionFailedText)"
  ${EndIf}

  ; Windows starts Orlimo at every log-on; the program's own removal command deletes this value.
  WriteRegStr HKLM "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\Orlimo.exe"'

  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" '"$INSTDIR\Orlimo.exe",0'
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegStr HKLM "${UNINST_KEY}" "Installer Language" "$LANGUAGE"
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" "$0"
SectionEnd

; ---- Uninstaller -------------------------------------------------------------------------------
Var RemoveFamilyData
Var FamilyDataBox

Function un.onInit
  SetRegView 64
  StrCpy $RemoveFamilyData ${BST_UNCHECKED}
  !insertmacro MUI_UNGETLANGUAGE
FunctionEnd

; The one page before removal: what goes, and a box, unticked, to delete the family's data too.
Function un.RemovalPageCreate
  !insertmacro MUI_HEADER_TEXT "$(UnPageTitle)" "$(UnPageSubtitle)"
  nsDialogs::Create 1018
  Pop $0
  ${If} $0 == error
    Abort
  ${EndIf}
  ${NSD_CreateLabel} 0 0 100% 24u "$(UnPageText)"
  Pop $0
  ${NSD_CreateText} 0 28u 100% 12u "$INSTDIR"
  Pop $0
  SendMessage $0 ${EM_SETREADONLY} 1 0
  ${NSD_CreateCheckbox} 0 52u 100% 12u "$(UnFamilyDataText)"
  Pop $FamilyDataBox
  ${NSD_SetState} $FamilyDataBox $RemoveFamilyData
  ${NSD_CreateLabel} 12u 66u -12u 24u "$(UnFamilyDataNote)"
  Pop $0
  GetDlgItem $0 $HWNDPARENT 1
  SendMessage $0 ${WM_SETTEXT} 0 "STR:$(^UninstallBtn)"
  nsDialogs::Show
FunctionEnd

Function un.RemovalPageLeave
  ${NSD_GetState} $FamilyDataBox $RemoveFamilyData
FunctionEnd

Section "un.Orlimo"
  SetRegView 64
  SetShellVarContext all

  Call un.StopOrlimo
  DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"

  Delete "$INSTDIR\Orlimo.exe"
  Delete "$INSTDIR\VarnRunCom.exe"
  Delete "$INSTDIR\CHIMES.WAV"
  Delete "$INSTDIR\BUTTON.WAV"
  Delete "$INSTDIR\CASHREG.WAV"
  Delete "$INSTDIR\GLASS.WAV"
  Delete "$INSTDIR\${GUIDE}"
  Delete "${GUIDE_SHORTCUT}"
  RMDir "$SMPROGRAMS\Orlimo"
  Delete "$INSTDIR\${UNINSTALLER}"

  ; Only when asked: the settings, the log and the spare copies Orlimo keeps of them (a settings
  ; file it could not read, a replacement interrupted by a power cut). Silent removal keeps them.
  ${If} $RemoveFamilyData == ${BST_CHECKED}
    Delete "$INSTDIR\Setup.ini"
    Delete "$INSTDIR\Setup.ini.bad*"
    Delete "$INSTDIR\Setup.ini.tmp"
    Delete "$INSTDIR\Logs.txt"
    Delete "$INSTDIR\Logs.txt.tmp"
  ${Else}
    DetailPrint "$(UnKeptText)"
  ${EndIf}

  DeleteRegKey HKLM "${UNINST_KEY}"
  ; The folder goes only when nothing is left in it.
  RMDir "$INSTDIR"
SectionEnd
